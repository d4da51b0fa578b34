// Group mode in the main window: the group pane's Group_Mode, given what it needs of
// this window, and the making of a field's control on a side.
#include "SKTWindowController.h"

#include "DataSourceSection.h"
#include "Data_From_Excel.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "ScopedFlag.h"
#include "SKTGraphicView.h"

#include <QComboBox>
#include <QMainWindow>

class SKTWindowController::Group_Host final : public Group_Mode_Host {
public:
    explicit Group_Host(SKTWindowController &controller) : c(controller) {}

    SKTGraphic *Group_Make_Control(int side, const QString &id, const QString &value, bool picture) override
    {
        return c.Make_Group_Control(side, id, value, picture);
    }
    Dynamic_Ctrl_List &Group_User_Rows(int side) override
    {
        return side == 1 ? c.m_visitorPanels.back_list : c.m_visitorPanels.front_list;
    }
    void Group_Build_User_Rows() override { c.m_visitorPanels.Create_Dynamic_Control_List(); }
    bool Group_Save_Project(Card_Mode mode) override { return c.Save_project_file(false, false, mode); }
    bool Group_Read_Design(const QString &path, QString *error) override
    {
        return c.Read_Design_In_Place(path, Card_Mode::Template, true, error);
    }
    void Group_Design_Read() override { c.Design_Did_Load(); }
    void Group_Design_Anew(bool saved) override { c.m_steps.Start_Anew(saved); }
    bool Group_Ask_To_Save() override { return c.Ask_To_Save_Changes(); }
    void Group_Panels_Emptied() override { c.Reset_All_Visitor_Grp_Mode_Ctrl(); }
    void Group_Panels_From_Card() override { c.Load_Visitor_Panels_From_Card(); }
    void Group_Default_Photo() override { c.Check_For_Defalut_Photo_Control(); }
    void Group_Record_Side(int side) override { c.Record_Side(side); }
    void Group_Card_Changed() override { c.Refresh_Canvas(); }
    void Group_Arrow_Tool() override { c.selectArrowTool(); }
    SKTGraphicView *Group_Card_View(int side) const override { return c.graphicView(side == 1 ? 1 : 0); }
    void Group_Panel_Follows(SKTGraphic *g) override { c.Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(g); }
    void Group_Side_Panel_Shown(int side) override
    {
        if (side == 1)
            c.m_visitorPanels.Show_Single_Mode_Back_Panel();
        else
            c.m_visitorPanels.Show_Single_Mode_Front_Panel();
    }
    void Group_Lock_State() override { c.Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK(); }
    void Group_View_Rows() override { c.Data_From_Excel_Window().Open_Wnd(); }
    void Group_Rows_Read() override
    {
        if (c.dataSourceSection) DataSourceSection::Add_Excel_Col_Name_In_Combo(c.dataSourceSection->Data_source_type);
    }
    QString Group_No_Image_Path() const override { return c.NO_Image_Path; }
    void Group_Column_Step(int side, const DesignColumnChoices &before) override
    {
        c.Column_Step_Recorded(side, before);
    }
    void Group_File_Changed() override { c.Set_Log_Name_In_Title(); }
    void Group_Fresh_Start() override { c.New_Project(); }

private:
    SKTWindowController &c;
};

void SKTWindowController::Build_Group_Pane()
{
    if (m_group) return;
    m_groupHost = std::make_unique<Group_Host>(*this);
    Group_Mode_Folders folders{Created_Resource_Path, Resource_Path + QStringLiteral("Templates"),
                               Created_Resource_Path + QStringLiteral("Templates/User")};
    m_group = std::make_unique<Group_Mode>(document, *m_groupHost, pictureAdjuster, std::move(folders),
                                           live_mode_list_value_change, ui.window, modalRunner);
    m_group->Build_Pane(ui.group_control_view);
}

SKTGraphic *SKTWindowController::Make_Group_Control(int side, const QString &id, const QString &value, bool picture)
{
    SKTGraphicView *view = graphicView(side == 1 ? 1 : 0);
    if (!view) return nullptr;
    const QString v = picture && value.isEmpty() ? NO_Image_Path : value;
    // The control is made as the tool of its kind would make it on its side; the tool,
    // the library choice and the side shown are given back afterwards.
    const Scoped_Value<int> shown(document.Card_Front_Or_Back, side == 1 ? 1 : 0);
    const Scoped_Value<int> tool(m_selectedTool, picture ? 8 : 2);
    const Scoped_Value<QString> picturePath(Library_Selected_Image, picture ? v : QString());
    const QRectF rect = m_visitorPanels.Sample_Rect(id);
    const bool useRect = rect.width() > 0 && rect.height() > 0;
    return view->createGraphicOfClass(picture ? GraphicKind::Image : GraphicKind::Text, std::nullopt, useRect, rect,
                                      Card_Side_Of_Index(side), v, id);
}

void SKTWindowController::Field_Control_Made(SKTGraphic &g)
{
    if (m_group) m_group->Fill_New_Controls({&g});
}

void SKTWindowController::Controls_Pasted(const std::vector<SKTGraphic *> &pasted)
{
    if (m_group) m_group->Fill_New_Controls(pasted);
}

Group_Mode &SKTWindowController::groupMode() const { return *m_group; }

void SKTWindowController::Group_Mode_Clicked() { m_group->Group_Mode_Clicked(); }

void SKTWindowController::Assign_value_to_card_in_group_mode_list_selection()
{
    if (m_group) m_group->Assign_value_to_card_in_group_mode_list_selection();
}

std::shared_ptr<SideCopy> SKTWindowController::Group_Side_Not_Shown_Filled() const
{
    return m_group ? m_group->Group_Side_Not_Shown_Filled() : nullptr;
}
