// Glyphs that several pictures share.

#include "Draw.h"

#include <QPainterPath>

namespace pictures {

void pictureGlyph(QPainter& p, const QRectF& r, const QColor& c, qreal stroke) {
  p.save();
  const QRectF frame = r.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2);
  const qreal radius = r.width() * 0.08;
  p.setPen(QPen(c, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(frame, radius, radius);

  const QRectF in = frame.adjusted(stroke * 1.5, stroke * 1.5, -stroke * 1.5, -stroke * 1.5);
  QPainterPath clip;
  clip.addRoundedRect(in, radius / 2, radius / 2);
  p.setClipPath(clip);
  auto at = [&](qreal fx, qreal fy) { return QPointF(in.left() + fx * in.width(), in.top() + fy * in.height()); };
  QPainterPath hills;
  hills.moveTo(at(-0.05, 1.05));
  hills.lineTo(at(0.32, 0.45));
  hills.lineTo(at(0.55, 0.78));
  hills.lineTo(at(0.70, 0.60));
  hills.lineTo(at(1.05, 1.05));
  hills.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPath(hills);
  const qreal sun = in.width() * 0.11;
  p.drawEllipse(at(0.74, 0.27), sun, sun);
  p.restore();
}

void personGlyph(QPainter& p, const QRectF& r, const QColor& c) {
  p.save();
  p.setClipRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  const qreal cx = r.center().x();
  const qreal head = r.width() * 0.19;
  p.drawEllipse(QPointF(cx, r.top() + r.height() * 0.36), head, head * 1.1);
  const QRectF body(cx - r.width() * 0.40, r.top() + r.height() * 0.63, r.width() * 0.80, r.height() * 0.74);
  p.drawEllipse(body);
  p.restore();
}

void cameraGlyph(QPainter& p, const QRectF& r, const QColor& c, qreal stroke) {
  p.save();
  auto at = [&](qreal fx, qreal fy) { return QPointF(r.left() + fx * r.width(), r.top() + fy * r.height()); };
  p.setPen(QPen(c, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  QPainterPath body;
  const qreal rad = r.width() * 0.08;
  body.addRoundedRect(QRectF(at(0.04, 0.26), at(0.96, 0.88)), rad, rad);
  QPainterPath bump;
  bump.moveTo(at(0.30, 0.26));
  bump.lineTo(at(0.37, 0.12));
  bump.lineTo(at(0.63, 0.12));
  bump.lineTo(at(0.70, 0.26));
  p.drawPath(body);
  p.drawPath(bump);
  const qreal lens = r.width() * 0.19;
  p.drawEllipse(at(0.5, 0.57), lens, lens);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(at(0.81, 0.38), r.width() * 0.035, r.width() * 0.035);
  p.restore();
}

}  // namespace pictures
