// Clip art of the image library: "LibraryImage/<category>/<name>.png",
// 256 x 256 on a transparent ground.

#include "Draw.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

namespace pictures {
namespace {

using namespace palette;

constexpr int S = 256;
const QColor gold("#f2b33d");

QPainterPath star(QPointF c, qreal outer, qreal inner, int points) {
  QPainterPath path;
  for (int i = 0; i < 2 * points; ++i) {
    const qreal a = -M_PI / 2 + i * M_PI / points;
    const qreal r = i % 2 ? inner : outer;
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) path.moveTo(pt); else path.lineTo(pt);
  }
  path.closeSubpath();
  return path;
}

QLinearGradient slateFill(qreal top, qreal bottom) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, QColor("#4a6ba4"));
  g.setColorAt(1, slateDark);
  return g;
}

void companyLogo(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(slateFill(16, 240));
  p.drawRoundedRect(QRectF(16, 16, 224, 224), 44, 44);
  p.setPen(QPen(white, 14));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(128, 104), 50, 50);
  p.setPen(Qt::NoPen);
  p.setBrush(teal);
  p.drawEllipse(QPointF(128, 104), 22, 22);
  p.setPen(white);
  p.setFont(uiFont(40, true));
  p.drawText(QRectF(16, 166, 224, 56), Qt::AlignCenter, QStringLiteral("LOGO"));
}

void starBadge(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(slate);
  p.drawPath(star(QPointF(128, 128), 118, 104, 24));
  p.setPen(QPen(white, 6));
  p.setBrush(QColor("#34528a"));
  p.drawEllipse(QPointF(128, 128), 88, 88);
  p.setPen(Qt::NoPen);
  p.setBrush(gold);
  p.drawPath(star(QPointF(128, 134), 66, 27, 5));
}

void checkMark(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(teal);
  p.drawEllipse(QPointF(128, 128), 116, 116);
  p.setPen(QPen(white, 26, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath tick;
  tick.moveTo(72, 132);
  tick.lineTo(110, 170);
  tick.lineTo(186, 90);
  p.setBrush(Qt::NoBrush);
  p.drawPath(tick);
}

QPainterPath shieldPath(qreal inset) {
  QPainterPath path;
  path.moveTo(128, 12 + inset);
  path.cubicTo(170, 38 + inset * 0.5, 200, 42 + inset * 0.5, 226 - inset, 42 + inset);
  path.cubicTo(228 - inset, 150, 190 - inset * 0.5, 208 - inset * 0.5, 128, 246 - inset * 1.4);
  path.cubicTo(66 + inset * 0.5, 208 - inset * 0.5, 28 + inset, 150, 30 + inset, 42 + inset);
  path.cubicTo(56, 42 + inset * 0.5, 86, 38 + inset * 0.5, 128, 12 + inset);
  path.closeSubpath();
  return path;
}

void shield(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(slateFill(12, 246));
  p.drawPath(shieldPath(0));
  p.setPen(QPen(tealLight, 8));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shieldPath(22));
  p.setPen(Qt::NoPen);
  p.setBrush(white);
  p.drawPath(star(QPointF(128, 128), 46, 19, 5));
}

void globe(QPainter& p) {
  const QPointF c(128, 128);
  const qreal r = 112;
  QLinearGradient sea(0, 16, 0, 240);
  sea.setColorAt(0, QColor("#2fb3ae"));
  sea.setColorAt(1, QColor("#17807c"));
  p.setPen(Qt::NoPen);
  p.setBrush(sea);
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(255, 255, 255, 220), 6));
  p.setBrush(Qt::NoBrush);
  for (qreal w : {0.0, 0.45, 0.8}) p.drawEllipse(c, r * w, r);
  for (qreal lat : {-0.55, 0.0, 0.55}) {
    const qreal y = c.y() + lat * r, half = r * std::sqrt(1 - lat * lat);
    p.drawLine(QPointF(c.x() - half, y), QPointF(c.x() + half, y));
  }
  p.setPen(QPen(slateDark, 8));
  p.drawEllipse(c, r, r);
}

void building(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(slateFill(24, 236));
  p.drawRect(QRectF(56, 24, 144, 212));
  p.setBrush(QColor("#5f7fb5"));
  p.drawRect(QRectF(28, 110, 48, 126));
  p.drawRect(QRectF(180, 80, 48, 156));
  p.setBrush(QColor("#dce6f5"));
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 4; ++col) p.drawRect(QRectF(72 + col * 30, 42 + row * 26, 18, 14));
  p.setBrush(teal);
  p.drawRect(QRectF(110, 196, 36, 40));
  p.fillRect(QRectF(12, 236, 232, 8), grey);
}

void person(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(greyLight);
  p.drawEllipse(QPointF(128, 128), 118, 118);
  QPainterPath round;
  round.addEllipse(QPointF(128, 128), 118, 118);
  p.save();
  p.setClipPath(round);
  personGlyph(p, QRectF(28, 24, 200, 232), slate);
  p.restore();
}

// Looks like a two-dimensional code; encodes nothing.
void qrPattern(QPainter& p) {
  const int n = 25;
  const qreal m = 9.6, origin = (S - n * m) / 2;
  auto cell = [&](int x, int y) { return QRectF(origin + x * m, origin + y * m, m + 0.2, m + 0.2); };
  auto inFinder = [&](int x, int y) {
    auto near = [&](int fx, int fy) { return x >= fx - 1 && x <= fx + 7 && y >= fy - 1 && y <= fy + 7; };
    return near(0, 0) || near(n - 7, 0) || near(0, n - 7);
  };
  p.setRenderHint(QPainter::Antialiasing, false);
  quint32 state = 77;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      state = state * 1103515245u + 12345u;
      if (!inFinder(x, y) && (state >> 16) % 2) p.fillRect(cell(x, y), ink);
    }
  for (QPoint f : {QPoint(0, 0), QPoint(n - 7, 0), QPoint(0, n - 7)}) {
    p.fillRect(cell(f.x(), f.y()).united(cell(f.x() + 6, f.y() + 6)), ink);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(cell(f.x() + 1, f.y() + 1).united(cell(f.x() + 5, f.y() + 5)), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(cell(f.x() + 2, f.y() + 2).united(cell(f.x() + 4, f.y() + 4)), ink);
  }
}

struct ClipArt {
  const char* category;
  const char* name;
  void (*draw)(QPainter&);
};

const ClipArt kClipArt[] = {
    {"Business", "Company_Logo", companyLogo}, {"Business", "Building", building},
    {"Business", "Person", person},            {"Symbols", "Star_Badge", starBadge},
    {"Symbols", "Check_Mark", checkMark},      {"Symbols", "Shield", shield},
    {"Symbols", "Globe", globe},               {"Symbols", "QR_Pattern", qrPattern},
};

}  // namespace

bool makeLibrary(const QDir& resources) {
  const QDir library = subfolder(resources, "LibraryImage");
  bool ok = true;
  for (const ClipArt& art : kClipArt) {
    QImage img = blank(S, S);
    QPainter p(&img);
    prepare(p);
    art.draw(p);
    p.end();
    ok &= save(img, subfolder(library, art.category), QString::fromLatin1(art.name) + ".png");
  }
  return ok;
}

}  // namespace pictures
