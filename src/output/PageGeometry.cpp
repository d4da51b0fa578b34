#include "PageGeometry.h"

#include <algorithm>
#include <cmath>

std::optional<Sides_Arrangement> Sides_Arrangement_Of_Code(const QString &code)
{
    static const char *const codes[] = {"UD", "U", "L", "DU", "DD"};
    for (int i = 0; i < 5; ++i)
        if (code == QLatin1String(codes[i])) return Sides_Arrangement(i);
    return std::nullopt;
}

bool Page_Layout::duplex() const
{
    return side == Run_Sides::Both && (algn == Sides_Arrangement::Duplex || algn == Sides_Arrangement::Duplex_Back_Turned);
}

namespace {

bool pairAbove(Run_Sides side, Sides_Arrangement algn)
{
    return side == Run_Sides::Both && (algn == Sides_Arrangement::Above || algn == Sides_Arrangement::Above_Back_Turned);
}

bool pairBeside(Run_Sides side, Sides_Arrangement algn)
{
    return side == Run_Sides::Both && algn == Sides_Arrangement::Beside;
}

// How many of `wanted` cells of `cell` points fit `printable` points when the typed
// gap stays: the count itself when there is room left, else the number that fits.
int fitTyped(int wanted, double cell, double gap, double printable)
{
    if ((printable - wanted * cell - (wanted - 1) * gap) / (wanted + 1) > 0) return wanted;
    const int k = int(std::floor((printable + gap) / (cell + gap)));
    return k < 1 ? 1 : std::min(wanted, k);
}

// Auto-centre along one axis: the even gap when `wanted` cells fit, else the number
// that fits with no gap.
void fitCentred(int &count, double &gap, double cell, double printable)
{
    const double g = (printable - count * cell) / (count + 1);
    if (g > 0) {
        gap = g;
        return;
    }
    const int k = int(printable / cell);
    count = k < 1 ? 1 : std::min(count, k);
    gap = 0;
}

} // namespace

Page_Layout Compute_Page_Layout(const Page_Layout_Input &in, int align)
{
    Page_Layout out;
    static_cast<Page_Sheet &>(out) = in;
    out.align = align;
    out.autoCenter = in.autoCenter && !in.fitToFrame;
    out.horzGap = in.horzGap;
    out.vertGap = in.vertGap;
    out.sideMar = in.sideMar;
    out.rows = std::max(1, in.rows);
    out.cols = std::max(1, in.cols);

    // Fit to frame and duplex pages hold one cell and no gaps.
    if (in.fitToFrame || out.duplex()) {
        out.rows = out.cols = 1;
        out.horzGap = out.vertGap = out.sideMar = 0;
    }

    double cw = in.cardWidth, ch = in.cardHeight;
    if (pairAbove(in.side, in.algn)) ch = 2 * in.cardHeight + out.sideMar;
    else if (pairBeside(in.side, in.algn)) cw = 2 * in.cardWidth + out.sideMar;
    else out.sideMar = 0;

    const double pw = in.paperWidth - in.leftMar - in.riteMar;
    const double ph = in.paperHeight - in.topMar - in.botMar;
    out.labelWidth = in.fitToFrame ? pw : cw;
    out.labelHeight = in.fitToFrame ? ph : ch;
    if (cw <= 0 || ch <= 0) return out;

    if (out.autoCenter) {
        fitCentred(out.cols, out.horzGap, cw, pw);
        fitCentred(out.rows, out.vertGap, ch, ph);
    } else {
        out.cols = fitTyped(out.cols, cw, out.horzGap, pw);
        out.rows = fitTyped(out.rows, ch, out.vertGap, ph);
    }
    return out;
}

QSizeF Card_Size_In_Cell(const Page_Layout &l)
{
    if (pairAbove(l.side, l.algn)) return {l.labelWidth, (l.labelHeight - l.sideMar) / 2};
    if (pairBeside(l.side, l.algn)) return {(l.labelWidth - l.sideMar) / 2, l.labelHeight};
    return {l.labelWidth, l.labelHeight};
}

std::vector<Cell_Place> Cell_Places(const Page_Layout &l)
{
    const double pw = l.paperWidth - l.leftMar - l.riteMar;
    const double ph = l.paperHeight - l.topMar - l.botMar;
    const double bw = l.cols * l.labelWidth + (l.cols - 1) * l.horzGap;
    const double bh = l.rows * l.labelHeight + (l.rows - 1) * l.vertGap;
    const QSizeF card = Card_Size_In_Cell(l);

    // Lower edge of the top row and left edge of the first column.
    double y0, x0;
    if (l.autoCenter) {
        y0 = bh - l.labelHeight + l.vertGap + l.botMar;
        x0 = l.leftMar + l.horzGap;
    } else {
        const int vertical = (l.align - 1) / 3;   // 0 top, 1 middle, 2 bottom
        const int horizontal = (l.align - 1) % 3; // 0 left, 1 centre, 2 right
        if (l.align < 1 || l.align > 9) y0 = l.paperHeight - l.labelHeight - l.topMar, x0 = l.leftMar;
        else {
            y0 = vertical == 0   ? l.paperHeight - l.labelHeight - l.topMar
                 : vertical == 1 ? l.botMar + (ph - bh) / 2 + bh - l.labelHeight
                                 : l.botMar + bh - l.labelHeight;
            x0 = horizontal == 0   ? l.leftMar
                 : horizontal == 1 ? l.leftMar + (pw - bw) / 2
                                   : l.paperWidth - bw - l.riteMar;
        }
    }

    std::vector<Cell_Place> places;
    places.reserve(size_t(l.rows * l.cols));
    for (int r = 1; r <= l.rows; ++r) {
        const double y = y0 - (r - 1) * (l.labelHeight + l.vertGap);
        for (int c = 1; c <= l.cols; ++c) {
            const double x = x0 + (c - 1) * (l.labelWidth + l.horzGap);
            Cell_Place p;
            p.row = r;
            p.col = c;
            p.cell = QRectF(x, y, l.labelWidth, l.labelHeight);
            if (pairAbove(l.side, l.algn)) {
                p.first = QRectF(x, y + card.height() + l.sideMar, card.width(), card.height());
                p.second = QRectF(x, y, card.width(), card.height());
                p.hasSecond = true;
            } else if (pairBeside(l.side, l.algn)) {
                p.first = QRectF(x, y, card.width(), card.height());
                p.second = QRectF(x + card.width() + l.sideMar, y, card.width(), card.height());
                p.hasSecond = true;
            } else {
                p.first = p.cell;
                p.second = p.cell;
                p.hasSecond = l.duplex();
            }
            places.push_back(p);
        }
    }
    return places;
}

QRectF To_Top_Left(const QRectF &r, double paperHeight)
{
    return QRectF(r.x(), paperHeight - r.y() - r.height(), r.width(), r.height());
}
