#include "CardTextLayout.h"
#include "PointText.h"

#include <QPainter>
#include <QTextOption>
#include <cmath>

QString Text_With_Case(const QString &text, int caseCode)
{
    switch (caseCode) {
    case 1: return text.toUpper();
    case 2: return text.toLower();
    case 3: {
        QString out;
        out.reserve(text.size());
        bool wordStart = true;
        qsizetype i = 0;
        while (i < text.size()) {
            // Whole code points, so letters outside the basic plane change case too.
            const char32_t cp = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                    ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                    : char32_t(text.at(i).unicode());
            const qsizetype len = cp > 0xFFFF ? 2 : 1;
            const QString piece = text.mid(i, len);
            const bool space = QChar::isSpace(cp);
            out += space ? piece : wordStart ? piece.toUpper() : piece.toLower();
            wordStart = space;
            i += len;
        }
        return out;
    }
    default: return text;
    }
}

Qt::Alignment Text_Alignment_For_Code(int code)
{
    switch (code) {
    case 0: return Qt::AlignLeft | Qt::AlignAbsolute;
    case 1: return Qt::AlignRight | Qt::AlignAbsolute;
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignJustify;
    default: return Qt::AlignLeading;
    }
}

CardTextLayout::CardTextLayout(const QString &text, const QFont &font, int alignmentCode, double kerning)
    : m_layout(With_Line_Separators(text), Point_Layout_Font(font, kerning))
{
    // The layout does not turn the leading side by the text's direction by itself.
    Qt::Alignment alignment = Text_Alignment_For_Code(alignmentCode);
    if (alignment == Qt::AlignLeading)
        alignment = (text.isRightToLeft() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute;
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);
}

void CardTextLayout::layOut(double width, double maxHeight)
{
    QTextOption option = m_layout.textOption();
    option.setWrapMode(width > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    m_layout.setTextOption(option);
    m_lineCount = 0;
    m_height = 0;
    m_usedWidth = 0;
    // A line may pass the limit by rounding, not by a visible amount.
    constexpr double tolerance = 0.01;
    m_layout.beginLayout();
    for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width > 0 ? width : 0);
        // The line that ends below the limit is made but never drawn.
        if (m_lineCount > 0 && m_height + line.height() > maxHeight + tolerance) break;
        line.setPosition(QPointF(0, m_height));
        m_height += line.height();
        m_usedWidth = std::max(m_usedWidth, double(line.naturalTextWidth()));
        ++m_lineCount;
    }
    m_layout.endLayout();
}

QRectF CardTextLayout::linesRect(QPointF topLeft) const
{
    QRectF r;
    for (int i = 0; i < m_lineCount; ++i) {
        const QTextLine line = m_layout.lineAt(i);
        r |= line.rect() | line.naturalTextRect();
    }
    return r.translated(topLeft);
}

void CardTextLayout::draw(QPainter &painter, QPointF topLeft) const
{
    for (int i = 0; i < m_lineCount; ++i) m_layout.lineAt(i).draw(&painter, topLeft);
}
