#pragma once
// Interleaved 2 of 5 (digit pairs, bars of the first interleaved with spaces of the
// second) and Industrial 2 of 5 (every element a bar), digits only.
#include "NKDBarcode.h"

class NKDInterleavedTwoOfFiveBarcode : public NKDBarcode {
public:
    // True when the element (0-4) of the digit's two-of-five pattern is narrow.
    static bool _getBarForDigit(char digit, int element);

    QString initiator() const override { return QStringLiteral("1010"); }
    QString terminator() const override { return QStringLiteral("11101"); }
    QString barcode() const override;
    // Modulo 10 with weight 3 on the rightmost digit and every second one from it.
    void generateChecksum() override;

protected:
    bool contentAccepted() const override;
    // The content followed by the check character when there is one.
    QByteArray digitsWithCheck() const;
};

class NKDIndustrialTwoOfFiveBarcode : public NKDInterleavedTwoOfFiveBarcode {
public:
    QString initiator() const override { return QStringLiteral("1110111010"); }
    QString terminator() const override { return QStringLiteral("111010111"); }
    // Each digit as five bars (narrow 1, wide 3 modules), each followed by a narrow space.
    QString barcode() const override;
};
