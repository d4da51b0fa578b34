#pragma once
// One widget of a control's property panel tied to one property of the control. The
// field knows how the property shows in its widget and how the widget's value goes
// back into the control; the panel writes a field only when its widget shows
// something other than the control holds, so a value the widget cannot show exactly
// (a width of more decimals, an unknown dash code, an out-of-range number) is never
// rewritten by an edit of some other widget.
#include "FormRows.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class QObject;
class QWidget;
class SKTGraphic;

struct PanelField {
    QWidget *widget = nullptr;
    int tab = 0;  // the property tab whose page holds the widget
    // The property as the widget shows it (bool, int, double, QString or QColor).
    std::function<QVariant(SKTGraphic &)> shown;
    // Writes the widget's value into the control, through its setters.
    std::function<void(SKTGraphic &, const QVariant &)> write;
};

// The value a widget shows now: bool (check box), int (spin box, slider, combo box
// index), double (double spin box), QColor (colour well), QString (text boxes).
QVariant Widget_Value(const QWidget *widget);
// Shows a value in a widget (no edit is reported while Not_Draw_Only_Prop_Change is set).
void Set_Widget_Value(QWidget *widget, const QVariant &value);
// The value as the widget would hold it once set: rounded to its decimals, bounded
// to its range, of the widget's own type.
QVariant Widget_Normalised(const QWidget *widget, const QVariant &value);
// Calls `edited(record)` when the user edits the widget. `record` is false while a
// slider is being dragged (the snapshot follows when it is let go).
void On_Widget_Edited(QWidget *widget, QObject *context, const std::function<void(bool record)> &edited);
// What the user typed into the box and what counts only once the box is left or Enter
// is pressed (a number box, a line box) counts now, through the signal On_Widget_Edited
// listens to. Any other widget, or nullptr: nothing.
void Confirm_Typing(QWidget *box);

// ---- Common ties between a widget and a control field (by field name) ----
// The field's value unchanged (flags, whole numbers, decimals, strings, colours).
PanelField Plain_Field(QWidget *widget, int tab, const QString &name);
// A fraction 0..1 shown as a percentage (values above 1 show as 100); the widget's
// percentage is stored divided by 100.
PanelField Percent_Field(QWidget *widget, int tab, const QString &name);
// A code string shown as the index of the code in `codes`; an unknown code shows as
// the first item.
PanelField Code_Field(QWidget *widget, int tab, const QString &name, const QStringList &codes);
// A choice number shown as a list index: index = value - first (out of range: 0).
PanelField Choice_Field(QWidget *widget, int tab, const QString &name, int first);
// A colour whose opacity is kept in a field of its own: shown and stored opaque.
PanelField Opaque_Color_Field(QWidget *widget, int tab, const QString &name);

// A row's tie to a field: makes the field of the widget the row made on a tab.
using Field_Binding = std::function<PanelField(QWidget *widget, int tab)>;
Field_Binding Bind_Plain(const QString &name);
Field_Binding Bind_Percent(const QString &name);
Field_Binding Bind_Code(const QString &name, const QStringList &codes);
Field_Binding Bind_Choice(const QString &name, int first);
Field_Binding Bind_Opaque_Color(const QString &name);
// A tie of its own: how the control shows in the widget and how the widget writes it.
Field_Binding Bind_With(std::function<QVariant(SKTGraphic &)> shown,
                        std::function<void(SKTGraphic &, const QVariant &)> write);

// One row of a control panel's tab: its widget and the field it shows (none for a
// command button or a note).
struct Panel_Row {
    Form_Row form;
    Field_Binding field{};
};

// The outline dash codes at the indexes of the style lists, and the lists' names.
const QStringList &Dash_Codes();
QStringList Dash_Style_Names();
