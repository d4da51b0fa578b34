#pragma once
// Text laid out in card points (72 per inch), so that it measures and draws at the
// same size on the card view at any zoom, in off-screen pictures and in PDF output.
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTextLayout>
#include <limits>

class QPainter;

// Letter case of drawn text: 1 upper, 2 lower, 3 each word (a run between spaces,
// tabs or line ends) with its first letter upper case and the rest lower case; any
// other code leaves the text as it is.
QString Text_With_Case(const QString &text, int caseCode);

// Qt alignment of a stored horizontal alignment code: 0 left, 1 right, 2 centred,
// 3 justified, 4 (and any other) natural, i.e. the leading side of the text's first
// strong letter (a layout of the text takes it so).
Qt::Alignment Text_Alignment_For_Code(int code);

class CardTextLayout {
public:
    // The text's line ends (CR, LF, CR LF, paragraph separators) all break lines.
    CardTextLayout(const QString &text, const QFont &font, int alignmentCode, double kerning);
    CardTextLayout(const CardTextLayout &) = delete;
    CardTextLayout &operator=(const CardTextLayout &) = delete;

    // Lays the text out in lines of the width; a width of 0 or less does not wrap.
    // Lines stop before the first one that would end below maxHeight (the first line
    // is always kept), so a long text is laid out only as far as it can be seen.
    void layOut(double width, double maxHeight = std::numeric_limits<double>::infinity());
    // Number of lines kept by the last layout.
    int lineCount() const { return m_lineCount; }
    // Height of the kept lines (each with its font leading) of the last layout.
    double height() const { return m_height; }
    // Width of the widest line's text.
    double usedWidth() const { return m_usedWidth; }
    // The area of the lines (their full width and their text) with the first line's
    // top at topLeft.
    QRectF linesRect(QPointF topLeft) const;
    // Draws the lines in the painter's pen colour, the first line's top at topLeft.
    void draw(QPainter &painter, QPointF topLeft) const;

private:
    QTextLayout m_layout;
    int m_lineCount = 0;
    double m_height = 0;
    double m_usedWidth = 0;
};
