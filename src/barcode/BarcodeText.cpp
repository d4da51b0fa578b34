#include "BarcodeText.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextOption>

namespace {

// Fonts lay out at the application's default resolution: a font asked for at 72 points
// comes out that many pixels tall.
double defaultFontDpi()
{
    QFont probe;
    probe.setPointSizeF(72);
    const int pixels = QFontInfo(probe).pixelSize();
    return pixels > 0 ? pixels : 72;
}

QString withLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    for (QChar &c : text)
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator) c = QChar::LineSeparator;
    return text;
}

} // namespace

QFont Barcode_Point_Font(QFont font, double kerning)
{
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * 72.0 / defaultFontDpi());
    font.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
    return font;
}

BarcodeTextLayout::BarcodeTextLayout(const QString &text, const QFont &font, Qt::Alignment alignment,
                                     double kerning)
    : m_layout(withLineSeparators(text), Barcode_Point_Font(font, kerning))
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(28);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);
    double height = 0, width = 0;
    m_layout.beginLayout();
    for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(0);
        line.setPosition(QPointF(0, height));
        height += line.height();
        width = std::max(width, double(line.naturalTextWidth()));
    }
    m_layout.endLayout();
    m_size = QSizeF(width, height);
}

void BarcodeTextLayout::draw(QPainter &painter, QPointF topLeft, double width)
{
    // Lay the lines out again within the width so that the alignment applies to it.
    QTextOption option = m_layout.textOption();
    double y = 0;
    m_layout.beginLayout();
    for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(std::max(width, 0.0));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    m_layout.endLayout();
    m_layout.draw(&painter, topLeft);
}
