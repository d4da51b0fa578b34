// The cuts of the cropping window: source rectangles, the face growth and scale, the
// fixed size, y-up cuts of an asymmetric picture, output names and the size text rule.
#include "CropEngine.h"

#include <gtest/gtest.h>

TEST(CropEngine, SourceRectAndFaceGrowth)
{
    struct Row {
        QRectF selection;
        QSizeF ratio;
        QRectF source;
    };
    const Row rows[] = {
        {{10, 20, 100, 100}, {0.5, 0.5}, {20, 40, 200, 200}},
        {{10, 20, 100, 100}, {1, 1}, {10, 20, 100, 100}},
        {{10, 20, 100, 50}, {2, 0.5}, {5, 40, 50, 100}},
        {{10, 20, 100, 50}, {0, 1}, {}},  // no ratio: nothing to cut
    };
    for (const Row &r : rows)
        EXPECT_EQ(Crop_Source_Rect(r.selection, r.ratio), r.source) << r.selection.x();

    struct Grow {
        double percent;
        QRectF grown;
    };
    const QRectF face(100, 50, 80, 60);
    const Grow grows[] = {{0, face}, {100, {60, 20, 160, 120}}, {50, {80, 35, 120, 90}}, {-50, {120, 65, 40, 30}}};
    for (const Grow &g : grows)
        EXPECT_EQ(Grow_Face_Rect(face, g.percent), g.grown) << g.percent;
}

TEST(CropEngine, FaceScaleAndFixedSize)
{
    struct Scale {
        QSizeF picture, view;
        double scale;
    };
    const Scale scales[] = {
        {{500, 400}, {250, 250}, 0.5},    // overhangs across more: widths
        {{400, 500}, {250, 250}, 0.5},    // overhangs down more: heights
        {{400, 500}, {200, 400}, 0.5},    // equal overhang: widths
        {{300, 600}, {300, 300}, 0.5},
        {{0, 100}, {100, 100}, 1.0},
        {{0, 50}, {100, 100}, 1.0},  // no width: no scale
        {{1, 200}, {100, 100}, 0.5},  // one pixel wide or high is a picture still
        {{200, 1}, {100, 100}, 0.5},
    };
    for (const Scale &s : scales)
        EXPECT_DOUBLE_EQ(Face_Scale(s.picture, s.view), s.scale) << s.picture.width();

    struct Fixed {
        double w, h;
        QSizeF picture;
        bool aspect;
        QSize cut;
    };
    const Fixed rows[] = {
        {50, 50, {200, 100}, true, {50, 25}},
        {50, 50, {200, 100}, false, {50, 50}},
        {50, 50, {100, 200}, true, {25, 50}},
        {300, 60, {200, 100}, true, {120, 60}},
        {0, 50, {200, 100}, false, {0, 0}},  // no width: nothing cut
        {50, 200, {1, 100}, true, {2, 200}},  // one pixel wide or high keeps its proportions
        {200, 50, {100, 1}, true, {200, 2}},
    };
    for (const Fixed &f : rows) {
        QImage picture(f.picture.toSize(), QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QImage cut = Crop_By_Given_Size(picture, f.w, f.h, f.aspect);
        if (f.cut.isEmpty())
            EXPECT_TRUE(cut.isNull());
        else {
            EXPECT_EQ(cut.size(), f.cut) << f.w << ' ' << f.aspect;
            EXPECT_EQ(cut.pixel(0, 0), QColor(Qt::red).rgb());
            EXPECT_EQ(cut.pixel(f.cut.width() / 2, f.cut.height() / 2), QColor(Qt::red).rgb());
        }
    }
}

TEST(CropEngine, CutsYUpRectangleOfAsymmetricPicture)
{
    // 40 x 30: top 10 rows red, the rest blue; left 10 columns of the bottom green.
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (y < 10)
                picture.setPixel(x, y, qRgb(255, 0, 0));
            else if (y >= 20 && x < 10)
                picture.setPixel(x, y, qRgb(0, 255, 0));
    struct Row {
        QRectF yUp;
        QRgb topLeft, bottomRight;
        QSize size;
    };
    const Row rows[] = {
        {{0, 0, 10, 10}, qRgb(0, 255, 0), qRgb(0, 255, 0), {10, 10}},     // bottom-left corner
        {{0, 20, 40, 10}, qRgb(255, 0, 0), qRgb(255, 0, 0), {40, 10}},    // top band
        {{5, 5, 10, 20}, qRgb(255, 0, 0), qRgb(0, 0, 255), {10, 20}},     // across the bands
    };
    for (const Row &r : rows) {
        const QImage cut = Cut_Picture(picture, r.yUp);
        ASSERT_EQ(cut.size(), r.size);
        EXPECT_EQ(cut.pixel(0, 0) | 0xff000000u, r.topLeft) << r.yUp.y();
        EXPECT_EQ(cut.pixel(r.size.width() - 1, r.size.height() - 1) | 0xff000000u, r.bottomRight) << r.yUp.y();
    }
    EXPECT_EQ(Flip_Rect_Y({5, 5, 10, 20}, 30), QRectF(5, 5, 10, 20));
    EXPECT_EQ(Flip_Rect_Y({0, 0, 10, 10}, 30), QRectF(0, 20, 10, 10));
    EXPECT_TRUE(Cut_Picture(picture, {0, 0, 0, 10}).isNull());
    EXPECT_EQ(Cut_Picture(picture, {0, 0, 1, 10}).size(), QSize(1, 10));
    EXPECT_EQ(Cut_Picture(picture, {0, 0, 10, 1}).size(), QSize(10, 1));
    EXPECT_TRUE(Cut_Picture(QImage(), {0, 0, 1, 10}).isNull());
    EXPECT_TRUE(Crop_By_Given_Size(QImage(), 50, 50, false).isNull());
    EXPECT_TRUE(Cut_Picture(picture, {0, 0, 10, 0.5}).isNull());
}

TEST(CropEngine, NamesAndExtensions)
{
    struct Row {
        bool custom;
        QString name;
        int format, counter;
        QString path;
    };
    const QString in = QStringLiteral("/pics/Jane Doe.v2.png");
    const Row rows[] = {
        {true, "Untitled", 0, 0, "/out/Untitled.jpg"},
        {true, "Untitled", 0, 1, "/out/Untitled_1.jpg"},
        {true, "Untitled", 1, 2, "/out/Untitled_2.bmp"},
        {true, "Card", 2, 0, "/out/Card.png"},
        {false, "Untitled", 3, 5, "/out/Jane Doe.v2.tiff"},
        {false, "", 4, 0, "/out/Jane Doe.v2"},
        {true, "x", -1, 0, "/out/x"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(Cropped_File_Name("/out", r.custom, r.name, in, r.format, r.counter), r.path);
}

TEST(CropEngine, SizeTextRule)
{
    struct Row {
        QString typed, text;
        int value;
    };
    const Row rows[] = {
        {"0", "1", 1},          {"", "1", 1},           {"  ", "1", 1},      {"20000", "10000", 10000},
        {"123456", "10000", 10000}, {"0012345", "00123", 123}, {"0000000", "1", 1}, {"50", "50", 50},
        {"10000", "10000", 10000},  {"10001", "10000", 10000}, {"abc", "1", 1},
    };
    for (const Row &r : rows) {
        const Size_Text t = Crop_Size_Text_Rule(r.typed);
        EXPECT_EQ(t.text, r.text) << r.typed.toStdString();
        EXPECT_EQ(t.value, r.value) << r.typed.toStdString();
    }
}
