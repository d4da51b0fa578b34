#include "Code39Barcodes.h"

#include <cstring>

namespace {

const char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// Nine elements (bar, space, ..., bar), '1' wide, for each character of kChars, then '*'.
const char *const kElements[] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010", "010010100"};

QString pattern(const char *elements)
{
    QString s;
    for (int i = 0; i < 9; ++i) {
        const QChar module = i % 2 == 0 ? u'1' : u'0';
        s += QString(elements[i] == '1' ? 2 : 1, module);
    }
    return s + u'0';
}

int valueOf(char c)
{
    const char *p = c ? strchr(kChars, c) : nullptr;
    return p ? int(p - kChars) : -1;
}

} // namespace

void NKDCode39Barcode::init(const QString &content, bool printsCaption)
{
    NKDBarcode::init(content.toUpper(), printsCaption);
}

QString NKDCode39Barcode::_encodeChar(char c) const
{
    const int v = valueOf(c);
    return v < 0 ? QString() : pattern(kElements[v]);
}

QString NKDCode39Barcode::initiator() const { return pattern(kElements[43]); }

void NKDCode39Barcode::generateChecksum()
{
    int sum = 0;
    for (char c : bytes()) sum += std::max(0, valueOf(c));
    setCheckDigit(kChars[sum % 43]);
    calculateWidth();
}

void NKDExtendedCode39Barcode::init(const QString &content, bool printsCaption)
{
    NKDCode39Barcode::init(content, printsCaption);
    setContent(content);
}

QString NKDExtendedCode39Barcode::_encodeChar(char c) const
{
    const auto pair = [this](char a, char b) {
        return NKDCode39Barcode::_encodeChar(a) + NKDCode39Barcode::_encodeChar(b);
    };
    if (c != '$' && c != '%' && c != '+' && c != '/') {
        const QString plain = NKDCode39Barcode::_encodeChar(c);
        if (!plain.isEmpty()) return plain;
    }
    if (c == '\t') return pair('$', 'I');
    if (c == '\n') return pair('$', 'J');
    if (c >= '!' && c <= ',') return pair('/', char('A' + (c - '!')));
    if (c == '/') return pair('/', 'O');
    if (c == ':') return pair('/', 'Z');
    if (c >= ';' && c <= '?') return pair('%', char('F' + (c - ';')));
    if (c == '@') return pair('%', 'V');
    if (c >= '[' && c <= '_') return pair('%', char('K' + (c - '[')));
    if (c == '`') return pair('%', 'W');
    if (c >= 'a' && c <= 'z') return pair('+', char(c - 'a' + 'A'));
    if (c >= '{' && c <= '~') return pair('%', char('P' + (c - '{')));
    return {};
}
