// The wheel over the main window's scrolling tabs (the card's and the controls'): over
// a field without the focus it changes neither the field nor the design; a focused
// field turns, and the change is an edit like a typed one.
#include "Card_Property.h"
#include "CardPropertyPanel.h"
#include "ControlPanels.h"
#include "SKTGraphicView.h"
#include "TestWindow.h"
#include "UndoHistory.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace PageWheelTest {

void wheelDown(QWidget &w)
{
    const QPointF at = QRectF(w.rect()).center();
    QWheelEvent e(at, w.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}

// The window shown and active, with a new control of the kind selected (none: the card).
void show(TestWindow &w, std::optional<GraphicKind> kind)
{
    QMainWindow *window = w.controller.ui.window;
    window->setGeometry(0, 0, 1358, 692);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    if (!kind) return;
    const GraphicPtr g = w.add(w.front(), *kind, QRectF(20, 20, 80, 40));
    w.controller._graphicView->selectGraphics({g.get()});
    w.controller.Show_RHS_Properties(g.get());
}

// Shows the tab holding the field, then focuses it.
void focus(TestWindow &w, QWidget *field)
{
    for (QWidget *page : w.controller.ui.tabPages)
        if (page && page->isAncestorOf(field)) w.controller.ui.sett_tab->setCurrentWidget(page);
    field->setFocus();
}

} // namespace PageWheelTest

TEST(PageWheel, OverAnUnfocusedFieldOfAnyTabNothingChanges)
{
    using namespace PageWheelTest;
    const std::optional<GraphicKind> kinds[] = {std::nullopt, GraphicKind::Line, GraphicKind::Shape,
                                                GraphicKind::Text, GraphicKind::Image};
    for (const std::optional<GraphicKind> &kind : kinds) {
        TestWindow w;
        show(w, kind);
        QTabWidget *tabs = w.controller.ui.sett_tab;
        const bool changed = w.controller.Design_Changed();
        const SideSnapshot side = Side_Snapshot(w.front().items());
        const Card_Property card = w.document.Front_card_Prop;
        int fields = 0;
        for (int t = 0; t < tabs->count(); ++t)
            for (QScrollArea *page : tabs->widget(t)->findChildren<QScrollArea *>())
                for (QWidget *f : page->findChildren<QWidget *>()) {
                    if (!qobject_cast<QComboBox *>(f) && !qobject_cast<QAbstractSpinBox *>(f) && !qobject_cast<QSlider *>(f))
                        continue;
                    const QVariant before = Widget_Value(f);
                    wheelDown(*f);
                    EXPECT_EQ(Widget_Value(f), before) << qPrintable(tabs->tabText(t)) << " " << f->metaObject()->className();
                    ++fields;
                }
        EXPECT_GT(fields, 10);
        EXPECT_EQ(w.controller.Design_Changed(), changed);
        EXPECT_TRUE(Side_Snapshot(w.front().items()) == side);
        EXPECT_TRUE(w.document.Front_card_Prop == card);
    }
}

TEST(PageWheel, AFocusedFieldTurnsAsAnEdit)
{
    using namespace PageWheelTest;
    const std::pair<GraphicKind, double> rows[] = {{GraphicKind::Image, 97}, {GraphicKind::Shape, 1}};
    for (const auto &[kind, turned] : rows) {
        TestWindow w;
        show(w, kind);
        const SideSnapshot before = Side_Snapshot(w.front().items());
        ControlPanels &panels = *w.controller.controlPanels;
        QWidget *field = kind == GraphicKind::Image ? static_cast<QWidget *>(panels.image.transparency) : panels.shape.type;
        focus(w, field);
        wheelDown(*field);
        EXPECT_EQ(Widget_Value(field).toDouble(), turned);
        w.command("Undo")->trigger();
        EXPECT_TRUE(Side_Snapshot(w.front().items()) == before) << "undone";
    }
    // The card's own fields change the design, as a click on them does.
    TestWindow w;
    show(w, std::nullopt);
    focus(w, w.controller.cardPanel->Card_alpha_Slider);
    wheelDown(*w.controller.cardPanel->Card_alpha_Slider);
    EXPECT_FLOAT_EQ(w.document.Front_card_Prop.Card_alpha_Stepper(), 0.97f);
    EXPECT_TRUE(w.controller.Design_Changed());
}
