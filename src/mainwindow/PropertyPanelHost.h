#pragma once
// What the property panels ask of the main window: the controls of the three sides and
// the card view shown, undo recording, the lock commands, the picture choosers and the
// card size services. The main window controller provides it.
#include "SKTGraphic.h"

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

class SKTGraphicList;
class SKTGraphicView;

// What an image control is bound to after its picture was cropped: its own picture
// `path` (manual), the series `series` (at `seriesIndex` of the series list), or the
// spreadsheet column `column`; `path` is the picture to show now.
struct Cropped_Picture_Binding {
    Data_Source_Kind source = Data_Source_Manual;
    QString path;
    QString series;
    int seriesIndex = -1;
    int column = -1;
};

class PropertyPanelHost {
public:
    virtual ~PropertyPanelHost() = default;

    // ---- Sides ----
    // The controls of a side: 0 front, 1 back, 2 scratch.
    virtual SKTGraphicList &Panel_Side_Controls(int side) const = 0;
    virtual SKTGraphicView *currentGraphicView() const = 0;

    // ---- Undo ----
    // A side whose history is empty gets its present state as the first snapshot.
    virtual void Make_Sure_Of_Undo_Base(int side) = 0;
    // Records a snapshot of the side (0 front, 1 back) after a change of one of its
    // controls, whichever side is shown, and renews the undo and redo commands.
    virtual void Record_Side_Change(int side) = 0;
    // Records a snapshot of the side shown.
    virtual void Insert_In_Undo_Redo() = 0;

    // ---- Commands ----
    virtual void Lock_Clicked() = 0;
    virtual void Unlock_Clicked() = 0;
    // Opens the barcode settings window for the selected barcode.
    virtual void Open_Barcode_Window() {}
    // A picture file chosen in an open panel (kept in Library_Selected_Image); false
    // when none was chosen.
    virtual bool Browse_User_Image_Manually() = 0;
    // A picture chosen in the image library for a control; "" when cancelled.
    virtual QString Panel_Library_Image() = 0;
    // A picture taken with the camera window; "" when cancelled.
    virtual QString Panel_Camera_Picture() = 0;
    // The cropping window opened directly on the image control's picture, series or
    // spreadsheet column; the binding to give the control, or nothing when the window
    // was closed without a result.
    virtual std::optional<Cropped_Picture_Binding> Panel_Crop_Picture(const SKTGraphic &) { return std::nullopt; }
    // The image control got a new picture or binding by a crop: the data-source section
    // shows it (the visitor panels follow the card by themselves).
    virtual void Image_Was_Cropped(SKTGraphic &) {}
    virtual QStringList Panel_Image_File_Types() const = 0;

    // ---- The card ----
    // The card's size in points.
    virtual QSizeF Panel_Card_Size() const = 0;
    // The size names of a card category ("PVC Card" or another).
    virtual QStringList Card_Size_Names(bool pvc) const = 0;
    // The size of a preset in millimetres (orientation "H" or "V").
    virtual QSizeF Card_Preset_Size_MM(const QString &category, const QString &orientation, int row) const = 0;
    virtual void Set_Card_Size_In_Control(QSizeF sizeMM) = 0;
    virtual void Card_Control_Size_Change_or_not(QSizeF points, const QString &preset, const QString &category,
                                                 int row) = 0;
    // The unit changed (Measument_Unit_Is, was last_unit_val): converts the shown size
    // and renews the unit labels.
    virtual void Apply_unit_Chaneg_Values() = 0;
    virtual void _setLabels() = 0;
    // The card panel changed: the side's card properties take it.
    virtual void Update_Card_Graphics() = 0;
};
