#pragma once
// Data Matrix (ECC 200) symbol sizes, Reed-Solomon check codewords, block
// interleaving, and the placement of the codewords in the module grid.
#include <cstddef>
#include <cstdint>
#include <vector>

// The symbol sizes in the order of the size list: "Auto", the squares, the rectangles.
enum class DataMatrixSize : uint8_t {
    Auto,
    C10X10, C12X12, C14X14, C16X16, C18X18, C20X20, C22X22, C24X24, C26X26, C32X32, C36X36, C40X40,
    C44X44, C48X48, C52X52, C64X64, C72X72, C80X80, C88X88, C96X96, C104X104, C120X120, C132X132, C144X144,
    C8X18, C8X32, C12X26, C12X36, C16X36, C16X48,
};
constexpr int kDataMatrixSizes = 30;  // without "Auto"

// One size: rows x columns of modules, each data region's rows x columns (inside its
// finder and alignment patterns), data and check codewords, interleaved blocks.
struct DataMatrixShape {
    int rows, columns, regionRows, regionColumns, dataCodewords, checkCodewords, blocks;
};
// The shape of a size other than "Auto".
const DataMatrixShape &DataMatrix_Shape(DataMatrixSize size);

// Width x height modules, row 0 at the bottom of the symbol; non-zero is dark.
struct DataMatrixGrid {
    int width = 0, height = 0;
    std::vector<uint8_t> cells;
    bool dark(int x, int row) const { return cells[size_t(row) * width + x] != 0; }
};

// The data codewords (as many as the shape holds) followed by the check codewords of
// every block, interleaved: codeword k of the symbol is codeword k / blocks of block
// k mod blocks, each block holding its data codewords then its check codewords.
std::vector<uint8_t> DataMatrix_Interleave(const DataMatrixShape &shape, const std::vector<uint8_t> &data);

// The `check` Reed-Solomon codewords of the data over GF(256) with the polynomial 301,
// the generator's roots 2^1 .. 2^check.
std::vector<uint8_t> DataMatrix_Check(const std::vector<uint8_t> &data, int check);

// The symbol of the interleaved codewords: each region's L-shaped finder (left and
// bottom solid) and alternating alignment pattern (top and right), the codewords
// placed in the utah-shaped module groups, the lower right corner filled when the
// placement leaves it free.
DataMatrixGrid DataMatrix_Place(const DataMatrixShape &shape, const std::vector<uint8_t> &codewords);
