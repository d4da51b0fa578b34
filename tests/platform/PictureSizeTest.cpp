#include "Picture.h"

#include <QPainter>

#include <gtest/gtest.h>

TEST(PictureSize, EmptyPicturesMeasureZero)
{
    EXPECT_EQ(Picture().size(), QSizeF(0, 0));
    EXPECT_EQ(Picture(QImage()).size(), QSizeF(0, 0));
    EXPECT_EQ(Picture(QImage(), QSizeF(5, 5)).size(), QSizeF(0, 0));
    EXPECT_EQ(Picture(QImage(4, 3, QImage::Format_ARGB32)).size(), QSizeF(4, 3));
    EXPECT_EQ(Picture::fromFile(QString()).size(), QSizeF(0, 0));
}

TEST(PictureSize, VectorFormsRasteriseAtTheirResolution)
{
    struct Black : PictureVector {
        QSizeF s;
        explicit Black(QSizeF size) : s(size) {}
        QSizeF size() const override { return s; }
        void paint(QPainter &p, const QRectF &target) const override { p.fillRect(target, Qt::black); }
    };
    EXPECT_TRUE(Picture::fromVector(std::make_shared<Black>(QSizeF(0, 5))).isNull());
    const Picture p = Picture::fromVector(std::make_shared<Black>(QSizeF(10.1, 36)));
    const Picture copy = p;
    EXPECT_FALSE(p.isNull());
    EXPECT_EQ(copy, p);
    EXPECT_NE(p, Picture::fromVector(std::make_shared<Black>(QSizeF(10.1, 36))));
    EXPECT_EQ(p.size(), QSizeF(10.1, 36));
    const QImage pixels = p.rasterised(300);
    EXPECT_EQ(pixels.size(), QSize(43, 150));
    EXPECT_EQ(pixels.pixel(42, 149), qRgb(0, 0, 0));
    EXPECT_EQ(p.image().size(), QSize(43, 150));
    EXPECT_EQ(&copy.image(), &p.image());
}
