#include "BarcodeImages.h"

#include "BarcodeRenderer.h"

Picture imageFromBarcode(const NKDBarcode &barcode, const FontMeasure &measure)
{
    return Picture::fromVector(std::make_shared<BarcodeDrawing>(Draw_Linear_Barcode(barcode, measure)));
}

Picture imageFromBarcodeImage(const Picture &symbol, const Barcode_Record &record, const Barcode_Style &style,
                              const FontMeasure &measure)
{
    if (symbol.isNull()) return {};
    return Picture::fromVector(std::make_shared<BarcodeDrawing>(Draw_Symbol_Barcode(symbol, record, style, measure)));
}
