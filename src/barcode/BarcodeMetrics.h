#pragma once
// Caption, header and footer metrics of barcodes, measured through a font-measuring
// interface, and the record of texts, switches and sizes that frames a
// two-dimensional symbol.
#include <QFont>
#include <QSizeF>
#include <QString>

// Where the glyphs of a typeset text leave ink: from the top of its first line, downward,
// in points; none (top not below bottom) for a text without ink.
struct TextInk {
    double top = 0, bottom = 0;
    bool isEmpty() const { return !(bottom > top); }
};

// Measures fonts and typeset text in points.
class FontMeasure {
public:
    virtual ~FontMeasure() = default;
    virtual double capHeight(const QFont &font) const = 0;
    // Size of the text typeset in the font (tab stops every 28 points); an empty text
    // has width 0 and the height of one line.
    virtual QSizeF textSize(const QString &text, const QFont &font) const = 0;
    // The vertical extent of the text's glyphs as typeset in the font.
    virtual TextInk textInk(const QString &text, const QFont &font) const = 0;
};

// Measures with the fonts themselves, in the units in which the drawings lay out text.
class QtFontMeasure : public FontMeasure {
public:
    double capHeight(const QFont &font) const override;
    QSizeF textSize(const QString &text, const QFont &font) const override;
    TextInk textInk(const QString &text, const QFont &font) const override;
};

// Height of a caption, header or footer line, in inches: 1.35 times the font's cap
// height, computed in double precision and kept as a float.
float Barcode_Line_Height(const FontMeasure &measure, const QFont &font);

// The texts, switches and sizes that frame a two-dimensional symbol. Heights are in
// inches, widths and sizes in points.
struct Barcode_Record {
    QString content, header, footer;
    float height = 0, width = 0;
    bool fill_transparent = false;
    bool printsCaption = false, printsHeader = false, printsFooter = false;
    float caption_fontSize = 0, header_fontSize = 0, footer_fontSize = 0;
    float captionHeight = 0, headerHeight = 0, footerHeight = 0;
    float headerWidth = 0, footerWidth = 0;

    // Each stores the size and derives the line height from the font (and the width of
    // the header or footer text as it stands); the size itself is not used.
    void setCaptionFontSize(float size, const QFont &font, const FontMeasure &measure);
    void setHeaderFontSize(float size, const QFont &font, const FontMeasure &measure);
    void setFooterFontSize(float size, const QFont &font, const FontMeasure &measure);
};
