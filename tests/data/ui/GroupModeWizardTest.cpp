// The group-mode wizard and its project tree driven through their pages with scripted
// answers; the workbook is written by openpyxl.
#include "../Checkers.h"
#include "GroupProjectStore.h"
#include "Group_Mode_Wizard.h"
#include "Group_Project_Tree.h"
#include "SeriesDialogs.h"
#include "Template_Gallery.h"
#include "ZipArchive.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "QStringPrinter.h"
inline void PrintTo(const QStringList &l, std::ostream *os) { *os << l.join(" | ").toStdString(); }

namespace group_mode_wizard_test {

namespace {

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void preview(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(80, 50, QImage::Format_RGB32);
    image.fill(Qt::gray);
    ASSERT_TRUE(image.save(path));
}

// Saves a picture of the wizard when GROUP_SHOTS names a folder (a tour by hand).
void shot(QWidget &w, const char *name)
{
    const QString folder = qEnvironmentVariable("GROUP_SHOTS");
    if (!folder.isEmpty()) w.grab().save(QDir(folder).filePath(QStringLiteral("wizard-%1.png").arg(name)));
}

struct GroupWizard : ::testing::Test {
    QTemporaryDir tmp;
    QString data = tmp.path() + "/data/";
    QString templates = tmp.path() + "/Templates";
    QString book = tmp.path() + "/people.xlsx";
    QStringList opened, loaded;
    QList<Group_Project> finished;
    bool loadAnswer = true;
    bool openAnswer = true;

    void SetUp() override
    {
        preview(templates + "/Corporate/Badge.png");
        touch(templates + "/Corporate/Badge.zcd");
        testsupport::boxes().clear();
    }
    Group_Wizard_Services services()
    {
        Group_Wizard_Services s;
        s.dataFolder = data;
        s.templatesFolder = templates;
        s.userTemplatesFolder = data + "Templates/User";
        s.captions = [] { return QStringList{"Name :", "Position / Title :"}; };
        s.openProject = [this](const QString &p) {
            opened << p;
            return openAnswer;
        };
        s.loadTemplate = [this](const QString &p) {
            loaded << p;
            return loadAnswer;
        };
        s.finishProject = [this](const Group_Project &p) { finished << p; };
        return s;
    }
    bool makeBook()
    {
        if (!checkers::hasOpenpyxl()) return false;
        return checkers::python("import sys, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
                                "for r in [['Name', 'Title', 'Photo'], ['Ann', 'Boss', '/p/ann.png'], ['Bob', 'Clerk', ''],"
                                " [None, None, None], ['Cy', 'Cook', '/p/cy.png'], ['Di', 'Driver', ''], ['Ed', 'Editor', '']]:"
                                " ws.append(r)\n"
                                "wb.save(sys.argv[1])",
                                {book})
            .isEmpty();
    }
    // An xlsx package whose sheet part is cut short.
    static void brokenBook(const QString &path)
    {
        const QString root = QFileInfo(path).absolutePath() + "/broken-parts";
        touch(root + "/xl/workbook.xml", "<workbook><sheets><sheet name=\"S\"/></sheets></workbook>");
        touch(root + "/xl/worksheets/sheet1.xml", "<worksheet><sheetData><row><c r=\"A1\"><v>1");
        QFile::remove(path);
        ASSERT_TRUE(ZipArchive::createZipFileAtPath(path, {root + "/xl"}));
    }
    static QStringList items(QComboBox *c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        return out;
    }
};

TEST_F(GroupWizard, EveryMessageOfThePages)
{
    ASSERT_TRUE(makeBook()) << "openpyxl missing";
    touch(data + "Group_Excel_Data/All/Taken.zcd");
    QDir().mkpath(data + "Templates/User");
    Group_Mode_Wizard w(services());
    struct Step {
        std::function<void()> act;
        const char *message;
    };
    QStringList shown;
    w.whileOpen = [&](SeriesDialog &) {
        w.View_Excel_Btn_Clicked();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nThere is no excel data to view."});
        // A store with a project opens on opening one, its first project selected.
        EXPECT_EQ(w.new_or_open_or_log, 1);
        EXPECT_EQ(w.tree->Get_Selected_Project_Path(), data + "Group_Excel_Data/All/Taken.zcd");
        const Step steps[] = {
            {[&] { w.tree->selectRow(0); }, "Please select project."},
            {[&] { w.open_log_btn->click(); }, "Please browse valid log file."},
            {[&] { w.log_path->setText(book); }, "Please browse valid log file."},
            {[&] { w.start_new_btn->click(); w.proj_name->setText("  "); }, "Please enter project name."},
            {[&] { w.proj_name->setText(".."); }, "Please enter project name."},
            {[&] { w.proj_name->setText("Staff"); w.proj_path->setCurrentIndex(-1); }, "Please select project path."},
            {[&] { w.proj_path->setCurrentIndex(0); }, "Please select excel file."},
            {[&] { w.excel_path->setText(tmp.path() + "/missing.xlsx"); }, "Please select excel file."},
            {[&] { w.excel_path->setText(book); w.proj_name->setText("Taken"); }, "Project name already exist."},
            {[&] { w.proj_name->setText("Staff"); w.ok_btn->click(); w.gallery->cat_cmbo_bx->setCurrentIndex(1); },
             "Please select template."},
            {[&] { w.gallery->cat_cmbo_bx->setCurrentIndex(0); w.ok_btn->click(); },
             "Default column should not be 'None'."},
            // A broken workbook: named when the column page opens, and again at OK.
            {[&] {
                 brokenBook(tmp.path() + "/broken.xlsx");
                 w.back_btn->click();
                 w.back_btn->click();
                 w.excel_path->setText(tmp.path() + "/broken.xlsx");
                 w.ok_btn->click();
             },
             "Either file is corrupted or selected file contains invalid characters."},
            {[&] { EXPECT_EQ(testsupport::boxes().take().size(), 0); }, "Default column should not be 'None'."},
        };
        for (const Step &s : steps) {
            s.act();
            w.ok_btn->click();
            shown << testsupport::boxes().take().join("|").trimmed();
            EXPECT_EQ(shown.back(), QString::fromLatin1(s.message));
        }
        EXPECT_EQ(w.next_counter, 2);
        w.cancel_btn->click();
    };
    EXPECT_EQ(w.Open_Wnd(), 0);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(loaded.isEmpty());
    EXPECT_TRUE(finished.isEmpty());
}

TEST_F(GroupWizard, NewProjectThroughThePages)
{
    ASSERT_TRUE(makeBook()) << "openpyxl missing";
    Group_Mode_Wizard w(services());
    w.whileOpen = [&](SeriesDialog &) {
        // An empty store: "All" alone, and the page starts on a new project.
        EXPECT_EQ(w.tree->rowCount(), 1);
        EXPECT_EQ(w.new_or_open_or_log, 0);
        EXPECT_EQ(w.proj_name->text(), "MyProject");
        EXPECT_EQ(items(w.proj_path), QStringList{"All"});
        w.proj_name->setText("Staff");
        w.excel_path->setText(book);
        shot(w, "1-project");
        w.ok_btn->click();
        EXPECT_EQ(w.next_counter, 1);
        shot(w, "2-template");
        w.ok_btn->click();
        ASSERT_EQ(w.next_counter, 2);
        EXPECT_EQ(w.Pass_proj_name->text(), "Staff");
        EXPECT_EQ(w.Pass_proj_path->text(), "All");
        EXPECT_EQ(items(w.Sheet_ComboBox), QStringList{"sheet1"});
        EXPECT_EQ(items(w.columnCombos[0]), (QStringList{"None", "Name", "Title", "Photo"}));
        EXPECT_EQ(items(w.columnCombos[11]), (QStringList{"None", "Name", "Title", "Photo"}));
        EXPECT_EQ(w.labels[0]->text(), "Name :");
        w.columnCombos[0]->setCurrentIndex(1);
        w.columnCombos[10]->setCurrentIndex(3);
        // Back and forward again: the workbook stays, every choice is "None" again.
        w.back_btn->click();
        EXPECT_EQ(w.next_counter, 1);
        w.ok_btn->click();
        EXPECT_EQ(w.Pass_excel_file->text(), book);
        EXPECT_EQ(w.excel_content().size(), 7);
        for (QComboBox *c : w.columnCombos) EXPECT_EQ(c->currentIndex(), 0);
        w.columnCombos[0]->setCurrentIndex(1);
        w.columnCombos[1]->setCurrentIndex(2);
        w.columnCombos[10]->setCurrentIndex(3);
        shot(w, "3-columns");
        w.ok_btn->click();
    };
    EXPECT_EQ(w.Open_Wnd(), 1);
    EXPECT_EQ(loaded, QStringList{templates + "/Corporate/Badge.zcd"});
    ASSERT_EQ(finished.size(), 1);
    const Group_Project &p = finished.front();
    EXPECT_EQ(p.name, "Staff");
    EXPECT_EQ(p.folder, "All");
    EXPECT_EQ(p.designPath, data + "Group_Excel_Data/All/Staff.zcd");
    EXPECT_EQ(p.workbook, book);
    EXPECT_EQ(p.templatePath, templates + "/Corporate/Badge.zcd");
    EXPECT_EQ(p.sheetNumber, 1);
    EXPECT_TRUE(p.header);
    EXPECT_EQ(p.sheet.size(), 7);
    DesignColumnChoices expected;
    expected.excel_cb_value1 = 1;
    expected.excel_cb_value2 = 2;
    expected.excel_cb_value11 = 3;
    EXPECT_EQ(p.columns, expected) << "\"None\" is -1";
}

TEST_F(GroupWizard, SecondSheetWithoutHeader)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
    ASSERT_EQ(checkers::python("import sys, openpyxl\nwb = openpyxl.Workbook(); wb.active.append(['Name', 'Title'])\n"
                               "ws = wb.create_sheet('People')\n"
                               "for r in [['Ann', 'Paris', '/p/a.png'], ['Bob', 'Rome', '']]: ws.append(r)\n"
                               "wb.save(sys.argv[1])",
                               {book}),
              "");
    Group_Mode_Wizard w(services());
    w.whileOpen = [&](SeriesDialog &) {
        w.proj_name->setText("Two");
        w.excel_path->setText(book);
        w.ok_btn->click();
        w.ok_btn->click();
        EXPECT_EQ(items(w.Sheet_ComboBox), (QStringList{"sheet1", "sheet2"}));
        EXPECT_EQ(items(w.columnCombos[0]), (QStringList{"None", "Name", "Title"}));
        w.columnCombos[0]->setCurrentIndex(2);
        emit w.Sheet_ComboBox->activated(1);
        EXPECT_EQ(items(w.columnCombos[0]), (QStringList{"None", "Ann", "Paris", "/p/a.png"}));
        EXPECT_EQ(w.columnCombos[0]->currentIndex(), 0) << "a new sheet starts from \"None\"";
        w.columnCombos[0]->setCurrentIndex(1);
        w.columnCombos[11]->setCurrentIndex(3);
        w.contains_header->setChecked(false);
        w.ok_btn->click();
    };
    EXPECT_EQ(w.Open_Wnd(), 1);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.front().sheetNumber, 2);
    EXPECT_FALSE(finished.front().header);
    EXPECT_EQ(finished.front().sheet, (SheetRows{{"Ann", "Paris", "/p/a.png"}, {"Bob", "Rome", ""}}));
    EXPECT_EQ(finished.front().columns.excel_cb_value12, 3);
    EXPECT_EQ(finished.front().columns.excel_cb_value11, -1);
}

TEST_F(GroupWizard, TemplateThatFailsToLoadKeepsTheWizardOpenAndNamesStayInside)
{
    ASSERT_TRUE(makeBook()) << "openpyxl missing";
    loadAnswer = false;
    Group_Mode_Wizard w(services());
    w.whileOpen = [&](SeriesDialog &) {
        w.proj_name->setText("../x");
        w.excel_path->setText(book);
        w.ok_btn->click();
        w.ok_btn->click();
        w.columnCombos[0]->setCurrentIndex(1);
        w.ok_btn->click();
        EXPECT_EQ(w.next_counter, 2) << "still on the column page";
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.final_grp_design_path, data + "Group_Excel_Data/All/.._x.zcd");
        w.back_btn->click();
        w.back_btn->click();
        w.back_btn->click();  // Back on the project page is Cancel
    };
    EXPECT_EQ(w.Open_Wnd(), 0);
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_TRUE(finished.isEmpty());
}

TEST_F(GroupWizard, EveryOpeningStartsTheGalleryAtTheMiddleZoom)
{
    Group_Mode_Wizard w(services());
    QList<QSize> shown;
    w.whileOpen = [&](SeriesDialog &) {
        shown << w.gallery->imageBrowser->iconSize();
        w.gallery->_zoom_slider->setValue(100);
        shown << w.gallery->imageBrowser->iconSize();
        w.Cancel_Click();
    };
    w.Open_Wnd();
    w.Open_Wnd();
    EXPECT_EQ(shown, QList<QSize>({{160, 110}, {256, 176}, {160, 110}, {256, 176}}));
    EXPECT_EQ(w.gallery->_zoom_slider->value(), 100);
}

TEST_F(GroupWizard, OpeningAProjectOrADesignFile)
{
    const QString project = data + "Group_Excel_Data/All/Staff.zcd";
    touch(project);
    const QString design = tmp.path() + "/Pass.ZCD";
    touch(design);
    Group_Mode_Wizard w(services());
    openAnswer = false;
    w.whileOpen = [&](SeriesDialog &) {
        w.ok_btn->click();  // the reader refused: the wizard stays
        EXPECT_TRUE(w.isVisible());
        openAnswer = true;
        w.open_log_btn->click();
        EXPECT_FALSE(w.open_box->isEnabled());
        EXPECT_TRUE(w.open_log_box->isEnabled());
        w.log_path->setText(design);
        w.ok_btn->click();
    };
    EXPECT_EQ(w.Open_Wnd(), 1);
    EXPECT_EQ(opened, (QStringList{project, design}));
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

TEST_F(GroupWizard, NewFolderBecomesTheProjectsFolder)
{
    Group_Mode_Wizard w(services());
    w.whileOpen = [&](SeriesDialog &) {
        w.Create_Folder_Window().whileOpen = [&](SeriesDialog &d) {
            auto &f = static_cast<CreateFolder &>(d);
            f.folder_name->setText("Staff");
            f.ok->click();
        };
        w.new_folder_btn->click();
        EXPECT_EQ(items(w.proj_path), (QStringList{"All", "All/Staff"}));
        EXPECT_EQ(w.proj_path->currentText(), "All/Staff");
        w.cancel_btn->click();
    };
    w.Open_Wnd();
    EXPECT_TRUE(QFileInfo(data + "Group_Excel_Data/All/Staff").isDir());
}

TEST_F(GroupWizard, ProjectTreeCommands)
{
    const QString all = data + "Group_Excel_Data/All/";
    touch(all + "Staff.zcd");
    touch(all + "Staff.xlsx");
    Group_Project_Tree tree(data);
    tree.Fill_Tree_View();
    auto names = [&] {
        QStringList out;
        for (const auto &r : tree.rows()) out << r.name;
        return out;
    };
    EXPECT_EQ(names(), (QStringList{"All", "Staff"}));
    EXPECT_TRUE(tree.project_created());
    // Copy twice.
    for (int i = 0; i < 2; ++i) {
        testsupport::boxes().answerNext(1);
        tree.selectRow(1 + 0);
        tree.copy_btn->click();
    }
    EXPECT_EQ(names(), (QStringList{"All", "Staff", "Staff (copy 1)", "Staff (copy 2)"}));
    EXPECT_EQ(testsupport::boxes().take(), (QStringList{"Do you want to make copy of this project?",
                                                         "Do you want to make copy of this project?"}));
    // Rename: a clash is refused and changes nothing; an empty name is refused and the
    // name box comes again with what was typed, where Cancel renames nothing and a free
    // name renames.
    const QStringList unchanged = {"All", "Staff", "Staff (copy 1)", "Staff (copy 2)"};
    struct Rename {
        QList<std::optional<QString>> answers;  // in turn; nullopt: Cancel
        QStringList shown;                      // what the name box came with each time
        QStringList rows;
        QString message;
    } renames[] = {
        {{"Staff"}, {"Staff (copy 1)"}, unchanged, "\nProject name already exist."},
        {{"  ", std::nullopt}, {"Staff (copy 1)", "  "}, unchanged, "\nPlease enter project name."},
        {{"", "..", "Guests"},
         {"Staff (copy 1)", "", ".."},
         {"All", "Guests", "Staff", "Staff (copy 2)"},
         "\nPlease enter project name.\nPlease enter project name."},
    };
    for (const Rename &r : renames) {
        QStringList shown;
        tree.askName = [&](const QString &current) -> std::optional<QString> {
            shown << current;
            return r.answers.value(shown.size() - 1, std::nullopt);
        };
        tree.selectRow(2);
        tree.rename_btn->click();
        EXPECT_EQ(shown, r.shown) << r.message.toStdString();
        EXPECT_EQ(names(), r.rows) << r.message.toStdString();
        EXPECT_EQ(testsupport::boxes().take().join(""), r.message);
    }
    // Folder rows are no projects; the root is never deleted.
    tree.selectRow(0);
    tree.copy_btn->click();
    tree.rename_btn->click();
    tree.delete_btn->click();
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"\nPlease select project.", "\nPlease select project.", "\nPlease select project."}));
    // Deleting every project leaves "All" alone, with the workbook kept there.
    for (int i = 0; i < 3; ++i) {
        testsupport::boxes().answerNext(1);
        tree.selectRow(1);
        tree.delete_btn->click();
    }
    EXPECT_EQ(names(), QStringList{"All"});
    EXPECT_FALSE(tree.project_created());
    EXPECT_TRUE(QFileInfo::exists(all + "Staff.xlsx"));
    EXPECT_EQ(testsupport::boxes().take().size(), 3);
    // A folder row asks the folder question and goes with everything in it.
    touch(all + "Staff/Team.zcd");
    tree.Fill_Tree_View();
    testsupport::boxes().answerNext(1);
    tree.selectRow(1);
    tree.delete_btn->click();
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"This Folder may be contain files if you delete this folder, also deleted contain files. "
                          "Do you want to delete this folder permanently?"});
    EXPECT_EQ(names(), QStringList{"All"});
}

// Links in the store, from the window: the folder list offers real folders only, the
// tree shows every link as a link row that is deleted as a link and never opened,
// copied or renamed, and nothing outside the store changes.
TEST_F(GroupWizard, LinksInTheStoreAreShownAsLinksAndNeverWrittenThrough)
{
    QTemporaryDir outside;
    const QString out = outside.path(), all = data + "Group_Excel_Data/All/";
    touch(out + "/Kept.zcd", "kept");
    touch(out + "/Deep/Night.zcd", "night");
    touch(all + "Staff.zcd", "staff");
    ASSERT_TRUE(QFile::link(out, all + "Shared"));
    ASSERT_TRUE(QFile::link(out + "/Kept.zcd", all + "Linked.zcd"));
    ASSERT_TRUE(QFile::link(out + "/q.zcd", all + "q.zcd"));
    const auto outsideBytes = [&] {
        QStringList files;
        for (const char *name : {"/Kept.zcd", "/Deep/Night.zcd"}) {
            QFile f(out + name);
            files << (f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString("<missing>"));
        }
        files << QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        return files;
    };
    const QStringList before = outsideBytes();
    ASSERT_EQ(before, (QStringList{"kept", "night", "Deep", "Kept.zcd"}));
    const auto shownRows = [](QTreeWidget *view) {
        QStringList rows;
        for (QTreeWidgetItemIterator it(view); *it; ++it) rows << (*it)->text(0);
        return rows;
    };

    Group_Mode_Wizard w(services());
    // Renaming asks for the name "q" (only a project's row is asked about).
    w.tree->askName = [](const QString &) -> std::optional<QString> { return QString("q"); };
    w.whileOpen = [&](SeriesDialog &) {
        EXPECT_EQ(items(w.proj_path), QStringList{"All"});
        EXPECT_EQ(shownRows(w.tree->treeView),
                  (QStringList{"All", "Staff", "Linked.zcd (link)", "Shared (link)", "q.zcd (link)"}));
        shot(w, "links");
        // A link row is no project: open, copy and rename refuse it.
        w.open_exist_btn->click();
        w.tree->selectRow(2);
        EXPECT_EQ(w.tree->Get_Selected_Project_Path(), "");
        w.ok_btn->click();
        w.tree->copy_btn->click();
        w.tree->rename_btn->click();
        EXPECT_EQ(testsupport::boxes().take(), (QStringList{"\nPlease select project.", "\nPlease select project.",
                                                             "\nPlease select project."}));
        // The name of a link leading nowhere is taken.
        w.tree->selectRow(1);
        w.tree->rename_btn->click();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nProject name already exist."});
        w.start_new_btn->click();
        w.proj_name->setText("q");
        w.excel_path->setText(book);
        w.ok_btn->click();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nProject name already exist."});
        EXPECT_EQ(w.next_counter, 0);
        // Delete takes the link leading nowhere away, as a link.
        w.open_exist_btn->click();
        w.tree->selectRow(4);
        testsupport::boxes().answerNext(1);
        w.tree->delete_btn->click();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"Do you want to delete this link?"});
        EXPECT_EQ(shownRows(w.tree->treeView), (QStringList{"All", "Staff", "Linked.zcd (link)", "Shared (link)"}));
        // And the link to a folder outside, leaving the folder and its files.
        w.tree->selectRow(3);
        testsupport::boxes().answerNext(1);
        w.tree->delete_btn->click();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"Do you want to delete this link?"});
        EXPECT_EQ(shownRows(w.tree->treeView), (QStringList{"All", "Staff", "Linked.zcd (link)"}));
        w.cancel_btn->click();
    };
    EXPECT_EQ(w.Open_Wnd(), 0);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(QFileInfo(all + "q.zcd").isSymLink());
    EXPECT_FALSE(QFileInfo(all + "Shared").isSymLink());
    EXPECT_EQ(outsideBytes(), before);
    QFile staff(all + "Staff.zcd");
    ASSERT_TRUE(staff.open(QIODevice::ReadOnly));
    EXPECT_EQ(staff.readAll(), QByteArray("staff"));
}

} // namespace

TEST_F(GroupWizard, WorkbooksOfAnotherKindAndFilesThatAreNoneAreNamed)
{
    QDir().mkpath(data + "Group_Excel_Data/All");
    // Files chosen where an xlsx workbook is expected, each named by what it is.
    touch(tmp.path() + "/staff.xlsx", "Name,Title\nAnn,Boss\n");
    touch(tmp.path() + "/old.xlsx", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0'));
    touch(tmp.path() + "/list.xlsx",
          "<?xml version=\"1.0\"?><Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"/>");
    touch(tmp.path() + "/picture.xlsx", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    struct Case {
        QString file;
        const char *message;
    };
    QList<Case> cases = {
        {tmp.path() + "/staff.xlsx",
         "The selected file is not a workbook: it holds plain text (such as comma-separated values). Open it in a "
         "spreadsheet program, save it as an Excel workbook (.xlsx) and choose that file."},
        {tmp.path() + "/old.xlsx",
         "The selected file is an Excel 97-2003 workbook (.xls), not an Excel workbook (.xlsx). Save it as an Excel "
         "workbook (.xlsx) and choose that file."},
        {tmp.path() + "/list.xlsx",
         "The selected file is an XML Spreadsheet 2003 file, not an Excel workbook (.xlsx). Save it as an Excel "
         "workbook (.xlsx) and choose that file."},
        {tmp.path() + "/picture.xlsx", "The selected file is not a workbook. Please choose an Excel workbook (.xlsx)."},
    };
    // A real OpenDocument spreadsheet, written by LibreOffice, chosen under an xlsx name.
    if (!checkers::soffice().isEmpty()) {
        touch(tmp.path() + "/people.csv", "Name,Title\nAnn,Boss\n");
        const QString ods = checkers::convert(tmp.path() + "/people.csv", "ods", tmp.path() + "/calc");
        ASSERT_FALSE(ods.isEmpty());
        ASSERT_TRUE(QFile::copy(ods, tmp.path() + "/people-ods.xlsx"));
        cases.append({tmp.path() + "/people-ods.xlsx",
                      "The selected file is an OpenDocument spreadsheet (.ods), not an Excel workbook (.xlsx). Save it "
                      "as an Excel workbook (.xlsx) and choose that file."});
    }
    Group_Mode_Wizard w(services());
    w.whileOpen = [&](SeriesDialog &) {
        w.start_new_btn->click();
        w.proj_name->setText("Staff");
        w.proj_path->setCurrentIndex(0);
        for (const Case &c : cases) {
            w.excel_path->setText(c.file);
            w.ok_btn->click();
            EXPECT_EQ(testsupport::boxes().take().join("|").trimmed(), QString::fromLatin1(c.message)) << c.file.toStdString();
            EXPECT_EQ(w.next_counter, 0);
        }
        w.cancel_btn->click();
    };
    EXPECT_EQ(w.Open_Wnd(), 0);
}

TEST_F(GroupWizard, NameColumnLeftAtNoneIsShownSelected)
{
    ASSERT_TRUE(makeBook()) << "openpyxl missing";
    QDir().mkpath(data + "Group_Excel_Data/All");
    Group_Mode_Wizard w(services());
    w.whileOpen = [&](SeriesDialog &) {
        w.start_new_btn->click();
        w.proj_name->setText("Staff");
        w.proj_path->setCurrentIndex(0);
        w.excel_path->setText(book);
        w.ok_btn->click();
        w.gallery->cat_cmbo_bx->setCurrentIndex(0);
        w.ok_btn->click();
        ASSERT_EQ(w.next_counter, 2);
        w.columnCombos[1]->setFocus();
        w.ok_btn->click();
        EXPECT_EQ(testsupport::boxes().take().join("|").trimmed(), "Default column should not be 'None'.");
        EXPECT_EQ(w.focusWidget(), w.columnCombos[0]);
        w.cancel_btn->click();
    };
    EXPECT_EQ(w.Open_Wnd(), 0);
}

} // namespace group_mode_wizard_test
