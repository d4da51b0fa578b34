#include "ControlArchiveBytes.h"
#include "StoredValues.h"
#include "UnusualValues.h"

#include <gtest/gtest.h>

TEST(StoredValues, ColoursKeepTheirLookAndLoseNothing)
{
    EXPECT_EQ(Convert_Color_to_String(QColor::fromRgbF(0, 0, 0, 1)), "0.0:0.0:0.0:1.0");
    EXPECT_EQ(Convert_Color_to_String(QColor::fromRgbF(1, 0.5f, 0.2f, 1)), "1.0:0.5:0.2:1.0");
    // One decimal would turn 0.55 into 0.6; the stored text keeps it.
    EXPECT_EQ(Convert_Color_to_String(QColor::fromRgbF(0.55f, 0, 0, 1)), "0.55:0.0:0.0:1.0");
    for (int n = 0; n < 40; ++n) {
        const QColor c = QColor::fromRgba64(QRgba64::fromRgba64(quint16(n * 1637), quint16(65535 - n * 911), quint16(n * 13), 40000));
        EXPECT_EQ(Convert_String_to_Color(Convert_Color_to_String(c)), c);
    }
    // Older one-decimal texts still read; what is not a colour reads as none.
    EXPECT_EQ(Convert_String_to_Color("0.6:0.0:1.0:0.5"), QColor::fromRgbF(0.6f, 0, 1, 0.5f));
    for (const char *bad : {"", "red", "0.1:0.2:0.3", "0.1:0.2:x:1", "0.1:0.2:0.3:0.4:0.5"})
        EXPECT_FALSE(Convert_String_to_Color(bad).isValid()) << bad;
    EXPECT_EQ(Convert_Color_to_String(QColor()), "");
}

TEST(StoredValues, NumbersKeepTwoDecimalsWhenExactAndReadBackTheSameValue)
{
    EXPECT_EQ(To_Stored_Text(100.0f), "100.00");
    EXPECT_EQ(To_Stored_Text(1.3f), "1.30");
    EXPECT_EQ(To_Stored_Text(0.125), "0.125");  // "0.12" would not read back
    EXPECT_EQ(To_Stored_Text(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(To_Stored_Text(1e-7f), "1e-07");
    EXPECT_EQ(To_Stored_Text(3.4e38f), "3.4e+38");
    for (float f : {1.3f, 0.1f, 1e-7f, -2.5e6f, 0.55f, 3.4e38f, 1.17549435e-38f}) {
        float back = 0;
        ASSERT_TRUE(From_Stored_Text(To_Stored_Text(f), back));
        EXPECT_EQ(back, f);
    }
    for (double d : {0.1, 1.0 / 3.0, -1e-9, 1234.5678901234, 2.834645669291}) {
        double back = 0;
        ASSERT_TRUE(From_Stored_Text(To_Stored_Text(d), back));
        EXPECT_EQ(back, d);
    }
    EXPECT_EQ(To_Stored_Text(QRectF(10, 20.5, 1.0 / 3.0, 4)), "{{10.00, 20.50}, {0.3333333333333333, 4.00}}");
    QRectF r;
    EXPECT_TRUE(From_Stored_Text("{{1, -2}, {3.5, 4e1}}", r));
    EXPECT_EQ(r, QRectF(1, -2, 3.5, 40));
    EXPECT_FALSE(From_Stored_Text("{{1, 2}, {3}}", r));
    QSizeF s;
    EXPECT_FALSE(From_Stored_Text("{1, 2, 3}", s));

    bool flag = false;
    EXPECT_EQ(To_Stored_Text(true), "Y");
    EXPECT_TRUE(From_Stored_Text("Y", flag) && flag);
    EXPECT_FALSE(From_Stored_Text("yes", flag));
    int i = 0;
    EXPECT_FALSE(From_Stored_Text("12abc", i));
}

TEST(StoredValues, FontsAreNameAndSizeWithTheirStyle)
{
    const QFont bold = [] {
        QFont f = Font_With_Name("Liberation Sans", 12);
        f.setBold(true);
        return f;
    }();
    EXPECT_EQ(Convert_Font_to_String(bold), "Liberation Sans-Bold::::12.00");
    EXPECT_EQ(Convert_String_to_Font("Liberation Sans-Bold::::12.00"), bold);
    for (int n = 0; n < 8; ++n) {
        const QFont f = designtest::unusualFont(n);
        EXPECT_EQ(Convert_String_to_Font(Convert_Font_to_String(f)), f) << Convert_Font_to_String(f).toStdString();
    }
    // Names of the other platform resolve through Font_With_Name.
    const QFont arial = Convert_String_to_Font("Arial-BoldMT::::9.5");
    EXPECT_EQ(arial, Font_With_Name("Arial-BoldMT", 9.5));
    EXPECT_TRUE(arial.bold());
    for (const char *bad : {"", "Liberation Sans", "::::12", "Liberation Sans::::big", "Liberation Sans::::0"})
        EXPECT_EQ(Convert_String_to_Font(bad), DEFAULT_FONT) << bad;
}

TEST(StoredValues, FontNamesAreKeptAsTheyAreInBothStoredForms)
{
    for (const char *name : {",Leading comma", "Trailing,", "Two, families", "\"Quoted\"", "a::::b"}) {
        const QFont f = Font_With_Name(name, 9);
        EXPECT_EQ(f.family(), name);
        EXPECT_EQ(Convert_String_to_Font(Convert_Font_to_String(f)), f) << name;
        KeyedArchive a("SKTText");
        a.encodeFont("text_ctrl_font", f);
        EXPECT_EQ(Control_Archive_From_Bytes(Control_Archive_To_Bytes(a))->decodeFont("text_ctrl_font"), f) << name;
    }
}
