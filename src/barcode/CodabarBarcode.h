#pragma once
// Codabar: digits and the signs - $ : / . + between start and stop letters A-D.
#include "NKDBarcode.h"

class NKDCodabarBarcode : public NKDBarcode {
public:
    // The character's modules, empty outside the set.
    QString _encodeChar(char c) const override;
    // Start letter, stop letter and the characters between, with one narrow space
    // between characters. A content without letters is framed by "A" ... "A"; with only
    // a start or only a stop letter the other is the same letter.
    QString initiator() const override;
    QString terminator() const override;
    QString barcode() const override;

protected:
    // A lone letter, or a letter anywhere but first or last, is refused.
    bool contentAccepted() const override;

private:
    struct Framed {
        char start = 'A', stop = 'A';
        QByteArray data;
    };
    Framed framed() const;
};
