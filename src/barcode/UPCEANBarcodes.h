#pragma once
// The retail symbologies EAN-13, EAN-8, UPC-A and UPC-E: seven-module digit patterns
// in left-hand odd (L), left-hand even (G) and right-hand (R) forms between guards,
// with a modulo-10 check digit.
#include "NKDBarcode.h"

#include <functional>

class NKDAbstractUPCEANBarcode : public NKDBarcode {
public:
    // The L pattern of a digit.
    QString _encodeChar(char c) const override;
    QString initiator() const override { return QStringLiteral("101"); }
    QString terminator() const override { return QStringLiteral("101"); }
    // 1.2 times the modules' width (room for the outside digits); 0 for no content.
    void calculateWidth() override;
    float firstBar() const override { return 0.1f * width(); }
    float lastBar() const override { return 0.9f * width() - barWidth(); }
    int digitsToLeft() const override { return 1; }
    int digitsToRight() const override { return 1; }
    QString rightCaption() const override;
    // Long bars start 3.6 points above the base line, the others above the caption.
    float barBottom(int position) const override;
    // Modulo 10 over 11 digits, weights 3, 1, 3, ... from the rightmost.
    void generateChecksum() override;

    static QString rightHand(const QString &pattern);
    static QString evenParity(const QString &pattern);
    // The modulo-10 check character of the digits.
    static char checkCharacter(const QByteArray &digits);

protected:
    virtual bool isLongBar(int position, int moduleCount) const;
    // The digits' L patterns, the even-parity form where even(1-based position) holds.
    QString leftHalf(const QByteArray &digits, const std::function<bool(int)> &even = {}) const;
    // The digits' and then the check digit's R patterns.
    QString rightHalf(const QByteArray &digits) const;
    static bool allDigits(const QByteArray &text);
};

class NKDEAN13Barcode : public NKDAbstractUPCEANBarcode {
public:
    QString barcode() const override;
    int digitsToRight() const override { return 0; }
    QString rightCaption() const override { return {}; }
    QString caption() const override;
    void generateChecksum() override;
    // True when the first digit makes the digit at the position (1-6) even parity.
    static bool _parityForSystemDigit(char first, int position);

protected:
    // The digits before the check digit: 12.
    virtual int dataDigits() const { return 12; }
    // dataDigits() digits get their check digit; one more is taken as the check digit.
    void init(const QString &content, bool printsCaption) override;
    // dataDigits() digits whose check digit matches.
    bool contentAccepted() const override;
};

class NKDEAN8Barcode : public NKDEAN13Barcode {
public:
    QString barcode() const override;
    int digitsToLeft() const override { return 0; }
    QString caption() const override;

protected:
    int dataDigits() const override { return 7; }
    bool isLongBar(int position, int moduleCount) const override;
};

class NKDUPCABarcode : public NKDAbstractUPCEANBarcode {
public:
    QString barcode() const override;
    QString caption() const override;

protected:
    // 11 digits get their check digit; a 12th is the check digit (kept in the content).
    void init(const QString &content, bool printsCaption) override;
    bool contentAccepted() const override;
};

class NKDUPCEBarcode : public NKDUPCABarcode {
public:
    // The six-digit UPC-E body of a 12-digit UPC-A number, empty when it does not
    // compress (or is shorter than 12 characters).
    static QString UPCAToUPCE(const QString &upca);
    // The 11 UPC-A digits that a number system and six-digit body stand for.
    static QString UPCEToUPCA(const QString &numberSystemAndBody);

    QString barcode() const override;
    QString terminator() const override { return QStringLiteral("010101"); }
    QString caption() const override;
    // True when the body digit at the position (1-6) takes the even-parity form.
    bool parityForDigit(int position) const;
    void generateChecksum() override;

protected:
    // Number system and six digits (an 8th digit must be their check digit), or 11 or
    // 12 UPC-A digits compressed to that form.
    void init(const QString &content, bool printsCaption) override;
    bool contentAccepted() const override;
    bool isLongBar(int position, int moduleCount) const override;

private:
    bool m_inputValid = true;
};
