#pragma once
// The model of one linear barcode: the content, an optional check character, the
// module width, the drawing's size, and the caption, header and footer that go with
// the bars. Its module string ('1' a bar module, '0' a space module, each barWidth
// points wide) is the initiator, the body and the terminator; a symbology overrides
// the hooks it changes.
#include "BarcodeStyle.h"

#include <QByteArray>
#include <QString>

class FontMeasure;

class NKDBarcode {
public:
    NKDBarcode() = default;
    NKDBarcode(const NKDBarcode &) = delete;
    NKDBarcode &operator=(const NKDBarcode &) = delete;
    virtual ~NKDBarcode() = default;

    // Sets the content (kept as typed unless the symbology converts it), the caption
    // switch and the symbology's own check character and sizes.
    void initWithContent(const QString &content, bool printsCaption = true);

    // Valid when the content as given was ASCII, is not empty and the symbology accepts it.
    bool isContentValid() const;

    // The gaps, margins and fonts that the bar lengths and line metrics use.
    void setStyle(const Barcode_Style &style);
    const Barcode_Style &style() const { return m_style; }

    // The setters of content, check character, bar width, style and font sizes keep the
    // width of the bars (calculateWidth) up to date.
    QString content() const { return m_content; }
    void setContent(const QString &content);
    QString header() const { return m_header; }
    void setHeader(const QString &header) { m_header = header; }
    QString footer() const { return m_footer; }
    void setFooter(const QString &footer) { m_footer = footer; }
    int checkDigit() const { return m_checkDigit; }
    void setCheckDigit(int c);
    float barWidth() const { return m_barWidth; }
    virtual void setBarWidth(float w);
    float height() const { return m_height; }
    virtual void setHeight(float h) { m_height = h; }
    float width() const { return m_width; }
    void setWidth(float w) { m_width = w; }
    bool printsCaption() const { return m_printsCaption; }
    void setPrintsCaption(bool on) { m_printsCaption = on; }
    bool printsHeader() const { return m_printsHeader; }
    void setPrintsHeader(bool on) { m_printsHeader = on; }
    bool printsFooter() const { return m_printsFooter; }
    void setPrintsFooter(bool on) { m_printsFooter = on; }
    int Barcode_Orientation() const { return m_orientation; }
    void set_Barcode_Orientation(int o) { m_orientation = o; }

    // Line metrics: the size is stored; the height (inches) comes from the style's
    // font, and the header and footer widths (points) from their texts as they stand.
    void setCaptionFontSize(float size, const FontMeasure &measure);
    void setHeaderFontSize(float size, const FontMeasure &measure);
    void setFooterFontSize(float size, const FontMeasure &measure);
    float caption_fontSize() const { return m_captionFontSize; }
    float header_fontSize() const { return m_headerFontSize; }
    float footer_fontSize() const { return m_footerFontSize; }
    float captionHeight() const { return m_captionHeight; }
    void setCaptionHeight(float h) { m_captionHeight = h; }
    float headerHeight() const { return m_headerHeight; }
    void setHeaderHeight(float h) { m_headerHeight = h; }
    float footerHeight() const { return m_footerHeight; }
    void setFooterHeight(float h) { m_footerHeight = h; }
    float headerWidth() const { return m_headerWidth; }
    void setHeaderWidth(float w) { m_headerWidth = w; }
    float footerWidth() const { return m_footerWidth; }
    void setFooterWidth(float w) { m_footerWidth = w; }

    // Encoding hooks.
    virtual QString initiator() const { return {}; }
    virtual QString terminator() const { return {}; }
    virtual QString _encodeChar(char c) const;
    // The content's modules, then the check character's; empty for a content that
    // is not ASCII.
    virtual QString barcode() const;
    QString completeBarcode() const { return initiator() + barcode() + terminator(); }
    virtual void generateChecksum() {}

    // Caption split.
    virtual int digitsToLeft() const { return 0; }
    virtual int digitsToRight() const { return 0; }
    virtual QString leftCaption() const { return m_content.left(digitsToLeft()); }
    virtual QString rightCaption() const { return m_content.right(digitsToRight()); }
    virtual QString caption() const;

    // Bar geometry: top and bottom in points of the bar whose last module is at the
    // position of the complete module string, above the bars' base line.
    virtual float barTop(int position) const;
    virtual float barBottom(int position) const;
    // Four-state bars stand on their own bottoms; the others on the base line.
    virtual bool hasFourStateBars() const { return false; }
    virtual float firstBar() const { return 0.0f; }
    virtual float lastBar() const { return m_width - m_barWidth; }
    virtual void calculateWidth();

protected:
    // The symbology's part of initWithContent; the base stores content and caption
    // switch and computes the width.
    virtual void init(const QString &content, bool printsCaption);
    // The symbology's validity test; the base accepts a content whose every byte has a
    // pattern (an empty content too).
    virtual bool contentAccepted() const;
    // The content's bytes (ASCII), empty when it is not ASCII.
    const QByteArray &bytes() const { return m_bytes; }

private:
    Barcode_Style m_style;
    QString m_content, m_header, m_footer;
    QByteArray m_bytes;
    int m_checkDigit = -1;
    float m_barWidth = 0, m_height = 0, m_width = 0;
    bool m_printsCaption = false, m_printsHeader = false, m_printsFooter = false;
    bool m_asciiInput = true;
    float m_captionFontSize = 0, m_headerFontSize = 0, m_footerFontSize = 0;
    float m_captionHeight = 0, m_headerHeight = 0, m_footerHeight = 0;
    float m_headerWidth = 0, m_footerWidth = 0;
    int m_orientation = 0;
};

// True when every character of the text is ASCII (0-127).
bool Barcode_Is_Ascii(const QString &text);
