#include "ListImport.h"

#include "Helpers.h"
#include "Paths.h"
#include "TextBytes.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace ListImport {

QString Decode_Text(const QByteArray &bytes) { return Decode_Text_Bytes(bytes); }

namespace {

// Windows-1252 for \'hh; its five unused bytes as U+FFFD.
QChar cp1252(unsigned char b)
{
    const QChar c = Windows_1252_Char(b);
    return c.unicode() >= 0x80 && c.unicode() < 0xA0 ? QChar(QChar::ReplacementCharacter) : c;
}

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c)
{
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Groups whose text is not part of the document.
// The character a control word stands for; a null character for any other word.
QChar symbolOfWord(const QByteArray &word)
{
    static const std::pair<const char *, char16_t> symbols[] = {
        {"emdash", 0x2014}, {"endash", 0x2013},    {"lquote", 0x2018}, {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},
    };
    for (const auto &[name, symbol] : symbols)
        if (word == name) return QChar(symbol);
    return QChar();
}

bool skippedDestination(const QByteArray &word)
{
    static const char *const names[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer",
                                        "headerl", "headerr", "footerl", "footerr", "listtable", "listoverridetable",
                                        "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata", "datastore",
                                        "latentstyles", "object", "filetbl", "fldinst"};
    return std::any_of(std::begin(names), std::end(names), [&](const char *n) { return word == n; });
}

} // namespace

QString Rtf_To_Text(const QByteArray &bytes)
{
    if (!bytes.startsWith("{\\rtf")) return Decode_Text(bytes);
    struct State {
        bool skip = false;
        int uc = 1;
    };
    std::vector<State> stack{State{}};
    QString out;
    int pendingSkip = 0;  // fallback characters still to drop after a \uN
    const qsizetype n = bytes.size();
    auto put = [&](QChar c) {
        if (!stack.back().skip) out += c;
    };
    for (qsizetype i = 0; i < n;) {
        const char c = bytes[i];
        if (c == '{') {
            if (stack.size() > 10000) break;  // too deep to be a document
            stack.push_back(stack.back());
            pendingSkip = 0;
            ++i;
            // A "\*" destination is dropped whole.
            if (i + 1 < n && bytes[i] == '\\' && bytes[i + 1] == '*') stack.back().skip = true;
            continue;
        }
        if (c == '}') {
            if (stack.size() > 1) stack.pop_back();
            pendingSkip = 0;
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if (pendingSkip > 0) --pendingSkip;
            else put(QChar(char16_t(static_cast<unsigned char>(c))));
            ++i;
            continue;
        }
        // A control symbol or word.
        ++i;
        if (i >= n) break;
        const char s = bytes[i];
        if (!isAlpha(s)) {
            ++i;
            if (s == '\'') {
                const int h1 = i < n ? hexValue(bytes[i]) : -1, h2 = i + 1 < n ? hexValue(bytes[i + 1]) : -1;
                if (h1 >= 0 && h2 >= 0) {
                    i += 2;
                    if (pendingSkip > 0) --pendingSkip;
                    else put(cp1252(static_cast<unsigned char>(h1 * 16 + h2)));
                }
            } else if (s == '\\' || s == '{' || s == '}') {
                if (pendingSkip > 0) --pendingSkip;
                else put(QChar(char16_t(s)));
            } else if (s == '~') {
                put(QChar(0xA0));
            } else if (s == '\r' || s == '\n') {
                put(u'\n');
            }
            continue;
        }
        const qsizetype start = i;
        while (i < n && isAlpha(bytes[i]) && i - start < 32) ++i;
        const QByteArray word = bytes.mid(start, i - start);
        bool hasParam = false;
        qint64 param = 0;
        bool negative = false;
        if (i < n && bytes[i] == '-' && i + 1 < n && isDigit(bytes[i + 1])) {
            negative = true;
            ++i;
        }
        const qsizetype digits = i;
        while (i < n && isDigit(bytes[i]) && i - digits < 10) {
            param = param * 10 + (bytes[i] - '0');
            hasParam = true;
            ++i;
        }
        while (i < n && isDigit(bytes[i])) ++i;  // an absurd number is cut
        if (negative) param = -param;
        if (i < n && bytes[i] == ' ') ++i;
        if (word == "par" || word == "line" || word == "row" || word == "sect" || word == "page") {
            put(u'\n');
        } else if (word == "tab" || word == "cell") {
            put(u'\t');
        } else if (word == "uc" && hasParam) {
            stack.back().uc = int(std::clamp<qint64>(param, 0, 10));
        } else if (word == "u" && hasParam) {
            const bool fits = param >= -32768 && param <= 65535;
            put(fits ? QChar(char16_t(param < 0 ? param + 65536 : param)) : QChar(QChar::ReplacementCharacter));
            pendingSkip = stack.back().uc;
        } else if (const QChar symbol = symbolOfWord(word); !symbol.isNull()) {
            put(symbol);
        } else if (skippedDestination(word)) {
            stack.back().skip = true;
        }
    }
    // Lone surrogate halves from \uN are not characters of any value.
    QString clean;
    clean.reserve(out.size());
    for (qsizetype k = 0; k < out.size(); ++k) {
        const QChar ch = out.at(k);
        if (ch.isHighSurrogate() && k + 1 < out.size() && out.at(k + 1).isLowSurrogate()) {
            clean += ch;
            clean += out.at(++k);
        } else if (!ch.isSurrogate()) {
            clean += ch;
        }
    }
    return clean;
}

QStringList Split_Lines(const QString &text) { return Split_Text_Lines(text); }

QString Clean_Line(const QString &line)
{
    QString out = line;
    out.remove(u'\\').remove(u'{').remove(u'}');
    return Trim_Str(out);
}

QStringList Text_Values(const QString &text)
{
    QStringList values;
    for (const QString &line : Split_Lines(text)) {
        const QString value = Clean_Line(line);
        if (value.contains(QLatin1String("NSFont = "))) break;
        if (!value.isEmpty()) values << value;
    }
    return values;
}

QList<QStringList> Csv_Records(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;      // inside quotes
    bool fieldStart = true;   // nothing of the field read yet
    bool any = false;         // the record holds something
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && fieldStart) {
            quoted = true;
            fieldStart = false;
            any = true;
        } else if (c == u',') {
            record << field;
            field.clear();
            fieldStart = true;
            any = true;
        } else if (c == u'\r' || c == u'\n') {
            if (any || !field.isEmpty()) {
                record << field;
                records << record;
            }
            record.clear();
            field.clear();
            fieldStart = true;
            any = false;
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
        } else {
            field += c;
            fieldStart = false;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        record << field;
        records << record;
    }
    return records;
}

QStringList Csv_Values(const QString &text)
{
    QStringList values;
    for (const QStringList &record : Csv_Records(text)) {
        for (const QString &field : record) {
            const QString value = Clean_Line(field);
            if (value.contains(QLatin1String("NSFont = "))) break;
            if (!value.isEmpty()) values << value;
        }
    }
    return values;
}

QString File_Text(const QString &fileName, const QByteArray &bytes)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    return ext == QLatin1String("rtf") ? Rtf_To_Text(bytes) : Decode_Text(bytes);
}

QStringList File_Values(const QString &fileName, const QByteArray &bytes)
{
    const QString text = File_Text(fileName, bytes);
    if (QFileInfo(fileName).suffix().toLower() == QLatin1String("csv")) return Csv_Values(text);
    return Text_Values(text);
}

QStringList Pasted_Lines(const QString &text)
{
    QStringList lines;
    for (const QString &line : Split_Lines(Trim_Str(text)))
        if (!line.isEmpty()) lines << line;
    return lines;
}

QStringList Image_Extensions()
{
    return {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"), QStringLiteral("jfif"),
            QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("png"), QStringLiteral("tif"),
            QStringLiteral("tiff")};
}

QStringList Image_Folder_Values(const QString &folder)
{
    QStringList values;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return values;
    const QStringList extensions = Image_Extensions();
    QDir dir(folder);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!fi.isFile() || !extensions.contains(fi.suffix().toLower())) continue;
        values << Path_Join(dir.path(), fi.fileName());
    }
    return values;
}

} // namespace ListImport
