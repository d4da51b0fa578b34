#include "SpreadsheetXml.h"
#include "XmlStream.h"

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// The code of an escape "_xHHHH_" starting at `i`, or -1.
int escapeAt(QStringView s, qsizetype i)
{
    if (i + 7 > s.size() || s[i] != u'_' || s[i + 1] != u'x' || s[i + 6] != u'_') return -1;
    int code = 0;
    for (int k = 2; k < 6; ++k) {
        const int h = hexValue(s[i + k]);
        if (h < 0) return -1;
        code = code * 16 + h;
    }
    return code;
}

bool allowedInXml(char16_t u)
{
    if (u < 0x20) return u == 0x09 || u == 0x0A;  // a raw CR would become LF on reading
    return u != 0xFFFE && u != 0xFFFF;
}

void appendEscape(std::string &out, unsigned code)
{
    static const char hex[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4) out += hex[(code >> shift) & 0xF];
    out += '_';
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

} // namespace

namespace {

char16_t unitAt(QStringView s, qsizetype i) { return s[i].unicode(); }
char16_t unitAt(std::string_view s, size_t i) { return char16_t(static_cast<unsigned char>(s[i])); }
QStringView part(QStringView s, qsizetype from, qsizetype n) { return s.mid(from, n); }
std::string_view part(std::string_view s, size_t from, size_t n) { return s.substr(from, n); }

// Letters A to Z of either case, counted as column names; 0 for anything else.
template <class View>
int lettersToNumber(View letters)
{
    if (letters.empty()) return 0;
    long long n = 0;
    for (decltype(letters.size()) i = 0; i < letters.size(); ++i) {
        const char16_t u = unitAt(letters, i) & ~char16_t(0x20);
        if (u < 'A' || u > 'Z') return 0;
        n = n * 26 + (u - 'A' + 1);
        if (n > kMaxSheetColumns * 26LL) return kMaxSheetColumns + 1;  // far beyond any sheet
    }
    return int(n);
}

bool isSpaceUnit(char16_t u) { return u == ' ' || u == '\t' || u == '\n' || u == '\r'; }

// The letters of a reference: everything before the first digit, outer blanks cut.
template <class View>
int referenceColumn(View reference)
{
    decltype(reference.size()) end = 0, begin = 0;
    while (end < reference.size() && !(unitAt(reference, end) >= '0' && unitAt(reference, end) <= '9')) ++end;
    while (begin < end && isSpaceUnit(unitAt(reference, begin))) ++begin;
    while (end > begin && isSpaceUnit(unitAt(reference, end - 1))) --end;
    return lettersToNumber(part(reference, begin, end - begin));
}

} // namespace

int Column_Number(QStringView letters) { return lettersToNumber(letters); }

QString ColumnNumber_To_Name(int number)
{
    QString name;
    for (; number > 0; number = (number - 1) / 26) name.prepend(QChar(u'A' + (number - 1) % 26));
    return name;
}

int Reference_Column(QStringView reference) { return referenceColumn(reference); }

int Reference_Column(std::string_view reference) { return referenceColumn(reference); }

int Dimension_Columns(QStringView ref)
{
    const qsizetype colon = ref.lastIndexOf(u':');
    return Reference_Column(ref.mid(colon + 1).trimmed());
}

bool Is_Number_Cell(QStringView text)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype intStart = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80) ++i;
    const qsizetype intEnd = i;
    if (intEnd == intStart || (text[intStart] == u'0' && intEnd - intStart > 1)) return false;
    qsizetype fracDigits = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80) ++i, ++fracDigits;
        if (fracDigits == 0) return false;
    }
    if (i != text.size()) return false;
    // Significant digits: all digits after the leading zeros.
    int significant = 0;
    for (qsizetype k = intStart; k < text.size(); ++k) {
        if (text[k] == u'.') continue;
        if (significant > 0 || text[k] != u'0') ++significant;
    }
    return significant <= 15;
}

QString Decode_Escapes(const QString &text)
{
    if (!text.contains(u"_x")) return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const int code = escapeAt(text, i);
        if (code < 0) {
            out += text[i++];
            continue;
        }
        out += QChar(char16_t(code));
        i += 7;
    }
    return out;
}

void Append_Xml_Text(std::string &out, QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u == '&') out += "&amp;";
        else if (u == '<') out += "&lt;";
        else if (u == '>') out += "&gt;";
        else if (u == '_' && escapeAt(text, i) >= 0) out += "_x005F_";
        else if (u < 0x80 && allowedInXml(u)) out += char(u);
        else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            Append_Utf8(out, QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(u) || !allowedInXml(u)) appendEscape(out, u);
        else Append_Utf8(out, u);
    }
}

QString Xml_Safe_Text(QStringView text)
{
    QString out = text.toString();
    const qsizetype n = out.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = out[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(out[i + 1].unicode())) {
            ++i;
            continue;
        }
        const bool allowed = u < 0x20 ? (u == 0x09 || u == 0x0A || u == 0x0D)
                                      : !QChar::isSurrogate(u) && u != 0xFFFE && u != 0xFFFF;
        if (!allowed) out[i] = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

bool Has_Outer_Space(QStringView text)
{
    return !text.isEmpty() && (isBlank(text.front()) || isBlank(text.back()));
}
