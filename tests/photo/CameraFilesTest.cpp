#include "CameraFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
} // namespace

TEST(CameraFiles, NewNamesTakeTheFirstFreeNumber)
{
    // A folder whose own name holds the stem: only the file's name changes.
    const QString folder = testsupport::testHome() + "/dozo_user_save.png.d";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString first = Camera_Default_Image_Path(folder);
    EXPECT_EQ(first, folder + "/dozo_user_save.png");

    struct Row {
        std::vector<const char *> present;
        const char *asked;
        int count;
        const char *expected;
    };
    const Row rows[] = {
        {{}, "dozo_user_save.png", 1, "dozo_user_save.png"},
        {{"dozo_user_save.png"}, "dozo_user_save.png", 2, "dozo_user_save_2.png"},
        {{"dozo_user_save.png", "dozo_user_save_2.png"}, "dozo_user_save.png", 2, "dozo_user_save_3.png"},
        {{"dozo_user_save.png"}, "dozo_user_save.png", 1, "dozo_user_save_1.png"},
        {{"visitor.jpg"}, "visitor.jpg", 4, "dozo_user_save_4.jpg"},
    };
    for (const Row &r : rows) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        for (const char *p : r.present) touch(folder + "/" + p);
        EXPECT_EQ(Create_New_Camera_File_Path(folder + "/" + r.asked, r.count), folder + "/" + r.expected) << r.expected;
    }
}

TEST(CameraFiles, CutsByTheViewRatio)
{
    struct Row {
        QRectF frame;
        QSizeF ratio;
        std::optional<QRectF> cut;
    };
    const Row rows[] = {
        {{10, 20, 100, 100}, {0.5, 0.5}, QRectF(20, 40, 200, 200)},
        {{10, 20, 100, 50}, {1, 2}, QRectF(10, 10, 100, 25)},
        {{10, 20, 0, 50}, {1, 1}, std::nullopt},
        {{10, 20, 100, 100}, {0, 0}, std::nullopt},  // a picture without size
        {{10, 20, 100, 100}, {1, -1}, std::nullopt},
        {{10, 20, 100, 100}, {0, 1}, std::nullopt},
        {{10, 20, 100, 100}, {1, 0}, std::nullopt},
        {{10, 20, 0.5, 0.5}, {1, 1}, QRectF(10, 20, 0.5, 0.5)},
    };
    for (const Row &r : rows) EXPECT_EQ(Crop_Rect_In_Picture(r.frame, r.ratio), r.cut) << r.frame.width();
}
