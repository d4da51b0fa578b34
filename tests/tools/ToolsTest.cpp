// Each developer tool run once on a small input into a temporary folder, its output read
// back: picture sizes with Qt, PDF pages with pdfinfo, symbols with zbar and ZXing-C++.
#include "BarcodeFactory.h"
#include "BarcodeReaders.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Source = QStringLiteral(PROJECT_SOURCE);

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    ToolRun r;
    if (!testsupport::processFinished(p, "program", 180000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The lines a tool wrote of its own, those starting with its name, each with its line
// feed: what Qt says at start-up ("QStandardPaths: XDG_RUNTIME_DIR not set, ...", or
// nothing in a desktop session) is not the tool's.
QString toolLines(const QString &err, const QString &tool)
{
    QString lines;
    for (const QString &line : err.split(u'\n', Qt::SkipEmptyParts))
        if (line.startsWith(tool + QStringLiteral(": "))) lines += line + u'\n';
    return lines;
}

QSize pictureSize(const QString &path) { return QImageReader(path).size(); }

struct PdfFacts {
    int pages = 0;
    QString pageSize;  // pdfinfo's "Page size:" text
    QString title;
};

PdfFacts pdfFacts(const QString &path)
{
    const ToolRun r = runTool(QStringLiteral("pdfinfo"), {path});
    PdfFacts facts;
    for (const QString &line : r.out.split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0) continue;
        const QString key = line.left(colon), value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("Pages")) facts.pages = value.toInt();
        if (key == QLatin1String("Page size")) facts.pageSize = value;
        if (key == QLatin1String("Title")) facts.title = value;
    }
    return facts;
}

bool havePdfinfo() { return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(); }

// The files below `root`, as paths relative to it, sorted.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &file : filesBelow(from)) {
        const QString target = QDir(to).filePath(file);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(QDir(from).filePath(file), target)) return false;
    }
    return true;
}

} // namespace

TEST(Tools, RenderDesignDrawsAShippedTemplate)
{
    QTemporaryDir dir;
    const QString design = Source + QStringLiteral("/resources/Templates/Visitor/Visitor Pass (h).zcd");
    struct Case {
        QStringList args;
        QString out;
        QSize size;  // of a PNG
    } cases[] = {
        {{"--side", "front", "--dpi", "300"}, "front.png", {1013, 642}},
        {{"--side", "back", "--dpi", "72"}, "back.png", {243, 154}},
        {{"--side", "front"}, "front.pdf", {}},
    };
    for (const Case &c : cases) {
        const QString out = dir.filePath(c.out);
        const ToolRun r = runTool(QStringLiteral(RENDER_DESIGN), QStringList{design} + c.args + QStringList{"-o", out});
        ASSERT_EQ(r.exitCode, 0) << qPrintable(c.out) << ": " << qPrintable(r.err);
        if (c.out.endsWith(QLatin1String(".png"))) {
            EXPECT_EQ(pictureSize(out), c.size) << qPrintable(c.out);
        } else if (havePdfinfo()) {
            const PdfFacts pdf = pdfFacts(out);
            EXPECT_EQ(pdf.pages, 1);
            EXPECT_EQ(pdf.pageSize.toStdString(), "243 x 154 pts");
        }
    }
    const QString bad = dir.filePath(QStringLiteral("not a design.zcd"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("plain text");
    f.close();
    const ToolRun r = runTool(QStringLiteral(RENDER_DESIGN), {bad, "-o", dir.filePath("bad.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(toolLines(r.err, "render-design"), "render-design: \"not a design.zcd\" is not a design file.\n")
        << qPrintable(r.err);
    EXPECT_FALSE(QFile::exists(dir.filePath("bad.png")));
}

TEST(Tools, RenderDesignRefusesAPictureOverTheBound)
{
    QTemporaryDir dir;
    // The shipped template made as long as a card may be.
    QFile shipped(Source + QStringLiteral("/resources/Templates/Visitor/Visitor Pass (h).zcd"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    QByteArray bytes = shipped.readAll();
    const QByteArray field = "<string>Card_Size</string>";
    for (qsizetype at = bytes.indexOf(field); at >= 0; at = bytes.indexOf(field, at + 1)) {
        const qsizetype from = bytes.indexOf("<string>", at + field.size()) + 8, to = bytes.indexOf("</string>", from);
        bytes.replace(from, to - from, "{28346.45, 154}");
    }
    const QString design = dir.filePath(QStringLiteral("long.zcd"));
    QFile f(design);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const ToolRun r = runTool(QStringLiteral(RENDER_DESIGN), {design, "--dpi", "600", "-o", dir.filePath("long.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(toolLines(r.err, "render-design"),
              "render-design: the side is too large for a PNG at 600 dpi: it would be 236,221 x 1,284 pixels, more "
              "than the 100 million pixels a picture can have; render it as PDF\n")
        << qPrintable(r.err);
    EXPECT_FALSE(QFile::exists(dir.filePath("long.png")));
    EXPECT_EQ(runTool(QStringLiteral(RENDER_DESIGN), {design, "-o", dir.filePath("long.pdf")}).exitCode, 0);
}

// Every picture drawn has the name and size of the one the application ships.
TEST(Tools, MakePicturesDrawsTheShippedPictures)
{
    QTemporaryDir dir;
    const ToolRun r = runTool(QStringLiteral(MAKE_PICTURES), {dir.path()});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QStringList written = filesBelow(dir.path());
    EXPECT_EQ(r.out.trimmed(), QStringLiteral("%1 pictures written to %2").arg(written.size()).arg(dir.path()));
    EXPECT_GE(written.size(), 40);
    for (const QString &file : written) {
        const QString shipped = Source + QStringLiteral("/resources/") + file;
        ASSERT_TRUE(QFile::exists(shipped)) << qPrintable(file);
        EXPECT_EQ(pictureSize(dir.filePath(file)), pictureSize(shipped)) << qPrintable(file);
    }
}

// The templates made from the shipped pictures are the shipped templates: the same
// files, previews of the same sizes.
TEST(Tools, MakeTemplatesMakesTheShippedTemplates)
{
    QTemporaryDir dir;
    const QString resources = dir.filePath(QStringLiteral("resources"));
    ASSERT_TRUE(copyTree(Source + QStringLiteral("/resources"), resources));
    ASSERT_TRUE(QDir(resources + QStringLiteral("/Templates")).removeRecursively());
    const ToolRun r = runTool(QStringLiteral(MAKE_TEMPLATES), {resources});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QString shippedTemplates = Source + QStringLiteral("/resources/Templates");
    const QStringList shipped = filesBelow(shippedTemplates);
    EXPECT_EQ(filesBelow(resources + QStringLiteral("/Templates")), shipped);
    QStringList printed = r.out.split(u'\n', Qt::SkipEmptyParts);
    printed.sort();
    QStringList designs = shipped.filter(QRegularExpression(QStringLiteral("\\.zcd$")));
    designs.replaceInStrings(QRegularExpression(QStringLiteral("\\.zcd$")), QString());
    EXPECT_EQ(printed, designs);
    for (const QString &file : shipped) {
        if (!file.endsWith(QLatin1String(".png"))) continue;
        EXPECT_EQ(pictureSize(resources + QStringLiteral("/Templates/") + file), pictureSize(shippedTemplates + u'/' + file))
            << qPrintable(file);
    }
}

TEST(Tools, RenderSampleCardWritesAPictureAndAPdf)
{
    QTemporaryDir dir;
    const ToolRun r = runTool(QStringLiteral(RENDER_SAMPLE_CARD), {Source + QStringLiteral("/resources"), dir.path()});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_EQ(filesBelow(dir.path()), QStringList({"sample-card.pdf", "sample-card.png"}));
    EXPECT_EQ(pictureSize(dir.filePath("sample-card.png")), QSize(729, 462));
    if (!havePdfinfo()) GTEST_SKIP() << "pdfinfo is not installed";
    const PdfFacts pdf = pdfFacts(dir.filePath("sample-card.pdf"));
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_EQ(pdf.pageSize.toStdString(), "243 x 154 pts");
}

// The help laid out again has the pages and title of the help the application ships.
TEST(Tools, MakeHelpLaysOutTheShippedHelp)
{
    if (!havePdfinfo()) GTEST_SKIP() << "pdfinfo is not installed";
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Help.pdf"));
    const ToolRun r = runTool(QStringLiteral(MAKE_HELP), {Source + QStringLiteral("/tools/make-help/Help.html"), out});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const PdfFacts made = pdfFacts(out), shipped = pdfFacts(Source + QStringLiteral("/resources/Help.pdf"));
    EXPECT_EQ(made.title.toStdString(), "DOZO ID Card Help");
    EXPECT_EQ(made.pageSize.toStdString(), "595 x 842 pts (A4)");
    EXPECT_GT(made.pages, 1);
    EXPECT_EQ(made.pages, shipped.pages);
}

TEST(Tools, BarcodeSamplesWritesReadableSymbols)
{
    QTemporaryDir dir;
    const ToolRun r = runTool(QStringLiteral(BARCODE_SAMPLES), {dir.path(), "150"});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QStringList written = filesBelow(dir.path());
    EXPECT_EQ(written.size(), Linear_Barcode_Titles().size() + 2);
    EXPECT_TRUE(written.contains("QR_Code.png"));
    EXPECT_TRUE(written.contains("PDF417.png"));
    for (const QString &file : written) EXPECT_FALSE(QImage(dir.filePath(file)).isNull()) << qPrintable(file);
#ifdef HAVE_ZXING
    struct Case {
        const char *file;
        ZXing::BarcodeFormat format;
        std::string text;
    } cases[] = {
        {"QR_Code.png", ZXing::BarcodeFormat::QRCode, "VISITOR 0042"},
        {"PDF417.png", ZXing::BarcodeFormat::PDF417, "VISITOR 0042"},
        {"EAN_13.png", ZXing::BarcodeFormat::EAN13, "4006381333931"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(readers::Zxing_Read(readers::Grey_Page(QImage(dir.filePath(c.file)), 40), c.format), c.text) << c.file;
#else
    GTEST_SKIP() << "ZXing-C++ is not linked in";
#endif
}
