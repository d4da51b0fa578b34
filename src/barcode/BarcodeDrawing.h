#pragma once
// The drawing of a barcode as a display list in points (y down): coloured rectangles,
// styled texts and pictures, painted in order into any painter and rasterised only
// where pixels are needed. A picture carries it as its vector form.
#include "Picture.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
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
    struct Image {
        QRectF rect;
        Picture picture;
    };
    using Item = std::variant<Fill, Text, Image>;

    explicit BarcodeDrawing(QSizeF size) : m_size(size) {}

    QSizeF size() const override { return m_size; }
    const std::vector<Item> &items() const { return m_items; }
    template <class T> void add(T item) { m_items.emplace_back(std::in_place_type<T>, std::move(item)); }
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
