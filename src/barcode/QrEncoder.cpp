#include "QrEncoder.h"
#include "BarcodeSizes.h"
#include "QrMask.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

enum Mode { Numeric, Alphanumeric, Byte };

const char kAlphanumerics[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

int alphanumericValue(char c)
{
    const char *p = std::find(kAlphanumerics, kAlphanumerics + 45, c);
    return p == kAlphanumerics + 45 ? -1 : int(p - kAlphanumerics);
}

Mode modeOf(char c)
{
    return c >= '0' && c <= '9' ? Numeric : alphanumericValue(c) >= 0 ? Alphanumeric : Byte;
}

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) < 0x80; });
}

int versionGroup(int version) { return version < 10 ? 0 : version < 27 ? 1 : 2; }

int countBits(Mode mode, int group)
{
    static const int bits[3][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}};
    return bits[mode][group];
}

// A run of the text written in one mode.
struct Segment {
    Mode mode;
    int length;
};

// The bits of a segment: mode indicator, character count and data.
int segmentBits(Mode mode, int length, int group)
{
    const int header = 4 + countBits(mode, group);
    switch (mode) {
    case Numeric: return header + length / 3 * 10 + (length % 3 == 2 ? 7 : length % 3 == 1 ? 4 : 0);
    case Alphanumeric: return header + length / 2 * 11 + length % 2 * 6;
    default: return header + length * 8;
    }
}
int segmentBits(const Segment &s, int group) { return segmentBits(s.mode, s.length, group); }

// Joins segment i + 1 into segment i, in the mode given.
void join(std::vector<Segment> &segments, size_t i, Mode mode)
{
    segments[i] = {mode, segments[i].length + segments[i + 1].length};
    segments.erase(segments.begin() + std::ptrdiff_t(i) + 1);
}

// The text cut into runs of one mode each, then neighbours merged where the merged
// stream is shorter: numeric and alphanumeric pairs into alphanumeric (or a run into an
// 8-bit neighbour when that costs less), then short runs between or beside 8-bit runs
// into 8-bit.
std::vector<Segment> segmentsOf(const QByteArray &bytes, int group)
{
    std::vector<Segment> s;
    for (char c : bytes) {
        const Mode mode = modeOf(c);
        if (!s.empty() && s.back().mode == mode) ++s.back().length;
        else s.push_back({mode, 1});
    }
    const auto bits = [group](Mode mode, int length) { return segmentBits(mode, length, group); };

    for (size_t i = 0; i + 1 < s.size();) {
        const Segment a = s[i], b = s[i + 1];
        const bool mixed = (a.mode == Numeric && b.mode == Alphanumeric) || (a.mode == Alphanumeric && b.mode == Numeric);
        const int merged = bits(Alphanumeric, a.length + b.length);
        if (!mixed || merged >= bits(a.mode, a.length) + bits(b.mode, b.length)) {
            ++i;
            continue;
        }
        int before = -1, after = -1;  // the cost of joining a run to its 8-bit neighbour
        if (i > 0 && s[i - 1].mode == Byte) {
            const int cost = bits(Byte, s[i - 1].length + a.length) + bits(b.mode, b.length);
            if (cost <= merged + bits(Byte, s[i - 1].length)) before = cost;
        }
        if (i + 2 < s.size() && s[i + 2].mode == Byte) {
            const int cost = bits(a.mode, a.length) + bits(Byte, b.length + s[i + 2].length);
            if (cost <= merged + bits(Byte, s[i + 2].length)) after = cost;
        }
        if (after >= 0 && (before < 0 || after <= before)) {
            s[i + 2].length += b.length;
            s.erase(s.begin() + std::ptrdiff_t(i) + 1);
        } else if (before >= 0) {
            s[i - 1].length += a.length;
            s.erase(s.begin() + std::ptrdiff_t(i));
        } else {
            join(s, i, Alphanumeric);
            if (i + 1 < s.size() && s[i + 1].mode == Alphanumeric) join(s, i, Alphanumeric);
            if (i > 0 && s[i - 1].mode == Alphanumeric) join(s, --i, Alphanumeric);
        }
    }

    const int byteHeader = 4 + countBits(Byte, group);
    for (size_t i = 0; i + 1 < s.size();) {
        const bool byteBefore = i > 0 && s[i - 1].mode == Byte;
        const bool byteAfter = i + 2 < s.size() && s[i + 2].mode == Byte;
        const int asBytes = bits(Byte, s[i].length + s[i + 1].length) - byteHeader * (int(byteBefore) + int(byteAfter));
        if (asBytes >= segmentBits(s[i], group) + segmentBits(s[i + 1], group)) {
            ++i;
            continue;
        }
        join(s, i, Byte);
        if (byteAfter) join(s, i, Byte);
        if (byteBefore) join(s, i - 1, Byte);
        i = i > 0 ? i - 1 : 0;
    }
    return s;
}

bool countsFit(const std::vector<Segment> &segments, int group)
{
    return std::all_of(segments.begin(), segments.end(),
                       [group](const Segment &s) { return s.length < (1 << countBits(s.mode, group)); });
}

int streamBits(const QByteArray &bytes, const std::vector<Segment> &segments, int group)
{
    int total = isAscii(bytes) ? 0 : 12;
    for (const Segment &s : segments) total += segmentBits(s, group);
    return total;
}

// Bits packed into bytes as they come, most significant first.
class BitStream {
public:
    void put(uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i, ++m_size) {
            if (m_size % 8 == 0) m_bytes.push_back(0);
            m_bytes.back() |= uint8_t(((value >> i) & 1) << (7 - m_size % 8));
        }
    }
    size_t size() const { return m_size; }
    // The whole bytes written.
    std::vector<uint8_t> bytes() const { return {m_bytes.begin(), m_bytes.begin() + ptrdiff_t(m_size / 8)}; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_size = 0;
};

// The segments, after the ECI designator 26 (UTF-8) when any byte is not ASCII.
void writeSegments(BitStream &bits, const QByteArray &bytes, const std::vector<Segment> &segments, int group)
{
    if (!isAscii(bytes)) bits.put(0x71a, 12);  // ECI mode 0111, designator 26
    int at = 0;
    for (const Segment &s : segments) {
        const QByteArray run = bytes.mid(at, s.length);
        at += s.length;
        bits.put(s.mode == Numeric ? 1 : s.mode == Alphanumeric ? 2 : 4, 4);
        bits.put(uint32_t(s.length), countBits(s.mode, group));
        const int n = s.length;
        if (s.mode == Numeric) {
            for (int i = 0; i < n; i += 3) {
                const int len = std::min(3, n - i);
                bits.put(run.mid(i, len).toUInt(), len * 3 + 1);
            }
        } else if (s.mode == Alphanumeric) {
            for (int i = 0; i + 1 < n; i += 2) bits.put(alphanumericValue(run[i]) * 45 + alphanumericValue(run[i + 1]), 11);
            if (n % 2) bits.put(alphanumericValue(run[n - 1]), 6);
        } else {
            for (char c : run) bits.put(uint8_t(c), 8);
        }
    }
}

// GF(256) with the primitive polynomial 0x11D.
struct Galois {
    std::array<uint8_t, 512> exp{};
    std::array<int, 256> log{};
    Galois()
    {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[i] = exp[i + 255] = uint8_t(x);
            log[x] = i;
            x <<= 1;
            if (x & 0x100) x ^= 0x11d;
        }
    }
    uint8_t mul(uint8_t a, uint8_t b) const { return a && b ? exp[log[a] + log[b]] : 0; }
};
const Galois &galois()
{
    static const Galois g;
    return g;
}

// The error-correction codewords: the data times x^count modulo the generator
// (x - a^0)...(x - a^(count-1)).
std::vector<uint8_t> reedSolomon(const uint8_t *data, int length, int count)
{
    const Galois &gf = galois();
    std::vector<uint8_t> generator(count, 0);  // coefficients below the leading 1
    generator[count - 1] = 1;
    uint8_t root = 1;
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            generator[j] = gf.mul(generator[j], root);
            if (j + 1 < count) generator[j] ^= generator[j + 1];
        }
        root = gf.mul(root, 2);
    }
    std::vector<uint8_t> remainder(count, 0);
    for (int i = 0; i < length; ++i) {
        const uint8_t factor = data[i] ^ remainder[0];
        std::rotate(remainder.begin(), remainder.begin() + 1, remainder.end());
        remainder.back() = 0;
        for (int j = 0; j < count; ++j) remainder[j] ^= gf.mul(generator[j], factor);
    }
    return remainder;
}

std::vector<uint8_t> codewords(const QByteArray &bytes, const QrVersionRow &row)
{
    BitStream bits;
    const int group = versionGroup(row.version);
    writeSegments(bits, bytes, segmentsOf(bytes, group), group);
    const size_t capacity = size_t(row.dataCodewords()) * 8;
    bits.put(0, int(std::min<size_t>(4, capacity - bits.size())));
    bits.put(0, int((8 - bits.size() % 8) % 8));
    for (uint8_t pad = 0xec; bits.size() < capacity; pad ^= 0xec ^ 0x11) bits.put(pad, 8);
    const std::vector<uint8_t> data = bits.bytes();

    std::vector<std::vector<uint8_t>> blocks, ecc;
    const int count = row.group1Blocks + row.group2Blocks;
    for (int b = 0, at = 0; b < count; ++b) {
        const int length = b < row.group1Blocks ? row.group1Data : row.group2Data;
        blocks.emplace_back(data.begin() + at, data.begin() + at + length);
        ecc.push_back(reedSolomon(data.data() + at, length, row.ecPerBlock));
        at += length;
    }
    std::vector<uint8_t> out;
    for (int k = 0; k < std::max(row.group1Data, row.group2Data); ++k)
        for (const auto &block : blocks)
            if (k < int(block.size())) out.push_back(block[k]);
    for (int k = 0; k < row.ecPerBlock; ++k)
        for (const auto &block : ecc) out.push_back(block[k]);
    return out;
}

// The matrix while it is built: module values and which modules are function patterns.
struct Matrix {
    int n;
    std::vector<uint8_t> dark, function;
    explicit Matrix(int size) : n(size), dark(size_t(size) * size, 0), function(size_t(size) * size, 0) {}
    void setFunction(int x, int y, bool isDark)
    {
        dark[size_t(y) * n + x] = isDark;
        function[size_t(y) * n + x] = 1;
    }
    bool at(int x, int y) const { return dark[size_t(y) * n + x]; }
};

// The format information of the level and mask: each module with its value, both copies
// and the dark module.
template <typename Put> void forEachFormatModule(int n, QR_Level level, int mask, Put put)
{
    static const int levelBits[4] = {1, 0, 3, 2};
    const int data = levelBits[int(level)] << 3 | mask;
    int rem = data;
    for (int i = 0; i < 10; ++i) rem = (rem << 1) ^ ((rem >> 9) * 0x537);
    const int bits = (data << 10 | rem) ^ 0x5412;
    auto bit = [bits](int i) { return ((bits >> i) & 1) != 0; };
    for (int i = 0; i <= 5; ++i) put(8, i, bit(i));
    put(8, 7, bit(6));
    put(8, 8, bit(7));
    put(7, 8, bit(8));
    for (int i = 9; i < 15; ++i) put(14 - i, 8, bit(i));
    for (int i = 0; i < 8; ++i) put(n - 1 - i, 8, bit(i));
    for (int i = 8; i < 15; ++i) put(8, n - 15 + i, bit(i));
    put(8, n - 8, true);
}

void drawFormat(Matrix &m, QR_Level level, int mask)
{
    forEachFormatModule(m.n, level, mask, [&m](int x, int y, bool on) { m.setFunction(x, y, on); });
}

Matrix functionPatterns(int version, QR_Level level)
{
    Matrix m(17 + 4 * version);
    const int n = m.n;
    for (int i = 0; i < n; ++i) {
        m.setFunction(6, i, i % 2 == 0);
        m.setFunction(i, 6, i % 2 == 0);
    }
    for (auto [cx, cy] : {std::pair{3, 3}, std::pair{n - 4, 3}, std::pair{3, n - 4}})
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx) {
                const int d = std::max(std::abs(dx), std::abs(dy));
                if (cx + dx >= 0 && cx + dx < n && cy + dy >= 0 && cy + dy < n)
                    m.setFunction(cx + dx, cy + dy, d != 2 && d != 4);
            }
    const std::vector<int> centres = QR_Alignment_Centres(version);
    const int last = int(centres.size()) - 1;
    for (int i = 0; i <= last; ++i)
        for (int j = 0; j <= last; ++j) {
            if ((i == 0 && j == 0) || (i == 0 && j == last) || (i == last && j == 0)) continue;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    m.setFunction(centres[i] + dx, centres[j] + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
        }
    drawFormat(m, level, 0);  // reserves the areas
    if (version >= 7) {
        int rem = version;
        for (int i = 0; i < 12; ++i) rem = (rem << 1) ^ ((rem >> 11) * 0x1f25);
        const int bits = version << 12 | rem;
        for (int i = 0; i < 18; ++i) {
            const bool bit = (bits >> i) & 1;
            m.setFunction(n - 11 + i % 3, i / 3, bit);
            m.setFunction(i / 3, n - 11 + i % 3, bit);
        }
    }
    return m;
}

// Codeword bits, most significant first, in the two-column zigzag from the bottom right.
void placeData(Matrix &m, const std::vector<uint8_t> &data)
{
    const int n = m.n;
    size_t i = 0;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        const bool upward = ((right + 1) & 2) == 0;
        for (int v = 0; v < n; ++v)
            for (int j = 0; j < 2; ++j) {
                const int x = right - j, y = upward ? n - 1 - v : v;
                if (m.function[size_t(y) * n + x] || i >= data.size() * 8) continue;
                m.dark[size_t(y) * n + x] = (data[i / 8] >> (7 - i % 8)) & 1;
                ++i;
            }
    }
}

// Inverts the data modules where the mask's pattern says so.
void applyMask(Matrix &m, int mask, const qrmask::Patterns &patterns)
{
    for (int y = 0; y < m.n; ++y) {
        const qrmask::Line &pattern = patterns.rows[size_t(mask)][size_t(y % 12)];
        for (int x = 0; x < m.n; ++x) {
            const size_t i = size_t(y) * m.n + x;
            m.dark[i] ^= uint8_t(!m.function[i] && qrmask::bit(pattern, x));
        }
    }
}

qrmask::Packed packed(const std::vector<uint8_t> &modules, int n)
{
    qrmask::Packed p(n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (modules[size_t(y) * n + x]) p.set(x, y, true);
    return p;
}

// The mask of the lowest penalty, the lower number on a tie: each is scored on the
// symbol with its own format information, built word by word from the unmasked symbol.
int chooseMask(const Matrix &m, QR_Level level, const qrmask::Patterns &patterns)
{
    const int n = m.n;
    const qrmask::Packed base = packed(m.dark, n), function = packed(m.function, n);
    qrmask::Line inside{};  // the first n bits
    for (int i = 0; i < n; ++i) qrmask::setBit(inside, i, true);
    qrmask::Packed trial(n);
    int chosen = 0;
    long best = -1;
    for (int k = 0; k < 8; ++k) {
        for (int i = 0; i < n; ++i)
            for (size_t w = 0; w < trial.rows[0].size(); ++w) {
                trial.rows[size_t(i)][w] = base.rows[size_t(i)][w] ^
                    (patterns.rows[size_t(k)][size_t(i % 12)][w] & ~function.rows[size_t(i)][w] & inside[w]);
                trial.columns[size_t(i)][w] = base.columns[size_t(i)][w] ^
                    (patterns.columns[size_t(k)][size_t(i % 12)][w] & ~function.columns[size_t(i)][w] & inside[w]);
            }
        forEachFormatModule(n, level, k, [&trial](int x, int y, bool on) { trial.set(x, y, on); });
        const long score = qrmask::penalty(trial);
        if (best < 0 || score < best) best = score, chosen = k;
    }
    return chosen;
}

} // namespace

QString QrGrid::description() const
{
    QString out;
    for (int y = 0; y < m_dimension; ++y) {
        for (int x = 0; x < m_dimension; ++x) out += QChar(valueAt(x, y) ? '1' : '0');
        out += QLatin1Char('\n');
    }
    return out;
}

long QR_Penalty(const QrGrid &grid)
{
    const int n = grid.dimension();
    qrmask::Packed p(n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (grid.valueAt(x, y)) p.set(x, y, true);
    return qrmask::penalty(p);
}

std::optional<int> QR_Bit_Length(const QByteArray &bytes, int version)
{
    if (bytes.isEmpty()) return std::nullopt;
    const int group = versionGroup(std::clamp(version, 1, 40));
    return streamBits(bytes, segmentsOf(bytes, group), group);
}

std::optional<QrGrid> Encode_QR(const QByteArray &bytes, QR_Level level, int version, int mask)
{
    if (int(level) < 0 || int(level) > 3 || version < 0 || version > 40 || mask < -1 || mask > 7) return std::nullopt;
    if (bytes.isEmpty()) return std::nullopt;
    std::optional<std::vector<Segment>> byGroup[3];
    auto fits = [&](int v) {
        const int group = versionGroup(v);
        if (!byGroup[group]) byGroup[group] = segmentsOf(bytes, group);
        return countsFit(*byGroup[group], group) &&
               streamBits(bytes, *byGroup[group], group) <= QR_Version_Row(v, level).dataCodewords() * 8;
    };
    int used = version;
    if (version == 0)
        for (used = 1; used <= 40 && !fits(used); ++used) {}
    if (used > 40 || !fits(used)) return std::nullopt;

    Matrix m = functionPatterns(used, level);
    placeData(m, codewords(bytes, QR_Version_Row(used, level)));
    const qrmask::Patterns &patterns = qrmask::Patterns::ofLargest();
    const int chosen = mask >= 0 ? mask : chooseMask(m, level, patterns);
    applyMask(m, chosen, patterns);
    drawFormat(m, level, chosen);
    QrGrid grid(m.n);
    for (int y = 0; y < m.n; ++y)
        for (int x = 0; x < m.n; ++x) grid.set(m.at(x, y), x, y);
    return grid;
}

std::optional<QrGrid> Encode_QR_Text(const QString &text, QR_Level level, int version)
{
    return Encode_QR(text.toUtf8(), level, version);
}

Picture Render_QR(const QrGrid &grid, int dimension, double dpi)
{
    const int n = grid.dimension();
    if (n <= 0 || dimension <= 0) return {};
    const int size = std::max(dimension, n);
    if (double(size) * size > kBarcode_Max_Pixels || !Barcode_Pixel_Size(QSizeF(size, size), dpi)) return {};
    const int p = size / n, o = (size - p * n) / 2;
    QImage image(size, size, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    image.fill(qRgba(255, 255, 255, 0));
    for (int y = 0; y < n * p; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(o + y));
        for (int x = 0; x < n * p; ++x) line[o + x] = grid.valueAt(x / p, y / p) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    return Increase_DPI(Picture(image, QSizeF(size, size)), dpi);
}
