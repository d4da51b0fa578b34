// The series commands of the desk bar, tried as a user goes: a series generated,
// edited, renamed and exported; a CSV list and a workbook imported into series; a text
// bound to a series shows its first value.
#include "../Checkers.h"
#include "BatchWizard.h"
#include "CardValues.h"
#include "DataSourceSection.h"
#include "Generate_List.h"
#include "Globals.h"
#include "Helpers.h"
#include "Import_Wizard.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SeriesDialogs.h"
#include "SeriesFile.h"
#include "Series_Commands.h"
#include "SheetImport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QToolBar>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace series_commands_test {

namespace {

// The series commands on a desk bar over a design, with the data-source section of the
// property panel, in the series folder of the per-user data.
struct SeriesDesk : DataSourceHost {
    SKTDocument document;
    QMainWindow window;
    QToolBar *deskBar = window.addToolBar("Desk");
    std::vector<SKTGraphic *> selection;
    std::unique_ptr<DataSourceSection> section;
    Card_Values values{document, [] { return Data_Folder_Path; }};
    std::unique_ptr<Series_Commands> commands;

    SeriesDesk()
    {
        Data_Folder_Path = Created_Resource_Path + QStringLiteral("DataSet");
        Create_Folder(Data_Folder_Path);
        section = std::make_unique<DataSourceSection>(*this);
        commands = std::make_unique<Series_Commands>(values, &window, [] { return Data_Folder_Path; }, Resource_Path,
                                                     section.get());
        commands->Add_Buttons(deskBar);
    }
    GraphicPtr add(GraphicKind kind, QRectF r)
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->setBounds(r);
        document.graphics().insert(g);
        return g;
    }

    SKTDocument &Source_Document() override { return document; }
    QString Series_Folder() const override { return Data_Folder_Path; }
    SKTGraphic *Source_Selected_Graphic() const override { return selection.empty() ? nullptr : selection.front(); }
    std::vector<SKTGraphic *> Source_Selected_Graphics() const override { return selection; }
    void Source_Change_Begins() override {}
    void Source_Change_Done() override {}
    void Show_Control_Value(SKTGraphic &) override {}
    void View_Series(const QString &name) override { commands->View_Series_Window(name); }
    void Open_Spreadsheet_Window() override {}
    void Show_Long_Message(const QString &, const QString &) override {}
};

void shot(QWidget &w, const char *name)
{
    const QString folder = qEnvironmentVariable("SERIES_SHOTS");
    if (!folder.isEmpty()) w.grab().save(QDir(folder).filePath(QStringLiteral("23-%1.png").arg(QLatin1String(name))));
}

// Runs `act` on the modal window the command opens, then triggers the command.
template <typename Window>
void onModal(QAction *command, std::function<void(Window &)> act)
{
    ASSERT_TRUE(command);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *w = qobject_cast<Window *>(QApplication::activeModalWidget());
        ASSERT_TRUE(w);
        seen = true;
        act(*w);
        if (w->isVisible()) w->reject();
    });
    command->trigger();
    EXPECT_TRUE(seen);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(SeriesCommands, GenerateEditRenameExportImportAndBind)
{
    SeriesDesk w;
    QAction *batch = w.deskBar->findChild<QAction *>("BatchSeries");
    onModal<BatchWizard>(batch, [&](BatchWizard &wizard) {
        wizard.generator().whileOpen = [](SeriesDialog &d) {
            auto &g = static_cast<Generate_List &>(d);
            g.seq_file_name->setText("Numbers");
            g.from_txt->setText("001");
            g.to_txt->setText("100");
            g.manage_digit_chk->setChecked(true);
            g.ok->click();
        };
        wizard.CreateSeries_Btn_Clicked();
        wizard.List->setCurrentRow(0);
        wizard.On_Update();
        wizard.List_value->setCurrentRow(0);
        wizard.Update_Value_Wnd().whileOpen = [](SeriesDialog &d) {
            static_cast<Update_Ex_Num &>(d).m_ex_num_str->setText("A-001");
            static_cast<Update_Ex_Num &>(d).ok->click();
        };
        wizard.OnGetSelected();
        wizard.batch_list_name->setText("Badges");
        shot(wizard, "tour-wizard-edited");
        wizard.Save_Btn_Clicked();
        wizard.List->setCurrentRow(0);
        wizard.On_Update();
        const QString xlsx = testsupport::testHome() + "/Badges.xlsx";
        testsupport::queueFilePanelAnswer({xlsx});
        wizard.Export_Value_Btn_Clicked();
        EXPECT_TRUE(QFile::exists(xlsx));
        if (!qEnvironmentVariable("SERIES_SHOTS").isEmpty())
            QFile::copy(xlsx, QDir(qEnvironmentVariable("SERIES_SHOTS")).filePath("23-Badges.xlsx"));
        wizard.Close_Btn_Clicked();
    });
    EXPECT_EQ(SeriesFile::Names(Data_Folder_Path), QStringList{"Badges"});
    EXPECT_TRUE(readAll(SeriesFile::Path(Data_Folder_Path, "Badges")).startsWith("A-001\n002\n"));

    // A CSV list into a series.
    const QString csv = testsupport::testHome() + "/cities.csv";
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Oslo,\"Rome, Italy\"\r\nNice\r\n");
    f.close();
    QAction *import = w.deskBar->findChild<QAction *>("ImportList");
    onModal<Import_Wizard>(import, [&](Import_Wizard &wizard) {
        wizard.Choose_Source(1);
        wizard.Text_file_name->setText("Cities");
        wizard.Text_path->setText(csv);
        shot(wizard, "tour-import-csv");
        wizard.ok->click();
    });
    EXPECT_EQ(readAll(SeriesFile::Path(Data_Folder_Path, "Cities")), QByteArray("Oslo\nRome, Italy\nNice\n"));

    // A workbook's columns into series.
    if (checkers::hasOpenpyxl()) {
        const QString book = testsupport::testHome() + "/staff.xlsx";
        ASSERT_EQ(checkers::python("import sys, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
                                   "for r in [['Name', 'Dept'], ['Ann', 'Sales'], ['Bob', 'Stock']]: ws.append(r)\n"
                                   "wb.save(sys.argv[1])",
                                   {book}),
                  "");
        onModal<Import_Wizard>(import, [&](Import_Wizard &wizard) {
            wizard.Excel_path->setText(book);
            wizard.columnsWindow().whileOpen = [&](SeriesDialog &) {
                Import_Excel_DataSheet &c = wizard.columnsWindow();
                c.Select_ALL_Pressed();
                shot(c, "tour-import-workbook");
                c.ok->click();
            };
            wizard.ok->click();
        });
        EXPECT_EQ(readAll(SeriesFile::Path(Data_Folder_Path, "Dept")), QByteArray("Sales\nStock\n"));
    }

    // A text bound to the series shows its first value.
    GraphicPtr text = w.add(GraphicKind::Text, QRectF(20, 20, 120, 24));
    text->Set_text_value("typed");
    w.selection = {text.get()};
    w.section->Show_Data_Source_Of(text.get());
    DataSourceSection &section = *w.section;
    section.Data_source_type->setCurrentIndex(1);
    emit section.Data_source_type->activated(1);
    const int badges = section.Batch_Series->findText("Badges");
    ASSERT_GE(badges, 0);
    section.Batch_Series->setCurrentIndex(badges);
    emit section.Batch_Series->activated(badges);
    EXPECT_EQ(text->Text_Value, "A-001");
    section.resize(400, 300);
    shot(section, "tour-bound-text");
}

TEST(SeriesCommands, ANewSeriesIsListedAtOnceWithTheChoiceKept)
{
    SeriesDesk w;
    for (const char *name : {"A", "B"}) ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(Data_Folder_Path, name), {"1"}));
    DataSourceSection &section = *w.section;
    section.Data_source_type->setCurrentIndex(1);  // "Series"
    section.Fill_Data_Set_File_Name_In_Combo(section.Batch_Series);
    section.Batch_Series->setCurrentIndex(1);  // B
    // The list is refilled with the change handlers quiet.
    std::vector<int> flagWhileFilled;
    QObject::connect(section.Batch_Series->model(), &QAbstractItemModel::rowsInserted,
                     [&] { flagWhileFilled.push_back(Not_Draw_Only_Prop_Change); });
    QAction *create = w.deskBar->findChild<QAction *>("CreateSeries");
    onModal<Generate_List>(create, [&](Generate_List &g) {
        g.seq_file_name->setText("AA");
        g.from_txt->setText("1");
        g.to_txt->setText("3");
        g.ok->click();
    });
    QStringList items;
    for (int i = 0; i < section.Batch_Series->count(); ++i) items << section.Batch_Series->itemText(i);
    EXPECT_EQ(items, QStringList({"A", "AA", "B"}));
    EXPECT_EQ(section.Batch_Series->currentText(), "B");
    EXPECT_EQ(flagWhileFilled, std::vector<int>({1}));
    EXPECT_EQ(Not_Draw_Only_Prop_Change, 0);

    struct Row {
        int source;          // the data-source list's choice
        QString selected;    // the series chosen before
        QString named;       // the name given to the refresh
        QStringList expected;
        QString current;
    };
    ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(Data_Folder_Path, "C"), {"1"}));
    const Row rows[] = {
        {0, "A", "", {"A", "AA", "B", "C"}, "A"},   // "Manual" refreshes too
        {1, "", "", {"A", "AA", "B", "C"}, ""},     // nothing chosen: nothing chosen after
        {2, "B", "", {"A", "AA", "B"}, "B"},        // "Excel": the list stays as it was
    };
    DataSourceSection::Add_Excel_Col_Name_In_Combo(section.Data_source_type);
    for (const Row &r : rows) {
        section.Fill_Data_Set_File_Name_In_Combo(section.Batch_Series);
        section.Batch_Series->removeItem(section.Batch_Series->findText("C"));  // a refresh brings it back
        section.Batch_Series->setCurrentIndex(section.Batch_Series->findText(r.selected));
        {
            const QSignalBlocker block(section.Data_source_type);
            section.Data_source_type->setCurrentIndex(r.source);
        }
        w.commands->Refresh_All_Series_Combobox();
        QStringList now;
        for (int i = 0; i < section.Batch_Series->count(); ++i) now << section.Batch_Series->itemText(i);
        EXPECT_EQ(now, r.expected) << r.source;
        EXPECT_EQ(section.Batch_Series->currentText(), r.current) << r.source;
    }
    // A given name is chosen; a series folder gone leaves the list empty and the flag down.
    w.commands->Refresh_Data_Set_File_Name_In_Combo(section.Batch_Series, "C");
    EXPECT_EQ(section.Batch_Series->currentText(), "C");
    const QString folder = Data_Folder_Path;
    Data_Folder_Path = testsupport::testHome() + "/no such folder";
    {
        const QSignalBlocker block(section.Data_source_type);
        section.Data_source_type->setCurrentIndex(1);
    }
    w.commands->Refresh_All_Series_Combobox();
    EXPECT_EQ(section.Batch_Series->count(), 0);
    EXPECT_EQ(Not_Draw_Only_Prop_Change, 0);
    Data_Folder_Path = folder;
}

} // namespace

namespace {
TEST(SeriesCommands, TheWizardIsKeptWhileTheSeriesFolderStays)
{
    SeriesDesk w;
    const QString first = Data_Folder_Path;
    const QString second = testsupport::testHome() + "/Other series";
    ASSERT_TRUE(Create_Folder(second));
    ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(first, "One"), {"1"}));
    ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(second, "Two"), {"2"}));
    QAction *batch = w.deskBar->findChild<QAction *>("BatchSeries");
    struct Row {
        QString folder;
        QStringList listed;
        bool sameWindow;  // the window of the row before, else that one is gone
    } rows[] = {
        {first, {"One"}, true},
        {second, {"Two"}, false},  // another folder: a wizard of its own
        {second, {"Two"}, true},
    };
    QPointer<BatchWizard> before;
    onModal<BatchWizard>(batch, [&](BatchWizard &wizard) {
        before = &wizard;
        EXPECT_EQ(wizard.seriesNames(), QStringList{"One"});
    });
    for (size_t i = 0; i < std::size(rows); ++i) {
        Data_Folder_Path = rows[i].folder;
        QPointer<BatchWizard> seen;
        onModal<BatchWizard>(batch, [&](BatchWizard &wizard) {
            seen = &wizard;
            EXPECT_EQ(wizard.seriesNames(), rows[i].listed) << "row " << i;
        });
        EXPECT_EQ(!before.isNull(), rows[i].sameWindow) << "row " << i;
        if (rows[i].sameWindow) {
            EXPECT_EQ(seen.data(), before.data()) << "row " << i;
        }
        before = seen;
    }
}
} // namespace

} // namespace series_commands_test
