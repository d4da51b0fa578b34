#include "SKTBarcode.h"

#include <QPainter>

std::shared_ptr<SKTBarcode> SKTBarcode::initWithPosition(const QPointF &point, const Picture &)
{
    auto g = create();
    g->barcode_image_var_assign();
    const QSizeF s = g->_contents.size();
    g->_bounds = QRectF(point.x() - s.width() / 2, point.y() - s.height() / 2, s.width(), s.height());
    return g;
}

// A plain write: drawing calls it, and Set_Barcode_image has already reported the
// new picture.
void SKTBarcode::barcode_image_var_assign() { _contents = _barcode_image; }

void SKTBarcode::drawContentsInView(QPainter &painter, bool, const DrawContext &)
{
    if (!ctrl_is_visible) return;
    barcode_image_var_assign();
    if (_contents.isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRectF target(bounds().topLeft(), _contents.size());
    if (const PictureVector *drawing = _contents.vector()) drawing->paint(painter, target);
    else painter.drawImage(target, _contents.image());
    painter.restore();
}
