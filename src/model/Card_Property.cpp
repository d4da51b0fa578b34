#include "Card_Property.h"

#include "Globals.h"

#include <variant>

// One entry per field, in archive order; encode and decode both walk this table.
struct Card_Property::Field {
    const char *key;
    std::variant<bool Card_Property::*, int32_t Card_Property::*, float Card_Property::*, QColor Card_Property::*,
                 QString Card_Property::*, std::optional<QFont> Card_Property::*, Picture Card_Property::*,
                 QPointF Card_Property::*, QSizeF Card_Property::*>
        member;
};

std::span<const Card_Property::Field> Card_Property::fields()
{
#define CARD_FIELD(name) Field{#name, &Card_Property::m_##name}
    static const Field table[] = {
        CARD_FIELD(Card_border_chk),      CARD_FIELD(Card_fill_chk),
        CARD_FIELD(Card_bor_Stepper),     CARD_FIELD(Card_grad_Stepper),
        CARD_FIELD(Card_Cat_index),       CARD_FIELD(Card_alpha_Stepper),
        CARD_FIELD(Card_bordr_clr),       CARD_FIELD(Card_fill_clr),
        CARD_FIELD(Card_fill_Grd_1_clr),  CARD_FIELD(Card_fill_Grd_2_clr),
        CARD_FIELD(Card_hatch_bk_clr),    CARD_FIELD(Card_border_style),
        CARD_FIELD(Card_fill_style),      CARD_FIELD(Card_hatch_style),
        CARD_FIELD(Card_Side),            CARD_FIELD(Card_Side_Name),
        CARD_FIELD(Card_Shape),           CARD_FIELD(Card_Name),
        CARD_FIELD(Card_Preset),          CARD_FIELD(Card_Category),
        CARD_FIELD(Card_Sub_Category),    CARD_FIELD(Card_Create_Mode),
        CARD_FIELD(Card_BG_Image_Path),   CARD_FIELD(Card_BG_Image_Layout),
        CARD_FIELD(Card_BG_Image),        CARD_FIELD(Card_Location),
        CARD_FIELD(Card_Size),            CARD_FIELD(Card_Content_clr),
        CARD_FIELD(Card_Content_font),    CARD_FIELD(Watermark_Used),
        CARD_FIELD(Watermark_Alignment),  CARD_FIELD(Watermark_Transp),
        CARD_FIELD(Watermark_Text),       CARD_FIELD(Watermark_Color),
        CARD_FIELD(Watermark_Font),
    };
#undef CARD_FIELD
    return table;
}

namespace {
void put(KeyedArchive &a, const QString &k, bool v) { a.encodeBool(k, v); }
void put(KeyedArchive &a, const QString &k, int32_t v) { a.encodeInt(k, v); }
void put(KeyedArchive &a, const QString &k, float v) { a.encodeFloat(k, v); }
void put(KeyedArchive &a, const QString &k, const QColor &v) { a.encodeColor(k, v); }
void put(KeyedArchive &a, const QString &k, const QString &v) { a.encodeString(k, v); }
void put(KeyedArchive &a, const QString &k, const std::optional<QFont> &v) { a.encodeFont(k, v); }
void put(KeyedArchive &a, const QString &k, const Picture &v) { a.encodePicture(k, v); }
void put(KeyedArchive &a, const QString &k, const QPointF &v) { a.encodePoint(k, v); }
void put(KeyedArchive &a, const QString &k, const QSizeF &v) { a.encodeSize(k, v); }

void get(const KeyedArchive &a, const QString &k, bool &v) { v = a.decodeBool(k); }
void get(const KeyedArchive &a, const QString &k, int32_t &v) { v = a.decodeInt(k); }
void get(const KeyedArchive &a, const QString &k, float &v) { v = a.decodeFloat(k); }
void get(const KeyedArchive &a, const QString &k, QColor &v) { v = a.decodeColor(k); }
void get(const KeyedArchive &a, const QString &k, QString &v) { v = a.decodeString(k); }
void get(const KeyedArchive &a, const QString &k, std::optional<QFont> &v) { v = a.decodeFont(k); }
void get(const KeyedArchive &a, const QString &k, Picture &v) { v = a.decodePicture(k); }
void get(const KeyedArchive &a, const QString &k, QPointF &v) { v = a.decodePoint(k); }
void get(const KeyedArchive &a, const QString &k, QSizeF &v) { v = a.decodeSize(k); }
} // namespace

Card_Property::Card_Property()
    : m_Card_bordr_clr(Qt::black), m_Card_fill_clr(Qt::white), m_Card_fill_Grd_1_clr(Qt::white),
      m_Card_fill_Grd_2_clr(Qt::white), m_Card_hatch_bk_clr(Qt::white), m_Card_bor_Stepper(1),
      m_Card_alpha_Stepper(100.0f), m_Card_border_style(QStringLiteral("S")), m_Card_fill_style(QStringLiteral("S")),
      m_Card_hatch_style(QStringLiteral("")), m_Card_Side(QStringLiteral("2")), m_Card_Side_Name(QStringLiteral("F")),
      m_Card_Shape(QStringLiteral("R")), m_Card_Name(default_file_name), m_Card_Preset(QStringLiteral("Horizontal")),
      m_Card_Category(QStringLiteral("PVC Card")), m_Card_Sub_Category(QStringLiteral("CR80-Credit Card Size")),
      m_Card_Create_Mode(QStringLiteral("W")), m_Card_BG_Image_Path(QStringLiteral("")),
      m_Card_BG_Image_Layout(QStringLiteral("Stretch")), m_Card_Content_clr(Qt::black),
      m_Card_Content_font(Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size)),
      m_Watermark_Text(QStringLiteral("Watermark")), m_Watermark_Color(Qt::black),
      m_Watermark_Font(m_Card_Content_font), m_Watermark_Transp(1.0f)
{
}

KeyedArchive Card_Property::encode() const
{
    KeyedArchive archive(QStringLiteral("Card_Property"));
    for (const Field &f : fields())
        std::visit([&](auto member) { put(archive, QLatin1String(f.key), this->*member); }, f.member);
    return archive;
}

Card_Property Card_Property::decode(const KeyedArchive &archive)
{
    Card_Property record{Blank{}};
    for (const Field &f : fields())
        std::visit([&](auto member) { get(archive, QLatin1String(f.key), record.*member); }, f.member);
    return record;
}

bool Is_Card_Size_Allowed(QSizeF points)
{
    // Comparisons with NaN are false.
    const auto allowed = [](double side) { return side >= 0 && side <= kLargestCardSidePoints; };
    return allowed(points.width()) && allowed(points.height());
}
