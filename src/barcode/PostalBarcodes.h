#pragma once
// Postal symbologies whose bars are one module wide and carry their information in
// their heights: POSTNET (tall and short bars), PLANET (the inverse) and RM4SCC
// (four-state bars).
#include "FourStateBarcode.h"

class NKDPostnetBarcode : public NKDBarcode {
public:
    QString initiator() const override { return QStringLiteral("100"); }
    QString terminator() const override { return QStringLiteral("1"); }
    // Five bars, each followed by a two-module space.
    QString _encodeChar(char) const override { return QStringLiteral("100100100100100"); }
    // The frame bars are 9 points; a digit's bar 9 (tall) or 3.6 (short).
    float barTop(int position) const override;
    // Inches of bar b (1-5) of the digit at the index (the check digit past the end).
    virtual float _heightForDigit(int index, int bar) const;
    // (10 - digit sum mod 10) mod 10.
    void generateChecksum() override;

protected:
    void init(const QString &content, bool printsCaption) override;
    // 5, 9 or 11 digits.
    bool contentAccepted() const override;
};

class NKDPlanetBarcode : public NKDPostnetBarcode {
public:
    float _heightForDigit(int index, int bar) const override;
};

class NKDRoyalMailBarcode : public FourStateBarcode {
public:
    QString initiator() const override { return QStringLiteral("10"); }
    QString terminator() const override { return QStringLiteral("1"); }
    // Four bars, each followed by a one-module space.
    QString _encodeChar(char) const override { return QStringLiteral("10101010"); }
    int _barDescriptor(int position) const override;
    // The row and column of the ascender and descender sums modulo 6.
    void generateChecksum() override;

protected:
    // Upper-cases the content; no caption, 0.5 mm bars, 5.05 mm high.
    void init(const QString &content, bool printsCaption) override;
    // Digits and upper-case letters only.
    bool contentAccepted() const override;
    // 5.05 mm; 3.15 mm; 1.9 mm.
    float fullTop() const override;
    float trackerTop() const override;
    float trackerBottom() const override;
};

// The RM4SCC descriptor of a character: four 4-bit fields, the first bar highest;
// 0 for a character outside 0-9, A-Z.
int royalmail_characterDescriptor(char c);
