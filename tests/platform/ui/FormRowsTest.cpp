// Settings pages from row tables: boxes, labels, shared lines and the widgets' ranges.
#include "ColorWell.h"
#include "FormRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
// The label text of the form row holding `w` ("-" for none) and whether it shares a line.
std::pair<QString, bool> placeOf(QWidget *w)
{
    auto *form = qobject_cast<QFormLayout *>(w->parentWidget()->layout());
    for (int r = 0; r < form->rowCount(); ++r) {
        QLayoutItem *field = form->itemAt(r, QFormLayout::FieldRole);
        QLayoutItem *span = form->itemAt(r, QFormLayout::SpanningRole);
        QLayoutItem *label = form->itemAt(r, QFormLayout::LabelRole);
        for (QLayoutItem *item : {field, span}) {
            if (!item) continue;
            const bool inLine = item->layout() && item->layout()->indexOf(w) >= 0;
            if (item->widget() == w || inLine) {
                auto *l = label ? qobject_cast<QLabel *>(label->widget()) : nullptr;
                return {l ? l->text() : QStringLiteral("-"), inLine};
            }
        }
    }
    return {QStringLiteral("?"), false};
}
} // namespace

TEST(FormRows, TablesBecomeBoxesOfLabelledRows)
{
    QWidget page;
    auto *layout = new QVBoxLayout(&page);
    QPushButton *second = nullptr;
    QLabel *sizeLabel = nullptr;
    using W = Row_Widget;
    const std::vector<Form_Row> rows = {
        {.box = "A", .label = "On", .kind = W::Check},
        {.box = "A", .label = "Width", .kind = W::Decimal, .range = {0, 100, 2, 0.5}},
        {.box = "A", .kind = W::Decimal, .range = {0, 10}, .labelMade = [&](QLabel *l) { sizeLabel = l; }},
        {.box = "B", .label = "Browse", .kind = W::Button},
        {.box = "B", .label = "Library", .kind = W::Button, .beside = true, .made = Keep(second)},
        {.box = "B", .label = "Angle", .kind = W::Whole, .range = {-360, 360}, .suffix = "°", .live = true},
        {.box = "A", .label = "Style", .kind = W::Choice, .items = {"x", "y"}},
        {.box = "A", .label = "Colour", .kind = W::Colour, .colour = Qt::red},
    };
    std::vector<QGroupBox *> boxes;
    const std::vector<QWidget *> w = Build_Form_Rows(layout, rows, &boxes);
    ASSERT_EQ(w.size(), rows.size());
    ASSERT_EQ(boxes.size(), 3u) << "a title met again starts a box of its own";
    EXPECT_EQ(boxes[2]->title(), "A");

    struct Expected {
        QString label;  // "-": none
        bool sharesLine;
        QGroupBox *box;
    };
    const Expected expected[] = {
        {"-", false, boxes[0]}, {"Width", false, boxes[0]}, {"", false, boxes[0]}, {"-", true, boxes[1]},
        {"-", true, boxes[1]},  {"Angle", false, boxes[1]}, {"Style", false, boxes[2]}, {"Colour", false, boxes[2]},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(w[i]->parentWidget(), expected[i].box) << i;
        EXPECT_EQ(placeOf(w[i]), std::make_pair(expected[i].label, expected[i].sharesLine)) << i;
    }
    EXPECT_EQ(second, w[4]) << "a row beside another still hands over its own widget";
    ASSERT_NE(sizeLabel, nullptr) << "a label asked for is made even without text";
    EXPECT_EQ(sizeLabel->parentWidget(), boxes[0]);

    auto *width = qobject_cast<QDoubleSpinBox *>(w[1]);
    EXPECT_EQ(width->decimals(), 2);
    EXPECT_DOUBLE_EQ(width->singleStep(), 0.5);
    EXPECT_FALSE(width->keyboardTracking());
    auto *angle = qobject_cast<QSpinBox *>(w[5]);
    EXPECT_EQ(angle->minimum(), -360);
    EXPECT_EQ(angle->suffix(), "°");
    EXPECT_TRUE(angle->keyboardTracking());
    EXPECT_EQ(qobject_cast<QCheckBox *>(w[0])->text(), "On");
    EXPECT_EQ(qobject_cast<QComboBox *>(w[6])->count(), 2);
    EXPECT_EQ(qobject_cast<ColorWell *>(w[7])->color(), QColor(Qt::red));
}
