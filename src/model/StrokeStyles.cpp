#include "StrokeStyles.h"

#include "SKTGraphic.h"

#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <mutex>
#include <QtMath>
#include <cmath>

QVector<qreal> Dash_Lengths_For_Code(const QString &code)
{
    if (code == QLatin1String("DA")) return {8, 2};
    if (code == QLatin1String("DO")) return {4, 6};
    if (code == QLatin1String("DD")) return {24, 10, 6, 10};
    if (code == QLatin1String("DDD")) return {24, 8, 8, 8, 8, 8};
    return {};
}

void Apply_Dash_Code(QPen &pen, const QString &code)
{
    QVector<qreal> lengths = Dash_Lengths_For_Code(code);
    if (lengths.isEmpty()) {
        pen.setStyle(Qt::SolidLine);
        return;
    }
    const qreal width = pen.widthF() > 0 ? pen.widthF() : 1.0;
    for (qreal &l : lengths) l /= width;
    pen.setDashPattern(lengths);
    pen.setDashOffset(0);
}

std::pair<QPointF, QPointF> Gradient_End_Points(const QRectF &rect, double angleDegrees)
{
    const double a = qDegreesToRadians(angleDegrees);
    const QPointF dir(std::cos(a), -std::sin(a));  // y grows downward on the card
    const QPointF c = rect.center();
    // Half length: the largest projection of a corner onto the direction.
    double half = 0;
    for (const QPointF &corner : {rect.topLeft(), rect.topRight(), rect.bottomLeft(), rect.bottomRight()}) {
        const QPointF d = corner - c;
        half = std::max(half, std::abs(d.x() * dir.x() + d.y() * dir.y()));
    }
    return {c - dir * half, c + dir * half};
}


QImage Hatch_Pattern_Picture(const QString &folder, const QString &name)
{
    // Read once per file; any thread may ask.
    static std::mutex mutex;
    static QHash<QString, QImage> cache;
    const QString path = folder + name + QStringLiteral(".png");
    std::lock_guard lock(mutex);
    auto it = cache.find(path);
    if (it == cache.end()) it = cache.insert(path, QImage(path));
    return it.value();
}

namespace {
QColor atOpacity(QColor c, double alpha)
{
    if (!c.isValid()) c = Qt::white;
    c.setAlphaF(float(Clamp_Opacity(alpha)));
    return c;
}
} // namespace

void Fill_Path_With_Control_Fill(QPainter &p, const QPainterPath &path, SKTGraphic &g, const DrawContext &context)
{
    const QString kind = g.fill_type();
    if (kind == QLatin1String("G")) {
        const QColor c1 = atOpacity(g.fill_Grad_clr1(), g.alpha_val), c2 = atOpacity(g.fill_Grad_clr2(), g.alpha_val);
        p.fillPath(path, c1);
        const auto [from, to] = Gradient_End_Points(path.boundingRect(), g.fill_grad_angle());
        QLinearGradient grad(from, to);
        grad.setColorAt(0, c1);
        grad.setColorAt(1, c2);
        p.fillPath(path, grad);
    } else if (kind == QLatin1String("H")) {
        p.fillPath(path, g.fill_hatch_bk_clr());
        const QImage hatch = Hatch_Pattern_Picture(context.fillStyleFolder, g.fill_hatch_type());
        if (!hatch.isNull()) {
            QBrush brush(hatch);
            brush.setTransform(QTransform::fromTranslate(path.boundingRect().left(), path.boundingRect().top()));
            p.save();
            p.setOpacity(p.opacity() * Clamp_Opacity(g.alpha_val));
            p.fillPath(path, brush);
            p.restore();
        }
    } else {
        p.fillPath(path, g.fillColor());
    }
}

QPen Control_Stroke_Pen(SKTGraphic &g)
{
    QPen pen(g.strokeColor(), g.strokeWidth());
    switch (g.Get_Line_Cap_Style()) {
    case 1: pen.setCapStyle(Qt::RoundCap); break;
    case 2: pen.setCapStyle(Qt::SquareCap); break;
    default: pen.setCapStyle(Qt::FlatCap); break;
    }
    pen.setJoinStyle(Qt::MiterJoin);
    Apply_Dash_Code(pen, g.strokeBorderType());
    return pen;
}
