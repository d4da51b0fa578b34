#include "SelectionCanvasModel.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

struct Step {
    enum Kind { Press, CommandPress, Drag, Release } kind;
    QPointF at{};
};

struct Gesture {
    const char *name;
    QSizeF canvas;
    std::optional<QRectF> placed;  // a selector placed by code and drawn first
    std::vector<Step> steps;
    std::vector<QRectF> expected;  // the listed frames afterwards
};

std::vector<QRectF> framesOf(const SelectionCanvasModel &m)
{
    std::vector<QRectF> out;
    for (const Selector &s : m.selectors()) out.push_back(s.frame);
    return out;
}

void run(SelectionCanvasModel &m, const std::vector<Step> &steps)
{
    for (const Step &s : steps) {
        switch (s.kind) {
        case Step::Press: m.press(s.at, false); break;
        case Step::CommandPress: m.press(s.at, true); break;
        case Step::Drag: m.drag(s.at); break;
        case Step::Release: m.release(); break;
        }
        m.draw();  // the canvas redraws after every event
    }
}

} // namespace

TEST(SelectionCanvas, GesturesEndInTheseFrames)
{
    using S = Step;
    const std::vector<Gesture> table = {
        {"drawn backwards", {300, 200}, {}, {{S::Press, {50, 50}}, {S::Drag, {10, 10}}, {S::Release}}, {{10, 10, 40, 40}}},
        {"too narrow", {300, 200}, {}, {{S::Press, {50, 50}}, {S::Drag, {60, 90}}, {S::Release}}, {}},
        {"exactly the least", {300, 200}, {}, {{S::Press, {50, 50}}, {S::Drag, {70, 70}}, {S::Release}}, {{50, 50, 20, 20}}},
        {"19.9 wide", {300, 200}, {}, {{S::Press, {50, 50}}, {S::Drag, {69.9, 90}}, {S::Release}}, {}},
        {"a click alone", {300, 200}, {}, {{S::Press, {50, 50}}, {S::Release}}, {}},
        {"past the right side", {300, 200}, {}, {{S::Press, {250, 50}}, {S::Drag, {340, 120}}, {S::Release}}, {{250, 50, 50, 70}}},
        {"past the left side", {300, 200}, {}, {{S::Press, {30, 50}}, {S::Drag, {-20, 120}}, {S::Release}}, {{0, 50, 30, 70}}},
        {"past the top", {300, 200}, {}, {{S::Press, {30, 150}}, {S::Drag, {90, 260}}, {S::Release}}, {{30, 150, 60, 50}}},
        {"past the bottom", {300, 200}, {}, {{S::Press, {30, 40}}, {S::Drag, {90, -5}}, {S::Release}}, {{30, 0, 60, 40}}},
        {"half a point from the left", {300, 200}, {}, {{S::Press, {0.5, 50}}, {S::Drag, {40, 90}}, {S::Release}}, {{0.5, 50, 39.5, 40}}},
        {"half a point from the bottom", {300, 200}, {}, {{S::Press, {50, 0.5}}, {S::Drag, {90, 40.5}}, {S::Release}}, {{50, 0.5, 40, 40}}},
        {"resized by the top-left handle", {300, 200}, QRectF(100, 100, 80, 60),
         {{S::Press, {100, 160}}, {S::Drag, {90, 170}}, {S::Release}}, {{90, 100, 90, 70}}},
        {"resized by the bottom-right handle past the right", {300, 200}, QRectF(100, 100, 80, 60),
         {{S::Press, {180, 100}}, {S::Drag, {320, 80}}, {S::Release}}, {{100, 80, 200, 80}}},
        {"resized under the least", {300, 200}, QRectF(100, 100, 80, 60),
         {{S::Press, {180, 100}}, {S::Drag, {110, 150}}, {S::Release}}, {}},
        {"moved past the top-left corner", {300, 200}, QRectF(100, 100, 40, 40),
         {{S::Press, {120, 120}}, {S::Drag, {10, 200}}, {S::Release}}, {{0, 160, 40, 40}}},
        {"moved past the bottom-right corner", {300, 200}, QRectF(100, 100, 40, 40),
         {{S::Press, {120, 120}}, {S::Drag, {290, 5}}, {S::Release}}, {{260, 0, 40, 40}}},
        {"moved inside", {300, 200}, QRectF(100, 100, 40, 40),
         {{S::Press, {105, 135}}, {S::Drag, {200, 50}}, {S::Release}}, {{180, 30, 40, 40}}},
        {"a new selector with Ctrl replaces the old", {300, 200}, QRectF(100, 100, 40, 40),
         {{S::CommandPress, {120, 120}}, {S::Drag, {160, 170}}, {S::Release}}, {{120, 120, 40, 50}}},
        {"Ctrl removes the old even when the new one is dropped", {300, 200}, QRectF(100, 100, 40, 40),
         {{S::CommandPress, {10, 10}}, {S::Drag, {15, 15}}, {S::Release}}, {}},
        {"a picker leaves the frames", {300, 200}, QRectF(100, 100, 40, 40),
         {{S::Press, {10, 10}}, {S::Drag, {110, 110}}, {S::Release}}, {{100, 100, 40, 40}}},
    };
    for (const Gesture &g : table) {
        SelectionCanvasModel m;
        m.setCanvasSize(g.canvas);
        if (g.placed) {
            m.addSelectorWithFrame(*g.placed);
            m.draw();
        }
        run(m, g.steps);
        EXPECT_EQ(framesOf(m), g.expected) << g.name;
        EXPECT_TRUE(m.cursorCanBeChanged()) << g.name;
    }
}

TEST(SelectionCanvas, FramesDuringAGestureKeepTheirSigns)
{
    SelectionCanvasModel m;
    m.setCanvasSize({300, 200});
    m.press({50, 50}, false);
    EXPECT_FALSE(m.cursorCanBeChanged());
    m.drag({10, 10});
    EXPECT_EQ(m.selectors().at(0).frame, QRectF(50, 50, -40, -40));

    m.addSelectorWithFrame({100, 100, 80, 60});
    m.draw();
    m.press({100, 160}, false);  // the top-left handle's centre
    ASSERT_NE(m.currentSelector(), nullptr);
    EXPECT_EQ(m.currentSelector()->action, SelectorAction::Resize);
    EXPECT_EQ(m.currentSelector()->frame, QRectF(100, 160, 80, -60));
    m.drag({90, 170});
    EXPECT_EQ(m.currentSelector()->frame, QRectF(90, 170, 90, -70));

    // The move: the centre jumps to the pointer, then the sides push it back inside.
    m.addSelectorWithFrame({100, 100, 40, 40});
    m.draw();
    m.press({120, 120}, false);
    EXPECT_EQ(m.currentSelector()->action, SelectorAction::Move);
    m.drag({10, 200});
    EXPECT_EQ(m.currentSelector()->frame, QRectF(0, 160, 40, 40));
}

TEST(SelectionCanvas, ProbesOnTheFrameAndTheHandlesHit)
{
    struct Row {
        QPointF at;
        SelectorAction action;  // None: a picker starts
        int handle;
    };
    // A 40 x 40 selector at (100, 100); handles are 8.5 points wide about the corners.
    const Row rows[] = {
        {{100, 100}, SelectorAction::Resize, kHandleBottomLeft},  // on the corner
        {{120, 100}, SelectorAction::Move, 0},                    // on the bottom edge
        {{140, 120}, SelectorAction::Move, 0},                    // on the right edge
        {{96, 144}, SelectorAction::Resize, kHandleTopLeft},      // outside, on the handle
        {{144.25, 144.25}, SelectorAction::Resize, kHandleTopRight},
        {{144.3, 144.3}, SelectorAction::None, 0},                // just past the handle
        {{144.25, 95.75}, SelectorAction::Resize, kHandleBottomRight},
        {{99.9, 120}, SelectorAction::None, 0},
    };
    for (const Row &r : rows) {
        SelectionCanvasModel m;
        m.setCanvasSize({300, 200});
        m.addSelectorWithFrame({100, 100, 40, 40});
        m.draw();
        m.press(r.at, false);
        const Selector *s = m.currentSelector();
        ASSERT_NE(s, nullptr);
        if (r.action == SelectorAction::None) {
            EXPECT_TRUE(s->picker) << r.at.x() << "," << r.at.y();
            EXPECT_FALSE(m.selectors().at(0).selected);
            continue;
        }
        EXPECT_FALSE(s->picker) << r.at.x() << "," << r.at.y();
        EXPECT_TRUE(s->selected);
        EXPECT_EQ(s->action, r.action) << r.at.x() << "," << r.at.y();
        EXPECT_EQ(s->currentHandle, r.handle) << r.at.x() << "," << r.at.y();
    }
}

TEST(SelectionCanvas, PickerKeysAndHiddenSelectors)
{
    SelectionCanvasModel m;
    m.setCanvasSize({300, 200});
    m.addSelectorWithFrame({100, 100, 40, 40});
    m.draw();
    // A press outside unmarks; a picker released over the selector marks it.
    m.press({10, 10}, false);
    EXPECT_FALSE(m.selectors().at(0).selected);
    m.drag({105, 105});
    m.release();
    EXPECT_EQ(m.currentSelector(), nullptr);
    EXPECT_TRUE(m.selectors().at(0).selected);
    ASSERT_EQ(m.draw().size(), 1u);
    EXPECT_EQ(m.draw().at(0).handles.size(), 4u) << "a marked selector shows its handles";
    m.key(SelectionCanvasModel::Key::Delete);
    EXPECT_FALSE(m.hasSelectors());

    m.addSelectorWithFrame({100, 100, 40, 40});
    m.key(SelectionCanvasModel::Key::Escape);
    EXPECT_FALSE(m.selectors().at(0).selected);
    m.key(SelectionCanvasModel::Key::Delete);
    EXPECT_EQ(m.selectors().size(), 1u) << "nothing marked, nothing removed";
    m.key(SelectionCanvasModel::Key::SelectAll);
    EXPECT_TRUE(m.selectors().at(0).selected);
    m.key(SelectionCanvasModel::Key::Other);
    EXPECT_EQ(m.selectors().size(), 1u);

    // Hidden: nothing drawn, still hit.
    m.setSelectorShown(0, false);
    EXPECT_TRUE(m.draw().empty());
    m.press({120, 120}, false);
    EXPECT_EQ(m.currentSelector(), &m.selectors().at(0));
    m.release();
    m.setSelectorFrame(0, {5, 6, -7, 8});
    EXPECT_EQ(m.selectors().at(0).frame, QRectF(5, 6, -7, 8));
    m.setSelectorFrame(-1, {1, 1, 1, 1});  // no such selector: nothing changes
    m.setSelectorFrame(1, {1, 1, 1, 1});
    m.setSelectorShown(1, true);
    EXPECT_EQ(framesOf(m), std::vector<QRectF>{QRectF(5, 6, -7, 8)});

    // A second selector from code replaces the first.
    m.addSelectorWithFrame({1, 2, 30, 40});
    m.addSelectorWithFrame({3, 4, 30, 40});
    EXPECT_EQ(framesOf(m), std::vector<QRectF>{QRectF(3, 4, 30, 40)});
    m.removeAllSelectorsFromCanvas();
    EXPECT_FALSE(m.hasSelectors());
    EXPECT_EQ(m.currentSelector(), nullptr);
}

TEST(SelectionCanvas, DrawingAndCursors)
{
    SelectionCanvasModel m;
    m.setCanvasSize({300, 200});
    m.addSelectorWithFrame({100, 100, 80, 60});
    const std::vector<SelectionCanvasModel::Drawn> drawn = m.draw();
    ASSERT_EQ(drawn.size(), 2u) << "the listed selector, then the current one on top";
    EXPECT_EQ(drawn[0].frame, QRectF(100, 100, 80, 60));
    EXPECT_EQ(drawn[0].fill, QColor::fromRgbF(0, 0.2f, 1.0f, 0.1f));
    EXPECT_EQ(drawn[0].handles,
              (std::vector<QRectF>{{95.75, 155.75, 8.5, 8.5}, {175.75, 155.75, 8.5, 8.5}, {95.75, 95.75, 8.5, 8.5},
                                   {175.75, 95.75, 8.5, 8.5}}));
    EXPECT_EQ(SelectionCanvasModel::Handle_Frame({100, 100, 80, 60}, 5), QRectF());

    struct Row {
        QPointF at;
        CanvasCursor cursor;
    };
    // Before its first drag the selector's interior has no cursor of its own.
    EXPECT_EQ(m.cursorAt({140, 130}), CanvasCursor::Arrow);
    m.press({140, 130}, false);
    EXPECT_EQ(m.cursorAt({140, 130}), std::nullopt) << "nothing changes during a gesture";
    m.drag({140, 130});
    m.release();
    m.draw();
    for (const Row &r : {Row{{100, 160}, CanvasCursor::TopBottom}, Row{{180, 100}, CanvasCursor::TopBottom},
                         Row{{180, 160}, CanvasCursor::BottomTop}, Row{{100, 100}, CanvasCursor::BottomTop},
                         Row{{140, 130}, CanvasCursor::OpenHand}, Row{{105, 130}, CanvasCursor::Arrow},
                         Row{{171, 150}, CanvasCursor::OpenHand}, Row{{172, 150}, CanvasCursor::Arrow},
                         Row{{140, 151.5}, CanvasCursor::OpenHand}, Row{{140, 152}, CanvasCursor::Arrow},
                         Row{{10, 10}, CanvasCursor::Arrow}})
        EXPECT_EQ(m.cursorAt(r.at), r.cursor) << r.at.x() << "," << r.at.y();

    // An unmarked selector is drawn clear, without handles.
    m.markAllUnselected();
    const std::vector<SelectionCanvasModel::Drawn> plain = m.draw();
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain[0].fill.alpha(), 0);
    EXPECT_TRUE(plain[0].handles.empty());
}
