#include "UPCEANBarcodes.h"

#include <algorithm>

namespace {

const char *const kLeftOdd[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                "0110001", "0101111", "0111011", "0110111", "0001011"};

// EAN-13 first digit: 'G' where the digit at positions 1-6 takes the even form.
const char *const kEan13Parity[] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                    "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

// UPC-E, number system 0, by check digit: 'E' even form, 'O' odd form.
const char *const kUpceParity[] = {"EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
                                   "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

const QString kCentreGuard = QStringLiteral("01010");

// The check character as text; none while there is none.
QString checkText(int check) { return check < 0 ? QString() : QString(QChar(char16_t(check))); }

} // namespace

QString NKDAbstractUPCEANBarcode::_encodeChar(char c) const
{
    return isDigit(c) ? QString::fromLatin1(kLeftOdd[c - '0']) : QString();
}

QString NKDAbstractUPCEANBarcode::rightHand(const QString &pattern)
{
    QString s = pattern;
    for (QChar &c : s) c = c == u'0' ? u'1' : u'0';
    return s;
}

QString NKDAbstractUPCEANBarcode::evenParity(const QString &pattern)
{
    QString s = rightHand(pattern);
    std::reverse(s.begin(), s.end());
    return s;
}

bool NKDAbstractUPCEANBarcode::allDigits(const QByteArray &text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

char NKDAbstractUPCEANBarcode::checkCharacter(const QByteArray &digits)
{
    int sum = 0, weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i, weight = 4 - weight) sum += weight * (digits[i] - '0');
    return char('0' + (10 - sum % 10) % 10);
}

QString NKDAbstractUPCEANBarcode::leftHalf(const QByteArray &digits, const std::function<bool(int)> &even) const
{
    QString modules;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const QString l = _encodeChar(digits[i]);
        modules += even && even(int(i) + 1) ? evenParity(l) : l;
    }
    return modules;
}

QString NKDAbstractUPCEANBarcode::rightHalf(const QByteArray &digits) const
{
    QString modules;
    for (const char c : digits) modules += rightHand(_encodeChar(c));
    return modules + rightHand(_encodeChar(char(checkDigit())));
}

void NKDAbstractUPCEANBarcode::calculateWidth()
{
    setWidth(content().isEmpty() ? 0.0f : 1.2f * float(completeBarcode().size()) * barWidth());
}

QString NKDAbstractUPCEANBarcode::rightCaption() const
{
    return checkText(checkDigit());
}

bool NKDAbstractUPCEANBarcode::isLongBar(int p, int count) const
{
    return p < 7 || p > count - 7 || (p >= 45 && p <= 49);
}

float NKDAbstractUPCEANBarcode::barBottom(int position) const
{
    return isLongBar(position, int(completeBarcode().size())) ? 3.6f : captionHeight() * 72;
}

void NKDAbstractUPCEANBarcode::generateChecksum()
{
    const QByteArray b = bytes();
    if (b.size() == 11 && allDigits(b)) setCheckDigit(checkCharacter(b));
}

// EAN-13

void NKDEAN13Barcode::init(const QString &content, bool printsCaption)
{
    NKDAbstractUPCEANBarcode::init(content, printsCaption);
    const int digits = dataDigits();
    if (content.size() == digits + 1) {
        setCheckDigit(content.at(digits).toLatin1());
        setContent(content.left(digits));
    } else {
        generateChecksum();
    }
    calculateWidth();
}

void NKDEAN13Barcode::generateChecksum()
{
    const QByteArray b = bytes();
    if (b.size() == dataDigits() && allDigits(b)) setCheckDigit(checkCharacter(b));
}

bool NKDEAN13Barcode::contentAccepted() const
{
    const QByteArray b = bytes();
    return b.size() == dataDigits() && allDigits(b) && checkDigit() == checkCharacter(b);
}

bool NKDEAN13Barcode::_parityForSystemDigit(char first, int position)
{
    if (!isDigit(first) || position < 1 || position > 6) return false;
    return kEan13Parity[first - '0'][position - 1] == 'G';
}

QString NKDEAN13Barcode::barcode() const
{
    const QByteArray b = bytes();
    if (b.size() != 12) return {};
    return leftHalf(b.mid(1, 6), [&b](int position) { return _parityForSystemDigit(b[0], position); }) + kCentreGuard +
           rightHalf(b.mid(7, 5));
}

QString NKDEAN13Barcode::caption() const
{
    return QStringLiteral("  ") + content().mid(1, 6) + u'\t' + content().mid(7, 5) + checkText(checkDigit());
}

// EAN-8

QString NKDEAN8Barcode::barcode() const
{
    const QByteArray b = bytes();
    if (b.size() != 7) return {};
    return leftHalf(b.left(4)) + kCentreGuard + rightHalf(b.mid(4, 3));
}

QString NKDEAN8Barcode::caption() const
{
    return QStringLiteral(" ") + content().left(4) + u'\t' + content().mid(4, 3) + checkText(checkDigit());
}

bool NKDEAN8Barcode::isLongBar(int p, int count) const { return p < 4 || p > count - 4 || p == 32 || p == 34; }

// UPC-A

void NKDUPCABarcode::init(const QString &content, bool printsCaption)
{
    NKDAbstractUPCEANBarcode::init(content, printsCaption);
    if (content.size() < 12) generateChecksum();
    else setCheckDigit(content.at(11).toLatin1());
    calculateWidth();
}

bool NKDUPCABarcode::contentAccepted() const
{
    const QByteArray b = bytes();
    if ((b.size() != 11 && b.size() != 12) || !allDigits(b)) return false;
    return checkDigit() == checkCharacter(b.left(11)) && (b.size() == 11 || b[11] == checkDigit());
}

QString NKDUPCABarcode::barcode() const
{
    const QByteArray b = bytes();
    if (b.size() < 11) return {};
    return leftHalf(b.left(6)) + kCentreGuard + rightHalf(b.mid(6, 5));
}

QString NKDUPCABarcode::caption() const { return content().mid(1, 5) + u'\t' + content().mid(6, 5); }

// UPC-E

QString NKDUPCEBarcode::UPCAToUPCE(const QString &upca)
{
    if (upca.size() < 12) return {};
    const QString d = upca;
    const auto zeros = [&d](int from, int to) {
        for (int i = from; i <= to; ++i)
            if (d[i] != u'0') return false;
        return true;
    };
    const QString d345 = d.mid(3, 3);
    if ((d345 == u"000" || d345 == u"100" || d345 == u"200") && zeros(6, 7))
        return d.mid(1, 2) + d.mid(8, 3) + d[3];
    if (zeros(4, 5) && zeros(6, 8)) return d.mid(1, 3) + d.mid(9, 2) + u'3';
    if (zeros(5, 5) && zeros(6, 9)) return d.mid(1, 4) + d[10] + u'4';
    if (zeros(6, 9) && d[10] >= u'5' && d[10] <= u'9') return d.mid(1, 5) + d[10];
    return {};
}

QString NKDUPCEBarcode::UPCEToUPCA(const QString &e)
{
    if (e.size() != 7) return {};
    const QString ns = e.left(1), b = e.mid(1);
    switch (b[5].unicode()) {
    case '0':
    case '1':
    case '2': return ns + b.left(2) + b[5] + QStringLiteral("0000") + b.mid(2, 3);
    case '3': return ns + b.left(3) + QStringLiteral("00000") + b.mid(3, 2);
    case '4': return ns + b.left(4) + QStringLiteral("00000") + b[4];
    default: return ns + b.left(5) + QStringLiteral("0000") + b[5];
    }
}

void NKDUPCEBarcode::init(const QString &content, bool printsCaption)
{
    NKDBarcode::init(content, printsCaption);
    m_inputValid = Barcode_Is_Ascii(content) && allDigits(content.toLatin1());
    QString text = content;
    if ((text.size() == 11 || text.size() == 12) && m_inputValid) {
        const QByteArray upca = text.left(11).toLatin1();
        const char check = checkCharacter(upca);
        if (text.size() == 12 && text.at(11) != QChar(check)) m_inputValid = false;
        const QString body = UPCAToUPCE(QString::fromLatin1(upca) + QChar(check));
        if (body.isEmpty()) m_inputValid = false;
        text = text.left(1) + body;
    }
    setContent(text.left(7));
    generateChecksum();
    if (text.size() == 8 && (checkDigit() < 0 || text.at(7).unicode() != checkDigit())) m_inputValid = false;
    if (text.size() != 7 && text.size() != 8) m_inputValid = false;
    calculateWidth();
}

void NKDUPCEBarcode::generateChecksum()
{
    const QString upca = UPCEToUPCA(content());
    if (upca.size() == 11 && allDigits(upca.toLatin1())) setCheckDigit(checkCharacter(upca.toLatin1()));
}

bool NKDUPCEBarcode::contentAccepted() const
{
    const QByteArray b = bytes();
    return m_inputValid && b.size() == 7 && (b[0] == '0' || b[0] == '1') && checkDigit() != -1;
}

bool NKDUPCEBarcode::parityForDigit(int position) const
{
    const int check = checkDigit() - '0';
    if (check < 0 || check > 9 || position < 1 || position > 6) return false;
    const bool even = kUpceParity[check][position - 1] == 'E';
    return content().startsWith(u'1') ? !even : even;
}

QString NKDUPCEBarcode::barcode() const
{
    const QByteArray b = bytes();
    if (b.size() != 7) return {};
    return leftHalf(b.mid(1, 6), [this](int position) { return parityForDigit(position); });
}

QString NKDUPCEBarcode::caption() const { return content().mid(1, 6); }

bool NKDUPCEBarcode::isLongBar(int p, int count) const { return p < 7 || p > count - 4; }
