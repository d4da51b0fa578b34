#pragma once
// QR Code (model 2, versions 1-40, levels L M Q H): a text's bytes to a module grid,
// and the grid to a picture.
#include "Picture.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// Error-correction level.
enum class QR_Level { L = 0, M = 1, Q = 2, H = 3 };
// The level of a list index of the settings (0 L, 1 M, 2 Q, 3 H); an index outside
// them is the nearest level.
QR_Level QR_Level_From_Index(int index);

// One row of the version table: blocks of group 2 hold one data codeword more.
struct QrVersionRow {
    int version;
    char level;
    int totalCodewords, ecPerBlock, group1Blocks, group1Data, group2Blocks, group2Data;
    int dataCodewords() const { return group1Blocks * group1Data + group2Blocks * group2Data; }
};
// The version's row at the level.
const QrVersionRow &QR_Version_Row(int version, QR_Level level);
// Alignment-pattern centre coordinates of the version, 6 first (none for version 1).
std::vector<int> QR_Alignment_Centres(int version);

// A square grid of modules; the value of (x, y) is 1 dark, 0 light.
class QrGrid {
public:
    explicit QrGrid(int dimension) : m_dimension(dimension), m_data(size_t(dimension) * dimension, 0) {}
    int dimension() const { return m_dimension; }
    int valueAt(int x, int y) const { return m_data[size_t(y) * m_dimension + x]; }
    void set(int value, int x, int y) { m_data[size_t(y) * m_dimension + x] = uint8_t(value); }
    // One line per row from y = 0, each module as a digit.
    QString description() const;

private:
    int m_dimension;
    std::vector<uint8_t> m_data;
};

// The bits the bytes take in the version, headers included: the text cut into runs of
// one mode each (numeric, alphanumeric, 8-bit), neighbours merged where that is shorter,
// after the ECI designator 26 (UTF-8) when any byte is not ASCII.
// None for an empty text.
std::optional<int> QR_Bit_Length(const QByteArray &bytes, int version);

// The mask penalty of a grid: runs of five or more, 2 x 2 blocks of one colour, each
// 1011101 with four light modules (or the edge) before or after it, and the dark share.
long QR_Penalty(const QrGrid &grid);

// The symbol of the bytes at the level: version 0 is the smallest version that
// holds them, 1-40 that version only; mask -1 is the one with the lowest penalty (the
// lower number on a tie), 0-7 forces that mask. None when the bytes do not fit.
std::optional<QrGrid> Encode_QR(const QByteArray &bytes, QR_Level level, int version, int mask = -1);
// Encode_QR of the text's UTF-8 bytes.
std::optional<QrGrid> Encode_QR_Text(const QString &text, QR_Level level, int version);

// The grid painted on D x D points: module size p = D / n (at least one, D growing to n),
// margin (D - p x n) / 2 transparent, modules opaque black or white, at
// ceil(dpi x D / 72) pixels without smoothing. None for an empty grid.
Picture Render_QR(const QrGrid &grid, int dimension, double dpi);
