// The image tab's adjustments on a card's image control: each change is one undo step; Reset returns them to neutral; a sepia control keeps
// its tone through undo, save and reopen.
#include "ControlPanels.h"
#include "Globals.h"
#include "MessageBox.h"
#include "PhotoPictureAdjuster.h"
#include "RenderProbe.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace image_adjustments_test {

namespace {
struct Window : TestWindow {
    ControlPanels &panels = *controller.controlPanels;
    Window()
    {
        testsupport::boxes().clear();
        testsupport::clearFilePanels();
    }
    void show(SKTGraphic *g)
    {
        controller._graphicView->selectGraphics({g});
        controller.Set_Selected_Graphic(g);
        controller.Show_RHS_Properties(g);
    }
    int undo() const { return controller.Get_Undo_Count(); }
    // A shown image control of a mid-grey picture, its side's history starting there.
    SKTImage *greyControl()
    {
        QImage grey(20, 20, QImage::Format_ARGB32);
        grey.fill(qRgb(128, 128, 128));
        const QString path = testsupport::testHome() + "/grey.png";
        EXPECT_TRUE(grey.save(path));
        add(front(), GraphicKind::Image, {10, 10, 40, 40});
        auto *img = static_cast<SKTImage *>(top(front()));
        img->setFilePath(path, true);
        controller.Undo_Redo_Clear();
        controller.Insert_In_Undo_Redo();
        show(img);
        return img;
    }
};

// The colour drawn at the middle of the control, pictures adjusted by the photo library.
QRgb middle(SKTGraphic &g)
{
    static const PhotoPictureAdjuster adjuster;
    return probe::render(g, QSize(400, 300), 1.0, false, adjuster).pixel(g.bounds().center().toPoint());
}
bool isSepia(QRgb c) { return qRed(c) > qGreen(c) + 4 && qGreen(c) > qBlue(c) + 4; }
bool isGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }
} // namespace

TEST(ImageAdjustments, EachEditIsOneUndoStepAndReachesThePicture)
{
    Window w;
    SKTImage *img = w.greyControl();

    struct Row {
        const char *what;
        std::function<void()> edit;
        std::function<bool(const SKTGraphic &)> stored;
    };
    auto &p = w.panels.image;
    const Row rows[] = {
        {"sepia", [&] { p.sepia->setChecked(true); }, [](const SKTGraphic &g) { return g.Sepia; }},
        {"hue in degrees", [&] { p.hue->setValue(90); },
         [](const SKTGraphic &g) { return std::abs(g.hue_val - std::numbers::pi / 2) < 1e-5; }},
        {"grey", [&] { p.grey->setChecked(true); }, [](const SKTGraphic &g) { return g.gray_Scale; }},
        {"invert", [&] { p.invert->setChecked(true); }, [](const SKTGraphic &g) { return g.invert_clr; }},
        {"saturation", [&] { p.saturation->setValue(1.5); }, [](const SKTGraphic &g) { return g.sat_val == 1.5f; }},
        {"brightness", [&] { p.brightness->setValue(0.1); }, [](const SKTGraphic &g) { return g.brt_val == 0.1f; }},
        {"contrast", [&] { p.contrast->setValue(2); }, [](const SKTGraphic &g) { return g.con_val == 2; }},
        {"sharpness", [&] { p.sharpness->setValue(0.5); }, [](const SKTGraphic &g) { return g.srp_val == 0.5f; }},
        {"exposure", [&] { p.exposure->setValue(-1); }, [](const SKTGraphic &g) { return g.ev_val == -1; }},
        {"blur", [&] { p.blur->setValue(3); }, [](const SKTGraphic &g) { return g.blr_val == 3; }},
        {"rotation", [&] { p.rotation->setValue(90); }, [](const SKTGraphic &g) { return g.rotate_image == 90; }},
    };
    int steps = w.undo();
    middle(*img);  // drawing makes the shown picture
    EXPECT_EQ(img->_contents_with_settings, img->_contents);
    for (const Row &r : rows) {
        r.edit();
        EXPECT_TRUE(r.stored(*img)) << r.what;
        EXPECT_EQ(w.undo(), ++steps) << r.what;
    }
    middle(*img);
    EXPECT_EQ(img->_contents_with_settings.image().size(), QSize(20, 20));
    EXPECT_NE(img->_contents_with_settings, img->_contents);

    p.reset->click();
    EXPECT_EQ(w.undo(), ++steps) << "Reset is one step";
    const ImageAdjustments neutral, now = Image_Adjustments_Of(*img);
    EXPECT_EQ(std::tie(now.grayScale, now.sepia, now.invert, now.hue, now.saturation, now.brightness, now.contrast,
                       now.sharpness, now.exposure, now.blur, now.rotation),
              std::tie(neutral.grayScale, neutral.sepia, neutral.invert, neutral.hue, neutral.saturation,
                       neutral.brightness, neutral.contrast, neutral.sharpness, neutral.exposure, neutral.blur,
                       neutral.rotation));
    middle(*img);
    EXPECT_EQ(img->_contents_with_settings, img->_contents);
}

TEST(ImageAdjustments, ASepiaControlKeepsItsToneThroughUndoSaveAndReopen)
{
    Window w;
    w.greyControl();
    EXPECT_TRUE(isGrey(middle(*w.top(w.front()))));

    w.panels.image.sepia->setChecked(true);
    EXPECT_TRUE(isSepia(middle(*w.top(w.front()))));
    w.command("Undo")->trigger();
    EXPECT_TRUE(isGrey(middle(*w.top(w.front()))));
    w.command("Redo")->trigger();
    EXPECT_TRUE(isSepia(middle(*w.top(w.front()))));

    const QString saved = testsupport::testHome() + "/sepia.zcd";
    testsupport::queueFilePanelAnswer({saved});
    ASSERT_TRUE(w.controller.Save_project_file(true, false, Card_Mode::Opened));
    Window again;
    testsupport::boxes().answerNext(kAlertNo);
    testsupport::queueFilePanelAnswer({saved});
    again.controller.Open_Design();
    ASSERT_NE(again.top(again.front()), nullptr);
    EXPECT_TRUE(again.top(again.front())->Sepia);
    EXPECT_TRUE(isSepia(middle(*again.top(again.front()))));
}

} // namespace image_adjustments_test
