#pragma once
// The barcode picture of a bound barcode control for one card: the control's own
// barcode settings with the value, header and footer, through the barcode engine. The
// one place where batch filling asks for a barcode picture.
#include "Picture.h"
#include "SKTGraphic.h"

#include <QString>
#include <optional>

// None when no picture can be made for the value (blank, refused by the symbology).
std::optional<Picture> Batch_Barcode_Picture(const SKTGraphic &control, const QString &value, const QString &header,
                                             const QString &footer);
