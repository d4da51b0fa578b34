// Photo texts of a visit: a plain path, or a path with the settings of that photo.
#include "Visitor_Photo_Text.h"

#include <gtest/gtest.h>

TEST(PhotoText, PlainPathsAndSettings)
{
    Visitor_Photo_Text all;
    all.path = "/p/a b.png";
    all.hasSettings = true;
    all.flipH = true;
    all.grayScale = true;
    all.rotation = 90;
    all.sharpen = 0.4;
    all.exposure = -1;
    all.blur = 2;
    all.saturation = 1.5;
    all.brightness = 0.25;
    all.contrast = 2;
    all.hue = 30;
    all.transparency = 0.5;
    all.border = true;
    all.borderWidth = 3;
    all.borderType = "DA";
    all.borderColour = "1.0:0.0:0.0:1.0";
    Visitor_Photo_Text noColour = all;
    noColour.borderColour.clear();
    Visitor_Photo_Text plain;
    plain.path = "/p/a b.png";
    Visitor_Photo_Text twoSettings = plain;
    twoSettings.hasSettings = true;
    twoSettings.flipV = true;

    const QString seventeen = " /p/a b.png <IMG_FILTER> YES_0_1_NO_90.7_0.4_-1_2_1.5_0.25_2_30_0.5_YES_3_DA_1.0:0.0:0.0:1.0_";
    const struct {
        QString text;
        Visitor_Photo_Text want;
    } rows[] = {
        {seventeen, all},
        {seventeen.chopped(1), noColour},  // the colour is not ended by "_": black
        {" /p/a b.png\n", plain},
        {"/p/a b.png<IMG_FILTER>   ", plain},
        {"/p/a b.png<IMG_FILTER>n_yes_", twoSettings},
        {"", Visitor_Photo_Text{}},
    };
    Visitor_Photo_Text huge = twoSettings;
    huge.flipV = false;
    huge.rotation = 90;  // 450 degrees: one turn and a quarter
    huge.sharpen = 0;    // too large to be finite
    huge.exposure = 12;  // the number before the letters
    for (const auto &r : rows) {
        const Visitor_Photo_Text got = Parse_Visitor_Photo_Text(r.text);
        EXPECT_EQ(got.path, r.want.path) << r.text.toStdString();
        EXPECT_EQ(got.hasSettings, r.want.hasSettings) << r.text.toStdString();
        EXPECT_EQ(got.rotation, r.want.rotation) << r.text.toStdString();
        EXPECT_EQ(got.borderColour, r.want.borderColour) << r.text.toStdString();
        EXPECT_TRUE(got == r.want) << r.text.toStdString();
    }
    EXPECT_TRUE(Parse_Visitor_Photo_Text("/p/a b.png<IMG_FILTER>n_0_0_0_450_1e999_12px_") == huge);
    EXPECT_EQ(Parse_Visitor_Photo_Text("a<IMG_FILTER>0_0_0_0_-370_").rotation, -10);
    // Flags: a leading Y, y, T or t, or a number that is not 0.
    const struct {
        const char *piece;
        bool set;
    } flags[] = {{"Y", true},  {"yes", true}, {"T", true}, {"true", true}, {"2", true},  {"-0.5", true},
                 {"0", false}, {"N", false},  {"no", false}, {"", false},  {"x1", false}, {"0.0", false}};
    for (const auto &f : flags) {
        const Visitor_Photo_Text t = Parse_Visitor_Photo_Text(QStringLiteral("<IMG_FILTER>%1_").arg(QLatin1String(f.piece)));
        EXPECT_TRUE(t.hasSettings) << f.piece;
        EXPECT_EQ(t.path, "") << f.piece;
        EXPECT_EQ(t.flipH, f.set) << f.piece;
    }
    // The border flag is its own piece, not its width's.
    const Visitor_Photo_Text noBorder = Parse_Visitor_Photo_Text("a<IMG_FILTER>0_0_0_0_0_0_0_0_1_0_1_0_0_NO_3_S_");
    EXPECT_FALSE(noBorder.border);
    EXPECT_EQ(noBorder.borderWidth, 3);
    EXPECT_EQ(noBorder.borderType, "S");
}
