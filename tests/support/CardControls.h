#pragma once
// Controls put on a side of a design by the tests, as the card view would put them.
#include "SKTGraphic.h"
#include "SKTGraphicList.h"

#include <QRectF>
#include <QString>

namespace testsupport {

// A control of `kind` at `r`, inserted where the side puts a new control.
inline GraphicPtr addControl(SKTGraphicList &side, GraphicKind kind, QRectF r)
{
    GraphicPtr g = SKTGraphic::create(kind);
    g->setBounds(r);
    side.insert(g);
    return g;
}

// A text control `id` showing `text` at `r`, shown or hidden, last on the side.
inline GraphicPtr addTextControl(SKTGraphicList &side, const QString &id, const QString &text, QRectF r,
                                 bool visible = true)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
    g->control_ID = id;
    g->Text_Value = text;
    g->setBounds(r);
    g->Set_Ctrl_Is_Visible(visible);
    side.insert(g, side.count());
    return g;
}

} // namespace testsupport
