// Mutated property lists, XML and binary, fed to the reader: no crash, no hang, and
// whatever it accepts writes again in both forms and reads back.
#include "Fuzz.h"
#include "Plist.h"

#include <gtest/gtest.h>

TEST(PlistFuzz, MutatedPropertyListsAreReadOrRefusedCleanly)
{
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(10));
    fuzz::Mutator mutator(2104);
    const QVariantMap tree{{"name", QString::fromUtf8("Zo\u00eb <&> \"q\"")},
                           {"count", qint64(-3)},
                           {"ratio", 0.1},
                           {"on", true},
                           {"blob", QByteArray("\x00\x01\xff", 3)},
                           {"list", QVariantList{QString("a"), QVariantMap{{"deep", QVariantList{1.5, qint64(7)}}}}},
                           {"empty", QVariantMap{}}};
    const QList<QByteArray> seeds = {Plist_To_Bytes(tree, PlistFormat::Xml), Plist_To_Bytes(tree, PlistFormat::Binary)};

    const int rounds = fuzz::rounds(20000);
    int accepted = 0;
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        const std::string input = "property list round " + std::to_string(round);
        watchdog.next(input);
        const auto read = Plist_From_Bytes(mutator.mutate(seeds[round % 2], seeds[mutator.below(2)]));
        if (!read) continue;
        ++accepted;
        const QByteArray binary = Plist_To_Bytes(*read, PlistFormat::Binary);
        const auto again = Plist_From_Bytes(binary);
        ASSERT_TRUE(again.has_value()) << input;
        // The binary writer may share equal objects differently from one run to the
        // next, so the trees are compared in the XML form, which writes every value.
        const QByteArray xml = Plist_To_Bytes(*read, PlistFormat::Xml);
        EXPECT_EQ(Plist_To_Bytes(*again, PlistFormat::Xml), xml) << input;
        EXPECT_TRUE(Plist_From_Bytes(xml).has_value()) << input;
    }
    EXPECT_GT(accepted, rounds / 20);
}
