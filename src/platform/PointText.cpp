#include "PointText.h"

#include <QFontInfo>

namespace {

// Fonts are laid out at the application's default resolution. A font asked for at
// 72 points comes out that many pixels tall, which gives that resolution exactly.
double defaultFontDpi()
{
    QFont probe;
    probe.setPointSizeF(72);
    const int pixels = QFontInfo(probe).pixelSize();
    return pixels > 0 ? pixels : 72;
}

} // namespace

QFont Point_Layout_Font(QFont font, double kerning)
{
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * 72.0 / defaultFontDpi());
    font.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
    return font;
}

QString With_Line_Separators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    for (QChar &c : text)
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator) c = QChar::LineSeparator;
    return text;
}
