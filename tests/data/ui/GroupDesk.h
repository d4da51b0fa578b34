#pragma once
// Group mode as the tests build it without the main window: a document, the card views
// of both sides, the visitor panels with their desk, the group pane, the property
// panel's Data Source tab, and a window that reads and writes design files and records
// side snapshots.
#include "CardControls.h"
#include "CardValues.h"
#include "CardViewHost.h"
#include "DataSourceSection.h"
#include "DesignFile.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "Group_Row_List.h"
#include "MessageBox.h"
#include "PictureAdjuster.h"
#include "Profile_Data_Source.h"
#include "Profile_Panel.h"
#include "RenderResources.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "ScopedFlag.h"
#include "ScriptedRunner.h"
#include "Side_Steps.h"
#include "TestSupport.h"
#include "UndoHistory.h"
#include "Visitor_Panel_Desk.h"
#include "Visitor_Panel_Window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

struct GroupDesk : Group_Mode_Host, Visitor_Panel_Window, CardViewHost, Side_Steps_Host, DataSourceHost {
    struct Plain_Adjuster : PictureAdjuster {
        Picture adjusted(const Picture &source, const ImageAdjustments &, QSize) const override { return source; }
    } adjuster;
    SKTDocument document;
    testsupport::ScriptedRunner runner;
    bool quiet = false;  // no undo records while set
    QWidget window, pane, frontHolder, backHolder;
    SKTGraphicView frontView{adjuster}, backView{adjuster};
    Profile_Data_Source rowsSource;
    Visitor_Panel_Desk panels{document, *this};
    // Undo, Redo, the records of the sides and Copy to Other Side: the window's own road.
    Side_Steps steps{document, panels, *this, quiet};
    UndoHistory &history = steps.history();
    int rowWindows = 0;     // the rows' window opened
    QString title;          // the title, set as the window sets it: after a read, and when the file changes
    int freshStarts = 0;    // the design closed for what a fresh start shows
    // The property panel's Data Source tab, wired as the window wires it, and its list
    // of sources.
    DataSourceSection dataSource{*this};
    QComboBox &dataSources = *dataSource.Data_source_type;
    QString cameraPicture;  // what the camera window gives next ("" cancelled)
    int imageIDs = 0;       // the IDs given to pasted pictures
    // Told after each undo record of a side (the walk keeps what the side held then).
    std::function<void(int side)> recorded;
    // The column choices when a binding on the Data Source tab began: the next record of
    // a side is that binding's step, which its undo takes back (as the window's tab does).
    std::optional<DesignColumnChoices> bindingBefore;
    Group_Mode group{document, *this, adjuster,
                     {Created_Resource_Path, Resource_Path + "Templates", Created_Resource_Path + "Templates/User"},
                     quiet, &window, &runner};

    GroupDesk()
    {
        frontView.setHost(this);
        backView.setHost(this);
        frontView.bindGraphics(&document.sideList(0));
        backView.bindGraphics(&document.sideList(1));
        Side_Pane_Widgets panes;
        panes.front_vistr_view = &frontHolder;
        panes.back_vistr_view = &backHolder;
        panels.Build(panes);
        group.Build_Pane(&pane);
    }

    SKTGraphicList &front() { return document.sideList(0); }
    SKTGraphicList &back() { return document.sideList(1); }
    Group_Row_List &list() { return *group.rowList(); }
    SKTGraphicView &view(int side) { return side == 1 ? backView : frontView; }
    GraphicPtr add(SKTGraphicList &side, GraphicKind kind, QRectF r) { return testsupport::addControl(side, kind, r); }
    // The side shown, as the side buttons show it: the selected person on it.
    void showSide(int side)
    {
        document.Card_Front_Or_Back = side;
        group.Assign_value_to_card_in_group_mode_list_selection();
    }
    // A control clicked on the card of the side shown (none: clicked beside it): the
    // panels and the Data Source tab show it.
    void click(SKTGraphic *g)
    {
        SKTGraphicView &shown = view(document.currentSide());
        shown.selectGraphics(g ? std::vector<SKTGraphic *>{g} : std::vector<SKTGraphic *>{});
        shown.setSelected_Graphic(g);
        if (g) panels.Control_Selected(g);
        dataSource.Show_Data_Source_Of(g);
    }
    // A card text bound on the Data Source tab as the clerk binds it: the text clicked,
    // then "Manual"; or "Excel" (a step of its own while the tab shows another source),
    // then the column (column 0 the row's number). Each of the tab's steps is one undo
    // step; `before` is told ahead of each the column it binds the text to (-1 none).
    void bindOnTab(SKTGraphic &g, int column, const std::function<void(int)> &before = {})
    {
        click(&g);
        QComboBox &source = *dataSource.Data_source_type, &value = *dataSource.Batch_Series;
        const auto choose = [&](int kind, int bound) {
            if (source.currentIndex() == kind) return;
            if (before) before(bound);
            source.setCurrentIndex(kind);
        };
        if (column < 0) return choose(Data_Source_Manual, -1);
        choose(Data_Source_Spreadsheet, -1);
        if (before) before(column);
        value.setCurrentIndex(column);
        emit value.activated(column);
    }
    // Saves the design as the window's silent save does.
    bool save() { return Group_Save_Project(Card_Mode::Opened); }
    // The design read from the file as Open reads it.
    bool open(const QString &path)
    {
        QString error;
        DesignData data;
        if (!Read_Design_File(path, data, &error)) return false;
        Put_Design_In_Document(data, document, true);
        document.Project_File_Name = path;
        document.Start_Card_Option = data.mode == Card_Mode::Group ? Card_Mode::Group : Card_Mode::Visitor;
        Group_Design_Read();
        Group_Design_Anew(true);
        return true;
    }
    // Copy to Other Side, Undo and Redo of the side shown, as the window's commands run
    // them. False when there was no step.
    void copyToOtherSide() { steps.Copy_To_Other_Side(); }
    bool undoStep() { return steps.Undo(); }
    bool redoStep() { return steps.Redo(); }
    // The design differs from what was last read or written: the window's own decision.
    bool changed() { return steps.Design_Changed(); }
    // Every card of a side as a run (export, print, mail) makes it, started as the
    // window starts one (the current row on the side not shown): per card the value of
    // each control by ID (a text's text, a picture's path) and the path of the side's
    // photo, read from the controls the card is drawn from.
    struct Run_Card {
        QMap<QString, QString> values;
        QString photo;
    };
    std::vector<Run_Card> runCards(int side)
    {
        Card_Values values(document, [] { return Data_Folder_Path; }, No_Image_Path());
        const std::unique_ptr<BatchRunGuard> run =
            values.Begin_Batch_Run(Application_Render_Resources(adjuster), false, {});
        std::vector<Run_Card> cards;
        const Card_Side which = side == 1 ? Card_Side::Back : Card_Side::Front;
        for (int n = 0; run && n < values.Engine().Total_Batch_Excel_Card(); ++n) {
            Run_Card card;
            for (const GraphicPtr &g : values.Engine().Card_Copy(n, which).controls) {
                card.values[g->control_ID] = g->kind() == GraphicKind::Image ? g->FilePath() : g->Text_Value;
                if (g->Is_Visitor_Photo()) card.photo = g->FilePath();
            }
            cards.push_back(card);
        }
        return cards;
    }
    // ---- Group_Mode_Host ----
    SKTGraphic *Group_Make_Control(int side, const QString &id, const QString &value, bool picture) override
    {
        GraphicPtr g = add(document.sideList(side), picture ? GraphicKind::Image : GraphicKind::Text,
                           {10, 20.0 + 25 * document.sideList(side).count(), 120, 18});
        g->control_ID = id;
        if (!picture) g->Set_text_value(value);
        return g.get();
    }
    Dynamic_Ctrl_List &Group_User_Rows(int side) override { return side == 1 ? panels.back_list : panels.front_list; }
    void Group_Build_User_Rows() override { panels.Create_Dynamic_Control_List(); }
    bool Group_Save_Project(Card_Mode mode) override
    {
        Card_Mode fileMode = mode;
        if (group.Is_Group_Mode() && mode == Card_Mode::Opened) {
            group.Save_Group_Mode_List_Details_In_XL_Data_List();
            fileMode = Card_Mode::Group;
        }
        QString error;
        if (!Write_Design_File(document.Project_File_Name, document, fileMode, &error)) return false;
        // As the window's save: a template written from the design is not its file.
        if (mode != Card_Mode::Template) steps.Design_Is_As_Saved();
        return true;
    }
    bool Group_Read_Design(const QString &path, QString *error) override
    {
        DesignData data;
        if (!Read_Design_File(path, data, error)) return false;
        Put_Design_In_Document(data, document, true);
        return true;
    }
    void Group_Design_Read() override
    {
        title = document.displayName();
        document.Card_Front_Or_Back = 0;
        Group_Panels_From_Card();
        group.Design_Loaded();
    }
    void Group_Design_Anew(bool saved) override { steps.Start_Anew(saved); }
    // The window's question before a changed design is left, with the desk's save.
    bool Group_Ask_To_Save() override { return steps.Ask_To_Save_Changes([this] { return save(); }); }
    void Group_Panels_Emptied() override { panels.Reset_All_Panels(); }
    void Group_Panels_From_Card() override
    {
        // As the window reads the card: a side copied onto the other keeps its photo.
        panels.Rebuild_From_Card(copy_card_design ? Visitor_Panel_Desk::Side_Photos::Kept
                                                  : Visitor_Panel_Desk::Side_Photos::From_Design);
        panels.Show_Single_Mode_Front_Panel();
        panels.Follow_Locks();
    }
    void Group_Default_Photo() override { panels.Check_For_Default_Photo_Control(); }
    void Group_Record_Side(int side) override { Record_Undo(side); }
    void Group_Card_Changed() override {}
    void Group_Arrow_Tool() override {}
    SKTGraphicView *Group_Card_View(int side) const override { return Card_View(side); }
    void Group_Panel_Follows(SKTGraphic *g) override { panels.Show_Control_After_Undo(g); }
    void Group_Side_Panel_Shown(int side) override
    {
        if (side == 1)
            panels.Show_Single_Mode_Back_Panel();
        else
            panels.Show_Single_Mode_Front_Panel();
    }
    void Group_Lock_State() override { panels.Follow_Locks(); }
    void Group_View_Rows() override { ++rowWindows; }
    void Group_Rows_Read() override { DataSourceSection::Add_Excel_Col_Name_In_Combo(&dataSources); }
    QString Group_No_Image_Path() const override { return No_Image_Path(); }
    void Group_Column_Step(int side, const DesignColumnChoices &before) override { steps.Column_Step(side, before); }
    void Group_File_Changed() override { title = document.displayName(); }
    void Group_Fresh_Start() override { ++freshStarts; }

    // ---- Side_Steps_Host ----
    Side_Steps_Rows *Steps_Rows() override { return &group; }
    void Steps_Card_Size(QSizeF points) override
    {
        for (SKTGraphicView *v : {&frontView, &backView}) v->setCardSize(points);
    }
    void Steps_Shown() override {}
    void Steps_Changed(int recordedSide) override
    {
        if (recordedSide >= 0 && recorded) recorded(recordedSide);
    }
    // The copy read as the window reads a design (the copy flag set).
    void Steps_Copy_Read(const Panel_Typing &) override { Group_Design_Read(); }
    void Steps_Show_Side(int side) override { document.Card_Front_Or_Back = side; }
    void Steps_Write_Typing() override {}  // the desk's boxes write at once

    // ---- Visitor_Panel_Window ----
    SKTGraphicView *Card_View(int side) const override
    {
        if (side == 2) return nullptr;
        return const_cast<SKTGraphicView *>(side == 1 ? &backView : &frontView);
    }
    void Show_Properties(SKTGraphic *) override {}
    void Record_Undo(int side) override
    {
        if (quiet) return;
        const int s = side < 0 ? document.currentSide() : side;
        steps.Record(s);
        if (bindingBefore) Group_Column_Step(s, *std::exchange(bindingBefore, std::nullopt));
    }
    bool Pause_Undo(bool paused) override { return std::exchange(quiet, paused); }
    void Set_Tool(int) override {}
    void Focus(QWidget *) override {}
    bool Multiple_Image_Selection(const QString &) override { return false; }
    QStringList Image_File_Types() const override { return {}; }
    Picture Image_For_Path(const QString &) override { return Picture(); }
    QString Camera_Picture() override { return cameraPicture; }
    QString No_Image_Path() const override { return Resource_Path + QStringLiteral("no.png"); }
    Picture No_Image_Picture() const override { return Picture(); }
    Picture Err_Image() const override { return Picture(); }
    void Record_Visitor() override {}
    Profile_Data_Source &Data_Source() override { return rowsSource; }
    void Field_Control_Made(SKTGraphic &g) override { group.Fill_New_Controls({&g}); }

    // ---- DataSourceHost: as the window's ----
    SKTDocument &Source_Document() override { return document; }
    QString Series_Folder() const override { return Data_Folder_Path; }
    SKTGraphic *Source_Selected_Graphic() const override { return Card_View(document.currentSide())->Selected_Graphic(); }
    std::vector<SKTGraphic *> Source_Selected_Graphics() const override
    {
        return Card_View(document.currentSide())->selectedGraphics();
    }
    void Source_Change_Begins() override
    {
        steps.Make_Sure_Of_Base(document.currentSide());
        bindingBefore = document.m_columnChoices;
    }
    void Source_Change_Done() override { Record_Undo(-1); }
    void Show_Control_Value(SKTGraphic &g) override { dataSource.Show_Data_Source_Of(&g); }
    void Source_Bound(SKTGraphic &g) override { group.Column_Follows_Binding(g); }
    void View_Series(const QString &) override {}
    void Open_Spreadsheet_Window() override {}
    void Show_Long_Message(const QString &heading, const QString &text) override { Show_MessageBox(heading + "\n\n" + text); }

    // ---- CardViewHost ----
    void Card_Base_Drawing(QPainter &, const QRectF &) override {}
    void Card_Border_Drawing(QPainter &, const QRectF &) override {}
    bool Is_Visitor_Or_Group_Mode() const override { return true; }
    Card_Mode Design_Mode() const override { return document.Start_Card_Option; }
    int Current_Side() const override { return document.currentSide(); }
    int Get_Excel_Coulmn_Index_According_ID(const QString &ctrl_id) override { return group.Column_Of(ctrl_id); }
    // The card view's commands (Cut, Paste, ...) record the side shown as the window's do.
    void Insert_In_Undo_Redo() override { Record_Undo(-1); }
    void Controls_Pasted(const std::vector<SKTGraphic *> &pasted) override { group.Fill_New_Controls(pasted); }
    QString Generate_Extra_image_control_ID() override
    {
        QString id;
        do id = QStringLiteral("F_Pic%1").arg(++imageIDs);
        while (view(document.currentSide()).Selcect_Ctrl_With_ID(id));
        return id;
    }
};
