#pragma once
// Data Matrix (ECC 200) symbols: a value to a module grid, and the grid to a picture.
#include "DataMatrixEncodation.h"
#include "DataMatrixLayout.h"
#include "Picture.h"

#include <QString>
#include <optional>

// The size list's entries: "Auto", then a letter, the rows, "X", the columns ("C8X18").
// An entry without an "X" is "Auto"; none for rows and columns of no symbol size.
std::optional<DataMatrixSize> DataMatrix_Size_From_Entry(const QString &entry);
QString DataMatrix_Size_Entry(DataMatrixSize size);
// The encodation list's entries "Auto", "Ascii", "C40", "Text", "Base256"; any other
// text is "Auto".
DataMatrixEncodation DataMatrix_Encodation_From_Entry(const QString &entry);

// The data and check codewords of a symbol, before placement.
struct DataMatrixCodewords {
    DataMatrixSize size = DataMatrixSize::Auto;
    std::vector<uint8_t> data;     // the value, its unlatch and pads
    std::vector<uint8_t> symbol;   // data and check codewords interleaved
};

// The value's bytes written in the encodation into the size ("Auto": the smallest
// square that holds them). Bytes above 127 must form UTF-8 and are carried after the
// ECI designator 26. None, with the reason in `failure`, for no bytes, invalid UTF-8
// or a value the size and encodation cannot hold; for a value too long, the largest
// size it was tried in goes into `largestTried` (left as it was otherwise).
std::optional<DataMatrixCodewords> DataMatrix_Codewords(const QByteArray &bytes, DataMatrixSize size,
                                                        DataMatrixEncodation encodation, QString *failure = nullptr,
                                                        DataMatrixSize *largestTried = nullptr);

// The symbol of the bytes (as DataMatrix_Codewords).
std::optional<DataMatrixGrid> Encode_DataMatrix(const QByteArray &bytes, DataMatrixSize size,
                                                DataMatrixEncodation encodation, QString *failure = nullptr,
                                                DataMatrixSize *largestTried = nullptr);

// The value's UTF-8 bytes at the size and encodation entries; none (and the reasons in
// the log: "No barcode produced", the size (for "Auto" the largest tried, no line when
// none was), codewords needed and held, the value and the encodation) when there is no
// symbol.
std::optional<DataMatrixGrid> Encode_DataMatrix(const QString &value, const QString &size, const QString &encodation);

// W x module by H x module points at ceil(dpi x points / 72) pixels: the symbol with a
// one-module border left unpainted, its modules square (scaled by the smaller axis
// factor) and centred, dark modules black, light ones white. Every module edge falls
// on a whole pixel, shared by the modules on either side. None for an empty grid, a
// module size or resolution that is not a positive finite number, or a picture over
// 100 megapixels.
Picture Render_DataMatrix(const DataMatrixGrid &grid, double moduleSize, double dpi);
