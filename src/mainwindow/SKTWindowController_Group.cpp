// Group mode in the main window: the row list in the group pane beside the card, a
// row put on the card and the panel of the side shown, the rows stored from the panel,
// the set-up after a group project was read, and the column dialog. The work is the
// data library's (GroupBinding, GroupRows, the value engine); this file wires it.
#include "SKTWindowController.h"

#include "CardValueEngine.h"
#include "Data_From_Excel.h"
#include "Globals.h"
#include "GroupBinding.h"
#include "GroupRows.h"
#include "Group_Row_List.h"
#include "Log.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "ScopedFlag.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Update_XL_Column.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QVBoxLayout>
#include <exception>

namespace {
const QString kTextHere = QStringLiteral("Text here");

QString letterOf(int side) { return side == 1 ? QStringLiteral("B") : QStringLiteral("F"); }

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

void SKTWindowController::Build_Group_Pane()
{
    if (!ui.group_control_view || groupRowList) return;
    auto *layout = new QVBoxLayout(ui.group_control_view);
    layout->setContentsMargins(0, 0, 0, 0);
    groupRowList = new Group_Row_List(document, ui.group_control_view);
    layout->addWidget(groupRowList);
    // The pane keeps the width the layout of the panes gives it (200).
    ui.group_control_view->setMinimumWidth(200);
    groupRowList->panelValues = [this] {
        // The panel of the side shown, as the row builder takes it.
        QList<GroupRows::Panel_Value> values;
        const int side = document.currentSide();
        Profile_Panel *panel = Profile_Panel_Of_Side(side);
        if (!panel) return values;
        const DesignColumnChoices &choices = document.m_columnChoices;
        for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields()) {
            const int column = choices.*f.column;
            if (column == -1) continue;
            const QLineEdit *box = panel->Text_Box_For_ID(QLatin1String(f.id));
            const QCheckBox *chk = panel->Chk_Box_For_ID(QLatin1String(f.id));
            values.append({column, box ? box->text() : QString(), chk && chk->isChecked()});
        }
        const int photoColumn = side == 1 ? choices.excel_cb_value12 : choices.excel_cb_value11;
        if (photoColumn != -1) {
            const SKTGraphic *photo = GroupBinding::Find_Control(document.sideList(side), QLatin1String(GroupBinding::kPhotoID));
            values.append({photoColumn, photo ? photo->FilePath() : NO_Image_Path, true});
        }
        for (const Dynamic_Ctrl_Entry &e : currentDynamicList()) {
            const int column = e.column.toInt();
            if (column == -1) continue;
            const QLineEdit *box = Get_text_box_of_visitor_mode(e.id);
            values.append({column, box ? box->text() : QString(), true});
        }
        return values;
    };
    groupRowList->saveProject = [this] { return Save_project_file(false, false, Card_Mode::Opened); };
    connect(groupRowList, &Group_Row_List::rowSelected, this, [this](int row) {
        // The document's selected row is the one export, print and mail fill the side
        // not shown from.
        document.Mark_List_New_Selection(row);
        Assign_value_to_card_in_group_mode_list_selection();
    });
    connect(groupRowList, &Group_Row_List::updateColumnsClicked, this, &SKTWindowController::Update_Excel_Btn_Clicked);
    connect(groupRowList, &Group_Row_List::viewSpreadsheetClicked, this, &SKTWindowController::View_Excel_Btn_Clicked);
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
    const QRectF rect = Get_Control_Rect_From_Template(id, v);
    const bool useRect = rect.width() > 0 && rect.height() > 0;
    return view->createGraphicOfClass(picture ? GraphicKind::Image : GraphicKind::Text, std::nullopt, useRect, rect,
                                      Card_Side_Of_Index(side), v, id);
}

void SKTWindowController::Set_GP_mode_Value_From_Excel(const QString &side, int row)
{
    const int s = side == QLatin1String("F") ? 0 : 1;
    Profile_Panel *panel = Profile_Panel_Of_Side(s);
    if (!panel) return;
    const Dynamic_Ctrl_List &list = s == 1 ? dynamic_ctrl_list_back : dynamic_ctrl_list_front;
    const auto userColumn = [&list](const QString &id) { return ::Get_Col_Index_of_Dynamic_Control(list, id); };
    const Scoped_Value<bool> quiet(live_mode_list_value_change, true);
    for (const GroupBinding::Panel_Value &v : GroupBinding::Row_Values_For_Side(document, s, row, userColumn)) {
        if (v.id == QLatin1String(GroupBinding::kPhotoID)) {
            // The panel gives the card's photo control the picture.
            panel->Set_User_Image(v.text, v.id);
            continue;
        }
        if (QLineEdit *box = panel->Text_Box_For_ID(v.id)) {
            box->setText(v.text);
            continue;
        }
        if (v.picture) {
            const SKTGraphic *g = GroupBinding::Find_Control(document.sideList(s), v.id);
            panel->Set_User_Image_Control(v.text, g ? g->_contents : Picture(), v.id);
            if (QLabel *well = panel->Get_Dynamic_Photo_Ctrl(v.id))
                panel->Set_Dynamic_Pic_Ctrl_Image(well, QFileInfo(v.text).fileName() == QLatin1String("no.png")
                                                            ? no_image_ctrl_GP
                                                            : Panel_Image_For_Path(v.text));
        }
        if (QLineEdit *box = panel->Get_Dynamic_Text_Box(v.id)) box->setText(v.text);
    }
}

void SKTWindowController::Assign_value_to_card_in_group_mode_list_selection()
{
    if (!Is_Group_Mode() || !groupRowList) return;
    const int row = groupRowList->selectedRow();
    if (row < 0 || row >= document.ListData().size()) return;
    try {
        const Scoped_Value<bool> quiet(live_mode_list_value_change, true);
        // An engine of its own: a batch run's snapshot is never disturbed.
        CardValueEngine engine(Data_Folder_Path);
        engine.Check_Series_Or_Excel_Use_or_not(document);
        engine.Assign_Batch_Values_To_Control(currentSideControls().items(), row);
        Set_GP_mode_Value_From_Excel(letterOf(document.currentSide()), row);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
    Refresh_Canvas();
}

void SKTWindowController::Select_Excel_First_Row()
{
    Set_GP_mode_Value_From_Excel(letterOf(document.currentSide()), 0);
    if (groupRowList) groupRowList->Mark_Group_List_New_Selection(0);
    selectArrowTool();
}

void SKTWindowController::Update_Excel_Column_Binding(const QString &mode)
{
    {
        const Scoped_Value<bool> quiet(live_mode_list_value_change, true);
        const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
        GroupBinding::Update_Excel_Column_Binding(
            document, mode, [this](int side, const QString &id, const QString &value, bool picture) {
                return Make_Group_Control(side, id, value, picture);
            });
    }
    if (groupRowList) groupRowList->Mark_Group_List_New_Selection(0);
}

void SKTWindowController::Set_Group_Mode_List_Setting_After_Loading(const QString &path, const QString &mode)
{
    if (groupRowList) groupRowList->Create_Group_List_By_Excel_List();
    if (copy_card_design == 0) Update_Excel_Column_Binding(mode == QLatin1String("U") ? mode : QStringLiteral("A"));
    document.m_spreadsheet.Excel_Binding_Use = true;
    if (!path.isEmpty()) document.Project_File_Name = path;
    Set_GP_mode_Value_From_Excel(letterOf(document.currentSide()), 0);
}

void SKTWindowController::Save_Group_Mode_List_Details_In_XL_Data_List()
{
    // Without a selected row the panel shows no person: nothing is stored.
    const int row = groupRowList ? groupRowList->selectedRow() : -1;
    if (row < 0) return;
    if (!GroupRows::Save_Row(document, row, groupRowList->panelValues())) return;
    groupRowList->Mark_Group_List_New_Selection(row);
}

void SKTWindowController::Update_excel_col_binding_on_panel(int side)
{
    for (const GraphicPtr &g : document.sideList(side == 1 ? 1 : 0).items()) {
        if (g->kind() != GraphicKind::Text && g->kind() != GraphicKind::Image) continue;
        const QString id = g->control_ID.trimmed();
        if (id.isEmpty() || !g->ctrl_is_visible) continue;
        const int column = Get_Excel_Coulmn_Index_According_ID(id);
        if (column >= 0) GroupBinding::Bind(*g, column, g->ctrl_is_visible);
    }
}

void SKTWindowController::Update_Excel_Btn_Clicked()
{
    if (!Is_Group_Mode()) return;
    try {
        const int remembered = groupRowList ? groupRowList->selectedRow() : -1;
        const int side = document.currentSide();
        Create_Dynamic_Control_List();
        Column_Dialog_Side input;
        input.side = side;
        input.captions = {Title_Name,    Title_Title, Title_Company_name, Title_slogan,  Title_address,
                          Title_phone,   Title_fax,   Title_email,        Title_website, Title_unique};
        const QFileInfo project(document.Project_File_Name);
        input.projectName = project.completeBaseName();
        input.projectPath = document.Project_File_Name.isEmpty() ? QString() : project.dir().dirName();
        input.excelFile = document.m_spreadsheet.Excel_Source_Path;
        for (const Dynamic_Ctrl_Entry &e : currentDynamicList())
            input.userRows.push_back({e.id, e.visible == QLatin1String("Y"), e.column.toInt()});

        Update_XL_Column dialog(document, ui.window, modalRunner);
        const int nameColumn = document.m_columnChoices.excel_cb_value1;
        if (dialog.Open_Wnd(input) != 1) return;
        for (const Column_Dialog_Row &r : dialog.userRows())
            for (Dynamic_Ctrl_Entry &e : currentDynamicList()) {
                if (e.id != r.id) continue;
                if (r.column != -1) e.value = CardValueEngine::Get_First_Value_Of_Excel_Binding(document, r.column);
                e.visible = r.shown ? QStringLiteral("Y") : QStringLiteral("N");
                e.column = QString::number(r.column);
            }
        if (groupRowList && nameColumn != document.m_columnChoices.excel_cb_value1)
            groupRowList->Create_Group_List_By_Excel_List();

        // The state before the change is the one a single Undo brings back.
        Record_Side(0);
        Record_Side(1);
        {
            const Scoped_Value<bool> quiet(live_mode_list_value_change, true);
            const Scoped_Value<int> shown(document.Card_Front_Or_Back, side);
            {
                const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
                GroupBinding::Update_Excel_Column_Binding_Update_Column(
                    document, side, dialog.shownFields(),
                    [this](int s, const QString &id, const QString &value, bool picture) {
                        return Make_Group_Control(s, id, value, picture);
                    });
            }
            if (Profile_Panel *panel = Profile_Panel_Of_Side(side)) {
                Group_Rows_Source rows(document);
                ::Update_Value_For_Dynamic_Control(currentDynamicList(), QStringLiteral("A"), QString(), *panel,
                                                   currentSideControls(), rows);
            }
            for (int s : {0, 1}) {
                const Scoped_Value<int> juggled(document.Card_Front_Or_Back, s);
                Update_excel_col_binding_on_panel(s);
            }
            // The panel's boxes follow the fields' controls: ticked when shown.
            for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields())
                Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(
                    GroupBinding::Find_Control(currentSideControls(), QLatin1String(f.id)));
        }
        if (side == 1)
            Show_Single_Mode_Back_Panel();
        else
            Show_Single_Mode_Front_Panel();
        if (remembered < 1)
            Select_Excel_First_Row();
        else if (groupRowList)
            groupRowList->Mark_Group_List_New_Selection(remembered);
        Record_Side(1 - side);
        Record_Side(side);
        Refresh_Canvas();
        if (SKTGraphicView *view = currentGraphicView()) view->Clear_Control_Selection();
        Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

std::shared_ptr<SideCopy> SKTWindowController::Group_Side_Not_Shown_Filled() const
{
    if (!Is_Group_Mode()) return nullptr;
    const int row = document.listSelection();
    if (row < 0 || row >= document.ListData().size()) return nullptr;
    CardValueEngine engine(Data_Folder_Path);
    engine.Check_Series_Or_Excel_Use_or_not(document);
    engine.Set_Front_Back_Value_To_Print_Export_Mail(document, Application_Render_Resources(pictureAdjuster), row);
    return std::make_shared<SideCopy>(engine.Side_Copy(document.currentSide() == 1 ? 0 : 1));
}

void SKTWindowController::View_Excel_Btn_Clicked()
{
    if (document.ListData().isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no excel data to view."));
        return;
    }
    Data_From_Excel_Window().Open_Wnd();
}
