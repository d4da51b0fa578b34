// The Export Card command of the output desk: save panel, the files written for each
// side choice, their size and resolution, PDF pages, and a target that cannot be written.
#include "Card_Property.h"
#include "CompletedName.h"
#include "DeskFixture.h"
#include "Dialogs.h"
#include "Export_Card_Dialog.h"
#include "Export_File_Writer.h"
#include "OutsideFolder.h"
#include "Paths.h"
#include "QStringPrinter.h"
#include "Shape_Control.h"
#include "TestSupport.h"
#include "WorkingFolder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {
struct ExportCardTest : ::testing::Test {
    testsupport::Desk d;
    QTemporaryDir dir;
    QStringList opened;
    QSizeF card;

    void SetUp() override
    {
        testsupport::boxes().clear();
        testsupport::clearFilePanels();
        Set_Open_Url_Answerer([this](const QString &p) { opened << p; return true; });
        d.document.Front_card_Prop.setCard_Side("2");
        card = d.document.cardBounds().size();
        fill(d.front(), Qt::red);
        fill(d.back(), Qt::blue);
    }
    void TearDown() override { Set_Open_Url_Answerer({}); }
    static void fill(SKTGraphicList &side, const QColor &colour)
    {
        auto s = Shape_Control::create();
        s->_bounds = QRectF(10, 10, 40, 40);
        s->_fillColor = colour;
        s->_isDrawingStroke = false;
        side.insert(s);
    }
    bool exportAs(const QString &name, Export_Layout layout, const QString &ext)
    {
        testsupport::queueFilePanelAnswer({Path_Join(dir.path(), name)});
        Export_Card_Options options;
        options.layout = layout;
        options.extension = ext;
        return d.desk.Export_Card(options);
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    int px(double points) const { return int(std::ceil(points * Export_Picture_DPI / 72.0 - 1e-6)); }
};

TEST_F(ExportCardTest, FrontPictureHasCardProportionsResolutionAndColours)
{
    const int counter = export_card_counter;
    testsupport::boxes().answerNext(1);  // open the exported file
    ASSERT_TRUE(exportAs("Card.png", Export_Layout::Front, "png"));
    EXPECT_EQ(files(), QStringList{"Card_Front.png"});
    EXPECT_EQ(export_card_counter, counter + 1);
    EXPECT_EQ(opened, QStringList{dir.filePath("Card_Front.png")});
    EXPECT_TRUE(testsupport::boxes().take().join("|").contains("File has been exported successfully."));

    const QImage image(dir.filePath("Card_Front.png"));
    EXPECT_NEAR(image.width(), px(card.width()), 1);
    EXPECT_NEAR(image.height(), px(card.height()), 1);
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, Export_Picture_DPI, 1);
    EXPECT_EQ(image.pixelColor(px(30), px(30)).rgb(), QColor(Qt::red).rgb());
}

TEST_F(ExportCardTest, BothSidesAsTwoFilesOrOneCombinedPicture)
{
    testsupport::boxes().clear();
    ASSERT_TRUE(exportAs("Card.jpg", Export_Layout::Both, "jpg"));
    EXPECT_EQ(files(), (QStringList{"Card_Back.jpg", "Card_Front.jpg"}));
    // The closing box names both files written.
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"Open exported file.\n" + dir.filePath("Card_Front.jpg") + "\n"
                                                       + dir.filePath("Card_Back.jpg")
                                                       + "\nFile has been exported successfully."});
    const QImage back(dir.filePath("Card_Back.jpg"));
    EXPECT_LT(back.pixelColor(px(30), px(30)).red(), 40);
    EXPECT_GT(back.pixelColor(px(30), px(30)).blue(), 200);

    ASSERT_TRUE(exportAs("Wide.png", Export_Layout::Combined_Side_By_Side, "png"));
    const QImage wide(dir.filePath("Wide.png"));
    EXPECT_NEAR(wide.width(), 2 * px(card.width()), 2);
    EXPECT_NEAR(wide.height(), px(card.height()), 1);
    EXPECT_EQ(wide.pixelColor(wide.width() / 2 + px(30), px(30)).rgb(), QColor(Qt::blue).rgb());

    ASSERT_TRUE(exportAs("Tall.bmp", Export_Layout::Combined_Above, "bmp"));
    const QImage tall(dir.filePath("Tall.bmp"));
    EXPECT_NEAR(tall.height(), 2 * px(card.height()), 2);
    EXPECT_EQ(tall.pixelColor(px(30), px(30)).rgb(), QColor(Qt::red).rgb()) << "front on top";
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Wide_Front.png")));
}

// A name beginning with ":" is a plain name: the files go into the folder chosen, and
// nothing into the working folder.
TEST_F(ExportCardTest, ANameBeginningWithAColonIsWrittenInTheChosenFolder)
{
    testsupport::WorkingFolder work;
    const struct { const char *name; Export_Layout layout; const char *written, *opened; } rows[] = {
        {":Card.png", Export_Layout::Both, ":Card_Back.png|:Card_Front.png", ":Card_Front.png|:Card_Back.png"},
        {":Card.jpg", Export_Layout::Front, ":Card_Front.jpg", ":Card_Front.jpg"},
        {":.pdf", Export_Layout::Back, ":_Back.pdf", ":_Back.pdf"},
        {":Wide.png", Export_Layout::Combined_Side_By_Side, ":Wide.png", ":Wide.png"},
    };
    for (const auto &r : rows) {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        opened.clear();
        testsupport::boxes().answerNext(1);  // open the exported file
        ASSERT_TRUE(exportAs(r.name, r.layout, QFileInfo(r.name).suffix())) << r.name;
        EXPECT_EQ(files().join(u'|'), QString(r.written));
        QStringList expected;
        for (const QString &name : QString(r.opened).split(u'|')) expected << Path_Join(dir.path(), name);
        EXPECT_EQ(opened.join(u'|'), expected.join(u'|'));
    }
    EXPECT_EQ(QImage(Path_Join(dir.path(), ":Wide.png")).pixelColor(px(30), px(30)).rgb(), QColor(Qt::red).rgb());
    EXPECT_EQ(work.written(), QStringList());
}

TEST_F(ExportCardTest, PdfPageIsTheCardSize)
{
    const auto checkPage = [](const QString &path, double width, double height) {
        QProcess p;
        p.start("pdfinfo", {path});
        ASSERT_TRUE(testsupport::checkerFinished(p));
        const QString info = QString::fromUtf8(p.readAllStandardOutput());
        const auto m = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
        ASSERT_TRUE(m.hasMatch()) << info.toStdString();
        EXPECT_NEAR(m.captured(1).toDouble(), width, 0.5);
        EXPECT_NEAR(m.captured(2).toDouble(), height, 0.5);
        EXPECT_TRUE(info.contains(QRegularExpression(R"(Pages:\s+1\b)")));
    };
    ASSERT_TRUE(exportAs("Card.pdf", Export_Layout::Back, "pdf"));
    checkPage(dir.filePath("Card_Back.pdf"), card.width(), card.height());
    ASSERT_TRUE(exportAs("Wide.PDF", Export_Layout::Combined_Side_By_Side, "pdf"));
    checkPage(dir.filePath("Wide.PDF"), 2 * card.width(), card.height());
}

TEST_F(ExportCardTest, ExistingFileRefusedProposesTheNextName)
{
    ASSERT_TRUE(exportAs("Card.png", Export_Layout::Front, "png"));
    testsupport::boxes().clear();
    const int counter = export_card_counter;
    testsupport::clearFilePanels();
    testsupport::boxes().answerNext(0);  // do not replace: the panel comes again and is cancelled
    EXPECT_FALSE(exportAs("Card.png", Export_Layout::Front, "png"));
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"Card_Front.png already exists. Do you want to replace it?"});
    EXPECT_EQ(testsupport::filePanelRequests().size(), 2);
    EXPECT_EQ(export_card_counter, counter + 1);
    EXPECT_EQ(files(), QStringList{"Card_Front.png"});
}

TEST_F(ExportCardTest, EachFileIsOfTheTypeItsExtensionNames)
{
    const std::pair<QString, QByteArray> rows[] = {
        {"png", "\x89PNG\r\n"}, {"jpg", "\xFF\xD8\xFF"}, {"bmp", "BM"},
        {"tiff", "II*"},           {"pdf", "%PDF-"},
    };
    for (const auto &[ext, magic] : rows) {
        ASSERT_TRUE(exportAs("Card." + ext, Export_Layout::Front, ext));
        QFile file(dir.filePath("Card_Front." + ext));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << ext.toStdString();
        const QByteArray head = file.read(magic.size());
        EXPECT_EQ(head.toHex(), magic.toHex()) << ext.toStdString();
    }
}

TEST_F(ExportCardTest, TheReplaceQuestionOfACombinedPictureNamesIt)
{
    ASSERT_TRUE(exportAs("Wide.png", Export_Layout::Combined_Side_By_Side, "png"));
    testsupport::boxes().clear();
    testsupport::boxes().answerNext(1);  // replace
    ASSERT_TRUE(exportAs("Wide.png", Export_Layout::Combined_Side_By_Side, "png"));
    EXPECT_EQ(testsupport::boxes().take().value(0), "Wide.png already exists. Do you want to replace it?");
    EXPECT_EQ(files(), QStringList{"Wide.png"});
}

// The sides joined, typed "J.txt": "J.txt.png" is written, asked about by that name, and
// a link there is replaced.
TEST_F(ExportCardTest, AJoinedPictureIsAskedAboutByTheNameItIsWritten)
{
    Export_Card_Options options;
    options.layout = Export_Layout::Combined_Above;
    options.extension = "png";
    testsupport::Check_Completed_Name("J.txt", "J.txt.png", [&] { d.desk.Export_Card(options); });
}

TEST_F(ExportCardTest, UnwritableTargetReportsAndLeavesNothing)
{
    EXPECT_FALSE(exportAs("missing/Card.png", Export_Layout::Both, "png"));
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().contains("Unable to save the file"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
}
// Both sides over an earlier pair, answered "replace", when the front cannot be put in
// place: the earlier back stays as it was, so the pair is never half new.
TEST_F(ExportCardTest, APairThatCannotBeWrittenWholeLeavesTheEarlierPair)
{
    QFile old(dir.filePath("Pair_Back.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier back");
    old.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("Pair_Front.png"));
    testsupport::boxes().answerNext(1);  // replace
    EXPECT_FALSE(exportAs("Pair.png", Export_Layout::Both, "png"));
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].contains("Unable to save the file \"" + dir.filePath("Pair_Front.png") + "\"")) << shown[1].toStdString();
    EXPECT_EQ(files(), QStringList{"Pair_Back.png"});
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "earlier back");
}

// The side files are named after the typed name: a link under one, to a file elsewhere
// or leading nowhere, is a file already there (asked about, in one question naming every
// side file there), and is replaced by the side file; nothing outside the folder changes
// or appears.
TEST_F(ExportCardTest, ALinkUnderASideFileIsAskedAboutAndReplaced)
{
    struct Row {
        Export_Layout layout;
        const char *toFile, *toNowhere, *asked;
    };
    const Row rows[] = {
        {Export_Layout::Both, "Card_Front.png", "Card_Back.png",
         "Card_Back.png and Card_Front.png already exist. Do you want to replace them?"},
        {Export_Layout::Front, nullptr, "Card_Front.png", "Card_Front.png already exists. Do you want to replace it?"},
    };
    const auto bytes = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    for (const Row &r : rows) {
        QTemporaryDir folder;
        const testsupport::OutsideFolder outside;
        if (r.toFile) {
            ASSERT_TRUE(outside.link(folder.filePath(r.toFile), "thesis.odt"));
        }
        ASSERT_TRUE(outside.link(folder.filePath(r.toNowhere), "autostart.desktop"));
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(1);  // replace
        testsupport::queueFilePanelAnswer({folder.filePath("Card.png")});
        Export_Card_Options options;
        options.layout = r.layout;
        options.extension = "png";
        ASSERT_TRUE(d.desk.Export_Card(options)) << r.asked;
        EXPECT_EQ(testsupport::boxes().take().value(0), r.asked);
        EXPECT_EQ(outside.contents(), "thesis.odt=thesis;");
        for (const char *name : {r.toFile, r.toNowhere}) {
            if (!name) continue;
            const QFileInfo written(folder.filePath(name));
            EXPECT_TRUE(written.isFile() && !written.isSymLink()) << name;
            EXPECT_EQ(bytes(written.filePath()).left(4), "\x89PNG") << name;
        }
    }
}

TEST_F(ExportCardTest, TheSideNotShownCarriesTheSelectedPerson)
{
    // Group mode's copy of the side not shown (a green square): written in place of that
    // side, while the side shown is written as it stands.
    auto person = Shape_Control::create();
    person->_bounds = QRectF(10, 10, 40, 40);
    person->_fillColor = Qt::green;
    person->_isDrawingStroke = false;
    d.host.notShownFilled = std::make_shared<SideCopy>(std::vector<KeyedArchive>{person->encode()},
                                                        std::vector<QRectF>{}, d.document.cardBounds());
    const struct {
        int shown;
        QRgb front, back;
    } rows[] = {
        {0, QColor(Qt::red).rgb(), QColor(Qt::green).rgb()},
        {1, QColor(Qt::green).rgb(), QColor(Qt::blue).rgb()},
    };
    for (const auto &row : rows) {
        d.document.Card_Front_Or_Back = row.shown;
        const QString name = QStringLiteral("Shown%1.png").arg(row.shown);
        ASSERT_TRUE(d.desk.Export_Single_File(dir.filePath(name), Export_Layout::Both, false)) << row.shown;
        const QString stem = dir.filePath(QStringLiteral("Shown%1").arg(row.shown));
        EXPECT_EQ(QImage(stem + "_Front.png").pixelColor(px(30), px(30)).rgb(), row.front) << row.shown;
        EXPECT_EQ(QImage(stem + "_Back.png").pixelColor(px(30), px(30)).rgb(), row.back) << row.shown;
    }
    EXPECT_EQ(d.front().count(), 1);  // the design is not touched
    EXPECT_EQ(d.back().count(), 1);
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}
} // namespace

TEST_F(ExportCardTest, ACardTooLargeForItsPictureIsSaidBeforeAnyPanel)
{
    d.setCardSize(QSizeF(kLargestCardSidePoints, 154));
    const struct {
        const char *ext;
        QString shown;  // empty: the save panel comes
    } rows[] = {
        {"PNG", "\nThe card is too large to be exported as a picture at 600 dpi: it would be 236,221 x 1,284 pixels, "
                   "more than the 100 million pixels a picture can have.\n\nExport it as a PDF file, or make the card "
                   "smaller."},
        {"PDF", ""},
    };
    for (const auto &r : rows) {
        testsupport::boxes().clear();
        testsupport::clearFilePanels();
        d.runner.answer<Export_Card_Dialog>([&](Export_Card_Dialog &w) {
            w.fileTypePopup->setCurrentIndex(int(Export_Card_Dialog::fileTypes().indexOf(r.ext)));
            w.accept();
        });
        d.desk.Export_Card_Clicked();
        if (r.shown.isEmpty()) {
            EXPECT_EQ(testsupport::filePanelRequests().size(), 1) << r.ext;
        } else {
            EXPECT_EQ(testsupport::boxes().take(), QStringList{r.shown}) << r.ext;
            EXPECT_TRUE(testsupport::filePanelRequests().isEmpty()) << r.ext;
        }
    }
    EXPECT_TRUE(files().isEmpty());
}
