// Names beginning with ":" typed, listed in a folder or carried in an archive are plain
// names of their folder: each file lands in the folder meant, nothing in the working
// folder.
#include "CardValueEngine.h"
#include "Checkers.h"
#include "Globals.h"
#include "ListImport.h"
#include "Paths.h"
#include "QStringPrinter.h"
#include "SeriesFile.h"
#include "SpreadsheetWriter.h"
#include "TextFiles.h"
#include "WorkingFolder.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
using testsupport::readText;
using testsupport::writeText;

// Every entry of the archives with its bytes, read by Python's zipfile.
QString zipListing(const QString &path)
{
    return checkers::python(QStringLiteral(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
for n in z.namelist():
    print(n, z.read(n).decode(errors='replace')[:20])
)"),
                            {path});
}
} // namespace

TEST(PlainNames, SeriesNamesBeginningWithAColonAreFilesOfTheDataFolder)
{
    testsupport::WorkingFolder work;
    QTemporaryDir dir;
    EXPECT_EQ(SeriesFile::Path(dir.path(), ":Staff"), dir.path() + "/:Staff.txt");
    ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(dir.path(), ":Staff"), {"A", "B"}));
    EXPECT_EQ(readText(dir.path() + "/:Staff.txt"), "A\nB\n");
    EXPECT_TRUE(SeriesFile::Exists(dir.path(), ":Staff"));
    EXPECT_EQ(SeriesFile::Free_Name(dir.path(), ":Staff"), ":Staff (1)");
    EXPECT_EQ(SeriesFile::Names(dir.path()), QStringList{":Staff"});
    // A series named in a design is read from its file in the folder.
    CardValueEngine engine(dir.path());
    EXPECT_EQ(engine.Series_Values(":Staff").value_or(QStringList()).join(u'|'), "A|B");
    EXPECT_EQ(work.written(), QStringList());
}

TEST(PlainNames, PicturesListedInAFolderKeepTheirFolder)
{
    testsupport::WorkingFolder work;
    QTemporaryDir dir;
    for (const char *name : {":b.png", "a.jpg"}) writeText(dir.path() + '/' + name, "x");
    EXPECT_EQ(ListImport::Image_Folder_Values(dir.path()), (QStringList{dir.path() + "/:b.png", dir.path() + "/a.jpg"}));
}

// An archive made of files and folders named with ":" holds them under their names, and
// unpacks them into the folder given.
TEST(PlainNames, ArchiveEntriesBeginningWithAColon)
{
    testsupport::WorkingFolder work;
    QTemporaryDir dir;
    const QString src = dir.path() + "/src";
    writeText(src + "/:top.txt", "top");
    writeText(src + "/:sub/:inner.txt", "inner");
    const QString zip = dir.path() + "/made.zip";
    ASSERT_TRUE(ZipArchive::createZipFileAtPath(zip, {src + "/:top.txt", src + "/:sub"}));
    EXPECT_EQ(zipListing(zip), ":top.txt top\n:sub/:inner.txt inner\n");
    {
        ZipArchive more(dir.path() + "/more.zip");
        ASSERT_TRUE(more.open());
        EXPECT_TRUE(more.writeFile(":sub", src));
        EXPECT_TRUE(more.close());
    }
    EXPECT_EQ(zipListing(dir.path() + "/more.zip"), ":sub/:inner.txt inner\n");
    ASSERT_TRUE(ZipArchive::unzipFileAtPath(zip, dir.path() + "/out"));
    EXPECT_EQ(readText(dir.path() + "/out/:top.txt") + '|' + readText(dir.path() + "/out/:sub/:inner.txt"),
              "top|inner");
    EXPECT_EQ(work.written(), QStringList());
}

// A workbook template's every entry is carried into the workbook written, one named with
// ":" too.
TEST(PlainNames, AWorkbookKeepsATemplateEntryBeginningWithAColon)
{
    testsupport::WorkingFolder work;
    QTemporaryDir dir;
    const QString templates = dir.path() + "/templates";
    QDir().mkpath(templates);
    ASSERT_EQ(checkers::python(QStringLiteral(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as src, zipfile.ZipFile(sys.argv[2], 'w') as out:
    for i in src.infolist():
        out.writestr(i, src.read(i))
    out.writestr(':custom.xml', '<custom/>')
)"),
                               {Resource_Path + "Template.xlsx", templates + "/Template.xlsx"}),
              "");
    const QString book = dir.path() + "/:Book.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, {{"Name"}, {"Ann"}}, true, templates));
    EXPECT_TRUE(zipListing(book).contains(":custom.xml <custom/>\n")) << zipListing(book).toStdString();
    EXPECT_EQ(work.written(), QStringList());
}
