// The data-source section driven as a user drives it, and the spreadsheet source window.
#include "AsLoadedAdjuster.h"
#include "BatchWizard.h"
#include "CardValueEngine.h"
#include "Data_From_Excel.h"
#include "DataSourceSection.h"
#include "RenderResources.h"
#include "RenderedSide.h"
#include "SeriesDialogs.h"
#include "Globals.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "ScopedFlag.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Host : DataSourceHost {
    SKTDocument doc;
    QTemporaryDir folder;
    std::vector<SKTGraphic *> selection;
    QStringList events;

    SKTDocument &Source_Document() override { return doc; }
    QString Series_Folder() const override { return folder.path(); }
    SKTGraphic *Source_Selected_Graphic() const override { return selection.empty() ? nullptr : selection.front(); }
    std::vector<SKTGraphic *> Source_Selected_Graphics() const override { return selection; }
    void Source_Change_Begins() override { events << "begin"; }
    void Source_Change_Done() override { events << "done"; }
    void Show_Control_Value(SKTGraphic &g) override { events << "show " + g.Text_Value; }
    void View_Series(const QString &name) override { events << "series " + name; }
    void Open_Spreadsheet_Window() override { events << "spreadsheet"; }
    void Show_Long_Message(const QString &title, const QString &text) override { events << title + "|" + text; }

    void series(const QString &name, const QByteArray &content)
    {
        QFile f(folder.filePath(name + ".txt"));
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    SKTGraphic *add(GraphicKind kind, const QString &text = {})
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->Set_text_value(text);
        doc.graphics().insert(g, doc.graphics().count());
        return g.get();
    }
};

// Picks the item with the text, as a user does with the mouse.
void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << qPrintable(text);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

TEST(DataSourceSection, SeriesShowsItsFirstLineAndManualKeepsTheText)
{
    Host host;
    host.series("Staff", " Ann \nBob");
    host.series("Other", "x");
    SKTGraphic *text = host.add(GraphicKind::Text, "typed");
    host.selection = {text};
    DataSourceSection section(host);
    section.showControl(text);
    EXPECT_FALSE(section.Batch_Series->isEnabled());

    choose(section.Data_source_type, "Series");
    EXPECT_EQ(section.Batch_Series->count(), 2);
    EXPECT_EQ(text->data_source_type, 1);
    EXPECT_EQ(text->Text_Value, "typed");
    host.events.clear();
    choose(section.Batch_Series, "Staff");
    EXPECT_EQ(text->Text_Value, " Ann ");  // the first line as it stands
    EXPECT_EQ(std::make_tuple(text->batch_list_name, text->batch_list_index), std::make_tuple(QString("Staff"), 1));
    EXPECT_EQ(host.events, (QStringList{"begin", "show  Ann ", "done"}));  // one undo step

    choose(section.Data_source_type, "Manual");
    EXPECT_EQ(std::make_tuple(text->data_source_type, text->batch_list_name, text->batch_list_index),
              std::make_tuple(0, QString(""), -1));
    EXPECT_EQ(text->Text_Value, " Ann ");
    EXPECT_FALSE(section.view_series_btn->isEnabled());
}

TEST(DataSourceSection, ColumnWithAnEmptyFirstCellShowsABlank)
{
    Host host;
    host.doc.Add_ColList_Column("Name");
    host.doc.Add_ColList_Column("Town");
    host.doc.Create_List_By_Array({"Ann", ""}, 2);
    SKTGraphic *text = host.add(GraphicKind::Text, "typed");
    host.selection = {text};
    DataSourceSection section(host);
    section.showControl(text);
    ASSERT_EQ(section.Data_source_type->count(), 3);
    choose(section.Data_source_type, "Excel");
    EXPECT_EQ(section.Batch_Series->count(), 3);  // the row number, then the titles
    choose(section.Batch_Series, "Town");
    EXPECT_EQ(text->Text_Value, " ");
    EXPECT_EQ(std::make_tuple(text->data_source_type, text->excel_binding, text->excel_col_indx), std::make_tuple(2, true, 2));
    choose(section.Batch_Series, "S.No.");
    EXPECT_EQ(text->Text_Value, "1");
}

TEST(DataSourceSection, TwoImagesSelectedChangeNothing)
{
    Host host;
    host.series("Photos", "/p/a.png");
    SKTGraphic *a = host.add(GraphicKind::Image), *b = host.add(GraphicKind::Image);
    host.selection = {a, b};
    DataSourceSection section(host);
    section.showControl(a);
    testsupport::boxes().clear();
    choose(section.Data_source_type, "Series");
    choose(section.Batch_Series, "Photos");
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains("Please select only one image control to 'Select Image'.")) << qPrintable(shown[0]);
    for (SKTGraphic *g : {a, b}) EXPECT_EQ(std::make_tuple(g->data_source_type, g->batch_list_index), std::make_tuple(0, 0));
    EXPECT_TRUE(host.events.isEmpty());

    host.selection = {a};
    choose(section.Batch_Series, "Photos");
    EXPECT_EQ(a->_file_path, "/p/a.png");
    EXPECT_EQ(a->Text_Value, "/p/a.png");
}

TEST(DataSourceSection, LockedTextsAndBarcodesKeepTheirBinding)
{
    Host host;
    host.series("Staff", "Ann");
    SKTGraphic *open = host.add(GraphicKind::Text, "a");
    SKTGraphic *locked = host.add(GraphicKind::Text, "b");
    locked->ctrl_is_locked = true;
    SKTGraphic *barcode = host.add(GraphicKind::Barcode);
    host.selection = {open, locked, barcode};
    DataSourceSection section(host);
    section.showControl(open);
    choose(section.Data_source_type, "Series");
    choose(section.Batch_Series, "Staff");
    EXPECT_EQ(open->Text_Value, "Ann");
    EXPECT_EQ(std::make_tuple(locked->data_source_type, locked->Text_Value), std::make_tuple(0, QString("b")));
    EXPECT_EQ(barcode->data_source_type, 0);
}

TEST(DataSourceSection, NothingWhileThePanelIsFilledOrNothingSelected)
{
    Host host;
    host.series("Staff", "Ann");
    SKTGraphic *text = host.add(GraphicKind::Text, "typed");
    DataSourceSection section(host);
    section.Change_Data_Source_To_selected_Control(1, "Staff", 0);  // nothing selected
    host.selection = {text};
    {
        const Scoped_Flag filling(Not_Draw_Only_Prop_Change);
        section.Change_Data_Source_To_selected_Control(1, "Staff", 0);
    }
    EXPECT_EQ(std::make_tuple(text->data_source_type, text->Text_Value), std::make_tuple(0, QString("typed")));
    EXPECT_TRUE(host.events.isEmpty());
}

TEST(DataSourceSection, ExcelIsAddedOnceAndRemovedOnce)
{
    QComboBox combo;
    struct Step {
        QStringList before;
        bool add;
        int after;
    };
    for (const Step &s : std::vector<Step>{{{"Manual", "Series"}, true, 3},
                                           {{"Manual", "Series", "Excel"}, true, 3},
                                           {{"Manual"}, true, 1},
                                           {{"Manual", "Series", "Excel"}, false, 2},
                                           {{"Manual", "Series"}, false, 2}}) {
        combo.clear();
        combo.addItems(s.before);
        if (s.add) DataSourceSection::Add_Excel_Col_Name_In_Combo(&combo);
        else DataSourceSection::Remove_Excel_Col_Name_In_Combo(&combo);
        EXPECT_EQ(combo.count(), s.after) << qPrintable(s.before.join(","));
    }
    EXPECT_EQ(combo.itemText(1), "Series");
}

TEST(DataSourceSection, ExcelOfferedOnlyWhileASpreadsheetIsLoaded)
{
    Host host;
    SKTGraphic *text = host.add(GraphicKind::Text);
    DataSourceSection section(host);
    section.showControl(text);
    EXPECT_EQ(section.Data_source_type->count(), 2);
    host.doc.Add_ColList_Column("Name");
    section.showControl(text);
    EXPECT_EQ(section.Data_source_type->count(), 3);
    host.doc.Remove_ColList_Data_Columns();
    section.showControl(text);
    EXPECT_EQ(section.Data_source_type->count(), 2);
}

TEST(DataSourceSection, ViewAndHelpButtons)
{
    Host host;
    host.series("Staff", "Ann");
    host.doc.Add_ColList_Column("Name");
    SKTGraphic *text = host.add(GraphicKind::Text);
    host.selection = {text};
    DataSourceSection section(host);
    section.showControl(text);
    QTest::mouseClick(section.view_series_btn, Qt::LeftButton);  // Manual: nothing
    choose(section.Data_source_type, "Series");
    testsupport::boxes().clear();
    host.events.clear();
    section.View_batch_Series_Button();
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("Please select the series."));
    choose(section.Batch_Series, "Staff");
    host.events.clear();
    QTest::mouseClick(section.view_series_btn, Qt::LeftButton);
    choose(section.Data_source_type, "Excel");
    host.events.clear();
    QTest::mouseClick(section.view_series_btn, Qt::LeftButton);
    QTest::mouseClick(section.help_btn, Qt::LeftButton);
    EXPECT_EQ(host.events, (QStringList{"spreadsheet",
                                        "Batch Processing Settings Help :|Select Data Source as 'Manual' to enter value "
                                        "manually.\nSelect 'Series' to fetch the value from the list of existing Batch "
                                        "Processing Series.\nSelect 'Excel' to fetch the value from the selected excel file."}));
}

TEST(DataSourceSection, ViewOfAChosenSeries)
{
    Host host;
    host.series("Staff", "Ann");
    SKTGraphic *text = host.add(GraphicKind::Text);
    host.selection = {text};
    DataSourceSection section(host);
    section.showControl(text);
    choose(section.Data_source_type, "Series");
    choose(section.Batch_Series, "Staff");
    host.events.clear();
    QTest::mouseClick(section.view_series_btn, Qt::LeftButton);
    EXPECT_EQ(host.events, QStringList{"series Staff"});
    // Shown again, the control's series is the one chosen.
    section.showControl(text);
    EXPECT_EQ(section.Batch_Series->currentText(), "Staff");
}

// A spreadsheet's "Unicode text" (UTF-16 with its mark, CR LF) and a Notepad series
// (Windows-1252, CR alone) read as they were written: in the wizard's and the viewer's
// lists, as the first value a bound control shows, and on card N.
TEST(DataSourceSection, UnicodeTextAndNotepadSeriesShowTheirLetters)
{
    Host host;
    QByteArray unicode("\xFF\xFE");
    for (const QChar c : QString::fromUtf8("Ann\r\nG\xc3\xb6tz\r\n\xe2\x82\xac 5\r\n"))
        unicode += char(c.unicode() & 0xFF), unicode += char(c.unicode() >> 8);
    host.series("Unicode", unicode);
    host.series("Notepad", "\x93Hi\x94\r\x80 5\r");
    const QStringList unicodeValues{"Ann", QString::fromUtf8("G\xc3\xb6tz"), QString::fromUtf8("\xe2\x82\xac 5")};
    const QStringList notepadValues{QString::fromUtf8("\xe2\x80\x9cHi\xe2\x80\x9d"), QString::fromUtf8("\xe2\x82\xac 5")};

    // The series lists.
    SeriesServices services;
    services.folder = host.folder.path();
    BatchWizard wizard(services);
    wizard.Fill_List();
    ASSERT_EQ(wizard.seriesNames(), (QStringList{"Notepad", "Unicode"}));
    for (int row : {0, 1}) {
        wizard.List->clearSelection();
        wizard.List->item(row)->setSelected(true);
        wizard.On_Update();
        QStringList shown;
        for (int i = 0; i < wizard.List_value->count(); ++i) shown << wizard.List_value->item(i)->text();
        EXPECT_EQ(shown, row == 0 ? notepadValues : unicodeValues);
    }
    View_Data_Series viewer(host.folder.path());
    viewer.Load("Unicode");
    EXPECT_EQ(viewer.list_count->text(), "Total Rows : 3");
    EXPECT_EQ(viewer.List->item(1)->text(), unicodeValues.at(1));

    // Bound to the series, the control shows its first value.
    SKTGraphic *text = host.add(GraphicKind::Text, "typed");
    text->_bounds = QRectF(10, 10, 200, 40);
    text->ctrl_is_visible = true;
    host.selection = {text};
    DataSourceSection section(host);
    section.showControl(text);
    choose(section.Data_source_type, "Series");
    choose(section.Batch_Series, "Unicode");
    EXPECT_EQ(text->Text_Value, "Ann");

    // Card 2 shows the second value.
    CardValueEngine engine(host.folder.path());
    engine.Check_Series_Or_Excel_Use_or_not(host.doc);
    ASSERT_EQ(engine.Total_Batch_Excel_Card(), 3);
    const RenderResources resources = Application_Render_Resources(asLoaded());
    engine.Create_Design_Backup_Array(host.doc, resources);
    const RenderedSide card = engine.Set_data_table_value_to_card(1, Card_Side::Front);
    ASSERT_FALSE(card.isNull());
    const QString shots = qEnvironmentVariable("SERIES_SHOTS");
    if (!shots.isEmpty()) Rendered_Side_Image(card, 144).save(QDir(shots).filePath("unicode-series-card-2.png"));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = host.folder.filePath("card2.pdf");
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Rendered_Side_PDF(card));
    f.close();
    QProcess reader;
    reader.setWorkingDirectory(host.folder.path());
    reader.start(pdftotext, {pdf, "-"});
    ASSERT_TRUE(testsupport::checkerFinished(reader));
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()).trimmed(), unicodeValues.at(1));
}

TEST(SpreadsheetWindow, ShowsTheCounts)
{
    struct Case {
        int columns, rows;
        QString rowLabel, columnLabel;
    };
    for (const Case &c : std::vector<Case>{{3, 2, "2", "4"}, {0, 0, "0", "1"}, {1, 5, "5", "2"}}) {
        SKTDocument doc;
        for (int k = 0; k < c.columns; ++k) doc.Add_ColList_Column(QString("T%1").arg(k));
        for (int r = 0; r < c.rows; ++r) doc.Create_List_By_Array(QStringList(c.columns, "v"), c.columns);
        testsupport::ScriptedRunner runner;
        Data_From_Excel window(doc, nullptr, &runner);
        QString rows, columns, header;
        int tableRows = -1;
        runner.whileOpen<Data_From_Excel>([&](Data_From_Excel &w) {
            rows = w.rows_count->text();
            columns = w.column_count->text();
            tableRows = w.ColList->model()->rowCount();
            header = w.ColList->model()->headerData(c.columns, Qt::Horizontal).toString();
            QTest::mouseClick(w.ok, Qt::LeftButton);
        });
        EXPECT_EQ(window.Open_Wnd(), 1);
        runner.remove<Data_From_Excel>();
        EXPECT_EQ(rows, c.rowLabel);
        EXPECT_EQ(columns, c.columnLabel);
        EXPECT_EQ(tableRows, c.rows);
        EXPECT_EQ(header, c.columns ? QString("T%1").arg(c.columns - 1) : QString("S.No."));
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(SpreadsheetWindow, FollowsTheSelectedRow)
{
    SKTDocument doc;
    doc.Add_ColList_Column("Name");
    for (const char *n : {"Ann", "Bob", "Cy"}) doc.Create_List_By_Array({n}, 1);
    testsupport::ScriptedRunner runner;
        Data_From_Excel window(doc, nullptr, &runner);
    int selected = -2;
    QString cell;
    runner.whileOpen<Data_From_Excel>([&](Data_From_Excel &w) {
        doc.Mark_List_New_Selection(2);
        const QModelIndexList rows = w.ColList->selectionModel()->selectedRows();
        selected = rows.size() == 1 ? rows.front().row() : -1;
        cell = w.ColList->model()->index(2, 1).data().toString();
        w.OK_Click();
    });
    window.Open_Wnd();
    runner.remove<Data_From_Excel>();
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(cell, "Cy");
}

TEST(DataSourceSection, AColumnBindingWithoutASpreadsheetShowsManual)
{
    Host host;
    SKTGraphic *text = host.add(GraphicKind::Text);
    text->Set_Data_source_type(2);
    text->Set_Excel_binding_Index(1);
    DataSourceSection section(host);
    section.showControl(text);
    EXPECT_EQ(section.Data_source_type->currentIndex(), 0);
    EXPECT_EQ(text->data_source_type, 2);  // showing changes nothing
}

TEST(DataSourceSection, RefreshingTheValueCombos)
{
    Host host;
    host.series("B", "1");
    host.doc.Add_ColList_Column("Name");
    DataSourceSection section(host);
    QComboBox source, value;
    source.addItems({"Manual", "Series", "Excel"});
    // Excel chosen: the column titles are filled again through the selection handler.
    int refills = 0;
    QObject::connect(&source, &QComboBox::currentIndexChanged, [&](int i) {
        if (i == 2) {
            ++refills;
            section.Fill_Excel_Col_Name_In_Combo(&value);
        }
    });
    source.setCurrentIndex(2);
    host.doc.Add_ColList_Column("Town");
    section.Update_Excel_Column_If_Datasource_Is_Excel(&source);
    EXPECT_EQ(refills, 2);
    EXPECT_EQ(value.count(), 3);
    EXPECT_EQ(value.itemText(2), "Town");
    source.setCurrentIndex(1);
    section.Update_Excel_Column_If_Datasource_Is_Excel(&source);
    source.removeItem(2);
    section.Update_Excel_Column_If_Datasource_Is_Excel(&source);
    section.Update_Excel_Column_If_Datasource_Is_Excel(nullptr);
    EXPECT_EQ(refills, 2);

    // Series chosen: the names are read again and the choice kept.
    value.clear();
    value.addItems({"B", "Gone"});
    value.setCurrentIndex(0);
    host.series("A", "1");
    section.Update_Dataset_If_Datasource_Is_Series(&source, &value);
    EXPECT_EQ(value.count(), 2);
    EXPECT_EQ(value.itemText(0), "A");
    EXPECT_EQ(value.currentText(), "B");
    source.setCurrentIndex(0);
    host.series("C", "1");
    section.Update_Dataset_If_Datasource_Is_Series(&source, &value);
    EXPECT_EQ(value.count(), 2);
}
