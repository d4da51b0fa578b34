#include "GeometryStrings.h"

#include <QLocale>
#include <QRegularExpression>
#include <array>

namespace {

QString num(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

template <size_t N> std::array<double, N> numbers(const QString &s)
{
    static const QRegularExpression re(QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    std::array<double, N> out{};
    size_t n = 0;
    for (auto it = re.globalMatch(s); it.hasNext() && n < N;) out[n++] = it.next().captured(0).toDouble();
    return out;
}

} // namespace

QString Point_To_String(const QPointF &p) { return QStringLiteral("{%1, %2}").arg(num(p.x()), num(p.y())); }

QString Rect_To_String(const QRectF &r)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}").arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()));
}

QPointF Point_From_String(const QString &s)
{
    const auto v = numbers<2>(s);
    return {v[0], v[1]};
}

QRectF Rect_From_String(const QString &s)
{
    const auto v = numbers<4>(s);
    return {v[0], v[1], v[2], v[3]};
}
