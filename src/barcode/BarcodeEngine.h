#pragma once
// The barcode engine: one call turns a control's barcode settings, a value, a header and
// a footer into the barcode's picture. Every path (a new control, a design read from a
// file, undo, paste, a batch card, the settings window's preview) renders through it, so
// a barcode depends on its own settings only.
#include "BarcodeMetrics.h"
#include "Picture.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

// The barcode settings of a card control, with the defaults of a new control. Lengths
// are millimetres, the bar width mils, the two-dimensional sizes their own units.
struct Barcode_Settings {
    int linear_or_2d = 0;        // 0 linear, 1 two-dimensional
    int barcode_font_index = 0;  // index in Barcode_Symbology_Titles()
    QString linear_font_val = QStringLiteral("0123");
    QString two_d_font_val = QStringLiteral("0123");
    QString header_val = QStringLiteral("HEADER");
    QString footer_val = QStringLiteral("FOOTER");
    int show_hide_hdr = 0, show_hide_ftr = 0, show_hide_val = 0, show_val_on_top = 0;  // 1 = hidden / on top
    int align_hdr_index = 1, align_ftr_index = 1;  // Barcode_Alignment_Titles()
    float linear_height_val = 6.0f, linear_width_val = 20.0f;
    int qr_size_val = 60, qr_version_index = 0, qr_ec_index = 0;
    int pdf_hgt_val = 20, pdf_wdt_val = 100, pdf_ec_val = 2;
    int dm_module_val = 2, dm_format_index = 0, dm_encoding_index = 0;
    float hdr_margin_val = 1, ftr_margin_val = 1, val_margin_val = 1, TB_marging_val = 1, LR_margin_val = 1;
    QFont value_font = defaultFont(), header_font = value_font, footer_font = value_font;
    QColor barcode_hdr_clr_val = Qt::black, barcode_ftr_clr_val = Qt::black, barcode_val_clr_val = Qt::black;
    QColor barcode_back_clr_val = Qt::white, barcode_clr_val = Qt::black;
    int dpi_val_index = 0;  // Barcode_Resolution_Titles()
    QString dpi_custom_val = QStringLiteral("0");
    bool transparent = false;           // the control's drawing-fill flag
    bool caption_kerning_off = false;   // the window's kerning box (not stored)

    static QFont defaultFont();
    // The title at barcode_font_index; empty outside the list.
    QString title() const;
    // The value the control shows: the two-dimensional or the linear one.
    QString value() const { return linear_or_2d ? two_d_font_val : linear_font_val; }
    bool operator==(const Barcode_Settings &) const = default;
};

// The nineteen linear titles in the order in which they are compared, then "QR Code",
// "PDF417", "DataMatrix".
QStringList Barcode_Symbology_Titles();
// True for "QR Code", "PDF417" and "DataMatrix".
bool Is_TwoD_Barcode_Title(const QString &title);
QStringList Barcode_Alignment_Titles();   // "Left", "Center", "Right"
QStringList QR_Level_Titles();            // "L", "M", "Q", "H"
QStringList QR_Version_Titles();          // "Auto", "V1" ... "V40"
QStringList DataMatrix_Size_Titles();     // "Auto", the squares, the rectangles
QStringList DataMatrix_Encodation_Titles();
QStringList Barcode_Resolution_Titles();  // "Auto", "150", "300", "600", "1200", "Custom"
inline constexpr int kCustom_Resolution_Index = 5;

// Dots per inch of a two-dimensional raster: "Auto" 600, a listed number, or the typed
// custom value (600 when that is not a positive number).
int Barcode_Resolution(const Barcode_Settings &settings);

// The barcode of the value in the settings' symbology with the header and footer, sized
// whole (bars or symbol, caption, header, footer and margins) before it is drawn: a
// linear barcode in vector form, a two-dimensional symbol as a raster at the settings'
// resolution inside it. None for a blank value, a value the symbology refuses, a title
// not offered for the settings' mode, or a symbol that cannot be made.
Picture Barcode_Picture(const Barcode_Settings &settings, const QString &value, const QString &header,
                        const QString &footer, const FontMeasure &measure);
// The same with the settings' own value, header and footer, measured with the fonts.
Picture Barcode_Picture(const Barcode_Settings &settings);
