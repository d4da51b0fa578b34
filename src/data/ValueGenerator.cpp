#include "ValueGenerator.h"

#include "Helpers.h"

#include <limits>

namespace ValueGenerator {

namespace {
const QString kFromMessage = QStringLiteral("Please enter valid number for 'From' value.");
const QString kToMessage = QStringLiteral("Please enter valid number for 'To' value.");
const QString kOrderMessage = QStringLiteral("Please enter valid number.\n'From' value must be smaller than 'To' value.");
const QString kCountMessage = QStringLiteral("Please enter valid number for 'Count' value.");

bool in32(qint64 v) { return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max(); }

template <typename Test>
QString stripEnds(const QString &text, Test test)
{
    qsizetype b = 0, e = text.size();
    while (b < e && test(text.at(b))) ++b;
    while (e > b && test(text.at(e - 1))) --e;
    return text.mid(b, e - b);
}
} // namespace

QString PadZero(const QString &text, int length)
{
    QString out = text;
    while (out.size() < length) out.prepend(u'0');
    return out;
}

std::optional<qint64> Field_Integer(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
    if (i >= t.size()) return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9') return std::nullopt;
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10) return std::nullopt;
        value = value * 10 + (t[i].unicode() - u'0');
    }
    return negative ? -value : value;
}

int Field_Int(const QString &text)
{
    // As a number field reads its text: the leading integer, 0 without one.
    const QString t = text.trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+')) ++end;
    while (end < t.size() && t[end] >= u'0' && t[end] <= u'9') ++end;
    const std::optional<qint64> v = Field_Integer(t.left(end));
    if (!v) return 0;
    return int(std::clamp<qint64>(*v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Sequence Sequential(const QString &prefix, const QString &suffix, const QString &from, const QString &to, bool pad)
{
    Sequence out;
    if (from.isEmpty()) return {{}, Refusal{kFromMessage, Field::From}};
    if (to.isEmpty()) return {{}, Refusal{kToMessage, Field::To}};
    const std::optional<qint64> f = Field_Integer(from);
    if (!f) return {{}, Refusal{kFromMessage, Field::From}};
    const std::optional<qint64> t = Field_Integer(to);
    if (!t) return {{}, Refusal{kToMessage, Field::To}};
    if (*f >= *t) return {{}, Refusal{kOrderMessage, Field::From}};
    if (!in32(*f) || !in32(*t) || *t - *f + 1 > kMaxSequence) return {{}, Refusal{kToMessage, Field::To}};
    const int width = int(std::max(from.size(), to.size()));
    out.values.reserve(qsizetype(*t - *f + 1));
    for (qint64 n = *f; n <= *t; ++n) {
        QString number = QString::number(n);
        if (pad) number = PadZero(number, width);
        out.values << prefix + number + suffix;
    }
    return out;
}

QStringList Constant(const QString &value, int count)
{
    QStringList out;
    for (int i = 0; i < std::min(count, kMaxCount); ++i) out << value;
    return out;
}

int Random_Between(int min, int max, quint32 draw)
{
    const quint32 span = quint32(max) - quint32(min) + 1u;
    return int((span == 0 ? draw : draw % span) + quint32(min));
}

QStringList Random(const QString &prefix, const QString &suffix, int length, int count,
                   const std::function<quint32()> &draw)
{
    const int l = std::clamp(length, 1, 9);
    int low = 1, high = 9;
    if (l > 1) {
        low = 1;
        for (int i = 1; i < l; ++i) low *= 10;
        high = low * 10 - 1;
    }
    QStringList out;
    for (int i = 0; i < std::min(count, kMaxCount); ++i)
        out << prefix + QString::number(Random_Between(low, high, draw())) + suffix;
    return out;
}

std::optional<Refusal> Check_Constant(const QString &value, const QString &count)
{
    if (value.isEmpty()) return Refusal{QStringLiteral("Please enter valid Value."), Field::Value};
    if (count.isEmpty()) return Refusal{kCountMessage, Field::Count};
    return std::nullopt;
}

std::optional<Refusal> Check_Random(const QString &count, const QString &length)
{
    if (count.isEmpty()) return Refusal{kCountMessage, Field::Count};
    if (length.isEmpty()) return Refusal{QStringLiteral("Please enter valid number for 'Length' value."), Field::Length};
    return std::nullopt;
}

QString Count_Field_Text(const QString &text)
{
    QString t = Trim_Str(text);
    if (t.isEmpty() || Field_Int(t) == 0) return QStringLiteral("1");
    if (t.size() > 5) t = t.left(5);
    if (Field_Int(t) > kMaxCount) return QString::number(kMaxCount);
    return t;
}

QString Length_Field_Text(const QString &text)
{
    QString t = Trim_Str(text);
    if (t.isEmpty() || Field_Int(t) == 0) return QStringLiteral("1");
    if (t.size() > 1) t = t.left(1);
    if (Field_Int(t) > 9) return QStringLiteral("9");
    if (Field_Int(t) == 0) return QStringLiteral("1");
    return t;
}

QString Range_Field_Text(const QString &text)
{
    QString t = stripEnds(text, [](QChar c) { return c.isLetter(); });
    t = stripEnds(t, [](QChar c) { return c.isSpace(); });
    t = stripEnds(t, [](QChar c) { return c.isNonCharacter() || c.category() == QChar::Other_NotAssigned; });
    t = stripEnds(t, [](QChar c) { return c.isSymbol(); });
    return t.left(10);
}

bool Integer_Partial_Valid(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == u"-" || t == u"+") return true;
    return Field_Integer(t).has_value();
}

} // namespace ValueGenerator
