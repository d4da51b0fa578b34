// The main window's set-up once its widgets exist, and its window events.
#include "SKTWindowController.h"

#include "CardPropertyPanel.h"
#include "ControlPanels.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Helpers.h"
#include "MessageBox.h"
#include "PrinterLayer.h"
#include "Run_Desk.h"
#include "SKTDocument.h"
#include "ScopedFlag.h"
#include "SKTGraphicView.h"
#include "WindowPanelHost.h"
#include "SKTZoomingScrollView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QScreen>
#include <QTabWidget>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

void SKTWindowController::buildCardViews()
{
    struct Side {
        SKTGraphicView **view;
        SKTZoomingScrollView **scroll;
        QWidget *container;
    };
    for (const Side &s : {Side{&_graphicView, &_zoomingScrollView, ui.first_view},
                          Side{&_graphicView_BACK, &_zoomingScrollView_BACK, ui.second_view},
                          Side{&_graphicView_TEMP, &_zoomingScrollView_TEMP, ui.temp_design_view}}) {
        *s.view = new SKTGraphicView(pictureAdjuster);
        (*s.view)->setHost(this);
        *s.scroll = new SKTZoomingScrollView;
        (*s.scroll)->setCardView(*s.view);
        s.container->layout()->addWidget(*s.scroll);
        // Choosing a factor in any side's pop-up sets the one zoom of all three sides.
        connect(*s.scroll, &SKTZoomingScrollView::factorChosen, this, [this](double f) {
            _zoomFactor = f;
            for (SKTZoomingScrollView *z : {_zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP})
                z->setFactor(f);
        });
    }
    _graphicView->setObjectName(QStringLiteral("_graphicView"));
    _graphicView_BACK->setObjectName(QStringLiteral("_graphicView_BACK"));
    _graphicView_TEMP->setObjectName(QStringLiteral("_graphicView_TEMP"));
}

void SKTWindowController::awakeFromNib(bool startProject)
{
    if (m_setUp) return;
    ui = Build_Main_Window_Layout();
    buildCardViews();
    Build_Visitor_Panels();
    Build_Group_Pane();
    m_panelHost = Make_Window_Panel_Host(*this);
    cardPanel = new CardPropertyPanel(*m_panelHost, ui, this);
    controlPanels = new ControlPanels(*m_panelHost, ui, this);
    Build_Data_Source_Section();
    Build_Series_Commands();
    m_setUp = true;

    // Window: no close button of its own (Exit leaves the application), maximised: the
    // window manager fits it, frame and title bar included, into the screen's available
    // area. Its normal geometry, which it takes when no longer maximised (and without a
    // window manager), leaves room for the frame inside that area as well.
    ui.window->setWindowFlag(Qt::WindowCloseButtonHint, false);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        ui.window->setGeometry(Normal_Window_Geometry(screen->availableGeometry(), QMargins()));
    ui.window->setWindowState(ui.window->windowState() | Qt::WindowMaximized);

    document.Start_Card_Option = Card_Mode::Visitor;
    if (!prepareDataFolders()) return;
    Load_and_fill_backgrounds();
    setUpPropertyDefaults();
    bindDocumentSides();
    connectViewCommands();
    connectEditCommands();
    connectFileCommands();
    connectCommands();
    connect(ui.Front_Side_btn, &QToolButton::clicked, this, &SKTWindowController::Front_Card_Btn_Clicked);
    connect(ui.Back_Side_btn, &QToolButton::clicked, this, &SKTWindowController::Back_Card_Btn_Clicked);
    connect(ui.Temp_Side_btn, &QToolButton::clicked, this, &SKTWindowController::Temp_Card_Btn_Clicked);

    ui.window->installEventFilter(this);
    ui.window->show();
    Select_front_side();
    Design_Is_As_Saved();
    if (startProject) QTimer::singleShot(0, this, &SKTWindowController::New_Project);
}

bool SKTWindowController::prepareDataFolders()
{
    // Resources folder check.
    if (!Create_Folder(Resource_Path)) {
        Show_MessageBox(QStringLiteral("Can not access Data file."));
        QTimer::singleShot(0, qApp, &QApplication::quit);
        return false;
    }
    Data_Folder_Path = Created_Resource_Path + QStringLiteral("DataSet");
    Create_Folder(Data_Folder_Path);
    Read_Camera_Folder();
    Create_Camera_Path_File();
    return true;
}

void SKTWindowController::setUpPropertyDefaults()
{
    // Property tabs: keep the card's five, remove the control tabs until a control is shown.
    while (ui.sett_tab->count() > 5) ui.sett_tab->removeTab(5);

    {
        const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
        Measument_Unit_Is = 2;
        last_unit_val = 2;
        _setLabels();
        Text_Date_style = {"M-d-yyyy", "M-d-yy", "MM-dd-yy", "MM-dd-yyyy", "yy-MM-dd", "yyyy-MM-dd", "dd-MMM-yy",
                           "dd-MM-yyyy", "d-M-yy"};
        Text_Time_style = {"h:mm:ss a", "hh:mm:ss a", "H:mm:ss", "HH:mm:ss"};
        card_prop_set(QStringLiteral("S"));
        cardPanel->fillHatchStyles(Get_Files_Array_At_Path(Resource_Path + QStringLiteral("Fill_Style_Image"), 1));
    }
}

void SKTWindowController::bindDocumentSides()
{
    SetDocumentCanvasSize(SKTDocument::canvasSize(true, QSizeF()));
    // The page set-up every print window and run starts from: the default printer's.
    document.setPrintInfo(Start_Print_Info());
    _graphicView->bindGraphics(&document.graphics());
    _graphicView_BACK->bindGraphics(&document.graphics_back());
    _graphicView_TEMP->bindGraphics(&document.graphics_temp());
    for (int side = 0; side < 3; ++side)
        connect(&document.sideList(side), &SKTGraphicList::changed, this, &SKTWindowController::Side_Control_Changed);
    for (int side = 0; side < 3; ++side)
        connect(&document.sideList(side), &SKTGraphicList::inserted, this, &SKTWindowController::Side_Control_Inserted);
    for (SKTGraphicView *v : {_graphicView, _graphicView_BACK, _graphicView_TEMP}) v->setGrid(&_grid);
}

void SKTWindowController::connectViewCommands()
{
    // Tools, zoom, rulers and grid.
    for (int t = 0; t < 16; ++t)
        connect(ui.toolActions[t], &QAction::triggered, this, [this, t] { Tool_Button_Clicked(t); });
    connect(this, &SKTWindowController::SKTSelectedToolDidChange, this, &SKTWindowController::selectedToolDidChange);
    if (QAction *a = ui.command(QStringLiteral("ZoomIn")))
        connect(a, &QAction::triggered, this, [this] {
            auto *z = zoomingScrollView(document.Card_Front_Or_Back);
            const int row = std::min(10, SKTZoomingScrollView::zoomIndexForFactor(z->factor()) + 1);
            z->setFactor(SKTZoomingScrollView::zoomSteps()[row].factor);
        });
    if (QAction *a = ui.command(QStringLiteral("ZoomOut")))
        connect(a, &QAction::triggered, this, [this] {
            auto *z = zoomingScrollView(document.Card_Front_Or_Back);
            const int row = std::max(0, SKTZoomingScrollView::zoomIndexForFactor(z->factor()) - 1);
            z->setFactor(SKTZoomingScrollView::zoomSteps()[row].factor);
        });
    if (QAction *a = ui.command(QStringLiteral("ActualSize")))
        connect(a, &QAction::triggered, this, &SKTWindowController::Set_Canvas_to_100_percent);
    if (QAction *a = ui.command(QStringLiteral("Rulers"))) {
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, &SKTWindowController::Show_Hide_Ruler_ChkBox);
        Show_Hide_Ruler_ChkBox(true);
    }
    if (QAction *a = ui.command(QStringLiteral("Grid")))
        connect(a, &QAction::triggered, this, &SKTWindowController::toggleGridShowing);
}

void SKTWindowController::connectFileCommands()
{
    if (QAction *a = ui.command(QStringLiteral("Delete")))
        connect(a, &QAction::triggered, this, [this] { currentGraphicView()->deleteSelection(); });
    if (QAction *a = ui.command(QStringLiteral("New")))
        connect(a, &QAction::triggered, this, &SKTWindowController::Close_Design);
    if (QAction *a = ui.command(QStringLiteral("Open")))
        connect(a, &QAction::triggered, this, &SKTWindowController::Open_Design);
    if (QAction *a = ui.command(QStringLiteral("Save"))) {
        connect(a, &QAction::triggered, this, &SKTWindowController::Save_Design);
        a->setShortcut(QKeySequence::Save);
    }
    if (QAction *a = ui.command(QStringLiteral("SaveAs"))) {
        connect(a, &QAction::triggered, this, &SKTWindowController::Save_Design_As);
        a->setShortcut(QKeySequence::SaveAs);
    }
    auto *exportTemplate = new QAction(tr("Export as Template..."), ui.window);
    connect(exportTemplate, &QAction::triggered, this, &SKTWindowController::Export_As_Template_Clicked);
    if (QAction *a = ui.command(QStringLiteral("Export"))) {
        auto *menu = new QMenu(ui.window);
        auto *exportCard = menu->addAction(tr("Export Card..."));
        connect(exportCard, &QAction::triggered, this, [this] { runDesk().Export_Card_Clicked(); });
        menu->addAction(exportTemplate);
        a->setMenu(menu);
        if (auto *button = qobject_cast<QToolButton *>(ui.commandWidget(a)))
            button->setPopupMode(QToolButton::InstantPopup);
    }
    auto *exitApp = new QAction(tr("Exit"), ui.window);
    exitApp->setShortcut(QKeySequence::Quit);
    connect(exitApp, &QAction::triggered, this, &SKTWindowController::Exit_App);
    ui.window->addAction(exitApp);
}

bool SKTWindowController::eventFilter(QObject *watched, QEvent *event)
{
    // Closing the main window is leaving the application, with its questions.
    if (watched == ui.window && event->type() == QEvent::Close) {
        event->ignore();
        QTimer::singleShot(0, this, &SKTWindowController::Exit_App);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
