// The application's icon in the desktop's usual sizes, "AppIcon/dozo-idcard-N.png": a
// card with a header band, a photo of a person and lines of text, on a transparent
// ground. Drawn on a 256 grid and scaled, with fewer lines at the smallest sizes.

#include "Draw.h"

#include <QPainterPath>

namespace pictures {
namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

QImage appIcon(int size) {
  QImage img = blank(size, size);
  QPainter p(&img);
  prepare(p);
  p.scale(size / 256.0, size / 256.0);
  const bool small = size < 32;

  // The card, landscape, with a soft edge.
  const QRectF card(8, 40, 240, 176);
  QPainterPath outline;
  outline.addRoundedRect(card, 22, 22);
  p.setPen(Qt::NoPen);
  p.setBrush(palette::slateDark);
  p.drawPath(outline.translated(0, 6));
  p.setBrush(palette::white);
  p.drawPath(outline);

  // Header band.
  p.save();
  p.setClipPath(outline);
  p.fillRect(QRectF(card.left(), card.top(), card.width(), small ? 48 : 44), palette::slate);
  p.restore();

  // Photo with its frame.
  const QRectF photo(28, 100, 80, 96);
  p.setBrush(palette::greyLight);
  p.setPen(QPen(palette::slate, small ? 10 : 5));
  p.drawRoundedRect(photo, 8, 8);
  personGlyph(p, photo.adjusted(4, 4, -4, -4), palette::slate);

  // Lines of text: a name in ink, then lighter lines.
  p.setPen(Qt::NoPen);
  const qreal bar = small ? 20 : 14;
  p.setBrush(palette::ink);
  p.drawRoundedRect(QRectF(126, 108, 100, bar), bar / 2, bar / 2);
  p.setBrush(palette::teal);
  p.drawRoundedRect(QRectF(126, small ? 146 : 138, 84, bar), bar / 2, bar / 2);
  if (!small) {
    p.setBrush(palette::greyMid);
    p.drawRoundedRect(QRectF(126, 166, 92, bar), bar / 2, bar / 2);
  }
  p.end();
  return img;
}

}  // namespace

bool makeAppIcon(const QDir& resources) {
  const QDir dir = subfolder(resources, "AppIcon");
  bool ok = true;
  for (int size : kSizes)
    ok &= save(appIcon(size), dir, QStringLiteral("dozo-idcard-%1.png").arg(size));
  return ok;
}

}  // namespace pictures
