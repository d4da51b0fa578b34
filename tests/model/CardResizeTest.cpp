// The card preset table and the controls' rescale on a card size change.
#include "CardResize.h"

#include <gtest/gtest.h>

TEST(CardResize, PresetSizes)
{
    const struct {
        const char *category, *preset;
        int row;
        float width, height;
    } cases[] = {
        {"PVC Card", "H", 0, 85.598f, 54.102f},
        {"PVC Card", "V", 0, 54.102f, 85.598f},
        {"PVC Card", "H", 6, 73.152f, 53.848f},
        {"PVC Card", "H", 7, 30, 30},  // past the seven PVC rows, not a paper row
        {"PVC Card", "H", -1, 30, 30},
        {"Paper Card", "H", 7, 150.114f, 125.984f},
        {"Paper Card", "V", 6, 89.916f, 59.944f},
        {"Paper Card", "H", 8, 30, 30},
    };
    for (const auto &c : cases) {
        const QSizeF s = Get_My_card_Size(c.category, c.preset, c.row);
        EXPECT_FLOAT_EQ(float(s.width()), c.width) << c.category << ' ' << c.preset << ' ' << c.row;
        EXPECT_FLOAT_EQ(float(s.height()), c.height) << c.category << ' ' << c.preset << ' ' << c.row;
    }
}

TEST(CardResize, PercentagesOfTheSizeChange)
{
    EXPECT_EQ(Card_Resize_Percentages(243, 154, 486, 77), std::pair(100.0f, -50.0f));
    for (const auto &[ow, oh, nw, nh] : {std::tuple(243.f, 154.f, 243.f, 154.f), std::tuple(0.f, 77.f, 243.f, 77.f),
                                         std::tuple(243.f, 0.f, 243.f, 77.f)})
        EXPECT_FALSE(Card_Resize_Percentages(ow, oh, nw, nh)) << ow << ' ' << oh << " -> " << nw << ' ' << nh;
}

TEST(CardResize, ControlBoundsFollowThePercentages)
{
    const struct {
        GraphicKind kind;
        QRectF bounds;
        float pw, ph;
        QRectF expected;
    } cases[] = {
        {GraphicKind::Shape, {10, 10, 40, 20}, 100, 0, {20, 10, 80, 20}},
        {GraphicKind::Image, {10, 40, 60, 30}, -50, 50, {5, 60, 30, 45}},
        {GraphicKind::Barcode, {10, 40, 60, 30}, 100, 100, {20, 80, 60, 30}},  // keeps its size
        {GraphicKind::Text, {100, 10, 60, 22}, -50, -50, {50, 5, 50, 20}},    // at least 50 x 20
        {GraphicKind::Text, {100, 10, 60, 22}, 100, 100, {200, 20, 120, 44}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Rescaled_Control_Bounds(c.bounds, c.kind, c.pw, c.ph), c.expected) << int(c.kind);
}

TEST(CardResize, FrontAndBackControlsAreRescaled)
{
    const GraphicPtr front = SKTGraphic::create(GraphicKind::Shape), back = SKTGraphic::create(GraphicKind::Line);
    front->setBounds({10, 10, 40, 20});
    back->setBounds({30, 30, 10, 10});
    Set_Control_Location_Size_IF_Card_Size_Change(243, 154, 486, 308, 1, {front}, {back});
    EXPECT_EQ(front->bounds(), QRectF(20, 20, 80, 40));
    EXPECT_EQ(back->bounds(), QRectF(60, 60, 20, 20));
    Set_Control_Location_Size_IF_Card_Size_Change(0, 77, 243, 77, 1, {front}, {});
    EXPECT_EQ(front->bounds(), QRectF(20, 20, 80, 40)) << "an old size of zero moves nothing";
}

TEST(CardResize, ABarcodesPictureFrameGoesAlong)
{
    // The picture of each card's value is centred in the frame: the frame is the
    // control's new place, with the barcode's own size.
    const GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->setBounds({20, 40, 60, 30});
    barcode->Set_Barcode_image_control_bounds(barcode->bounds());
    Set_Control_Location_Size_IF_Card_Size_Change(243, 154, 486, 308, 1, {}, {barcode});
    EXPECT_EQ(barcode->bounds(), QRectF(40, 80, 60, 30));
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, QRectF(40, 80, 60, 30));
}
