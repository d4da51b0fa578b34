// The series file as every reader and writer sees it.
#include "CardValueEngine.h"
#include "Helpers.h"
#include "SeriesFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(SeriesFile, ReadersOfTheSameBytes)
{
    struct Row {
        QByteArray bytes;
        QStringList engine, list;
    } rows[] = {
        {"\n\nA\n\nB\n\n", {"A", "", "B"}, {"A", "B"}},
        {"A\r\nB\r\n", {"A\r", "B"}, {"A", "B"}},
        {"  x y  \n\t\n", {"x y"}, {"x y"}},
        {"", {""}, {}},
        {"one", {"one"}, {"one"}},
        {"caf\xc3\xa9\n", {QString::fromUtf8("caf\xc3\xa9")}, {QString::fromUtf8("caf\xc3\xa9")}},
        // Not UTF-8: both readers take every byte as Latin-1 alike, none replaced.
        {"a\xff\nb\n", {QString::fromUtf8("a\xc3\xbf"), "b"}, {QString::fromUtf8("a\xc3\xbf"), "b"}},
        {"Gr\xfc\xdf" "e\nM\xfcller\n", {QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e"), QString::fromUtf8("M\xc3\xbcller")},
         {QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e"), QString::fromUtf8("M\xc3\xbcller")}},
        // A UTF-8 file with one stray byte is not UTF-8 as a whole.
        {"caf\xc3\xa9\n\xe9t\xe9\n", {QString::fromUtf8("caf\xc3\x83\xc2\xa9"), QString::fromUtf8("\xc3\xa9t\xc3\xa9")},
         {QString::fromUtf8("caf\xc3\x83\xc2\xa9"), QString::fromUtf8("\xc3\xa9t\xc3\xa9")}},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(SeriesFile::Engine_Values(r.bytes), r.engine) << r.bytes.toStdString();
        EXPECT_EQ(SeriesFile::List_Values(r.bytes), r.list) << r.bytes.toStdString();
    }
}

// Files above the limit are refused whole by every reader; at the limit they are read.
TEST(SeriesFile, LargeFilesRefused)
{
    QTemporaryDir dir;
    struct Row {
        qint64 size;
        bool read;
    } rows[] = {{SeriesFile::kMaxBytes, true}, {SeriesFile::kMaxBytes + 1, false}, {qint64(1) << 30, false}};
    for (const Row &r : rows) {
        const QString path = dir.filePath(QStringLiteral("s%1.txt").arg(r.size));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("first\n");
            ASSERT_TRUE(f.resize(r.size));  // sparse: the rest reads as NUL bytes
        }
        EXPECT_EQ(SeriesFile::Too_Large(path), !r.read) << r.size;
        EXPECT_EQ(SeriesFile::Read_Bytes(path).has_value(), r.read) << r.size;
        const std::optional<QStringList> engine = SeriesFile::Read_Engine_Values(path);
        EXPECT_EQ(engine.has_value(), r.read) << r.size;
        if (engine) {
            EXPECT_EQ(engine->value(0), "first");
        }
        EXPECT_EQ(SeriesFile::Read_List_Values(path).value(0), r.read ? "first" : "") << r.size;
    }
    EXPECT_EQ(SeriesFile::Too_Large_Message("Names"), "The series \"Names\" is larger than 32 MB and cannot be read.");
}

TEST(SeriesFile, EncodeEndsEveryValueAndKeepsValuesOnOneLine)
{
    struct Row {
        QStringList values;
        QByteArray bytes;
    } rows[] = {
        {{"A", "B"}, "A\nB\n"},
        {{}, ""},
        {{"a\r\nb", "c\rd", "e\nf"}, "a  b\nc d\ne f\n"},
        {{" keep blanks ", ""}, " keep blanks \n\n"},
        {{QString::fromUtf8("\xe2\x82\xac")}, "\xe2\x82\xac\n"},
    };
    for (const Row &r : rows) EXPECT_EQ(SeriesFile::Encode(r.values), r.bytes);
}

TEST(SeriesFile, CrLfFileOpensCleanAndWritesBackByteForByte)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("In.txt"), out = dir.filePath("Out.txt");
    writeRaw(in, "A\r\nB\r\n");
    const QStringList values = SeriesFile::Read_List_Values(in);
    EXPECT_EQ(values, (QStringList{"A", "B"}));
    ASSERT_TRUE(SeriesFile::Write(out, values));
    EXPECT_EQ(readAll(out), QByteArray("A\nB\n"));
}

TEST(SeriesFile, WriteReplacesWholeAndAppendAddsAfter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("S.txt");
    ASSERT_TRUE(SeriesFile::Write(path, {"1", "2", "3"}));
    ASSERT_TRUE(SeriesFile::Write(path, {"9"}));
    EXPECT_EQ(readAll(path), QByteArray("9\n"));
    ASSERT_TRUE(SeriesFile::Append(path, {"a", "b"}));
    EXPECT_EQ(readAll(path), QByteArray("9\na\nb\n"));
    // A file not ended by a line end gets one before the new values.
    writeRaw(path, "x");
    ASSERT_TRUE(SeriesFile::Append(path, {"y"}));
    EXPECT_EQ(readAll(path), QByteArray("x\ny\n"));
    ASSERT_TRUE(SeriesFile::Append(dir.filePath("New.txt"), {"n"}));
    EXPECT_EQ(readAll(dir.filePath("New.txt")), QByteArray("n\n"));
    // Readable by all, written by the owner only (0644).
    const QFileDevice::Permissions rw_r_r = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    EXPECT_EQ(QFile::permissions(path), rw_r_r);
    EXPECT_EQ(QFile::permissions(dir.filePath("New.txt")), rw_r_r);
    // A missing folder fails and leaves nothing behind.
    EXPECT_FALSE(SeriesFile::Write(dir.filePath("nofolder/S.txt"), {"1"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"New.txt", "S.txt"}));
}

TEST(SeriesFile, NamesCleanedAsTyped)
{
    struct Row {
        QString typed;
        std::optional<QString> name;
    } rows[] = {
        {"/abc/", "abc"},   {" /abc", "_abc"},  {"a/b", "a_b"}, {"***", std::nullopt}, {"?report*", "report"},
        {"a*b", "a*b"},     {"  ", std::nullopt}, {"\"x\"", "x"}, {"<|>", std::nullopt},  {"Name ", "Name"},
    };
    for (const Row &r : rows) EXPECT_EQ(SeriesFile::Clean_Name(r.typed), r.name) << r.typed.toStdString();
    EXPECT_EQ(SeriesFile::Invalid_Name_Message(), "Please enter valid series name.");
    EXPECT_EQ(SeriesFile::Default_Name(), "Untitled");
}

TEST(SeriesFile, ListingLookupAndFreeNames)
{
    QTemporaryDir dir;
    for (const char *name : {"b.txt", "A.TXT", "c.csv", "a.txt"}) writeRaw(dir.filePath(name), "1\n");
    QDir(dir.path()).mkdir("folder.txt");
    const QStringList names = SeriesFile::Names(dir.path());
    EXPECT_EQ(names, (QStringList{"A", "a", "b"}));
    EXPECT_EQ(SeriesFile::Names(dir.filePath("missing")), QStringList());
    struct Row {
        QString name;
        int index;
    } rows[] = {{"a", 1}, {"A", 0}, {"B", 2}, {"c", -1}, {"", -1}};
    for (const Row &r : rows) EXPECT_EQ(SeriesFile::Index_Of(names, r.name), r.index) << r.name.toStdString();
    EXPECT_EQ(SeriesFile::Free_Name(dir.path(), "b"), "b (1)");
    writeRaw(dir.filePath("b (1).txt"), "");
    EXPECT_EQ(SeriesFile::Free_Name(dir.path(), "b"), "b (2)");
    // The engine lists and reads through the same module.
    CardValueEngine engine(dir.path());
    EXPECT_EQ(engine.Get_datasheet_File_Name_Array(), (QStringList{"A", "a", "b", "b (1)"}));
    writeRaw(dir.filePath("e.txt"), "\n\nA\n\nB\n\n");
    EXPECT_EQ(engine.Series_Values("e"), (QStringList{"A", "", "B"}));
    EXPECT_EQ(engine.Get_First_Value_Of_Dataset("e"), "");
    EXPECT_EQ(engine.Get_First_Value_Of_Dataset("b"), "1");
}

} // namespace
