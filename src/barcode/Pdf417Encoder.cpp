#include "Pdf417Encoder.h"
#include "BarcodeSizes.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const Pdf417Pattern kPatterns[] = {
#include "Pdf417Clusters.inc"
};

enum SubMode { Alpha = 1, Lower = 2, Mixed = 4, Punctuation = 8, Byte = 16 };

const char kMixed[] = "0123456789&\r\t,:#-.$/+%*=^";
const char kPunctuation[] = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";

struct Segment {
    char kind;  // 'T' text, 'B' byte, 'N' numeric
    int start, end;
    int length() const { return end - start; }
};

bool isTextByte(uint8_t c) { return (c >= 32 && c <= 126) || c == 13 || c == 10 || c == 9; }
bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

void cutTextAndBytes(std::vector<Segment> &segments, const QByteArray &text, int from, int to)
{
    for (int i = from; i < to;) {
        const bool textClass = isTextByte(uint8_t(text[i]));
        int j = i;
        while (j < to && isTextByte(uint8_t(text[j])) == textClass) ++j;
        segments.push_back({textClass ? 'T' : 'B', i, j});
        i = j;
    }
}

// Numeric runs of 13 digits or more, text and byte runs between them, then the merges
// that shorten the codeword stream.
std::vector<Segment> breakString(const QByteArray &text)
{
    std::vector<Segment> s;
    const int n = int(text.size());
    int last = 0;
    for (int i = 0; i < n;) {
        if (!isDigit(uint8_t(text[i]))) {
            ++i;
            continue;
        }
        int j = i;
        while (j < n && isDigit(uint8_t(text[j]))) ++j;
        if (j - i >= 13) {
            cutTextAndBytes(s, text, last, i);
            s.push_back({'N', i, j});
            last = j;
        }
        i = j;
    }
    cutTextAndBytes(s, text, last, n);
    auto kindAt = [&](int k, char kind) { return k >= 0 && k < int(s.size()) && s[k].kind == kind; };
    for (int k = 0; k < int(s.size()); ++k)
        if (s[k].kind == 'B' && s[k].length() == 1 && kindAt(k - 1, 'T') && kindAt(k + 1, 'T') &&
            s[k - 1].length() + s[k + 1].length() >= 3) {
            s[k - 1].end = s[k + 1].end;
            s.erase(s.begin() + k, s.begin() + k + 2);
            k = -1;
        }
    // A long text run takes in a single byte and text on either side; then a byte run takes
    // in short text and bytes on either side.
    for (const char kind : {'T', 'B'}) {
        auto absorbs = [&](int k) {
            if (kind == 'T') return kindAt(k, 'T') || (kindAt(k, 'B') && s[k].length() == 1);
            return kindAt(k, 'B') || (kindAt(k, 'T') && s[k].length() < 5);
        };
        for (int k = 0; k < int(s.size()); ++k) {
            if (s[k].kind != kind || (kind == 'T' && s[k].length() < 5)) continue;
            bool again = false;
            if (absorbs(k - 1)) {
                s[k].start = s[k - 1].start;
                s.erase(s.begin() + k - 1);
                --k;
                again = true;
            }
            if (absorbs(k + 1)) {
                s[k].end = s[k + 1].end;
                s.erase(s.begin() + k + 1);
                again = true;
            }
            if (again) k = -1;
        }
    }
    if (s.size() == 1 && s[0].kind == 'T' && s[0].length() >= 8 &&
        std::all_of(text.begin(), text.end(), [](char c) { return isDigit(uint8_t(c)); }))
        s[0].kind = 'N';
    return s;
}

struct Writer {
    std::vector<int> codewords{0};  // codeword 0: the length descriptor
    int error = 0;
    bool room(size_t count)
    {
        if (codewords.size() + count > 926) error = 1;  // codeword 0 included
        return error == 0;
    }
};

// Sub-modes and value of the byte at i; none past the end.
int textType(const QByteArray &text, int i, int end, int &value)
{
    if (i >= end) return 0;
    const uint8_t c = uint8_t(text[i]);
    if (c >= 'A' && c <= 'Z') return value = c - 'A', Alpha;
    if (c >= 'a' && c <= 'z') return value = c - 'a', Lower;
    if (c == ' ') return value = 26, Alpha | Lower | Mixed;
    const char *m = c ? static_cast<const char *>(std::memchr(kMixed, c, sizeof kMixed - 1)) : nullptr;
    const char *p = c ? static_cast<const char *>(std::memchr(kPunctuation, c, sizeof kPunctuation - 1)) : nullptr;
    if (m && p && m - kMixed == p - kPunctuation) return value = int(m - kMixed), Mixed | Punctuation;
    if (m) return value = int(m - kMixed), Mixed;
    if (p) return value = int(p - kPunctuation), Punctuation;
    return value = c, Byte;
}

void textCompaction(Writer &w, const QByteArray &text, const Segment &s)
{
    std::vector<int> v;
    int mode = Alpha, shifts = 0, value = 0, ignored = 0;
    auto next2 = [&](int k, int type) {
        return (textType(text, k + 1, s.end, ignored) & textType(text, k + 2, s.end, ignored) & type) != 0;
    };
    for (int k = s.start; k < s.end; ++k) {
        const int type = textType(text, k, s.end, value);
        if (type & mode) {
            v.push_back(value);
        } else if (type & Byte) {
            if (v.size() % 2) {
                v.push_back(29);
                if (mode == Punctuation) mode = Alpha;
            }
            v.insert(v.end(), {913, value});
            shifts += 2;
        } else if (mode == Punctuation) {
            v.push_back(29);
            mode = Alpha;
            --k;
        } else if ((type & Lower) && mode != Lower) {
            v.insert(v.end(), {27, value});
            mode = Lower;
        } else if ((type & Alpha) && mode == Lower) {
            if (next2(k, Alpha)) v.insert(v.end(), {28, 28, value}), mode = Alpha;
            else v.insert(v.end(), {27, value});
        } else if ((type & Alpha) && mode == Mixed) {
            v.insert(v.end(), {28, value});
            mode = Alpha;
        } else if (type & Mixed) {
            v.insert(v.end(), {28, value});
            mode = Mixed;
        } else if (next2(k, Punctuation)) {
            if (mode == Mixed) v.insert(v.end(), {25, value});
            else v.insert(v.end(), {28, 25, value});
            mode = Punctuation;
        } else {
            v.insert(v.end(), {29, value});
        }
    }
    if (v.size() % 2) v.push_back(29);
    if (!w.room((v.size() + shifts) / 2)) return;
    for (size_t k = 0; k + 1 < v.size(); k += 2) {
        if (v[k] >= 30) {
            w.codewords.push_back(v[k]);
            w.codewords.push_back(v[k + 1]);
        } else {
            w.codewords.push_back(v[k] * 30 + v[k + 1]);
        }
    }
}

void numberCompaction(Writer &w, const QByteArray &text, const Segment &s)
{
    const int n = s.length(), full = n / 44, rest = n % 44;
    if (!w.room(size_t(full) * 15 + (rest ? rest / 3 + 1 : 0))) return;
    for (int at = s.start; at < s.end; at += 44) {
        const int r = std::min(44, s.end - at);
        std::vector<int> places(r / 3 + 1, 0);
        for (int i = -1; i < r; ++i) {
            int carry = i < 0 ? 1 : text[at + i] - '0';
            for (int p = int(places.size()) - 1; p >= 0; --p) {
                const int t = places[p] * 10 + carry;
                places[p] = t % 900;
                carry = t / 900;
            }
        }
        w.codewords.insert(w.codewords.end(), places.begin(), places.end());
    }
}

void byteCompaction(Writer &w, const QByteArray &text, const Segment &s)
{
    const int n = s.length();
    if (!w.room(size_t(n / 6) * 5 + n % 6)) return;
    int at = s.start;
    for (; at + 6 <= s.end; at += 6) {
        uint64_t number = 0;
        for (int i = 0; i < 6; ++i) number = number << 8 | uint8_t(text[at + i]);
        int group[5];
        for (int i = 4; i >= 0; --i, number /= 900) group[i] = int(number % 900);
        w.codewords.insert(w.codewords.end(), group, group + 5);
    }
    for (; at < s.end; ++at) w.codewords.push_back(uint8_t(text[at]));
}

int maxPossibleLevel(int space)
{
    for (int level = 8; level > 0; --level)
        if ((2 << level) <= space) return level;
    return 0;
}

// Check codewords: the data times x^k modulo (x - 3)(x - 3^2)...(x - 3^k) over GF(929).
std::vector<int> checkCodewords(const std::vector<int> &data, int level)
{
    const int k = 2 << level;
    std::vector<int> g{1};  // lowest degree first
    for (int i = 1, root = 3; i <= k; ++i, root = root * 3 % 929) {
        std::vector<int> next(g.size() + 1, 0);
        for (size_t j = 0; j < g.size(); ++j) {
            next[j + 1] = (next[j + 1] + g[j]) % 929;
            next[j] = (next[j] + 929 - g[j] * root % 929) % 929;
        }
        g = next;
    }
    std::vector<int> e(k, 0);
    for (int d : data) {
        const int t1 = (d + e[0]) % 929;
        for (int j = 0; j < k; ++j) e[j] = ((j + 1 < k ? e[j + 1] : 0) + 929 - t1 * g[k - 1 - j] % 929) % 929;
    }
    for (int &c : e) c = (929 - c) % 929;
    return e;
}

} // namespace

const Pdf417Pattern &PDF417_Pattern(int cluster, int codeword)
{
    return kPatterns[cluster / 3 * 929 + codeword];
}

Pdf417_Level PDF417_Level_From_Index(int value) { return Pdf417_Level(std::clamp(value, 0, 8)); }

Pdf417Symbol Encode_PDF417(const QByteArray &bytes, Pdf417_Level chosen, double aspectRatio)
{
    int level = int(chosen);
    Pdf417Symbol symbol;
    if (bytes.isEmpty() || bytes.size() > 5420) {
        symbol.error = bytes.isEmpty() ? 2 : 1;
        return symbol;
    }
    Writer w;
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) >= 0x80; }))
        w.codewords.insert(w.codewords.end(), {927, 26});
    const std::vector<Segment> segments = breakString(bytes);
    for (size_t k = 0; k < segments.size() && !w.error; ++k) {
        const Segment &s = segments[k];
        if (s.kind == 'B') {
            w.codewords.push_back(s.length() % 6 == 0 ? 924 : 901);
            byteCompaction(w, bytes, s);
        } else if (s.kind == 'N') {
            w.codewords.push_back(902);
            numberCompaction(w, bytes, s);
        } else {
            if (k > 0) w.codewords.push_back(900);
            textCompaction(w, bytes, s);
        }
    }
    if (w.error) {
        symbol.error = w.error;
        return symbol;
    }
    const int length = int(w.codewords.size());
    if (level < 0) level = length < 41 ? 2 : length <= 160 ? 3 : length <= 320 ? 4 : 5;
    level = std::min(level, maxPossibleLevel(928 - length));
    const int needed = length + (2 << level);
    const double a = std::clamp(aspectRatio, 0.001, 1000.0);
    const float b = float(73 * a - 4);
    const double c = (-b + std::sqrt(double(b) * b + 68 * a * needed * 3.0)) / (34 * a);
    int columns = std::clamp(int(c + 0.5), 1, 30);
    int rows = (needed - 1) / columns + 1;
    if (rows < 3) rows = 3;
    if (rows > 90) rows = 90, columns = (needed - 1) / 90 + 1;
    int total = rows * columns;
    if (total > 928) {
        if (columns < 22) columns = 16, rows = 58;
        else columns = 29, rows = 32;
        total = 928;
    }
    level = maxPossibleLevel(total - length);
    w.codewords.resize(total - (2 << level), 900);
    w.codewords[0] = int(w.codewords.size());
    const std::vector<int> check = checkCodewords(w.codewords, level);
    w.codewords.insert(w.codewords.end(), check.begin(), check.end());

    symbol.rows = rows;
    symbol.columns = columns;
    symbol.level = level;
    symbol.codewords = w.codewords;
    symbol.bitColumns = 17 * (columns + 3) + 18;
    for (int r = 0; r < rows; ++r) {
        std::vector<uint8_t> row;
        auto put = [&row](int modules, int count) {
            for (int i = count - 1; i >= 0; --i) row.push_back((modules >> i) & 1);
        };
        const int cluster = r % 3 * 3, q = 30 * (r / 3);
        const int rowsPart = q + (rows - 1) / 3, levelPart = q + 3 * level + (rows - 1) % 3, columnsPart = q + columns - 1;
        const int left = cluster == 0 ? rowsPart : cluster == 3 ? levelPart : columnsPart;
        const int right = cluster == 0 ? columnsPart : cluster == 3 ? rowsPart : levelPart;
        put(0x1fea8, 17);
        put(PDF417_Pattern(cluster, left).modules, 17);
        for (int k = 0; k < columns; ++k) put(PDF417_Pattern(cluster, symbol.codewords[r * columns + k]).modules, 17);
        put(PDF417_Pattern(cluster, right).modules, 17);
        put(0x3fa29, 18);
        symbol.modules.push_back(std::move(row));
    }
    return symbol;
}

Picture PDF417_Picture(const QString &text, Pdf417_Level level, QSizeF size, double dpi)
{
    const std::optional<QSize> pixels = Barcode_Pixel_Size(size, dpi);
    if (text.isEmpty() || !pixels) return {};
    const Pdf417Symbol symbol = Encode_PDF417(text.toUtf8(), level, 1.0);
    if (symbol.error) return {};
    const int width = pixels->width(), height = pixels->height();
    QImage image(width, height, QImage::Format_Grayscale8);
    if (image.isNull()) return {};
    for (int y = 0; y < height; ++y) {
        const std::vector<uint8_t> &row = symbol.modules[size_t(y) * symbol.rows / height];
        uint8_t *line = image.scanLine(y);
        for (int x = 0; x < width; ++x) line[x] = row[size_t(x) * symbol.bitColumns / width] ? 0 : 255;
    }
    return Picture(image, size);
}
