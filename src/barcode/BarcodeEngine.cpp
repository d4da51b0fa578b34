#include "BarcodeEngine.h"

#include "BarcodeFactory.h"
#include "BarcodeImages.h"
#include "BarcodeSizes.h"
#include "BarcodeStyle.h"
#include "DataMatrixSymbol.h"
#include "Globals.h"
#include "NKDBarcode.h"
#include "Pdf417Encoder.h"
#include "QrEncoder.h"

#include <optional>

namespace {

constexpr Barcode_Unit kUnit = Barcode_Unit::Mm;  // barcode lengths are always millimetres

Qt::Alignment alignmentOf(int index)
{
    return index == 0 ? Qt::AlignLeft : index == 2 ? Qt::AlignRight : Qt::AlignHCenter;
}

float points(float length) { return float(Unit_To_Points(length, kUnit)); }

// Fonts, colours, switches and the gaps in points; a hidden caption, header or footer
// has no gap.
Barcode_Style styleOf(const Barcode_Settings &s)
{
    Barcode_Style style;
    style.value_font = s.value_font;
    style.header_font = s.header_font;
    style.footer_font = s.footer_font;
    style.barcode_clr = s.barcode_clr_val;
    style.bar_back_clr = s.barcode_back_clr_val;
    style.bar_val_clr = s.barcode_val_clr_val;
    style.bar_hdr_clr = s.barcode_hdr_clr_val;
    style.bar_ftr_clr = s.barcode_ftr_clr_val;
    style.value_margin = s.show_hide_val ? 0 : points(s.val_margin_val);
    style.header_margin = s.show_hide_hdr ? 0 : points(s.hdr_margin_val);
    style.footer_margin = s.show_hide_ftr ? 0 : points(s.ftr_margin_val);
    style.TB_margin = points(s.TB_marging_val);
    style.header_alignment = alignmentOf(s.align_hdr_index);
    style.footer_alignment = alignmentOf(s.align_ftr_index);
    style.caption_on_top = s.show_val_on_top != 0;
    style.caption_kerning_off = s.caption_kerning_off;
    style.fill_transparent = s.transparent;
    return style;
}

Picture linearPicture(const Barcode_Settings &s, const QString &title, const QString &value, const QString &header,
                      const QString &footer, const FontMeasure &measure)
{
    const bool printsCaption = !s.show_hide_val;
    std::unique_ptr<NKDBarcode> b = Make_Linear_Barcode(title, value, printsCaption);
    if (!b || !b->isContentValid()) return {};
    b->setStyle(styleOf(s));
    b->setHeader(header);
    b->setFooter(footer);
    b->setPrintsCaption(printsCaption);
    b->setPrintsHeader(!s.show_hide_hdr);
    b->setPrintsFooter(!s.show_hide_ftr);
    b->setBarWidth(s.linear_width_val / 1000.0f * 72);
    b->setCaptionFontSize(float(s.value_font.pointSizeF()), measure);
    b->setHeaderFontSize(float(s.header_font.pointSizeF()), measure);
    b->setFooterFontSize(float(s.footer_font.pointSizeF()), measure);
    const BarcodeBlock caption{b->printsCaption(), s.show_hide_val != 0, b->captionHeight(), s.val_margin_val};
    const BarcodeBlock head{b->printsHeader(), s.show_hide_hdr != 0, b->headerHeight(), s.hdr_margin_val};
    const BarcodeBlock foot{b->printsFooter(), s.show_hide_ftr != 0, b->footerHeight(), s.ftr_margin_val};
    b->setHeight(float(Linear_Total_Height(s.linear_height_val, caption, head, foot, s.TB_marging_val, kUnit)));
    b->calculateWidth();
    b->setWidth(float(Barcode_Total_Width(b->width(), s.show_hide_hdr ? 0 : b->headerWidth(),
                                          s.show_hide_ftr ? 0 : b->footerWidth(), s.LR_margin_val, kUnit)));
    return imageFromBarcode(*b, measure);
}

// The bare symbol at the settings' resolution; none when it cannot be made.
Picture symbolPicture(const Barcode_Settings &s, const QString &title, const QString &value)
{
    const double dpi = Barcode_Resolution(s);
    if (title == QLatin1String("QR Code")) {
        const std::optional<QrGrid> grid =
            Encode_QR_Text(value, QR_Level_From_Index(s.qr_ec_index), std::clamp(s.qr_version_index, 0, 40));
        return grid ? Render_QR(*grid, s.qr_size_val, dpi) : Picture();
    }
    if (title == QLatin1String("PDF417"))
        return PDF417_Picture(value, PDF417_Level_From_Index(s.pdf_ec_val), QSizeF(s.pdf_wdt_val, s.pdf_hgt_val), dpi);
    if (title == QLatin1String("DataMatrix")) {
        const QStringList sizes = DataMatrix_Size_Titles(), encodations = DataMatrix_Encodation_Titles();
        const std::optional<DataMatrixGrid> grid =
            Encode_DataMatrix(value, sizes.value(s.dm_format_index, sizes.first()),
                              encodations.value(s.dm_encoding_index, encodations.first()));
        return grid ? Render_DataMatrix(*grid, s.dm_module_val, dpi) : Picture();
    }
    return {};
}

Picture twoDPicture(const Barcode_Settings &s, const QString &title, const QString &value, const QString &header,
                    const QString &footer, const FontMeasure &measure)
{
    const Picture symbol = symbolPicture(s, title, value);
    if (symbol.isNull()) return {};
    Barcode_Record r;
    r.content = value;
    r.header = header;
    r.footer = footer;
    r.printsCaption = !s.show_hide_val;
    r.printsHeader = !s.show_hide_hdr;
    r.printsFooter = !s.show_hide_ftr;
    r.fill_transparent = s.transparent;
    r.setCaptionFontSize(float(s.value_font.pointSizeF()), s.value_font, measure);
    r.setHeaderFontSize(float(s.header_font.pointSizeF()), s.header_font, measure);
    r.setFooterFontSize(float(s.footer_font.pointSizeF()), s.footer_font, measure);
    // The symbol is sized with its header, footer and margins before it is framed.
    const BarcodeBlock head{r.printsHeader, s.show_hide_hdr != 0, r.headerHeight, s.hdr_margin_val};
    const BarcodeBlock foot{r.printsFooter, s.show_hide_ftr != 0, r.footerHeight, s.ftr_margin_val};
    r.height = float(TwoD_Total_Height(symbol.size().height(), head, foot, s.TB_marging_val, kUnit));
    r.width = float(Barcode_Total_Width(symbol.size().width(), s.show_hide_hdr ? 0 : r.headerWidth,
                                        s.show_hide_ftr ? 0 : r.footerWidth, s.LR_margin_val, kUnit));
    Barcode_Style style = styleOf(s);
    style.bar_back_clr = Qt::white;  // a symbol's ground is white
    return imageFromBarcodeImage(symbol, r, style, measure);
}

bool isBlank(const QString &value)
{
    for (const QChar c : value)
        if (!c.isSpace() && c.category() != QChar::Other_Control) return false;
    return true;
}

} // namespace

// The control's default: the text control font at 10 points.
QFont Barcode_Settings::defaultFont() { return Font_With_Name(Text_Ctrl_Font, 10); }

QString Barcode_Settings::title() const { return Barcode_Symbology_Titles().value(barcode_font_index); }

QStringList Barcode_Symbology_Titles()
{
    return Linear_Barcode_Titles() << QStringLiteral("QR Code") << QStringLiteral("PDF417")
                                   << QStringLiteral("DataMatrix");
}

bool Is_TwoD_Barcode_Title(const QString &title)
{
    return title == QLatin1String("QR Code") || title == QLatin1String("PDF417") || title == QLatin1String("DataMatrix");
}

QStringList Barcode_Alignment_Titles() { return {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")}; }

QStringList QR_Level_Titles() { return {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q"), QStringLiteral("H")}; }

QStringList QR_Version_Titles()
{
    QStringList titles{QStringLiteral("Auto")};
    for (int v = 1; v <= 40; ++v) titles << QStringLiteral("V%1").arg(v);
    return titles;
}

QStringList DataMatrix_Size_Titles()
{
    QStringList titles;
    for (int i = 0; i <= kDataMatrixSizes; ++i) titles << DataMatrix_Size_Entry(DataMatrixSize(i));
    return titles;
}

QStringList DataMatrix_Encodation_Titles()
{
    return {QStringLiteral("Auto"), QStringLiteral("Ascii"), QStringLiteral("C40"), QStringLiteral("Text"),
            QStringLiteral("Base256")};
}

QStringList Barcode_Resolution_Titles()
{
    return {QStringLiteral("Auto"), QStringLiteral("150"), QStringLiteral("300"), QStringLiteral("600"),
            QStringLiteral("1200"), QStringLiteral("Custom")};
}

int Barcode_Resolution(const Barcode_Settings &settings)
{
    if (settings.dpi_val_index == kCustom_Resolution_Index) {
        const int typed = settings.dpi_custom_val.trimmed().toInt();
        return typed > 0 ? typed : 600;
    }
    const int listed = Barcode_Resolution_Titles().value(settings.dpi_val_index).toInt();
    return listed > 0 ? listed : 600;
}

Picture Barcode_Picture(const Barcode_Settings &settings, const QString &value, const QString &header,
                        const QString &footer, const FontMeasure &measure)
{
    if (isBlank(value)) return {};
    const QString title = settings.title();
    if (settings.linear_or_2d) {
        if (!Is_TwoD_Barcode_Title(title)) return {};
        return twoDPicture(settings, title, value, header, footer, measure);
    }
    if (Is_TwoD_Barcode_Title(title)) return {};
    return linearPicture(settings, title, value, header, footer, measure);
}

Picture Barcode_Picture(const Barcode_Settings &settings)
{
    const QtFontMeasure measure;
    return Barcode_Picture(settings, settings.value(), settings.header_val, settings.footer_val, measure);
}
