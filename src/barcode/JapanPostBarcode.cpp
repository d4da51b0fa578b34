#include "JapanPostBarcode.h"

#include <algorithm>

namespace {

// Bars of the code characters '-' (0x2D) to '?' (0x3F), '.' and '/' being control
// codes 7 and 8: T timing, A ascender, D descender, F full.
const char *const kCodes[] = {"TFT", "TTF", "FFF", "FTT", "FFT", "FDA", "DFA", "FAD", "FTF", "DAF",
                              "AFD", "ADF", "TFF", "DAT", "DTA", "ADT", "TDA", "ATD", "TAD"};

int stateOf(char s) { return s == 'A' ? 2 : s == 'D' ? 1 : s == 'F' ? 3 : 0; }

const char *barsOf(QChar c)
{
    const int i = c.unicode() - '-';
    return i >= 0 && i < 19 ? kCodes[i] : "TTT";
}

int valueOf(QChar c)
{
    if (c.isDigit()) return c.unicode() - '0';
    switch (c.unicode()) {
    case '-': return 10;
    case ':': return 11;
    case ';': return 12;
    case '<': return 13;
    case '=': return 14;
    default: return 0;
    }
}

constexpr double kMmPerPoint = 0.3527777777777777;

} // namespace

void JapanPostBarcode::init(const QString &content, bool printsCaption)
{
    NKDBarcode::init(content, printsCaption);
    QString codes, readable;
    QList<bool> ends;  // per code: whether it ends a character of the readable text
    for (QChar c : content.toUpper()) {
        const char16_t u = c.unicode();
        if (u >= 'A' && u <= 'Z') {
            const int k = u - 'A';
            codes += k < 10 ? u':' : k < 20 ? u';' : u'<';
            codes += QChar(u'0' + k % 10);
            ends << false << true;
        } else if ((u >= '0' && u <= '9') || u == '-') {
            codes += c;
            ends << true;
        } else {
            continue;
        }
        readable += c;
    }
    if (codes.size() > 20) {
        // A letter whose two codes do not both fit is dropped whole.
        const int kept = ends[19] ? 20 : 19;
        codes.truncate(kept);
        readable.truncate(std::count(ends.begin(), ends.begin() + kept, true));
    }
    codes += QString(20 - codes.size(), u'=');
    m_codes = codes;
    setContent(readable);
    generateChecksum();
    setSymbolSize(10);
    setHeight(barTop(0));
}

void JapanPostBarcode::setSymbolSize(float size)
{
    m_symbolSize = std::clamp(size, 8.5f, 11.5f);
    NKDBarcode::setBarWidth(m_symbolSize / 6);
    calculateWidth();
}

void JapanPostBarcode::setBarWidth(float width)
{
    const float w = std::clamp(width, 4.0f / 3.0f, 1.9166666666667f);
    m_symbolSize = 6 * w;
    NKDBarcode::setBarWidth(w);
    calculateWidth();
}

void JapanPostBarcode::generateChecksum()
{
    int sum = 0;
    for (QChar c : m_codes) sum += valueOf(c);
    const int v = (19 - sum % 19) % 19;
    const char *const kChecks = "0123456789-:;<=>?./";
    setCheckDigit(kChecks[v]);
}

bool JapanPostBarcode::contentAccepted() const
{
    const QString text = content();
    if (text.size() < 7) return false;
    for (int i = 0; i < 7; ++i)
        if (!(text[i] >= u'0' && text[i] <= u'9')) return false;
    return true;
}

QString JapanPostBarcode::barcode() const
{
    QString modules;
    for (qsizetype i = 0; i < m_codes.size(); ++i) modules += _encodeChar(0);
    if (checkDigit() != -1) modules += _encodeChar(0);
    return modules;
}

int JapanPostBarcode::_barDescriptor(int p) const
{
    const int n = int(m_codes.size());
    if (p < 4) return p / 2 == 0 ? 3 : 1;
    if (p < 4 + 6 * (n + 1)) {
        const int index = (p - 4) / 6, bar = ((p - 4) % 6) / 2;
        const QChar c = index < n ? m_codes[index] : QChar(checkDigit());
        return stateOf(barsOf(c)[bar]);
    }
    return ((p - 4 - 6 * (n + 1)) % 3) / 2 == 0 ? 1 : 3;
}

float JapanPostBarcode::fullTop() const { return float(3.6 * m_symbolSize / 10 / kMmPerPoint); }
float JapanPostBarcode::trackerTop() const { return float(2.4 * m_symbolSize / 10 / kMmPerPoint); }
float JapanPostBarcode::trackerBottom() const { return float(1.2 * m_symbolSize / 10 / kMmPerPoint); }
