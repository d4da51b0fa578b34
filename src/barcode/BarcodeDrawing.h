#pragma once
// The drawing of a barcode as a display list in points (y down): coloured rectangles,
// styled texts and pictures, painted in order into any painter and rasterised only
// where pixels are needed. A picture carries it as its vector form.
#include "Picture.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

class BarcodeDrawing : public PictureVector {
public:
    struct Fill {
        QRectF rect;
        QColor color;
    };
    struct Text {
        QRectF rect;  // laid out inside, the first line's top at the rectangle's top
        QString text;
        QFont font;
        QColor color;
        Qt::Alignment alignment;
        double kerning;  // points of extra space after each character
    };
    // A raster's pixels as filled rectangles in whole pixels, one list per colour (see
    // add), placed in points by the pixel size from the raster's top left corner: a PDF
    // page then holds short whole numbers under one transform.
    struct Raster_Areas {
        QPointF origin;   // the raster's top left corner, in points
        QSizeF pixel;     // one pixel, in points
        std::vector<std::pair<QColor, std::vector<QRectF>>> fills;
        // Rectangle r of the fills in points.
        QRectF inPoints(const QRectF &r) const
        {
            return QRectF(origin.x() + r.x() * pixel.width(), origin.y() + r.y() * pixel.height(),
                          r.width() * pixel.width(), r.height() * pixel.height());
        }
    };
    struct Image {
        QRectF rect;
        Picture picture;
        // The raster as rectangles, where a PDF page or a printer takes them; none for a
        // vector picture or a raster of too many runs.
        std::shared_ptr<const Raster_Areas> areas = {};
    };
    using Item = std::variant<Fill, Text, Image>;

    explicit BarcodeDrawing(QSizeF size) : m_size(size) {}

    QSizeF size() const override { return m_size; }
    const std::vector<Item> &items() const { return m_items; }
    template <class T> void add(T item) { m_items.emplace_back(std::in_place_type<T>, std::move(item)); }
    // A raster picture gets its rectangles here, on the thread that makes the drawing
    // (a card maker), so the thread that writes a PDF only plays them. Pixels of the
    // colour of an opaque fill that lies under the whole picture (the symbol's ground)
    // get none: painted over that fill they change no pixel.
    void add(Image item);
    void reserve(size_t count) { m_items.reserve(count); }
    // The items of one kind, in drawing order.
    template <class T> std::vector<T> itemsOf() const
    {
        std::vector<T> out;
        for (const Item &i : m_items)
            if (const T *t = std::get_if<T>(&i)) out.push_back(*t);
        return out;
    }

    // Rectangles are filled without smoothing, pictures drawn unsmoothed.
    void paint(QPainter &painter, const QRectF &target) const override;

private:
    QSizeF m_size;
    std::vector<Item> m_items;
};

// The bars of a linear symbol in whole units: rectangles of one top and one height whose
// left edges (from the leftmost) and widths are whole multiples of the narrowest width,
// within a thousandth of it. A PDF page then holds them as short whole numbers under one
// transform ("3 0 2 1 re" rather than four nine-digit decimals). None for rectangles that
// are not such a row (or none at all).
struct Bar_Row {
    QPointF origin;  // the leftmost bar's top left corner, in points
    QSizeF unit;     // the narrowest width and the bars' height, in points
    std::vector<QRect> bars;  // in units, in the order given
};
std::optional<Bar_Row> Bars_In_Units(const std::vector<QRectF> &rects);
