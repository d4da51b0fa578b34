#include "Picture.h"

#include <gtest/gtest.h>

TEST(PictureSize, EmptyPicturesMeasureZero)
{
    EXPECT_EQ(Picture().size(), QSizeF(0, 0));
    EXPECT_EQ(Picture(QImage()).size(), QSizeF(0, 0));
    EXPECT_EQ(Picture(QImage(), QSizeF(5, 5)).size(), QSizeF(0, 0));
    EXPECT_EQ(Picture(QImage(4, 3, QImage::Format_ARGB32)).size(), QSizeF(4, 3));
    EXPECT_EQ(Picture::fromFile(QString()).size(), QSizeF(0, 0));
}
