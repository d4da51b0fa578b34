#pragma once
// What the drawing of a barcode takes from its settings: fonts, colours, gaps and
// margins (points), text alignments and switches. A plain value handed to the model
// and the renderer.
#include <QColor>
#include <QFont>

struct Barcode_Style {
    QFont value_font = defaultFont();  // caption
    QFont header_font = defaultFont();
    QFont footer_font = defaultFont();
    QColor barcode_clr = Qt::black;    // bars
    QColor bar_back_clr = Qt::white;   // background
    QColor bar_val_clr = Qt::black;    // caption
    QColor bar_hdr_clr = Qt::black;
    QColor bar_ftr_clr = Qt::black;
    float value_margin = 0.1f;         // gap between caption and bars
    float header_margin = 0.1f;
    float footer_margin = 0.1f;
    float TB_margin = 0.1f;            // top and bottom quiet margin
    Qt::Alignment header_alignment = Qt::AlignHCenter;
    Qt::Alignment footer_alignment = Qt::AlignHCenter;
    bool caption_on_top = false;
    bool caption_kerning_off = false;  // main caption without its 2-point letter spacing
    bool fill_transparent = false;

    static QFont defaultFont()
    {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(10);
        return f;
    }
};
