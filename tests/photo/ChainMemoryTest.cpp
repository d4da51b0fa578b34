// The adjustment chain works at the size its output needs: pictures far larger than
// their box are scaled down before anything else, so their memory stays small.
#include "AdjustmentChain.h"
#include "ProcessMemory.h"

#include <gtest/gtest.h>

namespace {

// The box at 600 dots per inch.
QSize at600dpi(QSizeF points) { return QSize(qRound(points.width() * 600 / 72), qRound(points.height() * 600 / 72)); }

} // namespace

TEST(ChainMemory, AHairlinePictureTurnedIntoItsBox)
{
    QImage line(1, 100000, QImage::Format_ARGB32);
    line.fill(qRgb(200, 40, 40));
    const Picture source(line, QSizeF(1, 100000));
    ImageAdjustments s;
    s.rotation = 30;
    s.sepia = true;
    const QSize box = at600dpi({100, 100});
    const bool measured = processmemory::resetPeak();
    const long long start = processmemory::residentBytes();
    const Picture out = Get_Processed_Image_Full_Combined(source, s, true, box);
    const long long grown = processmemory::peakBytes() - start;
    EXPECT_EQ(out.image().size(), box);
    EXPECT_EQ(out.size(), QSizeF(1, 100000));
    EXPECT_GT(qAlpha(out.image().pixel(box.width() / 2, box.height() / 2)), 0) << "the turned line crosses the centre";
    if (processmemory::kMeasuresMemory && measured) {
        EXPECT_LT(grown, 64ll << 20) << grown / 1e6 << " MB";
    }
    RecordProperty("grown_bytes", std::to_string(grown));
}

TEST(ChainMemory, AHugeSourceOntoACard)
{
    if (!processmemory::kMeasuresMemory) GTEST_SKIP() << "memory is not measured under the sanitizers";
    QImage huge(30000, 30000, QImage::Format_Grayscale8);
    if (huge.isNull()) GTEST_SKIP() << "no room for the source";
    huge.fill(90);
    const Picture source(huge, QSizeF(243, 154));
    ImageAdjustments s;
    s.sepia = true;
    s.blur = 30;
    s.rotation = 5;
    const QSize card = at600dpi({243, 154});
    const bool measured = processmemory::resetPeak();
    const long long start = processmemory::residentBytes();
    const Picture out = Get_Processed_Image_Full_Combined(source, s, true, card);
    const long long grown = processmemory::peakBytes() - start;
    EXPECT_EQ(out.image().size(), card);
    EXPECT_EQ(out.size(), QSizeF(243, 154));
    if (measured) {
        EXPECT_LT(grown, 256ll << 20) << grown / 1e6 << " MB beyond the source";
    }
}
