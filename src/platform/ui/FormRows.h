#pragma once
// Settings pages built from row tables. A row names the box it stands in, its label,
// the kind of widget and that widget's range or items; one builder makes the boxes,
// the widgets and their form layouts from a page's table. A window keeps beside each
// row what the row means to it (the field it shows, the command it runs).
#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QBoxLayout;
class QGroupBox;
class QLabel;
class QWidget;

enum class Row_Widget {
    Check,    // QCheckBox, the label as its text
    Choice,   // QComboBox of the row's items
    Decimal,  // QDoubleSpinBox
    Whole,    // QSpinBox
    Percent,  // horizontal QSlider from 0 to 100
    Colour,   // ColorWell
    Line,     // QLineEdit
    Path,     // read-only QLineEdit
    Text,     // QPlainTextEdit
    Button,   // QPushButton, the label as its text
    Note,     // QLabel, the label as its text
    List,     // QListWidget
};

struct Row_Range {
    double min = 0, max = 0;
    int decimals = 0;
    double step = 1;
};

struct Form_Row {
    QString box{};              // title of the group box; consecutive rows of one title share it
    QString label{};            // shown before the widget (on it for check boxes, buttons, notes)
    Row_Widget kind = Row_Widget::Line;
    Row_Range range{};          // numbers and sliders
    QStringList items{};        // choices
    QColor colour{Qt::black};   // the colour well's first colour
    QString suffix{};           // whole numbers
    bool live = false;          // a typed number counts at each keystroke, not when it is done
    bool beside = false;        // on the previous row's line, after its widget
    std::function<void(QWidget *)> made{};     // receives the widget, to keep or adjust it
    std::function<void(QLabel *)> labelMade{}; // receives the label (made also when empty)
};

// Hands a made widget to a typed pointer.
template <class W>
std::function<void(QWidget *)> Keep(W *&slot)
{
    return [&slot](QWidget *w) { slot = qobject_cast<W *>(w); };
}

// Makes the widget of a row.
QWidget *Make_Row_Widget(const Form_Row &row);
// Adds the rows to the layout in order: a new group box where the box title changes,
// one form row per row (a row `beside` joins the line before it). Returns the widgets
// in row order; `boxes` receives the group boxes in order.
std::vector<QWidget *> Build_Form_Rows(QBoxLayout *layout, const std::vector<Form_Row> &rows,
                                       std::vector<QGroupBox *> *boxes = nullptr);
