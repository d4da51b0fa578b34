// The wheel over a field without the focus, in every window the main window opens and
// in each of its tabs: no value changes, nor the design.
#include "Camera.h"
#include "CameraCapture.h"
#include "ControlPanels.h"
#include "Globals.h"
#include "Helpers.h"
#include "PrinterLayer.h"
#include "SKTGraphicView.h"
#include "TestSupport.h"
#include "TestWindow.h"
#include "UndoHistory.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace FieldWheelTest {

// What the wheel turns (none for other widgets).
QVariant turnedValue(const QWidget *w)
{
    if (auto *s = qobject_cast<const QAbstractSpinBox *>(w)) return s->text();
    if (auto *c = qobject_cast<const QComboBox *>(w)) return c->currentIndex();
    if (qobject_cast<const QScrollBar *>(w)) return {};
    if (auto *s = qobject_cast<const QAbstractSlider *>(w)) return s->value();
    return {};
}

// One notch down over each enabled field of the window as it opened (the focus where
// the window put it, none the user gave): the fields that changed, and how many there were.
std::pair<QStringList, int> wheelOverFields(QWidget &window)
{
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));  // its first field given the focus
    QStringList changed;
    int fields = 0;
    for (QWidget *f : window.findChildren<QWidget *>()) {
        const QVariant before = turnedValue(f);
        if (!before.isValid() || !f->isEnabled()) continue;
        const QPointF at = QRectF(f->rect()).center();
        QWheelEvent e(at, f->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f, &e);
        if (turnedValue(f) != before) changed << f->objectName() + " " + f->metaObject()->className();
        ++fields;
    }
    return {changed, fields};
}

struct Row {
    const char *name;
    std::optional<GraphicKind> selected;          // a new control of the kind, selected
    std::function<void(TestWindow &)> open;       // a window over the main one (none: the main one)
    std::function<void(QDialog &)> ready, close;  // closed by default with reject()
};

void startCamera(QDialog &d)
{
    auto &c = static_cast<Camera &>(d);
    c.Start_Btn_Clicked();
    ASSERT_TRUE(QTest::qWaitFor([&c] { return c.session().capture() && !c.session().capture()->final_image.isNull(); }, 5000));
    c.Capture_Btn_Clicked();  // the adjustments open
}

} // namespace FieldWheelTest

TEST(FieldWheel, OverAnUnfocusedFieldOfAnyWindowNothingChanges)
{
    using namespace FieldWheelTest;
    qputenv("DOZO_CAMERA_SOURCE", "synthetic");
    qputenv(Virtual_PDF_Printer_Setting, QString(testsupport::testHome() + "/printed.pdf").toUtf8());
    const auto command = [](const char *name) { return [name](TestWindow &w) { w.command(name)->trigger(); }; };
    const Row rows[] = {
        {"main window, card tabs", std::nullopt, {}, {}, {}},
        {"main window, line", GraphicKind::Line, {}, {}, {}},
        {"main window, shape", GraphicKind::Shape, {}, {}, {}},
        {"main window, text", GraphicKind::Text, {}, {}, {}},
        {"main window, picture", GraphicKind::Image, {}, {}, {}},
        {"main window, signature", GraphicKind::Signature, {}, {}, {}},
        {"main window, barcode", GraphicKind::Barcode, {}, {}, {}},
        {"barcode settings", GraphicKind::Barcode, [](TestWindow &w) { w.controller.Open_Barcode_Window(); }, {}, {}},
        {"camera", GraphicKind::Image, [](TestWindow &w) { w.controller.controlPanels->image.camera->click(); },
         startCamera, [](QDialog &d) { static_cast<Camera &>(d).Cancel_Btn_Clicked(); }},
        {"print", std::nullopt, command("Print"), {}, {}},
        {"cropping tool", std::nullopt, command("Crop"), {}, {}},
        {"visitor log", std::nullopt, command("VisitorLog"), {}, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TestWindow w;
        Check_Path_And_Create_Files();
        Camera_Folder_Path = testsupport::testHome() + "/camera";
        w.controller.ui.window->setGeometry(0, 0, 1358, 692);
        w.controller.ui.window->show();
        if (row.selected) {
            const GraphicPtr g = w.add(w.front(), *row.selected, QRectF(20, 20, 80, 40));
            w.controller._graphicView->selectGraphics({g.get()});
            w.controller.Set_Selected_Graphic(g.get());
            w.controller.Show_RHS_Properties(g.get());
        }
        w.controller.Insert_In_Undo_Redo();
        const bool changed = w.controller.Design_Changed();
        const int undo = w.controller.Get_Undo_Count();
        const SideSnapshot side = Side_Snapshot(w.front().items());
        std::pair<QStringList, int> turned;
        if (!row.open) {
            turned = wheelOverFields(*w.controller.ui.window);
        } else {
            QTimer::singleShot(0, [&] {
                auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                if (!d) return;
                if (row.ready) row.ready(*d);
                turned = wheelOverFields(*d);
                row.close ? row.close(*d) : d->reject();
            });
            row.open(w);
        }
        EXPECT_TRUE(turned.first.isEmpty()) << qPrintable(turned.first.join(", "));
        EXPECT_GT(turned.second, 0) << "fields reached";
        EXPECT_EQ(w.controller.Design_Changed(), changed);
        EXPECT_EQ(w.controller.Get_Undo_Count(), undo);
        EXPECT_TRUE(Side_Snapshot(w.front().items()) == side);
    }
    qunsetenv(Virtual_PDF_Printer_Setting);
    qunsetenv("DOZO_CAMERA_SOURCE");
}
