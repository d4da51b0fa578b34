#pragma once
// Data Matrix (ECC 200) symbols made by libiec16022, and their pictures.
#include "Picture.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// A size entry ("Auto", or a letter, the rows, "X", the columns, as "C8X18") as the
// width and height asked of the encoder; 0 x 0 for automatic or without an "X".
struct DataMatrixSize {
    int width = 0, height = 0;
    bool operator==(const DataMatrixSize &) const = default;
};
DataMatrixSize DataMatrix_Size(const QString &entry);

// The encoder's letters for an encodation entry, one per byte of the value: "Ascii" A,
// "C40" C, "Text" T, "Base256" B; none for "Auto".
QByteArray DataMatrix_Encodation(const QString &entry, int length);

// Width x height modules, row 0 at the bottom of the symbol; non-zero is dark.
struct DataMatrixGrid {
    int width = 0, height = 0;
    std::vector<uint8_t> cells;
    bool dark(int x, int row) const { return cells[size_t(row) * width + x] != 0; }
};

// The value's UTF-8 bytes encoded at the size and encodation entries; none (and the
// reasons in the log) when the value does not fit them.
std::optional<DataMatrixGrid> Encode_DataMatrix(const QString &value, const QString &size, const QString &encodation);

// W x module by H x module points at ceil(dpi x points / 72) pixels: the symbol with a
// one-module border left unpainted, its modules square (scaled by the smaller axis
// factor) and centred, dark modules black, light ones white.
Picture Render_DataMatrix(const DataMatrixGrid &grid, int moduleSize, double dpi);
