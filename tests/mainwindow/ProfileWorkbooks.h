#pragma once
// Workbooks of people and their import through a profile dialog's "Excel...", as a
// user picks them.
#include "Globals.h"
#include "SheetImport.h"
#include "SpreadsheetWriter.h"
#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

// The spreadsheet import window, once it shows, takes every column with OK.
inline void Import_All_Columns_When_Shown()
{
    auto *import = qobject_cast<Import_Excel *>(QApplication::activeModalWidget());
    if (!import) {
        QTimer::singleShot(10, Import_All_Columns_When_Shown);  // not shown yet
        return;
    }
    import->Select_ALL_Pressed();
    import->OKPressed();
}

// "Excel..." picked in a row's source list: the workbook answers the file panel and
// every column is imported.
inline void Import_Through(QComboBox *source, const QString &book)
{
    testsupport::queueFilePanelAnswer({book});
    QTimer::singleShot(0, Import_All_Columns_When_Shown);
    const int pick = source->findText("Excel...");
    ASSERT_GE(pick, 0);
    source->setCurrentIndex(pick);
    emit source->activated(pick);
}

// Two workbooks of people: the second has the first's columns Name and Label in other
// places, and no Company or Tag.
struct Two_Books {
    QTemporaryDir dir;
    QString six = dir.path() + "/six.xlsx", other = dir.path() + "/other.xlsx";
    Two_Books()
    {
        SheetRows first{{"Name", "Label", "Company", "Tag"}}, second{{"Label", "Name", "City"}};
        for (int i = 1; i <= 6; ++i) {
            const QString n = QString::number(i);
            first << QStringList{"Person" + n, "L" + n, "Firm" + n, "Tag" + n};
            second << QStringList{"M" + n, "Other" + n, "City" + n};
        }
        EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(six, first, true, Resource_Path));
        EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(other, second, true, Resource_Path));
    }
};
