#pragma once
// Tall parts of a window that scroll on a small screen instead of growing the window.
// The wheel over them scrolls them, not the fields on them (Install_Field_Wheel_Rule).
// A Scroll_Panel asks for its content's whole size, so on a large screen the window
// opens with no scroll bar; it can shrink to the height it is given, its content then
// scrolling up and down (never sideways: its width stays the content's smallest).
#include <QScrollArea>
#include <QSize>

class QLayout;

class Scroll_Panel : public QScrollArea {
public:
    // The height of a few lines, as any scroll area shrinks to.
    static constexpr int kFewLines = -1;
    // Takes the content; smallestHeight: the height it can shrink to (or kFewLines).
    Scroll_Panel(QWidget *content, int smallestHeight, QWidget *parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    int m_smallestHeight;
};

// The layout's parts put into a widget of their own, in a Scroll_Panel.
Scroll_Panel *Scrolling(QLayout *layout, int smallestHeight);
// A settings page that scrolls up and down when its window is too low for it, at its
// whole width, shrinking to a few lines; where there is room it asks for its whole
// height, so a tall screen shows it without a scroll bar. The panel takes the page.
Scroll_Panel *Scrolling_Page(QWidget *page);

// The size a window opens at: what it asks for, within the available area of its
// screen less the room of a frame, and never under its smallest size.
QSize Opening_Size_Within(const QSize &wanted, const QSize &smallest, const QSize &available);
// Sizes the window (not yet shown) to its opening size on its screen, for the size it
// wants (its size hint when none is given).
void Open_Within_Screen(QWidget &window, QSize wanted = QSize());
