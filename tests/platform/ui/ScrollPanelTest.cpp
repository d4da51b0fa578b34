// The scrolling part of a tall window: it asks for its content's whole size, shrinks to
// the height it is given and no narrower than its content; and the size a window opens
// at within a screen; a settings page that scrolls at its whole width, and the wheel
// over it, which scrolls the page and turns only a focused field (the rule the test
// program sets for the whole application, as the program does).
#include "Scroll_Panel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

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
        {{739, 816}, {739, 427}, {700, 400}, {739, 427}},    // a screen smaller than the smallest
    };
    for (const Row &r : rows)
        EXPECT_EQ(Opening_Size_Within(r.wanted, r.smallest, r.available), r.opens)
            << r.wanted.width() << "x" << r.wanted.height() << " in " << r.available.width() << "x"
            << r.available.height();
}

TEST(ScrollPanel, APageScrollsUpAndDownAtItsWholeWidth)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    for (int i = 0; i < 40; ++i) {
        auto *row = new QLineEdit;
        row->setMinimumWidth(300);
        layout->addWidget(row);
    }
    std::unique_ptr<Scroll_Panel> area(Scrolling_Page(page));
    EXPECT_EQ(area->widget(), page);
    EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // Asks for the whole page (a plain scroll area asks for a few dozen lines at most).
    EXPECT_EQ(area->sizeHint(), page->sizeHint());
    EXPECT_GT(page->sizeHint().height(), 40 * 20);
    // Never narrower than the page beside its scroll bar; only a few lines high.
    EXPECT_EQ(area->minimumSizeHint().width(),
              page->minimumSizeHint().width() + area->verticalScrollBar()->sizeHint().width());
    EXPECT_LT(area->minimumSizeHint().height(), 100);

    area->resize(area->minimumSizeHint().width(), 200);
    area->show();
    QApplication::processEvents();
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_EQ(page->width(), page->minimumSizeHint().width()) << "the page keeps its whole width";
    area->resize(area->sizeHint());
    QApplication::processEvents();
    EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << "no scroll bar where the page fits";
}

namespace ScrollPanelTest {
// One notch of the wheel turned down over the middle of the widget.
void wheelDown(QWidget &w)
{
    const QPointF at = QRectF(w.rect()).center();
    QWheelEvent e(at, w.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
}

// The widgets the style polished.
struct PolishLog : QProxyStyle {
    std::set<QWidget *> polished;
    using QProxyStyle::polish;
    void polish(QWidget *w) override { polished.insert(w), QProxyStyle::polish(w); }
};
} // namespace ScrollPanelTest

TEST(ScrollPanel, TheWheelScrollsThePageAndTurnsOnlyAFocusedField)
{
    ScrollPanelTest::PolishLog style;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    std::unique_ptr<Scroll_Panel> area(Scrolling_Page(page));
    // The fields come after the page went into its panel, as the panels build their rows.
    auto *slider = new QSlider(Qt::Horizontal);
    slider->setValue(50);
    auto *number = new QDoubleSpinBox;
    number->setValue(5);
    auto *list = new QComboBox;
    list->setEditable(true);
    list->addItems({"8", "10", "12"});
    const std::vector<QWidget *> fields = {slider, number, list};
    for (QWidget *f : fields) f->setStyle(&style), layout->addWidget(f);
    auto *label = new QLabel("Size");
    layout->addWidget(label);
    for (int i = 0; i < 30; ++i) layout->addWidget(new QLineEdit);
    area->resize(300, 200);
    area->show();
    area->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(area.get()));
    EXPECT_TRUE(slider->hasFocus()) << "the window gives its first field the focus, not the user";
    QScrollBar *bar = area->verticalScrollBar();
    const auto values = [&] { return std::vector<double>{double(slider->value()), number->value(), double(list->currentIndex())}; };
    for (QWidget *f : fields) {
        EXPECT_NE(f->focusPolicy(), Qt::WheelFocus) << "the wheel gives no focus";
        EXPECT_TRUE(style.polished.count(f)) << "the field has its style";
        ScrollPanelTest::wheelDown(*f);
    }
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << "what took no focus takes none";
    EXPECT_EQ(values(), (std::vector<double>{50, 5, 0})) << "unfocused";
    EXPECT_EQ(bar->value(), 3 * 3 * bar->singleStep()) << "three notches of three lines";
    bar->setValue(0);
    for (QWidget *f : fields) {
        // Clicked: the slider on its handle, the others on their text.
        QTest::mouseClick(f, Qt::LeftButton, {}, f == slider ? f->rect().center() : QPoint(8, f->height() / 2));
        ScrollPanelTest::wheelDown(*f);
    }
    EXPECT_EQ(values(), (std::vector<double>{47, 4, 1})) << "focused";
    list->showPopup();  // an item chosen from its own pop-up: the focus stays the user's
    QAbstractItemView *popup = list->view();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(popup->model()->index(0, 0)).center());
    ScrollPanelTest::wheelDown(*list);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(bar->value(), 0);
    // A list's own scroll bar keeps the wheel.
    auto *items = new QListWidget;
    for (int i = 0; i < 50; ++i) items->addItem(QString::number(i));
    items->setFixedHeight(200);
    layout->insertWidget(0, items);
    QApplication::processEvents();
    area->setFocus();
    ScrollPanelTest::wheelDown(*items->verticalScrollBar());
    EXPECT_EQ(items->verticalScrollBar()->value(), 3);
    EXPECT_EQ(bar->value(), 0);
}
