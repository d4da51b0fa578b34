// The golden design file (tests/data/golden-design.zcd), written once by this program:
// a design with one control of every kind, each made by its tool and then given the
// values of the table below. Reading it must give back exactly what the program makes
// today (so a changed default, key or stored form shows), and writing it again must
// give the same bytes.
#include "DesignFile.h"
#include "DesignTestSupport.h"
#include "TestSupport.h"
#include "UnusualValues.h"

#include <QFile>
#include <gtest/gtest.h>

namespace golden_design_test {

using namespace designtest;

namespace {

const QString kGolden = QStringLiteral(TEST_DATA_DIR "/golden-design.zcd");

constexpr KindMask kBound = kindBit(GraphicKind::Text) | kindBit(GraphicKind::Image) | kindBit(GraphicKind::Barcode);
constexpr KindMask kShadowed = kindBit(GraphicKind::Text) | kindBit(GraphicKind::Image);
constexpr KindMask kOwnPath = kindBit(GraphicKind::Image) | kindBit(GraphicKind::Signature);
constexpr KindMask kRotated = kindBit(GraphicKind::Text) | kindBit(GraphicKind::Shape);
constexpr KindMask kind(GraphicKind k) { return kindBit(k); }

QFont font(const char *name, double size, QFont::Weight weight = QFont::Normal, bool italic = false)
{
    QFont f = Font_With_Name(name, size);
    f.setWeight(weight);
    f.setItalic(italic);
    return f;
}

// The values each control was given after its tool made it; every other field keeps
// the default of its kind. Fonts and the text colour, whose defaults follow the text
// font the running program has chosen, are given too.
struct Edit {
    KindMask kinds;
    const char *field;
    FieldValue value;
};
const std::vector<Edit> &edits()
{
    static const std::vector<Edit> table = {
        {kAllKinds, "_bounds", QRectF(12.5, 20.25, 96, 30.75)},
        {kAllKinds, "ctrl_is_locked", true},
        {kAllKinds, "_fillColor", QColor::fromRgbF(0.55f, 0.25f, 1.0f / 3.0f, 1)},
        {kAllKinds, "_strokeWidth", 2.5},
        {kAllKinds, "_stroke_border_type", QString("DD")},
        {kAllKinds, "_fill_type", QString("G")},
        {kAllKinds, "_fill_grad_angle", 1.3},
        {kAllKinds, "alpha_val", 0.7f},
        {kAllKinds, "print_object", 0},
        {kAllKinds, "control_ID", QString("F_field3")},
        {kBound, "data_source_type", 2},
        {kBound, "batch_list_name", QString("Staff, 2024")},
        {kBound, "excel_col_indx", 4},
        {kShadowed, "Drawing_Shadow", true},
        {kRotated, "text_rotation", -45},
        {kOwnPath, "_file_path", QString("/cards/pictures/visitor photo.png")},
        {kind(GraphicKind::Line), "_line_ori", 2},
        {kind(GraphicKind::Line), "_pointsDown", true},
        {kind(GraphicKind::Text), "text_ctrl_font", std::optional<QFont>(font("Liberation Serif", 9.5, QFont::Bold, true))},
        {kind(GraphicKind::Text), "_Text_contents",
         std::optional<TextRecord>(TextRecord{"Zo\u00eb <&> \"q\"\nline 2", font("Liberation Mono", 7), Qt::darkRed})},
        {kind(GraphicKind::Text), "txt_clr", QColor(Qt::darkBlue)},
        {kind(GraphicKind::Text), "text_kerning", 0.1f},
        {kind(GraphicKind::Text), "Text_Value", QString("  a::::b:c  ")},
        {kind(GraphicKind::Text), "Shadow_offset_Y", -1.5f},
        {kind(GraphicKind::Shape), "_shape_type", QString("S")},
        {kind(GraphicKind::Shape), "cor_rad_val", 12.0f},
        {kind(GraphicKind::Image), "hue_val", -0.25f},
        {kind(GraphicKind::Image), "gray_Scale", true},
        {kind(GraphicKind::Image), "Text_Value", QString("/cards/pictures/visitor photo.png")},
        {kind(GraphicKind::Signature), "sign_or_fingureprint", QString("F")},
        {kind(GraphicKind::Barcode), "linear_or_2d", 1},
        {kind(GraphicKind::Barcode), "header_val", QString("VISITOR")},
        {kind(GraphicKind::Barcode), "qr_ec_index", 3},
        {kind(GraphicKind::Barcode), "value_font_val", std::optional<QFont>(font("DejaVu Sans", 8, QFont::Light))},
        {kind(GraphicKind::Barcode), "header_font_val", std::optional<QFont>(font("Liberation Sans", 10))},
        {kind(GraphicKind::Barcode), "footer_font_val", std::optional<QFont>(font("Liberation Serif", 10))},
        {kind(GraphicKind::Barcode), "barcode_clr_val", QColor::fromRgbF(0, 0, 0.5f, 1)},
        {kind(GraphicKind::Barcode), "dpi_custom_val", QString("600")},
    };
    return table;
}

// The values the front card was given; the back card keeps the defaults but its fonts
// (the first two rows).
const std::vector<std::pair<const char *, KeyedArchive::Value>> &cardEdits()
{
    static const std::vector<std::pair<const char *, KeyedArchive::Value>> table = {
        {"Card_Content_font", font("Liberation Sans", 12)},
        {"Watermark_Font", font("Liberation Serif", 14)},
        {"Card_border_chk", true},
        {"Card_bor_Stepper", 3},
        {"Card_alpha_Stepper", 0.35f},
        {"Card_bordr_clr", QColor::fromRgbF(0.1f, 0.2f, 0.3f, 1)},
        {"Card_fill_style", QString("H")},
        {"Card_hatch_style", QString("pattern_2")},
        {"Card_Shape", QString("RR")},
        {"Card_Name", QString("Gate pass")},
        {"Card_Preset", QString("Vertical")},
        {"Card_BG_Image_Path", QString("/cards/backgrounds/teal.png")},
        {"Card_Location", QPointF(-12, 4.5)},
        {"Card_Size", QSizeF(153.07086614173, 242.64566929134)},
        {"Card_Content_font", font("Liberation Sans", 11, QFont::Bold)},  // replaces the first row
        {"Watermark_Used", true},
        {"Watermark_Transp", 0.25f},
    };
    return table;
}

Card_Property editedCard(const std::vector<std::pair<const char *, KeyedArchive::Value>> &edits)
{
    KeyedArchive a = Card_Property().encode();
    for (const auto &[key, value] : edits)
        std::visit([&a, key = QString(key)](const auto &v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) a.encodeBool(key, v);
            else if constexpr (std::is_same_v<T, int32_t>) a.encodeInt(key, v);
            else if constexpr (std::is_same_v<T, float>) a.encodeFloat(key, v);
            else if constexpr (std::is_same_v<T, QPointF>) a.encodePoint(key, v);
            else if constexpr (std::is_same_v<T, QSizeF>) a.encodeSize(key, v);
            else if constexpr (std::is_same_v<T, QString>) a.encodeString(key, v);
            else if constexpr (std::is_same_v<T, QColor>) a.encodeColor(key, v);
            else if constexpr (std::is_same_v<T, QFont>) a.encodeFont(key, v);
        }, value);
    return Card_Property::decode(a);
}

GraphicPtr editedControl(GraphicKind k)
{
    GraphicPtr g = SKTGraphic::create(k);
    for (const Edit &e : edits()) {
        if (inMask(e.kinds, k)) {
            EXPECT_TRUE(Find_Graphic_Field(e.field)->set(*g, e.value)) << e.field;
        }
    }
    return g;
}

DesignData goldenDesign()
{
    DesignData d;
    d.mode = Card_Mode::Template;
    d.front_card = editedCard(cardEdits());
    d.back_card = editedCard({cardEdits().begin(), cardEdits().begin() + 2});
    d.back_card.setCard_Side_Name("B");
    for (GraphicKind k : kEveryKind) d.front_controls.push_back(editedControl(k));
    d.back_controls.push_back(editedControl(GraphicKind::Text));
    d.spreadsheet = {"/cards/Staff list.xlsx", 2, true, true, {"Name", "Photo"}, {{"1", "Zo\u00eb", "/pics/1.png"}, {"2", "", ""}}};
    d.columns.excel_cb_value1 = 1;
    d.columns.excel_cb_value11 = 2;
    return d;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(GoldenDesign, ReadsBackFieldByFieldAsTheProgramMakesItToday)
{
    DesignData golden;
    QString error;
    ASSERT_TRUE(Read_Design_File(kGolden, golden, &error)) << error.toStdString();
    expectSameDesign(goldenDesign(), golden);
}

TEST(GoldenDesign, WritingItAgainGivesTheSameBytes)
{
    DesignData golden;
    ASSERT_TRUE(Read_Design_File(kGolden, golden, nullptr));
    const QString again = testsupport::testHome() + "/golden-again.zcd";
    ASSERT_TRUE(Write_Design_File(again, golden, nullptr));
    EXPECT_EQ(readAll(again), readAll(kGolden));
}

} // namespace golden_design_test
