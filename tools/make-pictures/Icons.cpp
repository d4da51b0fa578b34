// Toolbar icons of the "Icons" folder: 32 x 32 single-colour glyphs on a
// transparent ground. "tool_N" is the drawing tool number N.

#include "Draw.h"

#include <QPainterPath>
#include <QtMath>
#include <initializer_list>

namespace pictures {
namespace {

using palette::ink;

void stroke(QPainter& p, qreal width = 2.0) {
  p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void solid(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
}

// Erases what lies under `r` (so an overlapping outline stays readable).
void erase(QPainter& p, const QRectF& r) {
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.fillRect(r, Qt::transparent);
  p.restore();
}

QPainterPath poly(std::initializer_list<QPointF> points, bool closed) {
  QPainterPath path;
  bool first = true;
  for (const QPointF& pt : points) {
    if (first) path.moveTo(pt); else path.lineTo(pt);
    first = false;
  }
  if (closed) path.closeSubpath();
  return path;
}

QPainterPath star(QPointF c, qreal outer, qreal inner, int points) {
  QPainterPath path;
  for (int i = 0; i < 2 * points; ++i) {
    const qreal a = -M_PI / 2 + i * M_PI / points, r = i % 2 ? inner : outer;
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) path.moveTo(pt); else path.lineTo(pt);
  }
  path.closeSubpath();
  return path;
}

// Open arrow head at `tip`, pointing along `degrees` (0 = right, 90 = down).
void arrowHead(QPainter& p, QPointF tip, qreal degrees, qreal size = 5) {
  const qreal a = qDegreesToRadians(degrees);
  auto arm = [&](qreal turn) {
    return tip - QPointF(size * std::cos(a + turn), size * std::sin(a + turn));
  };
  p.drawPath(poly({arm(M_PI / 4), tip, arm(-M_PI / 4)}, false));
}

void document(QPainter& p, const QRectF& r) {
  erase(p, r.adjusted(-1.5, -1.5, 1.5, 1.5));
  p.drawRoundedRect(r, 2, 2);
}

// Undo: a U-turn arrow pointing left; redo is its mirror image.
void uTurn(QPainter& p) {
  stroke(p, 2.4);
  QPainterPath path;
  path.moveTo(9, 11);
  path.lineTo(19, 11);
  path.cubicTo(24, 11, 27, 14.5, 27, 19);
  path.cubicTo(27, 23.5, 24, 27, 19, 27);
  path.lineTo(12, 27);
  p.drawPath(path);
  arrowHead(p, QPointF(8, 11), 180, 6.5);
}

void lockBody(QPainter& p) {
  solid(p);
  p.drawRoundedRect(QRectF(7, 14, 18, 14), 2.5, 2.5);
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.drawEllipse(QPointF(16, 20), 2.2, 2.2);
  p.drawRect(QRectF(15.2, 20, 1.6, 4.5));
  p.restore();
}

void shackle(QPainter& p, qreal lift, qreal rightEnd) {
  stroke(p, 2.6);
  QPainterPath path;
  path.moveTo(11, 14);
  path.lineTo(11, 9 - lift);
  path.arcTo(QRectF(11, 4 - lift, 10, 10), 180, -180);
  path.lineTo(21, rightEnd);
  p.drawPath(path);
}

void magnifier(QPainter& p, bool plus) {
  stroke(p, 2.2);
  p.drawEllipse(QPointF(13, 13), 8.5, 8.5);
  p.setPen(QPen(ink, 3.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19.8, 19.8), QPointF(27, 27));
  stroke(p, 2);
  p.drawLine(QPointF(9, 13), QPointF(17, 13));
  if (plus) p.drawLine(QPointF(13, 9), QPointF(13, 17));
}

// Alignment: a guide line and two bars; `horizontalGuide` puts the guide
// across (top, middle, bottom) and `where` is 0 start, 1 centre, 2 end.
void align(QPainter& p, bool horizontalGuide, int where) {
  const qreal guide = where == 0 ? 5 : (where == 1 ? 16 : 27);
  const qreal longBar = 18, shortBar = 11;
  auto along = [&](qreal length) {
    if (where == 0) return 8.0;
    if (where == 1) return 16 - length / 2;
    return 24 - length;
  };
  stroke(p, 2);
  if (horizontalGuide) p.drawLine(QPointF(4, guide), QPointF(28, guide));
  else p.drawLine(QPointF(guide, 4), QPointF(guide, 28));
  solid(p);
  for (int i = 0; i < 2; ++i) {
    const qreal length = i == 0 ? longBar : shortBar, across = i == 0 ? 8 : 19;
    const QRectF bar = horizontalGuide ? QRectF(across, along(length), 5, length)
                                       : QRectF(along(length), across, length, 5);
    p.drawRoundedRect(bar, 1, 1);
  }
}

struct Icon {
  const char* name;
  void (*draw)(QPainter&);
};

const Icon kIcons[] = {
    // Drawing tools, by tool number.
    {"tool_0", [](QPainter& p) {
       solid(p);
       p.drawPath(poly({{9, 4}, {9, 26}, {14.5, 21}, {18.5, 29}, {22, 27.5}, {18, 19.5}, {25, 19.5}}, true));
     }},
    {"tool_1", [](QPainter& p) {
       stroke(p, 2.5);
       p.drawLine(QPointF(7, 25), QPointF(25, 7));
       solid(p);
       p.drawEllipse(QPointF(7, 25), 2.8, 2.8);
       p.drawEllipse(QPointF(25, 7), 2.8, 2.8);
     }},
    {"tool_2", [](QPainter& p) {
       solid(p);
       p.drawRect(QRectF(6, 5, 20, 4.5));
       p.drawRect(QRectF(6, 5, 3, 8));
       p.drawRect(QRectF(23, 5, 3, 8));
       p.drawRect(QRectF(13.75, 5, 4.5, 22));
       p.drawRect(QRectF(10.5, 24.5, 11, 2.5));
     }},
    {"tool_3", [](QPainter& p) { stroke(p, 2.2); p.drawRect(QRectF(5, 8, 22, 16)); }},
    {"tool_4", [](QPainter& p) { stroke(p, 2.2); p.drawEllipse(QPointF(16, 16), 11, 11); }},
    {"tool_5", [](QPainter& p) { stroke(p, 2.2); p.drawRoundedRect(QRectF(5, 8, 22, 16), 5, 5); }},
    {"tool_6", [](QPainter& p) { stroke(p, 2.2); p.drawPath(poly({{16, 5}, {27.5, 26}, {4.5, 26}}, true)); }},
    {"tool_7", [](QPainter& p) { stroke(p, 2.2); p.drawPath(poly({{16, 4}, {28, 16}, {16, 28}, {4, 16}}, true)); }},
    {"tool_8", [](QPainter& p) { pictureGlyph(p, QRectF(4, 6, 24, 20), ink, 2); }},
    {"tool_9", [](QPainter& p) {
       stroke(p, 2);
       p.drawRoundedRect(QRectF(9, 4, 19, 16), 2, 2);
       erase(p, QRectF(2, 9, 23, 20));
       pictureGlyph(p, QRectF(4, 11, 20, 17), ink, 2);
     }},
    {"tool_10", [](QPainter& p) {
       const int bars[][2] = {{5, 2}, {8, 1}, {10, 3}, {15, 1}, {17, 2}, {21, 1}, {23, 3}, {27, 1}};
       for (const auto& b : bars) p.fillRect(b[0], 7, b[1], 18, ink);
     }},
    {"tool_11", [](QPainter& p) {
       stroke(p, 2);
       QPainterPath s;
       s.moveTo(4, 22);
       s.cubicTo(8, 6, 13, 7, 11, 18);
       s.cubicTo(10, 26, 14, 24, 17, 16);
       s.cubicTo(19, 11, 20, 20, 22, 18);
       s.cubicTo(24, 16, 25, 17, 28, 16);
       p.drawPath(s);
       stroke(p, 1.5);
       p.drawLine(QPointF(4, 27), QPointF(28, 27));
     }},
    {"tool_12", [](QPainter& p) {
       stroke(p, 1.8);
       const struct { qreal r, start, span; } arcs[] = {
           {3, 0, 300}, {6.5, 200, 300}, {10, 20, 290}, {13.5, 150, 260}};
       for (const auto& a : arcs) {
         const QRectF box(16 - a.r, 17 - a.r * 1.15, 2 * a.r, 2 * a.r * 1.15);
         QPainterPath arc;
         arc.arcMoveTo(box, a.start);
         arc.arcTo(box, a.start, a.span);
         p.drawPath(arc);
       }
     }},
    {"tool_13", [](QPainter& p) { stroke(p, 2); p.drawPath(star(QPointF(16, 17), 13, 5.5, 5)); }},
    {"tool_14", [](QPainter& p) { stroke(p, 1.8); p.drawPath(star(QPointF(16, 16.5), 13, 6.8, 7)); }},
    {"tool_15", [](QPainter& p) {
       stroke(p, 2.2);
       QPainterPath hex;
       for (int i = 0; i < 6; ++i) {
         const qreal a = M_PI / 6 + i * M_PI / 3;
         const QPointF pt(16 + 12 * std::cos(a), 16 + 12 * std::sin(a));
         if (i == 0) hex.moveTo(pt); else hex.lineTo(pt);
       }
       hex.closeSubpath();
       p.drawPath(hex);
     }},

    // Commands.
    {"new", [](QPainter& p) {
       stroke(p);
       p.drawPath(poly({{8, 4}, {19, 4}, {25, 10}, {25, 28}, {8, 28}}, true));
       p.drawPath(poly({{19, 4}, {19, 10}, {25, 10}}, false));
     }},
    {"open", [](QPainter& p) {
       stroke(p);
       p.drawPath(poly({{4, 26}, {4, 7}, {12, 7}, {14.5, 10}, {25, 10}, {25, 14}}, false));
       p.drawPath(poly({{4, 26}, {8.5, 14}, {29, 14}, {24.5, 26}}, true));
     }},
    {"save", [](QPainter& p) {
       stroke(p);
       p.drawPath(poly({{5, 5}, {23, 5}, {27, 9}, {27, 27}, {5, 27}}, true));
       p.drawRect(QRectF(9.5, 17, 13, 10));
       solid(p);
       p.drawRect(QRectF(10, 5, 11, 7));
     }},
    {"print", [](QPainter& p) {
       stroke(p);
       p.drawRect(QRectF(10, 4, 12, 8));
       p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
       erase(p, QRectF(8.5, 17.5, 15, 12));
       p.drawRect(QRectF(10, 19, 12, 9));
       solid(p);
       p.drawEllipse(QPointF(24, 15.5), 1.3, 1.3);
     }},
    {"export", [](QPainter& p) {
       stroke(p);
       p.drawPath(poly({{13, 7}, {6, 7}, {6, 26}, {25, 26}, {25, 19}}, false));
       p.drawLine(QPointF(13, 19), QPointF(26, 6));
       p.drawPath(poly({{18, 6}, {26, 6}, {26, 14}}, false));
     }},
    {"mail", [](QPainter& p) {
       stroke(p);
       p.drawRoundedRect(QRectF(4, 8, 24, 17), 1.5, 1.5);
       p.drawPath(poly({{4.5, 9}, {16, 18}, {27.5, 9}}, false));
     }},
    {"undo", uTurn},
    {"redo", [](QPainter& p) { p.translate(32, 0); p.scale(-1, 1); uTurn(p); }},
    {"cut", [](QPainter& p) {
       stroke(p);
       p.drawLine(QPointF(11.5, 20.5), QPointF(22, 4));
       p.drawLine(QPointF(20.5, 20.5), QPointF(10, 4));
       p.drawEllipse(QPointF(9, 24), 4, 4);
       p.drawEllipse(QPointF(23, 24), 4, 4);
     }},
    {"copy", [](QPainter& p) {
       stroke(p);
       p.drawRoundedRect(QRectF(11, 4, 15, 19), 2, 2);
       document(p, QRectF(6, 10, 15, 19));
     }},
    {"paste", [](QPainter& p) {
       stroke(p);
       p.drawRoundedRect(QRectF(6, 6, 20, 23), 2, 2);
       stroke(p, 1.6);
       p.drawLine(QPointF(10.5, 15), QPointF(21.5, 15));
       p.drawLine(QPointF(10.5, 19.5), QPointF(21.5, 19.5));
       p.drawLine(QPointF(10.5, 24), QPointF(17.5, 24));
       solid(p);
       p.drawRoundedRect(QRectF(11, 3, 10, 6), 1.5, 1.5);
     }},
    {"delete", [](QPainter& p) {
       stroke(p);
       p.drawLine(QPointF(5, 8), QPointF(27, 8));
       p.drawPath(poly({{12.5, 8}, {12.5, 4.5}, {19.5, 4.5}, {19.5, 8}}, false));
       p.drawPath(poly({{8, 8}, {10, 28}, {22, 28}, {24, 8}}, false));
       stroke(p, 1.5);
       for (qreal x : {13.0, 16.0, 19.0}) p.drawLine(QPointF(x, 12), QPointF(x, 24));
     }},
    {"front", [](QPainter& p) {
       stroke(p);
       p.drawRect(QRectF(4, 4, 16, 16));
       erase(p, QRectF(10, 10, 20, 20));
       solid(p);
       p.drawRect(QRectF(12, 12, 16, 16));
     }},
    {"back", [](QPainter& p) {
       solid(p);
       p.drawRect(QRectF(4, 4, 16, 16));
       erase(p, QRectF(10, 10, 20, 20));
       stroke(p);
       p.drawRect(QRectF(12, 12, 16, 16));
     }},
    {"lock", [](QPainter& p) { shackle(p, 0, 14); lockBody(p); }},
    {"unlock", [](QPainter& p) { shackle(p, 4, 7); lockBody(p); }},
    {"zoom_in", [](QPainter& p) { magnifier(p, true); }},
    {"zoom_out", [](QPainter& p) { magnifier(p, false); }},
    {"grid", [](QPainter& p) {
       stroke(p);
       p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
       stroke(p, 1.5);
       for (qreal v : {12.0, 20.0}) {
         p.drawLine(QPointF(v, 5), QPointF(v, 27));
         p.drawLine(QPointF(5, v), QPointF(27, v));
       }
     }},
    {"camera", [](QPainter& p) { cameraGlyph(p, QRectF(3, 4, 26, 25), ink, 2); }},
    {"crop", [](QPainter& p) {
       stroke(p, 2.4);
       p.drawPath(poly({{9, 3}, {9, 23}, {29, 23}}, false));
       p.drawPath(poly({{3, 9}, {23, 9}, {23, 29}}, false));
     }},
    {"visitor_log", [](QPainter& p) {
       stroke(p);
       p.drawRoundedRect(QRectF(8, 4, 19, 24), 2, 2);
       stroke(p, 1.6);
       p.drawLine(QPointF(14, 10), QPointF(23, 10));
       p.drawLine(QPointF(14, 15), QPointF(23, 15));
       p.drawLine(QPointF(14, 20), QPointF(20, 20));
       stroke(p, 2);
       for (qreal y : {9.0, 16.0, 23.0}) p.drawLine(QPointF(5, y), QPointF(10, y));
     }},
    {"profile", [](QPainter& p) {
       stroke(p);
       p.drawRoundedRect(QRectF(3, 7, 26, 19), 3, 3);
       personGlyph(p, QRectF(6, 10.5, 10, 13), ink);
       stroke(p, 1.6);
       p.drawLine(QPointF(18.5, 13), QPointF(25.5, 13));
       p.drawLine(QPointF(18.5, 17), QPointF(25.5, 17));
       p.drawLine(QPointF(18.5, 21), QPointF(23, 21));
     }},
    {"align_left", [](QPainter& p) { align(p, false, 0); }},
    {"align_center", [](QPainter& p) { align(p, false, 1); }},
    {"align_right", [](QPainter& p) { align(p, false, 2); }},
    {"align_top", [](QPainter& p) { align(p, true, 0); }},
    {"align_middle", [](QPainter& p) { align(p, true, 1); }},
    {"align_bottom", [](QPainter& p) { align(p, true, 2); }},
    {"same_size", [](QPainter& p) {
       stroke(p);
       p.drawRect(QRectF(4, 5, 10, 14));
       p.drawRect(QRectF(18, 5, 10, 14));
       stroke(p, 1.8);
       p.drawLine(QPointF(5, 26), QPointF(27, 26));
       arrowHead(p, QPointF(4, 26), 180, 4.5);
       arrowHead(p, QPointF(28, 26), 0, 4.5);
     }},
    {"help", [](QPainter& p) {
       stroke(p);
       p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
       p.setPen(ink);
       p.setFont(uiFont(19, true));
       p.drawText(QRectF(4, 4, 24, 25), Qt::AlignCenter, QStringLiteral("?"));
     }},
};

}  // namespace

bool makeIcons(const QDir& resources) {
  const QDir dir = subfolder(resources, "Icons");
  bool ok = true;
  for (const Icon& icon : kIcons) {
    QImage img = blank(32, 32);
    QPainter p(&img);
    prepare(p);
    icon.draw(p);
    p.end();
    ok &= save(img, dir, QString::fromLatin1(icon.name) + ".png");
  }
  return ok;
}

}  // namespace pictures
