#pragma once
// The two visitor entry panels with their desk and the profile desk, built without the
// main window: a design, the card views of its front, back and scratch sides, and a
// stand-in for the window that counts undo snapshots and hands a recorded visit to
// `record`; the profile dialogs run through `runner`.
#include "CardControls.h"
#include "AsLoadedAdjuster.h"
#include "CardViewHost.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Profile_Data_Source.h"
#include "Profile_Desk.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "ScriptedRunner.h"
#include "Side_Panes.h"
#include "Visitor_Panel_Desk.h"
#include "Visitor_Panel_Window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

struct PanelDesk : CardViewHost, Visitor_Panel_Window {
    SKTDocument document;
    QWidget window;
    SKTGraphicView frontView{asLoaded(), &window}, backView{asLoaded(), &window}, scratchView{asLoaded(), &window};
    Visitor_Panel_Desk desk{document, *this};
    testsupport::ScriptedRunner runner;
    Profile_Desk profiles{document, *this, &runner};
    std::unique_ptr<Profile_Data_Source> source = std::make_unique<Profile_Data_Source>();
    QWidget *frontHolder = nullptr, *backHolder = nullptr;  // the panels' views
    // What the window stand-in was asked.
    int undoRecords = 0;
    std::array<int, 2> sideUndoRecords{};  // of the front and the back
    bool undoPaused = false;
    int tool = 0;
    std::function<void()> record;  // the add-to-database button
    bool scratchShown = false;     // a profile preview showed the scratch side
    int sideShownAgain = -1;       // the side the end of a preview showed
    Picture noImage = Picture::fromFile(Resource_Path + "pic_ic.png");
    Picture errImage = Picture::fromFile(Resource_Path + "pic_err.png");

    explicit PanelDesk(const char *mode = "V")
    {
        auto *split = new QSplitter(&window);
        auto *groupPane = new QWidget(split);
        auto *panelArea = new QWidget(split);
        auto *scroll = new QScrollArea(panelArea);
        auto *stack = new QStackedWidget;
        frontHolder = new QWidget;
        backHolder = new QWidget;
        stack->addWidget(frontHolder);
        stack->addWidget(backHolder);
        scroll->setWidget(stack);
        auto *cardArea = new QWidget(split);
        for (int side = 0; side < 3; ++side) {
            SKTGraphicView &v = view(side);
            v.setHost(this);
            v.bindGraphics(&document.sideList(side));
        }
        desk.Build({split, groupPane, panelArea, scroll, stack, frontHolder, backHolder, cardArea});
        document.Start_Card_Option = Card_Mode_Of_Letter(QLatin1String(mode)).value();
        showSide(0);
    }
    ~PanelDesk() override
    {
        for (int side = 0; side < 3; ++side) {
            view(side).setHost(nullptr);
            view(side).bindGraphics(nullptr);
        }
    }
    SKTGraphicView &view(int side) { return side == 1 ? backView : side == 2 ? scratchView : frontView; }
    SKTGraphicView &currentView() { return view(document.currentSide()); }
    Profile_Panel &fp() { return *Front_Profile_Panel_OBJ; }
    Profile_Panel &bp() { return *Back_Profile_Panel_OBJ; }
    SKTGraphicList &front() { return document.graphics(); }
    SKTGraphicList &back() { return document.graphics_back(); }
    SKTGraphic *onFront(const QString &id) { return frontView.Selcect_Ctrl_With_ID(id); }
    SKTGraphic *onBack(const QString &id) { return backView.Selcect_Ctrl_With_ID(id); }
    GraphicPtr add(SKTGraphicList &side, GraphicKind kind, QRectF r) { return testsupport::addControl(side, kind, r); }
    static void type(QLineEdit *box, const QString &text)
    {
        box->setText(text);
        emit box->textEdited(text);
    }
    // The window's side switch and lock command, as far as the panels see them.
    void showSide(int side)
    {
        document.Card_Front_Or_Back = side;
        desk.Follow_Locks();
        Show_Properties(nullptr);
    }
    void lockSelection(bool lock)
    {
        for (SKTGraphic *g : currentView().selectedGraphics()) g->ctrl_is_locked = lock;
        desk.Follow_Locks();
    }

    // ---- CardViewHost ----
    void Card_Base_Drawing(QPainter &, const QRectF &) override {}
    void Card_Border_Drawing(QPainter &, const QRectF &) override {}
    int Selected_Control_Tool() const override { return tool; }
    void Set_Selected_Control_Tool(int t) override { tool = t; }
    Picture Sample_Picture(SamplePicture which) const override
    {
        return which == SamplePicture::NoImage ? Picture::fromFile(Resource_Path + "no.png") : Picture();
    }
    bool Is_Visitor_Or_Group_Mode() const override { return document.isVisitorOrGroupMode(); }
    Card_Mode Design_Mode() const override { return document.Start_Card_Option; }
    int Current_Side() const override { return document.currentSide(); }
    void Show_RHS_Properties(SKTGraphic *g) override { Show_Properties(g); }
    void Insert_In_Undo_Redo() override { Record_Undo(-1); }
    void Visitor_Panel_Control_Selected(SKTGraphic *g) override { desk.Control_Selected(g); }
    void Visitor_Panel_Control_Deleted(SKTGraphic *g) override { desk.Control_Deleted(g); }

    // ---- Visitor_Panel_Window ----
    SKTGraphicView *Card_View(int side) const override { return &const_cast<PanelDesk *>(this)->view(side); }
    void Show_Properties(SKTGraphic *g) override
    {
        tool = 0;
        if (g) return;
        currentView().setSelected_Graphic(nullptr);
        if (!currentView().selectedGraphics().empty()) currentView().Clear_Control_Selection();
    }
    void Record_Undo(int side) override
    {
        if (undoPaused) return;
        ++undoRecords;
        ++sideUndoRecords[side < 0 ? document.currentSide() : side == 1 ? 1 : 0];
    }
    bool Pause_Undo(bool paused) override { return std::exchange(undoPaused, paused); }
    void Set_Tool(int t) override { tool = t; }
    void Focus(QWidget *widget) override
    {
        if (widget) widget->setFocus(Qt::OtherFocusReason);
    }
    bool Multiple_Image_Selection(const QString &action) override
    {
        int images = 0;
        for (SKTGraphic *g : currentView().selectedGraphics())
            if (g->kind() == GraphicKind::Image) ++images;
        if (images < 2) return false;
        Show_MessageBox(QStringLiteral("Please select only one image control to '%1 Image'.").arg(action));
        return true;
    }
    QStringList Image_File_Types() const override { return {"jpg", "jpeg", "png", "gif", "bmp", "tif", "tiff"}; }
    Picture Image_For_Path(const QString &path) override { return Get_Image_For_Path(path, 0); }
    QString Camera_Picture() override { return QString(); }
    QString No_Image_Path() const override { return Resource_Path + "no.png"; }
    Picture No_Image_Picture() const override { return noImage; }
    Picture Err_Image() const override { return errImage; }
    void Record_Visitor() override
    {
        if (record) record();
    }
    Profile_Data_Source &Data_Source() override { return *source; }
    void Preview_On_Scratch(const std::function<void()> &fill) override
    {
        fill();
        scratchShown = true;
    }
    void Show_Side(int side) override
    {
        sideShownAgain = side;
        showSide(side);
    }
};
