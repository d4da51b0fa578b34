#include "CardPropertyPanel.h"
#include "Card_Property.h"
#include "Globals.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "SKTZoomingScrollView.h"
#include "SKTRuler.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include "TestSupport.h"
#include "TestWindow.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QFile>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QTabWidget>
#include <QCheckBox>
#include <QAction>
#include <QMainWindow>
#include <QScreen>
#include <gtest/gtest.h>

namespace main_window_test {

namespace {
using Window = TestWindow;
} // namespace

TEST(MainWindow, ConstructionFixesTheSharedValues)
{
    Window w;
    EXPECT_EQ(SKTWindowController::defaultInstance(), &w.controller);
    EXPECT_EQ(Main_App_wnd, &w.controller);
    EXPECT_EQ(w.controller.paper_card_arry.front(), "Durable 1458 - Name Badge");
    EXPECT_EQ(w.controller.paper_card_arry.back(), "Durable 1459 - Name Badge");
    EXPECT_EQ(w.controller.pvc_card_arry.front(), "CR80-Credit Card Size");
    EXPECT_EQ(w.controller.Allowd_Image_fileTypes.size(), 9);
    EXPECT_FALSE(w.controller.no_image.isNull()) << "resource pictures are loaded";
    EXPECT_EQ(w.controller.profiles().Front_user_profile[Profile_Stem::Name].id, "Fup_Name");
    EXPECT_EQ(w.controller.Get_Undo_Count(), 0);
    EXPECT_EQ(Text_Ctrl_Font, DEFAULT_FONT.family());
    EXPECT_TRUE(QFileInfo(Created_Resource_Path).isDir());
}

TEST(MainWindow, OpensMaximisedForTheWindowManagerToFitFrameAndAll)
{
    Window w;
    EXPECT_TRUE(w.controller.ui.window->windowState() & Qt::WindowMaximized);
}

TEST(MainWindow, OutOfMaximisedItsFrameLiesInsideTheAvailableArea)
{
    // The inside is the available area less the frame's margins; until the window
    // manager tells them, 8 px at the sides and bottom and 40 px for the title bar.
    const struct {
        QRect available;
        QMargins frame;
        QRect inside;
    } cases[] = {
        {{0, 0, 1366, 768}, {}, {8, 40, 1350, 720}},
        {{0, 0, 1366, 768}, {1, 20, 1, 5}, {1, 20, 1364, 743}},
        {{1366, 24, 1280, 1000}, {4, 30, 4, 4}, {1370, 54, 1272, 966}},
    };
    for (const auto &c : cases) EXPECT_EQ(Normal_Window_Geometry(c.available, c.frame), c.inside) << c.available.x();
    // The window takes it (this screen is narrower than the window's least size: its
    // place is what shows).
    Window w;
    w.controller.ui.window->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(w.controller.ui.window->geometry().topLeft(),
              QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(8, 40));
}

TEST(MainWindow, SetUpShowsTheFiveCardTabsInMillimetres)
{
    Window w;
    ASSERT_EQ(w.controller.ui.sett_tab->count(), 5);
    EXPECT_EQ(w.controller.ui.sett_tab->tabText(2), "Size");
    EXPECT_EQ(w.controller.cardPanel->sizeBox->title(), "Card Size (mm)");
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_EQ(w.controller._graphicView->cardSize(), QSizeF(243, 154));
    EXPECT_EQ(&w.controller.Get_Back_Controls_Array(), w.controller._graphicView_BACK->graphicsList());
    // The camera folder file names the folder in use.
    QFile f(w.controller.camera_path_file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), Camera_Folder_Path);
    EXPECT_TRUE(QFileInfo(Data_Folder_Path).isDir());
}

TEST(MainWindow, TypedCardSizesInTheUnitShown)
{
    Window w;
    CardPropertyPanel *panel = w.controller.cardPanel;
    panel->Unit_ComboBox->setCurrentIndex(0);  // inch
    EXPECT_EQ(panel->sizeBox->title(), "Card Size (in)");
    panel->width_Text->setValue(2);
    panel->height_Text->setValue(1);
    EXPECT_NEAR(panel->typedSizeInPoints().width(), 144, 1e-6) << "2 inch, not 2 mm";
    panel->Unit_ComboBox->setCurrentIndex(2);  // back to mm: the shown values convert
    EXPECT_NEAR(panel->width_Text->value(), 50.8, 1e-6);
    Measument_Unit_Is = 2;
}

TEST(MainWindow, TheSizeFieldsTakeNoLongerSideThanACardMayHave)
{
    Window w;
    CardPropertyPanel *panel = w.controller.cardPanel;
    const struct {
        int unit;
        double longest;  // shown in the unit
    } rows[] = {{0, 393.7}, {1, 1000}, {2, 10000}};
    for (const auto &r : rows) {
        panel->Unit_ComboBox->setCurrentIndex(r.unit);
        EXPECT_DOUBLE_EQ(Largest_Card_Side_Shown(r.unit), r.longest) << r.unit;
        panel->width_Text->setValue(1e9);  // typed far too long
        panel->height_Text->setValue(54);
        EXPECT_DOUBLE_EQ(panel->width_Text->value(), r.longest) << r.unit;
        const QSizeF typed = panel->typedSizeInPoints();
        EXPECT_TRUE(Is_Card_Size_Allowed(typed)) << r.unit << ": " << typed.width();
        EXPECT_GT(typed.width(), kLargestCardSidePoints - 0.1) << r.unit;
    }
    // The longest side shown in inches stays the same length back in millimetres.
    panel->Unit_ComboBox->setCurrentIndex(0);
    panel->width_Text->setValue(1e9);
    panel->Unit_ComboBox->setCurrentIndex(2);
    EXPECT_NEAR(panel->width_Text->value(), 393.7 * 25.4, 1e-6);
    // A card as long as the tab takes becomes the design's size.
    panel->width_Text->setValue(1e9);
    w.controller.Card_Control_Size_Change_or_not(panel->typedSizeInPoints(), "Custom", "PVC Card", 0);
    EXPECT_DOUBLE_EQ(w.controller._graphicView->cardSize().width(), kLargestCardSidePoints);
    Measument_Unit_Is = 2;
}

TEST(MainWindow, ControlsFollowACardSizeChange)
{
    Window w;
    auto add = [&](GraphicKind kind, QRectF r) {
        GraphicPtr g = SKTGraphic::create(kind);
        g->setBounds(r);
        w.document.graphics().insert(g);
        return g;
    };
    GraphicPtr shape = add(GraphicKind::Shape, {10, 10, 40, 20});
    GraphicPtr barcode = add(GraphicKind::Barcode, {10, 40, 60, 30});
    GraphicPtr text = add(GraphicKind::Text, {100, 10, 60, 22});
    w.controller.Change_Card_Size({486, 154});
    EXPECT_EQ(shape->bounds(), QRectF(20, 10, 80, 20));
    EXPECT_EQ(barcode->bounds(), QRectF(20, 40, 60, 30)) << "a barcode keeps its size";
    w.controller.Change_Card_Size({243, 77});
    EXPECT_EQ(text->bounds().size(), QSizeF(60, 20)) << "a text control keeps at least 50 x 20";
    EXPECT_EQ(w.document.Front_card_Prop.Card_Size(), QSizeF(243, 77));
}

TEST(MainWindow, ZoomSharedByPopUpStepsOnTheShownSide)
{
    Window w;
    emit w.controller._zoomingScrollView->factorPopUp()->activated(6);
    EXPECT_DOUBLE_EQ(w.controller._zoomingScrollView_BACK->factor(), 2.0);
    EXPECT_DOUBLE_EQ(w.controller._graphicView->zoomFactor(), 2.0);
    EXPECT_EQ(w.controller._graphicView->width(), 486);
    w.controller.Set_Canvas_to_100_percent();
    for (int side = 0; side < 3; ++side) EXPECT_DOUBLE_EQ(w.controller.zoomingScrollView(side)->factor(), 1.0);
    for (int i = 0; i < 15; ++i) w.controller.ui.command("ZoomIn")->trigger();
    EXPECT_DOUBLE_EQ(w.controller._zoomingScrollView->factor(), 10.0);
    EXPECT_DOUBLE_EQ(w.controller._zoomingScrollView_BACK->factor(), 1.0) << "steps act on the shown side only";
    for (int i = 0; i < 15; ++i) w.controller.ui.command("ZoomOut")->trigger();
    EXPECT_DOUBLE_EQ(w.controller._zoomingScrollView->factor(), 0.25);
}

TEST(MainWindow, CardPanelWritesTheCardAndRedraws)
{
    Window w;
    CardPropertyPanel *panel = w.controller.cardPanel;
    panel->Card_fill_chk->setChecked(true);
    panel->Shape_ComboBox->setCurrentIndex(2);
    panel->Card_border_chk->setChecked(true);
    EXPECT_TRUE(w.document.Front_card_Prop.Card_fill_chk());
    EXPECT_EQ(w.document.Front_card_Prop.Card_Shape(), "E");
    EXPECT_TRUE(w.document.Front_card_Prop.Card_border_chk());
    EXPECT_EQ(w.document.Card_Shape, 2);
    w.controller.Select_back_side();
    EXPECT_FALSE(panel->Card_fill_chk->isChecked()) << "the back shows its own card";
    w.controller.Select_front_side();
    EXPECT_TRUE(panel->Card_fill_chk->isChecked());
}

TEST(MainWindow, StartWindowCancelAsksBeforeLeaving)
{
    Window w;
    int asked = 0;
    testsupport::answerStartWindow(w.runner, [&]() -> std::optional<QString> {
        return ++asked == 1 ? std::nullopt : std::optional<QString>(QString());
    });
    testsupport::boxes().clear();
    testsupport::boxes().answerNext(0);  // No: stay
    EXPECT_TRUE(w.controller.Open_Start_Window());
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nDo you really want to exit?"});
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(w.controller.Get_Undo_Count(), 1) << "the undo stack starts from one snapshot";
    w.runner.remove<Start_Card>();
}

TEST(MainWindow, RulersEchoAMoveAndForgetItAtRelease)
{
    Window w;
    SKTGraphicView *view = w.controller._graphicView;
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->setBounds({30, 30, 50, 50});
    w.document.graphics().insert(g);
    view->changeSelectionIndexes({0});
    auto send = [&](QEvent::Type type, QPointF p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, p, view->mapToGlobal(p), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(view, &e);
    };
    send(QEvent::MouseButtonPress, {40, 40}, Qt::LeftButton);
    send(QEvent::MouseMove, {50, 45}, Qt::LeftButton);
    EXPECT_EQ(view->rulerEchoedBounds(), QRectF(40, 35, 50, 50));
    auto *ruler = w.controller._zoomingScrollView->horizontalRuler();
    EXPECT_EQ(ruler->echoLines()[0], 40);
    send(QEvent::MouseButtonRelease, {50, 45}, Qt::NoButton);
    EXPECT_TRUE(view->rulerEchoedBounds().isNull());
    EXPECT_EQ(ruler->echoLines()[0], -1);
    w.controller.Show_Hide_Ruler_ChkBox(false);
    EXPECT_FALSE(view->rulersShown());
}

TEST(MainWindow, GeometryFieldsShowAndMoveTheCurrentControl)
{
    Window w;
    CardPropertyPanel *panel = w.controller.cardPanel;
    auto shownTexts = [panel] {
        return QStringList{panel->X_Text->text(), panel->Y_Text->text(), panel->Ctrl_Width_Text->text(),
                           panel->Ctrl_Height_Text->text()}.join(u'|');
    };
    EXPECT_FALSE(panel->geometryBox->isEnabled());
    EXPECT_EQ(shownTexts(), "|||") << "no control, no numbers";
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->setBounds({28.3464566929, 20, 28.3464566929, 10});
    w.document.graphics().insert(g);
    w.controller.Show_RHS_Properties(g.get());
    EXPECT_TRUE(panel->geometryBox->isEnabled());
    EXPECT_NEAR(panel->Ctrl_Width_Text->value(), 10.0, 1e-6) << "10 mm shown in mm";
    panel->X_Text->setValue(40);
    EXPECT_EQ(g->xPosition(), 40);
    g->setBounds(g->bounds().translated(30, 0));
    EXPECT_EQ(panel->X_Text->value(), 70) << "a move on the card shows in the fields";
    g->setXPosition(40);
    const int undo = w.controller.Get_Undo_Count();
    panel->Ctrl_Width_Text->setValue(20);
    EXPECT_NEAR(g->width(), 56.6929, 1e-3);
    EXPECT_EQ(w.controller.Get_Undo_Count(), undo + 1);
    w.controller.Show_RHS_Properties(nullptr);
    EXPECT_EQ(shownTexts(), "|||");
    w.controller.Show_RHS_Properties(g.get());
    EXPECT_EQ(panel->X_Text->text(), QLocale().toString(40.0, 'f', 2)) << "shown again with the control";
    // A deleted control is never written through the fields.
    w.document.graphics().remove(g.get());
    panel->X_Text->setValue(60);
    EXPECT_EQ(g->xPosition(), 40);
}

TEST(MainWindow, ToolbarFollowsTheCurrentControlsLock)
{
    Window w;
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->setBounds({10, 10, 30, 30});
    g->ctrl_is_locked = true;
    w.document.graphics().insert(g);
    w.controller.Show_RHS_Properties(g.get());
    EXPECT_FALSE(w.controller.ui.command("Delete")->isEnabled());
    EXPECT_TRUE(w.controller.ui.command("Unlock")->isEnabled());
    w.controller.Show_RHS_Properties(nullptr);
    EXPECT_TRUE(w.controller.ui.command("Lock")->isEnabled());
    EXPECT_FALSE(w.controller.ui.command("Unlock")->isEnabled());
}

TEST(MainWindow, AHugeCardNameKeepsTheTitleShort)
{
    TestWindow w;
    w.document.Front_card_Prop.setCard_Name(QString(20'000'000, u'N'));
    w.controller.Set_Log_Name_In_Title();
    const QString title = w.controller.ui.window->windowTitle();
    EXPECT_LT(title.size(), 300);
    EXPECT_TRUE(title.startsWith(App_Name + " ( NNN"));
}

} // namespace main_window_test
