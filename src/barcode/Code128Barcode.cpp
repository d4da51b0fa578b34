#include "Code128Barcode.h"

#include <algorithm>

namespace {

// Bar and space widths of the symbol values 0-105 (105 being start C).
const char *const kWidths[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232"};

constexpr int kShift = 98, kCodeB = 100, kCodeA = 101, kStartA = 103;

// The byte's value in set A (0) or B (1), -1 when the set has none.
int valueIn(int set, unsigned char c)
{
    if (set == 0) return c < 32 ? c + 64 : c < 96 ? c - 32 : -1;
    return c >= 32 && c < 128 ? c - 32 : -1;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

QString NKDCode128Barcode::patternForValue(int value)
{
    if (value < 0 || value > 105) return {};
    QString s;
    const char *w = kWidths[value];
    for (int i = 0; i < 6; ++i) s += QString(w[i] - '0', i % 2 == 0 ? u'1' : u'0');
    return s;
}

void NKDCode128Barcode::init(const QString &content, bool printsCaption)
{
    NKDBarcode::init(content, printsCaption);
    if (m_codeSet < SetA || m_codeSet > SetC) m_codeSet = _bestCodeSetForContent();
    generateChecksum();
    calculateWidth();
}

int NKDCode128Barcode::_bestCodeSetForContent() const
{
    int digits = 0, controls = 0, lower = 0;
    const QByteArray b = bytes();
    for (char ch : b) {
        const unsigned char c = ch;
        if (isDigit(ch)) ++digits;
        else if (c < 32 || c >= 127) ++controls;
        else if (c >= 'a' && c <= 'z') ++lower;
    }
    if (digits == b.size()) return SetC;
    return controls > lower ? SetA : SetB;
}

bool NKDCode128Barcode::contentAccepted() const
{
    const QByteArray b = bytes();
    if (m_codeSet == SetC) return std::all_of(b.begin(), b.end(), isDigit);
    return true;
}

std::vector<int> NKDCode128Barcode::symbolValues() const
{
    std::vector<int> out;
    const QByteArray b = bytes();
    int set = m_codeSet;
    qsizetype i = 0;
    if (set == SetC) {
        for (; i + 1 < b.size() && isDigit(b[i]) && isDigit(b[i + 1]); i += 2)
            out.push_back((b[i] - '0') * 10 + (b[i + 1] - '0'));
        if (i == b.size()) return out;
        out.push_back(kCodeB);
        set = SetB;
    }
    for (; i < b.size(); ++i) {
        const unsigned char c = b[i];
        if (valueIn(set, c) >= 0) {
            out.push_back(valueIn(set, c));
            continue;
        }
        const int other = set == SetA ? SetB : SetA;
        if (i + 1 < b.size() && valueIn(set, b[i + 1]) >= 0) {
            out.push_back(kShift);
        } else {
            out.push_back(other == SetA ? kCodeA : kCodeB);
            set = other;
        }
        out.push_back(valueIn(other, c));
    }
    return out;
}

void NKDCode128Barcode::generateChecksum()
{
    // Kept modulo 103 at every step, so that no length overflows it.
    int sum = kStartA + std::clamp(m_codeSet, 0, 2), weight = 1;
    for (int v : symbolValues()) {
        sum = (sum + weight * v) % 103;
        weight = (weight + 1) % 103;
    }
    setCheckDigit(sum % 103);
}

QString NKDCode128Barcode::initiator() const
{
    if (m_codeSet < SetA || m_codeSet > SetC) return {};
    return patternForValue(kStartA + m_codeSet);
}

QString NKDCode128Barcode::terminator() const { return QStringLiteral("1100011101011"); }

QString NKDCode128Barcode::_encodeChar(char c) const
{
    if (m_codeSet == SetC) return {};
    return patternForValue(valueIn(m_codeSet, (unsigned char)c));
}

QString NKDCode128Barcode::barcode() const
{
    if (!Barcode_Is_Ascii(content())) return {};
    QString modules;
    for (int v : symbolValues()) modules += patternForValue(v);
    if (checkDigit() >= 0) modules += patternForValue(checkDigit());
    return modules;
}
