#include "NKDBarcode.h"

#include "BarcodeMetrics.h"

bool Barcode_Is_Ascii(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() > 127) return false;
    return true;
}

void NKDBarcode::initWithContent(const QString &content, bool printsCaption)
{
    m_asciiInput = Barcode_Is_Ascii(content);
    init(content, printsCaption);
}

void NKDBarcode::init(const QString &content, bool printsCaption)
{
    m_orientation = 0;
    m_checkDigit = -1;
    m_printsCaption = printsCaption;
    setContent(content);
}

void NKDBarcode::setContent(const QString &content)
{
    m_content = content;
    m_bytes = Barcode_Is_Ascii(content) ? content.toLatin1() : QByteArray();
    calculateWidth();
}

void NKDBarcode::setCheckDigit(int c)
{
    m_checkDigit = c;
    calculateWidth();
}

void NKDBarcode::setBarWidth(float w)
{
    m_barWidth = w;
    calculateWidth();
}

void NKDBarcode::setStyle(const Barcode_Style &style)
{
    m_style = style;
    calculateWidth();
}

bool NKDBarcode::isContentValid() const
{
    return m_asciiInput && !m_content.isEmpty() && Barcode_Is_Ascii(m_content) && contentAccepted();
}

bool NKDBarcode::contentAccepted() const
{
    for (char c : bytes())
        if (_encodeChar(c).isEmpty()) return false;
    return true;
}

QString NKDBarcode::_encodeChar(char) const { return QStringLiteral("1010"); }

QString NKDBarcode::barcode() const
{
    if (!Barcode_Is_Ascii(m_content)) return {};
    QString modules;
    for (char c : bytes()) modules += _encodeChar(c);
    if (m_checkDigit != -1) modules += _encodeChar(char(m_checkDigit));
    return modules;
}

QString NKDBarcode::caption() const
{
    const int left = digitsToLeft(), right = digitsToRight();
    if (left == 0 && right == 0) return m_content;
    return m_content.mid(left, std::max<qsizetype>(0, m_content.size() - left - right));
}

void NKDBarcode::calculateWidth() { m_width = float(completeBarcode().size()) * m_barWidth; }

float NKDBarcode::barBottom(int) const
{
    float sum = 0;
    if (m_printsCaption) sum += m_captionHeight * 72;
    if (m_printsHeader) sum += m_headerHeight * 72;
    if (m_printsFooter) sum += m_footerHeight * 72;
    return sum;
}

float NKDBarcode::barTop(int) const
{
    float top = m_height;
    if (m_printsCaption) top -= m_captionHeight * 72 + m_style.value_margin;
    if (m_printsHeader) top -= m_headerHeight * 72 + m_style.header_margin;
    if (m_printsFooter) top -= m_footerHeight * 72 + m_style.footer_margin;
    return top - 2 * m_style.TB_margin;
}

void NKDBarcode::setCaptionFontSize(float size, const FontMeasure &measure)
{
    m_captionFontSize = size;
    m_captionHeight = Barcode_Line_Height(measure, m_style.value_font);
    calculateWidth();
}

void NKDBarcode::setHeaderFontSize(float size, const FontMeasure &measure)
{
    m_headerFontSize = size;
    m_headerHeight = Barcode_Line_Height(measure, m_style.header_font);
    m_headerWidth = float(measure.textSize(m_header, m_style.header_font).width());
    calculateWidth();
}

void NKDBarcode::setFooterFontSize(float size, const FontMeasure &measure)
{
    m_footerFontSize = size;
    m_footerHeight = Barcode_Line_Height(measure, m_style.footer_font);
    m_footerWidth = float(measure.textSize(m_footer, m_style.footer_font).width());
    calculateWidth();
}
