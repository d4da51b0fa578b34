// The export writer for runs: free numbered names, the keep/replace answers of a run
// asked from a worker thread, the data of each file type, combined pictures, and
// files that cannot be written.
#include "Export_File_Writer.h"
#include "AnotherUser.h"
#include "AsLoadedAdjuster.h"
#include "Card_Property.h"
#include "Globals.h"
#include "Paths.h"
#include "PdfProbe.h"
#include "QStringPrinter.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace export_writer_test {

namespace {
constexpr double kMM = 2.834645669291;

template <typename F> void onWorker(F work)
{
    std::atomic<bool> done{false};
    std::thread t([&] {
        work();
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    t.join();
}

// A card side of 85.6 x 54 mm, one colour.
RenderedSide side(const QColor &colour)
{
    RenderedSide s;
    s.size = QSizeF(85.6 * kMM, 54 * kMM);
    QPainter p(&s.picture);
    p.fillRect(QRectF(QPointF(), s.size), colour);
    p.end();
    return s;
}

void touch(const QString &path, const QByteArray &bytes = "old")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ExportWriter, FreeNumberedNames)
{
    QTemporaryDir dir;
    for (const char *taken : {"Card_1.png", "Card_1 (1).png", "Photo (abc).png", "Shot (0).png", "X (3).png",
                              "X (4).png", "noext", ":Card.png"})
        touch(Path_Join(dir.path(), taken));
    const std::pair<const char *, const char *> rows[] = {
        {"Card_1.png", "Card_1 (2).png"},        // (1) is taken too
        {"Card_1 (1).png", "Card_1 (2).png"},    // counts on after " (1)"
        {"Card_1.PNG", "Card_1 (2).png"},        // the extension in lower case
        {"Photo (abc).png", "Photo (abc) (1).png"},
        {"Shot (0).png", "Shot (0) (1).png"},    // 0 is no number to count on from
        {"X (3).png", "X (5).png"},
        {"Free.PNG", "Free.png"},                // free: the path itself, extension lowered
        {"noext", "noext (1)"},
        {":Card.png", ":Card (1).png"},          // a plain name, in its folder
    };
    for (const auto &[asked, expected] : rows)
        EXPECT_EQ(Check_Exist_Path_and_Create_New(Path_Join(dir.path(), asked)), Path_Join(dir.path(), expected))
            << asked;
}

TEST(ExportWriter, KeepReplaceAnswersDecideTheFileWritten)
{
    struct Row {
        int answer;
        Export_Write result;
        const char *writtenAs;  // "" when nothing was written
        bool oldKept;
        bool stop;
    };
    const Row rows[] = {
        {Keep_Replace_Replace, Export_Write::Written, "Card_1_Front.png", false, false},
        {Keep_Replace_Keep, Export_Write::Written, "Card_1_Front (1).png", true, false},
        {Keep_Replace_Replace_All, Export_Write::Written, "Card_1_Front.png", false, false},
        {Keep_Replace_Keep_All, Export_Write::Written, "Card_1_Front (1).png", true, false},
        {Keep_Replace_Cancel, Export_Write::Skipped, "", true, true},
        {Keep_Replace_Cancel_All, Export_Write::Skipped, "", true, true},
    };
    for (const Row &r : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath("Card_1_Front.png");
        touch(path);
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(r.answer);
        Output_Run_State state;
        Export_Write result = Export_Write::Failed;
        onWorker([&] { result = Export_File_Function(path, side(Qt::red), false, false, false, state); });
        EXPECT_EQ(result, r.result) << r.answer;
        EXPECT_EQ(testsupport::boxes().take(),
                  QStringList{"File already exists :\nCard_1_Front.png\n\nFile already exists in this location.\n\n"
                              "Do you want to replace it with one you processed?"})
            << r.answer;
        EXPECT_EQ(contents(path) == "old", r.oldKept) << r.answer;
        EXPECT_EQ(state.Stop_SMS_Sending_Now.load(), r.stop) << r.answer;
        EXPECT_EQ(state.check_any_card_exported.load(), r.result == Export_Write::Written) << r.answer;
        if (*r.writtenAs) {
            EXPECT_EQ(state.Export_File_Path, dir.filePath(r.writtenAs)) << r.answer;
            EXPECT_EQ(QImage(dir.filePath(r.writtenAs)).width(), 243) << r.answer;
        }
    }
}

// Links under a card's names, one to a file elsewhere, one pointing nowhere: both are
// files already there, and the card's files are put in the folder, never written through.
TEST(ExportWriter, ALinkUnderACardsNameIsAFileThereAndNeverWrittenThrough)
{
    for (const auto &[answer, back, front] : {std::tuple{Keep_Replace_Replace_All, "Card_1_Back.png", "Card_1_Front.png"},
                                              {Keep_Replace_Keep_All, "Card_1_Back (1).png", "Card_1_Front (1).png"}}) {
        QTemporaryDir dir, home;
        touch(home.filePath("victim.txt"), "victim");
        ASSERT_TRUE(QFile::link(home.filePath("victim.txt"), dir.filePath("Card_1_Front.png")));
        ASSERT_TRUE(QFile::link(home.filePath("new_autostart.desktop"), dir.filePath("Card_1_Back.png")));
        Output_Run_State state;
        state.replace_keep_file_flag = answer;
        std::vector<std::pair<QString, QByteArray>> files;
        for (const char *name : {"Card_1_Back.png", "Card_1_Front.png"})
            files.emplace_back(Export_Run_Target(dir.filePath(name), false, true, state).value_or(""), name);
        EXPECT_EQ(Write_Card_Files(state, files), Export_Write::Written);
        EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::System), QStringList{"victim.txt"});
        EXPECT_EQ(contents(home.filePath("victim.txt")), "victim");
        EXPECT_EQ(contents(dir.filePath(back)) + '|' + contents(dir.filePath(front)), "Card_1_Back.png|Card_1_Front.png");
        EXPECT_FALSE(QFileInfo(dir.filePath(front)).isSymLink());
    }
}

// A name chosen in a save panel (no keep/replace question) is written through its link,
// as an editor does.
TEST(ExportWriter, ANameFromASavePanelIsWrittenThroughItsLink)
{
    QTemporaryDir dir, home;
    touch(home.filePath("pass.png"));
    ASSERT_TRUE(QFile::link(home.filePath("pass.png"), dir.filePath("Pass.png")));
    Output_Run_State state;
    EXPECT_EQ(Export_File_Function(dir.filePath("Pass.png"), side(Qt::red), false, true, false, state),
              Export_Write::Written);
    EXPECT_TRUE(QFileInfo(dir.filePath("Pass.png")).isSymLink());
    EXPECT_EQ(QImage(home.filePath("pass.png")).width(), 243);
}

TEST(ExportWriter, AnAnswerForAllFilesAsksNoMore)
{
    QTemporaryDir dir;
    for (const char *n : {"Card_1_Back.png", "Card_1_Front.png", "Card_2_Back.png"}) touch(dir.filePath(n));
    Output_Run_State state;
    testsupport::boxes().answerNext(Keep_Replace_Keep_All);
    onWorker([&] {
        for (const char *n : {"Card_1_Back.png", "Card_1_Front.png", "Card_2_Back.png", "Card_2_Front.png"})
            Export_File_Function(dir.filePath(n), side(Qt::blue), false, false, false, state);
    });
    EXPECT_EQ(testsupport::boxes().take().size(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"Card_1_Back (1).png", "Card_1_Back.png", "Card_1_Front (1).png", "Card_1_Front.png",
                           "Card_2_Back (1).png", "Card_2_Back.png", "Card_2_Front.png"}));
    // A kept back file is the run's back file, under its new name.
    EXPECT_EQ(state.Export_Back_File_Path, dir.filePath("Card_2_Back (1).png"));
    EXPECT_EQ(state.Export_File_Path, dir.filePath("Card_2_Front.png"));
    // Without the raise, one pixel per point.
    EXPECT_EQ(QImage(dir.filePath("Card_2_Front.png")).size(), QSize(243, 154));

    // Replace for all: the files are written over without a question.
    state.replace_keep_file_flag = Keep_Replace_Replace_All;
    onWorker([&] { Export_File_Function(dir.filePath("Card_1_Back.png"), side(Qt::red), false, false, true, state); });
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_EQ(QImage(dir.filePath("Card_1_Back.png")).pixelColor(5, 5), QColor(Qt::red));
}

TEST(ExportWriter, SkipAndStopWriteWithoutAsking)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Card_1_Front.png");
    touch(path);
    Output_Run_State state;
    // Skip: written over without the question.
    EXPECT_EQ(Export_File_Function(path, side(Qt::green), false, true, true, state), Export_Write::Written);
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_NE(contents(path), "old");
    // A stopped run writes nothing more.
    state.Request_Stop();
    EXPECT_EQ(Export_File_Function(dir.filePath("Card_2_Front.png"), side(Qt::green), false, true, true, state),
              Export_Write::Skipped);
    EXPECT_EQ(Export_Combined_Image(side(Qt::red), side(Qt::blue), dir.filePath("Card_2.png"), false, true, state),
              Export_Write::Skipped);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Card_2_Front.png")));
}

TEST(ExportWriter, EachTypeAsItsExtensionSaysAt600Dpi)
{
    const std::pair<const char *, QByteArray> rows[] = {
        {"png", "\x89PNG\r\n"}, {"PNG", "\x89PNG\r\n"}, {"jpg", "\xFF\xD8\xFF"}, {"bmp", "BM"},
        {"tiff", "II*"},         {"pdf", "%PDF-"},        {"PDF", "%PDF-"},
    };
    for (const auto &[ext, magic] : rows) {
        const QByteArray data = Rendered_Side_File_Data(side(Qt::red), ext, true);
        EXPECT_EQ(data.left(magic.size()).toHex(), magic.toHex()) << ext;
    }
    EXPECT_TRUE(Rendered_Side_File_Data(side(Qt::red), "eps", true).isEmpty());
    EXPECT_TRUE(Rendered_Side_File_Data(RenderedSide(), "png", true).isEmpty());

    QImage png;
    ASSERT_TRUE(png.loadFromData(Rendered_Side_File_Data(side(Qt::red), "png", true), "PNG"));
    EXPECT_EQ(png.size(), QSize(2023, 1276));
    EXPECT_EQ(png.dotsPerMeterX(), 23622);
    EXPECT_EQ(png.dotsPerMeterY(), 23622);
    EXPECT_EQ(png.pixelColor(1000, 600), QColor(Qt::red));
}

TEST(ExportWriter, MirroredSides)
{
    RenderedSide s;
    s.size = QSizeF(85.6 * kMM, 54 * kMM);
    {
        QPainter p(&s.picture);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(Qt::white));
        p.drawRect(QRectF(QPointF(), s.size));
        p.setBrush(QColor(Qt::black));
        p.drawRect(QRectF(0, 0, 20, 20));  // the top left corner
    }
    struct Row {
        Side_Mirror mirror;
        QPoint black;
    };
    for (const Row &r : {Row{Side_Mirror::None, {10, 10}}, Row{Side_Mirror::Horizontal, {2013, 10}},
                         Row{Side_Mirror::Vertical, {10, 1266}}}) {
        QImage image;
        ASSERT_TRUE(image.loadFromData(Rendered_Side_File_Data(s, "png", true, r.mirror), "PNG"));
        EXPECT_EQ(image.pixelColor(r.black), QColor(Qt::black)) << int(r.mirror);
        EXPECT_EQ(image.pixelColor(1000, 600), QColor(Qt::white)) << int(r.mirror);
    }
}

TEST(ExportWriter, CombinedPictureFrontFirst)
{
    QTemporaryDir dir;
    Output_Run_State state;
    touch(dir.filePath("Card_1.png"));
    EXPECT_EQ(Export_Combined_Image(side(Qt::red), side(Qt::blue), dir.filePath("Card_1.png"), false, true, state),
              Export_Write::Written);
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());  // no keep/replace question
    const QImage wide(dir.filePath("Card_1.png"));
    EXPECT_EQ(wide.size(), QSize(4046, 1276));
    EXPECT_EQ(wide.pixelColor(1000, 600), QColor(Qt::red));
    EXPECT_EQ(wide.pixelColor(3000, 600), QColor(Qt::blue));

    testsupport::boxes().answerNext(1);
    EXPECT_EQ(Export_Combined_Image(side(Qt::red), side(Qt::blue), dir.filePath("Card_2.png"), true, false, state),
              Export_Write::Written);
    const QImage tall(dir.filePath("Card_2.png"));
    EXPECT_EQ(tall.size(), QSize(2023, 2552));
    EXPECT_EQ(tall.pixelColor(1000, 600), QColor(Qt::red));
    EXPECT_EQ(tall.pixelColor(1000, 2000), QColor(Qt::blue));
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"Open exported file.\n" + dir.filePath("Card_2.png") + "\nCard has been exported successfully."});

    EXPECT_EQ(Export_Combined_Image(side(Qt::red), RenderedSide(), dir.filePath("Card_3.png"), false, true, state),
              Export_Write::Failed);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Card_3.png")));
}

TEST(ExportWriter, AFileThatCannotBeWrittenIsCountedNotExported)
{
    QTemporaryDir dir;
    // A folder where the file should go: nothing can be written there, for any user.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Card_1_Front.png"));
    Output_Run_State state;
    state.replace_keep_file_flag = Keep_Replace_Replace_All;
    EXPECT_EQ(Export_File_Function(dir.filePath("Card_1_Front.png"), side(Qt::red), true, false, true, state),
              Export_Write::Failed);
    EXPECT_EQ(state.failed_files.load(), 1);
    EXPECT_FALSE(state.check_any_card_exported.load());
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());  // no success message
}

TEST(ExportWriter, WrittenFilesAreReadableByOthersButNotWritable)
{
    QTemporaryDir dir;
    Output_Run_State state;
    ASSERT_EQ(Export_File_Function(dir.filePath("Card_1_Front.png"), side(Qt::red), false, true, false, state),
              Export_Write::Written);
    EXPECT_EQ(QFileInfo(dir.filePath("Card_1_Front.png")).permissions(),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
                  | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}
} // namespace

// The watermark of an exported file has the size it has on the canvas, in points,
// whatever the file's resolution: read back from the PNG and from the PDF drawn by
// poppler at 600 dpi.
TEST(ExportWriter, TheWatermarkKeepsItsSizeInEveryFile)
{
    Card_Property prop;
    prop.setWatermark_Used(true);
    prop.setWatermark_Text("WWWWWW");
    prop.setWatermark_Color(Qt::black);
    prop.setWatermark_Transp(1.0f);
    prop.setWatermark_Font(Font_With_Name("Arial", 12));
    Export_Side front{{}, &prop, QRectF(0, 0, 243, 154), Application_Render_Resources(asLoaded())};
    struct Row {
        const char *ext;
        int alignment;
        // The ink of six 12 point capitals W, in card points.
        double top, bottom, left, right;
    };
    const Row rows[] = {
        {"png", 0, 2.5, 10.8, 87, 155},
        {"png", 2, 142.5, 151, 87, 155},
        {"pdf", 0, 2.5, 10.8, 87, 155},
        {"pdf", 2, 142.5, 151, 87, 155},
    };
    for (const Row &r : rows) {
        if (QByteArray(r.ext) == "pdf" && !pdfprobe::havePoppler()) continue;
        prop.setWatermark_Alignment(r.alignment);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Card.%1").arg(r.ext));
        ASSERT_TRUE(Write_Export_Files(path, Export_Layout::Front, front, front, nullptr, nullptr));
        QImage image;
        if (QByteArray(r.ext) == "pdf") {
            const auto pages = pdfprobe::pdfPages(Create_Front_Card_Path(path), 600, dir.path());
            ASSERT_EQ(pages.size(), 1u);
            image = pages[0];
        } else {
            image = QImage(Create_Front_Card_Path(path));
        }
        ASSERT_EQ(image.size(), QSize(2025, 1284)) << r.ext;
        const double perPoint = 600.0 / 72.0;
        int top = -1, bottom = -1, left = image.width(), right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 100 && qGray(image.pixel(x, y)) < 128) {
                    if (top < 0) top = y;
                    bottom = y;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        const std::string where = QStringLiteral("%1 alignment %2").arg(r.ext).arg(r.alignment).toStdString();
        EXPECT_NEAR(top / perPoint, r.top, 0.75) << where;
        EXPECT_NEAR((bottom + 1) / perPoint, r.bottom, 0.75) << where;
        EXPECT_NEAR(left / perPoint, r.left, 0.75) << where;
        EXPECT_NEAR((right + 1) / perPoint, r.right, 0.75) << where;
    }
}

// Both sides over another user's files in a shared folder: refused, the message says
// whose file is in the way, and both stay as they were.
TEST(ExportWriter, AnotherUsersFileInASharedFolderIsSaidToBeInTheWay)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's files needs root";
    const testsupport::Shared_Folder shared;
    ASSERT_TRUE(shared.plantFile("Card_1_Back.png", "their back"));
    ASSERT_TRUE(shared.plantFile("Card_1_Front.png", "their front"));
    Card_Property prop;
    const Export_Side card{{}, &prop, QRectF(0, 0, 243, 154), Application_Render_Resources(asLoaded())};
    QString error;
    {
        const testsupport::Acting_As_Test_User user;
        ASSERT_TRUE(user.acting());
        EXPECT_FALSE(Write_Export_Files(shared.filePath("Card_1.png"), Export_Layout::Both, card, card, nullptr, &error,
                                        Side_Mirror::None, File_Link::Replace));
    }
    EXPECT_EQ(error, "Unable to save the file \"" + shared.filePath("Card_1_Back.png") +
                         "\".\n\n\"Card_1_Back.png\" in this shared folder is another user's file, which only they "
                         "can replace. Please choose another name.");
    for (const char *name : {"Card_1_Back.png", "Card_1_Front.png"}) {
        QFile kept(shared.filePath(name));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), name == QByteArray("Card_1_Back.png") ? "their back" : "their front");
    }
}

// A combined picture under a name typed in the panel, over another user's link in a shared
// folder that points to the user's own file: refused with the message that says whose link
// is in the way, the user's file as it was.
TEST(ExportWriter, AnotherUsersLinkInASharedFolderIsNotWrittenThrough)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's links needs root";
    const testsupport::Test_Users_File thesis("thesis.odt", "thesis");
    ASSERT_TRUE(thesis.made());
    const testsupport::Shared_Folder shared;
    ASSERT_TRUE(shared.plantLink("Wide.png", thesis.path()));
    Card_Property prop;
    const Export_Side card{{}, &prop, QRectF(0, 0, 243, 154), Application_Render_Resources(asLoaded())};
    QString error;
    {
        const testsupport::Acting_As_Test_User user;
        ASSERT_TRUE(user.acting());
        EXPECT_FALSE(Write_Export_Files(shared.filePath("Wide.png"), Export_Layout::Combined_Side_By_Side, card, card,
                                        nullptr, &error, Side_Mirror::None, File_Link::Write_Through));
    }
    EXPECT_EQ(error, "Unable to save the file \"" + shared.filePath("Wide.png") +
                         "\".\n\n\"Wide.png\" in this shared folder is another user's link, which only they can "
                         "replace. Please choose another name.");
    EXPECT_EQ(thesis.bytes(), "thesis");
    EXPECT_TRUE(QFileInfo(shared.filePath("Wide.png")).isSymLink());
}

} // namespace export_writer_test
