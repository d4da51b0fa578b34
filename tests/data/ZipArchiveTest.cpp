#include "Checkers.h"
#include "TextFiles.h"
#include "ZipArchive.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <minizip/zip.h>
#include <stdexcept>

namespace {

using testsupport::readText;
using testsupport::writeText;

// Makes archives with Python's zipfile: each argument "name=file.zip" followed by the
// entries as name|text pairs is one archive; special forms are handled in the script.
const char *kCraft = R"(
import sys, zipfile, os
out = sys.argv[1]
def make(name, entries, method=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(os.path.join(out, name), 'w', method) as z:
        for n, data in entries:
            z.writestr(n, data)
make('backslash.zip', [('dir\\sub\\a.txt', 'A'), ('dir\\b.txt', 'B')])
make('dotdot.zip', [('ok.txt', 'ok'), ('../evil.txt', 'evil')])
make('abs.zip', [(os.path.join(out, 'abs.txt'), 'abs')])
link = zipfile.ZipInfo('link')
link.create_system = 3
link.external_attr = (0o120777 << 16)
make('link.zip', [(link, out)])
make('empty.zip', [])
for name, method in (('stored.zip', zipfile.ZIP_STORED), ('deflated.zip', zipfile.ZIP_DEFLATED)):
    make(name, [('data.txt', 'hello world ' * 2000)], method)
    with zipfile.ZipFile(os.path.join(out, name)) as z:
        info = z.getinfo('data.txt')
    path = os.path.join(out, name)
    raw = bytearray(open(path, 'rb').read())
    start = info.header_offset + 30 + len(info.filename) + len(info.extra)
    raw[start + info.compress_size // 2] ^= 0x10
    open(path, 'wb').write(bytes(raw))
open(os.path.join(out, 'truncated.zip'), 'wb').write(open(os.path.join(out, 'backslash.zip'), 'rb').read()[:60])
)";

class ZipArchiveTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        crafted = new QTemporaryDir;
        const QString out = checkers::python(QString::fromLatin1(kCraft), {crafted->path()});
        ASSERT_EQ(out, "");
    }
    static void TearDownTestSuite() { delete crafted; }
    static QString archive(const char *name) { return crafted->path() + u'/' + QString::fromLatin1(name); }

    static QTemporaryDir *crafted;
    QTemporaryDir work;
    QString dest = work.path() + QStringLiteral("/out");
};
QTemporaryDir *ZipArchiveTest::crafted = nullptr;

} // namespace

TEST_F(ZipArchiveTest, BackslashNamesUnpackIntoFolders)
{
    EXPECT_TRUE(ZipArchive::unzipFileAtPath(archive("backslash.zip"), dest));
    EXPECT_EQ(readText(dest + "/dir/sub/a.txt"), "A");
    EXPECT_EQ(readText(dest + "/dir/b.txt"), "B");
}

TEST_F(ZipArchiveTest, OverwriteOffKeepsAnExistingFileAndSucceeds)
{
    writeText(dest + "/dir/b.txt", "mine");
    EXPECT_TRUE(ZipArchive::unzipFileAtPath(archive("backslash.zip"), dest, false));
    EXPECT_EQ(readText(dest + "/dir/b.txt"), "mine");
    EXPECT_EQ(readText(dest + "/dir/sub/a.txt"), "A");
}

TEST_F(ZipArchiveTest, ATargetThatCannotBeWrittenFailsTheCall)
{
    QDir().mkpath(dest + "/dir/b.txt");  // a folder where the entry's file goes
    EXPECT_FALSE(ZipArchive::unzipFileAtPath(archive("backslash.zip"), dest));
    EXPECT_TRUE(QFileInfo(dest + "/dir/b.txt").isDir());
}

TEST_F(ZipArchiveTest, ArchivesThatCannotBeOpenedGiveTheirErrors)
{
    const struct { const char *name; int code; const char *text; } rows[] = {
        {"missing.zip", -1, "failed to open zip file"},
        {"truncated.zip", -1, "failed to open zip file"},
        {"empty.zip", -2, "failed to open first file in zip file"},
    };
    for (const auto &r : rows) {
        ZipError error;
        EXPECT_FALSE(ZipArchive::unzipFileAtPath(archive(r.name), dest, true, {}, &error)) << r.name;
        EXPECT_EQ(error.code, r.code) << r.name;
        EXPECT_EQ(error.description, r.text) << r.name;
    }
}

// Entries that would land outside the destination, links, and damaged data fail the
// call; nothing appears outside, no partial file replaces an old one, and what the
// call unpacked before the bad entry is removed again.
TEST_F(ZipArchiveTest, HostileOrDamagedEntriesAreRefused)
{
    const struct { const char *archive; const char *kept; int files; } rows[] = {
        {"dotdot.zip", nullptr, 0},  // "ok.txt", written before the bad entry, is removed
        {"abs.zip", nullptr, 0}, {"link.zip", nullptr, 0},
        {"stored.zip", "data.txt", 1}, {"deflated.zip", "data.txt", 1},
    };
    for (const auto &r : rows) {
        QDir(dest).removeRecursively();
        if (r.kept) writeText(dest + u'/' + r.kept, "old");
        EXPECT_FALSE(ZipArchive::unzipFileAtPath(archive(r.archive), dest)) << r.archive;
        EXPECT_FALSE(QFileInfo::exists(work.path() + "/evil.txt")) << r.archive;
        EXPECT_FALSE(QFileInfo::exists(crafted->path() + "/abs.txt")) << r.archive;
        EXPECT_FALSE(QFileInfo(dest + "/link").isSymLink()) << r.archive;
        if (r.kept) {
            EXPECT_EQ(readText(dest + u'/' + r.kept), "old") << r.archive;
        }
        EXPECT_EQ(QDir(dest).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), r.files) << r.archive;
    }
}

TEST_F(ZipArchiveTest, OneEntryIsReadIntoMemoryOnlyWhole)
{
    const struct { const char *archive, *entry, *bytes; } rows[] = {
        {"dotdot.zip", "ok.txt", "ok"}, {"dotdot.zip", "missing.txt", ""},
        {"stored.zip", "data.txt", ""}, {"deflated.zip", "data.txt", ""}, {"truncated.zip", "dir\\b.txt", ""},
    };
    for (const auto &r : rows) {
        QByteArray bytes = "stale";
        EXPECT_EQ(ZipArchive::readEntry(archive(r.archive), r.entry, bytes), *r.bytes != 0) << r.archive << r.entry;
        EXPECT_EQ(bytes, r.bytes) << r.archive << r.entry;
    }
}

TEST_F(ZipArchiveTest, CreatedArchivesNameEntriesRelativeToEachListedItem)
{
    const QString src = work.path() + "/src";
    writeText(src + "/xl/worksheets/sheet1.xml", "<sheet/>");
    writeText(src + "/xl/styles.xml", "<styles/>");
    writeText(src + "/top.txt", "top");
    QDir().mkpath(src + "/empty");
    const QString zip = work.path() + "/made.zip";
    ASSERT_TRUE(ZipArchive::createZipFileAtPath(zip, {src + "/xl/", src + "/top.txt", src + "/empty"}));
    {
        ZipArchive more(work.path() + "/data.zip");
        ASSERT_TRUE(more.open());
        EXPECT_TRUE(more.writeData("bytes", "note.txt"));
        EXPECT_TRUE(more.close());
    }
    const QString listing = checkers::python(QStringLiteral(R"(
import sys, zipfile
for path in sys.argv[1:]:
    for i in zipfile.ZipFile(path).infolist():
        print(i.filename, '%d-%d-%d' % i.date_time[:3], zipfile.ZipFile(path).read(i).decode())
)"), {zip, work.path() + "/data.zip"});
    const QDate today = QDate::currentDate();
    EXPECT_EQ(listing, QStringLiteral("xl/styles.xml 1980-0-0 <styles/>\n"
                                      "xl/worksheets/sheet1.xml 1980-0-0 <sheet/>\n"
                                      "top.txt 1980-0-0 top\n"
                                      "empty/ 1980-0-0 \n"
                                      "note.txt %1-%2-%3 bytes\n")
                           .arg(today.year()).arg(today.month()).arg(today.day()));
    EXPECT_TRUE(ZipArchive::unzipFileAtPath(zip, dest));
    EXPECT_EQ(readText(dest + "/xl/worksheets/sheet1.xml"), "<sheet/>");
    EXPECT_TRUE(QFileInfo(dest + "/empty").isDir());
}

TEST_F(ZipArchiveTest, FailedCreationLeavesNoArchive)
{
    const struct { const char *why; QString archive; QString item; } rows[] = {
        {"missing source", work.path() + "/a.zip", work.path() + "/no-such-file"},
        {"unwritable target", work.path() + "/no-such-folder/a.zip", work.path()},
    };
    for (const auto &r : rows) {
        EXPECT_FALSE(ZipArchive::createZipFileAtPath(r.archive, {r.item})) << r.why;
        EXPECT_FALSE(QFileInfo::exists(r.archive)) << r.why;
    }
}

// minizip here cannot decrypt: an encrypted entry is never read, with or without a
// password, and leaves no file.
TEST_F(ZipArchiveTest, EncryptedEntriesLeaveNoFile)
{
    const QString zip = work.path() + "/secret.zip";
    zipFile z = zipOpen(QFile::encodeName(zip).constData(), APPEND_STATUS_CREATE);
    ASSERT_NE(z, nullptr);
    const QByteArray text = "card data";
    const uLong crc = 0x3a4286dfUL;  // CRC-32 of "card data": its high byte checks the password
    ASSERT_EQ(zipOpenNewFileInZip3(z, "secret.txt", nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, -1, 0,
                                   -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, "pass", crc), ZIP_OK);
    zipWriteInFileInZip(z, text.constData(), unsigned(text.size()));
    zipCloseFileInZip(z);
    zipClose(z, nullptr);
    for (const char *password : {"", "pass"}) {
        EXPECT_FALSE(ZipArchive::unzipFileAtPath(zip, dest, true, password)) << password;
        EXPECT_FALSE(QFileInfo::exists(dest + "/secret.txt")) << password;
    }
}

TEST(ZipArchiveMisuse, OperationsOutOfOrderThrow)
{
    QTemporaryDir dir;
    ZipArchive never(dir.path() + "/never.zip");
    EXPECT_THROW(never.close(), std::logic_error);
    EXPECT_THROW(never.writeFile("x", dir.path()), std::logic_error);
    EXPECT_FALSE(never.writeData("x", "x"));
    ZipArchive twice(dir.path() + "/twice.zip");
    ASSERT_TRUE(twice.open());
    EXPECT_THROW(twice.open(), std::logic_error);
    EXPECT_TRUE(twice.close());
}
