#pragma once
// Barcode pictures: a linear model or a two-dimensional symbol picture in, a picture
// whose vector form is the barcode's drawing out.
#include "BarcodeMetrics.h"
#include "BarcodeStyle.h"
#include "Picture.h"

class NKDBarcode;

// The model's drawing; none for a content it does not accept or a size that is not
// finite and above 0 or would pass 100 megapixels at the picture's own resolution.
Picture imageFromBarcode(const NKDBarcode &barcode, const FontMeasure &measure);

// The symbol framed with the record's header, footer and size; none for no symbol or
// a size refused as above.
Picture imageFromBarcodeImage(const Picture &symbol, const Barcode_Record &record, const Barcode_Style &style,
                              const FontMeasure &measure);
