// Hatch patterns of the "Fill_Style_Image" folder: small tiles of black lines
// on a transparent ground that repeat without seams.

#include "Draw.h"

#include <QPainterPath>
#include <QtMath>
#include <functional>

namespace pictures {
namespace {

constexpr int kTile = 16;

// Draws `path` and its copies one tile away on every side, so whatever leaves
// the tile on one edge comes back on the opposite edge.
void drawWrapped(QPainter& p, const QPainterPath& path) {
  for (int dy : {-kTile, 0, kTile})
    for (int dx : {-kTile, 0, kTile}) p.drawPath(path.translated(dx, dy));
}

QPainterPath line(qreal x1, qreal y1, qreal x2, qreal y2) {
  QPainterPath path;
  path.moveTo(x1, y1);
  path.lineTo(x2, y2);
  return path;
}

QPainterPath dot(qreal x, qreal y, qreal r) {
  QPainterPath path;
  path.addEllipse(QPointF(x, y), r, r);
  return path;
}

struct Hatch {
  const char* name;
  std::function<void(QPainter&)> draw;
};

void pen(QPainter& p, qreal width = 1.0) {
  p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
}

void fill(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
}

void rows(QPainter& p) { for (int y : {3, 11}) p.fillRect(0, y, kTile, 1, Qt::black); }
void columns(QPainter& p) { for (int x : {3, 11}) p.fillRect(x, 0, 1, kTile, Qt::black); }
void rising(QPainter& p) {
  pen(p, 1.2);
  drawWrapped(p, line(0, kTile, kTile, 0));
  drawWrapped(p, line(-8, kTile, 8, 0));
}
void falling(QPainter& p) {
  pen(p, 1.2);
  drawWrapped(p, line(0, 0, kTile, kTile));
  drawWrapped(p, line(8, 0, kTile + 8, kTile));
}

const Hatch kHatches[] = {
    {"Horizontal", rows},
    {"Vertical", columns},
    {"Cross", [](QPainter& p) { rows(p); columns(p); }},
    {"Diagonal_Up", rising},
    {"Diagonal_Down", falling},
    {"Diagonal_Cross", [](QPainter& p) { rising(p); falling(p); }},
    {"Dots",
     [](QPainter& p) {
       fill(p);
       p.drawPath(dot(4, 4, 1.5));
       p.drawPath(dot(12, 12, 1.5));
     }},
    {"Grid_Dots",
     [](QPainter& p) {
       for (int y = 1; y < kTile; y += 4)
         for (int x = 1; x < kTile; x += 4) p.fillRect(x, y, 1, 1, Qt::black);
     }},
    {"Brick",
     [](QPainter& p) {
       p.fillRect(0, 0, kTile, 1, Qt::black);
       p.fillRect(0, 8, kTile, 1, Qt::black);
       p.fillRect(0, 1, 1, 7, Qt::black);
       p.fillRect(8, 9, 1, 7, Qt::black);
     }},
    {"Wave",
     [](QPainter& p) {
       pen(p, 1.2);
       QPainterPath wave;
       for (int i = 0; i <= 32; ++i) {
         const qreal x = i * kTile / 32.0, y = 8 + 3 * std::sin(2 * M_PI * x / kTile);
         if (i == 0) wave.moveTo(x, y); else wave.lineTo(x, y);
       }
       drawWrapped(p, wave);
     }},
    {"Zigzag",
     [](QPainter& p) {
       p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
       QPainterPath zig;
       zig.moveTo(0, 11);
       zig.lineTo(8, 5);
       zig.lineTo(16, 11);
       drawWrapped(p, zig);
     }},
    {"Checker",
     [](QPainter& p) {
       for (int y = 0; y < kTile; y += 4)
         for (int x = 0; x < kTile; x += 4)
           if (((x + y) / 4) % 2 == 0) p.fillRect(x, y, 4, 4, Qt::black);
     }},
};

}  // namespace

bool makeHatches(const QDir& resources) {
  const QDir dir = subfolder(resources, "Fill_Style_Image");
  bool ok = true;
  for (const Hatch& hatch : kHatches) {
    QImage tile = blank(kTile, kTile);
    QPainter p(&tile);
    prepare(p);
    hatch.draw(p);
    p.end();
    ok &= save(tile, dir, QString::fromLatin1(hatch.name) + ".png");
  }
  return ok;
}

}  // namespace pictures
