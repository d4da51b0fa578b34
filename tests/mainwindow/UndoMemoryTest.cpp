#include "Globals.h"
#include "Profile_Panel.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
double residentBytes()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * double(sysconf(_SC_PAGESIZE)) : 0;
}

// The address sanitizer keeps freed memory on purpose: no memory bound under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasuresMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMeasuresMemory = false;
#else
constexpr bool kMeasuresMemory = true;
#endif
#else
constexpr bool kMeasuresMemory = true;
#endif
} // namespace

// Every keystroke records a snapshot of the whole side; the snapshots share the
// pictures and the unchanged controls, so typing a long name into a template with
// pictures keeps little memory.
TEST(UndoMemory, TypingALongVisitorNameKeepsLittle)
{
    TestWindow w;
    w.document.Start_Card_Option = Card_Mode::Visitor;
    const QString path = Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd";
    testsupport::answerStartWindow(w.runner, [&]() -> std::optional<QString> { return path; });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    w.runner.remove<Start_Card>();
    QLineEdit *box = Front_Profile_Panel_OBJ->fields[0].value;
    ASSERT_TRUE(box->isEnabled());
    const int before = w.controller.Get_Undo_Count();
    const double start = residentBytes();
    QString name;
    for (int i = 0; i < 2000; ++i) {
        name += QChar(u'a' + i % 26);
        box->setText(name);
        emit box->textEdited(name);
    }
    const double grown = residentBytes() - start;
    EXPECT_EQ(w.controller.Get_Undo_Count(), before + 2000) << "one snapshot per keystroke";
    if (kMeasuresMemory) {
        EXPECT_LT(grown, 20e6) << grown / 1e6 << " MB";
    }
}

// Nudging a large selection records a changed archive for every control each time;
// the side's history keeps within its budget by dropping its oldest steps above the
// bottom snapshot, and undo still steps back through what it keeps.
TEST(UndoMemory, NudgesOfALargeSelectionKeepWithinTheBudget)
{
    TestWindow w;
    std::vector<SKTGraphic *> all;
    for (int i = 0; i < 500; ++i)
        all.push_back(w.add(w.front(), GraphicKind::Shape, QRectF(i % 25 * 8, i / 25 * 6, 6, 5)).get());
    w.controller.Undo_Redo_Clear();
    w.controller.Insert_In_Undo_Redo();
    const int bottomX = 0;
    SKTGraphicView *view = w.controller._graphicView;
    view->selectGraphics(all);
    ASSERT_EQ(view->selectedGraphics().size(), 500u);
    for (int i = 0; i < 300; ++i) view->moveSelectedGraphicsByX(i % 2 ? -1 : 1, 0);  // right, left, ...
    const UndoHistory &history = w.controller.undoHistory();
    EXPECT_LE(history.bytes(0), history.budget());
    const int kept = w.controller.Get_Undo_Count();
    EXPECT_LT(kept, 300) << "older steps went";
    EXPECT_GT(kept, 10);
    // The bottom snapshot: the side before the nudges.
    ASSERT_EQ(history.Ucontrol.front().size(), 500u);
    EXPECT_EQ(SKTGraphic::decode(history.Ucontrol.front().back())->bounds().x(), bottomX);
    // Undo walks back one nudge at a time through the kept steps, then to the bottom.
    const double x = w.top(w.front())->bounds().x();
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(w.top(w.front())->bounds().x(), x + 1);
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(w.top(w.front())->bounds().x(), x);
    for (int i = 0; i < kept; ++i) w.controller.Undo_Action_Perform();
    EXPECT_EQ(w.controller.Get_Redo_Count(), kept - 1);
    EXPECT_EQ(w.controller.Get_Undo_Count(), 1);
    std::vector<double> xs;
    for (const GraphicPtr &g : w.front().items()) xs.push_back(g->bounds().x());
    EXPECT_EQ(*std::min_element(xs.begin(), xs.end()), 0) << "back at the side before the nudges";
}
