// The main window on a 1366 x 768 laptop screen: in every mode, with the property tabs
// of any control, it fits the screen's available area, and the fields at its bottom can
// be got at (the side panels and the property tabs scroll); on a 1920 x 1080 screen the
// card's tabs show whole.
#include "CardPropertyPanel.h"
#include "MainWindowLayout.h"
#include "Profile_Panel.h"
#include "Reachable.h"
#include "SKTGraphicView.h"
#include "SKTZoomingScrollView.h"
#include "Shots.h"
#include "SmallScreen.h"
#include "TestWindow.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// The window's frame on the small screen: the whole available area.
const QSize kSmallWindow = testsupport::kSmallScreenArea - testsupport::kWindowFrame;

const std::pair<Card_Mode, const char *> kModes[] = {
    {Card_Mode::Template, "template"}, {Card_Mode::Wizard, "wizard"}, {Card_Mode::Opened, "opened"},
    {Card_Mode::Visitor, "visitor"},   {Card_Mode::Group, "group"},
};
const std::pair<GraphicKind, const char *> kKinds[] = {
    {GraphicKind::Line, "line"},           {GraphicKind::Text, "text"},   {GraphicKind::Shape, "shape"},
    {GraphicKind::Image, "image"},         {GraphicKind::Signature, "signature"},
    {GraphicKind::Barcode, "barcode"},
};

// The window in a mode as its panes show it, at the size of a screen's available area.
void showInMode(TestWindow &w, Card_Mode mode, QSize size)
{
    w.document.Start_Card_Option = mode;
    w.controller.Select_front_side();
    if (Has_Visitor_Panels(mode))
        w.controller.Show_Hide_Profile_Panel_Live_Mode(1);
    else
        w.controller.visitorPanels().Uncollapse_Left_View();
    QMainWindow *window = w.controller.ui.window;
    window->setWindowState(Qt::WindowNoState);  // sized by hand, not maximised
    window->setGeometry(QRect(QPoint(0, 0), size));
    window->show();
    QApplication::processEvents();
}

// The window is as large as the area, no larger: what lies inside it is on the screen.
::testing::AssertionResult onScreen(const TestWindow &w, QSize area)
{
    const QSize size = w.controller.ui.window->size();
    if (size == area) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the window is " << size.width() << " x " << size.height() << ", not "
                                         << area.width() << " x " << area.height();
}

// Selects a new control of the kind on the front: its property tabs show.
void selectNew(TestWindow &w, GraphicKind kind)
{
    const GraphicPtr g = w.add(w.front(), kind, QRectF(20, 20, 80, 40));
    w.controller._graphicView->selectGraphics({g.get()});
    w.controller.Show_RHS_Properties(g.get());
    QApplication::processEvents();
}

// The elements a person works with on a page, as far as it shows them.
std::vector<QWidget *> fieldsOf(QWidget *page)
{
    std::vector<QWidget *> fields;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        const bool field = qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w) ||
                           qobject_cast<QAbstractButton *>(w);
        if (field && w->isVisibleTo(page)) fields.push_back(w);
    }
    return fields;
}

} // namespace

TEST(DeskSmallScreen, EveryModeFitsWithTheTabsOfEveryKindOfControl)
{
    for (const auto &[mode, modeName] : kModes) {
        TestWindow w;
        showInMode(w, mode, kSmallWindow);
        QMainWindow *window = w.controller.ui.window;
        EXPECT_EQ(!w.controller.ui.group_control_view->isHidden(), mode == Card_Mode::Group) << modeName;
        EXPECT_EQ(!w.controller.ui.Visitor_Panel_Area->isHidden(), Has_Visitor_Panels(mode)) << modeName;
        EXPECT_TRUE(testsupport::fitsSmallScreen(*window)) << modeName << " with the card's tabs";
        for (const auto &[kind, kindName] : kKinds) {
            selectNew(w, kind);
            EXPECT_GT(w.controller.ui.sett_tab->count(), 5) << modeName << " " << kindName;
            EXPECT_TRUE(testsupport::fitsSmallScreen(*window)) << modeName << " " << kindName;
            // The window keeps the area's size: nothing pushes it past the screen's edge.
            EXPECT_TRUE(onScreen(w, kSmallWindow)) << modeName << " " << kindName;
        }
    }
}

TEST(DeskSmallScreen, TheFieldsAtTheBottomCanBeGotAt)
{
    for (Card_Mode mode : {Card_Mode::Visitor, Card_Mode::Group}) {
        TestWindow w;
        showInMode(w, mode, kSmallWindow);
        const MainWindowLayout &ui = w.controller.ui;
        selectNew(w, GraphicKind::Text);
        ASSERT_TRUE(onScreen(w, kSmallWindow));
        testsupport::saveShot(*ui.window, QStringLiteral("main_1366x768_") + Card_Mode_Letter(mode));
        CardPropertyPanel &card = *w.controller.cardPanel;
        const std::pair<QWidget *, const char *> bottom[] = {
            {w.controller._zoomingScrollView->factorPopUp(), "zoom list"},
            {w.controller._zoomingScrollView->horizontalScrollBar(), "the card's horizontal scroll bar"},
            {card.X_Text, "X"},
            {card.Y_Text, "Y"},
            {card.Ctrl_Width_Text, "Width"},
            {card.Ctrl_Height_Text, "Height"},
            {Front_Profile_Panel_OBJ->Add_label_btn, "add a row"},
        };
        for (const auto &[widget, name] : bottom) EXPECT_TRUE(testsupport::reachable(*widget, QLatin1String(name)));
        if (mode == Card_Mode::Visitor) {
            EXPECT_TRUE(testsupport::reachable(*Front_Profile_Panel_OBJ->Add_to_DB_btn, QStringLiteral("add to database")));
        } else {
            const QList<QPushButton *> rowButtons = ui.group_control_view->findChildren<QPushButton *>();
            EXPECT_EQ(rowButtons.size(), 6);
            for (QPushButton *b : rowButtons) EXPECT_TRUE(testsupport::reachable(*b, b->text()));
        }
    }
}

TEST(DeskSmallScreen, EveryFieldOfTheTabsCanBeGotAt)
{
    TestWindow w;
    showInMode(w, Card_Mode::Visitor, kSmallWindow);
    QTabWidget *tabs = w.controller.ui.sett_tab;
    const auto everyTab = [&](const QString &what) {
        ASSERT_TRUE(onScreen(w, kSmallWindow)) << qPrintable(what);
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QApplication::processEvents();
            const QString page = what + " / " + tabs->tabText(t);
            for (QWidget *field : fieldsOf(tabs->currentWidget()))
                EXPECT_TRUE(testsupport::reachable(*field, page + " " + field->metaObject()->className()));
        }
    };
    everyTab(QStringLiteral("card"));
    for (const auto &[kind, kindName] : kKinds) {
        selectNew(w, kind);
        everyTab(QLatin1String(kindName));
    }
}

TEST(DeskSmallScreen, ALargeScreenShowsTheCardTabsWhole)
{
    TestWindow w;
    showInMode(w, Card_Mode::Visitor, QSize(1920, 1040));
    testsupport::saveShot(*w.controller.ui.window, QStringLiteral("main_1920x1080_V"));
    QTabWidget *tabs = w.controller.ui.sett_tab;
    ASSERT_EQ(tabs->count(), 5);
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        QApplication::processEvents();
        for (QScrollArea *area : tabs->currentWidget()->findChildren<QScrollArea *>())
            EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << qPrintable(tabs->tabText(t));
    }
}
