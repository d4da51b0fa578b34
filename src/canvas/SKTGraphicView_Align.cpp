// The card view's alignment and sizing commands on the selection. Locked controls
// never move or change size, and a barcode's picture frame follows every change.
#include "SKTGraphicView.h"

#include "Globals.h"
#include "SKTGraphic.h"
#include "SKTGrid.h"

#include <optional>

namespace {
using C = SKTGraphicView::Command;

// Where a control of bounds `c` goes to meet the reference rectangle `r`: a new x or
// a new y (the other stays), or both for the centring on the card.
struct Target {
    std::optional<double> x, y;
};
Target alignedPosition(C command, const QRectF &r, const QRectF &c)
{
    switch (command) {
    case C::AlignLeftEdges: return {r.left(), std::nullopt};
    case C::AlignRightEdges: return {r.right() - c.width(), std::nullopt};
    case C::AlignHorizontalCenters: return {r.center().x() - c.width() / 2, std::nullopt};
    case C::AlignTopEdges: return {std::nullopt, r.top()};
    case C::AlignBottomEdges: return {std::nullopt, r.bottom() - c.height()};
    case C::AlignVerticalCenters: return {std::nullopt, r.center().y() - c.height() / 2};
    case C::AlignFormCenter: return {r.center().x() - c.width() / 2, r.center().y() - c.height() / 2};
    default: return {};
    }
}

// Moves the control to the target; false when it is already there.
bool moveTo(SKTGraphic &g, const Target &t)
{
    QRectF b = g.bounds();
    const QPointF before = b.topLeft();
    if (t.x && *t.x != b.x()) b.moveLeft(*t.x);
    if (t.y && *t.y != b.y()) b.moveTop(*t.y);
    if (b.topLeft() == before) return false;
    g.setBounds(b);
    SKTGraphicView::check_barcode_and_set_control_bounds(&g);
    return true;
}
} // namespace

bool SKTGraphicView::alignSelection(Command command)
{
    const auto chosen = selectedGraphics();
    if (chosen.empty()) return false;
    const QRectF card(QPointF(0, 0), cardSize());
    bool changed = false;
    // Centring on the card, and any alignment of a single control, is against the card;
    // otherwise every other control meets the first selected (topmost) one, which stays.
    const bool againstCard = command == C::AlignFormCenter || chosen.size() == 1;
    const QRectF reference = againstCard ? card : chosen.front()->bounds();
    for (size_t i = againstCard ? 0 : 1; i < chosen.size(); ++i) {
        SKTGraphic &g = *chosen[i];
        if (g.ctrl_is_locked) continue;
        changed |= moveTo(g, alignedPosition(command, reference, g.bounds()));
    }
    return changed;
}

bool SKTGraphicView::makeSameSize(bool width)
{
    const auto chosen = selectedGraphics();
    if (chosen.size() < 2) return false;
    const double size = width ? chosen.front()->width() : chosen.front()->height();
    bool changed = false;
    for (size_t i = 1; i < chosen.size(); ++i) {
        SKTGraphic &g = *chosen[i];
        if (g.ctrl_is_locked || g.kind() == GraphicKind::Barcode) continue;
        if ((width ? g.width() : g.height()) == size) continue;
        width ? g.setWidth(size) : g.setHeight(size);
        changed = true;
    }
    return changed;
}

bool SKTGraphicView::alignWithGrid()
{
    if (!m_grid || !m_grid->canAlign()) return false;
    return applyToUnlockedSelection(false, [this](SKTGraphic &g) { g.setBounds(m_grid->alignedRect(g.bounds())); });
}

bool SKTGraphicView::resizeSelected(void (SKTGraphic::*sizeStep)())
{
    bool changed = false;
    for (SKTGraphic *g : selectedGraphics()) {
        const QRectF before = g->bounds();
        (g->*sizeStep)();
        check_barcode_and_set_control_bounds(g);
        changed |= g->bounds() != before;
    }
    return changed;
}

bool SKTGraphicView::makeNaturalSize() { return resizeSelected(&SKTGraphic::makeNaturalSize); }

bool SKTGraphicView::makeSameAsLabelSize() { return resizeSelected(&SKTGraphic::makeSameAsLabelSize); }

bool SKTGraphicView::print_contol_or_not(int flag)
{
    return applyToUnlockedSelection(false, [flag](SKTGraphic &g) { g.print_object = flag; });
}

bool SKTGraphicView::Frame_main_Pic_X_Pos_Changed(double x)
{
    return applyToUnlockedSelection(false, [x](SKTGraphic &g) { g.setXPosition(x); });
}

bool SKTGraphicView::Frame_main_Pic_Y_Pos_Changed(double y)
{
    return applyToUnlockedSelection(false, [y](SKTGraphic &g) { g.setYPosition(y); });
}

bool SKTGraphicView::Frame_main_Pic_Wdith_Changed(double widthMM)
{
    const double w = MM_to_Points_Convert(widthMM);
    return applyToUnlockedSelection(true, [w](SKTGraphic &g) { g.setWidth(w); });
}

bool SKTGraphicView::Frame_main_Pic_Height_Changed(double heightMM)
{
    const double h = MM_to_Points_Convert(heightMM);
    return applyToUnlockedSelection(true, [h](SKTGraphic &g) { g.setHeight(h); });
}

bool SKTGraphicView::applyToUnlockedSelection(bool skipBarcodes, const std::function<void(SKTGraphic &)> &apply)
{
    bool any = false;
    for (SKTGraphic *g : selectedGraphics()) {
        if (g->ctrl_is_locked || (skipBarcodes && g->kind() == GraphicKind::Barcode)) continue;
        apply(*g);
        check_barcode_and_set_control_bounds(g);
        any = true;
    }
    return any;
}
