#pragma once
// Code 39 (upper-case letters, digits and seven signs between '*' start and stop
// characters) and Extended Code 39 (full ASCII written as pairs of Code 39 characters).
#include "NKDBarcode.h"

class NKDCode39Barcode : public NKDBarcode {
public:
    // The 13-module pattern of a data character (narrow 1, wide 2 modules, one narrow
    // space after it); '*' is the start and stop character and no data.
    QString _encodeChar(char c) const override;
    QString initiator() const override;
    QString terminator() const override { return initiator(); }
    // Modulo 43 over the content's Code 39 values (other bytes count 0).
    void generateChecksum() override;

protected:
    // Upper-cases the content.
    void init(const QString &content, bool printsCaption) override;
};

class NKDExtendedCode39Barcode : public NKDCode39Barcode {
public:
    QString _encodeChar(char c) const override;

protected:
    // Keeps the content as typed.
    void init(const QString &content, bool printsCaption) override;
};
