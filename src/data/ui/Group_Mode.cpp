#include "Group_Mode.h"

#include "ControlColumn.h"
#include "DesignChoices.h"
#include "Globals.h"
#include "GroupBinding.h"
#include "GroupProjectStore.h"
#include "Group_Mode_Wizard.h"
#include "Group_Row_List.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "Profile_Data_Source.h"
#include "Profile_Panel.h"
#include "RenderResources.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "ScopedFlag.h"
#include "StandInPictures.h"
#include "Update_XL_Column.h"
#include "Visitor_Panel_Sync.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <utility>

namespace {
int indexOf(Card_Side side) { return side == Card_Side::Back ? 1 : 0; }
Card_Side sideOf(int side) { return side == 1 ? Card_Side::Back : Card_Side::Front; }

QStringList fieldCaptions()
{
    return {Title_Name,  Title_Title, Title_Company_name, Title_slogan,  Title_address,
            Title_phone, Title_fax,   Title_email,        Title_website, Title_unique};
}

// The rows as the panels' user-added fields read them; a listed control takes its
// row value and is bound to its column.
class Group_Rows_Source final : public Profile_Data_Source {
public:
    explicit Group_Rows_Source(const SKTDocument &doc) : m_doc(doc) {}
    int Calculate_Excel_table_rows() const override { return int(m_doc.ListData().size()); }
    QString Get_Excel_Table_Item_Text(int row, int col) const override { return GroupBinding::Cell_Text(m_doc, row, col); }
    bool Excel_Binding_Use() const override { return m_doc.m_spreadsheet.Excel_Binding_Use; }
    void Check_and_create_control_for_group_mode(SKTGraphicList &side, const QString &ctrl_id, const QString &value,
                                                 const QString &kind, int column, bool visible, bool its_update,
                                                 bool chk_other_side) override
    {
        Profile_Data_Source::Check_and_create_control_for_group_mode(side, ctrl_id, value, kind, column, visible,
                                                                     its_update, chk_other_side);
        if (SKTGraphic *g = GroupBinding::Find_Control(side, ctrl_id)) GroupBinding::Bind(*g, column, visible);
    }

private:
    const SKTDocument &m_doc;
};
} // namespace

Group_Mode::Group_Mode(SKTDocument &doc, Group_Mode_Host &host, const PictureAdjuster &adjuster,
                       Group_Mode_Folders folders, bool &quiet, QWidget *window, Modal_Runner *runner)
    : m_doc(doc), m_host(host), m_adjuster(adjuster), m_folders(std::move(folders)), m_quiet(quiet), m_window(window),
      m_runner(runner)
{
}

Group_Mode::~Group_Mode()
{
    if (m_wizard && !m_wizard->parent()) delete m_wizard.data();
}

bool Group_Mode::Is_Group_Mode() const { return m_doc.Start_Card_Option == Card_Mode::Group; }

void Group_Mode::Build_Pane(QWidget *pane)
{
    if (!pane || m_rows) return;
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    m_rows = new Group_Row_List(m_doc, pane);
    layout->addWidget(m_rows);
    // The pane keeps the width the layout of the panes gives it (200).
    pane->setMinimumWidth(200);
    m_rows->panelValues = [this] { return Panel_Values(); };
    m_rows->rowChanges = [this](int row) { return Row_Changes(row); };
    m_rows->saveProject = [this] { return m_host.Group_Save_Project(Card_Mode::Opened); };
    // The list made the row current (the document's selected row, the one export,
    // print and mail fill the side not shown from): it goes onto the card.
    connect(m_rows, &Group_Row_List::rowSelected, this, [this] { Assign_value_to_card_in_group_mode_list_selection(); });
    // Rows added, deleted or stored: what a side showed of a row before is no guide.
    connect(&m_doc, &SKTDocument::listDataChanged, this, [this] { m_shown = {}; });
    connect(m_rows, &Group_Row_List::updateColumnsClicked, this, &Group_Mode::Update_Excel_Btn_Clicked);
    connect(m_rows, &Group_Row_List::viewSpreadsheetClicked, this, &Group_Mode::View_Excel_Btn_Clicked);
}

QList<GroupRows::Panel_Value> Group_Mode::Panel_Values() const
{
    // The panel of the side shown, as the row builder takes it.
    QList<GroupRows::Panel_Value> values;
    const int side = m_doc.currentSide();
    Profile_Panel *panel = Profile_Panel_Of_Side(side);
    if (!panel) return values;
    const DesignColumnChoices &choices = m_doc.m_columnChoices;
    for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields()) {
        const int column = choices.*f.column;
        if (column == -1) continue;
        const QLineEdit *box = panel->Text_Box_For_ID(QLatin1String(f.id));
        const QCheckBox *chk = panel->Chk_Box_For_ID(QLatin1String(f.id));
        // A box whose field has no control on the side shows nothing of the card (a
        // deleted text leaves its box as it was): a row's save takes nothing from it.
        const bool onCard = GroupBinding::Find_Control(m_doc.sideList(side), QLatin1String(f.id));
        values.append({column, box ? box->text() : QString(), onCard && chk && chk->isChecked(),
                       Profile_Panel::Edit_Order(box)});
    }
    const int photoColumn = side == 1 ? choices.excel_cb_value12 : choices.excel_cb_value11;
    // The side's photo, as the visitor record reads it and the row's fill fills it; the
    // picture shown for a person without a photo is nobody's photo. A side without a
    // photo gives the column nothing, so the row keeps its photo.
    if (const SKTGraphic *photo = m_doc.Visitor_Photo(side); photo && photoColumn != -1) {
        QString path = photo->FilePath();
        if (Is_Stand_In_Picture(path, Resource_Path)) path.clear();
        values.append({photoColumn, path, true});
    }
    const Visitor_Panel_Sync boxes(m_doc);
    for (const Dynamic_Ctrl_Entry &e : m_host.Group_User_Rows(side)) {
        const int column = Column_On_Side(side, e.id);
        if (column == -1) continue;
        const QLineEdit *box = boxes.Text_Box(e.id);
        values.append({column, box ? box->text() : QString(), true, Profile_Panel::Edit_Order(box)});
    }
    return GroupRows::One_Value_Per_Column(values);
}

QList<GroupRows::Panel_Value> Group_Mode::Row_Changes(int row) const
{
    const int side = m_doc.currentSide() == 1 ? 1 : 0;
    const QList<GroupRows::Panel_Value> now = Panel_Values();
    // A side that never showed the row has nothing to compare with: all of it is stored.
    if (m_shown[side].row != row) return now;
    return GroupRows::Changed_Values(m_shown[side].values, now);
}

void Group_Mode::Set_GP_mode_Value_From_Excel(Card_Side side, int row)
{
    // The row goes onto the side's controls by the fill that makes every card of a run
    // (the photo column to the side's photo, the stand-in for a person without one);
    // the panel's boxes follow the card's controls (Visitor_Panel_Sync::Follow_Control),
    // so box, card and the cards produced have one source.
    try {
        const Scoped_Value<bool> quiet(m_quiet, true);
        // An engine of its own: a batch run's snapshot is never disturbed.
        CardValueEngine engine(Data_Folder_Path, m_host.Group_No_Image_Path());
        engine.Check_Series_Or_Excel_Use_or_not(m_doc);
        const int s = indexOf(side);
        engine.Fill_Card_Side(m_doc.sideList(s).items(), s, row);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Group_Mode::Assign_value_to_card_in_group_mode_list_selection()
{
    Fill_Side_Shown();
    ++m_fills;
    m_filledSide = m_doc.currentSide();
}

std::optional<int> Group_Mode::Card_Fill(int side) const
{
    if (side != m_filledSide) return std::nullopt;
    return m_fills;
}

void Group_Mode::Refill_Restored_Side(std::optional<int> fill, bool columnsStepped)
{
    if (Is_Group_Mode()) {
        Bindings_Follow_Columns();
        // A user-added field's column is its control's binding, which came back with
        // it: the side's list says the same.
        const int side = m_doc.currentSide() == 1 ? 1 : 0;
        for (Dynamic_Ctrl_Entry &e : m_host.Group_User_Rows(side))
            if (const SKTGraphic *g = GroupBinding::Find_Control(m_doc.sideList(side), e.id))
                e.column = QString::number(g->data_source_type_val() == Data_Source_Spreadsheet ? g->excel_col_indx : -1);
    }
    if (!columnsStepped && fill && fill == Card_Fill(m_doc.currentSide())) return;
    Fill_Side_Shown();
}

void Group_Mode::Bindings_Follow_Columns()
{
    const DesignColumnChoices &choices = m_doc.m_columnChoices;
    const auto follow = [](SKTGraphic &g, int column) {
        // A text the clerk bound to a series keeps it.
        if (g.data_source_type_val() == Data_Source_Series) return;
        const bool bound = g.data_source_type_val() == Data_Source_Spreadsheet;
        if (column >= 0 ? !bound || g.excel_col_indx != column : bound) GroupBinding::Bind(g, column, g.ctrl_is_visible);
    };
    for (int side : {0, 1}) {
        SKTGraphicList &controls = m_doc.sideList(side);
        for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields())
            for (const GraphicPtr &g : controls.items())
                if (g->kind() == GraphicKind::Text && g->control_ID.trimmed() == QLatin1String(f.id))
                    follow(*g, choices.*f.column);
        if (SKTGraphic *photo = m_doc.Visitor_Photo(side); photo && photo->kind() == GraphicKind::Image)
            follow(*photo, side == 1 ? choices.excel_cb_value12 : choices.excel_cb_value11);
    }
}

bool Group_Mode::Step_Columns(const DesignColumnChoices &from, const DesignColumnChoices &to)
{
    const DesignColumnChoices before = m_doc.m_columnChoices;
    m_doc.m_columnChoices = GroupBinding::Columns_After_Step(before, from, to);
    if (before.excel_cb_value1 != m_doc.m_columnChoices.excel_cb_value1) Rows_Changed();
    return before != m_doc.m_columnChoices;
}

void Group_Mode::Fill_New_Controls(const std::vector<SKTGraphic *> &controls)
{
    if (!Is_Group_Mode() || !m_rows || controls.empty()) return;
    const int row = m_rows->selectedRow();
    if (row < 0 || row >= m_doc.ListData().size()) return;
    const int side = m_doc.currentSide() == 1 ? 1 : 0;
    std::vector<GraphicPtr> made;
    for (const GraphicPtr &g : m_doc.sideList(side).items())
        if (std::find(controls.begin(), controls.end(), g.get()) != controls.end()) made.push_back(g);
    if (made.empty()) return;
    Bindings_Follow_Columns();
    try {
        const Scoped_Value<bool> quiet(m_quiet, true);
        CardValueEngine engine(Data_Folder_Path, m_host.Group_No_Image_Path());
        engine.Check_Series_Or_Excel_Use_or_not(m_doc);
        engine.Fill_Card_Side(made, side, row);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return;
    }
    QList<int> columns;
    for (const GraphicPtr &g : made) {
        m_host.Group_Panel_Follows(g.get());
        columns << (g->Is_Visitor_Photo() ? Column_Of(QLatin1String(GroupBinding::kPhotoID)) : Column_Of(g->control_ID));
    }
    // What the side shows of the row now holds these cells, as a fill leaves them.
    Shown_Row &shown = m_shown[side];
    if (shown.row != row) return;
    QList<GroupRows::Panel_Value> kept;
    for (const GroupRows::Panel_Value &v : shown.values)
        if (!columns.contains(v.column)) kept << v;
    for (const GroupRows::Panel_Value &v : Panel_Values())
        if (columns.contains(v.column)) kept << v;
    shown.values = kept;
}

void Group_Mode::Fill_Side_Shown()
{
    if (!Is_Group_Mode() || !m_rows) return;
    const int row = m_rows->selectedRow();
    if (row < 0 || row >= m_doc.ListData().size()) return;
    Set_GP_mode_Value_From_Excel(sideOf(m_doc.currentSide()), row);
    // The photo box names the row's photo, even when the side's photo kept its picture
    // (the follower sees no change then) and the box named a picture clicked before.
    if (SKTGraphic *photo = m_doc.Visitor_Photo(m_doc.currentSide())) m_host.Group_Panel_Follows(photo);
    // What the side shows of the row now, which a save compares with.
    m_shown[m_doc.currentSide() == 1 ? 1 : 0] = {row, Panel_Values()};
    m_host.Group_Card_Changed();
}

void Group_Mode::Select_Excel_First_Row()
{
    Set_GP_mode_Value_From_Excel(sideOf(m_doc.currentSide()), 0);
    if (m_rows) m_rows->Mark_Group_List_New_Selection(0);
    m_host.Group_Arrow_Tool();
}

void Group_Mode::Update_Excel_Column_Binding(GroupBinding::Binding_Apply mode)
{
    {
        const Scoped_Value<bool> quiet(m_quiet, true);
        const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
        GroupBinding::Update_Excel_Column_Binding(m_doc, mode, Control_Maker());
    }
    if (m_rows) m_rows->Mark_Group_List_New_Selection(0);
}

void Group_Mode::Set_Group_Mode_List_Setting_After_Loading(const QString &path, GroupBinding::Binding_Apply mode)
{
    if (m_rows) m_rows->Create_Group_List_By_Excel_List();
    if (copy_card_design == 0) Update_Excel_Column_Binding(mode);
    m_doc.m_spreadsheet.Excel_Binding_Use = true;
    if (!path.isEmpty()) m_doc.Project_File_Name = path;
    // A side copied onto the other keeps the current row; the side it made takes that
    // row when shown (Side_Copied).
    if (copy_card_design == 0) Set_GP_mode_Value_From_Excel(sideOf(m_doc.currentSide()), 0);
}

void Group_Mode::Design_Loaded()
{
    if (!Is_Group_Mode()) return;
    Set_Group_Mode_List_Setting_After_Loading(m_doc.Project_File_Name, GroupBinding::Binding_Apply::Update_Only);
    if (copy_card_design == 0) Select_Excel_First_Row();
}

void Group_Mode::Side_Copied()
{
    if (!Is_Group_Mode()) return;
    // The copy shows the person the source showed, as the row stores them; the list
    // keeps that row.
    Assign_value_to_card_in_group_mode_list_selection();
}

void Group_Mode::Save_Group_Mode_List_Details_In_XL_Data_List()
{
    // Without a selected row the panel shows no person: nothing is stored.
    const int row = m_rows ? m_rows->selectedRow() : -1;
    if (row < 0) return;
    if (!GroupRows::Save_Row(m_doc, row, Row_Changes(row))) return;
    m_rows->Mark_Group_List_New_Selection(row);
}

void Group_Mode::Rows_Changed()
{
    if (m_rows) m_rows->Create_Group_List_By_Excel_List();
}

void Group_Mode::Picture_Cropped(const SKTGraphic &g)
{
    if (g.data_source_type_val() != Data_Source_Spreadsheet) return;
    const DesignColumnChoices before = m_doc.m_columnChoices;
    Column_Follows_Binding(g);
    m_host.Group_Column_Step(m_doc.currentSide(), before);
}

void Group_Mode::Column_Follows_Binding(const SKTGraphic &g)
{
    if (!Is_Group_Mode()) return;
    const int side = m_doc.graphics().contains(&g) ? 0 : m_doc.graphics_back().contains(&g) ? 1 : -1;
    if (side < 0) return;
    const int nameColumn = m_doc.m_columnChoices.excel_cb_value1;
    if (GroupBinding::Column_Follows_Binding(m_doc, side, g)) {
        // The list names its rows by the name column; the current row stays.
        if (nameColumn != m_doc.m_columnChoices.excel_cb_value1) Rows_Changed();
        // The person on show shows their own value of the new column.
        if (side == m_doc.currentSide()) Fill_Side_Shown();
        return;
    }
    const int now = g.data_source_type_val() == Data_Source_Spreadsheet ? g.excel_col_indx : -1;
    // A user-added field's entry takes the column too, also one that had none.
    for (Dynamic_Ctrl_Entry &e : m_host.Group_User_Rows(side))
        if (e.id == g.control_ID) e.column = QString::number(now);
}

int Group_Mode::Column_Of(const QString &ctrl_id)
{
    const int side = m_doc.currentSide() == 1 ? 1 : 0;
    if (ctrl_id == QLatin1String(GroupBinding::kPhotoID))
        return side == 1 ? m_doc.m_columnChoices.excel_cb_value12 : m_doc.m_columnChoices.excel_cb_value11;
    return Column_On_Side(side, ctrl_id);
}

int Group_Mode::Column_On_Side(int side, const QString &ctrl_id) const
{
    // A user-added field's column is its control's binding (the card, its fill, the
    // runs and the undo snapshots carry it); the side's list names it only for a field
    // whose control is not on the side.
    const Dynamic_Ctrl_List &list = m_host.Group_User_Rows(side);
    const SKTGraphicList &controls = m_doc.sideList(side);
    return ::Get_Excel_Coulmn_Index_According_ID(m_doc.m_columnChoices, ctrl_id, [&list, &controls](const QString &id) {
        if (const SKTGraphic *g = GroupBinding::Find_Control(controls, id))
            return g->data_source_type_val() == Data_Source_Spreadsheet ? g->excel_col_indx : -1;
        return ::Get_Col_Index_of_Dynamic_Control(list, id);
    });
}

void Group_Mode::Update_excel_col_binding_on_panel(int side)
{
    for (const GraphicPtr &g : m_doc.sideList(side).items()) {
        if (g->kind() != GraphicKind::Text && g->kind() != GraphicKind::Image) continue;
        const QString id = g->control_ID.trimmed();
        if (id.isEmpty() || !g->ctrl_is_visible) continue;
        const int column = Column_On_Side(side, id);
        if (column >= 0) GroupBinding::Bind(*g, column, g->ctrl_is_visible);
    }
}

GroupBinding::Maker Group_Mode::Control_Maker()
{
    return [this](int side, const QString &id, const QString &value, bool picture) {
        return m_host.Group_Make_Control(side, id, value, picture);
    };
}

Column_Dialog_Side Group_Mode::Column_Dialog_Input(int side, const Dynamic_Ctrl_List &userRows) const
{
    Column_Dialog_Side input;
    input.side = side;
    input.captions = fieldCaptions();
    const QFileInfo project(m_doc.Project_File_Name);
    input.projectName = project.completeBaseName();
    input.projectPath = m_doc.Project_File_Name.isEmpty() ? QString() : project.dir().dirName();
    input.excelFile = m_doc.m_spreadsheet.Excel_Source_Path;
    for (const Dynamic_Ctrl_Entry &e : userRows)
        input.userRows.push_back({e.id, e.visible == QLatin1String("Y"), e.column.toInt()});
    return input;
}

void Group_Mode::Update_Excel_Btn_Clicked()
{
    if (!Is_Group_Mode()) return;
    try {
        const int remembered = m_rows ? m_rows->selectedRow() : -1;
        const int side = m_doc.currentSide();
        m_host.Group_Build_User_Rows();
        Dynamic_Ctrl_List &userRows = m_host.Group_User_Rows(side);
        Update_XL_Column dialog(m_doc, m_window, m_runner);
        const DesignColumnChoices before = m_doc.m_columnChoices;
        const int nameColumn = before.excel_cb_value1;
        if (dialog.Open_Wnd(Column_Dialog_Input(side, userRows)) != 1) return;
        for (const Column_Dialog_Row &r : dialog.userRows())
            for (Dynamic_Ctrl_Entry &e : userRows) {
                if (e.id != r.id) continue;
                if (r.column != -1) e.value = CardValueEngine::Column_Value_Shown(m_doc, r.column);
                e.visible = r.shown ? QStringLiteral("Y") : QStringLiteral("N");
                e.column = QString::number(r.column);
            }
        if (m_rows && nameColumn != m_doc.m_columnChoices.excel_cb_value1) m_rows->Create_Group_List_By_Excel_List();

        // The state before the change is the one a single Undo brings back (the dialog
        // has stored its choices already: the state is recorded with the ones before).
        {
            const Scoped_Value<DesignColumnChoices> old(m_doc.m_columnChoices, before);
            m_host.Group_Record_Side(0);
            m_host.Group_Record_Side(1);
        }
        Apply_Column_Choices(side, dialog.shownFields(), userRows);
        m_host.Group_Side_Panel_Shown(side);
        if (remembered < 1)
            Select_Excel_First_Row();
        else if (m_rows)
            m_rows->Mark_Group_List_New_Selection(remembered);
        m_host.Group_Record_Side(1 - side);
        m_host.Group_Record_Side(side);
        m_host.Group_Column_Step(1 - side, before);
        m_host.Group_Column_Step(side, before);
        m_host.Group_Card_Changed();
        if (SKTGraphicView *view = m_host.Group_Card_View(m_doc.currentSide())) view->Clear_Control_Selection();
        m_host.Group_Lock_State();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Group_Mode::Apply_Column_Choices(int side, const std::array<bool, 10> &shown, const Dynamic_Ctrl_List &userRows)
{
    const Scoped_Value<bool> quiet(m_quiet, true);
    const Scoped_Value<int> shownSide(m_doc.Card_Front_Or_Back, side);
    {
        const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
        GroupBinding::Update_Excel_Column_Binding_Update_Column(m_doc, side, shown, Control_Maker());
    }
    if (Profile_Panel *panel = Profile_Panel_Of_Side(side)) {
        Group_Rows_Source rows(m_doc);
        ::Update_Value_For_Dynamic_Control(userRows, QStringLiteral("A"), QString(), *panel, m_doc.sideList(side), rows);
    }
    for (int s : {0, 1}) {
        const Scoped_Value<int> juggled(m_doc.Card_Front_Or_Back, s);
        Update_excel_col_binding_on_panel(s);
    }
    // The panel's boxes follow the fields' controls: ticked when shown.
    for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields())
        m_host.Group_Panel_Follows(GroupBinding::Find_Control(m_doc.sideList(side), QLatin1String(f.id)));
}

std::shared_ptr<SideCopy> Group_Mode::Group_Side_Not_Shown_Filled() const
{
    if (!Is_Group_Mode()) return nullptr;
    const int row = m_doc.listSelection();
    if (row < 0 || row >= m_doc.ListData().size()) return nullptr;
    CardValueEngine engine(Data_Folder_Path, m_host.Group_No_Image_Path());
    engine.Check_Series_Or_Excel_Use_or_not(m_doc);
    engine.Set_Front_Back_Value_To_Print_Export_Mail(m_doc, Application_Render_Resources(m_adjuster), row);
    return std::make_shared<SideCopy>(engine.Side_Copy(m_doc.currentSide() == 1 ? 0 : 1));
}

void Group_Mode::View_Excel_Btn_Clicked()
{
    if (m_doc.ListData().isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no excel data to view."));
        return;
    }
    m_host.Group_View_Rows();
}

// ---- The "Group Mode" command ----

void Group_Mode::Group_Mode_Clicked()
{
    if (!m_host.Group_Ask_To_Save()) return;
    m_projectDeleted = false;
    if (Group_Mode_Window().Open_Wnd() == 1) return;
    // A deleted open project is closed with it, never saved again.
    if (std::exchange(m_projectDeleted, false)) {
        m_host.Group_Fresh_Start();
        return;
    }
    // The opening emptied the panels; after Cancel they show the card again.
    m_host.Group_Panels_From_Card();
}

Group_Mode_Wizard *Group_Mode::wizard() const { return m_wizard; }

Group_Mode_Wizard &Group_Mode::Group_Mode_Window()
{
    if (m_wizard) return *m_wizard;
    Group_Wizard_Services s;
    s.dataFolder = m_folders.dataFolder;
    s.templatesFolder = m_folders.templatesFolder;
    s.userTemplatesFolder = m_folders.userTemplatesFolder;
    s.captions = fieldCaptions;
    // The panels are emptied for a group project, whose captions read as a general ID
    // card's (as an open project's panels show them); a cancelled wizard gives the
    // card's own back.
    s.resetPanels = [this] {
        Set_Field_Captions(Caption_Wording::General_ID_Card);
        m_host.Group_Panels_Emptied();
    };
    s.openProject = [this](const QString &path) { return Open_Group_Project(path); };
    s.loadTemplate = [this](const QString &path) {
        QString error;
        if (m_host.Group_Read_Design(path, &error)) return true;
        Show_MessageBox(error);
        return false;
    };
    s.finishProject = [this](const Group_Project &project) { Make_Group_Project(project); };
    s.projectRenamed = [this](const QString &from, const QString &to) { Project_Renamed(from, to); };
    s.projectDeleted = [this](const QString &path) { Project_Deleted(path); };
    m_wizard = new Group_Mode_Wizard(std::move(s), m_window);
    return *m_wizard;
}

bool Group_Mode::Open_Group_Project(const QString &path)
{
    QString error;
    if (!m_host.Group_Read_Design(path, &error)) {
        Show_MessageBox(error);
        return false;
    }
    m_doc.Start_Card_Option = Card_Mode::Group;
    m_doc.Project_File_Name = path;
    m_host.Group_Design_Read();
    m_host.Group_Design_Anew(true);
    return true;
}

void Group_Mode::Make_Group_Project(const Group_Project &project)
{
    m_host.Group_Default_Photo();
    m_doc.Start_Card_Option = Card_Mode::Group;
    m_doc.Selected_Template_Path = project.templatePath;
    // The template read set the column choices from its file: the wizard's come after.
    m_doc.m_columnChoices = project.columns;
    GroupRows::Fill_From_Sheet(m_doc, project.sheet, project.header);
    DesignSpreadsheet &sheet = m_doc.m_spreadsheet;
    sheet.Excel_Source_Path = project.workbook;
    sheet.Excel_Sheet_Number = project.sheetNumber;
    sheet.contains_header = project.header;
    sheet.Excel_Binding_Use = true;
    {
        // The fields' controls come as one step; the undo history starts anew below.
        const Scoped_Value<bool> quiet(m_quiet, true);
        GroupBinding::Update_Excel_Column_Binding(m_doc, GroupBinding::Binding_Apply::Add_Missing, Control_Maker());
    }
    m_doc.Mark_List_New_Selection(m_doc.ListData().isEmpty() ? -1 : 0);
    m_host.Group_Rows_Read();
    m_doc.Project_File_Name = project.designPath;
    Create_Folder(QFileInfo(project.designPath).absolutePath());
    // Saved silently as a group project (mode "G" in the file); one whose file could not
    // be written (the save said why) stays unsaved, for closing to ask and Save to write.
    const bool saved = m_host.Group_Save_Project(Card_Mode::Group);
    m_host.Group_Design_Read();
    m_host.Group_Design_Anew(saved);
}

void Group_Mode::Project_Renamed(const QString &from, const QString &to)
{
    if (!GroupProjectStore::Is_In(m_doc.Project_File_Name, from)) return;
    m_doc.Project_File_Name = to;
    m_host.Group_File_Changed();
}

void Group_Mode::Project_Deleted(const QString &path)
{
    // A project whose file could not be deleted stays open.
    const QString open = m_doc.Project_File_Name;
    if (!GroupProjectStore::Is_In(open, path) || GroupProjectStore::Occupied(open)) return;
    m_doc.Project_File_Name.clear();
    m_projectDeleted = true;
    m_host.Group_File_Changed();
}
