#pragma once
// The Japan Post four-state customer barcode: 20 code characters of three bars each
// and a modulo-19 check character between start and stop codes. The content keeps
// the readable text; the code string is what the bars carry.
#include "FourStateBarcode.h"

class JapanPostBarcode : public FourStateBarcode {
public:
    QString japanpostContents() const { return m_codes; }
    // The symbol size in points (8.5 to 11.5, 10 when made); the bar width is a sixth
    // of it. The drawing height is set apart with setHeight.
    float symbolSize() const { return m_symbolSize; }
    void setSymbolSize(float size);
    // Clamped to 4/3 ... 11.5/6 points; sets the symbol size to six times it.
    void setBarWidth(float width) override;

    QString initiator() const override { return QStringLiteral("1010"); }
    QString terminator() const override { return QStringLiteral("101"); }
    QString _encodeChar(char) const override { return QStringLiteral("101010"); }
    QString barcode() const override;
    int _barDescriptor(int position) const override;
    void generateChecksum() override;

protected:
    // Upper-cases the text; letters become a control code and a digit, digits and
    // hyphens stay, anything else is dropped; the codes are filled or cut to 20.
    void init(const QString &content, bool printsCaption) override;
    // The readable text starts with seven digits.
    bool contentAccepted() const override;
    // 3.6, 2.4 and 1.2 mm for a symbol size of 10 points, in proportion to it.
    float fullTop() const override;
    float trackerTop() const override;
    float trackerBottom() const override;

private:
    QString m_codes;
    float m_symbolSize = 10;
};
