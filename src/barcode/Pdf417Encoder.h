#pragma once
// PDF417 (ISO/IEC 15438): bytes to codewords with text, byte and numeric compaction,
// check codewords over GF(929), and the symbol as a module matrix and a picture.
#include "Picture.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <vector>

// One row of the cluster table: the 17 modules of a codeword, bit 16 the leftmost, 1 a bar.
struct Pdf417Pattern {
    int cluster, codeword, modules;
};
// The pattern of the codeword in cluster 0, 3 or 6.
const Pdf417Pattern &PDF417_Pattern(int cluster, int codeword);

// Error-correction level: chosen from the data count, or 0-8 (2 to the power level + 1
// check codewords).
enum class Pdf417_Level { Auto = -1, L0, L1, L2, L3, L4, L5, L6, L7, L8 };
// The level of the settings' stepper value; a value outside 0-8 is the nearest level.
Pdf417_Level PDF417_Level_From_Index(int value);

struct Pdf417Symbol {
    int error = 0;  // 0 none, 1 too much data, 2 no data
    int rows = 0, columns = 0, level = 0;
    std::vector<int> codewords;  // length descriptor, data, pads, check codewords
    int bitColumns = 0;
    std::vector<std::vector<uint8_t>> modules;  // per row, 1 a bar
};

// The symbol of the bytes: level Auto chooses it from the data count, 0-8 takes it (the
// painted level is the highest that fits beside the data in the chosen rows x columns);
// columns from the aspect ratio and a row height of 3 modules. Non-ASCII bytes are
// preceded by the ECI designator 26 (UTF-8). More than 5,420 bytes or 926 data
// codewords (codeword 0 included) gives error 1, no bytes error 2, and no modules.
Pdf417Symbol Encode_PDF417(const QByteArray &bytes, Pdf417_Level level, double aspectRatio);

// The text's UTF-8 bytes at the level with aspect ratio 1, the matrix stretched to the
// size in points, black bars on white, no quiet zone, at ceil(dpi x points / 72)
// pixels; none on an encoding error or an empty text or size.
Picture PDF417_Picture(const QString &text, Pdf417_Level level, QSizeF size, double dpi);
