#pragma once
// The wheel in every window: a slider (not a scroll bar), list or number field takes the
// wheel only while it has the keyboard focus the user gave it, with a click, the Tab key
// or a shortcut; not the focus its window gives it as it opens, nor the wheel itself
// (which gives no focus). Over such a field without that focus the wheel scrolls the nearest
// scrolling part the field lies in, as over the part's empty room; where there is none,
// nothing happens.
class QApplication;

// Sets the rule for every window of the application, those made later too; the
// application and every test program with windows call it once, after making the
// QApplication. Calling it again changes nothing.
void Install_Field_Wheel_Rule(QApplication &app);
