// The adjustment controls of the camera and cropping windows: what the sliders and
// boxes give the chain, the values shown beside the sliders, and the neutral reset.
#include "Adjustment_Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>

#include <gtest/gtest.h>

#include <memory>
#include <numbers>

namespace {

// The text of the value field beside a slider (the cell to its right).
QString Shown(const Adjustment_Controls &c, QSlider *slider)
{
    auto *grid = static_cast<QGridLayout *>(c.Image_Edit_Prop_Box->layout());
    const int index = grid->indexOf(slider);
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    return static_cast<QLabel *>(grid->itemAtPosition(row, column + 1)->widget())->text();
}

} // namespace

TEST(AdjustmentControls, SlidersGiveTheChainItsUnitsAndShowTheirValues)
{
    Adjustment_Controls c;
    int changes = 0;
    std::unique_ptr<QGroupBox> box(c.Build_Adjustment_Box([&changes] { ++changes; }));
    EXPECT_EQ(c.Current_Adjustments(), ImageAdjustments{.transparency = 100}) << "neutral at the start";
    EXPECT_EQ(changes, 0);

    struct Row {
        QSlider *slider;
        int value;
        double ImageAdjustments::*field;
        double expected;
        QString shown;
    };
    const Row rows[] = {
        {c.Hue_slidr, 90, &ImageAdjustments::hue, std::numbers::pi / 2, "90"},
        {c.Sat_slidr, 150, &ImageAdjustments::saturation, 1.5, "1.5"},
        {c.Brt_slidr, -40, &ImageAdjustments::brightness, -0.4, "-0.4"},
        {c.Con_slidr, 250, &ImageAdjustments::contrast, 2.5, "2.5"},
        {c.shrp_slidr, 30, &ImageAdjustments::sharpness, 0.3, "0.3"},
        {c.ev_slidr, -25, &ImageAdjustments::exposure, -2.5, "-2.5"},
        {c.blr_slidr, 7, &ImageAdjustments::blur, 7, "7"},
        {c.Trsp_slidr, 60, &ImageAdjustments::transparency, 60, "60"},
        {c.Rotate_slidr, -45, &ImageAdjustments::rotation, -45, "-45"},
    };
    for (const Row &r : rows) {
        r.slider->setValue(r.value);
        EXPECT_DOUBLE_EQ(c.Current_Adjustments().*r.field, r.expected) << r.shown.toStdString();
        EXPECT_EQ(Shown(c, r.slider), r.shown);
    }
    c.Image_Sepia_chk->setChecked(true);
    c.Image_FIV_chk->setChecked(true);
    EXPECT_TRUE(c.Current_Adjustments().sepia);
    EXPECT_TRUE(c.Current_Adjustments().flipVertically);
    EXPECT_FALSE(c.Current_Adjustments().flipHorizontally);
    EXPECT_EQ(changes, 11);

    c.Reset_Image_Editing_Controls();
    EXPECT_EQ(c.Current_Adjustments(), ImageAdjustments{.transparency = 100});
    EXPECT_EQ(Shown(c, c.Sat_slidr), "1");
    EXPECT_EQ(Shown(c, c.Hue_slidr), "0");
    EXPECT_EQ(changes, 11) << "the reset runs no change";
}
