#pragma once
// The mode a design is worked in and the sides of a card, as the code passes them
// around. Letters exist only where a file stores them or a window shows them: the
// conversions below are the one place that knows them.
#include <QList>
#include <QString>
#include <optional>

// How the design in the window came to be: a template ("T"), the card wizard ("W"),
// an opened design file ("L"), visitor mode ("V") or group mode ("G").
enum class Card_Mode { Template, Wizard, Opened, Visitor, Group };

// The two sides of a card: "F" and "B".
enum class Card_Side { Front, Back };

// What a run (export, print, mail) takes of each card: both sides ("BOTH"), the front
// ("F") or the back ("B").
enum class Run_Sides { Both, Front, Back };

QString Card_Mode_Letter(Card_Mode mode);
// The mode of a letter; nothing for any other text.
std::optional<Card_Mode> Card_Mode_Of_Letter(const QString &letter);
// Visitor and group mode show the visitor panels beside the card.
constexpr bool Has_Visitor_Panels(Card_Mode mode) { return mode == Card_Mode::Visitor || mode == Card_Mode::Group; }

QString Card_Side_Letter(Card_Side side);
std::optional<Card_Side> Card_Side_Of_Letter(const QString &letter);
// Side numbers as the document counts them: 0 the front, 1 the back.
constexpr Card_Side Card_Side_Of_Index(int index) { return index == 1 ? Card_Side::Back : Card_Side::Front; }
constexpr int Card_Side_Index(Card_Side side) { return side == Card_Side::Back ? 1 : 0; }

QString Run_Sides_Code(Run_Sides sides);
std::optional<Run_Sides> Run_Sides_Of_Code(const QString &code);
constexpr bool Has_Front(Run_Sides sides) { return sides != Run_Sides::Back; }
constexpr bool Has_Back(Run_Sides sides) { return sides != Run_Sides::Front; }
// The sides choice of the run windows: row 0 both, 1 the front, any other the back.
constexpr Run_Sides Run_Sides_Of_Row(int row) { return row == 0 ? Run_Sides::Both : row == 1 ? Run_Sides::Front : Run_Sides::Back; }
// The side numbers (0 front, 1 back) a run writes of a card, the back first.
QList<int> Sides_In_Writing_Order(Run_Sides sides);
