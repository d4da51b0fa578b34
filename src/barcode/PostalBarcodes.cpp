#include "PostalBarcodes.h"

#include <array>
#include <cstring>

namespace {

// POSTNET: the two tall bars (1-5) of each digit.
const char *const kTallBars[] = {"12", "45", "35", "34", "25", "24", "23", "15", "14", "13"};

// RM4SCC bar states of 0-9 and A-Z (T tracker, A ascender, D descender, F full).
const char *const kRoyalMail[] = {
    "TTFF", "TDAF", "TDFA", "DTAF", "DTFA", "DDAA", "TADF", "TFTF", "TFDA", "DATF", "DADA", "DFTA",
    "TAFD", "TFAD", "TFFT", "DAAD", "DAFT", "DFAT", "ATDF", "ADTF", "ADDA", "FTTF", "FTDA", "FDTA",
    "ATFD", "ADAD", "ADFT", "FTAD", "FTFT", "FDAT", "AADD", "AFTD", "AFDT", "FATD", "FADT", "FFTT"};

constexpr double kPointsPerMm = 0.03937007874015748 * 72;

int fieldOf(int descriptor, int bar) { return (descriptor >> (4 * (3 - bar))) & 0xF; }

int royalMailIndex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

} // namespace

void NKDPostnetBarcode::init(const QString &content, bool printsCaption)
{
    NKDBarcode::init(content, printsCaption);
    setBarWidth(1.08f);
    generateChecksum();
    setHeight(9.0f);
    calculateWidth();
}

float NKDPostnetBarcode::barTop(int p) const
{
    // Frame bar, five bars for each digit and the check digit, frame bar.
    const int last = 3 + 15 * int(bytes().size() + (checkDigit() != -1 ? 1 : 0));
    if (p == 0 || p == last) return 9.0f;
    const int d = (p - 3) / 15, b = (p - 15 * d) / 3;
    return _heightForDigit(d, b) * 72;
}

float NKDPostnetBarcode::_heightForDigit(int index, int bar) const
{
    const QByteArray &b = bytes();
    const char c = index < b.size() ? b[index] : char(checkDigit());
    if (c < '0' || c > '9') return 0;
    return strchr(kTallBars[c - '0'], '0' + bar) ? 0.125f : 0.05f;
}

float NKDPlanetBarcode::_heightForDigit(int index, int bar) const
{
    return NKDPostnetBarcode::_heightForDigit(index, bar) == 0.125f ? 0.05f : 0.125f;
}

void NKDPostnetBarcode::generateChecksum()
{
    int sum = 0;
    for (char c : bytes()) sum += c - '0';
    setCheckDigit('0' + (10 - sum % 10) % 10);
}

bool NKDPostnetBarcode::contentAccepted() const
{
    const QByteArray &b = bytes();
    if (b.size() != 5 && b.size() != 9 && b.size() != 11) return false;
    for (char c : b)
        if (c < '0' || c > '9') return false;
    return true;
}

int royalmail_characterDescriptor(char c)
{
    static const std::array<int, 36> descriptors = [] {
        std::array<int, 36> out{};
        for (size_t i = 0; i < out.size(); ++i)
            for (const char *s = kRoyalMail[i]; *s; ++s)
                out[i] = (out[i] << 4) | (*s == 'A' ? 2 : *s == 'D' ? 1 : *s == 'F' ? 3 : 0);
        return out;
    }();
    const int i = royalMailIndex(c);
    return i < 0 ? 0 : descriptors[size_t(i)];
}

void NKDRoyalMailBarcode::init(const QString &content, bool)
{
    NKDBarcode::init(content.toUpper(), false);
    setBarWidth(1.4173229f);
    generateChecksum();
    setHeight(14.3149605f);
    calculateWidth();
}

bool NKDRoyalMailBarcode::contentAccepted() const
{
    for (char c : bytes())
        if (royalMailIndex(c) < 0) return false;
    return true;
}

int NKDRoyalMailBarcode::_barDescriptor(int p) const
{
    const QByteArray &b = bytes();
    const int n = int(b.size());
    if (p == 0) return 2;
    if (p >= 8 * (n + 1) + 2) return 3;
    const int j = p - 2, index = j / 8;
    const char c = index < n ? b[index] : char(checkDigit());
    return fieldOf(royalmail_characterDescriptor(c), (j % 8) / 2);
}

float NKDRoyalMailBarcode::fullTop() const { return float(5.05 * kPointsPerMm); }
float NKDRoyalMailBarcode::trackerTop() const { return float(3.15 * kPointsPerMm); }
float NKDRoyalMailBarcode::trackerBottom() const { return float(1.9 * kPointsPerMm); }

void NKDRoyalMailBarcode::generateChecksum()
{
    int upper = 0, lower = 0;
    for (char c : bytes()) {
        const int d = royalmail_characterDescriptor(c);
        int asc = 0, desc = 0;
        for (int bar = 0; bar < 4; ++bar) {
            asc = asc << 1 | (fieldOf(d, bar) & 2 ? 1 : 0);
            desc = desc << 1 | (fieldOf(d, bar) & 1 ? 1 : 0);
        }
        upper = (upper + (asc >> 1)) % 6;
        lower = (lower + (desc >> 1)) % 6;
    }
    const int row = upper == 0 ? 5 : upper - 1, column = lower == 0 ? 5 : lower - 1;
    const int v = 6 * row + column;
    setCheckDigit(v < 10 ? '0' + v : 'A' + v - 10);
}
