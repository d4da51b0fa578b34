// Number cells as a workbook shows them: date and time formats read and applied,
// other numbers in the General format.
#include "CellDisplay.h"

#include "SpreadsheetXml.h"

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The sections of a format code (split at each ';' outside quotes, brackets and
// escapes).
std::vector<QStringView> sectionsOf(QStringView code)
{
    std::vector<QStringView> sections;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (quoted) {
            if (c == u'"') quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            if (end < 0) break;
            i = end;
        } else if (c == u';') {
            sections.push_back(code.sliced(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(code.sliced(start));
    return sections;
}

QStringView firstSection(QStringView code) { return sectionsOf(code).front(); }

// Whether a section holds the text placeholder '@' outside quotes and escapes.
bool isTextSection(QStringView section)
{
    bool quoted = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (quoted) quoted = c != u'"';
        else if (c == u'"') quoted = true;
        else if (c == u'\\' || c == u'_' || c == u'*') ++i;
        else if (c == u'@') return true;
    }
    return false;
}

enum class Part { Literal, Year, Month, Minute, Day, Hour, Second, AmPm, ElapsedHours, ElapsedMinutes, ElapsedSeconds };

struct Token {
    Part part;
    int width = 0;       // letters of the run
    int decimals = 0;    // a second's digits of fractions ("ss.0" has one)
    QString text;        // a literal's text; "AM/PM" or "A/P"
};

// The digits of a second's fraction written at `i` (".0" to ".000"), consumed; -1 for
// more than three, finer than milliseconds not being common.
int fractionDigits(QStringView code, qsizetype &i)
{
    if (i + 1 >= code.size() || code[i] != u'.' || code[i + 1] != u'0') return 0;
    int decimals = 0;
    while (i + 1 + decimals < code.size() && code[i + 1 + decimals] == u'0') ++decimals;
    if (decimals > 3) return -1;
    i += 1 + decimals;
    return decimals;
}

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'-' || c == u'/' || c == u'.' || c == u':' || c == u',' || c == u'(' || c == u')';
}

// The inside of a bracket, in lower case, that names a colour ("red", "color 10") or
// holds a condition (">=100").
bool isColourOrCondition(const QString &inside)
{
    constexpr const char16_t *kColours[] = {u"black", u"blue", u"cyan", u"green",
                                           u"magenta", u"red", u"white", u"yellow"};
    for (const char16_t *colour : kColours)
        if (inside == QStringView(colour)) return true;
    if (inside.startsWith(QStringLiteral("color"))) {
        bool ok = false;
        const int n = QStringView(inside).sliced(5).trimmed().toInt(&ok);
        return ok && n >= 1 && n <= 56;
    }
    return inside.startsWith(u'<') || inside.startsWith(u'>') || inside.startsWith(u'=');
}

// Whether the inside of a bracket, in any case, is an elapsed hour, minute or second
// count ("h", "mm", "SS").
bool isElapsed(QStringView inside)
{
    if (inside.isEmpty()) return false;
    const QChar first = inside.front().toLower();
    if (first != u'h' && first != u'm' && first != u's') return false;
    for (QChar c : inside)
        if (c.toLower() != first) return false;
    return true;
}

// The tokens of a common date format, or of a section of literal text alone; false
// for any other.
bool tokenize(QStringView code, std::vector<Token> &tokens)
{
    for (qsizetype i = 0; i < code.size();) {
        const QChar c = code[i];
        const QChar lower = c.toLower();
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            if (end < 0) return false;
            tokens.push_back({Part::Literal, 0, 0, code.sliced(i + 1, end - i - 1).toString()});
            i = end + 1;
        } else if (c == u'\\') {
            if (i + 1 >= code.size()) return false;
            tokens.push_back({Part::Literal, 0, 0, QString(code[i + 1])});
            i += 2;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            if (end < 0) return false;
            const QString inside = code.sliced(i + 1, end - i - 1).toString().toLower();
            i = end + 1;
            auto all = [&](QChar letter) {
                return !inside.isEmpty() && inside.count(letter) == inside.size();
            };
            if (all(u'h')) tokens.push_back({Part::ElapsedHours, int(inside.size()), 0, {}});
            else if (all(u'm')) tokens.push_back({Part::ElapsedMinutes, int(inside.size()), 0, {}});
            else if (all(u's')) {
                const int decimals = fractionDigits(code, i);
                if (decimals < 0) return false;
                tokens.push_back({Part::ElapsedSeconds, int(inside.size()), decimals, {}});
            }
            // A colour or a condition changes how the text looks or which section
            // applies, not the text of this one.
            else if (isColourOrCondition(inside)) continue;
            // A locale tag only chooses a language, except the system's own long date
            // and time formats, which depend on the reader's settings.
            else if (inside.startsWith(u'$') && !inside.contains(QStringLiteral("f800")) &&
                     !inside.contains(QStringLiteral("f400")) && inside.indexOf(u'-') == 1) continue;
            else return false;
        } else if (code.sliced(i).startsWith(QStringLiteral("AM/PM"), Qt::CaseInsensitive)) {
            tokens.push_back({Part::AmPm, 0, 0, QStringLiteral("AM/PM")});
            i += 5;
        } else if (code.sliced(i).startsWith(QStringLiteral("A/P"), Qt::CaseInsensitive)) {
            tokens.push_back({Part::AmPm, 0, 0, QStringLiteral("A/P")});
            i += 3;
        } else if (lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' || lower == u's') {
            qsizetype end = i;
            while (end < code.size() && code[end].toLower() == lower) ++end;
            const int width = int(end - i);
            i = end;
            const Part part = lower == u'y' ? Part::Year
                              : lower == u'm' ? Part::Month
                              : lower == u'd' ? Part::Day
                              : lower == u'h' ? Part::Hour
                                              : Part::Second;
            const int decimals = part == Part::Second ? fractionDigits(code, i) : 0;
            if (decimals < 0) return false;
            tokens.push_back({part, width, decimals, {}});
        } else if (isSeparator(c)) {
            tokens.push_back({Part::Literal, 0, 0, QString(c)});
            ++i;
        } else {
            return false;
        }
    }
    // "m" right after an hour or right before a second is minutes.
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k].part != Part::Month || tokens[k].width > 2) continue;
        for (size_t j = k; j-- > 0;) {
            if (tokens[j].part == Part::Literal) continue;
            if (tokens[j].part == Part::Hour || tokens[j].part == Part::ElapsedHours) tokens[k].part = Part::Minute;
            break;
        }
        for (size_t j = k + 1; j < tokens.size() && tokens[k].part == Part::Month; ++j) {
            if (tokens[j].part == Part::Literal) continue;
            if (tokens[j].part == Part::Second || tokens[j].part == Part::ElapsedSeconds) tokens[k].part = Part::Minute;
            break;
        }
    }
    return true;
}

// A day of the calendar as a sheet counts it (the 1900 system has a 29 February 1900).
struct Day {
    int year = 0, month = 0, day = 0, weekday = 0;  // weekday 1 Monday ... 7 Sunday
};

constexpr long long kLastSerial1900 = 2958465;  // 9999-12-31

bool dayOf(long long days, bool date1904, Day &out)
{
    if (date1904) {
        if (days < 0 || days > kLastSerial1900 - 1462) return false;
        const QDate d = QDate(1904, 1, 1).addDays(days);
        out = {d.year(), d.month(), d.day(), d.dayOfWeek()};
        return true;
    }
    if (days < 0 || days > kLastSerial1900) return false;
    if (days == 0) out = {1900, 1, 0, 6};
    else if (days == 60) out = {1900, 2, 29, 3};
    else {
        const QDate d = days < 60 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
        out = {d.year(), d.month(), d.day(), d.dayOfWeek()};
    }
    return true;
}

const char *const kMonths[] = {"January", "February", "March", "April", "May", "June",
                               "July", "August", "September", "October", "November", "December"};
const char *const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

QString padded(long long n, int width) { return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')); }

QString iso(const Day &day, long long seconds, bool hasDate)
{
    QString out;
    if (hasDate) out = padded(day.year, 4) + u'-' + padded(day.month, 2) + u'-' + padded(day.day, 2);
    if (seconds != 0 || !hasDate) {
        if (!out.isEmpty()) out += u' ';
        out += padded(seconds / 3600, 2) + u':' + padded(seconds / 60 % 60, 2);
        if (seconds % 60) out += u':' + padded(seconds % 60, 2);
    }
    return out;
}

// `value` (not below zero) rounded to `digits` decimals as Calc rounds (its
// rtl::math::round): half up, after the value plus a half is taken to fifteen significant
// digits, so that a value some units of the fifteenth digit short of a half rounds up.
// That sum is taken as it is above 2^41 and where its binary fraction has at most 11
// bits; a value that is whole already is not rounded.
double calcRounded(double value, int digits)
{
    if (value == 0 || !std::isfinite(value) || value >= 0x1p52 || value == std::floor(value)) return value;
    const double factor = std::pow(10.0, digits);
    double scaled = value * factor;
    if (scaled >= 0x1p52) return value;
    double sum = scaled + 0.5;
    const double binary = std::ldexp(sum, 11);  // a whole number where the fraction has at most 11 bits
    if (sum <= 0x1p41 && binary != std::floor(binary)) {
        const int shift = 14 - int(std::floor(std::log10(sum)));
        const double power = std::pow(10.0, std::abs(shift));
        sum = shift < 0 ? std::round(sum / power) * power : std::round(sum * power) / power;
    }
    scaled = std::floor(sum);
    return scaled / factor;
}

} // namespace

QString Builtin_Date_Format(int numFmtId)
{
    switch (numFmtId) {
    case 14: return QStringLiteral("m/d/yyyy");
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 18: return QStringLiteral("h:mm AM/PM");
    case 19: return QStringLiteral("h:mm:ss AM/PM");
    case 20: return QStringLiteral("h:mm");
    case 21: return QStringLiteral("h:mm:ss");
    case 22: return QStringLiteral("m/d/yyyy h:mm");
    // The East Asian dates and times, as a sheet shows them in an English setting.
    case 27: case 28: case 29: case 30: case 31: case 36:
    case 50: case 51: case 52: case 53: case 54: case 55: case 56: case 57: case 58:
        return QStringLiteral("m/d/yyyy");
    case 32: case 33: case 34: case 35: return QStringLiteral("h:mm:ss");
    case 45: return QStringLiteral("mm:ss");
    case 46: return QStringLiteral("[h]:mm:ss");
    case 47: return QStringLiteral("mm:ss.0");
    default: return {};
    }
}

bool Is_Date_Format(QStringView formatCode)
{
    const QStringView code = firstSection(formatCode);
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (quoted) {
            if (c == u'"') quoted = false;
            continue;
        }
        const QChar lower = c.toLower();
        if (c == u'"') quoted = true;
        else if (c == u'\\' || c == u'_' || c == u'*') ++i;
        else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            if (end < 0) return false;
            if (isElapsed(code.sliced(i + 1, end - i - 1))) return true;
            i = end;
        } else if (lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' || lower == u's') {
            return true;
        }
    }
    return false;
}

QString Date_Cell_Text(double value, QStringView formatCode, bool date1904)
{
    const auto asNumber = [value] { return Number_Cell_Text(QString::number(value, 'g', 17)); };
    // Past the calendar either way (a value below zero may show its size in a second
    // section): the number.
    if (!std::isfinite(value) || std::fabs(value) >= double(kLastSerial1900 + 1)) return asNumber();
    // Up to three sections for numbers, before a text section: a value below zero takes
    // the second and shows its size as that section writes it, zero the third. In a
    // code of one section a value below zero shows after a minus sign.
    std::vector<QStringView> sections = sectionsOf(formatCode);
    for (size_t k = 1; k < sections.size(); ++k) {
        if (k == 3 || isTextSection(sections[k])) {
            sections.resize(k);
            break;
        }
    }
    const size_t section = value < 0 && sections.size() > 1 ? 1 : value == 0 && sections.size() > 2 ? 2 : 0;
    const QStringView code = sections[section];
    const bool minus = value < 0 && section == 0;
    const double size = std::fabs(value);
    std::vector<Token> tokens;
    const bool parsed = tokenize(code, tokens);
    bool common = false, elapsed = false, dated = false, timed = false;
    int decimals = 0;
    for (const Token &t : tokens) {
        common = common || t.part != Part::Literal;
        elapsed = elapsed || t.part == Part::ElapsedHours || t.part == Part::ElapsedMinutes || t.part == Part::ElapsedSeconds;
        dated = dated || t.part == Part::Year || t.part == Part::Month || t.part == Part::Day;
        timed = timed || t.part == Part::Hour || t.part == Part::Minute || t.part == Part::Second || t.part == Part::AmPm;
        decimals = std::max(decimals, t.decimals);
    }
    common = common && parsed;
    if (section > 0 && !common) {
        // Another section of text alone shows its text, one of digits the General size.
        if (parsed) {
            QString text;
            for (const Token &t : tokens) text += t.text;
            return text;
        }
        if (!Is_Date_Format(code)) return Number_Cell_Text(QString::number(size, 'g', 17));
    }
    if (!common) tokens.clear();
    const bool count = common && elapsed && !dated;
    // Below zero only an elapsed count shows, its size after a minus sign.
    if (minus && !count) return asNumber();
    // An elapsed count, or a format that is not common, shows to the nearest second. With
    // fractions an elapsed count rounds its seconds to the shown digits as Calc does,
    // straight from the value and not first to what fifteen digits leave as a clock does
    // (0.9995 s, stored a little short, is 00:00:00.999 in "[hh]:mm:ss.000"; 90,000.0005 s
    // so stored is 25:00:00.000 there, 01:00:00.001 in "hh:mm:ss.000"), and carries into
    // the next second (01:00.0 for 59.96 s in "[mm]:ss.0", 60.0 in "[ss].0"). Any other
    // code with fractions that is not a clock first rounds the seconds to the digits the
    // days leave: to ten microseconds beside a day count of five digits, never finer than
    // a microsecond nor coarser than a millisecond.
    // A clock counts its days as Calc does: from 1970-01-01 (serial 25569, 24107 in the
    // 1904 system) where a date shows, from the epoch where only a time shows. It takes the
    // day of that count to fifteen significant digits (a count a few units of the last
    // place short of a day is that day) and the seconds of the day rounded to what
    // fifteen digits leave of them: nine decimals below a day, ten less the digits of the
    // day count from a day on, two at least; not where that reaches the next day. It cuts
    // its whole units, never reaching the next minute, hour or day (23:59:59 for
    // 86,399.95 s in "hh:mm:ss", 0:00 for 59.96 s in "h:mm", 14:30:00 for
    // 46389.60416666666, 14:29:59 for 46389.6041666666); what is left rounds to the
    // fraction's digits half up after fifteen significant digits (4.385 s, stored a little
    // short, is 00:04.39 in "mm:ss.00"), cut where it would reach the next second (59.96 s
    // shows as 59.9 in "mm:ss.0"). With a date and a time shown, as in Calc, a value that
    // rounds to the next midnight at the shown digits is that midnight; a date alone moves
    // on only within half a millisecond of midnight.
    const bool clock = common && !elapsed;
    long long total = std::llround(size * 86400.0), rest = 0, scale = 1;
    double part = 0;
    if (clock) {
        const double epoch = dated ? (date1904 ? 24107.0 : 25569.0) : 0.0;
        const double counted = size - epoch;
        double day = std::floor(QString::number(counted, 'g', 15).toDouble());
        const double raw = std::max(counted - day, 0.0) * 86400.0;
        int places = 9;
        if (std::fabs(counted) >= 1) places = std::max(10 - int(std::ceil(std::log10(std::fabs(counted)))), 2);
        const double factor = std::pow(10.0, places);
        double seconds = std::round(raw * factor) / factor;
        if (seconds >= 86400) seconds = raw;
        if (dated && 86400 - raw <= 0.5 * std::pow(10.0, timed ? -decimals : -3)) {
            day += 1;
            seconds = 0;
        }
        const double whole = std::floor(seconds);
        part = seconds - whole;
        total = (long long)(day + epoch) * 86400 + (long long)whole;
    } else if (count && decimals > 0) {
        const double seconds = calcRounded(size * 86400.0, decimals);
        const double whole = std::floor(seconds);
        part = seconds - whole;
        total = (long long)whole;
    } else if (decimals > 0) {
        const int dayDigits = size < 1 ? 0 : int(std::ceil(std::log10(size)));
        for (int k = std::clamp(10 - dayDigits, 3, 6); k > 0; --k) scale *= 10;
        const long long all = std::llround(size * 86400.0 * double(scale));
        total = all / scale;
        rest = all % scale;
    }
    const auto fraction = [clock, count, part, rest, scale](int digits) {
        long long unit = 1;
        for (int k = 0; k < digits; ++k) unit *= 10;
        // A clock's fraction is what is left of its rounded seconds, a binary fraction a
        // little either side of a half step: it rounds to the shown digits as Calc rounds.
        const long long shown = clock   ? std::llround(calcRounded(part, digits) * double(unit))
                                : count ? (long long)std::floor(part * double(unit) + 0.5)
                                        : (rest * unit + scale / 2) / scale;
        return std::min(shown, unit - 1);
    };
    const long long days = total / 86400, seconds = total % 86400;
    Day day;
    if (!dayOf(days, date1904, day)) return asNumber();
    if (!common) {
        auto has = [&](QChar letter) { return code.contains(letter, Qt::CaseInsensitive); };
        const bool hasDate = days > 0 || has(u'y') || has(u'd') || (has(u'm') && !has(u'h') && !has(u's'));
        return iso(day, seconds, hasDate);
    }
    bool twelve = false;
    for (const Token &t : tokens) twelve = twelve || t.part == Part::AmPm;
    const int hour = int(seconds / 3600);
    QString out = minus && (total > 0 || fraction(decimals) > 0) ? QStringLiteral("-") : QString();
    for (const Token &t : tokens) {
        switch (t.part) {
        case Part::Literal: out += t.text; break;
        case Part::Year: out += t.width <= 2 ? padded(day.year % 100, 2) : padded(day.year, 4); break;
        case Part::Month:
            if (t.width <= 2) out += padded(day.month, t.width);
            else {
                const QString name = QString::fromLatin1(kMonths[day.month - 1]);
                out += t.width == 3 ? name.first(3) : t.width == 4 ? name : name.first(1);
            }
            break;
        case Part::Minute: out += padded(seconds / 60 % 60, std::min(t.width, 2)); break;
        case Part::Day:
            if (t.width <= 2) out += padded(day.day, t.width);
            else {
                const QString name = QString::fromLatin1(kWeekdays[day.weekday - 1]);
                out += t.width == 3 ? name.first(3) : name;
            }
            break;
        case Part::Hour: {
            int h = hour;
            if (twelve) h = h % 12 == 0 ? 12 : h % 12;
            out += padded(h, std::min(t.width, 2));
            break;
        }
        case Part::Second:
            out += padded(seconds % 60, std::min(t.width, 2));
            if (t.decimals > 0) out += u'.' + padded(fraction(t.decimals), t.decimals);
            break;
        case Part::AmPm:
            // "A/P" shows in lower case, whatever the case of the code.
            out += t.text == QLatin1String("A/P") ? (hour < 12 ? QStringLiteral("a") : QStringLiteral("p"))
                                                  : (hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
            break;
        case Part::ElapsedHours: out += padded(total / 3600, t.width); break;
        case Part::ElapsedMinutes: out += padded(total / 60, t.width); break;
        case Part::ElapsedSeconds:
            out += padded(total, t.width);
            if (t.decimals > 0) out += u'.' + padded(fraction(t.decimals), t.decimals);
            break;
        }
    }
    return out;
}

bool Iso_To_Serial(QStringView iso, bool date1904, double *serial)
{
    QString text = iso.trimmed().toString();
    if (text.endsWith(u'Z')) text.chop(1);
    QDate date;
    QTime time(0, 0);
    const qsizetype t = text.indexOf(u'T');
    if (t >= 0 || text.contains(u'-')) {
        date = QDate::fromString(t >= 0 ? text.first(t) : text, Qt::ISODate);
        if (!date.isValid()) return false;
    }
    if (t >= 0 || !date.isValid()) {
        const QString clock = t >= 0 ? text.sliced(t + 1) : text;
        time = QTime::fromString(clock, Qt::ISODateWithMs);
        if (!time.isValid()) time = QTime::fromString(clock, Qt::ISODate);
        if (!time.isValid()) return false;
    }
    double days = 0;
    if (date.isValid()) {
        if (date1904) days = double(QDate(1904, 1, 1).daysTo(date));
        else {
            days = double(QDate(1899, 12, 30).daysTo(date));
            if (days < 61) days -= 1;
        }
        if (days < 0) return false;
    }
    *serial = days + time.msecsSinceStartOfDay() / 86400000.0;
    return true;
}

QString Iso_Date_Text(QStringView stamp)
{
    QString text = stamp.trimmed().toString();
    if (text.endsWith(u'Z')) text.chop(1);
    const qsizetype t = text.indexOf(u'T');
    QDate date = QDate::fromString(t >= 0 ? text.first(t) : text, Qt::ISODate);
    if (!date.isValid()) return stamp.toString();
    long long seconds = 0;
    if (t >= 0) {
        const QStringList clock = text.sliced(t + 1).split(u':');
        bool okH = false, okM = false, okS = clock.size() == 2;
        const int h = clock.value(0).toInt(&okH), m = clock.value(1).toInt(&okM);
        const double s = clock.size() == 3 ? clock[2].toDouble(&okS) : 0;
        if (clock.size() < 2 || clock.size() > 3 || !okH || !okM || !okS || h < 0 || h > 24 || m < 0 || m > 59 ||
            !(s >= 0 && s < 61))
            return stamp.toString();
        seconds = h * 3600LL + m * 60LL + std::llround(s);
    }
    date = date.addDays(seconds / 86400);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) return stamp.toString();
    return iso({date.year(), date.month(), date.day(), date.dayOfWeek()}, seconds % 86400, true);
}

QString Iso_Duration_Text(QStringView duration)
{
    QStringView text = duration.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative) text = text.sliced(1);
    if (!text.startsWith(u'P') || text.size() < 3) return duration.toString();
    constexpr double kUnits[] = {86400, 3600, 60, 1};  // D, H, M after T, S
    double total = 0;
    bool inTime = false, any = false;
    int lastUnit = -1;
    qsizetype start = 1;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() || c == u'.') continue;
        if (c == u'T' && !inTime && i == start) {
            inTime = true;
            start = i + 1;
            continue;
        }
        const int unit = !inTime ? (c == u'D' ? 0 : -1)
                                 : c == u'H' ? 1 : c == u'M' ? 2 : c == u'S' ? 3 : -1;
        bool ok = false;
        const double n = text.sliced(start, i - start).toDouble(&ok);
        if (unit <= lastUnit || !ok || !(n >= 0 && n < 1e9)) return duration.toString();
        total += n * kUnits[unit];
        lastUnit = unit;
        any = true;
        start = i + 1;
    }
    if (!any || start != text.size()) return duration.toString();
    const long long seconds = std::llround(total);
    QString out = negative && seconds ? QStringLiteral("-") : QString();
    out += padded(seconds / 3600, 2) + u':' + padded(seconds / 60 % 60, 2);
    if (seconds % 60) out += u':' + padded(seconds % 60, 2);
    return out;
}

QString Number_Cell_Text(QStringView stored)
{
    // Most stored numbers are written as shown already.
    if (Is_Number_Cell(stored) && !(stored.contains(u'.') && stored.endsWith(u'0')) && stored != u"-0")
        return stored.toString();
    bool ok = false;
    const double v = stored.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return stored.toString();
    if (v == 0) return QStringLiteral("0");
    const double magnitude = std::fabs(v);
    if (magnitude >= 1e-9 && magnitude < 1e15) {
        QString text = QString::number(v, 'f', std::max(0, 14 - int(std::floor(std::log10(magnitude)))));
        if (text.contains(u'.')) {
            while (text.endsWith(u'0')) text.chop(1);
            if (text.endsWith(u'.')) text.chop(1);
        }
        if (text == QLatin1String("-0")) text = QStringLiteral("0");
        return text;
    }
    // 1.23456789012346E+16: mantissa of up to 15 digits, exponent with its sign.
    QString text = QString::number(v, 'e', 14);
    const qsizetype e = text.indexOf(u'e');
    QString mantissa = text.first(e);
    QString exponent = text.sliced(e + 1);
    while (mantissa.endsWith(u'0')) mantissa.chop(1);
    if (mantissa.endsWith(u'.')) mantissa.chop(1);
    const QChar sign = exponent.front() == u'-' ? u'-' : u'+';
    exponent = exponent.sliced(exponent.front() == u'-' || exponent.front() == u'+' ? 1 : 0);
    while (exponent.size() > 2 && exponent.front() == u'0') exponent.remove(0, 1);
    return mantissa + u'E' + sign + exponent;
}
