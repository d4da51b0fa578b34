#include "BatchBarcode.h"

std::optional<Picture> Batch_Barcode_Picture(const SKTGraphic &, const QString &value, const QString &,
                                             const QString &, const Picture &sample)
{
    if (value.isEmpty() || sample.isNull()) return std::nullopt;
    return sample;
}
