#pragma once
// Group mode on the design: the spreadsheet row table holds one person per row, the
// column choices tie the ten fixed profile fields and each side's photo to spreadsheet
// columns, and the bound card controls carry their column. This is the engine without
// windows: the card views create controls through a maker the caller gives.
#include "DesignChoices.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>

class SKTDocument;
class SKTGraphic;
class SKTGraphicList;

namespace GroupBinding {

// The text of a cell that cannot be given.
extern const QString kTextHere;  // "Text here"

struct Fixed_Field {
    const char *id;
    int DesignColumnChoices::*column;
};
// "Fup_Name" .. "Fup_UniqueNo" with excel_cb_value1 .. excel_cb_value10.
const std::array<Fixed_Field, 10> &Fixed_Fields();
inline constexpr char kPhotoID[] = "Fup_Photo";

// The cell of a row: kTextHere for column -1 or 0, a row outside the table, a column
// the table does not have or a row without that cell.
QString Cell_Text(const SKTDocument &doc, int row, int column);
// The same for a picture path: kTextHere becomes "".
QString Picture_Cell(const SKTDocument &doc, int row, int column);

// The text or image control of the side with the ID; nullptr when none.
SKTGraphic *Find_Control(const SKTGraphicList &side, const QString &id);

// A column >= 0 binds (data source 2, binding on, the column); -1 unbinds (data
// source 0, binding off, column -1). The visibility is set as given.
void Bind(SKTGraphic &control, int column, bool visible);

// Creates a control on a side (0 front, 1 back) holding the value: a text control, or
// an image control when `picture`; returns it (nullptr when it could not).
using Maker = std::function<SKTGraphic *(int side, const QString &id, const QString &value, bool picture)>;

// One field on one side: an existing control takes the value (a text control only a
// non-empty one, without border and fill; an image control the path with its picture);
// a missing one is made unless `checkOtherSide` finds it on the other side or
// `updateOnly` is set. The control, when there is one, is then bound to the column
// with the visibility. Returns the control or nullptr.
SKTGraphic *Place_Field(SKTDocument &doc, int side, const QString &id, const QString &value, bool picture,
                        int column, bool visible, bool updateOnly, bool checkOtherSide, const Maker &make);

// A control of a field with a project column was bound anew (its Data Source, or a
// crop that made a column): the field's column choice becomes the control's column (-1
// when it now takes a series or is typed by hand), and the field's control on the other
// side, bound to the old column (or typed by hand when there was none), takes the new one. One column is then the field's
// source on the card, in the row list's Save, in the cards produced and after reopening.
// A field without a column takes the control's column once the control is bound to one
// (after Manual, or a field left without a column in the wizard). False (nothing
// changed) for a control of no fixed field or photo, or a binding that keeps the
// field's column.
bool Column_Follows_Binding(SKTDocument &doc, int side, const SKTGraphic &control);

// The column choices `now` once a step that took them from `from` to `to` is undone
// (from: after the step, to: before it) or redone: each choice the step changed takes
// its `to` value; a choice it did not change keeps the value it has now, whatever
// another step (on the other side, say) made of it since.
DesignColumnChoices Columns_After_Step(DesignColumnChoices now, const DesignColumnChoices &from,
                                       const DesignColumnChoices &to);

// How column choices are applied: to the controls there are only, or also making a
// field's control on the front when neither side has it.
enum class Binding_Apply { Add_Missing, Update_Only };

// The column choices applied to both sides with the values of row 0.
void Update_Excel_Column_Binding(SKTDocument &doc, Binding_Apply mode, const Maker &make);

// The column dialog's choices applied to one side (0 front, 1 back) with the values of
// row 0; `shown` holds the dialog's show box of each of the ten fixed fields. A field
// without a column: shown, the controls with its ID on both sides are unbound and keep
// their visibility (a side without one gets a "Text here" control, unbound); not shown,
// the side's control is hidden and unbound. A field with a column: its control on the
// side is made where missing, bound and shown as its box says. Each side's photo
// follows its own column (unbound without one). The other side is touched only for the
// unbinding of a field without a column and for its photo.
void Update_Excel_Column_Binding_Update_Column(SKTDocument &doc, int side, const std::array<bool, 10> &shown,
                                               const Maker &make);

// The list entry of each row: "%d - %@" with the row number and the cell of the name
// column (kTextHere without one).
QStringList Row_List_Entries(const SKTDocument &doc);

} // namespace GroupBinding
