#pragma once
// The rules of the value generator: sequential numbers with prefix, suffix and leading
// zeros, a constant value repeated, random numbers of a fixed number of digits; and
// the typing rules of its number fields. Pure functions.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ValueGenerator {

// The largest count of a constant or random rule, and of a sequential range.
inline constexpr int kMaxCount = 10000;
inline constexpr qint64 kMaxSequence = 100000;

// A refused rule: the message and the field that gets the focus.
enum class Field { From, To, Value, Count, Length };
struct Refusal {
    QString message;
    Field field;
};

// Puts "0" in front of the text until it has at least `length` characters.
QString PadZero(const QString &text, int length);

// The integer a number field holds: leading white space skipped, an optional sign,
// then digits; nullopt for any other text (trailing white space allowed). 64-bit.
std::optional<qint64> Field_Integer(const QString &text);
// The integer as a number field shows it: Field_Integer, 0 when there is none, kept
// within the 32-bit range.
int Field_Int(const QString &text);

// The values of the sequential rule from the From and To texts as typed: each number
// from From to To (step 1) in decimal, padded with leading zeros to the longer of the
// two texts when `pad`, between prefix and suffix. Refused: From empty or not a
// number, To empty or not a number, From not smaller than To, either beyond the 32-bit
// range or more than kMaxSequence values.
struct Sequence {
    QStringList values;
    std::optional<Refusal> refusal;
};
Sequence Sequential(const QString &prefix, const QString &suffix, const QString &from, const QString &to, bool pad);

// The value `count` times (none for a count below 1).
QStringList Constant(const QString &value, int count);

// A draw of 32 bits taken modulo (max - min + 1) and added to min, unsigned.
int Random_Between(int min, int max, quint32 draw);
// `count` numbers of exactly `length` digits (1: 1 to 9; L: 10^(L-1) to 10^L - 1)
// between prefix and suffix; `draw` gives 32 random bits each call. The length is
// kept within 1 to 9.
QStringList Random(const QString &prefix, const QString &suffix, int length, int count,
                   const std::function<quint32()> &draw);

// Checks of the constant and random rules by the texts of their fields; nullopt when
// they pass.
std::optional<Refusal> Check_Constant(const QString &value, const QString &count);
std::optional<Refusal> Check_Random(const QString &count, const QString &length);

// Typing rules, applied on every change of a field: the text the field then shows.
// A count: empty or 0 gives "1", a text over 5 characters keeps its first 5, over
// 10000 gives "10000".
QString Count_Field_Text(const QString &text);
// A random length: empty or 0 gives "1", a longer text keeps its first character,
// over 9 gives "9".
QString Length_Field_Text(const QString &text);
// From and To: letters, then white space, then characters that are no characters,
// then symbols stripped from both ends; cut to 10 characters.
QString Range_Field_Text(const QString &text);
// Whether a number field accepts the text while it is typed: empty, or an optional
// sign with digits, surrounded by white space.
bool Integer_Partial_Valid(const QString &text);

} // namespace ValueGenerator
