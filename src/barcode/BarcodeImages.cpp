#include "BarcodeImages.h"

#include "BarcodeRenderer.h"
#include "BarcodeSizes.h"
#include "NKDBarcode.h"

namespace {

// A drawing size that its pixels at the picture's own resolution can hold.
bool drawable(QSizeF size) { return Barcode_Pixel_Size(size, Picture::kVectorPixelDpi).has_value(); }

} // namespace

Picture imageFromBarcode(const NKDBarcode &barcode, const FontMeasure &measure)
{
    if (!barcode.isContentValid() || !drawable(Linear_Drawing_Size(barcode))) return {};
    return Picture::fromVector(std::make_shared<BarcodeDrawing>(Draw_Linear_Barcode(barcode, measure)));
}

Picture imageFromBarcodeImage(const Picture &symbol, const Barcode_Record &record, const Barcode_Style &style,
                              const FontMeasure &measure)
{
    if (symbol.isNull() || !drawable(QSizeF(record.width, record.height))) return {};
    return Picture::fromVector(std::make_shared<BarcodeDrawing>(Draw_Symbol_Barcode(symbol, record, style, measure)));
}
