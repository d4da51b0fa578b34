#include "GraphicFields.h"
#include "SKTGraphic.h"
#include "SKTLine.h"
#include "SKTSignature.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace {

const GraphicKind kKinds[] = {GraphicKind::Graphic, GraphicKind::Line,      GraphicKind::Text,   GraphicKind::Shape,
                              GraphicKind::Image,   GraphicKind::Signature, GraphicKind::Barcode};

// A value of the field's type that differs from every default, varied by `n`.
FieldValue distinctValue(const GraphicField &f, int n)
{
    QImage img(2 + n % 3, 3, QImage::Format_ARGB32);
    img.fill(QColor(10 * (n % 20), 20, 30));
    return std::visit(
        [&](const auto &blank) -> FieldValue {
            using V = std::decay_t<decltype(blank)>;
            if constexpr (std::is_same_v<V, bool>) return true;  // blank is false
            else if constexpr (std::is_same_v<V, int>) return 1000 + n;
            else if constexpr (std::is_same_v<V, float>) return 0.25f + n;
            else if constexpr (std::is_same_v<V, double>) return 0.5 + n;  // exact in 32 bits
            else if constexpr (std::is_same_v<V, QRectF>) return QRectF(n, 2, 30, 40);
            else if constexpr (std::is_same_v<V, QString>) return QStringLiteral("value %1").arg(n);
            else if constexpr (std::is_same_v<V, QColor>) return QColor::fromRgbF(0.25f, 0.5f, 0.75f, 0.5f);
            else if constexpr (std::is_same_v<V, std::optional<QFont>>) return std::optional<QFont>(QFont("Liberation Serif", 9 + n % 5));
            else if constexpr (std::is_same_v<V, Picture>) return Picture(img);
            else return std::optional<TextRecord>(TextRecord{QStringLiteral("rich %1").arg(n), QFont("Liberation Mono", 8), Qt::red});
        },
        f.blankValue());
}

} // namespace

TEST(ControlArchive, EachExactKindWritesItsKeysInTableOrder)
{
    const std::map<GraphicKind, int> totals = {{GraphicKind::Line, 23},  {GraphicKind::Text, 39},
                                               {GraphicKind::Shape, 24}, {GraphicKind::Image, 43},
                                               {GraphicKind::Barcode, 64}, {GraphicKind::Signature, 22},
                                               {GraphicKind::Graphic, 19}};
    for (GraphicKind kind : kKinds) {
        SCOPED_TRACE(Graphic_Class_Name(kind).toStdString());
        // A default control writes every key: none of its objects is unset (the text
        // storage is made first).
        GraphicPtr g = SKTGraphic::create(kind);
        g->Text_contents();
        g->_barcode_image = Picture(QImage(4, 4, QImage::Format_ARGB32));
        g->_contents = g->_contents_with_settings = g->_barcode_image;
        const KeyedArchive a = g->encode();
        EXPECT_EQ(a.className(), Graphic_Class_Name(kind));
        EXPECT_EQ(a.keys().size(), totals.at(kind));
        EXPECT_EQ(a.keys(), Graphic_Archive_Keys(kind));
    }
}

TEST(ControlArchive, EveryFieldOfEveryKindRoundTrips)
{
    for (GraphicKind kind : kKinds) {
        SCOPED_TRACE(Graphic_Class_Name(kind).toStdString());
        GraphicPtr g = SKTGraphic::create(kind);
        int n = 0;
        for (const GraphicField &f : Graphic_Fields()) {
            if (f.appliesTo(kind)) {
                ASSERT_TRUE(f.set(*g, distinctValue(f, n++))) << f.name.toStdString();
            }
        }

        GraphicPtr back = SKTGraphic::decode(g->encode());
        ASSERT_TRUE(back);
        EXPECT_EQ(back->kind(), kind);
        for (const GraphicField &f : Graphic_Fields()) {
            if (!f.appliesTo(kind)) continue;
            SCOPED_TRACE(f.name.toStdString());
            // What the archive does not hold comes back blank, never as a default.
            const FieldValue want = inMask(f.archivedBy, kind) ? f.get(*g) : f.blankValue();
            EXPECT_TRUE(f.get(*back) == want);
        }
    }
}

TEST(ControlArchive, DoublesTravelAsFloatsAndMissingKeysReadBlank)
{
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->_strokeWidth = 1.3;
    text->_fill_grad_angle = 1.3;
    GraphicPtr back = SKTGraphic::decode(text->encode());
    EXPECT_EQ(back->_strokeWidth, 1.2999999523162842);
    EXPECT_EQ(back->_fill_grad_angle, 1.2999999523162842);

    // An archive without alpha_val gives a transparent fill, not the default 100.
    KeyedArchive onlyBounds(QStringLiteral("Shape_Control"));
    onlyBounds.encodeRect("_bounds", QRectF(1, 2, 3, 4));
    onlyBounds.encodeColor("_fillColor", Qt::red);
    GraphicPtr shape = SKTGraphic::decode(onlyBounds);
    EXPECT_EQ(shape->alpha_val, 0.0f);
    EXPECT_EQ(shape->fillColor().alphaF(), 0.0f);
    EXPECT_FALSE(shape->ctrl_is_visible);
    EXPECT_EQ(shape->_shape_type, QString());
    EXPECT_EQ(shape->cor_rad_val, 0.0f);
    EXPECT_EQ(shape->bounds(), QRectF(1, 2, 3, 4));

    EXPECT_EQ(SKTGraphic::decode(KeyedArchive("NSView")), nullptr);
}

TEST(ControlArchive, KindsWithoutBindingOrOwnFieldsComeBackEmpty)
{
    auto sig = SKTSignature::create();
    sig->Set_Data_source_type(2);
    sig->excel_col_indx = 4;
    sig->Text_Value = "kept?";
    GraphicPtr back = SKTGraphic::decode(sig->encode());
    EXPECT_EQ(back->data_source_type, 0);
    EXPECT_TRUE(back->batch_list_name.isNull());
    EXPECT_EQ(back->excel_col_indx, 0);
    EXPECT_TRUE(back->Text_Value.isNull());
    EXPECT_EQ(back->sign_or_fingureprint, "S");

    auto line = SKTLine::create();
    line->setEndPoint({50, 30});
    line->Drawing_Shadow = true;
    GraphicPtr lineBack = SKTGraphic::decode(line->encode());
    EXPECT_FALSE(lineBack->Drawing_Shadow);
    EXPECT_FALSE(lineBack->text_ctrl_font.has_value());
    EXPECT_EQ(static_cast<SKTLine &>(*lineBack).endPoint(), QPointF(50, 30));

    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->Set_Barcode_image_control_bounds(QRectF(1, 1, 5, 5));
    EXPECT_EQ(SKTGraphic::decode(barcode->encode())->bar_image_ctrl_bounds, QRectF());
}

// An unchanged control gives back its last archive, shared; any change (also a plain
// field write, also one too small for a fuzzy comparison) gives a new one.
TEST(ControlArchive, UnchangedControlsShareTheirArchive)
{
    struct Row {
        const char *change;
        GraphicKind kind;
        std::function<void(SKTGraphic &)> apply;
    };
    const std::vector<Row> rows = {
        {"bounds by a hair", GraphicKind::Image, [](SKTGraphic &g) { g._bounds.translate(1e-12, 0); }},
        {"zero to minus zero", GraphicKind::Text, [](SKTGraphic &g) { g.text_kerning = -0.0f; }},
        {"plain ID write", GraphicKind::Image, [](SKTGraphic &g) { g.control_ID = "Fup_Name"; }},
        {"text", GraphicKind::Text, [](SKTGraphic &g) { g.Set_text_value("Ann"); }},
        {"picture pixels", GraphicKind::Image, [](SKTGraphic &g) {
             QImage red(4, 4, QImage::Format_ARGB32);
             red.fill(Qt::red);
             g._contents = Picture(red);
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.change);
        GraphicPtr g = SKTGraphic::create(row.kind);
        g->setBounds(QRectF(10, 10, 50, 20));
        QImage white(4, 4, QImage::Format_ARGB32);
        white.fill(Qt::white);
        g->_contents = Picture(white);
        const KeyedArchive first = g->encode();
        EXPECT_TRUE(g->encode().sharesEntriesWith(first));
        row.apply(*g);
        const KeyedArchive second = g->encode();
        EXPECT_FALSE(second.sharesEntriesWith(first));
        EXPECT_FALSE(second == first);
        EXPECT_TRUE(g->encode().sharesEntriesWith(second));
    }
}
