#pragma once
// The five people of a group project as its rows: number, name, company, unique number.
#include "CardControls.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"

#include <QList>
#include <QStringList>

namespace group_project {
inline const QList<QStringList> kPeople = {
    {"1", "Ann", "Acme", "U1"}, {"2", "Bob", "Bell", "U2"}, {"3", "Cy", "Corp", "U3"},
    {"4", "Dee", "Dart", "U4"}, {"5", "Eve", "Echo", "U5"},
};

// A shown text control of the ID at height y on the side (0 the front, 1 the back),
// reading "Text here".
inline GraphicPtr addField(SKTDocument &d, int side, const QString &id, double y)
{
    GraphicPtr g = testsupport::addControl(d.sideList(side), GraphicKind::Text, {10, y, 120, 18});
    g->control_ID = id;
    g->Set_text_value("Text here");
    g->Set_Ctrl_Is_Visible(true);
    return g;
}

// The project's card, two-sided: the name on both sides, the company on the front, the
// unique number on the back, each field taking its column of kPeople.
inline void placeFields(SKTDocument &d)
{
    d.Front_card_Prop.setCard_Side("2");
    addField(d, 0, "Fup_Name", 20);
    addField(d, 0, "Fup_Company", 50);
    addField(d, 1, "Fup_Name", 20);
    addField(d, 1, "Fup_UniqueNo", 50);
    d.m_columnChoices.excel_cb_value1 = 1;
    d.m_columnChoices.excel_cb_value3 = 2;
    d.m_columnChoices.excel_cb_value10 = 3;
}
} // namespace group_project
