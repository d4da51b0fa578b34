// The user-added rows of the visitor panels, the side lists of user-added controls,
// the panes beside the card and the front's photo control: the window's side of them.
#include "SKTWindowController.h"

#include "Globals.h"
#include "GroupBinding.h"
#include "Log.h"
#include "Profile_Data_Source.h"
#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Side_Panes.h"
#include "Visitor_Fields.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <exception>

namespace {
Side_Pane_Widgets paneWidgets(const MainWindowLayout &ui)
{
    return {ui.splitter,         ui.group_control_view, ui.Visitor_Panel_Area, ui.scrollView,
            ui.visitor_stack,    ui.front_vistr_view,   ui.back_vistr_view,    ui.card_area};
}
} // namespace

// ---- Side lists ----

Dynamic_Ctrl_List &SKTWindowController::currentDynamicList()
{
    return document.Card_Front_Or_Back == 1 ? dynamic_ctrl_list_back : dynamic_ctrl_list_front;
}

void SKTWindowController::Create_Dynamic_Control_List()
{
    currentDynamicList() = Build_Dynamic_Control_List(currentSideControls(), Dynamic_List_Source::Panel);
}

int SKTWindowController::Get_Col_Index_of_Dynamic_Control(const QString &ctrl_id)
{
    return ::Get_Col_Index_of_Dynamic_Control(currentDynamicList(), ctrl_id);
}

void SKTWindowController::Update_Value_For_Dynamic_Control(const QString &mode, const QString &ctrl_id)
{
    Profile_Panel *panel = Profile_Panel_Of_Side(document.Card_Front_Or_Back);
    if (!panel) return;
    ::Update_Value_For_Dynamic_Control(currentDynamicList(), mode, ctrl_id, *panel, currentSideControls(),
                                       profileDataSource());
    if (SKTGraphicView *view = currentGraphicView()) view->update();
}

void SKTWindowController::Create_Control_For_Visitor_Mode()
{
    if (Front_Profile_Panel_OBJ) Create_Control_For_Visitor_Mode_Side(dynamic_ctrl_list_front, *Front_Profile_Panel_OBJ);
    if (Back_Profile_Panel_OBJ) Create_Control_For_Visitor_Mode_Side(dynamic_ctrl_list_back, *Back_Profile_Panel_OBJ);
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->txt_or_image_ctrl = 0;
}

namespace {
// The design's spreadsheet rows as the profile dialogs and the visitor panels read them.
class Design_Rows_Source final : public Profile_Data_Source {
public:
    explicit Design_Rows_Source(const SKTWindowController &c) : m_c(c) {}
    int Calculate_Excel_table_rows() const override { return int(m_c.document.ListData().size()); }
    QString Get_Excel_Table_Item_Text(int row, int col) const override
    {
        return GroupBinding::Cell_Text(m_c.document, row, col);
    }
    bool Excel_Binding_Use() const override { return m_c.document.m_spreadsheet.Excel_Binding_Use; }
    bool Browse_Excel_AGAIN() const override { return m_c.Browse_Excel_AGAIN; }
    bool Check_Front_Side_Excel_Binding_Is_Used() const override { return usesSheet(m_c.Get_Front_Controls_Array()); }
    bool Check_Back_Side_Excel_Binding_Is_Used() const override { return usesSheet(m_c.Get_Back_Controls_Array()); }
    // The row table's columns, as the Data Source tab lists them (0 the row number).
    QStringList Excel_Column_Names() const override
    {
        QStringList names;
        if (m_c.document.m_spreadsheet.Excel_Binding_Use)
            for (const SpreadsheetColumn &column : m_c.document.ColList()) names << column.title;
        return names;
    }

private:
    static bool usesSheet(const SKTGraphicList &side)
    {
        for (int i = 0; i < side.count(); ++i)
            if (side.at(i)->data_source_type_val() == 2) return true;
        return false;
    }
    const SKTWindowController &m_c;
};
} // namespace

Profile_Data_Source &SKTWindowController::profileDataSource()
{
    if (!m_profileSource) m_profileSource = std::make_unique<Design_Rows_Source>(*this);
    return *m_profileSource;
}

void SKTWindowController::setProfileDataSource(std::unique_ptr<Profile_Data_Source> source)
{
    m_profileSource = std::move(source);
}

// ---- The front's photo control ----

int SKTWindowController::Find_And_Select_Design_Image_Control()
{
    SKTGraphic *selected = Get_Selected_Graphic();
    if (selected && selected->kind() == GraphicKind::Image) return 1;
    for (const GraphicPtr &g : currentSideControls().items())
        if (g->kind() == GraphicKind::Image) {
            Set_Selected_Graphic(g.get());
            return 1;
        }
    return 0;
}

void SKTWindowController::Check_For_Defalut_Photo_Control()
{
    try {
        if (!_graphicView || _graphicView->Selcect_Ctrl_With_ID(Visitor_Photo_ID)) return;
        // Both tests are made on the front, whichever side is shown.
        int found = 0;
        {
            // The side shown comes back on every way out.
            struct Restore {
                int &side;
                int kept;
                ~Restore() { side = kept; }
            } restore{document.Card_Front_Or_Back, document.Card_Front_Or_Back};
            document.Card_Front_Or_Back = 0;
            found = Find_And_Select_Design_Image_Control();
        }
        if (found == 1) return;
        const QRectF rect = Get_Control_Rect_From_Template(Visitor_Photo_ID, NO_Image_Path);
        m_selectedTool = 8;
        // The placeholder is the picture: nothing chosen in the library stands in for it.
        Library_Selected_Image.clear();
        _graphicView->ReplaceGraphicText(GraphicKind::Image, true, rect, Card_Side::Front, NO_Image_Path,
                                         Visitor_Photo_ID);
    } catch (const std::exception &) {
    }
}

// ---- Mode display ----

void SKTWindowController::Show_Hide_Visitor_DB_Button(bool hide)
{
    const Card_Mode mode = document.Start_Card_Option;
    if (QAction *log = ui.command(QStringLiteral("VisitorLog"))) log->setVisible(!hide);
    QAction *text = ui.toolActions[2], *image = ui.toolActions[8], *library = ui.toolActions[9];
    for (QAction *a : {text, image, library}) a->setEnabled(true);
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->new_ctrl_type_box->hide();
    if (mode == Card_Mode::Visitor) {
        text->setEnabled(false);
    } else if (mode == Card_Mode::Group) {
        for (QAction *a : {text, image, library}) a->setEnabled(false);
    } else if (!hide) {
        text->setEnabled(true);
    }
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->Add_to_DB_btn->setVisible(!hide);
    if (hide && mode == Card_Mode::Visitor) Reset_All_Visitor_Grp_Mode_Ctrl();
    if (hide && mode == Card_Mode::Group)
        for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
            if (p) p->new_ctrl_type_box->show();
}

// ---- Panes ----

void SKTWindowController::Panel_Rows_Changed(int side)
{
    if (side == 1)
        Set_Back_Panel_Size();
    else
        Set_Front_Panel_Size();
}

void SKTWindowController::Set_Front_Panel_Size() { Set_Panel_Size(paneWidgets(ui), 0, Front_Profile_Panel_OBJ); }
void SKTWindowController::Set_Back_Panel_Size() { Set_Panel_Size(paneWidgets(ui), 1, Back_Profile_Panel_OBJ); }

void SKTWindowController::change_Visitor_Side_View(long side)
{
    ::change_Visitor_Side_View(paneWidgets(ui), side, document.Start_Card_Option,
                               Profile_Panel_Of_Side(side == 1 ? 1 : 0));
}

void SKTWindowController::collapseLeftView() { ::collapseLeftView(paneWidgets(ui)); }
void SKTWindowController::uncollapseLeftView() { ::uncollapseLeftView(paneWidgets(ui), document.Start_Card_Option); }
void SKTWindowController::Hide_Visitor_panel() { ::Hide_Visitor_panel(paneWidgets(ui)); }

void SKTWindowController::Show_Hide_Profile_Panel_Live_Mode(char show)
{
    if (show == 0 || copy_card_design == 1) return;
    const Card_Mode mode = document.Start_Card_Option;
    if (mode == Card_Mode::Visitor) Title_For_Visitor();
    change_Visitor_Side_View(0);
    Select_front_side();
    ui.Visitor_Panel_Area->show();
    if (mode == Card_Mode::Group) {
        Show_Hide_Visitor_DB_Button(true);
        ui.group_control_view->show();
    }
    if (mode == Card_Mode::Visitor) {
        Show_Hide_Visitor_DB_Button(false);
        ui.group_control_view->hide();
        ui.Visitor_Panel_Area->show();
    }
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) {
            p->Chk_Unchk_Manual_Date_Time(QStringLiteral("D"));
            p->Chk_Unchk_Manual_Date_Time(QStringLiteral("T"));
        }
    ui.scrollView->show();
    Show_Single_Mode_Front_Panel();
    Show_Single_Mode_Back_Panel();
    uncollapseLeftView();
}
