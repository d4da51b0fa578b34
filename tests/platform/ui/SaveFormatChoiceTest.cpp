#include "Dialogs.h"
#include "WidgetPresenters.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SaveFormatChoice, NamesTakeTheChosenExtension)
{
    const struct { const char *name, *extension, *expected; } rows[] = {
        {"visits.xlsx", "txt", "visits.txt"}, {"visits", "xlsx", "visits.xlsx"},
        {"my.visits.txt", "xlsx", "my.visits.xlsx"}, {"/a.b/visits", "txt", "/a.b/visits.txt"},
        {".hidden", "txt", ".hidden.txt"},
    };
    for (const auto &r : rows) EXPECT_EQ(Name_With_Extension(r.name, r.extension), r.expected) << r.name;
}

TEST(SaveFormatChoice, ChoosingTxtRenamesTheTypedName)
{
    QTemporaryDir dir;
    QFileDialog panel(nullptr, "Save", dir.path());
    panel.setOption(QFileDialog::DontUseNativeDialog);
    panel.setAcceptMode(QFileDialog::AcceptSave);
    Setup_Save_Format_Choice(panel, {"xlsx", "txt"});
    EXPECT_EQ(panel.nameFilters(), QStringList({"xlsx (*.xlsx)", "txt (*.txt)"}));
    panel.selectFile("visits.xlsx");
    panel.selectNameFilter("txt (*.txt)");
    emit panel.filterSelected("txt (*.txt)");
    ASSERT_FALSE(panel.selectedFiles().isEmpty());
    EXPECT_EQ(QFileInfo(panel.selectedFiles().front()).fileName(), "visits.txt");
    EXPECT_EQ(panel.selectedNameFilter(), "txt (*.txt)");
    // The panel adds no extension of its own: the name typed is completed, and asked
    // about, by the platform layer.
    EXPECT_EQ(panel.defaultSuffix(), "");
}
