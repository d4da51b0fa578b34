#pragma once
// Field values that differ from every default and probe the stored forms: floats
// and doubles with no short decimal, colours that one decimal would round, fonts
// with weights and slants, strings with separators, markup and line ends.
#include "Card_Property.h"
#include "Globals.h"
#include "GraphicFields.h"

#include <QImage>
#include <climits>

namespace designtest {

inline const GraphicKind kEveryKind[] = {GraphicKind::Graphic, GraphicKind::Line,      GraphicKind::Text,
                                        GraphicKind::Shape,   GraphicKind::Image,     GraphicKind::Signature,
                                        GraphicKind::Barcode};

inline QFont unusualFont(int n)
{
    static const QFont::Weight weights[] = {QFont::Light, QFont::Bold, QFont::Normal, QFont::Black};
    QFont f = Font_With_Name(n % 2 ? "Liberation Serif" : "DejaVu Sans", 9.37 + n % 5);
    f.setWeight(weights[n % 4]);
    f.setItalic(n % 3 == 0);
    return f;
}

inline QColor unusualColor(int n) { return QColor::fromRgbF(0.55f, float(n % 7) / 7.0f, 1.0f / 3.0f, 0.7f); }

inline QString unusualString(int n)
{
    static const char *texts[] = {"Zo\u00eb \u2713 <&> \"q\"", "a::::b:c", "  spaced  ", "line1\nline2\ttab", ""};
    return QString::fromUtf8(texts[n % 5]);
}

template <class T> T unusual(int n)
{
    if constexpr (std::is_same_v<T, bool>) return n % 2 == 0;
    else if constexpr (std::is_same_v<T, int>) return n % 4 == 3 ? INT_MIN : -1 - 1000 * n;
    else if constexpr (std::is_same_v<T, float>) {
        static const float v[] = {1.3f, 0.1f, 1e-7f, -9.5e5f, 100.0f, 0.55f};
        return v[n % 6];
    } else if constexpr (std::is_same_v<T, double>) {
        static const double v[] = {1.3, 0.1, 1.0 / 3.0, -1e-9, 1234.5678901234};
        return v[n % 5];
    } else if constexpr (std::is_same_v<T, QRectF>) return QRectF(0.1 + n, -1.0 / 3.0, 243.77777, 1e-3);
    else if constexpr (std::is_same_v<T, QPointF>) return QPointF(-0.1 * n, 1.0 / 7.0);
    else if constexpr (std::is_same_v<T, QSizeF>) return QSizeF(243.77952755905, 153.0708661417 + n);
    else if constexpr (std::is_same_v<T, QString>) return unusualString(n);
    else if constexpr (std::is_same_v<T, QColor>) return unusualColor(n);
    else if constexpr (std::is_same_v<T, QFont>) return unusualFont(n);
    else if constexpr (std::is_same_v<T, std::optional<QFont>>) return std::optional<QFont>(unusualFont(n));
    else if constexpr (std::is_same_v<T, Picture>) {
        QImage img(3 + n % 3, 2, QImage::Format_ARGB32);
        img.fill(QColor(10 * (n % 20), 200, 30, 128));
        return Picture(img, QSizeF(1.5 + n, 2.25));
    } else if constexpr (std::is_same_v<T, TextRecord>) return TextRecord{unusualString(n + 1), unusualFont(n), unusualColor(n)};
    else return std::optional<TextRecord>(unusual<TextRecord>(n));
}

// Every field of the kind set to an unusual value.
inline GraphicPtr unusualControl(GraphicKind kind, int seed = 0)
{
    GraphicPtr g = SKTGraphic::create(kind);
    int n = seed;
    for (const GraphicField &f : Graphic_Fields())
        if (f.appliesTo(kind))
            std::visit([&](const auto &blank) { f.set(*g, unusual<std::decay_t<decltype(blank)>>(n++)); }, f.blankValue());
    return g;
}

// Every stored field of a card side set to an unusual value.
inline Card_Property unusualCard(int seed)
{
    KeyedArchive a(QStringLiteral("Card_Property"));
    int n = seed;
    const KeyedArchive defaults = Card_Property().encode();
    for (const auto &entry : defaults.entries()) {
        const QString &key = entry.first;
        std::visit(
            [&](const auto &sample) {
                using T = std::decay_t<decltype(sample)>;
                const T v = unusual<T>(n++);
                if constexpr (std::is_same_v<T, bool>) a.encodeBool(key, v);
                else if constexpr (std::is_same_v<T, int32_t>) a.encodeInt(key, v);
                else if constexpr (std::is_same_v<T, float>) a.encodeFloat(key, v);
                else if constexpr (std::is_same_v<T, double>) a.encodeDouble(key, v);
                else if constexpr (std::is_same_v<T, QPointF>) a.encodePoint(key, v);
                else if constexpr (std::is_same_v<T, QSizeF>) a.encodeSize(key, v);
                else if constexpr (std::is_same_v<T, QString>) a.encodeString(key, v);
                else if constexpr (std::is_same_v<T, QColor>) a.encodeColor(key, v);
                else if constexpr (std::is_same_v<T, QFont>) a.encodeFont(key, v);
            },
            entry.second);
    }
    return Card_Property::decode(a);
}

} // namespace designtest
