// Text as people save it: bytes decoded by their mark or as Windows-1252, and lines
// ended by CR, LF or CR LF.
#include "TextBytes.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(TextBytes, LinesEndAtCrLfOrBoth)
{
    struct Row {
        QString text;
        QStringList lines;
    } rows[] = {
        {QString(), {""}},
        {"A", {"A"}},
        {"A\r\n", {"A", ""}},
        {"A\r", {"A", ""}},
        {"\r\n", {"", ""}},
        {"A\r\nB", {"A", "B"}},
        {"A\n\r\nB", {"A", "", "B"}},
        {"A\n\nB", {"A", "", "B"}},
        {"A\r\r\nB\n", {"A", "", "B", ""}},
    };
    for (const Row &r : rows) EXPECT_EQ(Split_Text_Lines(r.text), r.lines) << qPrintable(r.text.toUtf8().toPercentEncoding());
}

TEST(TextBytes, TheBytesWhereWindows1252LeavesLatin1)
{
    struct Row {
        unsigned char byte;
        char16_t letter;
    } rows[] = {
        {0x41, u'A'},   {0x7F, 0x7F},   {0x80, 0x20AC}, {0x81, 0x81},   {0x8A, 0x0160},
        {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const Row &r : rows) EXPECT_EQ(Windows_1252_Char(r.byte), QChar(r.letter)) << int(r.byte);
}
