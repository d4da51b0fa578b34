#include "VerticallyCenteredText.h"

#include <gtest/gtest.h>

TEST(ViewUtilities, TitleCentredVertically)
{
    // A cell 30 high with text 14 high: the title starts 8 lower and is 8 shorter.
    const QRectF bounds(5, 10, 100, 30);
    const QRectF base(7, 10, 96, 30);
    const QRectF r = Vertically_Centered_Title_Rect(bounds, base, 14);
    EXPECT_EQ(r, QRectF(7, 18, 96, 22));
}
