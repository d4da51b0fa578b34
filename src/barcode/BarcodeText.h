#pragma once
// Text of barcode drawings laid out in points, so that it measures and draws at the
// same size on any painter: the card view at any zoom, pictures and PDF.
#include "BarcodeMetrics.h"

#include <QFont>
#include <QPointF>
#include <QString>
#include <QTextLayout>

class QPainter;

// The font resized so that one layout unit is one point, with the letter spacing.
QFont Barcode_Point_Font(QFont font, double kerning);

class BarcodeTextLayout {
public:
    // Laid out without wrapping, lines aligned within the widest, tab stops every 28
    // points, kerning as extra space after each character.
    BarcodeTextLayout(const QString &text, const QFont &font, Qt::Alignment alignment, double kerning);
    BarcodeTextLayout(const BarcodeTextLayout &) = delete;
    BarcodeTextLayout &operator=(const BarcodeTextLayout &) = delete;

    QSizeF size() const { return m_size; }
    // The glyphs' tight vertical extent over all lines, from the first line's top.
    TextInk ink() const;
    // Draws the lines in the painter's pen colour, aligned within the width, the first
    // line's top at the point.
    void draw(QPainter &painter, QPointF topLeft, double width);

private:
    QTextLayout m_layout;
    QSizeF m_size;
};
