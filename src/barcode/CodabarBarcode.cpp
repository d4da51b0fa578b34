#include "CodabarBarcode.h"

namespace {

bool isLetter(char c) { return c >= 'A' && c <= 'D'; }

} // namespace

QString NKDCodabarBarcode::_encodeChar(char c) const
{
    switch (c) {
    case '0': return QStringLiteral("101010011");
    case '1': return QStringLiteral("101011001");
    case '2': return QStringLiteral("101001011");
    case '3': return QStringLiteral("110010101");
    case '4': return QStringLiteral("101101001");
    case '5': return QStringLiteral("110101001");
    case '6': return QStringLiteral("100101011");
    case '7': return QStringLiteral("100101101");
    case '8': return QStringLiteral("100110101");
    case '9': return QStringLiteral("110100101");
    case '-': return QStringLiteral("101001101");
    case '$': return QStringLiteral("101100101");
    case ':': return QStringLiteral("1101011011");
    case '/': return QStringLiteral("1101101011");
    case '.': return QStringLiteral("1101101101");
    case '+': return QStringLiteral("1011011011");
    case 'A': return QStringLiteral("1011001001");
    case 'B': return QStringLiteral("1001001011");
    case 'C': return QStringLiteral("1010010011");
    case 'D': return QStringLiteral("1010011001");
    default: return {};
    }
}

NKDCodabarBarcode::Framed NKDCodabarBarcode::framed() const
{
    Framed f;
    f.data = bytes();
    const bool first = !f.data.isEmpty() && isLetter(f.data.front());
    const bool last = f.data.size() > 1 && isLetter(f.data.back());
    if (first) f.start = f.stop = f.data.front();
    if (last) {
        f.stop = f.data.back();
        if (!first) f.start = f.stop;
    }
    f.data = f.data.mid(first ? 1 : 0, f.data.size() - (first ? 1 : 0) - (last ? 1 : 0));
    return f;
}

bool NKDCodabarBarcode::contentAccepted() const
{
    const QByteArray b = bytes();
    if (b.size() == 1 && isLetter(b[0])) return false;
    for (char c : framed().data)
        if (isLetter(c) || _encodeChar(c).isEmpty()) return false;
    return true;
}

QString NKDCodabarBarcode::initiator() const { return _encodeChar(framed().start) + u'0'; }

QString NKDCodabarBarcode::terminator() const { return _encodeChar(framed().stop); }

QString NKDCodabarBarcode::barcode() const
{
    QString modules;
    for (char c : framed().data) modules += _encodeChar(c) + u'0';
    return modules;
}
