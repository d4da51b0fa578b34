#pragma once
// The profile records of the design's sides, their two dialogs and the writing of a
// record onto its side: the profile button, the start window's profile step and the
// preview on the scratch side. It works on the design it is given and asks the window
// for the rest (Visitor_Panel_Window).
#include "DesignChoices.h"
#include "Invitation_Values.h"
#include "Profile_Dialog.h"
#include "Profile_Filler.h"
#include "User_Profile_Class.h"

#include <memory>
#include <optional>

class Modal_Runner;
class QWidget;
class SKTDocument;
class Visitor_Panel_Window;

class Profile_Desk final : private Profile_Dialog_Host, private Profile_Filling_Window {
public:
    // The document and the window outlive the desk; `parent` is the dialogs' parent and
    // `runner` runs them (exec() when null).
    Profile_Desk(SKTDocument &document, Visitor_Panel_Window &window, Modal_Runner *runner = nullptr);
    ~Profile_Desk() override;

    User_Profile_Class Front_user_profile, Back_user_profile, TEMP_user_profile;
    // The record the scratch filling reads: the current side's own one.
    User_Profile_Class *TEMP_user_profile_Ref = &TEMP_user_profile;
    // A workbook was imported in the profile dialog now open (its bindings to an older
    // spreadsheet are stale).
    bool Browse_Excel_AGAIN = false;
    // The three records emptied, with their IDs, and bound to no spreadsheet column; no
    // profile confirmed.
    void Reset_Records();
    // A profile dialog has ended with OK since the records were last emptied (the
    // design's profile is to be written onto it).
    bool Profile_Confirmed() const { return m_profileConfirmed; }

    // The two dialogs, made on first use.
    Profile_Dialog &Show_User_Profile_Window();
    Profile_Dialog &User_profile_Window();
    // flag: the one-side dialog starts from the record; side: "F"/"B" for the one-side
    // dialog, "" for the two-side one; sides: "2" for a two-sided card. 1 for OK.
    int Open_User_Profile_Window(char flag, const QString &side, const QString &sides);
    // The profile button: the current side's dialog, and after OK its record on the
    // side; true after OK.
    bool User_Profile_Button_Clicked();

    void Fill_User_profile_info_front_side();
    void Fill_User_profile_info_back_side();
    void Fill_User_profile_Details();
    void Fill_User_profile_info_TEMP_side();
    // A preview: the scratch side shows the current side filled from its record; the
    // end of the preview shows the side again.
    void Preview_Profile_On_Scratch_Side();
    void End_Profile_Preview();
    // Lays an invitation out on the front side from the wizard's values.
    void Fill_Party_Invidation_Details(const Invitation_Values &values);

private:
    // Profile_Dialog_Host
    User_Profile_Class &Profile_Record(int side) override { return side == 1 ? Back_user_profile : Front_user_profile; }
    int Profile_Current_Side() const override;
    void Profile_Preview(const QString &) override { Preview_Profile_On_Scratch_Side(); }
    void Profile_Preview_End() override { End_Profile_Preview(); }
    QStringList Profile_Series_Names() const override;
    QStringList Profile_Column_Names() const override;
    QString Profile_Column_Value_Shown(int column) const override;
    bool Profile_Import_Spreadsheet() override;
    void Profile_Cancelled() override;
    QStringList Profile_Image_File_Types() const override;

    // Made on first use, with the camera button of the panels.
    template <class Dialog>
    Profile_Dialog &dialog(std::unique_ptr<Dialog> &slot);
    // Profile_Filling_Window
    SKTGraphicView *Filling_View(int side) const override;
    void Filling_Set_Tool(int tool) override;
    void Filling_Data_Source_List() override;
    void Filling_Record_Side(int side) override;
    bool Filling_Profile_Confirmed() const override { return m_profileConfirmed; }
    QString Filling_No_Image_Path() const override;

    SKTDocument &m_document;
    Visitor_Panel_Window &m_window;
    Modal_Runner *const m_runner;
    std::unique_ptr<Show_User_Profile> m_showUserProfile;
    std::unique_ptr<User_profile> m_userProfile;
    // The design's spreadsheet and selected row before the open dialog's first import.
    struct Before_Import {
        DesignSpreadsheet sheet;
        int selected = -1;
    };
    std::optional<Before_Import> m_beforeImport;
    bool m_profileConfirmed = false;
    Profile_Filling m_filling{m_document, *this};
};
