#include "BatchBarcode.h"

#include "BarcodeEngine.h"
#include "BarcodeMetrics.h"
#include "SKTBarcode.h"

std::optional<Picture> Batch_Barcode_Picture(const SKTGraphic &control, const QString &value, const QString &header,
                                             const QString &footer)
{
    if (value.isEmpty()) return std::nullopt;
    const QtFontMeasure measure;
    Picture picture = Barcode_Picture(Barcode_Settings_Of(control), value, header, footer, measure);
    if (picture.isNull()) return std::nullopt;
    return picture;
}
