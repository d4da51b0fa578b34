// The single pictures at the top of the resources folder: placeholders,
// samples of new controls, the banner, side buttons, patterns and cursors.

#include "Draw.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace pictures {
namespace {

using namespace palette;

// Light grey tile with a rounded border, the ground of the placeholders.
void placeholderGround(QPainter& p, const QRectF& r) {
  p.setPen(QPen(greyMid, 1.5));
  p.setBrush(greyLight);
  p.drawRoundedRect(r.adjusted(0.75, 0.75, -0.75, -0.75), 10, 10);
}

QImage noPicture() {
  QImage img = blank(120, 120);
  QPainter p(&img);
  prepare(p);
  placeholderGround(p, img.rect());
  pictureGlyph(p, QRectF(26, 30, 68, 60), grey, 5);
  return img;
}

QImage pictureError() {
  QImage img = blank(120, 120);
  QPainter p(&img);
  prepare(p);
  placeholderGround(p, img.rect());
  pictureGlyph(p, QRectF(18, 22, 68, 60), grey, 5);
  const QPointF c(86, 84);
  p.setPen(QPen(greyLight, 4));
  p.setBrush(red);
  p.drawEllipse(c, 20, 20);
  p.setPen(QPen(white, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-8, -8), c + QPointF(8, 8));
  p.drawLine(c + QPointF(-8, 8), c + QPointF(8, -8));
  return img;
}

QImage photoPlaceholder() {
  QImage img = blank(120, 150, QColor("#e4e8ee"));
  QPainter p(&img);
  prepare(p);
  personGlyph(p, QRectF(10, 14, 100, 136), QColor("#aab4c2"));
  return img;
}

// The banner is repeated sideways by the main window, so its left and right
// edges carry only the vertical gradient and line up when tiled.
QImage banner() {
  const int w = 728, h = 90;
  QImage img = blank(w, h);
  QPainter p(&img);
  prepare(p);
  QLinearGradient ground(0, 0, 0, h);
  ground.setColorAt(0, QColor("#46689f"));
  ground.setColorAt(1, QColor("#2e4877"));
  p.fillRect(img.rect(), ground);

  // Soft rings on the right.
  p.setPen(Qt::NoPen);
  const struct { qreal x, y, r; int alpha; } rings[] = {
      {640, 20, 70, 18}, {560, 95, 55, 14}, {676, 80, 38, 22}, {500, 10, 28, 12}};
  for (const auto& ring : rings) {
    p.setBrush(QColor(255, 255, 255, ring.alpha));
    p.drawEllipse(QPointF(ring.x, ring.y), ring.r, ring.r);
  }
  p.fillRect(QRectF(0, h - 4, w, 4), teal);

  // A small card as the mark.
  const QRectF card(22, 20, 66, 44);
  p.setBrush(white);
  p.drawRoundedRect(card, 6, 6);
  QPainterPath band;
  band.addRoundedRect(card, 6, 6);
  p.save();
  p.setClipPath(band);
  p.fillRect(QRectF(card.left(), card.top(), card.width(), 11), teal);
  p.restore();
  personGlyph(p, QRectF(28, 34, 22, 26), slate);
  p.setBrush(greyMid);
  for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(55, 38 + i * 7, i == 2 ? 18 : 27, 3.5), 1.5, 1.5);

  p.setPen(white);
  p.setFont(uiFont(30, true));
  p.drawText(QPointF(106, 48), QStringLiteral("DOZO ID Card"));
  p.setPen(QColor("#d3ddf0"));
  p.setFont(uiFont(15));
  p.drawText(QPointF(108, 72), QStringLiteral("Design and print ID cards and visitor passes"));
  return img;
}

QImage signatureSample() {
  QImage img = blank(200, 80);
  QPainter p(&img);
  prepare(p);
  QPainterPath s;
  s.moveTo(14, 50);
  const qreal curves[][6] = {
      {18, 22, 34, 10, 36, 22},   {38, 36, 22, 58, 16, 62},   {12, 64, 14, 54, 26, 50},
      {38, 46, 44, 40, 48, 44},   {52, 48, 48, 56, 54, 54},   {60, 52, 62, 40, 66, 44},
      {70, 48, 68, 56, 74, 52},   {80, 46, 84, 22, 90, 18},   {94, 16, 92, 30, 88, 40},
      {86, 48, 88, 56, 96, 50},   {102, 44, 106, 40, 110, 46}, {114, 52, 116, 54, 122, 46},
      {128, 38, 130, 44, 134, 48}, {138, 52, 144, 46, 150, 42}, {160, 36, 172, 38, 186, 34}};
  for (const auto& c : curves) s.cubicTo(c[0], c[1], c[2], c[3], c[4], c[5]);
  QPainterPath flourish;
  flourish.moveTo(26, 68);
  flourish.cubicTo(80, 59, 140, 62, 192, 55);
  const QColor inkBlue("#1d2b4f");
  p.setPen(QPen(inkBlue, 2.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(s);
  p.setPen(QPen(inkBlue, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(flourish);
  return img;
}

// Concentric, gently distorted elliptical ridges, each broken once, inside
// the outline of a finger tip.
QImage fingerprint() {
  QImage img = blank(100, 120);
  QPainter p(&img);
  prepare(p);
  const QPointF centre(50, 64);
  QPainterPath outline;
  outline.addEllipse(QPointF(50, 60), 46, 56);
  p.setClipPath(outline);
  p.setPen(QPen(QColor("#3a4252"), 1.7, Qt::SolidLine, Qt::RoundCap));
  for (int k = 1; k <= 15; ++k) {
    const qreal rx = 3.3 * k, ry = 4.1 * k;
    const qreal gap = std::fmod(k * 2.39, 2 * M_PI);  // where the ridge breaks
    QPainterPath ridge;
    bool started = false;
    for (int i = 0; i <= 180; ++i) {
      const qreal t = gap + 0.35 + i * (2 * M_PI - 0.7) / 180;
      // One smooth distortion shared by all ridges, growing outwards, so
      // neighbouring ridges never cross.
      const qreal wobble = (k / 15.0) * (2.2 * std::sin(3 * t + 0.6) + 1.2 * std::sin(5 * t + 2.1));
      const QPointF pt(centre.x() + (rx + wobble) * std::cos(t),
                       centre.y() - 0.35 * k + (ry + wobble) * std::sin(t));
      if (!started) ridge.moveTo(pt); else ridge.lineTo(pt);
      started = true;
    }
    p.drawPath(ridge);
  }
  return img;
}

QImage sideButton(const QString& text, bool selected) {
  QImage img = blank(90, 28);
  QPainter p(&img);
  prepare(p);
  QLinearGradient fill(0, 0, 0, 28);
  fill.setColorAt(0, selected ? QColor("#4d6fa8") : QColor("#fbfcfd"));
  fill.setColorAt(1, selected ? QColor("#34528a") : QColor("#e3e8ef"));
  p.setPen(QPen(selected ? slateDark : QColor("#b3bdcc"), 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(0.5, 0.5, 89, 27), 6, 6);
  p.setPen(selected ? white : ink);
  p.setFont(uiFont(13, selected));
  p.drawText(QRectF(0, 0, 90, 28), Qt::AlignCenter, text);
  return img;
}

QImage noCamera() {
  QImage img = blank(640, 480);
  QPainter p(&img);
  prepare(p);
  QRadialGradient ground(QPointF(320, 220), 420);
  ground.setColorAt(0, QColor("#3a4558"));
  ground.setColorAt(1, QColor("#1f2530"));
  p.fillRect(img.rect(), ground);
  const QColor glyph("#c7ced8");
  cameraGlyph(p, QRectF(220, 120, 200, 160), glyph, 9);
  p.setPen(QPen(QColor("#2d3544"), 24, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(224, 116), QPointF(416, 292));
  p.setPen(QPen(red, 10, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(224, 116), QPointF(416, 292));
  p.setPen(glyph);
  p.setFont(uiFont(30));
  p.drawText(QRectF(0, 330, 640, 50), Qt::AlignCenter, QStringLiteral("No camera"));
  return img;
}

// Quiet grounds for the promotion window and the card wizards.
QImage promotionPattern() {
  QImage img = blank(600, 400, QColor("#f2f4f8"));
  QPainter p(&img);
  prepare(p);
  QRadialGradient glow(QPointF(80, 40), 420);
  glow.setColorAt(0, QColor(255, 255, 255, 220));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(img.rect(), glow);
  p.setPen(QPen(QColor(59, 91, 146, 16), 1.2));
  for (int d = -400; d < 600; d += 16) p.drawLine(QPointF(d, 400), QPointF(d + 400, 0));
  return img;
}

QImage wizardPattern() {
  QImage img = blank(600, 400, QColor("#f7f9fb"));
  QPainter p(&img);
  prepare(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#dde3ea"));
  for (int y = 10; y < 400; y += 20)
    for (int x = 10; x < 600; x += 20) p.drawEllipse(QPointF(x, y), 1.2, 1.2);
  for (int layer = 0; layer < 2; ++layer) {
    QPainterPath wave;
    const qreal base = 330 + layer * 22;
    wave.moveTo(0, base);
    wave.cubicTo(160, base - 50, 360, base + 40, 600, base - 30);
    wave.lineTo(600, 400);
    wave.lineTo(0, 400);
    wave.closeSubpath();
    p.setBrush(layer == 0 ? QColor(59, 91, 146, 22) : QColor(31, 158, 154, 26));
    p.drawPath(wave);
  }
  return img;
}

// Crosshair for creating controls; the hot spot is the centre pixel (16, 16).
QImage crossCursor() {
  QImage img = blank(32, 32);
  QPainter p(&img);
  const int c = 16;
  for (int pass = 0; pass < 2; ++pass) {
    const int halo = pass == 0 ? 1 : 0;
    const QColor colour = pass == 0 ? Qt::white : Qt::black;
    for (int sign : {-1, 1}) {
      const int from = c + sign * 3, to = c + sign * 14;
      const int a = std::min(from, to), len = std::abs(to - from) + 1;
      p.fillRect(a - halo, c - halo, len + 2 * halo, 1 + 2 * halo, colour);
      p.fillRect(c - halo, a - halo, 1 + 2 * halo, len + 2 * halo, colour);
    }
    p.fillRect(c - halo, c - halo, 1 + 2 * halo, 1 + 2 * halo, colour);
  }
  return img;
}

// Diagonal double arrow of the resize cursors, 18 x 18 with the hot spot at
// (9, 9); `rising` runs from the lower left to the upper right.
QImage diagonalCursor(bool rising) {
  QImage img = blank(18, 18);
  QPainter p(&img);
  prepare(p);
  p.translate(9, 9);
  p.rotate(rising ? -45 : 45);
  QPainterPath arrow;
  arrow.moveTo(-8.5, 0);
  arrow.lineTo(-3.5, -4.5);
  arrow.lineTo(-3.5, -1.3);
  arrow.lineTo(3.5, -1.3);
  arrow.lineTo(3.5, -4.5);
  arrow.lineTo(8.5, 0);
  arrow.lineTo(3.5, 4.5);
  arrow.lineTo(3.5, 1.3);
  arrow.lineTo(-3.5, 1.3);
  arrow.lineTo(-3.5, 4.5);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::black);
  p.drawPath(arrow);
  p.setPen(Qt::NoPen);
  p.drawPath(arrow);
  return img;
}

}  // namespace

bool makeMainPictures(const QDir& dir) {
  bool ok = true;
  ok &= save(noPicture(), dir, "no.png");
  ok &= save(pictureError(), dir, "pic_err.png");
  ok &= save(photoPlaceholder(), dir, "pic_ic.png");
  ok &= save(banner(), dir, "banner.png");
  ok &= save(signatureSample(), dir, "sign_sample.png");
  ok &= save(fingerprint(), dir, "fingerprints.png");
  ok &= save(sideButton("Front", false), dir, "front-2.png");
  ok &= save(sideButton("Back", false), dir, "back-2.png");
  ok &= save(sideButton("Front", true), dir, "front-sel.png");
  ok &= save(sideButton("Back", true), dir, "back-sel.png");
  ok &= save(noCamera(), dir, "no_camera.jpg");
  ok &= save(promotionPattern(), dir, "pattern_1.jpg");
  ok &= save(wizardPattern(), dir, "Wizard_pattern.jpg");
  ok &= save(crossCursor(), dir, "Cross.png");
  ok &= save(diagonalCursor(false), dir, "TopBottom.png");
  ok &= save(diagonalCursor(true), dir, "BottomTop.png");
  return ok;
}

}  // namespace pictures
