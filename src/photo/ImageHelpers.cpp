#include "ImageHelpers.h"

#include "StrokeStyles.h"

#include <QPainter>
#include <QTransform>

namespace {

// A picture drawn through a transform of its own rectangle (a mirror or a turn).
class TransformedDrawing final : public PictureVector {
public:
    TransformedDrawing(Picture source, QTransform transform) : m_source(std::move(source)), m_transform(transform) {}
    QSizeF size() const override { return m_source.size(); }
    void paint(QPainter &painter, const QRectF &target) const override
    {
        const QSizeF s = m_source.size();
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / s.width(), target.height() / s.height());
        painter.setTransform(m_transform, true);
        m_source.vector()->paint(painter, QRectF(QPointF(0, 0), s));
        painter.restore();
    }

private:
    Picture m_source;
    QTransform m_transform;
};

// The source under the mirror (sx, sy each 1 or -1) about its centre.
Picture mirrored(const Picture &source, bool horizontal, bool vertical)
{
    if (source.isNull()) return {};
    if (!source.vector()) return Picture(source.image().mirrored(horizontal, vertical), source.size());
    const QSizeF s = source.size();
    const QTransform t(horizontal ? -1 : 1, 0, 0, vertical ? -1 : 1, horizontal ? s.width() : 0,
                       vertical ? s.height() : 0);
    return Picture::fromVector(std::make_shared<TransformedDrawing>(source, t));
}

} // namespace

Picture Create_Mirror_Image_With_CG_Image(const Picture &source, bool vertical)
{
    return mirrored(source, !vertical, vertical);
}

Picture imageRotatedByDegrees_Angle(const Picture &source) { return mirrored(source, true, true); }

Picture image_Drawing_with_border(const Picture &source, double width, const QString &code, const QColor &colour)
{
    if (source.isNull() || source.size().isEmpty()) return source;
    QImage img = source.image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    // Points to pixels.
    p.scale(img.width() / source.size().width(), img.height() / source.size().height());
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    Apply_Dash_Code(pen, code);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(0, 0), source.size()));
    p.end();
    return Picture(img, source.size());
}
