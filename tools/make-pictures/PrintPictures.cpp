// The print window's pictures: the nine alignment buttons (where the block of cards
// sits on the sheet), each in a normal and a selected form, and the pictures of the
// side arrangements (how a front and back pair, or one side, lies on the sheet).

#include "Draw.h"

#include <QPainterPath>

namespace pictures {
namespace {

using namespace palette;

// 32 x 32: a sheet with the block of cards in one of nine places (1 top left ... 9
// bottom right). The block is filled slate, or teal on a light teal sheet when selected.
QImage alignment(int k, bool selected) {
  QImage img = blank(32, 32);
  QPainter p(&img);
  prepare(p);
  p.setPen(QPen(selected ? teal : grey, 1));
  p.setBrush(selected ? QColor("#d8f1ef") : white);
  p.drawRect(QRectF(4.5, 2.5, 23, 27));
  // The cards of the block: a 10 x 8 rectangle at 6/11/16 across and 5/12/19 down.
  const int col = (k - 1) % 3, row = (k - 1) / 3;
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(selected ? teal : slate);
  p.drawRect(QRect(6 + col * 5, 5 + row * 7, 10, 8));
  return img;
}

// A card of 44 x 28 with its top-left corner at `at`: a rounded frame, a photo at the
// left and text lines, and its side's letter; turned by 180 degrees when asked.
void card(QPainter& p, const QPointF& at, const QString& letter, bool back, bool turned) {
  p.save();
  p.translate(at + QPointF(22, 14));
  if (turned) p.rotate(180);
  p.translate(-22, -14);
  p.setPen(QPen(back ? slateDark : slate, 1.5));
  p.setBrush(back ? greyLight : white);
  p.drawRoundedRect(QRectF(0.75, 0.75, 42.5, 26.5), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(back ? grey : tealLight);
  p.drawRect(QRectF(4, 5, 11, 14));
  p.setBrush(greyMid);
  p.drawRect(QRectF(18, 7, 20, 3));
  p.drawRect(QRectF(18, 13, 14, 3));
  p.setPen(back ? slateDark : slate);
  p.setFont(uiFont(9, true));
  p.drawText(QRectF(4, 18, 36, 10), Qt::AlignRight | Qt::AlignVCenter, letter);
  p.restore();
}

// A sheet filling `r`, white with a grey edge.
void sheet(QPainter& p, const QRectF& r) {
  p.setPen(QPen(greyMid, 1));
  p.setBrush(white);
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

// A number under a duplex page.
void pageNumber(QPainter& p, const QRectF& r, int n) {
  p.setPen(grey);
  p.setFont(uiFont(9));
  p.drawText(r, Qt::AlignCenter, QString::number(n));
}

enum class Arrangement { UpDown, UpDownTurned, LeftRight, Duplex, DuplexTurned };

// 120 x 80: the pair cell of a two-sided arrangement on the sheet.
QImage pair(Arrangement a) {
  QImage img = blank(120, 80);
  QPainter p(&img);
  prepare(p);
  switch (a) {
  case Arrangement::UpDown:
  case Arrangement::UpDownTurned:
    sheet(p, QRectF(30, 2, 60, 76));
    card(p, QPointF(38, 8), "F", false, false);
    card(p, QPointF(38, 42), "B", true, a == Arrangement::UpDownTurned);
    break;
  case Arrangement::LeftRight:
    sheet(p, QRectF(8, 18, 104, 44));
    card(p, QPointF(13, 26), "F", false, false);
    card(p, QPointF(63, 26), "B", true, false);
    break;
  case Arrangement::Duplex:
  case Arrangement::DuplexTurned:
    sheet(p, QRectF(4, 6, 54, 58));
    sheet(p, QRectF(62, 6, 54, 58));
    card(p, QPointF(9, 21), "F", false, false);
    card(p, QPointF(67, 21), "B", true, a == Arrangement::DuplexTurned);
    pageNumber(p, QRectF(4, 64, 54, 14), 1);
    pageNumber(p, QRectF(62, 64, 54, 14), 2);
    break;
  }
  return img;
}

// 120 x 80: one side on the sheet, upright or turned.
QImage single(bool back, bool turned) {
  QImage img = blank(120, 80);
  QPainter p(&img);
  prepare(p);
  sheet(p, QRectF(30, 10, 60, 60));
  card(p, QPointF(38, 26), back ? "B" : "F", back, turned);
  return img;
}

}  // namespace

bool makePrintPictures(const QDir& dir) {
  static const char* const names[] = {"top_left",    "top_center",    "top_right",
                                      "middle_left", "middle_center", "middle_right",
                                      "bootom_left", "bootom_center", "boottom_right"};
  bool ok = true;
  for (int k = 1; k <= 9; ++k) {
    const QString name = QString::fromLatin1(names[k - 1]);
    ok &= save(alignment(k, false), dir, name + ".png");
    // The selected forms' names as the window loads them.
    const QString sel = k == 5 ? name + "_sel" : name + " - sel";
    ok &= save(alignment(k, true), dir, sel + ".png");
  }
  ok &= save(pair(Arrangement::UpDown), dir, "up-down.png");
  ok &= save(pair(Arrangement::UpDownTurned), dir, "up-down-flip.png");
  ok &= save(pair(Arrangement::LeftRight), dir, "left-rite.png");
  ok &= save(pair(Arrangement::Duplex), dir, "both_up.png");
  ok &= save(pair(Arrangement::DuplexTurned), dir, "head_up_head_down.png");
  ok &= save(single(false, false), dir, "front.png");
  ok &= save(single(false, true), dir, "front_flip.png");
  ok &= save(single(true, false), dir, "back.png");
  ok &= save(single(true, true), dir, "back_flip.png");
  return ok;
}

}  // namespace pictures
