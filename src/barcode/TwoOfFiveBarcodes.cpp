#include "TwoOfFiveBarcodes.h"

namespace {

// 'W' wide, 'N' narrow: the five elements of the digits 0-9.
const char *const kElements[] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                 "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

} // namespace

bool NKDInterleavedTwoOfFiveBarcode::_getBarForDigit(char digit, int element)
{
    if (digit < '0' || digit > '9') return true;
    return kElements[digit - '0'][element] == 'N';
}

bool NKDInterleavedTwoOfFiveBarcode::contentAccepted() const
{
    for (char c : bytes())
        if (c < '0' || c > '9') return false;
    return true;
}

QByteArray NKDInterleavedTwoOfFiveBarcode::digitsWithCheck() const
{
    QByteArray text = bytes();
    if (checkDigit() != -1) text += char(checkDigit());
    return text;
}

QString NKDInterleavedTwoOfFiveBarcode::barcode() const
{
    QByteArray text = digitsWithCheck();
    if (text.size() % 2) text.prepend('0');
    QString modules;
    for (qsizetype i = 0; i + 1 < text.size(); i += 2)
        for (int k = 0; k < 5; ++k) {
            modules += _getBarForDigit(text[i], k) ? QStringLiteral("1") : QStringLiteral("111");
            modules += _getBarForDigit(text[i + 1], k) ? QStringLiteral("0") : QStringLiteral("000");
        }
    return modules;
}

void NKDInterleavedTwoOfFiveBarcode::generateChecksum()
{
    const QByteArray text = bytes();
    int sum = 0, weight = 3;
    for (qsizetype i = text.size() - 1; i >= 0; --i, weight = 4 - weight) sum += weight * (text[i] - '0');
    setCheckDigit('0' + (10 - sum % 10) % 10);
}

QString NKDIndustrialTwoOfFiveBarcode::barcode() const
{
    QString modules;
    for (char c : digitsWithCheck())
        for (int k = 0; k < 5; ++k)
            modules += _getBarForDigit(c, k) ? QStringLiteral("10") : QStringLiteral("1110");
    return modules;
}
