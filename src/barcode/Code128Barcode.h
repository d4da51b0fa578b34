#pragma once
// Code 128 in code set A, B or C, or the set chosen from the content.
#include "NKDBarcode.h"

#include <vector>

class NKDCode128Barcode : public NKDBarcode {
public:
    enum CodeSet { SetA = 0, SetB = 1, SetC = 2, SetAuto = 3 };

    // Set before initWithContent; SetAuto is replaced there by the best set.
    int codeSet() const { return m_codeSet; }
    void setCodeSet(int set) { m_codeSet = set; }

    // The data symbol values after the start symbol: set C digit pairs (an odd count
    // ending with CODE B and the last digit); in A or B a byte the set cannot carry
    // gets SHIFT when the next byte returns to the set, else CODE A / CODE B.
    std::vector<int> symbolValues() const;
    // Modulo 103 over the start value and every written symbol weighted by its place.
    void generateChecksum() override;

    QString initiator() const override;
    QString terminator() const override;
    // The byte's pattern in the current set, empty when the set has no value for it.
    QString _encodeChar(char c) const override;
    QString barcode() const override;

    // C when every byte is a digit, else A when control bytes outnumber lower-case
    // letters, else B.
    int _bestCodeSetForContent() const;
    // The 11-module pattern of a symbol value 0-105, empty beyond.
    static QString patternForValue(int value);

protected:
    void init(const QString &content, bool printsCaption) override;
    // Set C accepts digits only; A and B every ASCII byte.
    bool contentAccepted() const override;

private:
    int m_codeSet = SetAuto;
};
