// A label of a long path: room for the whole text is asked, a short width is allowed,
// and a narrow label shows the path cut short in the middle.
#include "Path_Label.h"

#include <gtest/gtest.h>

TEST(PathLabel, AsksForTheWholePathAndShortensItInTheMiddle)
{
    const QString path = QStringLiteral("/home/desk/") + QString(150, 'q') + QStringLiteral("/people.xlsx");
    Path_Label label;
    label.setText(path);
    const int whole = label.fontMetrics().horizontalAdvance(path);
    EXPECT_GE(label.sizeHint().width(), whole);
    EXPECT_EQ(label.minimumSizeHint().width(), 120);
    label.resize(whole + 10, label.sizeHint().height());
    EXPECT_EQ(label.shownText(), path);
    label.resize(200, label.sizeHint().height());
    const QString shown = label.shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/home"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("people.xlsx"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_EQ(label.text(), path);
    // A short text keeps its own width.
    label.setText(QStringLiteral("Staff"));
    EXPECT_EQ(label.minimumSizeHint().width(), QLabel(QStringLiteral("Staff")).minimumSizeHint().width());
}
