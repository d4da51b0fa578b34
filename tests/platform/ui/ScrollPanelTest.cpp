// The scrolling part of a tall window: it asks for its content's whole size, shrinks to
// the height it is given and no narrower than its content; and the size a window opens
// at within a screen.
#include "Scroll_Panel.h"

#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(ScrollPanel, AsksForTheWholeContentAndShrinksToItsHeight)
{
    auto *layout = new QVBoxLayout;
    for (int i = 0; i < 30; ++i) {
        auto *line = new QLabel(QStringLiteral("Line %1").arg(i));
        line->setFixedSize(300, 24);
        layout->addWidget(line);
    }
    layout->setSpacing(6);
    Scroll_Panel *panel = Scrolling(layout, 200);
    const QSize whole(300, 30 * 24 + 29 * 6);
    EXPECT_EQ(panel->widget()->sizeHint(), whole);
    EXPECT_EQ(panel->sizeHint(), whole);
    const int bar = panel->verticalScrollBar()->sizeHint().width();
    EXPECT_EQ(panel->minimumSizeHint(), QSize(300 + bar, 200));
    // Content shorter than the height given: it cannot shrink below its content.
    auto *shortLayout = new QVBoxLayout;
    auto *one = new QLabel(QStringLiteral("One"));
    one->setFixedSize(120, 40);
    shortLayout->addWidget(one);
    Scroll_Panel *small = Scrolling(shortLayout, 200);
    EXPECT_EQ(small->minimumSizeHint(), QSize(120 + bar, 40));
    delete panel;
    delete small;
}

TEST(ScrollPanel, OpeningSizeWithinTheScreen)
{
    struct Row {
        QSize wanted, smallest, available, opens;
    };
    const Row rows[] = {
        {{900, 800}, {600, 400}, {1920, 1040}, {900, 800}},  // a large screen: as asked
        {{900, 800}, {600, 400}, {1366, 728}, {900, 692}},   // the frame's 36 rows taken off
        {{1500, 700}, {600, 400}, {1366, 728}, {1358, 692}}, // and its 8 columns
        {{900, 800}, {600, 710}, {1366, 728}, {900, 710}},   // never under the smallest
    };
    for (const Row &r : rows)
        EXPECT_EQ(Opening_Size_Within(r.wanted, r.smallest, r.available), r.opens)
            << r.wanted.width() << "x" << r.wanted.height() << " in " << r.available.width() << "x"
            << r.available.height();
}
