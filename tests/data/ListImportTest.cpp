// Lists read from outside: text, rich text, CSV, pasted text and image folders; and
// the readers fed damaged input.
#include "Fuzz.h"
#include "ListImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace LI = ListImport;

namespace {

TEST(ListImport, TextLists)
{
    struct Row {
        QByteArray bytes;
        QStringList values;
    } rows[] = {
        {"a\n\n b \n{c}\n", {"a", "b", "c"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"\xEF\xBB\xBFx\ny", {"x", "y"}},
        {"one\nNSFont = Helvetica\ntwo", {"one"}},
        {"back\\slash", {"backslash"}},
        {"caf\xe9\n", {QString::fromUtf8("caf\xc3\xa9")}},                 // Latin-1, not refused
        {QByteArray("\xFF\xFE" "a\0\n\0b\0", 8), {"a", "b"}},                // UTF-16 with its mark
        {"  \t\n\n", {}},
    };
    for (const Row &r : rows) EXPECT_EQ(LI::File_Values("list.txt", r.bytes), r.values) << r.bytes.toStdString();
}

TEST(ListImport, CsvLists)
{
    struct Row {
        QByteArray bytes;
        QStringList values;
    } rows[] = {
        {"1,2,3\r4,5", {"1", "2", "3", "4", "5"}},
        {"a\nb", {"a", "b"}},
        {"\"x, y\",z", {"x, y", "z"}},
        {"\"say \"\"hi\"\"\",2\r\n", {"say \"hi\"", "2"}},
        {"a,,b\r\n,\r\n", {"a", "b"}},
        {"q\"uote,x", {"q\"uote", "x"}},
        {"\"multi\nline\",n", {"multi\nline", "n"}},
        {"a,NSFont = x,b\nc", {"a", "c"}},
        {"{v},\\w", {"v", "w"}},
        {"\"unterminated,x", {"unterminated,x"}},
    };
    for (const Row &r : rows) EXPECT_EQ(LI::File_Values("list.CSV", r.bytes), r.values) << r.bytes.toStdString();
    struct Records {
        QString text;
        QList<QStringList> records;
    } records[] = {
        {"a,b\r\nc", {{"a", "b"}, {"c"}}},
        {"a\r\n\r\nb", {{"a"}, {"b"}}},
        {"a,b,", {{"a", "b", ""}}},
        {"\"\"", {{""}}},
        {"", {}},
    };
    for (const Records &r : records) EXPECT_EQ(LI::Csv_Records(r.text), r.records) << r.text.toStdString();
}

TEST(ListImport, RichText)
{
    struct Row {
        QByteArray rtf;
        QStringList values;
    } rows[] = {
        {R"({\rtf1\ansi{\fonttbl{\f0 Helvetica;}}{\colortbl;\red0\green0\blue0;}\f0 Alpha\par Beta\line Gamma})",
         {"Alpha", "Beta", "Gamma"}},
        {R"({\rtf1 caf\'e9\par \u8364?uro\par})", {QString::fromUtf8("caf\xc3\xa9"), QString::fromUtf8("\xe2\x82\xac") + "uro"}},
        {R"({\rtf1{\*\generator Writer;}One\par{\b Two}\par})", {"One", "Two"}},
        {R"({\rtf1 a\{b\}\par})", {"ab"}},
        {R"({\rtf1\uc2 \u20320\'c4\'e3x\par})", {QString(QChar(20320)) + "x"}},
        {R"({\rtf1 \'80\par})", {QString(QChar(0x20AC))}},
    };
    for (const Row &r : rows) EXPECT_EQ(LI::File_Values("doc.rtf", r.rtf), r.values) << r.rtf.toStdString();
    // Not rich text after all: read as plain text.
    EXPECT_EQ(LI::File_Values("doc.RTF", "plain\nlist"), (QStringList{"plain", "list"}));
}

TEST(ListImport, PastedLines)
{
    EXPECT_EQ(LI::Pasted_Lines("\n\n a \r\n\r\n   \nb\n\n"), (QStringList{"a ", "   ", "b"}));
    EXPECT_EQ(LI::Pasted_Lines("x\r\ny"), (QStringList{"x", "y"}));
    EXPECT_EQ(LI::Pasted_Lines(" \n "), QStringList());
}

TEST(ListImport, RichTextSymbolWordsTable)
{
    const std::pair<const char *, char16_t> rows[] = {
        {"emdash", 0x2014}, {"endash", 0x2013},    {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
    };
    for (const auto &[word, symbol] : rows)
        EXPECT_EQ(LI::Rtf_To_Text(QByteArray("{\\rtf1 a\\") + word + " b}"), QString("a") + QChar(symbol) + "b") << word;
    // A word that only starts like one stands for nothing.
    EXPECT_EQ(LI::Rtf_To_Text("{\\rtf1 a\\bullets b}"), "ab");
}

TEST(ListImport, ImageFolderTakesOwnPicturesByName)
{
    QTemporaryDir dir;
    for (const char *name : {"b.JPG", "a.png", "b.TXT", "c.gif.bak", "z.tiff"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir("c.jpg");
    QDir(dir.path()).mkpath("sub/d.png");
    EXPECT_EQ(LI::Image_Folder_Values(dir.path()),
              (QStringList{dir.filePath("a.png"), dir.filePath("b.JPG"), dir.filePath("z.tiff")}));
    EXPECT_EQ(LI::Image_Folder_Values(dir.filePath("missing")), QStringList());
}

// Damaged lists never crash, never hang and never give a value with a line break.
TEST(ListImportFuzz, DamagedListsGiveCleanValues)
{
    const QByteArray seeds[] = {
        R"({\rtf1\ansi{\fonttbl{\f0 Helvetica;}}\f0 Alpha\par \u8364?\'e9{\*\x y}\par})",
        "\"a,b\",c\r\n\"\"\"\",d\n",
        "\xEF\xBB\xBFline\r\nline2\n{x}\\",
        QByteArray("\xFF\xFE" "a\0\n\0", 6),
    };
    for (quint32 seed : {1u, 2u, 3u}) {
        fuzz::QuietLog quiet;
        fuzz::Mutator mutator(seed);
        fuzz::Watchdog watchdog(std::chrono::seconds(20));
        const int rounds = fuzz::rounds(300);
        for (int round = 0; round < rounds; ++round) {
            const QByteArray &base = seeds[round % 4];
            const QByteArray input = mutator.mutate(base, seeds[(round + 1) % 4]);
            watchdog.next("seed " + std::to_string(seed) + " round " + std::to_string(round));
            for (const char *name : {"f.rtf", "f.csv", "f.txt"}) {
                const QStringList values = LI::File_Values(name, input);
                for (const QString &v : values) {
                    ASSERT_FALSE(v.isEmpty());
                    if (QLatin1String(name) != QLatin1String("f.csv")) {
                        ASSERT_FALSE(v.contains(u'\n'));
                    }
                    ASSERT_FALSE(v.contains(u'{') || v.contains(u'}') || v.contains(u'\\'));
                }
            }
        }
    }
    // Deep nesting and huge numbers stay bounded.
    EXPECT_EQ(LI::Rtf_To_Text("{\\rtf1 " + QByteArray(200000, '{') + "x"), "");
    EXPECT_EQ(LI::Rtf_To_Text("{\\rtf1 \\u99999999999999999999 ab}"), QString(QChar(0xFFFD)) + "b");
}

} // namespace
