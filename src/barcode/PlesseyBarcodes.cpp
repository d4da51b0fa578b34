#include "PlesseyBarcodes.h"

void NKDModifiedPlesseyBarcode::init(const QString &content, bool printsCaption)
{
    NKDBarcode::init(content.toUpper(), printsCaption);
    generateChecksum();
    calculateWidth();
}

QString NKDModifiedPlesseyBarcode::_encodeChar(char c) const
{
    const int v = valueOf(c);
    if (v < 0) return {};
    QString modules;
    for (int bit = 3; bit >= 0; --bit) modules += (v >> bit) & 1 ? QStringLiteral("110") : QStringLiteral("100");
    return modules;
}

void NKDModifiedPlesseyBarcode::generateChecksum()
{
    const auto digitSum = [](int n) { return n / 10 + n % 10; };
    const QByteArray text = bytes();
    int total = 0;
    bool odd = true;
    for (qsizetype i = text.size() - 1; i >= 0; --i, odd = !odd) {
        const int v = std::max(0, valueOf(text[i]));
        total += digitSum(odd ? 2 * v : v);
    }
    setCheckDigit('0' + (10 - total % 10) % 10);
}
