#include "AttributeWatch.h"
#include "FileWrite.h"
#include "Plist.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Plist, RoundTripsBothFormats)
{
    const QVariantMap root{{"version", qint64(2)},
                           {"name", QString::fromUtf8("Zoë's card")},
                           {"ratio", 1.5},
                           {"flag", true},
                           {"items", QVariantList{QString("a"), QString("b")}},
                           {"blob", QByteArray("\x00\x01\x02", 3)}};
    for (PlistFormat f : {PlistFormat::Xml, PlistFormat::Binary}) {
        const auto back = Plist_From_Bytes(Plist_To_Bytes(root, f));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->toMap(), root);
    }
}

TEST(Plist, RefusesWhatIsNotAPropertyList)
{
    EXPECT_FALSE(Plist_From_Bytes(QByteArray()).has_value());
    EXPECT_FALSE(Plist_From_Bytes("this is not a property list").has_value());
    EXPECT_FALSE(Plist_From_Bytes("<?xml version=\"1.0\"?><plist><dict><key>a</key>").has_value());
}

namespace {

QByteArray xmlPlist(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>";
}

// A binary property list of the given objects (each one's bytes), object 0 the root,
// one-byte offsets and references.
QByteArray binaryPlist(const QList<QByteArray> &objects)
{
    QByteArray b = "bplist00", offsets;
    for (const QByteArray &o : objects) {
        offsets += char(b.size());
        b += o;
    }
    const int table = int(b.size());
    b += offsets;
    QByteArray trailer(32, '\0');
    trailer[6] = trailer[7] = 1;
    trailer[15] = char(objects.size());
    trailer[31] = char(table);
    return b + trailer;
}

QByteArray nested(int depth) { return xmlPlist(QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth)); }

} // namespace

TEST(Plist, RefusesNulCharactersDeepNestingAndCycles)
{
    const QByteArray nul("\0", 1);
    const struct {
        const char *what;
        QByteArray bytes;
    } refused[] = {
        {"NUL in an XML string", xmlPlist("<array><string>a" + nul + "b</string></array>")},
        {"NUL in an XML key", xmlPlist("<dict><key>a" + nul + "b</key><string>c</string></dict>")},
        {"NUL in an ASCII string", binaryPlist({"\xA1\x01", "\x53" "a" + nul + "b"})},
        {"NUL in a UTF-16 key", binaryPlist({"\xD1\x01\x02", "\x62" + nul + "a" + nul + nul, "\x51x"})},
        {"an array inside itself", binaryPlist({"\xA1" + nul})},
        {"XML nested 100000 deep", nested(100000)},
    };
    for (const auto &r : refused) EXPECT_FALSE(Plist_From_Bytes(r.bytes).has_value()) << r.what;
    // What is not refused: nesting within bounds, escaped markup, a self-closed array.
    EXPECT_TRUE(Plist_From_Bytes(nested(200)).has_value());
    EXPECT_EQ(Plist_From_Bytes(xmlPlist("<array><string>&lt;array&gt;</string><array/></array>"))->toList().size(), 2);
    EXPECT_EQ(Plist_From_Bytes(binaryPlist({"\xD1\x01\x02", "\x51k", "\x62" + nul + "a" + nul + "b"}))->toMap(),
              (QVariantMap{{"k", "ab"}}));
    // Binary containers nested past the bound are refused too.
    QList<QByteArray> chain;
    for (int i = 1; i < 250; ++i) chain << "\xA1" + QByteArray(1, char(i));
    EXPECT_TRUE(Plist_From_Bytes(binaryPlist(chain + QList<QByteArray>{"\xA0"})).has_value());
    for (int i = 250; i < 255; ++i) chain << "\xA1" + QByteArray(1, char(i));
    EXPECT_FALSE(Plist_From_Bytes(binaryPlist(chain + QList<QByteArray>{"\xA0"})).has_value());
}

TEST(Plist, WritingLeavesNulCharactersOut)
{
    const QVariantMap root{{QString("k") + QChar(0), QVariantList{QString("a") + QChar(0) + "b"}}};
    for (PlistFormat f : {PlistFormat::Xml, PlistFormat::Binary})
        EXPECT_EQ(Plist_From_Bytes(Plist_To_Bytes(root, f))->toMap(), (QVariantMap{{"k", QVariantList{"ab"}}}));
}

TEST(FileWrite, ReplacesWholeAndSetsPermissions)
{
    const QString path = testsupport::testHome() + "/secret.plist";
    ASSERT_TRUE(Write_File_Whole(path, "first", 0644));
    ASSERT_TRUE(Write_File_Whole(path, "second", 0600));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "second");
    EXPECT_EQ(QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    EXPECT_FALSE(Write_File_Whole(testsupport::testHome() + "/no/such/folder/x", "x"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(testsupport::testHome()).entryList({"secret.plist*"}, QDir::Files).size(), 1);
    // An owner-only file is made owner-only, never narrowed after it was created.
    const QStringList changed = testsupport::attributeChangesDuring(testsupport::testHome(), [&] {
        EXPECT_TRUE(Write_File_Whole(path, "third", 0600));
    });
    EXPECT_TRUE(changed.isEmpty()) << changed.join(", ").toStdString();
}

// A set of files is written whole or leaves every file as it was: a file that cannot be
// written, or cannot be put in place, takes back those put in place before it.
TEST(FileWrite, ASetIsWrittenWholeOrLeftAsItWas)
{
    struct Row {
        const char *what;
        QStringList names;  // "folder/" makes a folder where that file should go
        int failed;         // -1: all written
    };
    const Row rows[] = {
        {"all new", {"a", "b", "c"}, -1},
        {"the second is a folder", {"a", "b/", "c"}, 1},
        {"the third cannot be made", {"a", "b", "none/c"}, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir dir;
        // "a" is there before, with bytes of its own.
        ASSERT_TRUE(Write_File_Whole(dir.filePath("a"), "old a"));
        std::vector<std::pair<QString, QByteArray>> files;
        for (QString name : row.names) {
            if (name.endsWith('/')) {
                ASSERT_TRUE(QDir(dir.path()).mkdir(name.chopped(1)));
            }
            if (name.endsWith('/')) name.chop(1);
            files.emplace_back(dir.filePath(name), "new " + name.toUtf8());
        }
        int failed = -1;
        EXPECT_EQ(Write_Files_Whole(files, 0644, &failed), row.failed < 0);
        EXPECT_EQ(failed, row.failed);
        const auto read = [&](const QString &name) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
        };
        if (row.failed < 0) {
            EXPECT_EQ(read("a"), "new a");
            EXPECT_EQ(read("c"), "new c");
            EXPECT_EQ(QFileInfo(dir.filePath("b")).permissions() & QFileDevice::ReadOther, QFileDevice::ReadOther);
        } else {
            // Nothing of the set, no temporary file, no second name.
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList{"a"});
            EXPECT_EQ(read("a"), "old a");
        }
    }
}
