// Rows and stacks of parts: what each layout item holds, in order, with its stretch.
#include "LayoutParts.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <gtest/gtest.h>

namespace {
// One letter per item: W widget (its object name), L layout, S stretch; then the stretch factor.
QString itemsOf(QBoxLayout *layout)
{
    QStringList items;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        const QString what = item->widget()   ? QStringLiteral("W:") + item->widget()->objectName()
                             : item->layout() ? QStringLiteral("L")
                             : item->spacerItem() ? QStringLiteral("S")
                                                  : QStringLiteral("?");
        items << what + QStringLiteral("/%1").arg(layout->stretch(i));
    }
    return items.join(u' ');
}
// A button kept by `keeper` (a layout that is not a widget's does not delete its widgets).
QPushButton *named(QWidget &keeper, const char *name)
{
    auto *b = new QPushButton(QString::fromLatin1(name), &keeper);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

TEST(LayoutParts, PartsAndStretchesStandInOrder)
{
    QWidget keeper;
    QWidget owner;
    QPushButton *a = named(keeper, "a"), *b = named(keeper, "b"), *c = named(keeper, "c"), *d = named(keeper, "d");
    struct Row {
        QBoxLayout *layout;
        const char *items;
    };
    const Row rows[] = {
        {Side_By_Side({a, b, Layout_Stretch{}, c}), "W:a/0 W:b/0 S/0 W:c/0"},
        {Side_By_Side({{d, 1}, Layout_Stretch{}, {Layout_Stretch{}, 3}}), "W:d/1 S/0 S/3"},
        {Button_Row({named(keeper, "ok"), named(keeper, "cancel")}), "S/0 W:ok/0 W:cancel/0"},
        {Stack_Layout(&owner, {named(keeper, "top"), {Side_By_Side({named(keeper, "x")}), 2}, Layout_Stretch{}}), "W:top/0 L/2 S/0"},
    };
    for (const Row &row : rows) EXPECT_EQ(itemsOf(row.layout), QString::fromLatin1(row.items)) << row.items;
    EXPECT_EQ(owner.layout(), rows[3].layout);
    for (const Row &row : {rows[0], rows[1], rows[2]}) delete row.layout;  // the owner keeps its own
}
