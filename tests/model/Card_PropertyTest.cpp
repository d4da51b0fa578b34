#include "Card_Property.h"
#include "Globals.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(Card_Property, NewRecordTakesTheNameAndFontCurrentAtItsCreation)
{
    const QString oldFont = Text_Ctrl_Font, oldName = default_file_name;
    const int oldSize = Text_Ctrl_Font_Size;
    Text_Ctrl_Font = "Liberation Serif";
    Text_Ctrl_Font_Size = 20;
    default_file_name = "Gate pass";
    const Card_Property p;
    Text_Ctrl_Font = oldFont;
    Text_Ctrl_Font_Size = oldSize;
    default_file_name = oldName;

    EXPECT_EQ(p.Card_Name(), "Gate pass");
    ASSERT_TRUE(p.Card_Content_font().has_value());
    EXPECT_EQ(p.Card_Content_font()->family(), "Liberation Serif");
    EXPECT_DOUBLE_EQ(p.Card_Content_font()->pointSizeF(), 20.0);
    EXPECT_EQ(p.Watermark_Font(), p.Card_Content_font());
}

TEST(Card_Property, EmptyArchiveDecodesToABlankRecordNotTheDefaults)
{
    const Card_Property p = Card_Property::decode(KeyedArchive("Card_Property"));
    EXPECT_FALSE(p.Card_border_chk());
    EXPECT_EQ(p.Card_bor_Stepper(), 0);
    EXPECT_FLOAT_EQ(p.Card_alpha_Stepper(), 0.0f);
    EXPECT_FLOAT_EQ(p.Watermark_Transp(), 0.0f);
    EXPECT_FALSE(p.Card_bordr_clr().isValid() || p.Watermark_Color().isValid());
    EXPECT_TRUE(p.Card_Name().isNull() && p.Card_border_style().isNull() && p.Watermark_Text().isNull());
    EXPECT_FALSE(p.Card_Content_font() || p.Watermark_Font());
    EXPECT_TRUE(p.Card_BG_Image().isNull());
    EXPECT_EQ(p.Card_Size(), QSizeF(0, 0));
    EXPECT_TRUE(p.Card_Size().isValid());  // 0 x 0, not the invalid -1 x -1
    EXPECT_EQ(p.Card_Location(), QPointF(0, 0));

    // One key present: that field only.
    KeyedArchive one("Card_Property");
    one.encodeString("Card_Name", "Badge");
    const Card_Property q = Card_Property::decode(one);
    EXPECT_EQ(q.Card_Name(), "Badge");
    EXPECT_TRUE(q.Card_Side().isNull());
}

TEST(Card_Property, EncodeDecodeRoundTripKeepsEveryField)
{
    QImage img(4, 3, QImage::Format_ARGB32);
    img.fill(QColor(10, 20, 30, 200));
    Card_Property p;
    p.setCard_border_chk(true);
    p.setCard_fill_chk(true);
    p.setCard_bordr_clr(QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.4f));
    p.setCard_fill_clr(QColor(1, 2, 3, 4));
    p.setCard_fill_Grd_1_clr(Qt::red);
    p.setCard_fill_Grd_2_clr(Qt::green);
    p.setCard_hatch_bk_clr(Qt::blue);
    p.setCard_bor_Stepper(3);
    p.setCard_grad_Stepper(45);
    p.setCard_Cat_index(7);
    p.setCard_alpha_Stepper(0.35f);
    p.setCard_border_style("DDD");
    p.setCard_fill_style("I");
    p.setCard_hatch_style("pattern_2");
    p.setCard_Side("1");
    p.setCard_Side_Name("B");
    p.setCard_Shape("RR");
    p.setCard_Name("Visitor");
    p.setCard_Preset("Vertical");
    p.setCard_Category("Paper Card");
    p.setCard_Sub_Category("A6");
    p.setCard_Create_Mode("T");
    p.setCard_BG_Image_Path("/tmp/bg.png");
    p.setCard_BG_Image_Layout("Tile");
    p.setCard_BG_Image(Picture(img, QSizeF(8, 6)));
    p.setCard_Location(QPointF(1.5, -2.25));
    p.setCard_Size(QSizeF(242.65, 153.01));
    p.setCard_Content_clr(Qt::darkRed);
    p.setCard_Content_font(Font_With_Name("Liberation Mono", 9));
    p.setWatermark_Used(true);
    p.setWatermark_Text("COPY");
    p.setWatermark_Color(Qt::gray);
    p.setWatermark_Font(std::nullopt);
    p.setWatermark_Alignment(2);
    p.setWatermark_Transp(0.5f);

    const KeyedArchive archive = p.encode();
    EXPECT_EQ(archive.className(), "Card_Property");
    // The key names are those of the design file; a null font is not written.
    EXPECT_EQ(archive.keys().size(), 34);
    EXPECT_TRUE(archive.contains("Card_BG_Image"));
    EXPECT_TRUE(archive.contains("Card_Content_font"));
    EXPECT_FALSE(archive.contains("Watermark_Font"));

    const Card_Property back = Card_Property::decode(archive);
    EXPECT_TRUE(back == p);
    EXPECT_EQ(back.Card_BG_Image().image(), img);
    EXPECT_TRUE(Card_Property::decode(Card_Property().encode()) == Card_Property());
}

TEST(Card_Property, CopyIsIndependentOfItsSource)
{
    QImage img(2, 2, QImage::Format_RGB32);
    img.fill(Qt::white);
    Card_Property source;
    source.setCard_BG_Image(Picture(img));
    Card_Property copy = source.copy();
    EXPECT_TRUE(copy == source);

    copy.setCard_bordr_clr(Qt::yellow);
    copy.setCard_Name("Other");
    QImage changed = copy.Card_BG_Image().image();
    changed.fill(Qt::black);
    copy.setCard_BG_Image(Picture(changed));
    EXPECT_EQ(source.Card_bordr_clr(), QColor(Qt::black));
    EXPECT_EQ(source.Card_Name(), default_file_name);
    EXPECT_EQ(source.Card_BG_Image().image().pixelColor(0, 0), QColor(Qt::white));
}
