#pragma once
// Group mode as the tests build it without the main window: a document, the card views
// and visitor panels of both sides, the group pane, and a host that reads and writes
// design files, records side snapshots and loads the panels from the card as the
// window does.
#include "CardViewHost.h"
#include "DesignFile.h"
#include "Globals.h"
#include "Dynamic_Control_List.h"
#include "Group_Mode.h"
#include "Group_Row_List.h"
#include "PictureAdjuster.h"
#include "ProfilePanelHost.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "UndoHistory.h"
#include "Visitor_Panel_Sync.h"

#include <QWidget>
#include <memory>

struct GroupDesk : Group_Mode_Host, ProfilePanelHost, CardViewHost {
    struct Plain_Adjuster : PictureAdjuster {
        Picture adjusted(const Picture &source, const ImageAdjustments &, QSize) const override { return source; }
    } adjuster;
    SKTDocument document;
    testsupport::ScriptedRunner runner;
    bool quiet = false;
    QWidget window, pane;
    SKTGraphicView frontView{adjuster}, backView{adjuster};
    Profile_Panel frontPanel{0, this}, backPanel{1, this};
    Dynamic_Ctrl_List userRows[2];
    UndoHistory history;
    int rowWindows = 0;  // the rows' window opened
    Group_Mode group{document, *this, adjuster,
                     {Created_Resource_Path, Resource_Path + "Templates", Created_Resource_Path + "Templates/User"},
                     quiet, &window, &runner};

    GroupDesk()
    {
        frontView.setHost(this);
        backView.setHost(this);
        frontView.bindGraphics(&document.sideList(0));
        backView.bindGraphics(&document.sideList(1));
        group.Build_Pane(&pane);
    }

    SKTGraphicList &front() { return document.sideList(0); }
    SKTGraphicList &back() { return document.sideList(1); }
    Group_Row_List &list() { return *group.rowList(); }
    SKTGraphicView &view(int side) { return side == 1 ? backView : frontView; }
    GraphicPtr add(SKTGraphicList &side, GraphicKind kind, QRectF r)
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->setBounds(r);
        side.insert(g);
        return g;
    }
    // The side shown, as the side buttons show it: the selected person on it.
    void showSide(int side)
    {
        document.Card_Front_Or_Back = side;
        group.Assign_value_to_card_in_group_mode_list_selection();
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
        Group_Design_Anew();
        return true;
    }
    // One step back on the side shown.
    void undo()
    {
        const int side = document.currentSide();
        if (const SideSnapshot *s = history.undo(side, Side_Snapshot(document.sideList(side).items())))
            document.sideList(side).replaceAll(Controls_From_Snapshot(*s));
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
    Dynamic_Ctrl_List &Group_User_Rows(int side) override { return userRows[side == 1 ? 1 : 0]; }
    void Group_Build_User_Rows() override
    {
        const int side = document.currentSide();
        userRows[side] = Build_Dynamic_Control_List(document.sideList(side), Dynamic_List_Source::Panel);
    }
    bool Group_Save_Project(Card_Mode mode) override
    {
        Card_Mode fileMode = mode;
        if (group.Is_Group_Mode() && mode == Card_Mode::Opened) {
            group.Save_Group_Mode_List_Details_In_XL_Data_List();
            fileMode = Card_Mode::Group;
        }
        QString error;
        return Write_Design_File(document.Project_File_Name, document, fileMode, &error);
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
        document.Card_Front_Or_Back = 0;
        Group_Panels_From_Card();
        if (group.Is_Group_Mode()) {
            group.Set_Group_Mode_List_Setting_After_Loading(document.Project_File_Name,
                                                            GroupBinding::Binding_Apply::Update_Only);
            group.Select_Excel_First_Row();
        }
    }
    void Group_Design_Anew() override
    {
        history.clear();
        for (int side : {0, 1}) history.record(side, Side_Snapshot(document.sideList(side).items()));
    }
    bool Group_Ask_To_Save() override { return true; }
    void Group_Panels_Emptied() override
    {
        frontPanel.Reset_all_Ctrl();
        backPanel.Reset_all_Ctrl();
    }
    void Group_Panels_From_Card() override
    {
        Group_Panels_Emptied();
        for (int side : {0, 1}) {
            userRows[side] = Build_Dynamic_Control_List(document.sideList(side), Dynamic_List_Source::Design_File);
            Create_Control_For_Visitor_Mode_Side(userRows[side], side == 1 ? backPanel : frontPanel);
        }
        Group_Side_Panel_Shown(0);
    }
    void Group_Default_Photo() override {}
    void Group_Record_Side(int side) override
    {
        if (!quiet) history.record(side, Side_Snapshot(document.sideList(side).items()));
    }
    void Group_Card_Changed() override {}
    void Group_Arrow_Tool() override {}
    SKTGraphicView *Group_Card_View(int side) const override
    {
        return const_cast<SKTGraphicView *>(side == 1 ? &backView : &frontView);
    }
    void Group_Panel_Follows(SKTGraphic *g) override
    {
        if (g) Visitor_Panel_Sync(document).Show_Control_After_Undo(*g, Picture());
    }
    void Group_Side_Panel_Shown(int side) override
    {
        for (int s : side == 1 ? std::vector<int>{1} : std::vector<int>{0, 1})
            Visitor_Panel_Sync::Load_Side(s == 1 ? &backPanel : &frontPanel, &document.sideList(s));
    }
    void Group_Lock_State() override {}
    void Group_View_Rows() override { ++rowWindows; }
    void Group_Rows_Read() override {}
    QString Group_No_Image_Path() const override { return QString(); }
    Picture Group_No_Image_Picture() const override { return Picture(); }
    Picture Group_Picture_For_Path(const QString &) override { return Picture(); }

    // ---- ProfilePanelHost: a box's value goes to the control with its ID ----
    char new_control_add(const QString &, const QString &, QLineEdit *) override { return 0; }
    void Change_Value(const QString &value, const QString &ctrl_id, bool show, bool) override
    {
        for (const GraphicPtr &g : document.sideList(document.currentSide()).items())
            if (g->control_ID == ctrl_id && g->kind() == GraphicKind::Text) {
                g->Set_text_value(value);
                g->Set_Ctrl_Is_Visible(show);
            }
    }
    SKTGraphicView *Panel_Card_View(int side) const override { return Group_Card_View(side); }
    int Panel_Current_Side() const override { return document.currentSide(); }
    void Panel_Show_Properties(SKTGraphic *) override {}
    bool Panel_Multiple_Image_Selection(const QString &) override { return false; }
    QStringList Panel_Image_File_Types() const override { return {}; }
    Picture Panel_Image_For_Path(const QString &) override { return Picture(); }
    QString Panel_Camera_Picture() override { return QString(); }
    void Show_Message_To_Update_Data() override {}
    void Add_Visitor_Record_To_DB() override {}

    // ---- CardViewHost ----
    void Card_Base_Drawing(QPainter &, const QRectF &) override {}
    void Card_Border_Drawing(QPainter &, const QRectF &) override {}
    bool Is_Visitor_Or_Group_Mode() const override { return true; }
    Card_Mode Design_Mode() const override { return document.Start_Card_Option; }
    int Current_Side() const override { return document.currentSide(); }
};
