#pragma once
// What the card controls ask of the main window controller. The model does not know
// the controller; the controller implements this interface and registers itself with
// Set_Main_Window_Link. Until then (and in tests) a built-in stand-in answers: the
// default text font (Text_Ctrl_Font at Text_Ctrl_Font_Size), black, and nothing done
// for the window's fields and panels.
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class SKTGraphic;

struct MainWindowLink {
    virtual ~MainWindowLink() = default;
    // The current default font and colour of new text (All_Text_font, All_Text_clr).
    virtual QFont allTextFont() const = 0;
    virtual QColor allTextColor() const = 0;
    // Shows a control's new position and size in the window's fields.
    virtual void Set_Control_Pos_And_Size(SKTGraphic *) {}
    // Puts the image panel's controls back to their defaults.
    virtual void Reset_Image_Editing_Controls() {}
    // The bounds of the front card view: the whole card, from (0, 0), in points.
    virtual QRectF frontCardBounds() const;
};

// The registered link, or the stand-in when none is registered; never null.
MainWindowLink *Main_Window_Link();
// Registers the link (nullptr returns to the stand-in). The link must outlive its use.
void Set_Main_Window_Link(MainWindowLink *link);
