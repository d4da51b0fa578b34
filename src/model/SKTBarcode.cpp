#include "SKTBarcode.h"

#include <QPainter>

std::shared_ptr<SKTBarcode> SKTBarcode::initWithPosition(const QPointF &point, const Picture &)
{
    auto g = create();
    Render_Barcode(*g);
    g->barcode_image_var_assign();
    const QSizeF s = g->_contents.size();
    g->_bounds = QRectF(point.x() - s.width() / 2, point.y() - s.height() / 2, s.width(), s.height());
    return g;
}

// A plain write: drawing calls it, and Set_Barcode_image has already reported the
// new picture.
void SKTBarcode::barcode_image_var_assign() { _contents = _barcode_image; }

void SKTBarcode::drawContentsInView(QPainter &painter, bool, const DrawContext &)
{
    if (!ctrl_is_visible) return;
    barcode_image_var_assign();
    if (_contents.isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRectF target(bounds().topLeft(), _contents.size());
    if (const PictureVector *drawing = _contents.vector()) drawing->paint(painter, target);
    else painter.drawImage(target, _contents.image());
    painter.restore();
}

namespace {
QColor or_(const QColor &c, Qt::GlobalColor fallback) { return c.isValid() ? c : QColor(fallback); }

// Hands `f` each field the control and its settings hold under the same name: the
// control's, then the settings'.
template <class Graphic, class Settings, class F>
void sameNamedFields(Graphic &g, Settings &s, F f)
{
    f(g.linear_or_2d, s.linear_or_2d);
    f(g.barcode_font_index, s.barcode_font_index);
    f(g.linear_font_val, s.linear_font_val);
    f(g.two_d_font_val, s.two_d_font_val);
    f(g.header_val, s.header_val);
    f(g.footer_val, s.footer_val);
    f(g.show_hide_hdr, s.show_hide_hdr);
    f(g.show_hide_ftr, s.show_hide_ftr);
    f(g.show_hide_val, s.show_hide_val);
    f(g.show_val_on_top, s.show_val_on_top);
    f(g.align_hdr_index, s.align_hdr_index);
    f(g.align_ftr_index, s.align_ftr_index);
    f(g.linear_height_val, s.linear_height_val);
    f(g.linear_width_val, s.linear_width_val);
    f(g.qr_size_val, s.qr_size_val);
    f(g.qr_version_index, s.qr_version_index);
    f(g.qr_ec_index, s.qr_ec_index);
    f(g.pdf_hgt_val, s.pdf_hgt_val);
    f(g.pdf_wdt_val, s.pdf_wdt_val);
    f(g.pdf_ec_val, s.pdf_ec_val);
    f(g.dm_module_val, s.dm_module_val);
    f(g.dm_format_index, s.dm_format_index);
    f(g.dm_encoding_index, s.dm_encoding_index);
    f(g.hdr_margin_val, s.hdr_margin_val);
    f(g.ftr_margin_val, s.ftr_margin_val);
    f(g.val_margin_val, s.val_margin_val);
    f(g.TB_marging_val, s.TB_marging_val);
    f(g.LR_margin_val, s.LR_margin_val);
    f(g.dpi_val_index, s.dpi_val_index);
    f(g.dpi_custom_val, s.dpi_custom_val);
}
} // namespace

Barcode_Settings Barcode_Settings_Of(const SKTGraphic &g)
{
    Barcode_Settings s;
    sameNamedFields(g, s, [](const auto &own, auto &setting) { setting = own; });
    // The settings start with the default fonts (a look-up in the font database each).
    if (g.value_font_val) s.value_font = *g.value_font_val;
    if (g.header_font_val) s.header_font = *g.header_font_val;
    if (g.footer_font_val) s.footer_font = *g.footer_font_val;
    s.barcode_hdr_clr_val = or_(g.barcode_hdr_clr_val, Qt::black);
    s.barcode_ftr_clr_val = or_(g.barcode_ftr_clr_val, Qt::black);
    s.barcode_val_clr_val = or_(g.barcode_val_clr_val, Qt::black);
    s.barcode_back_clr_val = or_(g.barcode_back_clr_val, Qt::white);
    s.barcode_clr_val = or_(g.barcode_clr_val, Qt::black);
    s.transparent = g._isDrawingFill;
    return s;
}

void Put_Barcode_Settings(SKTGraphic &g, const Barcode_Settings &s)
{
    SKTGraphic::ChangeScope scope(g);
    sameNamedFields(g, s, [](auto &own, const auto &setting) { own = setting; });
    g.value_font_val = s.value_font;
    g.header_font_val = s.header_font;
    g.footer_font_val = s.footer_font;
    g.barcode_hdr_clr_val = s.barcode_hdr_clr_val;
    g.barcode_ftr_clr_val = s.barcode_ftr_clr_val;
    g.barcode_val_clr_val = s.barcode_val_clr_val;
    g.barcode_back_clr_val = s.barcode_back_clr_val;
    g.barcode_clr_val = s.barcode_clr_val;
    g._isDrawingFill = s.transparent;
    g._fillColor = s.transparent ? QColor(Qt::transparent)
                   : s.linear_or_2d ? QColor(Qt::white)
                                    : s.barcode_back_clr_val;
}

void Render_Barcode(SKTGraphic &g, const std::optional<QString> &value)
{
    const Barcode_Settings s = Barcode_Settings_Of(g);
    const QtFontMeasure measure;
    const Picture picture = Barcode_Picture(s, value.value_or(s.value()), s.header_val, s.footer_val, measure);
    if (picture.isNull()) g.setField(&SKTGraphic::_barcode_image, Picture());
    else g.Set_Barcode_image(picture);
}
