// Unit arithmetic, total sizes, labels, the QR size floor and the raster services.
#include "BarcodeSizes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(BarcodeSizes, UnitsTotalsAndLabels)
{
    const struct {
        double length;
        int unit;
        double points;
    } units[] = {{6, 2, 17.0078832}, {1, 2, 2.8346472}, {1, 1, 28.346472}, {1, 0, 72}};
    for (const auto &u : units) EXPECT_NEAR(Unit_To_Points(u.length, u.unit), u.points, 1e-9) << u.length << u.unit;

    EXPECT_DOUBLE_EQ(Barcode_Total_Width(100, 120, 80, 0, 2), 120);
    EXPECT_DOUBLE_EQ(Barcode_Total_Width(100, 0, 0, 1, 0), 100 + 144 + 15);

    const BarcodeBlock caption{true, false, 0.2, 1}, hiddenCaption{true, true, 0.2, 1};
    const BarcodeBlock header{true, false, 0.5, 2}, hiddenHeader{false, true, 0.5, 2}, none{};
    const double mm = Unit_To_Points(1, 2);
    EXPECT_NEAR(Linear_Total_Height(6, caption, none, none, 0, 2), 6 * mm + 14.4 + mm, 1e-9);
    EXPECT_NEAR(Linear_Total_Height(6, hiddenCaption, none, none, 1, 2), 6 * mm + 14.4 + 2 * mm, 1e-9);
    EXPECT_NEAR(Linear_Total_Height(6, none, header, hiddenHeader, 0, 2), 6 * mm + 36 + 2 * mm, 1e-9);
    EXPECT_NEAR(TwoD_Total_Height(50, header, hiddenHeader, 1, 2), 50 + 36 + 2 * mm + 2 * mm, 1e-9);

    EXPECT_EQ(Bar_Height_Label(false, 2), "Bar Height (mm):");
    EXPECT_EQ(Bar_Height_Label(false, 0), "Bar Height (in):");
    EXPECT_EQ(Bar_Height_Label(true, 2), "Bar Height :");
    EXPECT_EQ(Bar_Width_Label(false), "Bar Width (Mils):");
    EXPECT_EQ(Margins_Label(1), "Margins (cm)");
    const int floors[][2] = {{0, 21}, {1, 21}, {10, 57}, {40, 177}};
    for (const auto &f : floors) EXPECT_EQ(QR_Size_Floor(f[0]), f[1]);
}

TEST(BarcodeSizes, RasterServices)
{
    QImage pixels(72, 36, QImage::Format_ARGB32);
    pixels.fill(Qt::black);
    pixels.setPixel(0, 0, qRgb(255, 255, 255));
    const Picture raised = Increase_DPI(Picture(pixels, QSizeF(72, 36)), 600);
    EXPECT_EQ(raised.image().size(), QSize(600, 300));
    EXPECT_EQ(raised.size(), QSizeF(72, 36));
    EXPECT_EQ(raised.image().pixel(7, 7), qRgb(255, 255, 255));  // unsmoothed
    EXPECT_EQ(raised.image().pixel(9, 7), qRgb(0, 0, 0));
    EXPECT_EQ(Increase_DPI(Picture(pixels, QSizeF(10.1, 10)), 300).image().width(), 43);
    EXPECT_TRUE(Increase_DPI(Picture(), 600).isNull());
    EXPECT_EQ(Resize_Image(pixels, QSize(10, 5)).size(), QSize(10, 5));
    EXPECT_TRUE(Resize_Image(QImage(), QSize(10, 5)).isNull());
    EXPECT_EQ(Flip_Vertically(pixels).pixel(0, 35), qRgb(255, 255, 255));
    EXPECT_EQ(Flip_Horizontally(pixels).pixel(71, 0), qRgb(255, 255, 255));

    QTemporaryDir dir;
    EXPECT_TRUE(Save_Barcode_Image(raised, dir.filePath("symbol.png")));
    EXPECT_EQ(QImage(dir.filePath("symbol.png")).size(), QSize(600, 300));
    EXPECT_FALSE(Save_Barcode_Image(raised, dir.filePath("missing/symbol.png")));
}
