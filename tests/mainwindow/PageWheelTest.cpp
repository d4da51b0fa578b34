// The wheel over the main window's scrolling tabs (the card's and the controls'): over
// a field without the focus it changes neither the field nor the design.
#include "Card_Property.h"
#include "PanelField.h"
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
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace PageWheelTest {

void wheelDown(QWidget &w)
{
    const QPointF at = QRectF(w.rect()).center();
    QWheelEvent e(at, w.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}

// The window shown, no field focused, with a new control of the kind selected (none:
// the card's tabs).
void show(TestWindow &w, std::optional<GraphicKind> kind)
{
    w.controller.ui.window->setGeometry(0, 0, 1358, 692);
    w.controller.ui.window->show();
    if (QWidget *focused = QApplication::focusWidget()) focused->clearFocus();
    if (!kind) return;
    const GraphicPtr g = w.add(w.front(), *kind, QRectF(20, 20, 80, 40));
    w.controller._graphicView->selectGraphics({g.get()});
    w.controller.Show_RHS_Properties(g.get());
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
