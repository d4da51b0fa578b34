// The roads from the start window: the card and invitation wizards, and the ending all
// roads share.
#include "SKTWindowController.h"

#include "AdjustmentChain.h"
#include "Image_Library.h"
#include "CardAppearance.h"
#include "CardPropertyPanel.h"
#include "Card_Wizard.h"
#include "Dialogs.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Invitation_Wizard.h"
#include "SKTGraphicView.h"
#include "Start_Card.h"

#include <QMainWindow>

Wizard_Collaborators SKTWindowController::Wizard_Services()
{
    Wizard_Collaborators with;
    with.pvc_sizes = pvc_card_arry;
    with.paper_sizes = paper_card_arry;
    with.choose_library_picture = [this]() -> std::optional<QString> {
        if (Open_Image_Library_Window(Library_Purpose::Background) != 1) return std::nullopt;
        return lib_window_sel_file;
    };
    with.open_profile = [this](const QString &sides) { return m_profileDesk.Open_User_Profile_Window(0, QString(), sides); };
    with.choose_picture_file = [this](const QString &title) {
        FilePanelRequest request;
        request.title = title;
        request.extensions = Allowd_Image_fileTypes;
        const QStringList chosen = Run_File_Panel(request);
        return chosen.isEmpty() ? QString() : chosen.first();
    };
    with.preview = [](const QString &path) { return Get_Image_For_Path(path, 0); };
    with.adjuster = &pictureAdjuster;
    with.pattern = wizard_pattern_image.image();
    with.runner = modalRunner;
    return with;
}

Start_Card &SKTWindowController::Start_Window()
{
    if (!m_startCard)
        m_startCard = std::make_unique<Start_Card>(
            [this](const QString &sides) { return m_profileDesk.Open_User_Profile_Window(0, QString(), sides); }, modalRunner);
    return *m_startCard;
}

void SKTWindowController::Cancel_Wizard()
{
    // A profile confirmed inside the wizard, and the rows of a workbook it took, must not
    // reach the next design.
    m_profileDesk.Reset_Records();
    document.Clear_Spreadsheet();
    Data_Source_Combo_Follows_Binding();
}

void SKTWindowController::New_Wizard_Design(const Wizard_Card_Choice &card, const QString &background)
{
    Change_Card_Size(card.size, false);
    for (Card_Property *prop : {&document.Front_card_Prop, &document.Back_card_Prop}) {
        prop->setCard_Side(card.sides);
        prop->setCard_Category(card.category);
        prop->setCard_Preset(card.orientation == QLatin1String("V") ? QStringLiteral("Vertical")
                                                                    : QStringLiteral("Horizontal"));
        prop->setCard_Cat_index(card.row);
        prop->setCard_Create_Mode(QStringLiteral("W"));
    }
    document.Start_Card_Option = Card_Mode::Wizard;
    if (!background.isEmpty()) {
        Card_Property &front = document.Front_card_Prop;
        front.setCard_BG_Image_Path(background);
        front.setCard_BG_Image(Set_Dimaension(Picture::fromFile(background)));
        front.setCard_fill_chk(true);
        front.setCard_fill_style(QStringLiteral("I"));
    }
    // The card panel shows the new card before anything reads it back.
    if (cardPanel) cardPanel->loadFrom(document.Front_card_Prop);
    Update_Card_Graphics();
    Select_front_side();
}

bool SKTWindowController::Run_Card_Wizard()
{
    if (!m_cardWizard) m_cardWizard = std::make_unique<Card_Wizard>(Wizard_Services());
    Card_Wizard &w = *m_cardWizard;
    if (w.Open_Wnd() != 1) {
        Cancel_Wizard();
        return false;
    }
    New_Wizard_Design(w.card(), w.picturePath());
    Finish_Started_Design();
    return true;
}

bool SKTWindowController::Run_Invitation_Wizard()
{
    if (!m_invitationWizard) m_invitationWizard = std::make_unique<Invitation_Wizard>(Wizard_Services());
    Invitation_Wizard &w = *m_invitationWizard;
    if (w.Open_Wnd() != 1) {
        Cancel_Wizard();
        return false;
    }
    const Invitation_Values values = w.values();
    New_Wizard_Design(w.card(), values.Invite_BG_IMG);
    m_profileDesk.Fill_Party_Invidation_Details(values);
    Finish_Started_Design();
    return true;
}

void SKTWindowController::Finish_Started_Design()
{
    const bool profileWritten = m_profileDesk.Profile_Confirmed();
    if (profileWritten) {
        if (document.Front_card_Prop.Card_Side() == QLatin1String("1"))
            m_profileDesk.Fill_User_profile_info_front_side();
        else
            m_profileDesk.Fill_User_profile_Details();
        selectArrowTool();
    }
    if (cardPanel) cardPanel->loadFrom(document.Front_card_Prop);
    Load_Visitor_Panels_From_Card();
    Set_Card_Shape(Card_Shape_Number(document.Front_card_Prop.Card_Shape()));
    Select_front_side();
    m_steps.Start_Anew(true);
    // The details written from the Profile window are the user's: leaving asks, and
    // the other orientation keeps them.
    if (profileWritten) m_steps.Design_Is_Users_Work();
    Set_Log_Name_In_Title();
}
