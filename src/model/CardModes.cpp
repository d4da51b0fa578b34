#include "CardModes.h"

#include <array>
#include <utility>

namespace {
template <class E, size_t N>
QString codeOf(const std::array<std::pair<E, const char *>, N> &table, E value)
{
    for (const auto &[v, code] : table)
        if (v == value) return QString::fromLatin1(code);
    return {};
}

template <class E, size_t N>
std::optional<E> valueOf(const std::array<std::pair<E, const char *>, N> &table, const QString &code)
{
    for (const auto &[v, c] : table)
        if (code == QLatin1String(c)) return v;
    return std::nullopt;
}

constexpr std::array<std::pair<Card_Mode, const char *>, 5> kModes{{
    {Card_Mode::Template, "T"}, {Card_Mode::Wizard, "W"}, {Card_Mode::Opened, "L"},
    {Card_Mode::Visitor, "V"}, {Card_Mode::Group, "G"},
}};
constexpr std::array<std::pair<Card_Side, const char *>, 2> kSides{{{Card_Side::Front, "F"}, {Card_Side::Back, "B"}}};
constexpr std::array<std::pair<Run_Sides, const char *>, 3> kRunSides{{
    {Run_Sides::Both, "BOTH"}, {Run_Sides::Front, "F"}, {Run_Sides::Back, "B"},
}};
} // namespace

QString Card_Mode_Letter(Card_Mode mode) { return codeOf(kModes, mode); }
std::optional<Card_Mode> Card_Mode_Of_Letter(const QString &letter) { return valueOf(kModes, letter); }
QString Card_Side_Letter(Card_Side side) { return codeOf(kSides, side); }
std::optional<Card_Side> Card_Side_Of_Letter(const QString &letter) { return valueOf(kSides, letter); }
QString Run_Sides_Code(Run_Sides sides) { return codeOf(kRunSides, sides); }
std::optional<Run_Sides> Run_Sides_Of_Code(const QString &code) { return valueOf(kRunSides, code); }

QList<int> Sides_In_Writing_Order(Run_Sides sides)
{
    switch (sides) {
    case Run_Sides::Both: return {1, 0};
    case Run_Sides::Front: return {0};
    case Run_Sides::Back: return {1};
    }
    return {};
}
