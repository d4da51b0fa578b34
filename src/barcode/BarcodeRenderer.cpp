#include "BarcodeRenderer.h"

#include "NKDBarcode.h"

#include <algorithm>

namespace {

// Adds items given in bottom-up coordinates of a drawing of height H.
struct Canvas {
    BarcodeDrawing &drawing;
    const FontMeasure &measure;
    double H = drawing.size().height();

    void fill(double x, double y, double w, double h, const QColor &color)
    {
        if (color.alpha() == 0) return;
        drawing.add(BarcodeDrawing::Fill{QRectF(x, H - y - h, w, h), color});
    }
    // Text in a box `width` wide from x whose glyphs' ink has its top (or its bottom) edge
    // at the height y, so that the ink keeps the gaps measured from y whatever the font's
    // line spacing; a text without ink has its box's top (or bottom) there.
    enum class Edge { Top, Bottom };
    void text(double x, double y, Edge edge, double width, const QString &text, const QFont &font,
              const QColor &color, Qt::Alignment alignment, double kerning)
    {
        const double th = measure.textSize(text, font).height();
        const TextInk ink = measure.textInk(text, font);
        const double below = ink.isEmpty() ? (edge == Edge::Top ? 0 : th) : (edge == Edge::Top ? ink.top : ink.bottom);
        drawing.add(BarcodeDrawing::Text{QRectF(x, H - y - below, width, th), text, font, color, alignment, kerning});
    }
};

QColor background(const Barcode_Style &style, const QColor &color)
{
    return style.fill_transparent ? QColor(Qt::transparent) : color;
}

} // namespace

QSizeF Linear_Drawing_Size(const NKDBarcode &b)
{
    float W = b.width();
    if (b.printsHeader()) W = std::max(W, b.headerWidth());
    if (b.printsFooter()) W = std::max(W, b.footerWidth());
    return QSizeF(W, b.height());
}

BarcodeDrawing Draw_Linear_Barcode(const NKDBarcode &b, const FontMeasure &measure)
{
    const Barcode_Style &style = b.style();
    const float W = float(Linear_Drawing_Size(b).width());
    BarcodeDrawing drawing(Linear_Drawing_Size(b));
    Canvas canvas{drawing, measure};
    const float top = b.height();
    const float bw = b.barWidth();
    const QString modules = b.completeBarcode();
    const float M = float(modules.size());
    const float capP = b.printsCaption() ? b.captionHeight() * 72 : 0;
    const float hdrP = b.printsHeader() ? b.headerHeight() * 72 : 0;
    const float ftrP = b.printsFooter() ? b.footerHeight() * 72 : 0;
    const float vm = style.value_margin, fm = style.footer_margin, tb = style.TB_margin;

    const QString left = b.leftCaption(), right = b.rightCaption(), caption = b.caption();
    const QStringList parts = caption.split(u'\t');
    const bool split = !left.isEmpty() || parts.size() > 1;

    // Background, one rectangle a bar, the texts.
    qsizetype runs = 0;
    for (qsizetype i = 0; i < modules.size(); ++i) runs += modules[i] == u'1' && (i == 0 || modules[i - 1] != u'1');
    drawing.reserve(size_t(runs) + 6);
    canvas.fill(0, 0, W, top, background(style, style.bar_back_clr));

    const float x0 = (W - M * bw) / 2;
    const float yb = !style.caption_on_top ? capP + ftrP + vm + fm + tb : ftrP + fm + tb;
    float x = x0, barsTop = yb;  // the highest bar top
    int run = 0, last = 0;
    const bool fromBottom = split || b.hasFourStateBars();
    const auto drawRun = [&] {
        float h = b.barTop(last), y = yb;
        if (fromBottom) {
            const float bottom = b.barBottom(last);
            h -= bottom;
            y += bottom;
        }
        canvas.fill(x, y, bw * run, h, style.barcode_clr);
        barsTop = std::max(barsTop, y + h);
    };
    for (int i = 0; i < modules.size(); ++i) {
        if (modules[i] == u'1') {
            ++run;
            last = i;
            if (i == modules.size() - 1) drawRun();
        } else {
            if (run > 0) drawRun();
            x += bw * (run + 1);
            run = 0;
        }
    }

    // Texts in their rooms: below the bars the caption's ink hangs from the top of its room
    // (the caption gap under the bars); above them it stands on the gap over the bars; the
    // header stands on its gap over the bars and the footer hangs under the caption's gap.
    using Edge = Canvas::Edge;
    if (b.printsCaption()) {
        const Edge edge = style.caption_on_top ? Edge::Bottom : Edge::Top;
        const float yc = !style.caption_on_top ? ftrP + fm + tb + capP : barsTop + vm;
        const auto side = [&](double x, const QString &text) {
            const double width = measure.textSize(text, style.value_font).width();
            canvas.text(x, yc, edge, width, text, style.value_font, style.bar_val_clr, Qt::AlignHCenter, 0.0);
        };
        if (!left.isEmpty()) side(x0, left);
        if (!caption.isEmpty()) {
            QString text = parts.first();
            if (split) {
                text.clear();
                for (const QString &p : parts) text += p + u'\t';
            }
            canvas.text(0, yc, edge, W, text, style.value_font, style.bar_val_clr, Qt::AlignHCenter,
                        style.caption_kerning_off ? 0.0 : 2.0);
        }
        if (!right.isEmpty()) side(x0 + M * bw, right);
    }
    if (b.printsHeader())
        canvas.text(0, top - hdrP - tb, Edge::Bottom, W, b.header(), style.header_font, style.bar_hdr_clr,
                    style.header_alignment, 2.0);
    if (b.printsFooter())
        canvas.text(0, tb + ftrP, Edge::Top, W, b.footer(), style.footer_font, style.bar_ftr_clr,
                    style.footer_alignment, 2.0);
    return drawing;
}

BarcodeDrawing Draw_Symbol_Barcode(const Picture &symbol, const Barcode_Record &r, const Barcode_Style &style,
                                   const FontMeasure &measure)
{
    BarcodeDrawing drawing(QSizeF(r.width, r.height));
    Canvas canvas{drawing, measure};
    const float W = r.width, top = r.height, tb = style.TB_margin;
    const float hdrP = r.printsHeader ? r.headerHeight * 72 : 0;
    canvas.fill(0, 0, W, top, background(style, Qt::white));
    float yt = top - tb;
    if (r.printsHeader) {
        yt = top - hdrP - tb;
        canvas.text(0, yt, Canvas::Edge::Bottom, W, r.header, style.header_font, style.bar_hdr_clr,
                    style.header_alignment, 2.0);
    }
    const QSizeF s = symbol.size();
    const double x = (W - s.width()) / 2, y = yt - s.height() - style.header_margin;
    drawing.add(BarcodeDrawing::Image{QRectF(x, top - y - s.height(), s.width(), s.height()), symbol});
    if (r.printsFooter)
        canvas.text(0, tb + r.footerHeight * 72, Canvas::Edge::Top, W, r.footer, style.footer_font,
                    style.bar_ftr_clr, style.footer_alignment, 2.0);
    return drawing;
}
