// One picture's cut from a settings snapshot, with a fake detector: the view ratio of
// each picture, the face grown and scaled by the cut's ratio, faceless and empty cuts.
#include "CropRow.h"

#include <gtest/gtest.h>

namespace crop_row_test {

namespace {

class FakeDetector final : public FaceDetector {
public:
    std::vector<QRectF> faces;
    std::vector<QRectF> Detect_Faces(const QImage &) const override { return faces; }
};

QImage Picture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

TEST(CropRow, CutsByModeAndViewRatio)
{
    FakeDetector detector;
    detector.faces = {{10, 10, 20, 20}, {100, 50, 80, 60}};  // the second is larger
    struct Row {
        const char *what;
        Crop_Mode mode;
        QSize picture;
        QRectF selection;
        double growth;
        Crop_Outcome outcome;
        QRectF source;
        QSize cut;
    };
    const Row rows[] = {
        // A 400 x 400 picture in a 200 x 200 view: ratio 0.5.
        {"drawn, half size", Crop_Mode::Drawn, {400, 400}, {10, 20, 100, 100}, 0, Crop_Outcome::Cut, {20, 40, 200, 200}, {200, 200}},
        // A 100 x 100 picture is never enlarged: ratio 1.
        {"drawn, small picture", Crop_Mode::Drawn, {100, 100}, {10, 20, 50, 50}, 0, Crop_Outcome::Cut, {10, 20, 50, 50}, {50, 50}},
        {"drawn, no width", Crop_Mode::Drawn, {400, 400}, {10, 20, 0, 100}, 0, Crop_Outcome::Empty, {20, 40, 0, 200}, {}},
        // The face is cut in picture units whatever the view's ratio.
        {"face, growth 0", Crop_Mode::Face, {400, 400}, {}, 0, Crop_Outcome::Cut, {100, 50, 80, 60}, {80, 60}},
        {"face, growth 100", Crop_Mode::Face, {400, 400}, {}, 100, Crop_Outcome::Cut, {60, 20, 160, 120}, {160, 120}},
        {"face, small picture", Crop_Mode::Face, {200, 100}, {}, 0, Crop_Outcome::Cut, {100, 50, 80, 60}, {80, 60}},
        {"fixed", Crop_Mode::Fixed, {200, 100}, {}, 0, Crop_Outcome::Cut, {}, {50, 50}},
    };
    for (const Row &r : rows) {
        Crop_Cut_Settings s;
        s.mode = r.mode;
        s.selection = r.selection;
        s.drawing = {0, 0, 200, 200};
        s.growth = r.growth;
        const Crop_Result result = Crop_Picture(Picture(r.picture.width(), r.picture.height()), s, &detector);
        EXPECT_EQ(result.outcome, r.outcome) << r.what;
        EXPECT_EQ(result.source, r.source) << r.what;
        EXPECT_EQ(result.image.size(), r.cut.isEmpty() ? QSize(0, 0) : r.cut) << r.what;
    }
}

TEST(CropRow, FacelessUndecodableAndFrame)
{
    FakeDetector none;
    Crop_Cut_Settings s;
    s.mode = Crop_Mode::Face;
    s.drawing = {0, 0, 200, 200};
    EXPECT_EQ(Crop_Picture(Picture(100, 100), s, &none).outcome, Crop_Outcome::No_Face);
    EXPECT_EQ(Crop_Picture(Picture(100, 100), s, nullptr).outcome, Crop_Outcome::No_Face);
    EXPECT_EQ(Crop_Picture(QImage(), s, &none).outcome, Crop_Outcome::No_Picture);
    s.mode = Crop_Mode::Fixed;
    EXPECT_EQ(Crop_Picture(QImage(), s, &none).outcome, Crop_Outcome::No_Picture);
    // The frame of a grown face on a view at ratio 0.5: what the cut divides back.
    EXPECT_EQ(Face_Selection_Frame({100, 50, 80, 60}, 100, {0.5, 0.5}), QRectF(30, 10, 80, 60));
    EXPECT_EQ(Face_Selection_Frame({100, 50, 80, 60}, 0, {2, 1}), QRectF(200, 50, 160, 60));
}

} // namespace crop_row_test
