#include "BarcodeDrawing.h"

#include "BarcodeText.h"

#include <QPainter>

void BarcodeDrawing::paint(QPainter &painter, const QRectF &target) const
{
    if (m_size.isEmpty()) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_size.width(), target.height() / m_size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const Item &item : m_items) {
        if (const Fill *f = std::get_if<Fill>(&item)) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.fillRect(f->rect, f->color);
        } else if (const Text *t = std::get_if<Text>(&item)) {
            painter.setPen(t->color);
            BarcodeTextLayout(t->text, t->font, t->alignment, t->kerning)
                .draw(painter, t->rect.topLeft(), t->rect.width());
        } else if (const Image *i = std::get_if<Image>(&item)) {
            if (const PictureVector *v = i->picture.vector()) v->paint(painter, i->rect);
            else painter.drawImage(i->rect, i->picture.image());
        }
    }
    painter.restore();
}
