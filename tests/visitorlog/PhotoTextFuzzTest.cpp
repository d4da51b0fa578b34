// Photo texts read from the visitor database are outside input: mutated texts are read
// cleanly, the path never keeps the marker and every number is finite.
#include "Fuzz.h"
#include "Visitor_Photo_Text.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(PhotoTextFuzz, MutatedTextsReadCleanly)
{
    fuzz::Watchdog watchdog(std::chrono::seconds(10));
    fuzz::Mutator mutator(20261207);
    const QList<QByteArray> seeds{
        "/p/a.png<IMG_FILTER>YES_NO_1_0_90_0.4_-1_2_1.5_0.25_2_30_0.5_YES_3_DA_1.0:0.0:0.0:1.0_",
        "/p/a.png", "<IMG_FILTER>_____", "x<IMG_FILTER>1e308_1e999_-1e400_nan_inf_"};
    const int rounds = fuzz::rounds(20000);
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        const QByteArray bytes = mutator.mutate(seeds[round % seeds.size()], seeds[mutator.below(seeds.size())]);
        watchdog.next("photo text round " + std::to_string(round));
        const Visitor_Photo_Text t = Parse_Visitor_Photo_Text(QString::fromUtf8(bytes));
        EXPECT_FALSE(t.path.contains("<IMG_FILTER>")) << bytes.toStdString();
        EXPECT_LT(std::abs(t.rotation), 360) << bytes.toStdString();
        for (double v : {t.sharpen, t.exposure, t.blur, t.saturation, t.brightness, t.contrast, t.hue, t.transparency,
                         t.borderWidth})
            EXPECT_TRUE(std::isfinite(v)) << bytes.toStdString();
    }
}
