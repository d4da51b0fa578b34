#include "StoredValues.h"

#include "Globals.h"

#include <QFontDatabase>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <cmath>

namespace {

const QString kFontSeparator = QStringLiteral("::::");
const QString kNumber = QStringLiteral(R"(\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?|[-+]?(?:nan|inf))\s*)");

bool parseDouble(const QString &text, double &out)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (ok) out = d;
    return ok;
}

bool sameNumber(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// "%0.2f" when it reads back as the same value, else the shortest decimal that does.
template <class T> QString numberText(T v)
{
    const auto readsBack = [v](const QString &s) {
        double d = 0;
        return parseDouble(s, d) && sameNumber(double(static_cast<T>(d)), double(v));
    };
    if (std::abs(double(v)) < 1e15) {  // larger values would print every digit
        const QString fixed = QString::asprintf("%0.2f", double(v));
        if (readsBack(fixed)) return fixed;
    }
    if constexpr (std::is_same_v<T, float>) {
        for (int precision = 1; precision <= 9; ++precision) {
            const QString s = QString::number(double(v), 'g', precision);
            if (readsBack(s)) return s;
        }
    }
    return QString::number(double(v), 'g', QLocale::FloatingPointShortest);
}

// Exactly N numbers in the form "{a, b}" (N = 2) or "{{a, b}, {c, d}}" (N = 4).
template <size_t N> bool parseBraced(const QString &text, std::array<double, N> &out)
{
    static const QRegularExpression re(
        N == 2 ? QStringLiteral("^\\s*\\{%1,%1\\}\\s*$").arg(kNumber)
               : QStringLiteral("^\\s*\\{\\s*\\{%1,%1\\}\\s*,\\s*\\{%1,%1\\}\\s*\\}\\s*$").arg(kNumber),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return false;
    std::array<double, N> v{};
    for (size_t i = 0; i < N; ++i)
        if (!parseDouble(m.captured(int(i) + 1), v[i])) return false;
    out = v;
    return true;
}

// ---- Colours ----

qreal component(const QColor &c, int i)
{
    switch (i) {
    case 0: return c.redF();
    case 1: return c.greenF();
    case 2: return c.blueF();
    default: return c.alphaF();
    }
}

void setComponent(QColor &c, int i, float v)
{
    switch (i) {
    case 0: c.setRedF(v); break;
    case 1: c.setGreenF(v); break;
    case 2: c.setBlueF(v); break;
    default: c.setAlphaF(v); break;
    }
}

// "%0.1f" when that gives the colour's component back, else the shortest decimal
// that does.
QString componentText(const QColor &c, int i)
{
    const qreal v = component(c, i);
    const auto readsBack = [&](const QString &s) {
        double d = 0;
        if (!parseDouble(s, d)) return false;
        QColor probe = c;
        setComponent(probe, i, float(d));
        return probe == c;
    };
    const QString fixed = QString::asprintf("%0.1f", double(v));
    if (readsBack(fixed)) return fixed;
    for (int precision = 2; precision <= 9; ++precision) {
        const QString s = QString::number(double(v), 'g', precision);
        if (readsBack(s)) return s;
    }
    return QString::number(double(v), 'g', QLocale::FloatingPointShortest);
}

// ---- Fonts ----

struct WeightWord {
    const char *word;
    QFont::Weight weight;
};
constexpr WeightWord kWeights[] = {
    {"Thin", QFont::Thin},       {"ExtraLight", QFont::ExtraLight}, {"Light", QFont::Light},
    {"Medium", QFont::Medium},   {"DemiBold", QFont::DemiBold},     {"SemiBold", QFont::DemiBold},
    {"ExtraBold", QFont::ExtraBold}, {"Bold", QFont::Bold},         {"Black", QFont::Black},
    {"Regular", QFont::Normal},
};

// The style word of a weight and slant: "", "Bold", "Italic", "LightItalic" ...
QString styleToken(const QFont &font)
{
    QString token;
    const int w = font.weight();
    if (std::abs(w - QFont::Normal) > 50) {
        const WeightWord *best = nullptr;
        for (const WeightWord &ww : kWeights)
            if (ww.weight != QFont::Normal && (!best || std::abs(ww.weight - w) < std::abs(best->weight - w)))
                best = &ww;
        token = QLatin1String(best->word);
    }
    if (font.italic()) token += QStringLiteral("Italic");
    return token;
}

// Reads a style word written by styleToken (also "Regular", "SemiBold", "Oblique").
bool parseStyleToken(const QString &token, QFont::Weight &weight, bool &italic)
{
    QString rest = token;
    italic = false;
    for (const char *slant : {"Italic", "Oblique"})
        if (rest.endsWith(QLatin1String(slant), Qt::CaseInsensitive)) {
            italic = true;
            rest.chop(int(qstrlen(slant)));
            break;
        }
    weight = QFont::Normal;
    if (rest.isEmpty()) return italic;
    for (const WeightWord &ww : kWeights)
        if (rest.compare(QLatin1String(ww.word), Qt::CaseInsensitive) == 0) {
            weight = ww.weight;
            return true;
        }
    return false;
}

} // namespace

// ---- Writers ----

QString To_Stored_Text(bool v) { return v ? QStringLiteral("Y") : QStringLiteral("N"); }
QString To_Stored_Text(int v) { return QString::number(v); }
QString To_Stored_Text(float v) { return numberText(v); }
QString To_Stored_Text(double v) { return numberText(v); }
QString To_Stored_Text(const QPointF &v) { return QStringLiteral("{%1, %2}").arg(numberText(v.x()), numberText(v.y())); }
QString To_Stored_Text(const QSizeF &v)
{
    return QStringLiteral("{%1, %2}").arg(numberText(v.width()), numberText(v.height()));
}
QString To_Stored_Text(const QRectF &v)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(numberText(v.x()), numberText(v.y()), numberText(v.width()), numberText(v.height()));
}
QString To_Stored_Text(const QString &v) { return v.isNull() ? QStringLiteral("") : v; }
QString To_Stored_Text(const QColor &v) { return Convert_Color_to_String(v); }
QString To_Stored_Text(const QFont &v) { return Convert_Font_to_String(v); }

QString Convert_Color_to_String(const QColor &color)
{
    if (!color.isValid()) return QStringLiteral("");
    // Colours of other models (HSV, CMYK) are kept as their RGB equivalent.
    const QColor c = color.toRgb();
    QStringList parts;
    for (int i = 0; i < 4; ++i) parts << componentText(c, i);
    return parts.join(u':');
}

QString Convert_Font_to_String(const QFont &font)
{
    QString name = font.family();
    const QString token = styleToken(font);
    if (!token.isEmpty()) name += u'-' + token;
    double size = font.pointSizeF();
    if (size <= 0) size = font.pixelSize() > 0 ? font.pixelSize() : 12.0;
    return name + kFontSeparator + numberText(size);
}

// ---- Readers ----

bool From_Stored_Text(const QString &text, bool &out)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("Y"), Qt::CaseInsensitive) == 0) out = true;
    else if (t.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0) out = false;
    else return false;
    return true;
}

bool From_Stored_Text(const QString &text, int &out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (ok) out = v;
    return ok;
}

bool From_Stored_Text(const QString &text, float &out)
{
    double d = 0;
    if (!parseDouble(text, d)) return false;
    out = static_cast<float>(d);
    return true;
}

bool From_Stored_Text(const QString &text, double &out) { return parseDouble(text, out); }

bool From_Stored_Text(const QString &text, QRectF &out)
{
    std::array<double, 4> v{};
    if (!parseBraced(text, v)) return false;
    out = QRectF(v[0], v[1], v[2], v[3]);
    return true;
}

bool From_Stored_Text(const QString &text, QPointF &out)
{
    std::array<double, 2> v{};
    if (!parseBraced(text, v)) return false;
    out = QPointF(v[0], v[1]);
    return true;
}

bool From_Stored_Text(const QString &text, QSizeF &out)
{
    std::array<double, 2> v{};
    if (!parseBraced(text, v)) return false;
    out = QSizeF(v[0], v[1]);
    return true;
}

bool From_Stored_Text(const QString &text, QString &out)
{
    out = text;
    return true;
}

bool From_Stored_Text(const QString &text, QColor &out)
{
    if (text.isEmpty()) {
        out = QColor();
        return true;
    }
    const QStringList parts = text.split(u':');
    if (parts.size() != 4) return false;
    std::array<double, 4> v{};
    for (int i = 0; i < 4; ++i)
        if (!parseDouble(parts[i], v[size_t(i)]) || !std::isfinite(v[size_t(i)])) return false;
    out = QColor::fromRgbF(float(v[0]), float(v[1]), float(v[2]), float(v[3]));
    return true;
}

bool From_Stored_Text(const QString &text, QFont &out)
{
    const qsizetype at = text.lastIndexOf(kFontSeparator);
    if (at < 0) return false;
    const QString name = text.left(at).trimmed();
    double size = 0;
    if (name.isEmpty() || !parseDouble(text.mid(at + kFontSeparator.size()), size) || !(size > 0)) return false;

    // "Family-Style" as written by Convert_Font_to_String; any other name (an installed
    // family, or a PostScript name such as "Arial-BoldMT") goes to Font_With_Name whole.
    const qsizetype dash = name.lastIndexOf(u'-');
    QFont::Weight weight = QFont::Normal;
    bool italic = false;
    if (dash > 0 && !QFontDatabase::families().contains(name) && parseStyleToken(name.mid(dash + 1), weight, italic)) {
        QFont f = Font_With_Name(name.left(dash), size);
        f.setWeight(weight);
        f.setItalic(italic);
        out = f;
        return true;
    }
    out = Font_With_Name(name, size);
    return true;
}

QColor Convert_String_to_Color(const QString &text)
{
    QColor c;
    if (text.isEmpty() || !From_Stored_Text(text, c)) return QColor();
    return c;
}

QFont Convert_String_to_Font(const QString &text)
{
    QFont f;
    return From_Stored_Text(text, f) ? f : DEFAULT_FONT;
}
