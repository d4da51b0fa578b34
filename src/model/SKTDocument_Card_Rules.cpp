// Rules of the card that hold whatever road changes it: which control of a side is the
// visitor's photo, and, in group mode, that the texts of one column show one cell.
#include "SKTDocument.h"

#include "ScopedFlag.h"

#include <QThread>

namespace {
const QString kPhotoID = QStringLiteral("Fup_Photo");
const QString kTextHere = QStringLiteral("Text here");

bool Is_Photo_ID(const SKTGraphic &g)
{
    return g.kind() == GraphicKind::Image && g.control_ID.trimmed() == kPhotoID;
}

bool Is_Empty_Text(const QString &text) { return text.isEmpty() || text == kTextHere; }

// The spreadsheet column a text shows (-1 for none).
int Cell_Column(const SKTGraphic &g)
{
    if (g.kind() != GraphicKind::Text || g.data_source_type_val() != Data_Source_Spreadsheet) return -1;
    return g.excel_col_indx >= 1 ? g.excel_col_indx : -1;
}
} // namespace

int SKTDocument::sideHolding(const SKTGraphic *g) const
{
    return m_graphics.contains(g) ? 0 : m_graphicsBack.contains(g) ? 1 : -1;
}

// ---- The visitor's photo ----
// A mark on the control, so that it goes with the control when it is deleted and comes
// back with it from an undo snapshot.

SKTGraphic *SKTDocument::Visitor_Photo(int side) const
{
    if (side != 0 && side != 1) return nullptr;
    for (const GraphicPtr &g : (side == 1 ? m_graphicsBack : m_graphics).items())
        if (g->Is_Visitor_Photo()) return g.get();
    return nullptr;
}

void SKTDocument::Set_Visitor_Photo(int side, const SKTGraphic *photo)
{
    if (side != 0 && side != 1) return;
    // The old photo loses its mark before the new one gets it: whoever hears either
    // change finds one photo on the side, never two.
    const std::vector<GraphicPtr> &controls = (side == 1 ? m_graphicsBack : m_graphics).items();
    // The marks' own changes are no event of the photo rule.
    const Scoped_Value<bool> setting(m_settingPhoto, true);
    for (const GraphicPtr &g : controls)
        if (g.get() != photo) g->Set_Visitor_Photo_Mark(false);
    for (const GraphicPtr &g : controls)
        if (g.get() == photo) g->Set_Visitor_Photo_Mark(true);
}

SKTGraphic *SKTDocument::Design_Photo(const SKTGraphicList &controls)
{
    SKTGraphic *unnamed = nullptr;
    for (const GraphicPtr &g : controls.items()) {
        if (g->kind() != GraphicKind::Image) continue;
        const QString id = g->control_ID.trimmed();
        if (id == kPhotoID) return g.get();
        if (id.isEmpty() && !unnamed) unnamed = g.get();
    }
    return unnamed;
}

void SKTDocument::Take_Visitor_Photos_From_Design()
{
    for (int side : {0, 1}) Set_Visitor_Photo(side, Design_Photo(sideList(side)));
}

// ---- One cell, one text ----

bool SKTDocument::Same_Cell_Value(const QString &a, const QString &b)
{
    return a == b || (Is_Empty_Text(a) && Is_Empty_Text(b));
}

std::vector<SKTGraphic *> SKTDocument::sameCellTexts(const SKTGraphic &g) const
{
    std::vector<SKTGraphic *> texts;
    const int column = Cell_Column(g);
    if (Start_Card_Option != Card_Mode::Group || column < 0) return texts;
    const int side = sideHolding(&g);
    if (side < 0) return texts;
    for (const GraphicPtr &other : (side == 1 ? m_graphicsBack : m_graphics).items())
        if (other.get() != &g && Cell_Column(*other) == column) texts.push_back(other.get());
    return texts;
}

// ---- What the rules hear ----

void SKTDocument::controlChanged(SKTGraphic *g)
{
    // Only changes made on the document's own thread are the user's.
    if (!g || QThread::currentThread() != thread()) return;
    if (Is_Photo_ID(*g)) {
        if (m_settingPhoto) return;
        // A side without a photo takes its "Fup_Photo" as soon as there is one.
        const int side = sideHolding(g);
        if (side >= 0 && !Visitor_Photo(side)) Set_Visitor_Photo(side, g);
        return;
    }
    if (m_keepingCells) return;
    const std::vector<SKTGraphic *> others = sameCellTexts(*g);
    if (others.empty()) return;
    // The rule's own changes are heard too (the panels follow them); they start no
    // round of their own.
    const Scoped_Value<bool> keeping(m_keepingCells, true);
    for (SKTGraphic *other : others)
        if (!Same_Cell_Value(other->Text_Value, g->Text_Value)) other->Set_text_value(g->Text_Value);
}

void SKTDocument::controlInserted(SKTGraphic *g)
{
    if (!g || QThread::currentThread() != thread()) return;
    const int side = sideHolding(g);
    // A photo put back (the undo of a removal) is the side's photo again, and so is a
    // "Fup_Photo" put onto the side (the one a group column fills).
    if (g->Is_Visitor_Photo() || Is_Photo_ID(*g)) {
        Set_Visitor_Photo(side, g);
        return;
    }
    // A text put onto the side shows the cell the side's other texts of its column show.
    if (m_keepingCells) return;
    const std::vector<SKTGraphic *> others = sameCellTexts(*g);
    if (others.empty() || Same_Cell_Value(g->Text_Value, others.front()->Text_Value)) return;
    g->Set_text_value(others.front()->Text_Value);
}
