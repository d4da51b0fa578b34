#include "BarcodeText.h"
#include "PointText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <limits>
#include <QTextOption>

QFont Barcode_Point_Font(QFont font, double kerning) { return Point_Layout_Font(font, kerning); }

BarcodeTextLayout::BarcodeTextLayout(const QString &text, const QFont &font, Qt::Alignment alignment,
                                     double kerning)
    : m_layout(With_Line_Separators(text), Barcode_Point_Font(font, kerning))
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

TextInk BarcodeTextLayout::ink() const
{
    const QFontMetricsF metrics(m_layout.font());
    const QString text = m_layout.text();
    TextInk ink{std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()};
    for (int i = 0; i < m_layout.lineCount(); ++i) {
        const QTextLine line = m_layout.lineAt(i);
        const QRectF glyphs = metrics.tightBoundingRect(text.mid(line.textStart(), line.textLength()));
        if (glyphs.height() <= 0) continue;
        const double baseline = line.y() + line.ascent();
        ink.top = std::min(ink.top, baseline + glyphs.top());
        ink.bottom = std::max(ink.bottom, baseline + glyphs.bottom());
    }
    return ink.isEmpty() ? TextInk{} : ink;
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
