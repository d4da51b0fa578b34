#pragma once
// The face the face-detection tests draw (no photograph in the repository): on a
// 500 x 400 grey picture, a light face ellipse centred at (300, 180), dark eyes and
// brows, a nose line and a mouth. The painter's transform places and scales it.
#include <QPainter>

namespace testsupport {

inline void drawFace(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 210, 210));
    p.drawEllipse(QPointF(300, 180), 70, 90);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(272, 160), 14, 8);
    p.drawEllipse(QPointF(328, 160), 14, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60), 5));
    p.drawLine(QPointF(256, 140), QPointF(288, 140));
    p.drawLine(QPointF(312, 140), QPointF(344, 140));
    p.setPen(QPen(QColor(150, 150, 150), 4));
    p.drawLine(QPointF(300, 170), QPointF(300, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 70, 70));
    p.drawEllipse(QPointF(300, 225), 26, 9);
}

}  // namespace testsupport
