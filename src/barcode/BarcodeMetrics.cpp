#include "BarcodeMetrics.h"

#include "BarcodeText.h"

#include <QFontMetricsF>

double QtFontMeasure::capHeight(const QFont &font) const
{
    return QFontMetricsF(Barcode_Point_Font(font, 0)).capHeight();
}

QSizeF QtFontMeasure::textSize(const QString &text, const QFont &font) const
{
    return BarcodeTextLayout(text, font, Qt::AlignLeft, 0).size();
}

TextInk QtFontMeasure::textInk(const QString &text, const QFont &font) const
{
    return BarcodeTextLayout(text, font, Qt::AlignLeft, 0).ink();
}

float Barcode_Line_Height(const FontMeasure &measure, const QFont &font)
{
    const double c = measure.capHeight(font);
    return float(c / 72.0 + 0.35 * (c / 72.0));
}

void Barcode_Record::setCaptionFontSize(float size, const QFont &font, const FontMeasure &measure)
{
    caption_fontSize = size;
    captionHeight = Barcode_Line_Height(measure, font);
}

void Barcode_Record::setHeaderFontSize(float size, const QFont &font, const FontMeasure &measure)
{
    header_fontSize = size;
    headerHeight = Barcode_Line_Height(measure, font);
    headerWidth = float(measure.textSize(header, font).width());
}

void Barcode_Record::setFooterFontSize(float size, const QFont &font, const FontMeasure &measure)
{
    footer_fontSize = size;
    footerHeight = Barcode_Line_Height(measure, font);
    footerWidth = float(measure.textSize(footer, font).width());
}
