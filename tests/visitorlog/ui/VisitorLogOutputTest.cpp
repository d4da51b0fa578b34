// The visitor log's output: the list as a workbook read back by Python, the gate pass
// as pictures and as a PDF read back by poppler, the hand-over to the pass printer and
// the pass mailed through the mail window.
#include "AnotherUser.h"
#include "CompletedName.h"
#include "Direct_Mail.h"
#include "DiskFull.h"
#include "Globals.h"
#include "Helpers.h"
#include "Output_Pass_Printer.h"
#include "PictureAdjuster.h"
#include "PrinterLayer.h"
#include "PrivateTemp.h"
#include "RenderedSide.h"
#include "SKTDocument.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "VisitorPassPrinter.h"
#include "VisitorRecordStore.h"
#include "Visitor_Log_Records.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {
struct PlainAdjuster : PictureAdjuster {
    Picture adjusted(const Picture &source, const ImageAdjustments &, QSize) const override { return source; }
};

struct FakePrinter : VisitorPassPrinter {
    bool available = true;
    int setups = 0;
    std::vector<std::pair<QRectF, bool>> jobs;
    QSizeF pictureSize;
    bool vector = false;
    bool hasPrinter() const override { return available; }
    void pageSetup(QWidget *) override { ++setups; }
    void printPass(const Picture &pass, const QRectF &rect, bool preview, QWidget *) override
    {
        jobs.emplace_back(rect, preview);
        pictureSize = pass.size();
        vector = pass.vector() != nullptr;
    }
};

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!testsupport::checkerFinished(p)) return QStringLiteral("checker did not start");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The workbook's rows read back with Python's zipfile, cells joined by "|": the shared
// strings in sheet order.
QString workbookRows(const QString &path)
{
    const QString script = QStringLiteral(R"(
import sys, zipfile, re
z = zipfile.ZipFile(sys.argv[1])
strings = re.findall(r'<t[^>]*>([^<]*)</t>', z.read('xl/sharedStrings.xml').decode())
sheet = z.read('xl/worksheets/sheet1.xml').decode()
for row in re.findall(r'<row[^>]*>(.*?)</row>', sheet):
    cells = []
    for attrs, v in re.findall(r'<c([^>]*)>(?:<v>([^<]*)</v>)?', row):
        cells.append(strings[int(v)] if 't="s"' in attrs and v else v)
    print('|'.join(cells))
)");
    return run("/usr/bin/python3", {"-c", script, path});
}

struct Output : ::testing::Test {
    VisitorRecordStore store;
    PlainAdjuster adjuster;
    FakePrinter printer;
    std::unique_ptr<Visitor_Log_Records> w;

    void SetUp() override
    {
        Check_Path_And_Create_VISITOR_Files();
        w = std::make_unique<Visitor_Log_Records>(store, adjuster, &printer);
    }
    // The exported-file box's text: the check box's title, the path, the message.
    static QString offered(const QString &path, const char *message)
    {
        return "Open exported file.\n" + path + "\n" + QLatin1String(message);
    }
    void add(const QString &name, const QString &photo = {})
    {
        Visitor_Record r;
        r.Date_Time_Stamp = "2024-01-05 10:00:00";
        r.Photo = photo;
        r.front.values[VName] = name;
        r.front.captions[VName_lb] = "Name :";
        r.back.values[VName] = name == "Ann" ? "Bob" : "";
        r.front.values[Other] = "Car : X";
        ASSERT_TRUE(store.Open_DB_Connection());
        ASSERT_TRUE(store.Insert_Visitor_Record(r));
        store.Close_DB_Connection();
    }
    QString home() const { return testsupport::testHome(); }
};
} // namespace

TEST_F(Output, TheListBecomesAWorkbookOfTwelveColumns)
{
    w->Export_Records_Click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nList is empty."});
    add("Ann", Resource_Path + "pic_ic.png");  // an older log's stand-in is no photo
    add("Carl", "/photos/carl.png");
    add("Dora", home() + "/old build/resources/no.png");  // so is one of a build folder moved since
    w->Prepare_Log_Wnd();
    testsupport::queueFilePanelAnswer({home() + "/log.txt"});
    w->Export_Records_Click();
    const QString path = home() + "/log.txt.xlsx";
    ASSERT_EQ(testsupport::boxes().take(), QStringList{offered(path, "Record has been exported successfully.")});
    EXPECT_FALSE(QFile::exists(home() + "/log.txt"));
    EXPECT_EQ(testsupport::filePanelRequests(), QStringList{"Export Visitor Log"});
    const QString rows = workbookRows(path);
    EXPECT_EQ(rows, "S.No.|Date and Time|Photo Path|Name|Company Name|Address|Phone|Email|Purpose|Person to Meet|"
                    "Visitor No.|Other\n"
                    "1|2024-01-05 10:00:00||Dora||||||||Car : X\n"
                    "2|2024-01-05 10:00:00|/photos/carl.png|Carl||||||||Car : X\n"
                    "3|2024-01-05 10:00:00||Ann [ Bob ]||||||||Car : X\n");
}

// A long list is written whole as it was listed: a visit removed since keeps its row.
TEST_F(Output, ALongListIsWrittenWhole)
{
    ASSERT_TRUE(store.Open_DB_Connection());
    ASSERT_EQ(sqlite3_exec(store.visitor_db, "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    for (int i = 0; i < 230; ++i) {
        Visitor_Record r;
        r.Date_Time_Stamp = QString("2024-01-05 10:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'));
        r.front.values[VName] = QString("Visitor %1").arg(i);
        r.back.values[CompanyName] = i % 2 ? "Firm" : "";
        ASSERT_TRUE(store.Insert_Visitor_Record(r));
    }
    ASSERT_EQ(sqlite3_exec(store.visitor_db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    store.Close_DB_Connection();
    w->Prepare_Log_Wnd();
    w->date_range->setCurrentIndex(4);
    w->Date_From_Ctrl->setDate(QDate(2024, 1, 1));
    w->Date_To_Ctrl->setDate(QDate(2024, 1, 31));
    w->searchButton->click();
    ASSERT_EQ(w->ListData().size(), 230);
    ASSERT_TRUE(store.Open_DB_Connection());
    ASSERT_EQ(sqlite3_exec(store.visitor_db, "DELETE FROM Visitor_Records WHERE ID = 216", nullptr, nullptr, nullptr),
              SQLITE_OK);
    store.Close_DB_Connection();
    testsupport::queueFilePanelAnswer({home() + "/long.xlsx"});
    w->Export_Records_Click();
    testsupport::boxes().take();
    const QStringList rows = workbookRows(home() + "/long.xlsx").split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 231);
    EXPECT_EQ(rows[200], "200|2024-01-05 10:19:00||Visitor 199| [ Firm ]|||||||");
    EXPECT_EQ(rows[201], "201|2024-01-05 10:20:00||Visitor 200||||||||");
    EXPECT_EQ(rows[216], "216|2024-01-05 10:35:00||Visitor 215| [ Firm ]|||||||");
    EXPECT_EQ(rows[230], "230|2024-01-05 10:49:00||Visitor 229| [ Firm ]|||||||");
}

TEST_F(Output, AWorkbookThatCannotBeWrittenIsReported)
{
    add("Ann");
    w->Prepare_Log_Wnd();
    testsupport::queueFilePanelAnswer({home() + "/no/such/folder/log.xlsx"});
    w->Export_Records_Click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in file accessing. No such file or directory."});
    {
        // A disk that fills up while the workbook is written.
        testsupport::queueFilePanelAnswer({home() + "/log.xlsx"});
        const testsupport::Disk_Full_After full(2048);
        w->Export_Records_Click();
    }
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in file accessing. File too large."});
    EXPECT_EQ(QDir(home()).entryList({"*log.xlsx*"}, QDir::Files | QDir::Hidden), QStringList());
    testsupport::boxes().clear();
    w->Export_Records_Click();  // cancelled panel: nothing
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

TEST_F(Output, ThePassAsPicturesAt600DotsPerInch)
{
    add("Ann");
    w->Show_Visitor_Details("1");
    w->page_rect = QRectF(0, 0, 495, 400);
    // The panel's format choice gives the name its extension; another one gets jpg.
    const struct {
        const char *answer, *written;
    } rows[] = {{"pass.jpg", "pass.jpg"}, {"pass.bmp", "pass.bmp"}, {"pass.png", "pass.png"},
                {"pass.tiff", "pass.tiff"}, {"other.gif", "other.jpg"}};
    for (const auto &r : rows) {
        testsupport::queueFilePanelAnswer({home() + "/" + r.answer});
        w->Export_Image_click();
        const QString path = home() + "/" + r.written;
        ASSERT_EQ(testsupport::boxes().take(), QStringList{offered(path, "File has been exported successfully.")})
            << r.answer;
        QImageReader reader(path);
        EXPECT_EQ(reader.size(), QSize(4125, 3334)) << r.answer;
        EXPECT_EQ(reader.format(), QFileInfo(path).suffix() == "jpg" ? "jpeg" : QFileInfo(path).suffix().toLatin1())
            << r.answer;
        if (QFileInfo(path).suffix() != "jpg") {
            EXPECT_EQ(reader.read().dotsPerMeterX(), 23622) << r.answer;
        }
    }
    EXPECT_EQ(testsupport::filePanelRequests().last(), "Save Image");
    testsupport::clearFilePanels();
    w->Export_Image_click();  // cancelled
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

TEST_F(Output, ThePassAsAOnePagePdf)
{
    add("Ann");
    w->Show_Visitor_Details("1");
    w->page_rect = QRectF(0, 0, 495, 400);
    testsupport::queueFilePanelAnswer({home() + "/pass"});
    w->Export_PDF_click();
    const QString path = home() + "/pass.pdf";
    ASSERT_EQ(testsupport::boxes().take(), QStringList{offered(path, "File has been exported successfully.")});
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    const QString info = run("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+495 x 400 pts"))) << info.toStdString();
    const QString text = run("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(text.contains("Visitor Details")) << text.toStdString();
    EXPECT_TRUE(text.contains("Ann")) << text.toStdString();
}

TEST_F(Output, APdfIsNamedForWhatItHolds)
{
    add("Ann");
    w->Show_Visitor_Details("1");
    testsupport::queueFilePanelAnswer({home() + "/pass.png"});
    w->Export_PDF_click();
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{offered(home() + "/pass.png.pdf", "File has been exported successfully.")});
    EXPECT_FALSE(QFile::exists(home() + "/pass.png"));
    EXPECT_EQ(testsupport::filePanelRequests(), QStringList{"Export PDF"});
    w->Export_PDF_click();  // cancelled: nothing written, nothing shown
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

// Each export's panel completes the name typed: the file written is the one asked
// about, and a link there is replaced.
TEST_F(Output, EachExportAsksAboutTheFileItWrites)
{
    add("Ann");
    w->Prepare_Log_Wnd();
    w->Show_Visitor_Details("1");
    w->page_rect = QRectF(0, 0, 200, 100);
    testsupport::Check_Completed_Name("lg", "lg.xlsx", [&] { w->Export_Records_Click(); });
    testsupport::Check_Completed_Name("r2.txt", "r2.txt.pdf", [&] { w->Export_PDF_click(); });
    testsupport::Check_Completed_Name("pass.txt", "pass.jpg", [&] { w->Export_Image_click(); });
}

TEST_F(Output, APassThatCannotBeWrittenIsReported)
{
    add("Ann");
    w->Show_Visitor_Details("1");
    const struct {
        const char *answer;
        QRectF page;
        void (Visitor_Log_Records::*command)();
        const char *reason;
        bool diskFull = false;
    } rows[] = {
        {"/no/such/folder/pass.png", QRectF(0, 0, 200, 100), &Visitor_Log_Records::Export_Image_click,
         " No such file or directory."},
        {"/no/such/folder/pass.pdf", QRectF(0, 0, 200, 100), &Visitor_Log_Records::Export_PDF_click,
         " No such file or directory."},
        {"/full.png", QRectF(0, 0, 200, 100), &Visitor_Log_Records::Export_Image_click, " File too large.", true},
        {"/full.pdf", QRectF(0, 0, 200, 100), &Visitor_Log_Records::Export_PDF_click, " File too large.", true},
        {"/empty.png", QRectF(), &Visitor_Log_Records::Export_Image_click, ""},
        {"/empty.pdf", QRectF(), &Visitor_Log_Records::Export_PDF_click, ""},
    };
    for (const auto &r : rows) {
        w->page_rect = r.page;
        testsupport::queueFilePanelAnswer({home() + r.answer});
        {
            std::optional<testsupport::Disk_Full_After> full;
            if (r.diskFull) full.emplace(0);
            ((*w).*r.command)();
        }
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in file accessing." + QString(r.reason)})
            << r.answer;
        EXPECT_FALSE(QFile::exists(home() + r.answer)) << r.answer;
    }
}

// Export PDF over another user's file or link in a shared folder (as /tmp is): refused
// at once, without the replace question, with the message an export of a card gives,
// naming whose it is; their file, and the file the link points to, stay as they were.
// As root: the export acts as another user.
TEST_F(Output, APassOverAnotherUsersFileInASharedFolderSaysWhoseItIs)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's files needs root";
    add("Ann");
    w->Show_Visitor_Details("1");
    w->page_rect = QRectF(0, 0, 200, 100);
    const testsupport::Test_Users_File thesis("thesis.odt", "thesis");
    ASSERT_TRUE(thesis.made());
    const testsupport::Shared_Folder shared;
    ASSERT_TRUE(shared.plantFile("d1.pdf", "theirs"));
    ASSERT_TRUE(shared.plantLink("d2.pdf", thesis.path()));
    for (const auto &[name, kind] : {std::pair{"d1.pdf", "file"}, {"d2.pdf", "link"}}) {
        testsupport::queueFilePanelAnswer({shared.filePath(name)});
        {
            const testsupport::Acting_As_Test_User user;
            ASSERT_TRUE(user.acting());
            w->Export_PDF_click();
        }
        const QStringList shown = testsupport::boxes().take();
        ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();  // the refusal, no question first
        EXPECT_EQ(shown[0], QString("\nUnable to save the file \"%1\".\n\n\"%2\" in this shared folder is another "
                                    "user's %3, which only they can replace. Please choose another name.")
                                .arg(shared.filePath(name), name, kind));
    }
    QFile theirs(shared.filePath("d1.pdf"));
    ASSERT_TRUE(theirs.open(QIODevice::ReadOnly));
    EXPECT_EQ(theirs.readAll() + '|' + thesis.bytes(), "theirs|thesis");
    EXPECT_TRUE(QFileInfo(shared.filePath("d2.pdf")).isSymLink());
}

TEST_F(Output, ThePassIsMailedFromAPrivateFolderThatGoesWithTheMailWindow)
{
    add("Ann");
    const testsupport::PrivateTemp temp;
    QString mailed, shownPath;
    int mode = -1;
    QByteArray bytes;
    testsupport::ScriptedRunner runner;
    Direct_Mail mail(nullptr, &runner);
    runner.whileOpen<Direct_Mail>([&](Direct_Mail &d) {
        shownPath = d.file_path_ctrl->text();
        struct stat st {};
        if (::stat(QFileInfo(shownPath).path().toLocal8Bit().constData(), &st) == 0) mode = int(st.st_mode & 07777);
        QFile f(shownPath);
        if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
        d.Close_Button();
    });
    Visitor_Log_Records log(store, adjuster, &printer, nullptr, [&](const QString &path) {
        mailed = path;
        mail.Open_Wnd(path);
    });
    EXPECT_FALSE(w->mailButton->isVisibleTo(w->Details_Box)) << "no mailer, no mailing";
    EXPECT_TRUE(log.mailButton->isVisibleTo(log.Details_Box));
    log.Show_Visitor_Details("1");
    log.page_rect = QRectF(0, 0, 495, 400);
    log.mailButton->click();
    runner.remove<Direct_Mail>();

    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_EQ(shownPath, mailed);
    EXPECT_EQ(QFileInfo(mailed).fileName(), "Visitor_Details_1.pdf");
    EXPECT_EQ(QFileInfo(QFileInfo(mailed).path()).path(), temp.path());
    EXPECT_EQ(mode, 0700);
    EXPECT_EQ(temp.left(), QStringList()) << "the folder goes when the mail window closes";

    const QString copy = home() + "/mailed.pdf";
    QFile::remove(copy);
    QFile out(copy);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    const QString info = run("pdfinfo", {copy});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+495 x 400 pts"))) << info.toStdString();
    const QString text = run("pdftotext", {"-layout", copy, "-"});
    EXPECT_TRUE(text.contains("Visitor Details")) << text.toStdString();
    EXPECT_TRUE(text.contains("Ann")) << text.toStdString();
}

TEST_F(Output, AMailedPassThatCannotBeWrittenOpensNoMailWindow)
{
    add("Ann");
    int mailed = 0;
    Visitor_Log_Records log(store, adjuster, &printer, nullptr, [&](const QString &) { ++mailed; });
    log.Show_Visitor_Details("1");
    const struct {
        const char *what;
        bool noTempFolder;
        QRectF page;
        const char *reason;
        bool diskFull = false;
    } rows[] = {
        {"no private folder", true, QRectF(0, 0, 200, 100), " No such file or directory."},
        {"no pass to write", false, QRectF(), ""},
        {"a full disk", false, QRectF(0, 0, 200, 100), " File too large.", true},
    };
    for (const auto &r : rows) {
        const testsupport::PrivateTemp temp;
        // A missing TMPDIR would fall back to /tmp; nothing can be made in /proc, not even by root.
        if (r.noTempFolder) qputenv("TMPDIR", "/proc");
        log.page_rect = r.page;
        {
            std::optional<testsupport::Disk_Full_After> full;
            if (r.diskFull) full.emplace(0);
            log.Mail_click();
        }
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in file accessing." + QString(r.reason)})
            << r.what;
        EXPECT_EQ(mailed, 0) << r.what;
        if (!r.noTempFolder) {
            EXPECT_EQ(temp.left(), QStringList()) << "a failed write leaves nothing behind";
        }
    }
}

TEST_F(Output, PrintingGoesToThePassPrinter)
{
    add("Ann");
    w->Show_Visitor_Details("1");
    const QRectF page = w->page_rect;
    w->Print_Preview_click();
    w->Print_click();
    w->Page_Setup_click();
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_EQ(printer.jobs[0], std::make_pair(page, true));
    EXPECT_EQ(printer.jobs[1], std::make_pair(page, false));
    EXPECT_EQ(printer.pictureSize, page.size());
    EXPECT_TRUE(printer.vector);
    EXPECT_EQ(printer.setups, 1);
    printer.available = false;
    w->Print_click();
    w->Print_Preview_click();
    w->Page_Setup_click();
    EXPECT_EQ(printer.jobs.size(), 2u);
    EXPECT_EQ(testsupport::boxes().take(), QStringList(3, "\nNo printer found."));
    Visitor_Log_Records none(store, adjuster, nullptr);
    none.Print_click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nNo printer found."});
}

TEST(PassMargins, FromThePrintableArea)
{
    const struct {
        QSizeF paper;
        QRectF imageable;
        QMarginsF want;
    } rows[] = {
        {{595, 842}, {18, 36, 559, 788}, {18, 18, 18, 36}},
        {{612, 792}, {0, 0, 612, 792}, {0, 0, 0, 0}},
        {{612, 792}, {10, 20, 500, 700}, {10, 72, 102, 20}},
    };
    for (const auto &r : rows) EXPECT_EQ(Visitor_Pass_Margins(r.paper, r.imageable), r.want);
}

TEST_F(Output, ThePassPrintsOnOnePageOfThePrintersPaper)
{
    const QString pdf = home() + "/printed.pdf";
    qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
    add("Ann");
    SKTDocument document;
    int previews = 0;
    Visitor_Log_Records log(store, adjuster,
                            std::make_unique<Output_Pass_Printer>(document, [&](Print_Preview_Dialog &) { ++previews; }));
    log.Show_Visitor_Details("1");
    log.Print_Preview_click();
    EXPECT_EQ(previews, 1);
    EXPECT_FALSE(QFile::exists(pdf)) << "a preview prints nothing";
    log.Print_click();
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    // A pass that could not be written says why (a full disk: /dev/full).
    qputenv(Virtual_PDF_Printer_Setting, "/dev/full");
    log.Print_click();
    qunsetenv(Virtual_PDF_Printer_Setting);
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList({"\nThe print job could not be written to \"/dev/full\": No space left on device."}));
    ASSERT_TRUE(QFile::exists(pdf));
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? pts"))) << info.toStdString();
    // The page holds the pass as one picture at 600 dots per inch.
    const QString images = run("pdfimages", {"-list", pdf});
    const QSize pixels(int(std::ceil(log.page_rect.width() * 600 / 72)), int(std::ceil(log.page_rect.height() * 600 / 72)));
    EXPECT_TRUE(images.contains(QRegularExpression(QStringLiteral("image\\s+%1\\s+%2\\s").arg(pixels.width()).arg(pixels.height()))))
        << images.toStdString();
}

TEST_F(Output, ThePassPrintsOnTheDocumentsSettingsTakenAtOpeningAndWritesThemBack)
{
    const QString pdf = home() + "/printed.pdf";
    qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
    add("Ann");
    const auto info = [](const QString &name, QPageSize::PageSizeId paper, QPageLayout::Orientation o, QMarginsF m) {
        return Document_Print_Info{name, QPageLayout(QPageSize(paper), o, m, QPageLayout::Point)};
    };
    SKTDocument document;
    document.setPrintInfo(info(Virtual_PDF_Printer_Name, QPageSize::A4, QPageLayout::Portrait, {}));
    auto made = std::make_unique<Output_Pass_Printer>(document, [](Print_Preview_Dialog &) {});
    Output_Pass_Printer &pass = *made;
    Visitor_Log_Records log(store, adjuster, std::move(made));
    int changes = 0;
    QObject::connect(&document, &SKTDocument::printInfoChanged, [&] { ++changes; });

    // What the document holds when the window opens, without margins.
    document.setPrintInfo(info(Virtual_PDF_Printer_Name, QPageSize::A5, QPageLayout::Landscape, {10, 20, 30, 40}));
    EXPECT_EQ(pass.settings().pageSize.id(), QPageSize::A4) << "taken at the opening, not before";
    log.Prepare_Log_Wnd();
    EXPECT_EQ(pass.settings().printer, Virtual_PDF_Printer_Name);
    EXPECT_EQ(pass.settings().pageSize.id(), QPageSize::A5);
    EXPECT_EQ(pass.settings().orientation, QPageLayout::Landscape);
    EXPECT_EQ(pass.settings().margins, QMarginsF());
    EXPECT_EQ(changes, 1) << "opening writes nothing back";

    // A cancelled page set-up leaves the document alone; a confirmed one becomes its.
    pass.pageSetupRunner = [](Print_Settings &) { return false; };
    log.Page_Setup_click();
    EXPECT_EQ(changes, 1);
    pass.pageSetupRunner = [](Print_Settings &s) {
        s = Page_Setup_Settings(s, QPageLayout(QPageSize(QPageSize::B5), QPageLayout::Portrait, {20, 15, 15, 20},
                                               QPageLayout::Millimeter), {});
        return true;
    };
    log.Page_Setup_click();
    EXPECT_EQ(changes, 2);
    const Document_Print_Info setUp = info(Virtual_PDF_Printer_Name, QPageSize::B5, QPageLayout::Portrait,
                                           QMarginsF(20, 15, 15, 20) * (72 / 25.4));
    EXPECT_TRUE(document.printInfo() == setUp);
    // A print keeps the page set-up's margins, and so does the document.
    log.Show_Visitor_Details("1");
    log.Print_click();
    EXPECT_TRUE(document.printInfo() == setUp);

    // A print on a document without a printer takes the default one, which the document keeps.
    document.setPrintInfo(info(QString(), QPageSize::A5, QPageLayout::Portrait, {}));
    log.Prepare_Log_Wnd();
    log.Show_Visitor_Details("1");
    QFile::remove(pdf);
    log.Print_click();
    qunsetenv(Virtual_PDF_Printer_Setting);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(document.printInfo() == info(Virtual_PDF_Printer_Name, QPageSize::A5, QPageLayout::Portrait, {}));
}

TEST(PassRecording, ThePassKeepsItsPlaceAsRecorded)
{
    Gate_Pass_Data data;
    const QRectF page(0, 0, 200, 100);
    const struct {
        Picture pass;
    } rows[] = {{Gate_Pass_Picture(data, page)}, {Picture(Gate_Pass_Image(data, page, 72), page.size())}};
    for (const auto &r : rows) {
        const RenderedSide side = Visitor_Pass_Recorded(r.pass, page);
        ASSERT_EQ(side.size, page.size());
        // Played as the pass page plays it: on a device of the printers' resolution,
        // four pixels a point.
        QImage i(800, 400, QImage::Format_RGB32);
        i.fill(Qt::white);
        const int dpm = int(std::lround(Print_Device_DPI / 0.0254));
        i.setDotsPerMeterX(dpm);
        i.setDotsPerMeterY(dpm);
        {
            QPainter p(&i);
            p.scale(4, 4);
            Draw_Rendered_Side(p, side, QRectF(QPointF(0, 0), side.size));
        }
        // The border's line is centred on x = 10 points; the page is white inside it.
        const bool vector = r.pass.vector() != nullptr;
        for (int at : {40, 41}) {
            EXPECT_EQ(i.pixelColor(at, 200), QColor(Qt::black)) << vector << " " << at;
            EXPECT_EQ(i.pixelColor(200, at), QColor(Qt::black)) << vector << " " << at;
        }
        for (int at : {36, 45}) {
            EXPECT_EQ(i.pixelColor(at, 200), QColor(Qt::white)) << vector << " " << at;
            EXPECT_EQ(i.pixelColor(200, at), QColor(Qt::white)) << vector << " " << at;
        }
    }
    EXPECT_TRUE(Visitor_Pass_Recorded(Picture(), page).isNull());
}
