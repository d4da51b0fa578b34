// Unit arithmetic, total sizes, labels, the QR size floor and the raster services.
#include "BarcodeSizes.h"
#include "Pdf417Encoder.h"
#include "QrEncoder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(BarcodeSizes, UnitsTotalsAndLabels)
{
    const struct {
        double length;
        int index;
        double points;
    } units[] = {{6, 2, 17.0078832}, {1, 2, 2.8346472}, {1, 1, 28.346472}, {1, 0, 72}, {1, 7, 2.8346472}};
    for (const auto &u : units)
        EXPECT_NEAR(Unit_To_Points(u.length, Barcode_Unit_From_Index(u.index)), u.points, 1e-9) << u.length << u.index;
    constexpr Barcode_Unit inch = Barcode_Unit::Inch, cm = Barcode_Unit::Cm, mm = Barcode_Unit::Mm;

    EXPECT_DOUBLE_EQ(Barcode_Total_Width(100, 120, 80, 0, mm), 120);
    EXPECT_DOUBLE_EQ(Barcode_Total_Width(100, 0, 0, 1, inch), 100 + 144 + 15);

    const BarcodeBlock caption{true, false, 0.2, 1}, hiddenCaption{true, true, 0.2, 1};
    const BarcodeBlock header{true, false, 0.5, 2}, hiddenHeader{false, true, 0.5, 2}, none{};
    const double mmPoints = Unit_To_Points(1, mm);
    EXPECT_NEAR(Linear_Total_Height(6, caption, none, none, 0, mm), 6 * mmPoints + 14.4 + mmPoints, 1e-9);
    EXPECT_NEAR(Linear_Total_Height(6, hiddenCaption, none, none, 1, mm), 6 * mmPoints + 14.4 + 2 * mmPoints, 1e-9);
    EXPECT_NEAR(Linear_Total_Height(6, none, header, hiddenHeader, 0, mm), 6 * mmPoints + 36 + 2 * mmPoints, 1e-9);
    EXPECT_NEAR(TwoD_Total_Height(50, header, hiddenHeader, 1, mm), 50 + 36 + 2 * mmPoints + 2 * mmPoints, 1e-9);

    EXPECT_EQ(Bar_Height_Label(false, mm), "Bar Height (mm):");
    EXPECT_EQ(Bar_Height_Label(false, inch), "Bar Height (in):");
    EXPECT_EQ(Bar_Height_Label(true, mm), "Bar Height :");
    EXPECT_EQ(Bar_Width_Label(false), "Bar Width (Mils):");
    EXPECT_EQ(Margins_Label(cm), "Margins (cm)");
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

TEST(BarcodeSizes, ModesFromSettingIndexes)
{
    const std::pair<int, QR_Level> qr[] = {
        {-1, QR_Level::L}, {0, QR_Level::L}, {1, QR_Level::M}, {2, QR_Level::Q}, {3, QR_Level::H}, {9, QR_Level::H}};
    for (const auto &[index, level] : qr) EXPECT_EQ(QR_Level_From_Index(index), level) << index;
    const std::pair<int, Pdf417_Level> pdf[] = {
        {-3, Pdf417_Level::L0}, {0, Pdf417_Level::L0}, {5, Pdf417_Level::L5}, {8, Pdf417_Level::L8}, {12, Pdf417_Level::L8}};
    for (const auto &[index, level] : pdf) EXPECT_EQ(PDF417_Level_From_Index(index), level) << index;
}
