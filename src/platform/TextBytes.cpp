#include "TextBytes.h"

#include <QStringDecoder>

QChar Windows_1252_Char(unsigned char byte)
{
    // 0x80 to 0x9F differ from Latin-1; 0x81, 0x8D, 0x8F, 0x90 and 0x9D are unused.
    static constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (byte >= 0x80 && byte < 0xA0) return QChar(kHigh[byte - 0x80]);
    return QChar(char16_t(byte));
}

namespace {

// UTF-16 text with every half of a pair that has no other half as U+FFFD, so the text
// can be written as UTF-8 and read back the same.
QString pairedUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding)
{
    QString text = QStringDecoder(encoding).decode(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        else if (c.isSurrogate()) text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

QString Decode_Text_Bytes(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE")) return pairedUtf16(QByteArrayView(bytes).sliced(2), QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF")) return pairedUtf16(QByteArrayView(bytes).sliced(2), QStringDecoder::Utf16BE);
    const QByteArrayView body = bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError()) return text;
    text.resize(body.size());
    QChar *out = text.data();
    for (const char c : body) *out++ = Windows_1252_Char(static_cast<unsigned char>(c));
    return text;
}

QStringList Split_Text_Lines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') continue;
        lines << text.mid(start, i - start).toString();
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    lines << text.mid(start).toString();
    return lines;
}
