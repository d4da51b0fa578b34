// The series file as every reader and writer sees it.
#include "CardValueEngine.h"
#include "Helpers.h"
#include "FileWrite.h"
#include "SeriesFile.h"
#include "TextBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace series_file_test {

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
        {"A\r\nB\r\n", {"A", "B"}, {"A", "B"}},
        {"  x y  \n\t\n", {"x y"}, {"x y"}},
        {"", {""}, {}},
        {"one", {"one"}, {"one"}},
        {"caf\xc3\xa9\n", {QString::fromUtf8("caf\xc3\xa9")}, {QString::fromUtf8("caf\xc3\xa9")}},
        // Not UTF-8: both readers take every byte as Windows-1252 alike, none replaced.
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

QString t(const char16_t *text) { return QString::fromUtf16(text); }

QByteArray utf16(const char16_t *text, bool bigEnd)
{
    QByteArray out = bigEnd ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const char16_t *c = text; *c; ++c) {
        const char high = char(*c >> 8), low = char(*c & 0xFF);
        out += bigEnd ? QByteArray{&high, 1} + QByteArray{&low, 1} : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return out;
}

// Series files as other programs save them: Notepad's Windows-1252, a spreadsheet's
// "Unicode text" (UTF-16 with its mark), UTF-8 with a mark, and every kind of line end.
// The engine, the lists and the first value shown on binding read the same values.
TEST(SeriesFile, EncodingsAndLineEndsPeopleSave)
{
    struct Row {
        const char *what;
        QByteArray bytes;
        QStringList engine, list;
    } rows[] = {
        {"Windows-1252 quotes and euro", "\x93" "Ann\x94\r\n\x80 5\r\n", {t(u"\u201cAnn\u201d"), t(u"\u20ac 5")},
         {t(u"\u201cAnn\u201d"), t(u"\u20ac 5")}},
        {"Windows-1252 dashes, accents and unused bytes", "caf\xe9 \x96 \x81\x8d\x8f\x90\x9d|",
         {t(u"caf\u00e9 \u2013 \u0081\u008d\u008f\u0090\u009d|")},
         {t(u"caf\u00e9 \u2013 \u0081\u008d\u008f\u0090\u009d|")}},
        {"UTF-16 LE with its mark", utf16(u"Ann\r\nBob\r\n\u20ac\r\n", false), {"Ann", "Bob", t(u"\u20ac")},
         {"Ann", "Bob", t(u"\u20ac")}},
        {"UTF-16 BE with its mark", utf16(u"Ann\nG\u00f6tz\n", true), {"Ann", t(u"G\u00f6tz")}, {"Ann", t(u"G\u00f6tz")}},
        {"UTF-16 outside the first plane", utf16(u"\U0001F600 x\n", false), {t(u"\U0001F600 x")}, {t(u"\U0001F600 x")}},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" "Ann\nG\xc3\xb6tz\n", {"Ann", t(u"G\u00f6tz")}, {"Ann", t(u"G\u00f6tz")}},
        {"a mark, then Windows-1252", "\xEF\xBB\xBF\x93q\x94\n", {t(u"\u201cq\u201d")}, {t(u"\u201cq\u201d")}},
        {"CR alone", "Ann\rBob\r\rCy\r", {"Ann", "Bob", "", "Cy"}, {"Ann", "Bob", "Cy"}},
        {"all three mixed", "A\r\nB\nC\rD", {"A", "B", "C", "D"}, {"A", "B", "C", "D"}},
        {"LF CR is two ends", "A\n\rB", {"A", "", "B"}, {"A", "B"}},
        {"only a mark", "\xFF\xFE", {""}, {}},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(SeriesFile::Engine_Values(r.bytes), r.engine) << r.what;
        EXPECT_EQ(SeriesFile::List_Values(r.bytes), r.list) << r.what;
        // The first value shown when a control is bound: the first line as it stands.
        EXPECT_EQ(SeriesFile::First_Line(r.bytes), Split_Text_Lines(SeriesFile::Decode(r.bytes)).first()) << r.what;
    }
    EXPECT_EQ(SeriesFile::First_Line(" Ann \rBob"), " Ann ");
    EXPECT_EQ(SeriesFile::First_Line(utf16(u"Ann\r\nBob", false)), "Ann");
}

// A name whose file ("<name>.txt") the file system cannot hold is refused before
// anything is written; the limit counts bytes, not letters.
TEST(SeriesFile, NamesTooLongForAFileName)
{
    const QString e = t(u"\u00e9");  // two bytes in UTF-8
    struct Row {
        QString typed;
        QString name, refusal;
    } rows[] = {
        {QString(251, u'a'), QString(251, u'a'), ""},
        {QString(252, u'a'), "", SeriesFile::Long_Name_Message()},
        {" " + QString(251, u'b') + " ", QString(251, u'b'), ""},
        {e.repeated(125) + "a", e.repeated(125) + "a", ""},
        {e.repeated(126), "", SeriesFile::Long_Name_Message()},
        {"/" + QString(251, u'c') + "/", QString(251, u'c'), ""},
        {"***", "", SeriesFile::Invalid_Name_Message()},
    };
    for (const Row &r : rows) {
        const SeriesFile::Name_Check c = SeriesFile::Check_Name(r.typed, 255);
        EXPECT_EQ(c.name, r.name) << r.typed.size();
        EXPECT_EQ(c.refusal, r.refusal) << r.typed.size();
    }
    EXPECT_EQ(SeriesFile::Check_Name("Names", 9).refusal, "");
    EXPECT_EQ(SeriesFile::Check_Name("Names", 8).refusal, SeriesFile::Long_Name_Message());
    EXPECT_EQ(SeriesFile::Long_Name_Message(), "Series name is too long. Please enter a shorter series name.");
}

// Names of 245 to 251 bytes save (their temporary file once had no room for its
// suffix); longer ones fail cleanly, leaving nothing behind.
TEST(SeriesFile, WritesEveryNameTheFileSystemHolds)
{
    QTemporaryDir dir;
    ASSERT_EQ(File_Name_Max(dir.path()), 255);
    for (int length = 240; length <= 256; ++length) {
        const QString name = QString(length, u'n');
        const QString path = SeriesFile::Path(dir.path(), name);
        EXPECT_EQ(SeriesFile::Write(path, {"a", "b"}), length <= 251) << length;
        EXPECT_EQ(readAll(path), length <= 251 ? QByteArray("a\nb\n") : QByteArray("<missing>")) << length;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), length <= 251 ? 1 : 0) << length;
        QFile::remove(path);
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

} // namespace series_file_test
