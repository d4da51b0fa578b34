#include "Repeat_Image.h"

#include "Log.h"

#include <QPaintEvent>
#include <QPainter>

Repeat_Image::Repeat_Image(QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted here: nothing of the parent shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void Repeat_Image::setTile(const QImage &tile)
{
    m_tile = tile;
    m_reportedMissing = false;
    update();
}

void Repeat_Image::paintEvent(QPaintEvent *event)
{
    // Painting only paints: no repaint is asked for and no message shown from here.
    QPainter painter(this);
    if (m_tile.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        if (!m_reportedMissing) Show_NSLog_Message(QStringLiteral("No picture to repeat in %1").arg(objectName()));
        m_reportedMissing = true;
        return;
    }
    // The brush's origin is the strip's own (0, 0): the tiles are tied to its corner
    // whatever part of it is painted.
    painter.setBrushOrigin(0, 0);
    painter.fillRect(event->rect(), QBrush(m_tile));
}
