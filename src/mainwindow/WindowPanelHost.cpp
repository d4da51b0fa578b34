#include "WindowPanelHost.h"

#include "CardResize.h"
#include "Globals.h"
#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"

namespace {
class Window_Panel_Host final : public PropertyPanelHost {
public:
    explicit Window_Panel_Host(SKTWindowController &controller) : c(controller) {}

    SKTGraphicList &Panel_Side_Controls(int side) const override
    {
        if (side == 0) return c.Get_Front_Controls_Array();
        return side == 1 ? c.Get_Back_Controls_Array() : c.Get_Temp_Controls_Array();
    }
    SKTGraphicView *currentGraphicView() const override { return c.currentGraphicView(); }

    void Make_Sure_Of_Undo_Base(int side) override { c.Make_Sure_Of_Undo_Base(side); }
    void Record_Side_Change(int side) override { c.Record_Side(side); }
    void Insert_In_Undo_Redo() override { c.Insert_In_Undo_Redo(); }

    void Lock_Clicked() override { c.Lock_Clicked(); }
    void Open_Barcode_Window() override { c.Open_Barcode_Window(); }
    void Image_Was_Reset(SKTGraphic &g) override
    {
        if (Profile_Panel *panel = Profile_Panel_Of_Side(c.document.Card_Front_Or_Back))
            panel->Set_User_Image_Control(g.FilePath(), g._contents, g.control_ID);
    }
    void Unlock_Clicked() override { c.Unlock_Clicked(); }
    bool Browse_User_Image_Manually() override { return c.Browse_User_Image_Manually(); }
    QString Panel_Library_Image() override
    {
        return c.Open_Image_Library_Window(QStringLiteral("C")) == 1 ? c.lib_window_sel_file : QString();
    }
    QString Panel_Camera_Picture() override { return c.Panel_Camera_Picture(); }
    QStringList Panel_Image_File_Types() const override { return c.Allowd_Image_fileTypes; }

    QSizeF Panel_Card_Size() const override { return c.document.cardBounds().size(); }
    QStringList Card_Size_Names(bool pvc) const override { return pvc ? c.pvc_card_arry : c.paper_card_arry; }
    QSizeF Card_Preset_Size_MM(const QString &category, const QString &orientation, int row) const override
    {
        return Get_My_card_Size(category, orientation, row);
    }
    void Set_Card_Size_In_Control(QSizeF sizeMM) override { c.Set_Card_Size_In_Control(sizeMM); }
    void Card_Control_Size_Change_or_not(QSizeF points, const QString &preset, const QString &category,
                                         int row) override
    {
        c.Card_Control_Size_Change_or_not(points, preset, category, row);
    }
    void Apply_unit_Chaneg_Values() override { c.Apply_unit_Chaneg_Values(); }
    void _setLabels() override { c._setLabels(); }
    void Update_Card_Graphics() override { c.Update_Card_Graphics(); }

private:
    SKTWindowController &c;
};
} // namespace

std::unique_ptr<PropertyPanelHost> Make_Window_Panel_Host(SKTWindowController &controller)
{
    return std::make_unique<Window_Panel_Host>(controller);
}
