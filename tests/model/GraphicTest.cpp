#include "Globals.h"
#include "SKTBarcode.h"
#include "SKTGraphic.h"
#include "SKTImage.h"
#include "SKTLine.h"
#include "SKTText.h"
#include "Shape_Control.h"
#include "StrokeStyles.h"

#include <QImage>
#include <limits>
#include <gtest/gtest.h>

namespace {

// Records the change reports of the controls it owns.
struct RecordingOwner : GraphicOwner {
    struct Report { QRectF oldBounds, newBounds; };
    std::vector<Report> reports;
    void graphicDidChange(SKTGraphic &, const QRectF &o, const QRectF &n) override { reports.push_back({o, n}); }
};

} // namespace

TEST(GraphicCreation, TextFontAndColourOfAPlainText)
{
    GraphicPtr plain = SKTGraphic::create(GraphicKind::Text);
    EXPECT_EQ(*plain->text_ctrl_font, Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size));
    EXPECT_EQ(plain->txt_clr, QColor(Qt::black));
}

TEST(GraphicColours, AlphaIsClampedStoredAndStable)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_fillColor = QColor::fromRgbF(1, 0, 0, 0.2f);
    EXPECT_EQ(g->fillColor().alphaF(), 1.0f);  // 100.0 counts as opaque
    g->alpha_val = 0.5f;
    const QColor first = g->fillColor();
    EXPECT_NEAR(first.alphaF(), 0.5, 1e-4);
    EXPECT_EQ(first.redF(), 1.0f);
    EXPECT_EQ(g->fillColor(), first);
    EXPECT_EQ(g->_fillColor, first);  // written back

    g->alpha_val_stroke = -3;
    EXPECT_EQ(g->strokeColor().alphaF(), 0.0f);
    g->_fill_htch_clr = Qt::blue;
    EXPECT_NEAR(g->fill_hatch_bk_clr().alphaF(), 0.5, 1e-4);
    g->_fillColor = QColor();
    EXPECT_FALSE(g->fillColor().isValid());
}

TEST(GraphicColours, AnOpacityThatIsNotANumberReadsTransparent)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->alpha_val = nan;
    g->alpha_val_stroke = nan;
    const std::pair<const char *, double> rows[] = {
        {"fill", g->fillColor().alphaF()},
        {"stroke", g->strokeColor().alphaF()},
        {"drawing opacity", Clamp_Opacity(nan)},
    };
    for (const auto &[what, alpha] : rows) EXPECT_EQ(alpha, 0.0) << what;
}

TEST(GraphicColours, SetColorOnlyWhereAFillIsAllowed)
{
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->_isDrawingFill = false;
    shape->setColor(Qt::red);
    EXPECT_TRUE(shape->_isDrawingFill);
    EXPECT_EQ(shape->_fillColor, QColor(Qt::red));

    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->setColor(Qt::red);
    EXPECT_EQ(image->_fillColor, QColor::fromRgbF(1, 1, 1));

    GraphicPtr line = SKTGraphic::create(GraphicKind::Line);
    line->setColor(Qt::red);
    EXPECT_EQ(line->_strokeColor, QColor(Qt::red));
    EXPECT_EQ(line->_fillColor, QColor::fromRgbF(1, 1, 1));
}

TEST(GraphicBinding, DataSourceTypeTable)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
    auto bind = [&](int type) {
        g->batch_list_name = "Names";
        g->batch_list_index = 3;
        g->excel_binding = true;
        g->excel_col_indx = 4;
        g->Set_Data_source_type(type);
        EXPECT_EQ(g->data_source_type, type);
    };
    bind(0);
    EXPECT_EQ(g->batch_list_index, -1);
    EXPECT_EQ(g->batch_list_name, "");
    EXPECT_FALSE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, -1);
    bind(1);
    EXPECT_EQ(g->batch_list_index, 3);
    EXPECT_EQ(g->batch_list_name, "Names");
    EXPECT_FALSE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, -1);
    bind(2);
    EXPECT_EQ(g->batch_list_index, -1);
    EXPECT_EQ(g->batch_list_name, "");
    EXPECT_TRUE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, 4);
    bind(7);
    EXPECT_EQ(g->batch_list_index, 3);
    EXPECT_EQ(g->batch_list_name, "Names");
    EXPECT_TRUE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, 4);
}

TEST(GraphicCopy, CarriesGeometryFillStrokeAndBindingOnly)
{
    auto shape = Shape_Control::create();
    shape->ctrl_is_locked = true;
    shape->control_ID = "Fup_Name";
    shape->_bounds = QRectF(10, 20, 100, 50);
    shape->_fillColor = Qt::yellow;
    shape->_isDrawingStroke = false;
    shape->_strokeWidth = 3;
    shape->_fill_type = "G";
    shape->Set_Data_source_type(2);
    shape->excel_col_indx = 5;
    shape->text_alignmnet = 0;
    shape->_shape_type = "T";
    shape->Text_Value = "Ann";

    GraphicPtr c = shape->copy();
    EXPECT_EQ(c->kind(), GraphicKind::Shape);
    EXPECT_FALSE(c->ctrl_is_locked);
    EXPECT_EQ(c->control_ID, "");
    EXPECT_EQ(c->text_alignmnet, 2);
    EXPECT_EQ(c->_shape_type, "R");
    EXPECT_EQ(c->bounds(), QRectF(10, 20, 100, 50));
    EXPECT_EQ(c->_fillColor, QColor(Qt::yellow));
    EXPECT_FALSE(c->_isDrawingStroke);
    EXPECT_EQ(c->_strokeWidth, 3.0);
    EXPECT_EQ(c->_fill_type, "G");
    EXPECT_TRUE(c->excel_binding);
    EXPECT_EQ(c->excel_col_indx, 5);
    EXPECT_EQ(c->Text_Value, "Ann");
    EXPECT_EQ(c->owner(), nullptr);
}

TEST(GraphicCopy, LineAndImageCarryTheirOwnState)
{
    auto line = SKTLine::create();
    line->setBeginPoint({50, 30});
    line->setEndPoint({10, 10});
    auto lineCopy = std::static_pointer_cast<SKTLine>(line->copy());
    EXPECT_EQ(lineCopy->beginPoint(), QPointF(50, 30));
    EXPECT_EQ(lineCopy->endPoint(), QPointF(10, 10));

    auto image = SKTImage::create();
    image->_contents = Picture(QImage(3, 3, QImage::Format_ARGB32));
    image->_contents_with_settings = image->_contents;
    image->_isFlippedHorizontally = true;
    GraphicPtr imageCopy = image->copy();
    EXPECT_EQ(imageCopy->_contents, image->_contents);
    EXPECT_FALSE(imageCopy->_isFlippedHorizontally);
    imageCopy->_contents_with_settings = Picture(QImage(5, 5, QImage::Format_ARGB32));
    EXPECT_EQ(image->_contents_with_settings.image().width(), 3);

    // Other picture-holding kinds start their copies without a picture.
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->_contents = image->_contents;
    EXPECT_TRUE(barcode->copy()->_contents.isNull());
}

TEST(GraphicChanges, GeometrySettersReportOnceThroughSetBounds)
{
    RecordingOwner owner;
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_bounds = QRectF(10, 20, 100, 50);
    g->setOwner(&owner);

    g->setWidth(30);
    EXPECT_EQ(g->bounds(), QRectF(10, 20, 30, 50));
    ASSERT_EQ(owner.reports.size(), 1u);
    EXPECT_EQ(owner.reports[0].oldBounds, QRectF(6, 16, 109, 59));
    EXPECT_EQ(owner.reports[0].newBounds, QRectF(6, 16, 39, 59));

    owner.reports.clear();
    g->Set_Barcode_image(Picture(QImage(40, 12, QImage::Format_ARGB32)));
    EXPECT_EQ(g->bounds(), QRectF(10, 20, 40, 12));
    EXPECT_EQ(owner.reports.size(), 1u);  // one report for the whole change

    owner.reports.clear();
    g->setField(&SKTGraphic::alpha_val, 0.5f);
    g->setField(&SKTGraphic::alpha_val, 0.5f);  // unchanged: no report
    g->Set_text_value("New");
    EXPECT_EQ(owner.reports.size(), 2u);
}

TEST(GraphicText, RichTextIsMadeLazilyAndFollowsTheValue)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
    g->Set_text_value("Before");
    EXPECT_FALSE(g->_Text_contents.has_value());
    TextRecord &t = g->Text_contents();
    EXPECT_EQ(t.text, "Before");
    EXPECT_EQ(t.color, QColor(Qt::black));
    EXPECT_EQ(t.font, Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size));

    t.color = Qt::red;
    g->Set_text_value("After");
    EXPECT_EQ(g->Text_contents().text, "After");
    EXPECT_EQ(g->Text_contents().color, QColor(Qt::red));
}

TEST(GraphicGeometry, DrawingBoundsFollowStrokeAndRotation)
{
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->_bounds = QRectF(10, 20, 100, 50);
    EXPECT_EQ(shape->drawingBounds(), QRectF(6, 16, 109, 59));
    shape->_strokeWidth = 20;
    EXPECT_EQ(shape->drawingBounds(), QRectF(0, 10, 121, 71));
    shape->_isDrawingStroke = false;
    EXPECT_EQ(shape->drawingBounds(), QRectF(6, 16, 109, 59));

    shape->text_rotation = 90;
    const QRectF r = shape->drawingBounds();  // the upright box of the turned bounds
    EXPECT_NEAR(r.x(), 35 - 4, 1e-3);
    EXPECT_NEAR(r.width(), 50 + 9, 1e-3);
    EXPECT_NEAR(r.height(), 100 + 9, 1e-3);

    // Barcodes never stroke, whatever the field says.
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->_strokeWidth = 40;
    EXPECT_EQ(barcode->drawingBounds(), QRectF(-4, -4, 9, 9));
}

TEST(GraphicProperties, DictionaryRoundTrip)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_bounds = QRectF(1.5, 2, 30, 40);
    g->_isDrawingFill = false;
    g->_fillColor = Qt::green;
    g->_strokeWidth = 2.5;
    QVariantMap p = g->properties();
    EXPECT_EQ(p.value("bounds").toString(), "{{1.5, 2}, {30, 40}}");
    EXPECT_EQ(p.value("drawingFill").toBool(), false);

    GraphicPtr back = SKTGraphic::createWithProperties(GraphicKind::Shape, p);
    EXPECT_EQ(back->bounds(), g->bounds());
    EXPECT_FALSE(back->_isDrawingFill);
    EXPECT_EQ(back->_fillColor, QColor(Qt::green));
    EXPECT_EQ(back->_strokeWidth, 2.5);

    // Wrongly typed entries leave the defaults.
    GraphicPtr odd = SKTGraphic::createWithProperties(
        GraphicKind::Shape, {{"bounds", 5}, {"fillColor", "red"}, {"strokeWidth", "wide"}});
    EXPECT_EQ(odd->bounds(), QRectF());
    EXPECT_EQ(odd->_fillColor, QColor::fromRgbF(1, 1, 1));
    EXPECT_EQ(odd->_strokeWidth, 1.0);
}

TEST(GraphicProperties, LineUsesItsEndPoints)
{
    auto line = SKTLine::create();
    line->setBeginPoint({10, 10});
    line->setEndPoint({50, 30});
    EXPECT_EQ(line->bounds(), QRectF(10, 10, 40, 20));
    const QVariantMap p = line->properties();
    EXPECT_FALSE(p.contains("bounds"));
    EXPECT_EQ(p.value("beginPoint").toString(), "{10, 10}");
    EXPECT_EQ(p.value("endPoint").toString(), "{50, 30}");

    auto back = std::static_pointer_cast<SKTLine>(SKTGraphic::createWithProperties(GraphicKind::Line, p));
    EXPECT_EQ(back->beginPoint(), QPointF(10, 10));
    EXPECT_EQ(back->endPoint(), QPointF(50, 30));

    EXPECT_EQ(line->keysForValuesToObserveForUndo(),
              (QStringList{"drawingFill", "fillColor", "drawingStroke", "strokeColor", "strokeWidth", "beginPoint", "endPoint"}));
}
