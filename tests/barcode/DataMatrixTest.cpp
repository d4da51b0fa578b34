// Data Matrix sizes, encodations and pictures; every size read back by libdmtx's dmtxread.
#include "DataMatrixSymbol.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char *const kSizes[] = {"C10X10", "C12X12", "C14X14",   "C16X16",   "C18X18",   "C20X20",  "C22X22", "C24X24",
                              "C26X26", "C32X32", "C36X36",   "C40X40",   "C44X44",   "C48X48",  "C52X52", "C64X64",
                              "C72X72", "C80X80", "C88X88",   "C96X96",   "C104X104", "C120X120", "C132X132",
                              "C144X144", "C8X18", "C8X32",   "C12X26",   "C12X36",   "C16X36",  "C16X48"};

} // namespace

TEST(DataMatrix, SizesEncodationsAndSymbols)
{
    EXPECT_EQ(DataMatrix_Size("Auto"), (DataMatrixSize{0, 0}));
    EXPECT_EQ(DataMatrix_Size("C8X18"), (DataMatrixSize{18, 8}));
    EXPECT_EQ(DataMatrix_Size("C144X144"), (DataMatrixSize{144, 144}));
    EXPECT_EQ(DataMatrix_Size("C10"), (DataMatrixSize{0, 0}));
    EXPECT_EQ(DataMatrix_Encodation("C40", 3), "CCC");
    EXPECT_EQ(DataMatrix_Encodation("Base256", 2), "BB");
    EXPECT_EQ(DataMatrix_Encodation("Auto", 2), "");

    struct Row {
        const char *value, *size, *encodation;
        int width, height;  // 0: no symbol
    } rows[] = {
        {"0123", "Auto", "Auto", 10, 10},   {"HELLO", "Auto", "Auto", 12, 12}, {"AB", "C8X18", "Auto", 18, 8},
        {"hello", "C10X10", "Auto", 0, 0},  {"HELLO", "Auto", "C40", 14, 14},
    };
    for (const Row &r : rows) {
        const auto grid = Encode_DataMatrix(QString::fromUtf8(r.value), r.size, r.encodation);
        EXPECT_EQ(grid ? grid->width : 0, r.width) << r.value << " " << r.size;
        EXPECT_EQ(grid ? grid->height : 0, r.height) << r.value << " " << r.size;
    }
}

TEST(DataMatrix, PictureKeepsModulesSquare)
{
    const auto square = Encode_DataMatrix("0123", "Auto", "Auto");
    ASSERT_TRUE(square);
    const Picture p = Render_DataMatrix(*square, 2, 72);
    EXPECT_EQ(p.size(), QSizeF(20, 20));
    ASSERT_EQ(p.image().size(), QSize(20, 20));
    EXPECT_EQ(Render_DataMatrix(*square, 2, 600).image().size(), QSize(167, 167));

    // 18 x 8 modules at 12 points: 216 x 96 points, 20 x 10 units of 9.6 points centred.
    const auto wide = Encode_DataMatrix("AB", "C8X18", "Auto");
    ASSERT_TRUE(wide);
    const QImage image = Render_DataMatrix(*wide, 12, 72).image();
    ASSERT_EQ(image.size(), QSize(216, 96));
    EXPECT_EQ(qAlpha(image.pixel(5, 48)), 0);  // outside the border
    EXPECT_EQ(qAlpha(image.pixel(20, 48)), 0);  // in the one-module border
    // The bottom-left module is dark (the L-shaped finder), row 0 at the bottom.
    EXPECT_EQ(image.pixel(int(12 + 9.6 + 4), int(96 - 9.6 - 4)), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(int(12 + 9.6 + 4), int(9.6 + 4)), qRgb(0, 0, 0));  // top-left: finder column
}

TEST(DataMatrix, EverySizeReadsBack)
{
    const QString reader = QStandardPaths::findExecutable("dmtxread");
    if (reader.isEmpty()) GTEST_SKIP() << "dmtxread was not found";
    QTemporaryDir dir;
    QStringList files;
    for (const char *size : kSizes) {
        const auto grid = Encode_DataMatrix(QString::number(files.size()), size, "Auto");
        ASSERT_TRUE(grid) << size;
        EXPECT_EQ(DataMatrix_Size(size), (DataMatrixSize{grid->width, grid->height}));
        const QImage symbol = Render_DataMatrix(*grid, 4, 72).image();
        QImage page(symbol.width() + 40, symbol.height() + 40, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter(&page).drawImage(20, 20, symbol);
        files << dir.filePath(QString::fromLatin1(size) + ".png");
        ASSERT_TRUE(page.save(files.back()));
    }
    QProcess read;
    read.start(reader, QStringList{"-n", "-N1"} + files);
    ASSERT_TRUE(read.waitForFinished(120000));
    const QStringList lines = QString::fromUtf8(read.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), qsizetype(std::size(kSizes))) << lines.join(' ').toStdString();
    for (int i = 0; i < int(std::size(kSizes)); ++i) EXPECT_EQ(lines[i], QString::number(i)) << kSizes[i];
}
