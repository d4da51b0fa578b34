#pragma once
// The appearance and identity of one card side: size and place on the canvas, preset,
// category and size name, shape, fill, border, background picture, the font and
// colour of all card text, and the watermark. A plain value: copies are independent.
#include "Globals.h"
#include "KeyedArchive.h"
#include "Picture.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

class Card_Property {
public:
    // A record with the defaults of a new card; the card name and the two fonts are
    // taken from default_file_name, Text_Ctrl_Font and Text_Ctrl_Font_Size now.
    Card_Property();

    Card_Property copy() const { return *this; }
    // Keyed archive of class "Card_Property", one key per field named after it.
    KeyedArchive encode() const;
    // Reads an archive into a blank record (not the defaults): a missing key leaves
    // false, 0, a null colour, string, font or picture, the zero point or size.
    static Card_Property decode(const KeyedArchive &archive);

    bool operator==(const Card_Property &) const = default;

    bool Card_border_chk() const { return m_Card_border_chk; }
    void setCard_border_chk(bool v) { m_Card_border_chk = v; }
    int32_t Card_bor_Stepper() const { return m_Card_bor_Stepper; }
    void setCard_bor_Stepper(int32_t v) { m_Card_bor_Stepper = v; }
    bool Card_fill_chk() const { return m_Card_fill_chk; }
    void setCard_fill_chk(bool v) { m_Card_fill_chk = v; }
    int32_t Card_grad_Stepper() const { return m_Card_grad_Stepper; }
    void setCard_grad_Stepper(int32_t v) { m_Card_grad_Stepper = v; }
    float Card_alpha_Stepper() const { return m_Card_alpha_Stepper; }
    void setCard_alpha_Stepper(float v) { m_Card_alpha_Stepper = v; }
    QColor Card_bordr_clr() const { return m_Card_bordr_clr; }
    void setCard_bordr_clr(const QColor &v) { m_Card_bordr_clr = v; }
    QString Card_border_style() const { return m_Card_border_style; }
    void setCard_border_style(const QString &v) { m_Card_border_style = v; }
    QString Card_fill_style() const { return m_Card_fill_style; }
    void setCard_fill_style(const QString &v) { m_Card_fill_style = v; }
    QColor Card_fill_clr() const { return m_Card_fill_clr; }
    void setCard_fill_clr(const QColor &v) { m_Card_fill_clr = v; }
    QColor Card_fill_Grd_1_clr() const { return m_Card_fill_Grd_1_clr; }
    void setCard_fill_Grd_1_clr(const QColor &v) { m_Card_fill_Grd_1_clr = v; }
    QColor Card_fill_Grd_2_clr() const { return m_Card_fill_Grd_2_clr; }
    void setCard_fill_Grd_2_clr(const QColor &v) { m_Card_fill_Grd_2_clr = v; }
    QString Card_hatch_style() const { return m_Card_hatch_style; }
    void setCard_hatch_style(const QString &v) { m_Card_hatch_style = v; }
    QColor Card_hatch_bk_clr() const { return m_Card_hatch_bk_clr; }
    void setCard_hatch_bk_clr(const QColor &v) { m_Card_hatch_bk_clr = v; }
    QString Card_Side() const { return m_Card_Side; }
    void setCard_Side(const QString &v) { m_Card_Side = v; }
    QString Card_Side_Name() const { return m_Card_Side_Name; }
    void setCard_Side_Name(const QString &v) { m_Card_Side_Name = v; }
    QString Card_Shape() const { return m_Card_Shape; }
    void setCard_Shape(const QString &v) { m_Card_Shape = v; }
    QString Card_Name() const { return m_Card_Name; }
    void setCard_Name(const QString &v) { m_Card_Name = v; }
    QPointF Card_Location() const { return m_Card_Location; }
    void setCard_Location(const QPointF &v) { m_Card_Location = v; }
    QSizeF Card_Size() const { return m_Card_Size; }
    void setCard_Size(const QSizeF &v) { m_Card_Size = v; }
    QString Card_Preset() const { return m_Card_Preset; }
    void setCard_Preset(const QString &v) { m_Card_Preset = v; }
    QString Card_Category() const { return m_Card_Category; }
    void setCard_Category(const QString &v) { m_Card_Category = v; }
    QString Card_Sub_Category() const { return m_Card_Sub_Category; }
    void setCard_Sub_Category(const QString &v) { m_Card_Sub_Category = v; }
    int32_t Card_Cat_index() const { return m_Card_Cat_index; }
    void setCard_Cat_index(int32_t v) { m_Card_Cat_index = v; }
    QString Card_Create_Mode() const { return m_Card_Create_Mode; }
    void setCard_Create_Mode(const QString &v) { m_Card_Create_Mode = v; }
    Picture Card_BG_Image() const { return m_Card_BG_Image; }
    void setCard_BG_Image(const Picture &v) { m_Card_BG_Image = v; }
    QString Card_BG_Image_Path() const { return m_Card_BG_Image_Path; }
    void setCard_BG_Image_Path(const QString &v) { m_Card_BG_Image_Path = v; }
    QString Card_BG_Image_Layout() const { return m_Card_BG_Image_Layout; }
    void setCard_BG_Image_Layout(const QString &v) { m_Card_BG_Image_Layout = v; }
    QColor Card_Content_clr() const { return m_Card_Content_clr; }
    void setCard_Content_clr(const QColor &v) { m_Card_Content_clr = v; }
    std::optional<QFont> Card_Content_font() const { return m_Card_Content_font; }
    void setCard_Content_font(const std::optional<QFont> &v) { m_Card_Content_font = v; }
    bool Watermark_Used() const { return m_Watermark_Used; }
    void setWatermark_Used(bool v) { m_Watermark_Used = v; }
    int32_t Watermark_Alignment() const { return m_Watermark_Alignment; }
    void setWatermark_Alignment(int32_t v) { m_Watermark_Alignment = v; }
    float Watermark_Transp() const { return m_Watermark_Transp; }
    void setWatermark_Transp(float v) { m_Watermark_Transp = v; }
    QString Watermark_Text() const { return m_Watermark_Text; }
    void setWatermark_Text(const QString &v) { m_Watermark_Text = v; }
    QColor Watermark_Color() const { return m_Watermark_Color; }
    void setWatermark_Color(const QColor &v) { m_Watermark_Color = v; }
    std::optional<QFont> Watermark_Font() const { return m_Watermark_Font; }
    void setWatermark_Font(const std::optional<QFont> &v) { m_Watermark_Font = v; }

private:
    struct Blank {};
    explicit Card_Property(Blank) {}
    struct Field;
    static std::span<const Field> fields();

    bool m_Card_border_chk = false;
    bool m_Card_fill_chk = false;
    QColor m_Card_bordr_clr;
    QColor m_Card_fill_clr;
    QColor m_Card_fill_Grd_1_clr;
    QColor m_Card_fill_Grd_2_clr;
    QColor m_Card_hatch_bk_clr;
    int32_t m_Card_bor_Stepper = 0;
    int32_t m_Card_grad_Stepper = 0;
    int32_t m_Card_Cat_index = 0;
    float m_Card_alpha_Stepper = 0;
    QString m_Card_border_style;
    QString m_Card_fill_style;
    QString m_Card_hatch_style;
    QString m_Card_Side;
    QString m_Card_Side_Name;
    QString m_Card_Shape;
    QString m_Card_Name;
    QString m_Card_Preset;
    QString m_Card_Category;
    QString m_Card_Sub_Category;
    QString m_Card_Create_Mode;
    QString m_Card_BG_Image_Path;
    QString m_Card_BG_Image_Layout;
    Picture m_Card_BG_Image;
    QPointF m_Card_Location;
    QSizeF m_Card_Size{0, 0};  // QSizeF() would be the invalid size -1 x -1
    QColor m_Card_Content_clr;
    std::optional<QFont> m_Card_Content_font;
    bool m_Watermark_Used = false;
    QString m_Watermark_Text;
    QColor m_Watermark_Color;
    std::optional<QFont> m_Watermark_Font;
    int32_t m_Watermark_Alignment = 0;
    float m_Watermark_Transp = 0;
};

// The longest side a card may have: the most the card size tab takes (in millimetres,
// the same length in any unit it shows) and the most a design file may hold. A side
// ten metres long is far beyond any card or sheet the program prints; the bound keeps
// a design from outside from asking for a canvas, a page or a picture without end.
inline constexpr double kLargestCardSideMM = 10000;
inline constexpr double kLargestCardSidePoints = kLargestCardSideMM * kPointsPerMM;

// True when a card of `points` may be made: both sides finite, not negative and no
// longer than kLargestCardSidePoints (a zero side is a card without a size).
bool Is_Card_Size_Allowed(QSizeF points);
