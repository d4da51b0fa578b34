#pragma once
// QR mask patterns and the mask penalty over bit-packed lines: a symbol's rows and
// columns as bits (bit x of row y is module (x, y)), so that the eight masks are tried by
// combining whole words instead of visiting each module in turn.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qrmask {

// Up to 177 modules a line.
using Line = std::array<uint64_t, 3>;

inline bool bit(const Line &line, int i) { return (line[std::size_t(i) / 64] >> (i % 64)) & 1; }
inline void setBit(Line &line, int i, bool on)
{
    const uint64_t b = uint64_t(1) << (i % 64);
    line[std::size_t(i) / 64] = on ? line[std::size_t(i) / 64] | b : line[std::size_t(i) / 64] & ~b;
}

// True where mask 0-7 inverts module (x, y).
bool condition(int mask, int x, int y);

// The modules mask 0-7 inverts in an n-module symbol, by line: the masks repeat every 12
// rows and every 12 columns, so row y is rows[mask][y % 12] and column x is
// columns[mask][x % 12].
struct Patterns {
    std::array<std::array<Line, 12>, 8> rows{}, columns{};
    explicit Patterns(int n);
    // Made once for 177 modules, the largest symbol; a smaller one uses its first bits.
    static const Patterns &ofLargest();
};

// A symbol as rows and columns of bits.
struct Packed {
    int n = 0;
    std::vector<Line> rows, columns;
    explicit Packed(int size) : n(size), rows(std::size_t(size)), columns(std::size_t(size)) {}
    void set(int x, int y, bool on)
    {
        setBit(rows[std::size_t(y)], x, on);
        setBit(columns[std::size_t(x)], y, on);
    }
};

// The penalty of ISO/IEC 18004: runs of five or more in a line, 2 x 2 blocks of one
// colour, each 1011101 with four light modules (or the edge) before or after it, and the
// dark share.
long penalty(const Packed &symbol);

} // namespace qrmask
