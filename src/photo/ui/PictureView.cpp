#include "PictureView.h"

#include "PictureDrawing.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

PictureView::PictureView(QWidget *parent) : QWidget(parent)
{
    setAcceptDrops(true);
    setFocusPolicy(Qt::NoFocus);  // keys go to what lies over the picture
}

void PictureView::redrawn()
{
    update();
    emit geometryChanged();
}

void PictureView::setPicture(const Picture &picture)
{
    m_picture = picture;
    redrawn();
}

void PictureView::setImageScaling(ImageScaling scaling)
{
    m_scaling = scaling;
    redrawn();
}

void PictureView::setImageAlignment(std::optional<ImageAlignment> alignment)
{
    m_alignment = alignment;
    redrawn();
}

void PictureView::setPhotoFrame(bool framed)
{
    m_framed = framed;
    redrawn();
}

QRectF PictureView::drawingRect() const
{
    const QRectF bounds(0, 0, width(), height());
    if (!m_framed) return bounds;
    const double in = kPhotoFrameInset;
    return bounds.adjusted(in, in, -in, -in);
}

QRectF PictureView::scaledImageRect() const
{
    const QRectF d = drawingRect();
    if (!m_alignment) return QRectF(d.x(), d.y(), 0, 0);
    if (m_picture.isNull()) return {};
    return Scaled_Image_Rect(m_picture.size(), d, m_scaling, *m_alignment);
}

QSizeF PictureView::imageRatio() const
{
    if (m_picture.isNull()) return {1, 1};
    return Image_Ratio(m_picture.size(), drawingRect(), m_scaling);
}

QRectF PictureView::toWidget(const QRectF &r) const
{
    return QRectF(r.x(), height() - r.y() - r.height(), r.width(), r.height());
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_framed) {
        // A photo frame: a white mat with a thin grey edge.
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(160, 160, 160));
        p.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
    }
    const QRectF target = toWidget(scaledImageRect());
    if (m_picture.isNull() || target.isEmpty()) return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    Draw_Picture_Stretched(p, m_picture, target, 1.0);
}

void PictureView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit geometryChanged();
}

void PictureView::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return;
    }
    m_fileUrl = mime->urls().front();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void PictureView::dropEvent(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty()) return;
    const QString path = mime->urls().front().toLocalFile();
    const Picture dropped = Picture::fromFile(path);
    if (dropped.isNull()) return;
    setPicture(dropped);
    event->acceptProposedAction();
    emit pictureDropped(path);
}
