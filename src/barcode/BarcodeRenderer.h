#pragma once
// Lays a linear barcode model, or a two-dimensional symbol picture with its header and
// footer, out as a drawing. Positions are worked out from the bottom up, y growing
// upward, and turned into the drawing's top-down points once per item.
#include "BarcodeDrawing.h"
#include "BarcodeMetrics.h"
#include "BarcodeStyle.h"

class NKDBarcode;

// Bars (adjacent bar modules merged), caption, header and footer of the model in its
// style. The drawing is as wide as the widest of bars, printed header and printed
// footer, and the model's height high.
BarcodeDrawing Draw_Linear_Barcode(const NKDBarcode &barcode, const FontMeasure &measure);
// The size of that drawing in points.
QSizeF Linear_Drawing_Size(const NKDBarcode &barcode);

// The symbol centred under the header, the footer at the bottom, in the record's
// width and height.
BarcodeDrawing Draw_Symbol_Barcode(const Picture &symbol, const Barcode_Record &record,
                                   const Barcode_Style &style, const FontMeasure &measure);
