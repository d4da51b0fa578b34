// A barcode control's settings, their write-back and its rendering through the engine.
#include "BarcodeDrawing.h"
#include "ControlArchiveBytes.h"
#include "GraphicFields.h"
#include "SKTBarcode.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<SKTBarcode> qrControl(int version)
{
    auto g = SKTBarcode::create();
    Barcode_Settings s = Barcode_Settings_Of(*g);
    s.linear_or_2d = 1;
    s.barcode_font_index = int(Barcode_Symbology_Titles().indexOf(QStringLiteral("QR Code")));
    s.qr_version_index = version;
    s.qr_size_val = 120;
    Put_Barcode_Settings(*g, s);
    return g;
}

QSizeF symbolPixels(const SKTGraphic &g)
{
    const auto images = dynamic_cast<const BarcodeDrawing &>(*g._barcode_image.vector()).itemsOf<BarcodeDrawing::Image>();
    return images.size() == 1 ? QSizeF(images[0].picture.image().size()) : QSizeF();
}

} // namespace

TEST(BarcodeControlSettings, NewControlDefaultsAndRoundTrip)
{
    auto g = SKTBarcode::create();
    EXPECT_EQ(Barcode_Settings_Of(*g), Barcode_Settings());
    Barcode_Settings s;
    s.barcode_font_index = 9;
    s.header_val = QStringLiteral("VISITOR");
    s.linear_width_val = 10;
    s.dpi_val_index = 5;
    s.dpi_custom_val = QStringLiteral("450");
    s.barcode_back_clr_val = QColor(200, 220, 240);
    s.value_font.setPointSizeF(12);
    Put_Barcode_Settings(*g, s);
    EXPECT_EQ(Barcode_Settings_Of(*g), s);
    // Missing fonts and colours read as their defaults.
    g->value_font_val.reset();
    g->barcode_clr_val = QColor();
    EXPECT_EQ(Barcode_Settings_Of(*g).value_font, Barcode_Settings::defaultFont());
    EXPECT_EQ(Barcode_Settings_Of(*g).barcode_clr_val, QColor(Qt::black));
}

TEST(BarcodeControlSettings, TransparentBoxWritesTheFill)
{
    struct Row {
        bool transparent;
        int twoD;
        QColor fill;
    };
    const QColor back(10, 20, 30);
    const Row rows[] = {{true, 0, QColor(Qt::transparent)}, {true, 1, QColor(Qt::transparent)},
                        {false, 0, back}, {false, 1, QColor(Qt::white)}};
    for (const Row &r : rows) {
        auto g = SKTBarcode::create();
        Barcode_Settings s;
        s.transparent = r.transparent;
        s.linear_or_2d = r.twoD;
        s.barcode_back_clr_val = back;
        Put_Barcode_Settings(*g, s);
        EXPECT_EQ(g->_isDrawingFill, r.transparent);
        EXPECT_EQ(g->_fillColor, r.fill) << r.transparent << r.twoD;
        EXPECT_EQ(Barcode_Settings_Of(*g).transparent, r.transparent);
    }
}

// Each control renders with its own QR version whatever another control rendered last,
// and a control read back (undo, paste) is rendered from its settings.
TEST(BarcodeControlSettings, RendersFromItsOwnSettings)
{
    auto v2 = qrControl(2), v10 = qrControl(10);
    Render_Barcode(*v2);
    const QSizeF first = symbolPixels(*v2);
    Render_Barcode(*v10);
    Render_Barcode(*v2);
    EXPECT_EQ(symbolPixels(*v2), first);
    EXPECT_EQ(v2->bounds().size(), v2->_barcode_image.size());
    // 120 points at 600 dpi: 1000 pixels whatever the version.
    EXPECT_EQ(first, QSizeF(1000, 1000));

    // A pasted barcode is rendered from its settings, not from the picture it carried.
    v10->_barcode_image = Picture();
    const auto pasted = SKTGraphic::graphicsWithProperties({Control_Archive_To_Plist(v10->encode())}, Card_Mode::Opened, nullptr);
    ASSERT_EQ(pasted.size(), 1u);
    ASSERT_FALSE(pasted[0]->_barcode_image.isNull());
    EXPECT_EQ(pasted[0]->bounds().size(), Barcode_Picture(Barcode_Settings_Of(*v10)).size());

    // A blank or refused value leaves no picture and keeps the place.
    const QRectF kept = v2->bounds();
    Render_Barcode(*v2, QStringLiteral("  "));
    EXPECT_TRUE(v2->_barcode_image.isNull());
    EXPECT_EQ(v2->bounds(), kept);
    auto linear = SKTBarcode::create();
    Render_Barcode(*linear, QStringLiteral("Grüße"));
    EXPECT_TRUE(linear->_barcode_image.isNull());
}
