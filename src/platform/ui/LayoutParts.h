#pragma once
// The parts most windows are built from: buttons that run a command, a bold heading,
// parts side by side, a row of buttons pushed to the right, and the window's parts
// stacked top to bottom.
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <initializer_list>

class QButtonGroup;
class QHBoxLayout;
class QDialog;
class QLabel;
class QLayout;
class QVBoxLayout;
class QWidget;

// A stretch between the parts of a row or a stacked window.
struct Layout_Stretch {};

// One part of a row or a stacked window: a widget, a layout or a stretch, with its
// stretch factor.
struct Layout_Part {
    Layout_Part(QWidget *w, int factor = 0) : widget(w), stretch(factor) {}
    Layout_Part(QLayout *l, int factor = 0) : layout(l), stretch(factor) {}
    Layout_Part(Layout_Stretch, int factor = 0) : stretch(factor) {}
    QWidget *widget = nullptr;
    QLayout *layout = nullptr;
    int stretch = 0;
};

// Runs the dialog modally, hides it and returns its result.
int Run_Then_Hide(QDialog &dialog);
// Gives the window the tool windows' light blue-grey background.
void Paint_Window_Background(QWidget &window);
// Sets the label in the bold form of its font; returns it.
QLabel *Make_Bold(QLabel *label);
// Parts side by side, in order.
QHBoxLayout *Side_By_Side(std::initializer_list<Layout_Part> parts);
// A row that starts with a stretch, then holds the buttons in order.
QHBoxLayout *Button_Row(std::initializer_list<QWidget *> buttons);
// A row of radio buttons, one a title, put into the group with the ids 0, 1, ... in order.
QHBoxLayout *Radio_Row(QButtonGroup *group, const QStringList &titles);
// Makes `owner`'s layout (or a free one when owner is null) from the parts in order.
QVBoxLayout *Stack_Layout(QWidget *owner, std::initializer_list<Layout_Part> parts);

// A push button that runs `command` on `receiver` when clicked.
template <class Receiver, class Command>
QPushButton *Command_Button(const QString &text, Receiver *receiver, Command command)
{
    auto *button = new QPushButton(text);
    QObject::connect(button, &QPushButton::clicked, receiver, command);
    return button;
}
