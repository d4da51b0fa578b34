#include "DataMatrixLayout.h"

#include <array>

namespace {

const DataMatrixShape kShapes[kDataMatrixSizes] = {
    {10, 10, 8, 8, 3, 5, 1},          {12, 12, 10, 10, 5, 7, 1},         {14, 14, 12, 12, 8, 10, 1},
    {16, 16, 14, 14, 12, 12, 1},      {18, 18, 16, 16, 18, 14, 1},       {20, 20, 18, 18, 22, 18, 1},
    {22, 22, 20, 20, 30, 20, 1},      {24, 24, 22, 22, 36, 24, 1},       {26, 26, 24, 24, 44, 28, 1},
    {32, 32, 14, 14, 62, 36, 1},      {36, 36, 16, 16, 86, 42, 1},       {40, 40, 18, 18, 114, 48, 1},
    {44, 44, 20, 20, 144, 56, 1},     {48, 48, 22, 22, 174, 68, 1},      {52, 52, 24, 24, 204, 84, 2},
    {64, 64, 14, 14, 280, 112, 2},    {72, 72, 16, 16, 368, 144, 4},     {80, 80, 18, 18, 456, 192, 4},
    {88, 88, 20, 20, 576, 224, 4},    {96, 96, 22, 22, 696, 272, 4},     {104, 104, 24, 24, 816, 336, 6},
    {120, 120, 18, 18, 1050, 408, 6}, {132, 132, 20, 20, 1304, 496, 8},  {144, 144, 22, 22, 1558, 620, 10},
    {8, 18, 6, 16, 5, 7, 1},          {8, 32, 6, 14, 10, 11, 1},         {12, 26, 10, 24, 16, 14, 1},
    {12, 36, 10, 16, 22, 18, 1},      {16, 36, 14, 16, 32, 24, 1},       {16, 48, 14, 22, 49, 28, 1},
};

constexpr uint16_t kLogZero = 512;  // the logarithm kept for 0: exp gives 0 from it on

struct Field {
    std::array<uint16_t, 256> log{};
    std::array<uint8_t, 2 * kLogZero + 1> exp{};  // 2^i twice over, then zeros from kLogZero on
    Field()
    {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[size_t(i)] = exp[size_t(i) + 255] = uint8_t(x);
            log[size_t(x)] = uint16_t(i);
            x <<= 1;
            if (x & 0x100) x ^= 301;
        }
        log[0] = kLogZero;
    }
    uint8_t mul(uint8_t a, uint8_t b) const { return exp[size_t(log[a]) + log[b]]; }
};

const Field &field()
{
    static const Field f;
    return f;
}

// The generator polynomial with the roots 2^1 .. 2^check, highest power first, as the
// logarithms of its coefficients.
std::vector<uint16_t> generatorLogs(int check)
{
    const Field &f = field();
    std::vector<uint8_t> generator{1};
    for (int i = 1; i <= check; ++i) {
        std::vector<uint8_t> next(generator.size() + 1, 0);
        for (size_t k = 0; k < generator.size(); ++k) {
            next[k] ^= generator[k];
            next[k + 1] ^= f.mul(generator[k], f.exp[size_t(i)]);
        }
        generator = std::move(next);
    }
    std::vector<uint16_t> logs(generator.size());
    for (size_t k = 0; k < generator.size(); ++k) logs[k] = f.log[generator[k]];
    return logs;
}

// The generators of every block's check codeword count (the most is 68), made once.
constexpr int kMostCheck = 68;
const std::vector<uint16_t> &generator(int check)
{
    static const std::array<std::vector<uint16_t>, kMostCheck + 1> generators = [] {
        std::array<std::vector<uint16_t>, kMostCheck + 1> all;
        for (int n = 0; n <= kMostCheck; ++n) all[size_t(n)] = generatorLogs(n);
        return all;
    }();
    return generators[size_t(check)];
}

// The codewords' modules in the mapping matrix (the data regions side by side, without
// their patterns), row 0 at the top: -1 while a module is free.
class Placement {
public:
    Placement(int rows, int columns, const std::vector<uint8_t> &codewords)
        : m_rows(rows), m_columns(columns), m_codewords(codewords), m_bits(size_t(rows) * columns, -1)
    {
        int chr = 0, row = 4, col = 0;
        do {
            if (row == m_rows && col == 0) corner(chr++, kCorner1);
            if (row == m_rows - 2 && col == 0 && m_columns % 4) corner(chr++, kCorner2);
            if (row == m_rows - 2 && col == 0 && m_columns % 8 == 4) corner(chr++, kCorner3);
            if (row == m_rows + 4 && col == 2 && m_columns % 8 == 0) corner(chr++, kCorner4);
            do {  // up and to the right
                if (row < m_rows && col >= 0 && free(row, col)) utah(row, col, chr++);
                row -= 2;
                col += 2;
            } while (row >= 0 && col < m_columns);
            row += 1;
            col += 3;
            do {  // down and to the left
                if (row >= 0 && col < m_columns && free(row, col)) utah(row, col, chr++);
                row += 2;
                col -= 2;
            } while (row < m_rows && col >= 0);
            row += 3;
            col += 1;
        } while (row < m_rows || col < m_columns);
        if (free(m_rows - 1, m_columns - 1)) {
            at(m_rows - 1, m_columns - 1) = at(m_rows - 2, m_columns - 2) = 1;
            at(m_rows - 1, m_columns - 2) = at(m_rows - 2, m_columns - 1) = 0;
        }
    }
    // The modules of a row, 1 where dark.
    const int8_t *row(int row) const { return m_bits.data() + size_t(row) * m_columns; }

private:
    // The eight modules (row, column) of a corner codeword, most significant bit first;
    // negative values count from the last row or column.
    using Corner = std::array<std::array<int, 2>, 8>;
    static constexpr Corner kCorner1{{{-1, 0}, {-1, 1}, {-1, 2}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}}};
    static constexpr Corner kCorner2{{{-3, 0}, {-2, 0}, {-1, 0}, {0, -4}, {0, -3}, {0, -2}, {0, -1}, {1, -1}}};
    static constexpr Corner kCorner3{{{-3, 0}, {-2, 0}, {-1, 0}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}}};
    static constexpr Corner kCorner4{{{-1, 0}, {-1, -1}, {0, -3}, {0, -2}, {0, -1}, {1, -3}, {1, -2}, {1, -1}}};

    int8_t &at(int row, int col) { return m_bits[size_t(row) * m_columns + col]; }
    bool free(int row, int col) const { return m_bits[size_t(row) * m_columns + col] < 0; }

    // Bit 1 is the codeword's most significant bit. Modules beyond an edge wrap round.
    void module(int row, int col, int chr, int bit)
    {
        if (row < 0) {
            row += m_rows;
            col += 4 - (m_rows + 4) % 8;
        }
        if (col < 0) {
            col += m_columns;
            row += 4 - (m_columns + 4) % 8;
        }
        const uint8_t codeword = size_t(chr) < m_codewords.size() ? m_codewords[size_t(chr)] : 0;
        at(row, col) = int8_t((codeword >> (8 - bit)) & 1);
    }
    void utah(int row, int col, int chr)
    {
        module(row - 2, col - 2, chr, 1);
        module(row - 2, col - 1, chr, 2);
        module(row - 1, col - 2, chr, 3);
        module(row - 1, col - 1, chr, 4);
        module(row - 1, col, chr, 5);
        module(row, col - 2, chr, 6);
        module(row, col - 1, chr, 7);
        module(row, col, chr, 8);
    }
    void corner(int chr, const Corner &c)
    {
        for (int bit = 0; bit < 8; ++bit) {
            const int row = c[size_t(bit)][0], col = c[size_t(bit)][1];
            module(row < 0 ? m_rows + row : row, col < 0 ? m_columns + col : col, chr, bit + 1);
        }
    }

    int m_rows, m_columns;
    const std::vector<uint8_t> &m_codewords;
    std::vector<int8_t> m_bits;
};

} // namespace

const DataMatrixShape &DataMatrix_Shape(DataMatrixSize size)
{
    const int index = int(size) - 1;
    return kShapes[index >= 0 && index < kDataMatrixSizes ? index : 0];
}

std::vector<uint8_t> DataMatrix_Check(const std::vector<uint8_t> &data, int check)
{
    if (check <= 0) return {};
    const Field &f = field();
    std::vector<uint16_t> made;
    if (check > kMostCheck) made = generatorLogs(check);
    const uint16_t *g = (check > kMostCheck ? made : generator(check)).data() + 1;  // below the highest power
    std::vector<uint8_t> remainder(size_t(check), 0);
    uint8_t *r = remainder.data();
    const size_t last = size_t(check) - 1;
    for (uint8_t d : data) {
        const uint8_t *exp = f.exp.data() + f.log[d ^ r[0]];  // times the factor
        for (size_t k = 0; k < last; ++k) r[k] = r[k + 1] ^ exp[g[k]];
        r[last] = exp[g[last]];
    }
    return remainder;
}

std::vector<uint8_t> DataMatrix_Interleave(const DataMatrixShape &shape, const std::vector<uint8_t> &data)
{
    const int blocks = shape.blocks, total = shape.dataCodewords + shape.checkCodewords;
    std::vector<uint8_t> symbol(data.begin(), data.end());
    symbol.resize(size_t(total), 0);
    for (int b = 0; b < blocks; ++b) {
        std::vector<uint8_t> block;
        for (int k = b; k < shape.dataCodewords; k += blocks) block.push_back(symbol[size_t(k)]);
        const std::vector<uint8_t> check = DataMatrix_Check(block, shape.checkCodewords / blocks);
        // The block's codewords continue at every blocks-th place after its data.
        int k = b + int(block.size()) * blocks;
        for (uint8_t c : check) {
            symbol[size_t(k)] = c;
            k += blocks;
        }
    }
    return symbol;
}

DataMatrixGrid DataMatrix_Place(const DataMatrixShape &shape, const std::vector<uint8_t> &codewords)
{
    const int across = shape.columns / (shape.regionColumns + 2), down = shape.rows / (shape.regionRows + 2);
    const Placement placement(down * shape.regionRows, across * shape.regionColumns, codewords);
    DataMatrixGrid grid{shape.columns, shape.rows, std::vector<uint8_t>(size_t(shape.columns) * shape.rows, 0)};
    const int regionRows = shape.regionRows, regionColumns = shape.regionColumns;
    for (int top = 0; top < shape.rows; ++top) {  // rows counted from the top
        const int regionRow = top / (regionRows + 2), y = top % (regionRows + 2);
        uint8_t *line = grid.cells.data() + size_t(shape.rows - 1 - top) * shape.columns;
        if (y == regionRows + 1) {  // finder: bottom
            std::fill(line, line + shape.columns, uint8_t(1));
            continue;
        }
        const int8_t *bits = y == 0 ? nullptr : placement.row(regionRow * regionRows + y - 1);
        for (int x = 0; x < shape.columns; x += regionColumns + 2, bits = bits ? bits + regionColumns : nullptr) {
            line[x] = 1;  // finder: left
            for (int u = 1; u <= regionColumns; ++u)
                line[x + u] = bits ? bits[u - 1] == 1 : u % 2 == 0;  // the codewords; alignment: top
            line[x + regionColumns + 1] = y == 0 ? (regionColumns + 1) % 2 == 0 : y % 2 == 1;  // alignment: right
        }
    }
    return grid;
}
