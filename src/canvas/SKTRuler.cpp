#include "SKTRuler.h"

#include "ZoomableCardWidget.h"

#include <QPainter>

SKTRuler::SKTRuler(Qt::Orientation orientation, QWidget *parent) : QWidget(parent), m_orientation(orientation)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(kThickness);
    else
        setFixedWidth(kThickness);
}

void SKTRuler::setEchoLines(const std::array<double, 3> &lines)
{
    if (lines == m_echo) return;
    m_echo = lines;
    update();
}

double SKTRuler::cardToRuler(double c) const
{
    if (!m_view) return c;
    const QPoint origin = m_view->mapTo(parentWidget() ? parentWidget() : m_view, QPoint(0, 0));
    const QPoint mine = mapTo(parentWidget() ? parentWidget() : m_view, QPoint(0, 0));
    const double offset = m_orientation == Qt::Horizontal ? origin.x() - mine.x() : origin.y() - mine.y();
    return offset + c * m_view->zoomFactor();
}

void SKTRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(246, 247, 250));
    p.setPen(QColor(170, 175, 185));
    const bool horizontal = m_orientation == Qt::Horizontal;
    if (horizontal)
        p.drawLine(0, height() - 1, width(), height() - 1);
    else
        p.drawLine(width() - 1, 0, width() - 1, height());
    if (!m_view) return;
    const double zoom = m_view->zoomFactor();
    // Ticks every 10 points (5 at high zoom), labels every 50 (or 100 when small).
    const double step = zoom >= 4 ? 5 : 10;
    const double labelStep = zoom < 0.75 ? 100 : 50;
    const double length = horizontal ? m_view->cardSize().width() : m_view->cardSize().height();
    QFont f = font();
    f.setPointSizeF(7);
    p.setFont(f);
    p.setPen(QColor(90, 96, 110));
    for (double c = 0; c <= length + 0.01; c += step) {
        const double at = cardToRuler(c);
        const bool labelled = std::fmod(c, labelStep) < 0.01;
        const int tick = labelled ? 10 : 5;
        if (horizontal) {
            p.drawLine(QPointF(at, kThickness - tick), QPointF(at, kThickness));
            if (labelled) p.drawText(QPointF(at + 2, 9), QString::number(int(c)));
        } else {
            p.drawLine(QPointF(kThickness - tick, at), QPointF(kThickness, at));
            if (labelled) {
                p.save();
                p.translate(9, at + 2);
                p.rotate(90);
                p.drawText(QPointF(0, 0), QString::number(int(c)));
                p.restore();
            }
        }
    }
    p.setPen(QColor(200, 40, 40));
    for (double e : m_echo) {
        if (e < 0) continue;
        const double at = cardToRuler(e);
        if (horizontal)
            p.drawLine(QPointF(at, 0), QPointF(at, kThickness));
        else
            p.drawLine(QPointF(0, at), QPointF(kThickness, at));
    }
}
