// The profile dialogs and the writing of the profile records onto the card.
#include "Profile_Desk.h"

#include "Globals.h"
#include "Profile_Data_Source.h"
#include "Profile_Window.h"
#include "SKTDocument.h"
#include "SKTGraphicView.h"
#include "Visitor_Panel_Window.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

Profile_Desk::Profile_Desk(SKTDocument &document, Visitor_Panel_Window &window, Modal_Runner *runner)
    : m_document(document), m_window(window), m_runner(runner)
{
    Reset_Records();
}

Profile_Desk::~Profile_Desk() = default;

void Profile_Desk::Reset_Records()
{
    for (User_Profile_Class *p : {&Front_user_profile, &Back_user_profile, &TEMP_user_profile}) {
        p->Reset_All_Values();
        // No field keeps a column of the spreadsheet the design before was bound to.
        for (Profile_Field &f : p->fields()) f.xl = 0;
    }
    m_profileConfirmed = false;
}

// ---- Dialogs ----

template <class Dialog>
Profile_Dialog &Profile_Desk::dialog(std::unique_ptr<Dialog> &slot)
{
    if (!slot) {
        Profile_Dialog_Host *host = this;
        slot = std::make_unique<Dialog>(host, nullptr, m_runner);
        // The Camera button takes a picture with the camera window, as the panels' does.
        slot->run_camera = [this] { return m_window.Camera_Picture(); };
    }
    return *slot;
}

Profile_Dialog &Profile_Desk::Show_User_Profile_Window() { return dialog(m_showUserProfile); }
Profile_Dialog &Profile_Desk::User_profile_Window() { return dialog(m_userProfile); }

int Profile_Desk::Open_User_Profile_Window(char flag, const QString &side, const QString &sides)
{
    Profile_Window_Context c;
    c.one_side = &Show_User_Profile_Window();
    c.two_sides = &User_profile_Window();
    c.source = &m_window.Data_Source();
    c.data_source_combo = m_window.Data_Source_Combo();
    c.combo_step = [this] { m_window.Data_Source_Combo_Follows_Binding(); };
    Browse_Excel_AGAIN = false;  // set when the dialog imports a workbook
    m_beforeImport.reset();
    c.current_is_back = m_document.currentSide() == 1;
    c.current_side = &m_document.sideList(m_document.currentSide());
    c.other_side = &m_document.sideList(c.current_is_back ? 0 : 1);
    c.profile_confirmed = m_profileConfirmed;
    const int result = ::Open_User_Profile_Window(flag, side, sides, c);
    if (result == 1) m_profileConfirmed = true;
    return result;
}

bool Profile_Desk::User_Profile_Button_Clicked()
{
    const bool back = m_document.currentSide() == 1;
    if (Open_User_Profile_Window(1, back ? QStringLiteral("B") : QStringLiteral("F"),
                                 m_document.Front_card_Prop.Card_Side()) != 1)
        return false;
    back ? Fill_User_profile_info_back_side() : Fill_User_profile_info_front_side();
    return true;
}

int Profile_Desk::Profile_Current_Side() const { return m_document.Card_Front_Or_Back; }

QStringList Profile_Desk::Profile_Series_Names() const
{
    QStringList names;
    for (const QFileInfo &f : QDir(Data_Folder_Path).entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        names << f.completeBaseName();
    return names;
}

QStringList Profile_Desk::Profile_Column_Names() const { return m_window.Data_Source().Excel_Column_Names(); }
QString Profile_Desk::Profile_Column_Value_Shown(int column) const { return m_window.Column_Value_Shown(column); }
QStringList Profile_Desk::Profile_Image_File_Types() const { return m_window.Image_File_Types(); }

bool Profile_Desk::Profile_Import_Spreadsheet()
{
    if (!m_beforeImport) m_beforeImport = Before_Import{m_document.m_spreadsheet, m_document.listSelection()};
    if (!m_window.Import_Spreadsheet()) return false;
    Browse_Excel_AGAIN = true;
    m_window.Data_Source_Combo_Follows_Binding();
    return true;
}

void Profile_Desk::Profile_Cancelled()
{
    if (!m_beforeImport) return;
    const Before_Import before = *std::exchange(m_beforeImport, std::nullopt);
    m_document.m_spreadsheet = before.sheet;
    m_document.setListData(before.sheet.rows);  // the row views follow
    m_document.Mark_List_New_Selection(before.selected);
    Browse_Excel_AGAIN = false;  // no binding is stale
    m_window.Data_Source_Combo_Follows_Binding();
}

// ---- Filling ----

SKTGraphicView *Profile_Desk::Filling_View(int side) const { return m_window.Card_View(side); }
void Profile_Desk::Filling_Set_Tool(int tool) { m_window.Set_Tool(tool); }
void Profile_Desk::Filling_Data_Source_List() { m_window.Data_Source_Combo_Follows_Binding(); }
void Profile_Desk::Filling_Record_Side(int side) { m_window.Record_Undo(side); }
QString Profile_Desk::Filling_No_Image_Path() const { return m_window.No_Image_Path(); }

void Profile_Desk::Fill_User_profile_info_front_side() { m_filling.Fill_Front(Front_user_profile); }
void Profile_Desk::Fill_User_profile_info_back_side() { m_filling.Fill_Back(Back_user_profile); }

void Profile_Desk::Fill_User_profile_Details()
{
    Fill_User_profile_info_front_side();
    Fill_User_profile_info_back_side();
}

void Profile_Desk::Fill_User_profile_info_TEMP_side() { m_filling.Fill_Scratch(*TEMP_user_profile_Ref); }

void Profile_Desk::Preview_Profile_On_Scratch_Side()
{
    TEMP_user_profile_Ref = m_document.currentSide() == 1 ? &Back_user_profile : &Front_user_profile;
    m_window.Preview_On_Scratch([this] { Fill_User_profile_info_TEMP_side(); });
}

void Profile_Desk::End_Profile_Preview() { m_window.Show_Side(m_document.currentSide()); }

void Profile_Desk::Fill_Party_Invidation_Details(const Invitation_Values &values)
{
    SKTGraphicView *front = m_window.Card_View(0);
    if (!front) return;
    ::Fill_Party_Invidation_Details(values, *front, m_document.Front_card_Prop.Card_Size(),
                                    m_document.Front_card_Prop.Card_Location(),
                                    [this](int tool) { m_window.Set_Tool(tool); });
}
