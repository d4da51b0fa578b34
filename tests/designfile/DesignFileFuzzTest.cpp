// Mutated design files and design arrays, made from the golden design and the built-in
// templates, fed to the reader: no crash, no hang, a refused input leaves the open
// design untouched, and an accepted one saves and reopens to the same stored array.
#include "DesignFile.h"
#include "DesignFileFormat.h"
#include "DesignTestSupport.h"
#include "Fuzz.h"
#include "Globals.h"
#include "Plist.h"
#include "TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace design_file_fuzz_test {

using namespace designtest;

namespace {

const int kRounds = fuzz::rounds(1000);

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QByteArray> seedFiles()
{
    QList<QByteArray> seeds{readAll(TEST_DATA_DIR "/golden-design.zcd")};
    QDirIterator it(Resource_Path + "Templates", {"*.zcd"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) seeds << readAll(it.next());
    return seeds;
}

// The golden design with picture adjustments out of bounds, which the reader refuses
// as damaged.
QList<QByteArray> damagedAdjustmentFiles()
{
    QList<QByteArray> seeds;
    const QByteArray golden = readAll(TEST_DATA_DIR "/golden-design.zcd");
    for (const char *key : {"rotate_image", "hue_val", "blr_val"})
        for (const char *value : {"nan", "inf", "-inf", "1e30"}) {
            QByteArray b = golden;
            const QByteArray field = QByteArray("<string>") + key + "</string>";
            const qsizetype at = b.indexOf(field);
            if (at < 0) continue;
            const qsizetype from = b.indexOf("<string>", at + field.size()), to = b.indexOf("</string>", from);
            seeds << b.replace(from, to - from, QByteArray("<string>") + value);
        }
    return seeds;
}

// The golden design with its front card resized: a side far too long, both, and one
// just under and just over the longest side the card size tab takes (28346.4567
// points, 10000 mm). Every one but the one under is refused as too large.
struct HugeCard {
    const char *size;
    bool opens;
};
const HugeCard kHugeCards[] = {
    {"{360000, 154}", false}, {"{154, 50000}", false}, {"{1000000, 1000000}", false},
    {"{28346.45, 154}", true}, {"{28346.46, 154}", false},
};

QList<QByteArray> hugeCardFiles()
{
    QList<QByteArray> seeds;
    const QByteArray golden = readAll(TEST_DATA_DIR "/golden-design.zcd");
    const QByteArray field = "<string>Card_Size</string>";
    const qsizetype at = golden.indexOf(field);
    if (at < 0) return seeds;
    const qsizetype from = golden.indexOf("<string>", at + field.size()) + 8, to = golden.indexOf("</string>", from);
    for (const HugeCard &c : kHugeCards) seeds << QByteArray(golden).replace(from, to - from, c.size);
    return seeds;
}

// Where two stored arrays first differ, as text.
std::string firstDifference(const QStringList &a, const QStringList &b)
{
    for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            return QStringLiteral("item %1 (after \"%2\"): \"%3\" then \"%4\"")
                .arg(i)
                .arg(a.value(i - 1), a.value(i), b.value(i))
                .toStdString();
    return "none";
}

// One input, read by `read` into a marker design.
void check(const std::function<bool(DesignData &, QString *)> &read, const std::string &input)
{
    DesignData d = markerDesign();
    QString error;
    if (!read(d, &error)) {
        EXPECT_FALSE(error.isEmpty()) << input;
        expectMarkerDesign(d);
        return;
    }
    // Saved as Write_Design_File saves (without the disk) and read back.
    const QStringList stored = Design_To_Array(d);
    ASSERT_TRUE(designfile::Is_Design_Mode(d.mode)) << input;
    const auto saved = Plist_From_Bytes(Plist_To_Bytes(QVariant(stored), PlistFormat::Xml));
    ASSERT_TRUE(saved && saved->toStringList().size() == stored.size()) << input;
    DesignData again;
    ASSERT_TRUE(Design_From_Array(saved->toStringList(), again, &error)) << input << ": " << error.toStdString();
    const QStringList reread = Design_To_Array(again);
    EXPECT_TRUE(reread == stored) << input << ": " << firstDifference(stored, reread);
}

} // namespace

TEST(DesignFileFuzz, MutatedFilesAreReadOrRefusedCleanly)
{
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(10));
    fuzz::Mutator mutator(20261207);
    const QList<QByteArray> readable = seedFiles(), damaged = damagedAdjustmentFiles(), huge = hugeCardFiles();
    ASSERT_GE(readable.size(), 2);
    ASSERT_EQ(damaged.size(), 12);
    ASSERT_EQ(huge.size(), 5);
    const QList<QByteArray> seeds = readable + damaged + huge;
    const QString path = testsupport::testHome() + "/fuzz.zcd";
    // The huge cards themselves: refused as too large, the one under the bound read.
    for (qsizetype i = 0; i < huge.size(); ++i) {
        QFile f(path);
        f.remove();
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(huge[i]);
        f.close();
        DesignData d;
        QString error;
        EXPECT_EQ(Read_Design_File(path, d, &error), kHugeCards[i].opens) << kHugeCards[i].size;
        if (!kHugeCards[i].opens) {
            EXPECT_TRUE(error.startsWith("\"fuzz.zcd\" holds a card of ")) << error.toStdString();
        }
    }
    int accepted = 0;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        const std::string input = "design file round " + std::to_string(round);
        watchdog.next(input);
        QFile f(path);
        f.remove();  // a new file each round: rewriting one in place waits for the disk
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(mutator.mutate(seeds[round % seeds.size()], seeds[mutator.below(seeds.size())]));
        f.close();
        check([&](DesignData &d, QString *error) { return Read_Design_File(path, d, error) && ++accepted; }, input);
    }
    EXPECT_GT(accepted, kRounds / 100 * readable.size() / seeds.size());  // some mutations keep a readable design
}

TEST(DesignFileFuzz, MutatedArraysAreReadOrRefusedCleanly)
{
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(10));
    fuzz::Mutator mutator(7122026);
    QList<QStringList> seeds;
    const QList<QByteArray> readable = seedFiles();
    for (const QByteArray &bytes : readable + damagedAdjustmentFiles() + hugeCardFiles()) {
        const auto root = Plist_From_Bytes(bytes);
        ASSERT_TRUE(root.has_value());
        seeds << root->toStringList();
    }
    int accepted = 0;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        const std::string input = "design array round " + std::to_string(round);
        watchdog.next(input);
        const QStringList array = mutator.mutate(seeds[round % seeds.size()]);
        check([&](DesignData &d, QString *error) { return Design_From_Array(array, d, error) && ++accepted; }, input);
    }
    EXPECT_GT(accepted, kRounds / 50 * readable.size() / seeds.size());
}

} // namespace design_file_fuzz_test
