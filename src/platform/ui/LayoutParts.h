#pragma once
// The parts most windows are built from: a bold heading, a row of buttons pushed to
// the right, and the window's parts stacked top to bottom.
#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QLayout;
class QVBoxLayout;
class QWidget;

// One part of a stacked window: a widget or a layout, with its stretch factor.
struct Stacked {
    Stacked(QWidget *w, int stretch = 0) : widget(w), stretch(stretch) {}
    Stacked(QLayout *l, int stretch = 0) : layout(l), stretch(stretch) {}
    QWidget *widget = nullptr;
    QLayout *layout = nullptr;
    int stretch = 0;
};

// Sets the label in the bold form of its font; returns it.
QLabel *Make_Bold(QLabel *label);
// A row that starts with a stretch, then holds the buttons in order.
QHBoxLayout *Button_Row(std::initializer_list<QWidget *> buttons);
// Makes `owner`'s layout (or a free one when owner is null) from the parts in order.
QVBoxLayout *Stack_Layout(QWidget *owner, std::initializer_list<Stacked> parts);
