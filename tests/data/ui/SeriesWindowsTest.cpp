// The series windows driven as a user drives them, with scripted answers.
#include "AnotherUser.h"
#include "CompletedName.h"
#include "BatchWizard.h"
#include "../Checkers.h"
#include "Generate_List.h"
#include "Globals.h"
#include "Import_Wizard.h"
#include "SKTDocument.h"
#include "SeriesDialogs.h"
#include "SeriesFile.h"
#include "SheetImport.h"
#include "Shared_Dialogs.h"
#include "TestSupport.h"
#include "WorkingFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// Readable failures.
#include "QStringPrinter.h"

namespace series_windows_test {

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Saves a picture of the window when SERIES_SHOTS names a folder (a tour by hand).
void shot(QWidget &w, const char *name)
{
    const QString folder = qEnvironmentVariable("SERIES_SHOTS");
    if (folder.isEmpty()) return;
    w.grab().save(QDir(folder).filePath(QStringLiteral("23-%1.png").arg(QLatin1String(name))));
}

struct SeriesWindows : ::testing::Test {
    QTemporaryDir dir;
    QString folder;
    QStringList used;  // series the open design uses
    QStringList exported;
    SeriesServices services;

    void SetUp() override
    {
        folder = dir.filePath("DataSet");
        QDir().mkpath(folder);
        services.folder = folder;
        services.templateFolder = Resource_Path;
        services.inUse = [this](const QString &n) { return used.contains(n); };
        services.openExported = [this](QWidget *, const QString &path, const QString &message) {
            exported << path + "|" + message;
        };
        testsupport::boxes().clear();
    }
    void series(const QString &name, const QByteArray &bytes)
    {
        QFile f(SeriesFile::Path(folder, name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString path(const QString &name) const { return SeriesFile::Path(folder, name); }
};

void selectRows(QListWidget *list, std::initializer_list<int> rows)
{
    list->clearSelection();
    for (int r : rows) list->item(r)->setSelected(true);
}

TEST_F(SeriesWindows, GenerateEditRenameAndExport)
{
    BatchWizard wizard(services);
    wizard.Fill_List();
    EXPECT_EQ(wizard.batch_list_count->text(), "Total List : 0");
    // Create Series: "001" to "100" as "Numbers".
    wizard.generator().whileOpen = [](SeriesDialog &d) {
        auto &g = static_cast<Generate_List &>(d);
        g.seq_file_name->setText("Numbers");
        QTest::keyClicks(g.from_txt, "001");
        QTest::keyClicks(g.to_txt, "1x00");  // the letter is refused
        g.manage_digit_chk->setChecked(true);
        shot(g, "generator");
        g.ok->click();
    };
    wizard.CreateSeries_Btn_Clicked();
    QByteArray expected;
    for (int i = 1; i <= 100; ++i) expected += QByteArray::number(i).rightJustified(3, '0') + '\n';
    EXPECT_EQ(readAll(path("Numbers")), expected);
    EXPECT_EQ(wizard.seriesNames(), QStringList{"Numbers"});

    // Open, edit the second value, rename and save.
    selectRows(wizard.List, {0});
    wizard.On_Update();
    EXPECT_EQ(wizard.batch_value_count->text(), "Total Rows : 100");
    EXPECT_EQ(wizard.update_list_name, "Numbers");
    selectRows(wizard.List_value, {1});
    wizard.Update_Value_Wnd().whileOpen = [](SeriesDialog &d) {
        auto &u = static_cast<Update_Ex_Num &>(d);
        u.m_ex_num_str->setText("  ");
        u.ok->click();  // refused, stays open
        u.m_ex_num_str->setText(" two ");
        u.ok->click();
    };
    wizard.OnGetSelected();
    EXPECT_EQ(wizard.values().at(1), "two");
    shot(wizard, "wizard-values");
    wizard.batch_list_name->setText("/Renamed?");
    wizard.Save_Btn_Clicked();
    EXPECT_FALSE(QFile::exists(path("Numbers")));
    EXPECT_TRUE(readAll(path("Renamed")).startsWith("001\ntwo\n003\n"));
    EXPECT_EQ(wizard.seriesNames(), QStringList{"Renamed"});
    EXPECT_TRUE(wizard.page1->isVisibleTo(&wizard));

    // Export to xlsx: read back by openpyxl.
    selectRows(wizard.List, {0});
    wizard.On_Update();
    selectRows(wizard.List_value, {});
    wizard.List_value->clear();
    for (const char *v : {"10", "20", "abc"}) wizard.Create_Value_List(v);
    const QString xlsx = dir.filePath("out.xlsx");
    testsupport::queueFilePanelAnswer({xlsx});
    wizard.Export_Value_Btn_Clicked();
    EXPECT_EQ(exported, QStringList{xlsx + "|Record has been exported successfully."});
    if (checkers::hasOpenpyxl()) {
        EXPECT_EQ(checkers::python("import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                   "print([c.value for c in ws['A']])",
                                   {xlsx}),
                  "['Batch Value', 10, 20, 'abc']\n");
    }
    // Text export, the txt format chosen: a name of another extension takes ".txt" in its place.
    testsupport::queueFilePanelAnswer({dir.filePath("out.csv"), "txt"});
    wizard.Export_Value_Btn_Clicked();
    EXPECT_EQ(readAll(dir.filePath("out.txt")), QByteArray("10\n20\nabc\n"));
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease enter a valid value."});
    // The name the panel completed is asked about, and a link there replaced.
    testsupport::Check_Completed_Name("v.csv", "v.txt", [&] { wizard.Export_Value_Btn_Clicked(); }, "txt");
}

TEST_F(SeriesWindows, ValuesEditedDeletedAndImported)
{
    series("S", "only\n");
    BatchWizard wizard(services);
    wizard.Fill_List();
    selectRows(wizard.List, {0});
    wizard.On_Update();
    EXPECT_TRUE(wizard.page2->isVisibleTo(&wizard));
    EXPECT_FALSE(wizard.page1->isVisibleTo(&wizard));
    // The only value can be edited.
    selectRows(wizard.List_value, {0});
    wizard.Update_Value_Wnd().whileOpen = [](SeriesDialog &d) {
        static_cast<Update_Ex_Num &>(d).m_ex_num_str->setText("first");
        static_cast<Update_Ex_Num &>(d).ok->click();
    };
    wizard.OnGetSelected();
    EXPECT_EQ(wizard.values(), QStringList{"first"});
    // Pasted values after the listed ones (No in the prompt).
    wizard.Load_Number_Window().whileOpen = [&](SeriesDialog &) { wizard.Load_Number_Window().no->click(); };
    wizard.importer().whileOpen = [&](SeriesDialog &) {
        Import_Wizard &w = wizard.importer();
        EXPECT_FALSE(w.Manual_file_name->isVisibleTo(&w));
        w.Choose_Source(2);
        w.ManualEdit->setPlainText("b\n  \nc\r\nd");
        w.ok->click();
    };
    wizard.Import_Value_Btn_Clicked();
    EXPECT_EQ(wizard.values(), (QStringList{"first", "b", "c", "d"}));
    // Deleting a row selects the one above it.
    wizard.List_value->clearSelection();
    wizard.List_value->setCurrentRow(2);
    wizard.Delete_Rows_Btn_Clicked();
    EXPECT_EQ(wizard.values(), (QStringList{"first", "b", "d"}));
    EXPECT_EQ(wizard.List_value->currentRow(), 1);
    EXPECT_EQ(wizard.batch_value_count->text(), "Total Rows : 3");
    wizard.List_value->clearSelection();
    wizard.Delete_Rows_Btn_Clicked();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select at least one record from the list to continue."});
    EXPECT_EQ(readAll(path("S")), QByteArray("only\n"));  // nothing written before Save
}

TEST_F(SeriesWindows, ExportOffersToOpenTheFile)
{
    services.openExported = nullptr;
    BatchWizard wizard(services);
    wizard.AddNew_Btn_Clicked();
    wizard.Create_Value_List("v");
    const QString txt = dir.filePath("values.txt");
    testsupport::queueFilePanelAnswer({txt});
    wizard.Export_Value_Btn_Clicked();
    EXPECT_EQ(readAll(txt), QByteArray("v\n"));
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{Open_Export_Log::Answerer_Text({txt, {}, "Record has been exported successfully.", {}})});
}

TEST_F(SeriesWindows, SaveReplacesOnlyWhatTheUserAgreedTo)
{
    series("A", "a1\na2\n");
    series("B", "b1\n");
    BatchWizard wizard(services);
    wizard.Fill_List();
    selectRows(wizard.List, {0});
    wizard.On_Update();
    wizard.batch_list_name->setText("B");
    wizard.Save_Btn_Clicked();  // No: nothing changes
    EXPECT_EQ(readAll(path("B")), QByteArray("b1\n"));
    EXPECT_TRUE(wizard.page2->isVisibleTo(&wizard));
    testsupport::boxes().answerNext(1);
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(readAll(path("B")), QByteArray("a1\na2\n"));
    EXPECT_EQ(readAll(path("A")), QByteArray("a1\na2\n"));
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"Batch Processing Series already exists. Do you want to replace it?",
                           "Batch Processing Series already exists. Do you want to replace it?"}));

    // A write that fails (B.txt is a folder) keeps the opened series.
    QFile::remove(path("B"));
    ASSERT_TRUE(QDir().mkdir(path("B")));
    selectRows(wizard.List, {0});
    wizard.On_Update();
    wizard.batch_list_name->setText("B");
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(readAll(path("A")), QByteArray("a1\na2\n"));
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in file accessing."});
    ASSERT_TRUE(QDir().rmdir(path("B")));
    SeriesFile::Write(path("B"), {"a1", "a2"});
    wizard.Fill_List();

    // Series the design uses are neither saved over nor replaced.
    used = {"A", "B"};
    selectRows(wizard.List, {0});
    wizard.On_Update();
    wizard.Create_Value_List("new");
    wizard.Save_Btn_Clicked();
    wizard.batch_list_name->setText("B");
    wizard.Save_Btn_Clicked();
    wizard.AddNew_Btn_Clicked();
    wizard.Create_Value_List("x");
    wizard.batch_list_name->setText("B");
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(readAll(path("A")), QByteArray("a1\na2\n"));
    EXPECT_EQ(readAll(path("B")), QByteArray("a1\na2\n"));
    EXPECT_EQ(testsupport::boxes().take().join("|").toStdString(),
              (QStringList{"\nBatch Processing Series can't be update because it is currently in use.",
                           "\nBatch Processing Series can't be update because it is currently in use.",
                           "\nBatch Processing Series can't be create because it is currently in use."}).join("|").toStdString());
}

TEST_F(SeriesWindows, DeleteAlertsForSeriesInUse)
{
    struct Row {
        bool applyAll;
        int alerts;
    } rows[] = {{false, 2}, {true, 1}};
    for (const Row &r : rows) {
        for (const char *n : {"A", "B", "C"}) series(n, "1\n");
        used = {"A", "C"};
        BatchWizard wizard(services);
        QStringList alerts;
        wizard.alert = [&](const QString &message, const QStringList &) {
            alerts << message;
            return SeriesImport::AlertAnswer{0, r.applyAll};
        };
        wizard.Fill_List();
        selectRows(wizard.List, {0, 1, 2});
        testsupport::boxes().answerNext(1);
        wizard.Delete_List_Btn_Clicked();
        EXPECT_EQ(alerts.size(), r.alerts);
        EXPECT_EQ(alerts.first(), "Series is in use\n\nA\n\nBatch Processing Series can't be delete because it is currently in use.");
        EXPECT_EQ(SeriesFile::Names(folder), (QStringList{"A", "C"}));
        EXPECT_EQ(wizard.seriesNames(), (QStringList{"A", "C"}));
    }
    // Not in use: the rows go and the row at the last one's place is selected.
    used.clear();
    series("D", "1\n");
    BatchWizard wizard(services);
    wizard.Fill_List();
    selectRows(wizard.List, {0, 1});
    testsupport::boxes().answerNext(1);
    wizard.Delete_List_Btn_Clicked();
    EXPECT_EQ(wizard.seriesNames(), QStringList{"D"});
    EXPECT_EQ(wizard.List->currentRow(), 0);
    EXPECT_EQ(wizard.batch_list_count->text(), "Total List : 1");
}

TEST_F(SeriesWindows, ReplaceValuesPromptDecides)
{
    BatchWizard wizard(services);
    wizard.AddNew_Btn_Clicked();
    Load_Num_Info &prompt = wizard.Load_Number_Window();
    wizard.generator().whileOpen = [](SeriesDialog &d) {
        auto &g = static_cast<Generate_List &>(d);
        g.Choose_Rule(1);
        g.value_txt->setText(" 7 ");
        g.count_txt->setText("2");
        g.ok->click();
    };
    struct Row {
        QPushButton *Load_Num_Info::*button;
        int code;
        QStringList values;
    } rows[] = {
        {&Load_Num_Info::cancel, 2, {"a", "b"}},
        {&Load_Num_Info::no, 0, {"a", "b", "7", "7"}},
        {&Load_Num_Info::yes, 1, {"7", "7"}},
    };
    for (const Row &r : rows) {
        prompt.whileOpen = [&](SeriesDialog &) { (prompt.*r.button)->click(); };
        EXPECT_EQ(prompt.Open_Wnd(), r.code);
        wizard.List_value->clear();
        for (const char *v : {"a", "b"}) wizard.Create_Value_List(v);
        wizard.Series_Value_Btn_Clicked();
        EXPECT_EQ(wizard.values(), r.values);
        EXPECT_EQ(wizard.batch_value_count->text(), QStringLiteral("Total Rows : %1").arg(r.values.size()));
        EXPECT_FALSE(prompt.isVisible());
    }
    // Closing the prompt's window is its Cancel.
    prompt.whileOpen = [&](SeriesDialog &) { prompt.close(); };
    EXPECT_EQ(prompt.Open_Wnd(), 2);
}

TEST_F(SeriesWindows, GeneratorFieldsAndRefusals)
{
    Generate_List g(services);
    g.file_name_required = 1;
    g.whileOpen = [&](SeriesDialog &) {
        g.Choose_Rule(1);
        QTest::keyClicks(g.count_txt, "23456");  // "1" + "23456" is cut to 5 then 10000
        EXPECT_EQ(g.count_txt->text(), "10000");
        g.count_txt->clear();
        QTest::keyClicks(g.count_txt, "0");
        EXPECT_EQ(g.count_txt->text(), "1");
        g.Choose_Rule(0);
        QTest::keyClicks(g.from_txt, "99999999999");
        EXPECT_EQ(g.from_txt->text(), "9999999999");
        QTest::keyClicks(g.to_txt, "9999999999");
        g.ok->click();  // From not smaller than To
        g.from_txt->setText("1");
        g.ok->click();  // To beyond the 32-bit range
        g.seq_file_name->setText("***");
        g.to_txt->setText("3");
        g.ok->click();
        g.cancel->click();
    };
    EXPECT_EQ(g.Open_Wnd(), 0);
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"\nPlease enter valid number.\n'From' value must be smaller than 'To' value.",
                           "\nPlease enter valid number for 'To' value.", "\nPlease enter valid series name."}));
    EXPECT_EQ(SeriesFile::Names(folder), QStringList());
    // A series in use is not replaced by a generated one.
    series("Used", "u\n");
    used = {"Used"};
    g.whileOpen = [&](SeriesDialog &) {
        g.Choose_Rule(2);
        g.rndm_file_name->setText("Used");
        g.ok->click();
        g.cancel->click();
    };
    g.Open_Wnd();
    EXPECT_EQ(readAll(path("Used")), QByteArray("u\n"));
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"\nBatch Processing Series can't be create because it is currently in use."});
}

TEST_F(SeriesWindows, ListImportSources)
{
    const QString csv = dir.filePath("list.csv");
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"x, y\",z\r4,5\n");
    f.close();
    Import_Wizard w(services);
    w.file_name_required = 1;
    w.whileOpen = [&](SeriesDialog &) {
        w.Choose_Source(1);
        w.Text_file_name->setText("?report*");
        testsupport::queueFilePanelAnswer({csv});
        w.Text_btn->click();
    };
    w.Open_Wnd();
    EXPECT_EQ(readAll(path("report")), QByteArray("x, y\nz\n4\n5\n"));

    // Pasted CRLF text keeps no CR.
    w.whileOpen = [&](SeriesDialog &) {
        w.Choose_Source(2);
        EXPECT_EQ(w.Manual_file_name->text(), "Untitled");
        w.ManualEdit->setPlainText("\r\none\r\n two \r\n\r\n");
        w.ok->click();
    };
    w.Open_Wnd();
    EXPECT_EQ(readAll(path("Untitled")), QByteArray("one\n two\n"));

    // An image folder: only its own pictures, into the value list.
    QDir images(dir.filePath("images"));
    images.mkpath("c.jpg");
    for (const char *n : {"a.png", "b.TXT"}) {
        QFile img(images.filePath(n));
        ASSERT_TRUE(img.open(QIODevice::WriteOnly));
    }
    QStringList values;
    w.file_name_required = 0;
    w.Create_Value_List = [&](const QString &v) { values << v; };
    w.whileOpen = [&](SeriesDialog &) {
        w.Choose_Source(3);
        w.ok->click();  // no folder yet
        testsupport::queueFilePanelAnswer({images.path()});
        w.Image_btn->click();
    };
    w.Open_Wnd();
    EXPECT_EQ(values, QStringList{images.filePath("a.png")});
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select valid file path."});
}

TEST_F(SeriesWindows, WorkbookIntoRowTableValueListAndSeries)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
    const QString book = dir.filePath("people.xlsx");
    ASSERT_EQ(checkers::python("import sys, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
                               "for r in [['A', 'B', 'C'], ['A1', 'B1', 'C1'], ['A2', 'B2', 'C2'], ['A3', None, 'C3']]: ws.append(r)\n"
                               "wb.save(sys.argv[1])",
                               {book}),
              "");
    // Mode "E": the row table of the design.
    SKTDocument doc;
    Import_Excel excel(&doc, {});
    excel.open_mode = "E";
    excel.whileOpen = [&](SeriesDialog &) {
        excel.ok->click();  // nothing chosen
        excel.ColList->item(0, 0)->setCheckState(Qt::Checked);
        excel.ColList->item(2, 0)->setCheckState(Qt::Checked);
        shot(excel, "import-excel");
        excel.ok->click();
    };
    EXPECT_EQ(excel.Open_excel_Wnd(book), 1);
    EXPECT_EQ(doc.ListData(), (QList<QStringList>{{"1", "A1", "C1"}, {"2", "A2", "C2"}, {"3", "A3", "C3"}}));
    EXPECT_EQ(doc.ColList().at(2).title, "C");
    // Mode "D": A1, B1, A2, B2, ... into the value list.
    QStringList values;
    Import_Excel values_window(nullptr, [&](const QString &v) { values << v; });
    values_window.whileOpen = [&](SeriesDialog &) {
        values_window.ColList->item(0, 0)->setCheckState(Qt::Checked);
        values_window.ColList->item(1, 0)->setCheckState(Qt::Checked);
        values_window.ok->click();
    };
    values_window.Open_excel_Wnd(book);
    EXPECT_EQ(values, (QStringList{"A1", "B1", "A2", "B2", "A3"}));
    // Columns into series through the import wizard.
    Import_Wizard wizard(services);
    wizard.file_name_required = 1;
    wizard.whileOpen = [&](SeriesDialog &) {
        wizard.Excel_path->setText(book);
        wizard.columnsWindow().whileOpen = [&](SeriesDialog &) {
            Import_Excel_DataSheet &c = wizard.columnsWindow();
            c.Select_ALL_Pressed();
            c.ColList->item(1, 2)->setText("Second");
            shot(c, "import-columns");
            c.ok->click();
        };
        wizard.ok->click();
    };
    wizard.Open_Wnd();
    EXPECT_EQ(SeriesFile::Names(folder), (QStringList{"A", "C", "Second"}));
    EXPECT_EQ(readAll(path("Second")), QByteArray("B1\nB2\n\n"));

    // One series: the refusals, then A and C appended row by row to "A".
    testsupport::boxes().clear();
    Import_Excel_DataSheet &columns = wizard.columnsWindow();
    columns.whileOpen = [&](SeriesDialog &) {
        columns.ok->click();
        columns.ColList->item(0, 0)->setCheckState(Qt::Checked);
        columns.ColList->item(2, 0)->setCheckState(Qt::Checked);
        columns.Fill_Col_RD_Click();
        EXPECT_TRUE(columns.list_name->isVisibleTo(&columns));
        EXPECT_FALSE(columns.List_ComboBox->isVisibleTo(&columns));
        columns.ok->click();
        columns.Fill_Type_CellClick(2);
        EXPECT_FALSE(columns.list_name->isVisibleTo(&columns));
        EXPECT_TRUE(columns.List_ComboBox->isVisibleTo(&columns));
        columns.List_ComboBox->setCurrentIndex(-1);
        columns.ok->click();
        columns.List_ComboBox->setCurrentIndex(columns.List_ComboBox->findText("A"));
        columns.ok->click();
    };
    columns.Open_excel_datasheet_Wnd(book);
    EXPECT_EQ(readAll(path("A")), QByteArray("A1\nA2\nA3\nA1\nC1\nA2\nC2\nA3\nC3\n"));
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"\nNo column is selected.", "\nPlease enter list name.", "\nPlease select list name."}));
}

TEST_F(SeriesWindows, ListImportRefusals)
{
    QDir(dir.path()).mkdir("empty");
    QFile(dir.filePath("blank.txt")).open(QIODevice::WriteOnly);
    Import_Wizard w(services);
    w.file_name_required = 1;
    struct Row {
        int source;
        QString name, path, message;
    } rows[] = {
        {2, "List", "", "Please enter some data."},
        {2, "***", "", "Please enter valid series name."},
        {3, "Pics", dir.filePath("empty"), "The selected folder does not contains any image with supported extension."},
        {1, "Text", dir.filePath("empty"), "Please select a valid file."},
        {1, "Text", dir.filePath("blank.txt"), "Either file is corrupted or selected file contains invalid characters."},
        {1, "Text", dir.filePath("nothing.txt"), "Please select valid file path."},
    };
    for (const Row &r : rows) {
        w.whileOpen = [&](SeriesDialog &) {
            w.Choose_Source(r.source);
            QLineEdit *names[] = {nullptr, w.Text_file_name, w.Manual_file_name, w.Image_file_name};
            QLineEdit *paths[] = {w.Excel_path, w.Text_path, nullptr, w.Image_path};
            names[r.source]->setText(r.name);
            if (paths[r.source]) paths[r.source]->setText(r.path);
            w.ok->click();
            EXPECT_TRUE(w.isVisible());
            w.cancel->click();
        };
        w.Open_Wnd();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\n" + r.message}) << r.message.toStdString();
    }
    EXPECT_EQ(SeriesFile::Names(folder), QStringList());
}

TEST_F(SeriesWindows, ViewerAndProjectFolder)
{
    series("S", " a \r\n\r\n  \nb c\n");
    View_Data_Series viewer(folder);
    viewer.whileOpen = [&](SeriesDialog &) {
        if (viewer.series_name->text() == "S") shot(viewer, "viewer");
        viewer.ok->click();
    };
    viewer.Open_Wnd("S");
    EXPECT_EQ(viewer.list_count->text(), "Total Rows : 2");
    EXPECT_EQ(viewer.List->item(1)->text(), "b c");
    viewer.Open_Wnd("missing");
    EXPECT_EQ(viewer.list_count->text(), "Total Rows : 0");

    const QString root = dir.filePath("Group_Excel_Data");
    QDir().mkpath(root + "/All");
    QDir().mkpath(root + "/:Proj");
    testsupport::WorkingFolder work;
    QFile file(root + "/File");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CreateFolder create(root);
    struct Row {
        QString name;
        QStringList parents;
        int code;
        QString folder, message;
    } rows[] = {
        {"/Staff?", {"All"}, 1, "All/Staff", ""},
        {"Staff", {"All"}, -1, "All/Staff", "\nFolder already exist."},
        {"**", {"All"}, -1, "All/Staff", "\nPlease enter folder name."},
        {"New", {}, -1, "All/Staff", "\nPlease select project path."},
        {"x", {"File"}, -1, "All/Staff", "\nError in file accessing."},
        {":Team", {":Proj"}, 1, ":Proj/:Team", ""},  // plain names, in the root
    };
    for (const Row &r : rows) {
        create.whileOpen = [&](SeriesDialog &) {
            create.folder_name->setText(r.name);
            create.ok->click();
            if (create.isVisible()) create.cancel->click();
        };
        const int code = create.Open_Wnd(r.parents);
        EXPECT_EQ(code, r.code == 1 ? 1 : 0) << r.name.toStdString();
        if (code == 1) EXPECT_EQ(create.add_new_folder, r.folder);
        else EXPECT_EQ(create.add_new_folder, "");
        EXPECT_EQ(testsupport::boxes().take(), r.message.isEmpty() ? QStringList() : QStringList{r.message});
    }
    EXPECT_TRUE(QFileInfo(root + "/All/Staff").isDir());
    EXPECT_TRUE(QFileInfo(root + "/:Proj/:Team").isDir());
    EXPECT_EQ(work.written().join(u'|'), "");
}

} // namespace

// A series file above the limit is refused with a message by the wizard and the viewer;
// a Latin-1 file opens with its letters.
TEST_F(SeriesWindows, LargeAndLatin1SeriesFiles)
{
    series("Latin", "M\xfcller\nG\xf6tz\n");
    series("Huge", "first\n");
    ASSERT_TRUE(QFile(path("Huge")).resize(SeriesFile::kMaxBytes + 1));
    const QString refused = "\nThe series \"Huge\" is larger than 32 MB and cannot be read.";

    BatchWizard wizard(services);
    wizard.Fill_List();
    ASSERT_EQ(wizard.seriesNames(), (QStringList{"Huge", "Latin"}));
    selectRows(wizard.List, {0});
    wizard.On_Update();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{refused});
    EXPECT_EQ(wizard.List_value->count(), 0);
    selectRows(wizard.List, {1});
    wizard.On_Update();
    ASSERT_EQ(wizard.List_value->count(), 2);
    EXPECT_EQ(wizard.List_value->item(0)->text(), QString::fromUtf8("M\xc3\xbcller"));
    EXPECT_EQ(wizard.List_value->item(1)->text(), QString::fromUtf8("G\xc3\xb6tz"));

    View_Data_Series viewer(folder);
    viewer.Load("Huge");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{refused});
    EXPECT_EQ(viewer.list_count->text(), "Total Rows : 0");
    viewer.Load("Latin");
    EXPECT_EQ(viewer.list_count->text(), "Total Rows : 2");
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

// A series name whose file the file system cannot hold is refused by the window that
// names it, before anything is written; the longest name that fits is saved.
TEST_F(SeriesWindows, NamesTooLongForAFileAreRefusedBeforeWriting)
{
    const QString longest(251, u'L'), tooLong(252, u'L');
    const QString refused = "\nSeries name is too long. Please enter a shorter series name.";
    BatchWizard wizard(services);
    wizard.AddNew_Btn_Clicked();
    for (const char *v : {"1", "2"}) wizard.Create_Value_List(v);
    wizard.batch_list_name->setText(tooLong);
    wizard.Save_Btn_Clicked();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{refused});
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_FALSE(wizard.page1->isVisibleTo(&wizard));  // the values stay to be saved
    wizard.batch_list_name->setText(longest);
    wizard.Save_Btn_Clicked();
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_EQ(readAll(path(longest)), QByteArray("1\n2\n"));
    EXPECT_EQ(wizard.seriesNames(), QStringList{longest});

    // The generator and the list import refuse it the same way.
    Generate_List g(services);
    g.file_name_required = 1;
    g.whileOpen = [&](SeriesDialog &) {
        g.Choose_Rule(1);
        g.value_txt->setText("v");
        g.count_txt->setText("2");
        g.const_file_name->setText(tooLong);
        g.ok->click();
        g.cancel->click();
    };
    EXPECT_EQ(g.Open_Wnd(), 0);
    Import_Wizard import(services);
    import.file_name_required = 1;
    import.whileOpen = [&](SeriesDialog &) {
        import.Choose_Source(2);
        import.ManualEdit->setPlainText("a\nb");
        import.Manual_file_name->setText(tooLong);
        import.ok->click();
        import.cancel->click();
    };
    import.Open_Wnd();
    EXPECT_EQ(testsupport::boxes().take(), (QStringList{refused, refused}));
    EXPECT_EQ(SeriesFile::Names(folder), QStringList{longest});
}

// Export onto another user's link in a shared folder (as /tmp is), as a series or as a
// workbook: refused at once with the words every save road gives, no replace question
// first. As root: the wizard acts as another user.
TEST_F(SeriesWindows, ExportOntoAnotherUsersLinkSaysWhoseItIs)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's links needs root";
    const testsupport::Test_Users_File thesis("thesis.odt", "thesis");
    ASSERT_TRUE(thesis.made());
    BatchWizard wizard(services);
    wizard.Fill_List();
    for (const char *v : {"10", "20"}) wizard.Create_Value_List(v);
    for (const char *name : {"values.txt", "values.xlsx"}) {
        const testsupport::Shared_Folder shared;
        ASSERT_TRUE(shared.plantLink(name, thesis.path()));
        testsupport::queueFilePanelAnswer({shared.filePath(name), QFileInfo(name).suffix()});
        testsupport::boxes().clear();
        {
            const testsupport::Acting_As_Test_User user;
            ASSERT_TRUE(user.acting());
            wizard.Export_Value_Btn_Clicked();
        }
        const QString refused = QString("\nUnable to save the file \"%1\".\n\n\"%2\" in this shared folder is another "
                                        "user's link, which only they can replace. Please choose another name.")
                                    .arg(shared.filePath(name), name);
        EXPECT_EQ(testsupport::boxes().take(), QStringList{refused});
        EXPECT_TRUE(QFileInfo(shared.filePath(name)).isSymLink()) << name;
    }
    EXPECT_EQ(thesis.bytes(), "thesis");
    EXPECT_EQ(exported, QStringList());
}

} // namespace series_windows_test
