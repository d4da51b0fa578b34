#include "GraphicFields.h"

#include "Globals.h"
#include "SKTLine.h"

#include <QHash>

namespace {

constexpr KindMask L = kindBit(GraphicKind::Line);
constexpr KindMask T = kindBit(GraphicKind::Text);
constexpr KindMask P = kindBit(GraphicKind::Shape);
constexpr KindMask I = kindBit(GraphicKind::Image);
constexpr KindMask S = kindBit(GraphicKind::Signature);
constexpr KindMask B = kindBit(GraphicKind::Barcode);
constexpr KindMask ALL = kAllKinds;
constexpr KindMask BINDING = T | I | B;  // kinds whose archive holds the binding
constexpr KindMask NONE = 0;

QColor white() { return QColor::fromRgbF(1, 1, 1, 1); }
QColor black() { return QColor::fromRgbF(0, 0, 0, 1); }
QColor blue() { return QColor::fromRgbF(0, 0, 1, 1); }
QString str(const char *s) { return QString::fromLatin1(s); }

// A row with a fixed default; the default must have the field's own type.
template <class V>
GraphicField F(const char *name, V SKTGraphic::*m, std::type_identity_t<V> def, KindMask archived, KindMask copied)
{
    GraphicField f;
    f.name = QString::fromLatin1(name);
    f.member = m;
    f.defaultValue = FieldValue(std::move(def));
    f.archivedBy = archived;
    f.copiedBy = copied;
    return f;
}

// A row whose default depends on the kind or on the run.
template <class V>
GraphicField D(const char *name, V SKTGraphic::*m, FieldValue (*def)(GraphicKind), KindMask archived, KindMask copied)
{
    GraphicField f = F<V>(name, m, V{}, archived, copied);
    f.kindDefault = def;
    return f;
}

// A row of a field of the line control only.
GraphicField LineFlag(const char *name, bool SKTLine::*m)
{
    GraphicField f = F<bool>(name, static_cast<bool SKTGraphic::*>(m), false, L, L);
    f.presentIn = L;
    return f;
}

FieldValue fillDefault(GraphicKind k) { return k != GraphicKind::Text && k != GraphicKind::Barcode; }
FieldValue strokeDefault(GraphicKind k) { return k != GraphicKind::Text && k != GraphicKind::Image; }
FieldValue shadowDefault(GraphicKind k) { return k != GraphicKind::Text; }
FieldValue filePathDefault(GraphicKind) { return Resource_Path + QStringLiteral("no.png"); }
FieldValue textFontDefault(GraphicKind) { return std::optional<QFont>(Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size)); }
FieldValue textColorDefault(GraphicKind) { return QColor::fromRgbF(0, 0, 0, 1); }
FieldValue barcodeFontDefault(GraphicKind) { return std::optional<QFont>(Font_With_Name(Text_Ctrl_Font, 10)); }

#define M(field) #field, &SKTGraphic::field

std::vector<GraphicField> buildTable()
{
    return {
        // Written for every control.
        F(M(_bounds), QRectF(), ALL, ALL),
        F(M(ctrl_is_locked), false, ALL, NONE),
        D(M(_isDrawingFill), fillDefault, ALL, ALL),
        F(M(_fillColor), white(), ALL, ALL),
        D(M(_isDrawingStroke), strokeDefault, ALL, ALL),
        F(M(_strokeColor), black(), ALL, ALL),
        F(M(_strokeWidth), 1.0, ALL, ALL),
        F(M(_stroke_border_type), str("S"), ALL, ALL),
        F(M(_fill_type), str("S"), ALL, ALL),
        F(M(_fill_Grad_clr1), white(), ALL, ALL),
        F(M(_fill_Grad_clr2), white(), ALL, ALL),
        F(M(_fill_grad_angle), 0.0, ALL, ALL),
        F(M(_fill_htch_clr), white(), ALL, ALL),
        F(M(_fill_hatch_type), str(""), ALL, ALL),
        F(M(alpha_val), 100.0f, ALL, NONE),
        F(M(alpha_val_stroke), 100.0f, ALL, NONE),
        F(M(print_object), 0, ALL, NONE),
        F(M(control_ID), str(""), ALL, NONE),
        F(M(ctrl_is_visible), true, ALL, NONE),
        // The binding: text, image and barcode.
        F(M(data_source_type), 0, BINDING, ALL),
        F(M(batch_list_name), str(""), BINDING, ALL),
        F(M(batch_list_index), 0, BINDING, ALL),
        F(M(excel_binding), false, BINDING, ALL),
        F(M(excel_col_indx), 0, BINDING, ALL),
        // Line.
        F(M(_line_ori), 0, L, NONE),
        F(M(_line_cap_style), 0, L, NONE),
        LineFlag("_pointsRight", &SKTLine::_pointsRight),
        LineFlag("_pointsDown", &SKTLine::_pointsDown),
        // Barcode.
        F(M(_barcode_image), Picture(), B, NONE),
        F(M(linear_or_2d), 0, B, NONE),
        F(M(barcode_font_index), 0, B, NONE),
        F(M(linear_font_val), str("0123"), B, NONE),
        F(M(two_d_font_val), str("0123"), B, NONE),
        F(M(header_val), str("HEADER"), B, NONE),
        F(M(footer_val), str("FOOTER"), B, NONE),
        F(M(show_hide_hdr), 0, B, NONE),
        F(M(show_hide_ftr), 0, B, NONE),
        F(M(show_hide_val), 0, B, NONE),
        F(M(show_val_on_top), 0, B, NONE),
        F(M(align_hdr_index), 1, B, NONE),
        F(M(align_ftr_index), 1, B, NONE),
        F(M(linear_height_val), 6.0f, B, NONE),
        F(M(linear_width_val), 20.0f, B, NONE),
        F(M(qr_size_val), 60, B, NONE),
        F(M(qr_version_index), 0, B, NONE),
        F(M(qr_ec_index), 0, B, NONE),
        F(M(pdf_hgt_val), 20, B, NONE),
        F(M(pdf_wdt_val), 100, B, NONE),
        F(M(pdf_ec_val), 2, B, NONE),
        F(M(dm_module_val), 2, B, NONE),
        F(M(dm_format_index), 0, B, NONE),
        F(M(dm_encoding_index), 0, B, NONE),
        F(M(hdr_margin_val), 1.0f, B, NONE),
        F(M(ftr_margin_val), 1.0f, B, NONE),
        F(M(val_margin_val), 1.0f, B, NONE),
        F(M(TB_marging_val), 1.0f, B, NONE),
        F(M(LR_margin_val), 1.0f, B, NONE),
        D(M(value_font_val), barcodeFontDefault, B, NONE),
        D(M(header_font_val), barcodeFontDefault, B, NONE),
        D(M(footer_font_val), barcodeFontDefault, B, NONE),
        F(M(barcode_hdr_clr_val), black(), B, NONE),
        F(M(barcode_ftr_clr_val), black(), B, NONE),
        F(M(barcode_val_clr_val), black(), B, NONE),
        F(M(barcode_back_clr_val), white(), B, NONE),
        F(M(barcode_clr_val), black(), B, NONE),
        F(M(dpi_val_index), 0, B, NONE),
        F(M(dpi_custom_val), str("0"), B, NONE),
        F(M(barcode_unit_val), 1, B, NONE),
        // Text, then image; the fields that several kinds share sit where every
        // sharing kind's order holds.
        D(M(text_ctrl_font), textFontDefault, T, NONE),
        D(M(txt_clr), textColorDefault, T, NONE),
        F(M(_Text_contents), std::optional<TextRecord>(), T, NONE),
        F(M(text_alignmnet_Vert), 2, T, NONE),
        F(M(text_alignmnet), 2, T, NONE),
        F(M(text_transfrom_case), 0, T, NONE),
        F(M(text_kerning), 0.0f, T, NONE),
        F(M(_isFlippedHorizontally), false, I, NONE),
        F(M(_isFlippedVertically), false, I, NONE),
        F(M(invert_clr), false, I, NONE),
        F(M(gray_Scale), false, I, NONE),
        F(M(Sepia), false, I, NONE),
        F(M(img_trnsp_val), 100.0f, I, NONE),
        F(M(hue_val), 0.0f, I, NONE),
        F(M(sat_val), 1.0f, I, NONE),
        F(M(brt_val), 0.0f, I, NONE),
        F(M(con_val), 1.0f, I, NONE),
        F(M(srp_val), 0.0f, I, NONE),
        F(M(ev_val), 0.0f, I, NONE),
        F(M(blr_val), 0.0f, I, NONE),
        F(M(rotate_image), 0.0f, I, NONE),
        F(M(sign_or_fingureprint), str("S"), S, NONE),
        D(M(_file_path), filePathDefault, I | S, NONE),
        F(M(Text_Value), str("Text here"), T | I, ALL),
        D(M(Drawing_Shadow), shadowDefault, T | I, NONE),
        F(M(Shadow_Color), blue(), T, NONE),
        F(M(Shadow_offset_X), 5.0f, T, NONE),
        F(M(Shadow_offset_Y), 5.0f, T, NONE),
        F(M(Shadow_blur), 0.0f, T, NONE),
        F(M(Shadow_transparency), 50.0f, T, NONE),
        F(M(_contents), Picture(), I | S, I),
        F(M(_contents_with_settings), Picture(), I, I),
        // Shape.
        F(M(_shape_type), str("R"), P, NONE),
        F(M(cor_rad_val), 10.0f, P, NONE),
        F(M(double_star_type), 1, P, NONE),
        F(M(polygon_type), 1, P, NONE),
        F(M(text_rotation), 0, T | P, NONE),
        // Never archived.
        F(M(_boundsBeingChangedToMatchContents), false, NONE, NONE),
        F(M(bar_image_ctrl_bounds), QRectF(), NONE, NONE),
    };
}

#undef M

} // namespace

FieldValue GraphicField::get(const SKTGraphic &g) const
{
    return std::visit([&](auto m) -> FieldValue { return g.*m; }, member);
}

bool GraphicField::set(SKTGraphic &g, const FieldValue &v) const
{
    return std::visit(
        [&](auto m) {
            using V = std::remove_reference_t<decltype(g.*m)>;
            const V *p = std::get_if<V>(&v);
            if (!p) return false;
            g.*m = *p;
            return true;
        },
        member);
}

FieldValue GraphicField::blankValue() const
{
    return std::visit(
        [](auto m) -> FieldValue {
            using V = std::remove_reference_t<decltype(std::declval<SKTGraphic &>().*m)>;
            return V{};
        },
        member);
}

const std::vector<GraphicField> &Graphic_Fields()
{
    static const std::vector<GraphicField> table = buildTable();
    return table;
}

const GraphicField *Find_Graphic_Field(const QString &name)
{
    static const QHash<QString, const GraphicField *> byName = [] {
        QHash<QString, const GraphicField *> h;
        for (const GraphicField &f : Graphic_Fields()) h.insert(f.name, &f);
        return h;
    }();
    return byName.value(name, nullptr);
}

QStringList Graphic_Archive_Keys(GraphicKind kind)
{
    QStringList keys;
    for (const GraphicField &f : Graphic_Fields())
        if (inMask(f.archivedBy, kind)) keys << f.name;
    return keys;
}

std::optional<FieldValue> Graphic_Field_Value(const SKTGraphic &g, const QString &name)
{
    const GraphicField *f = Find_Graphic_Field(name);
    if (!f || !f->appliesTo(g.kind())) return std::nullopt;
    return f->get(g);
}

bool Set_Graphic_Field_Value(SKTGraphic &g, const QString &name, const FieldValue &value)
{
    const GraphicField *f = Find_Graphic_Field(name);
    if (!f || !f->appliesTo(g.kind()) || f->defaultValue.index() != value.index()) return false;
    if (f->get(g) == value) return true;
    SKTGraphic::ChangeScope scope(g);
    return f->set(g, value);
}
