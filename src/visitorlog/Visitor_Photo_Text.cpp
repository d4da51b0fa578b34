#include "Visitor_Photo_Text.h"

#include "Helpers.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace {
const QString kMarker = QStringLiteral("<IMG_FILTER>");

// The leading number of a text ("12.5px" reads 12.5); 0 when it has none.
double number(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
    const QRegularExpressionMatch m = leading.match(text);
    const double v = m.hasMatch() ? m.captured(0).toDouble() : 0;
    return std::isfinite(v) ? v : 0;
}

bool flag(const QString &text)
{
    if (text.isEmpty()) return false;
    const QChar c = text.front();
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || number(text) != 0;
}
} // namespace

Visitor_Photo_Text Parse_Visitor_Photo_Text(const QString &text)
{
    Visitor_Photo_Text r;
    const qsizetype at = text.indexOf(kMarker);
    const QString settings = at < 0 ? QString() : Trim_Str(text.mid(at + kMarker.size()));
    if (at < 0 || settings.isEmpty()) {
        r.path = Trim_Str(at < 0 ? text : text.left(at));
        return r;
    }
    r.path = Trim_Str(text.left(at));
    r.hasSettings = true;
    QStringList pieces = settings.split(u'_');
    pieces.removeLast();  // what follows the last "_"
    for (QString &p : pieces) p = Trim_Str(p);
    auto piece = [&](int i) { return i < pieces.size() ? pieces[i] : QString(); };
    auto value = [&](int i, double fallback) { return i < pieces.size() ? number(pieces[i]) : fallback; };
    r.flipH = flag(piece(0));
    r.flipV = flag(piece(1));
    r.grayScale = flag(piece(2));
    r.sepia = flag(piece(3));
    r.rotation = int(std::fmod(value(4, 0), 360.0));  // whole degrees of one turn
    r.sharpen = value(5, 0);
    r.exposure = value(6, 0);
    r.blur = value(7, 0);
    r.saturation = value(8, 1);
    r.brightness = value(9, 0);
    r.contrast = value(10, 1);
    r.hue = value(11, 0);
    r.transparency = value(12, 0);
    r.border = flag(piece(13));
    r.borderWidth = value(14, 0);
    r.borderType = piece(15);
    r.borderColour = piece(16);
    return r;
}
