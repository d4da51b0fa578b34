#include "QrMask.h"

#include <algorithm>
#include <cstdlib>

namespace qrmask {

bool condition(int mask, int x, int y)
{
    switch (mask) {
    case 0: return (x + y) % 2 == 0;
    case 1: return y % 2 == 0;
    case 2: return x % 3 == 0;
    case 3: return (x + y) % 3 == 0;
    case 4: return (y / 2 + x / 3) % 2 == 0;
    case 5: return (x * y) % 2 + (x * y) % 3 == 0;
    case 6: return ((x * y) % 2 + (x * y) % 3) % 2 == 0;
    default: return ((x * y) % 3 + (x + y) % 2) % 2 == 0;
    }
}

const Patterns &Patterns::ofLargest()
{
    static const Patterns patterns(177);
    return patterns;
}

Patterns::Patterns(int n)
{
    for (int mask = 0; mask < 8; ++mask)
        for (int r = 0; r < 12; ++r)
            for (int i = 0; i < n; ++i) {
                setBit(rows[size_t(mask)][size_t(r)], i, condition(mask, i, r));
                setBit(columns[size_t(mask)][size_t(r)], i, condition(mask, r, i));
            }
}

namespace {

constexpr size_t kWords = std::tuple_size_v<Line>;

// Set bits of the word, without a call (the instruction is not assumed).
int ones(uint64_t v)
{
    v -= (v >> 1) & 0x5555555555555555;
    v = (v & 0x3333333333333333) + ((v >> 2) & 0x3333333333333333);
    v = (v + (v >> 4)) & 0x0f0f0f0f0f0f0f0f;
    return int((v * 0x0101010101010101) >> 56);
}

// The word of bits i + 1 ... i + 64 of the line, light past its end.
uint64_t nextBits(const Line &line, size_t w)
{
    return (line[w] >> 1) | (w + 1 < kWords ? line[w + 1] << 63 : 0);
}

// Bits 0 ... count - 1 of word w.
uint64_t below(int count, size_t w)
{
    const int bits = count - int(w) * 64;
    return bits <= 0 ? 0 : bits >= 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
}

// The line between two light words, so that modules before 0 and past the end read light.
struct Padded {
    std::array<uint64_t, kWords + 2> words{};
    explicit Padded(const Line &line) { std::copy(line.begin(), line.end(), words.begin() + 1); }
    // Bit j: module 64 w + j + k.
    uint64_t at(size_t w, int k) const
    {
        const int start = int(w + 1) * 64 + k, r = start % 64;
        const size_t q = size_t(start / 64);
        return r == 0 ? words[q] : (words[q] >> r) | (words[q + 1] << (64 - r));
    }
};

// Runs of five or more (a run of L scores L - 2) and finder-like patterns of one line,
// word by word: bit j of x[k] is module 64 w + j + k - 4.
long lineScore(const Line &line, int n)
{
    const Padded padded(line);
    long score = 0;
    for (size_t w = 0; w * 64 < size_t(n); ++w) {
        uint64_t x[15];
        for (int k = 0; k < 15; ++k) x[k] = padded.at(w, k - 4);
        const uint64_t *m = x + 4;  // m[k]: module i + k
        // Five equal modules from i: one bit for each module a run passes its fourth, and
        // the runs' first such bits.
        const uint64_t five = ~(m[0] ^ m[1]) & ~(m[0] ^ m[2]) & ~(m[0] ^ m[3]) & ~(m[0] ^ m[4]) & below(n - 4, w);
        const uint64_t starts = five & ((m[0] ^ m[-1]) | (w == 0 ? 1 : 0));
        score += ones(five) + 2 * ones(starts);
        const uint64_t finder = m[0] & ~m[1] & m[2] & m[3] & m[4] & ~m[5] & m[6];
        const uint64_t lightBefore = ~(m[-1] | m[-2] | m[-3] | m[-4]), lightAfter = ~(m[7] | m[8] | m[9] | m[10]);
        score += 40 * ones(finder & (lightBefore | lightAfter));
    }
    return score;
}

} // namespace

long penalty(const Packed &symbol)
{
    const int n = symbol.n;
    long score = 0, dark = 0;
    for (int i = 0; i < n; ++i) {
        score += lineScore(symbol.rows[size_t(i)], n) + lineScore(symbol.columns[size_t(i)], n);
        for (uint64_t w : symbol.rows[size_t(i)]) dark += ones(w);
    }
    for (int y = 0; y + 1 < n; ++y) {
        const Line &a = symbol.rows[size_t(y)], &b = symbol.rows[size_t(y) + 1];
        for (size_t w = 0; w < kWords; ++w) {
            const uint64_t same = ~(a[w] ^ nextBits(a, w)) & ~(b[w] ^ nextBits(b, w)) & ~(a[w] ^ b[w]);
            score += 3 * ones(same & below(n - 1, w));
        }
    }
    return score + 10 * (std::labs(50 - dark * 100 / (long(n) * n)) / 5);
}

} // namespace qrmask
