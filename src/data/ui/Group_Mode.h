#pragma once
// Group mode of the design shown: the row list in the group pane beside the card, one
// person per row of the document's row table, put on the card and the panel of the
// side shown; the rows stored from the panel; the set-up after a group project was
// read; the column dialog; and the "Group Mode" command with its wizard and the making
// of a new project. Nothing of it acts outside mode "G". The work on the design is the
// data library's (GroupBinding, GroupRows, the value engine); what group mode needs of
// the window that holds it comes through Group_Mode_Host.
#include "CardValueEngine.h"
#include "Dynamic_Control_List.h"
#include "GroupBinding.h"
#include "GroupRows.h"
#include "Side_Steps.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class Group_Mode_Wizard;
class Group_Row_List;
class Modal_Runner;
class QWidget;
class SKTDocument;
class SKTGraphic;
class SKTGraphicView;
struct Column_Dialog_Side;
struct Group_Project;
struct PictureAdjuster;

class Group_Mode_Host {
public:
    virtual ~Group_Mode_Host() = default;
    // Makes a field's control on a side (0 front, 1 back) as the tool of its kind would
    // make it there; nullptr when the side has no view.
    virtual SKTGraphic *Group_Make_Control(int side, const QString &id, const QString &value, bool picture) = 0;
    // The user-added rows of a side's panel, and the list of the side shown built again.
    virtual Dynamic_Ctrl_List &Group_User_Rows(int side) = 0;
    virtual void Group_Build_User_Rows() = 0;
    // Saves the design without a message as a design (Opened) or a group project (Group);
    // false when nothing was written.
    virtual bool Group_Save_Project(Card_Mode mode) = 0;
    // Reads a design or template file into the window without a message; false with
    // the reader's reason in *error.
    virtual bool Group_Read_Design(const QString &path, QString *error) = 0;
    // After a design was read: sides, panels and title follow it.
    virtual void Group_Design_Read() = 0;
    // The undo history starts anew; the design counts as unchanged when `saved` (its file
    // holds it), as changed when its file could not be written.
    virtual void Group_Design_Anew(bool saved) = 0;
    // Asks whether to save a changed design; false when the user cancels.
    virtual bool Group_Ask_To_Save() = 0;
    // The visitor and group panels emptied, or showing the card's fields again.
    virtual void Group_Panels_Emptied() = 0;
    virtual void Group_Panels_From_Card() = 0;
    // The front gets its photo control when it has none.
    virtual void Group_Default_Photo() = 0;
    virtual void Group_Record_Side(int side) = 0;
    // The card views drawn again.
    virtual void Group_Card_Changed() = 0;
    virtual void Group_Arrow_Tool() = 0;
    virtual SKTGraphicView *Group_Card_View(int side) const = 0;
    // A field's panel boxes follow its control (ticked when shown).
    virtual void Group_Panel_Follows(SKTGraphic *g) = 0;
    // The panel of the side shown in the visitor pane.
    virtual void Group_Side_Panel_Shown(int side) = 0;
    // The panel boxes locked or free as the card's controls are.
    virtual void Group_Lock_State() = 0;
    // The spreadsheet rows shown in their window.
    virtual void Group_View_Rows() = 0;
    // New rows were read: the data-source lists offer their columns.
    virtual void Group_Rows_Read() = 0;
    // The path of the stand-in a photo without a picture shows on the card.
    virtual QString Group_No_Image_Path() const = 0;
    // The last state recorded of the side (0 front, 1 back) was left by a step that
    // changed the column choices from `before` to what they are now: its undo puts
    // them back.
    virtual void Group_Column_Step(int /*side*/, const DesignColumnChoices & /*before*/) {}
    // The design's file was renamed or deleted: the title names the file it has now.
    virtual void Group_File_Changed() = 0;
    // The design closed and what a fresh start shows (the template gallery).
    virtual void Group_Fresh_Start() = 0;
};

// The folders the wizard works in.
struct Group_Mode_Folders {
    QString dataFolder;           // the per-user data folder, ending with "/"
    QString templatesFolder;      // the shipped "Templates"
    QString userTemplatesFolder;  // "Templates/User" of the data folder
};

class Group_Mode : public QObject, public Side_Steps_Rows {
    Q_OBJECT
public:
    // quiet: the window's flag that holds undo recording while group mode puts values
    // on the card. window: the parent of the pane's dialogs; runner runs them.
    Group_Mode(SKTDocument &doc, Group_Mode_Host &host, const PictureAdjuster &adjuster, Group_Mode_Folders folders,
               bool &quiet, QWidget *window, Modal_Runner *runner);
    ~Group_Mode() override;

    bool Is_Group_Mode() const;
    // The row list, built into the pane (once); nullptr before.
    void Build_Pane(QWidget *pane);
    Group_Row_List *rowList() const { return m_rows; }

    // The "Group Mode" command: asks to save, then runs the wizard; after Cancel the
    // panels show the card again.
    void Group_Mode_Clicked();
    // The wizard, made on first use; nullptr before.
    Group_Mode_Wizard &Group_Mode_Window();
    Group_Mode_Wizard *wizard() const;
    // Loads a group project or design file in group mode; false after the reader's message.
    bool Open_Group_Project(const QString &path);
    // A new project on the template just read: mode "G", the column choices, the rows,
    // the bound controls, then the project saved in its folder.
    void Make_Group_Project(const Group_Project &project);
    // A project renamed in the wizard's tree: when it is the open project, the design's
    // file and the title follow it, so the next save writes the renamed project.
    void Project_Renamed(const QString &from, const QString &to);
    // A project or folder deleted in the wizard's tree: when the open project's file
    // went with it, the design has no file any more, and a wizard that then opens or
    // makes no project ends in what a fresh start shows.
    void Project_Deleted(const QString &path);

    // The row onto the side's controls as every card of a run takes it
    // (CardValueEngine::Fill_Card_Side: the bound controls, the side's photo from the
    // side's photo column, the stand-in for a person without a photo), whose panel
    // boxes follow them; controls bound to no column keep their values.
    void Set_GP_mode_Value_From_Excel(Card_Side side, int row);
    // The selected row on the card and the panel of the side shown: a new fill of the
    // card, which Card_Fill names.
    void Assign_value_to_card_in_group_mode_list_selection();
    // The fill whose values the side's bound controls hold: the last one, when it went
    // to this side; none otherwise.
    std::optional<int> Card_Fill(int side) const override;
    // Controls of the side shown given back by undo or redo, taken holding the fill
    // `fill`: the selected row again (no new fill) unless that fill is still the side's
    // and the undo or redo changed no column (`columnsStepped`), so that what the user
    // typed into bound controls comes back with them. The columns are never read off
    // the controls that came back: a column changes only by the clerk's step and its
    // undo (Step_Columns).
    void Refill_Restored_Side(std::optional<int> fill, bool columnsStepped = false) override;
    // A step that took the column choices from `from` to `to` undone or redone: the
    // choices it changed take their `to` values (GroupBinding::Columns_After_Step) and
    // the list follows the name column. True when a choice changed.
    bool Step_Columns(const DesignColumnChoices &from, const DesignColumnChoices &to) override;
    // Controls a tick or a paste put on the side shown show the selected row's cells as
    // the row's fill gives them, their boxes follow, and what the side showed of the
    // row takes them in, so that a box emptied afterwards is a change Save stores.
    void Fill_New_Controls(const std::vector<SKTGraphic *> &controls);
    void Select_Excel_First_Row();
    // The column choices on both sides with the values of row 0 (to the controls there
    // are, or adding those missing), then row 0 selected.
    void Update_Excel_Column_Binding(GroupBinding::Binding_Apply mode);
    // After a group project was read: the list rebuilt, the choices applied, the path
    // kept, row 0 on the panel. Reading a group project updates only; a new project
    // made from a template needs its missing controls added first so that its fields
    // get their controls.
    void Set_Group_Mode_List_Setting_After_Loading(const QString &path, GroupBinding::Binding_Apply mode);
    // After a design was read into the window: in group mode the set-up above, then row 0
    // on the card and in the list. While a side is being copied onto the other the
    // current row stays, and nothing is filled.
    void Design_Loaded();
    // The side shown was made by Copy to Other Side: it takes the current row.
    void Side_Copied() override;
    // The panel of the side shown stored into the selected row (nothing when none).
    void Save_Group_Mode_List_Details_In_XL_Data_List();
    // The spreadsheet column of the field with the ID on the side shown: a fixed
    // field's column choice, the side's photo column for "Fup_Photo", a user-added
    // field's control's own binding (its entry of the side's list while the side has
    // no such control); -1 none.
    int Column_Of(const QString &ctrl_id);
    // A control was bound anew on the card by the clerk (Data Source tab, a crop into a
    // column): a field with a project column takes the control's column as its column
    // (a user-added field's column is its control's binding, which its entry of the
    // side's list follows), so that one column is its source everywhere.
    void Column_Follows_Binding(const SKTGraphic &g);
    // The Image tab's crop of a picture on the side shown: a crop into a new column makes
    // that column the picture's field's column, a step its undo takes back. A crop of a
    // picture bound to no column (a photo pasted back, say) leaves the columns as they are.
    void Picture_Cropped(const SKTGraphic &g);
    // The rows changed under the list: its entries built again.
    void Rows_Changed();
    // The change-columns command: the column dialog, then its choices on the card as
    // one undo step.
    void Update_Excel_Btn_Clicked();
    void View_Excel_Btn_Clicked();
    // In group mode with a selected person: a copy of the side not shown filled from
    // that person's row, for what is written or sent (the live design untouched); null
    // otherwise.
    std::shared_ptr<SideCopy> Group_Side_Not_Shown_Filled() const;

private:
    int Column_On_Side(int side, const QString &ctrl_id) const;
    // The fixed fields' texts and each side's photo on both sides bound as their columns
    // say (a field without a column: unbound from the sheet; one bound to a series keeps
    // it), so that a control that came back (undo, paste) never names another column
    // than its field's.
    void Bindings_Follow_Columns();
    void Update_excel_col_binding_on_panel(int side);
    // The binding's maker: a field's control made by the window.
    GroupBinding::Maker Control_Maker();
    Column_Dialog_Side Column_Dialog_Input(int side, const Dynamic_Ctrl_List &userRows) const;
    // The column dialog's choices on the card and the panel of the side, as one step
    // without undo records of their own.
    void Apply_Column_Choices(int side, const std::array<bool, 10> &shown, const Dynamic_Ctrl_List &userRows);
    QList<GroupRows::Panel_Value> Panel_Values() const;
    // What a row's save stores into the row: the panel's values that differ from what
    // the side showed of that row after its fill (all of them when it never showed it).
    QList<GroupRows::Panel_Value> Row_Changes(int row) const;
    // The selected row's values on the side shown and its panel, when a row is selected.
    void Fill_Side_Shown();

    SKTDocument &m_doc;
    Group_Mode_Host &m_host;
    const PictureAdjuster &m_adjuster;
    const Group_Mode_Folders m_folders;
    bool &m_quiet;
    QWidget *const m_window;
    Modal_Runner *const m_runner;
    Group_Row_List *m_rows = nullptr;
    QPointer<Group_Mode_Wizard> m_wizard;  // a child of the window when there is one
    // The fills of the card so far, and the side the last one went to (-1 none).
    int m_fills = 0;
    int m_filledSide = -1;
    // What each side's panel showed of the row last filled onto it (-1: none).
    struct Shown_Row {
        int row = -1;
        QList<GroupRows::Panel_Value> values;
    };
    std::array<Shown_Row, 2> m_shown;
    bool m_projectDeleted = false;  // the open project was deleted in the wizard's run
};
