// The pictures of our three other products in the promotion window: a barcode
// studio, a label designer and a certificate maker, 256 x 256 each.

#include "Draw.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

namespace pictures {
namespace {

using namespace palette;

// Rounded square ground in the product's colour, lighter at the top.
void productGround(QPainter& p, const QColor& top, const QColor& bottom) {
  QLinearGradient g(0, 0, 0, 256);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
}

// A sheet lying slightly turned, with a soft shadow.
void sheet(QPainter& p, const QRectF& r, qreal angle, const QColor& fill) {
  p.save();
  p.translate(r.center());
  p.rotate(angle);
  const QRectF local(-r.width() / 2, -r.height() / 2, r.width(), r.height());
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawRoundedRect(local.translated(3, 5), 8, 8);
  p.setBrush(fill);
  p.drawRoundedRect(local, 8, 8);
  p.restore();
}

QImage barcodeStudio() {
  QImage img = blank(256, 256);
  QPainter p(&img);
  prepare(p);
  productGround(p, QColor("#4f78b8"), QColor("#2b4a80"));
  sheet(p, QRectF(40, 58, 176, 140), -4, white);
  p.save();
  p.translate(128, 128);
  p.rotate(-4);
  // Bars of widths 1 to 3 modules, in a fixed run.
  const int widths[] = {2, 1, 1, 3, 1, 2, 2, 1, 3, 1, 1, 2, 1, 3, 2, 1, 1, 2, 3, 1, 2, 1, 1, 3, 1, 2};
  qreal x = -70;
  bool bar = true;
  for (int w : widths) {
    if (bar) p.fillRect(QRectF(x, -46, w * 2.6, 70), QColor("#1c2536"));
    x += w * 2.6;
    bar = !bar;
  }
  p.setBrush(QColor("#1c2536"));
  for (int i = 0; i < 8; ++i) p.drawRoundedRect(QRectF(-62 + i * 16, 32, 10, 12), 2, 2);
  p.restore();
  return img;
}

QImage labelDesigner() {
  QImage img = blank(256, 256);
  QPainter p(&img);
  prepare(p);
  productGround(p, QColor("#2bb3ac"), QColor("#16726e"));
  // Three tags fanned out, each with its hole and lines of text.
  const struct { qreal angle; QColor fill; } tags[] = {
      {-18, QColor("#fde9b0")}, {-4, QColor("#d9f2ef")}, {10, white}};
  for (const auto& t : tags) {
    p.save();
    p.translate(128, 136);
    p.rotate(t.angle);
    QPainterPath tag;
    tag.moveTo(-70, -40);
    tag.lineTo(40, -40);
    tag.lineTo(74, 0);
    tag.lineTo(40, 40);
    tag.lineTo(-70, 40);
    tag.closeSubpath();
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawPath(tag.translated(3, 5));
    p.setBrush(t.fill);
    p.drawPath(tag);
    p.setBrush(QColor("#16726e"));
    p.drawEllipse(QPointF(48, 0), 7, 7);
    p.setBrush(QColor("#8e99ab"));
    for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(-58, -22 + i * 16, i == 0 ? 84 : 64, 8), 3, 3);
    p.restore();
  }
  return img;
}

QImage certificateMaker() {
  QImage img = blank(256, 256);
  QPainter p(&img);
  prepare(p);
  productGround(p, QColor("#c7884a"), QColor("#8a5526"));
  sheet(p, QRectF(44, 40, 168, 132), 0, QColor("#fffaf0"));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor("#c7884a"), 3));
  p.drawRoundedRect(QRectF(54, 50, 148, 112), 4, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#8a5526"));
  p.drawRoundedRect(QRectF(84, 70, 88, 10), 4, 4);
  p.setBrush(QColor("#b8a890"));
  for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(74 + i * 6, 92 + i * 14, 108 - i * 12, 6), 3, 3);
  // The seal with two ribbons below the sheet's corner.
  const QPointF seal(176, 172);
  p.setBrush(QColor("#c23b3b"));
  for (int side : {-1, 1}) {
    QPainterPath ribbon;
    ribbon.moveTo(seal + QPointF(side * 6, 0));
    ribbon.lineTo(seal + QPointF(side * 22, 56));
    ribbon.lineTo(seal + QPointF(side * 12, 48));
    ribbon.lineTo(seal + QPointF(side * 2, 58));
    ribbon.closeSubpath();
    p.drawPath(ribbon);
  }
  QPainterPath star;
  for (int i = 0; i < 24; ++i) {
    const qreal a = i * M_PI / 12, r = i % 2 ? 26 : 31;
    const QPointF pt = seal + QPointF(r * std::cos(a), r * std::sin(a));
    if (i == 0) star.moveTo(pt); else star.lineTo(pt);
  }
  star.closeSubpath();
  p.setBrush(QColor("#e0b23c"));
  p.drawPath(star);
  p.setBrush(QColor("#f3d170"));
  p.drawEllipse(seal, 17, 17);
  return img;
}

}  // namespace

bool makePromotionPictures(const QDir& resources) {
  bool ok = true;
  ok &= save(barcodeStudio(), resources, QStringLiteral("promo_barcode.png"));
  ok &= save(labelDesigner(), resources, QStringLiteral("promo_labels.png"));
  ok &= save(certificateMaker(), resources, QStringLiteral("promo_certificates.png"));
  return ok;
}

}  // namespace pictures
