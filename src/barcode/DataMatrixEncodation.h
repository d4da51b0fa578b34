#pragma once
// Data Matrix (ECC 200) data codewords: a value's bytes in ASCII, C40, Text or Base256
// encodation, and the pad codewords that fill a symbol's data capacity.
#include <QByteArray>
#include <cstdint>
#include <optional>
#include <vector>

enum class DataMatrixEncodation : uint8_t { Auto, Ascii, C40, Text, Base256 };

// One way of writing a value: its codewords, and whether they end inside C40 or Text
// (the symbol must then end right there, or carry the unlatch codeword 254 next).
struct DataMatrixData {
    std::vector<uint8_t> codewords;
    bool open = false;
};

// The shortest ways of writing the bytes in the encodation, after the ECI designator
// 26 (codewords 241, 27) when `eci`: at most one ending in ASCII and one ending inside
// C40 or Text. ASCII packs digit pairs and reaches bytes above 127 by Upper Shift;
// C40 and Text write every byte, ending in ASCII when the last triplet cannot be
// closed; Base256 writes the bytes as one run. "Auto" mixes the four run by run.
// Empty for no bytes.
std::vector<DataMatrixData> DataMatrix_Encodations(const QByteArray &bytes, DataMatrixEncodation encodation, bool eci);

// The data codewords of a symbol with `capacity` of them: the unlatch when needed,
// then the pad 129 and the pseudo-random pads after it; none when the data do not fit.
std::optional<std::vector<uint8_t>> DataMatrix_Fill(const DataMatrixData &data, int capacity);
