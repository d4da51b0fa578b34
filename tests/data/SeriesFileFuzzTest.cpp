// Damaged and odd series files fed to the series readers: no crash, no hang; the lists
// and the engine agree on every value, no value holds a line end, a value list written
// back reads the same, and Windows-1252 text keeps one character per byte.
#include "Fuzz.h"
#include "Helpers.h"
#include "SeriesFile.h"
#include "TextBytes.h"

#include <gtest/gtest.h>

namespace {

// Values trimmed until trimming changes nothing (a blank inside control characters
// at an end survives one Trim_Str), the empty ones left out.
QStringList settled(const QStringList &values)
{
    QStringList out;
    for (QString v : values) {
        for (QString again = Trim_Str(v); again != v; again = Trim_Str(v)) v = again;
        if (!v.isEmpty()) out << v;
    }
    return out;
}

TEST(SeriesFileFuzz, DamagedSeriesFilesGiveTheSameCleanValues)
{
    const QByteArray seeds[] = {
        "Ann\nBob\n\nCy\n",
        "\x93" "Ann\x94\r\n\x80 5\r\n\x81\x9d\r",
        "\xEF\xBB\xBF" "G\xc3\xb6tz\r\n\xe2\x82\xac\n",
        QByteArray("\xFF\xFE" "A\0n\0n\0\r\0\n\0=\xD8\x00\xDE\n\0", 18),
        QByteArray("\xFE\xFF\0A\0\r\0B", 8),
        "  \t\r\r\n\n x \x01\x7f\n",
    };
    constexpr int kSeeds = int(std::size(seeds));
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(20));
    fuzz::Mutator mutator(2411);
    const int rounds = fuzz::rounds(20000);
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        const std::string input = "series round " + std::to_string(round);
        watchdog.next(input);
        const QByteArray bytes = mutator.mutate(seeds[round % kSeeds], seeds[mutator.below(kSeeds)]);
        const QStringList engine = SeriesFile::Engine_Values(bytes);
        const QStringList list = SeriesFile::List_Values(bytes);
        for (const QString &v : engine) ASSERT_FALSE(v.contains(u'\r') || v.contains(u'\n')) << input;
        for (const QString &v : list) ASSERT_FALSE(v.isEmpty() || v.contains(u'\r') || v.contains(u'\n')) << input;
        // The lists show the engine's values, trimmed, without the empty ones.
        ASSERT_EQ(settled(list), settled(engine)) << input;
        ASSERT_FALSE(engine.isEmpty()) << input;
        ASSERT_EQ(SeriesFile::First_Line(bytes), Split_Text_Lines(SeriesFile::Decode(bytes)).first()) << input;
        // What the lists show is saved as UTF-8 and reads back the same.
        ASSERT_EQ(settled(SeriesFile::List_Values(SeriesFile::Encode(list))), settled(list)) << input;
        // Bytes that are neither UTF-8 nor marked are one character each.
        const bool marked = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xEF\xBB\xBF");
        if (!marked && QString::fromUtf8(bytes).toUtf8() != bytes) {
            ASSERT_EQ(SeriesFile::Decode(bytes).size(), bytes.size()) << input;
        }
    }
}

} // namespace
