// The profile dialogs and the writing of the profile records onto the card: the
// window's side of them (the dialogs and the filling are the profile library's).
#include "SKTWindowController.h"

#include "CardValueEngine.h"
#include "DataSourceSection.h"
#include "Dialogs.h"
#include "SheetImport.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Profile_Filler.h"
#include "Profile_Window.h"
#include "SKTGraphicView.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

namespace {
class Dialog_Host : public Profile_Dialog_Host {
public:
    explicit Dialog_Host(SKTWindowController &c) : m_c(c) {}
    User_Profile_Class &Profile_Record(int side) override
    {
        return side == 1 ? m_c.Back_user_profile : m_c.Front_user_profile;
    }
    int Profile_Current_Side() const override { return m_c.document.Card_Front_Or_Back; }
    void Profile_Preview(const QString &side) override { m_c.Preview_Profile_On_Scratch_Side(side); }
    void Profile_Preview_End() override { m_c.End_Profile_Preview(); }
    QStringList Profile_Series_Names() const override
    {
        QStringList names;
        for (const QFileInfo &f : QDir(Data_Folder_Path).entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
            names << f.completeBaseName();
        return names;
    }
    QStringList Profile_Column_Names() const override { return m_c.profileDataSource().Excel_Column_Names(); }
    QString Profile_Column_First_Value(int column) const override
    {
        return CardValueEngine::Get_First_Value_Of_Excel_Binding(m_c.document, column);
    }
    bool Profile_Import_Spreadsheet() override
    {
        FilePanelRequest r;
        r.title = QObject::tr("Choose Workbook");
        r.extensions = {QStringLiteral("xlsx")};
        const QStringList chosen = Run_File_Panel(r);
        if (chosen.isEmpty()) return false;
        SKTDocument &doc = m_c.document;
        Import_Excel window(&doc, {}, m_c.window());
        window.open_mode = QStringLiteral("E");
        if (window.Open_excel_Wnd(chosen.front()) != 1) return false;
        // The caller counts the rows and binds the spreadsheet when there is one.
        if (doc.ListData().isEmpty()) return false;
        DesignSpreadsheet &sheet = doc.m_spreadsheet;
        sheet.Excel_Source_Path = chosen.front();
        sheet.contains_header = window.contains_header->isChecked();
        sheet.Excel_Binding_Use = true;
        m_c.Browse_Excel_AGAIN = true;
        if (m_c.dataSourceSection) DataSourceSection::Add_Excel_Col_Name_In_Combo(m_c.dataSourceSection->Data_source_type);
        return true;
    }
    QStringList Profile_Image_File_Types() const override { return m_c.Allowd_Image_fileTypes; }

private:
    SKTWindowController &m_c;
};
} // namespace

Profile_Dialog &SKTWindowController::Show_User_Profile_Window()
{
    if (!m_profileDialogHost) m_profileDialogHost = std::make_unique<Dialog_Host>(*this);
    if (!m_showUserProfile) {
        m_showUserProfile = std::make_unique<Show_User_Profile>(m_profileDialogHost.get(), nullptr, modalRunner);
        // The Camera button takes a picture with the camera window, as the panels' does.
        m_showUserProfile->run_camera = [this] { return Panel_Camera_Picture(); };
    }
    return *m_showUserProfile;
}

Profile_Dialog &SKTWindowController::User_profile_Window()
{
    if (!m_profileDialogHost) m_profileDialogHost = std::make_unique<Dialog_Host>(*this);
    if (!m_userProfile) {
        m_userProfile = std::make_unique<User_profile>(m_profileDialogHost.get(), nullptr, modalRunner);
        m_userProfile->run_camera = [this] { return Panel_Camera_Picture(); };
    }
    return *m_userProfile;
}

int SKTWindowController::Open_User_Profile_Window(char flag, const QString &side, const QString &sides)
{
    Profile_Window_Context c;
    c.one_side = &Show_User_Profile_Window();
    c.two_sides = &User_profile_Window();
    c.source = &profileDataSource();
    c.data_source_combo = dataSourceSection ? dataSourceSection->Data_source_type : nullptr;
    c.combo_step = [this] {
        if (!dataSourceSection) return;
        if (document.m_spreadsheet.Excel_Binding_Use)
            DataSourceSection::Add_Excel_Col_Name_In_Combo(dataSourceSection->Data_source_type);
        else
            DataSourceSection::Remove_Excel_Col_Name_In_Combo(dataSourceSection->Data_source_type);
    };
    Browse_Excel_AGAIN = false;  // set when the dialog imports a workbook
    c.current_is_back = document.Card_Front_Or_Back == 1;
    c.current_side = &currentSideControls();
    c.other_side = c.current_is_back ? &Get_Front_Controls_Array() : &Get_Back_Controls_Array();
    return ::Open_User_Profile_Window(flag, side, sides, c);
}

void SKTWindowController::User_Profile_Button_Clicked()
{
    const bool back = document.Card_Front_Or_Back == 1;
    if (Open_User_Profile_Window(1, back ? QStringLiteral("B") : QStringLiteral("F"),
                                 document.Front_card_Prop.Card_Side()) == 1) {
        back ? Fill_User_profile_info_back_side() : Fill_User_profile_info_front_side();
        selectArrowTool();
    }
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
}

namespace {
// The filling of the profile records onto this window's card views.
struct Window_Filling final : Profile_Filling_Window {
    Window_Filling(SKTWindowController &controller, const QString &noImagePath) : c(controller), noImage(noImagePath) {}
    SKTGraphicView *Filling_View(int side) const override
    {
        return side == 1 ? c._graphicView_BACK : side == 2 ? c._graphicView_TEMP : c._graphicView;
    }
    void Filling_Set_Tool(int tool) override { c.Set_Selected_Control_Tool(tool); }
    void Filling_Data_Source_List() override
    {
        if (!c.dataSourceSection) return;
        if (c.document.m_spreadsheet.Excel_Binding_Use)
            DataSourceSection::Add_Excel_Col_Name_In_Combo(c.dataSourceSection->Data_source_type);
        else
            DataSourceSection::Remove_Excel_Col_Name_In_Combo(c.dataSourceSection->Data_source_type);
    }
    void Filling_Record_Side(int side) override { c.Record_Side(side); }
    QString Filling_No_Image_Path() const override { return noImage; }

    SKTWindowController &c;
    const QString &noImage;
    Profile_Filling filling{c.document, *this};
};
} // namespace

void SKTWindowController::Fill_User_profile_info_front_side()
{
    Window_Filling(*this, NO_Image_Path).filling.Fill_Front(Front_user_profile);
}

void SKTWindowController::Fill_User_profile_info_back_side()
{
    Window_Filling(*this, NO_Image_Path).filling.Fill_Back(Back_user_profile);
}

void SKTWindowController::Fill_User_profile_Details()
{
    Fill_User_profile_info_front_side();
    Fill_User_profile_info_back_side();
}

void SKTWindowController::Fill_User_profile_info_TEMP_side(const QString &)
{
    Window_Filling(*this, NO_Image_Path).filling.Fill_Scratch(*TEMP_user_profile_Ref);
}

void SKTWindowController::Preview_Profile_On_Scratch_Side(const QString &side)
{
    TEMP_user_profile_Ref = document.Card_Front_Or_Back == 1 ? &Back_user_profile : &Front_user_profile;
    Temp_Design_Control_Assign();
    const QPointF kept = m_lastNewPoint;
    Fill_User_profile_info_TEMP_side(side);
    m_lastNewPoint = kept;
    Select_temp_design_side();
}

void SKTWindowController::End_Profile_Preview()
{
    if (document.Card_Front_Or_Back == 1)
        Select_back_side();
    else
        Select_front_side();
}

void SKTWindowController::Fill_Party_Invidation_Details(const Invitation_Values &values)
{
    if (!_graphicView) return;
    ::Fill_Party_Invidation_Details(values, *_graphicView, document.Front_card_Prop.Card_Size(),
                                    document.Front_card_Prop.Card_Location(),
                                    [this](int tool) { m_selectedTool = tool; });
}
