#pragma once
// Modified Plessey (MSI): start 110, each digit as four bits most significant first
// (0 "100", 1 "110"), a modulo-10 check digit, stop 1001. The Hex form adds A-F.
#include "NKDBarcode.h"

class NKDModifiedPlesseyBarcode : public NKDBarcode {
public:
    QString _encodeChar(char c) const override;
    QString initiator() const override { return QStringLiteral("110"); }
    QString terminator() const override { return QStringLiteral("1001"); }
    // Modulo 10: from the right, the values at odd places doubled and the others
    // plain, each counting the sum of its decimal digits.
    void generateChecksum() override;

protected:
    // Upper-cases the content and sets its check digit.
    void init(const QString &content, bool printsCaption) override;
    // The value of a character (-1 outside the symbology's set).
    virtual int valueOf(char c) const { return c >= '0' && c <= '9' ? c - '0' : -1; }
};

class NKDModifiedPlesseyHexBarcode : public NKDModifiedPlesseyBarcode {
protected:
    int valueOf(char c) const override
    {
        return c >= 'A' && c <= 'F' ? c - 'A' + 10 : NKDModifiedPlesseyBarcode::valueOf(c);
    }
};
