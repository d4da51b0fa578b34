// Card backgrounds of the "Background" folder, 1020 x 648 (a CR80 card at
// 300 dpi, landscape).

#include "Draw.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace pictures {
namespace {

using namespace palette;

constexpr int W = 1020, H = 648;

// A band under a sine-shaped edge, from the edge down to the bottom.
QPainterPath waveBand(qreal base, qreal amplitude, qreal periods, qreal phase) {
  QPainterPath path;
  path.moveTo(0, H);
  for (int x = 0; x <= W; x += 6)
    path.lineTo(x, base + amplitude * std::sin(2 * M_PI * periods * x / W + phase));
  path.lineTo(W, H);
  path.closeSubpath();
  return path;
}

QImage blueWaves() {
  QImage img = blank(W, H);
  QPainter p(&img);
  prepare(p);
  QLinearGradient sky(0, 0, 0, H);
  sky.setColorAt(0, QColor("#f4f7fc"));
  sky.setColorAt(1, QColor("#d9e4f4"));
  p.fillRect(img.rect(), sky);
  p.setPen(Qt::NoPen);
  const struct { qreal base, amp, periods, phase; QColor colour; } waves[] = {
      {430, 34, 1.0, 0.0, QColor(59, 91, 146, 60)},
      {480, 28, 1.3, 1.8, QColor(59, 91, 146, 90)},
      {530, 24, 0.8, 3.4, QColor(43, 63, 99, 150)},
      {580, 18, 1.6, 0.9, QColor(31, 158, 154, 140)}};
  for (const auto& w : waves) {
    p.setBrush(w.colour);
    p.drawPath(waveBand(w.base, w.amp, w.periods, w.phase));
  }
  return img;
}

QImage corporateBand() {
  QImage img = blank(W, H, white);
  QPainter p(&img);
  prepare(p);
  p.fillRect(QRectF(0, 0, W, 150), slate);
  QPainterPath slant;
  slant.moveTo(W - 380, 0);
  slant.lineTo(W, 0);
  slant.lineTo(W, 150);
  slant.lineTo(W - 300, 150);
  slant.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(slateDark);
  p.drawPath(slant);
  p.fillRect(QRectF(0, 150, W, 12), teal);
  p.fillRect(QRectF(0, H - 44, W, 44), greyLight);
  p.fillRect(QRectF(0, H - 48, W, 4), slate);
  return img;
}

QImage softGradient() {
  QImage img = blank(W, H);
  QPainter p(&img);
  prepare(p);
  QLinearGradient ground(0, 0, W, H);
  ground.setColorAt(0, QColor("#e6f5f4"));
  ground.setColorAt(0.55, QColor("#edf1f8"));
  ground.setColorAt(1, QColor("#d6e0f0"));
  p.fillRect(img.rect(), ground);
  const struct { qreal x, y, r; QColor colour; } glows[] = {
      {160, 120, 360, QColor(31, 158, 154, 70)},
      {900, 560, 420, QColor(59, 91, 146, 70)},
      {820, 90, 220, QColor(255, 255, 255, 160)}};
  for (const auto& g : glows) {
    QRadialGradient glow(QPointF(g.x, g.y), g.r);
    glow.setColorAt(0, g.colour);
    QColor clear = g.colour;
    clear.setAlpha(0);
    glow.setColorAt(1, clear);
    p.fillRect(img.rect(), glow);
  }
  return img;
}

// Low triangles in tints of the palette over a light ground.
QImage geometricShapes() {
  QImage img = blank(W, H, QColor("#f5f7fa"));
  QPainter p(&img);
  prepare(p);
  p.setPen(Qt::NoPen);
  const int cols = 12, rows = 8;
  const qreal cw = qreal(W) / cols, ch = qreal(H) / rows;
  quint32 state = 2024;
  auto next = [&]() { state = state * 1664525u + 1013904223u; return (state >> 8) % 1000 / 1000.0; };
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      // Stronger towards the right-hand side, empty on the left for text.
      const qreal weight = std::max(0.0, (c - 5.0) / (cols - 5.0));
      if (weight <= 0) continue;
      const QPointF a(c * cw, r * ch), b((c + 1) * cw, r * ch), d(c * cw, (r + 1) * ch),
          e((c + 1) * cw, (r + 1) * ch);
      for (int half = 0; half < 2; ++half) {
        const qreal v = next();
        QColor colour = v < 0.5 ? slate : (v < 0.8 ? teal : grey);
        colour.setAlpha(int(20 + 140 * weight * next()));
        p.setBrush(colour);
        const QPointF tri[3] = {half ? b : a, half ? d : b, half ? e : d};
        p.drawPolygon(tri, 3);
      }
    }
  }
  return img;
}

// A quiet pattern of small diamonds.
QImage lightPattern() {
  QImage img = blank(W, H, QColor("#f7f8fa"));
  QPainter p(&img);
  prepare(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#e3e8ef"));
  const qreal step = 34;
  for (int row = 0; row * step / 2 <= H + step; ++row) {
    for (qreal x = (row % 2) * step / 2; x <= W + step; x += step) {
      const qreal y = row * step / 2;
      const QPointF diamond[4] = {{x, y - 6}, {x + 6, y}, {x, y + 6}, {x - 6, y}};
      p.drawPolygon(diamond, 4);
    }
  }
  return img;
}

QImage tealCurves() {
  QImage img = blank(W, H, white);
  QPainter p(&img);
  prepare(p);
  p.setPen(Qt::NoPen);
  QPainterPath left;
  left.moveTo(0, 0);
  left.lineTo(260, 0);
  left.cubicTo(140, 180, 200, 420, 60, H);
  left.lineTo(0, H);
  left.closeSubpath();
  QLinearGradient tealFill(0, 0, 260, H);
  tealFill.setColorAt(0, teal);
  tealFill.setColorAt(1, QColor("#177b78"));
  p.setBrush(tealFill);
  p.drawPath(left);
  QPainterPath accent;
  accent.moveTo(290, 0);
  accent.lineTo(312, 0);
  accent.cubicTo(190, 180, 250, 420, 110, H);
  accent.lineTo(88, H);
  accent.cubicTo(228, 420, 168, 180, 290, 0);
  p.setBrush(QColor(59, 91, 146, 200));
  p.drawPath(accent);
  QPainterPath corner;
  corner.moveTo(W, H - 170);
  corner.cubicTo(W - 120, H - 110, W - 240, H - 30, W - 360, H);
  corner.lineTo(W, H);
  corner.closeSubpath();
  p.setBrush(QColor(31, 158, 154, 60));
  p.drawPath(corner);
  return img;
}

}  // namespace

bool makeBackgrounds(const QDir& resources) {
  const QDir dir = subfolder(resources, "Background");
  bool ok = true;
  ok &= save(blueWaves(), dir, "Blue_Waves.jpg");
  ok &= save(corporateBand(), dir, "Corporate_Band.png");
  ok &= save(softGradient(), dir, "Soft_Gradient.jpg");
  ok &= save(geometricShapes(), dir, "Geometric_Shapes.jpg");
  ok &= save(lightPattern(), dir, "Light_Pattern.png");
  ok &= save(tealCurves(), dir, "Teal_Curves.png");
  return ok;
}

}  // namespace pictures
