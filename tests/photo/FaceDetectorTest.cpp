// Face detection over a face drawn by the test, at three sizes, and pictures without
// one; the largest face is chosen.
#include "FaceDetector.h"
#include "FaceFixture.h"

#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// 500 x 400 (times `scale`), grey 128, a plain drawn face centred at (300, 180).
QImage Drawn_Face(double scale)
{
    QImage picture(int(500 * scale), int(400 * scale), QImage::Format_RGB32);
    picture.fill(QColor(128, 128, 128));
    QPainter p(&picture);
    p.scale(scale, scale);
    testsupport::drawFace(p);
    return picture;
}

}  // namespace

TEST(FaceDetector, FindsTheDrawnFaceAtThreeSizes)
{
    const auto detector = Make_OpenCv_Face_Detector();
    ASSERT_TRUE(detector) << "cascade: " << Face_Cascade_Path().toStdString();
    for (const double scale : {1.0, 0.6, 0.4}) {
        const QImage picture = Drawn_Face(scale);
        const auto face = Largest_Face(detector->Detect_Faces(picture));
        ASSERT_TRUE(face) << scale;
        // The drawn face, y-up.
        const QRectF drawn(230 * scale, picture.height() - 270 * scale, 140 * scale, 180 * scale);
        EXPECT_TRUE(face->intersects(drawn)) << scale;
        EXPECT_TRUE(face->contains(drawn.center()) || drawn.contains(face->center())) << scale;
    }
}

TEST(FaceDetector, NoFaceInPlainPictures)
{
    const auto detector = Make_OpenCv_Face_Detector();
    ASSERT_TRUE(detector);
    QImage blank(400, 300, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QImage noise(400, 300, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const int v = int(random.bounded(256));
            noise.setPixel(x, y, qRgb(v, v, v));
        }
    QImage gradient(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            gradient.setPixel(x, y, qRgb(x * 255 / 399, y * 255 / 299, 128));
    for (const QImage &picture : {blank, noise, gradient, QImage()})
        EXPECT_TRUE(detector->Detect_Faces(picture).empty());
}

TEST(FaceDetector, MissingCascadeAndLargestFace)
{
    EXPECT_FALSE(Make_OpenCv_Face_Detector("/nonexistent/cascade.xml"));
    EXPECT_FALSE(Make_OpenCv_Face_Detector(""));
    EXPECT_FALSE(Largest_Face({}));
    const std::vector<QRectF> faces{{0, 0, 10, 10}, {5, 5, 20, 10}, {50, 50, 10, 20}, {9, 9, 14, 14}};
    EXPECT_EQ(*Largest_Face(faces), QRectF(5, 5, 20, 10));  // first of the equals
}
