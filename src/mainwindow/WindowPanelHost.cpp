#include "WindowPanelHost.h"

#include "CardResize.h"
#include "Image_Library.h"
#include "CardValueEngine.h"
#include "Cropping_Tool.h"
#include "Globals.h"
#include "Helpers.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Group_Mode.h"
#include "SKTWindowController.h"

#include <QMainWindow>

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
    void Unlock_Clicked() override { c.Unlock_Clicked(); }
    bool Browse_User_Image_Manually() override { return c.Browse_User_Image_Manually(); }
    QString Panel_Library_Image() override
    {
        return c.Open_Image_Library_Window(Library_Purpose::Control) == 1 ? c.lib_window_sel_file : QString();
    }
    QString Panel_Camera_Picture() override { return c.Panel_Camera_Picture(); }
    std::optional<Cropped_Picture_Binding> Panel_Crop_Picture(const SKTGraphic &g) override
    {
        Cropping_Tool &tool = Cropping_Tool_Of(*c.ui.window, &c.document, c.modalRunner, &c.runPool);
        tool.ctrl_data_source_type = g.data_source_type;
        tool.Start_Card_Option = c.document.Start_Card_Option;
        Cropped_Picture_Binding bound;
        bound.source = g.data_source_type == Data_Source_Series || g.data_source_type == Data_Source_Spreadsheet
                           ? Data_Source_Kind(g.data_source_type)
                           : Data_Source_Manual;
        CardValueEngine engine(Data_Folder_Path);
        if (bound.source == Data_Source_Series) {
            if (tool.Open_Wnd_Direct_Crop_Series(g.batch_list_name) != 1) return std::nullopt;
            bound.series = tool.Crop_Direct_Series;
            bound.seriesIndex = engine.Get_Data_SetIndex_According_Name(bound.series);
            bound.path = Trim_Str(engine.Get_First_Value_Of_Dataset(bound.series));
        } else if (bound.source == Data_Source_Spreadsheet) {
            const QString name = CardValueEngine::Get_Excel_Column_Name_Of_Index(c.document, g.excel_col_indx);
            if (tool.Open_Wnd_Direct_Excel_Column(name, g.excel_col_indx) != 1) return std::nullopt;
            bound.column = tool.Crop_New_Excel_Col_Index;
            bound.path = Trim_Str(CardValueEngine::Column_Value_Shown(c.document, bound.column));
        } else {
            if (tool.Open_Wnd_Direct_To_Crop(g.FilePath()) != 1) return std::nullopt;
            bound.path = tool.Crop_Direct_Path;
        }
        return bound;
    }
    void Image_Was_Cropped(SKTGraphic &g) override
    {
        c.groupMode().Picture_Cropped(g);
        c.Show_Data_Source_Of(&g);
    }
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
