#pragma once
// Picture helpers for export, print and the visitor log: a mirror, a half turn and a
// framed copy. Each makes a new picture and leaves its source as it is; a vector
// picture stays vector. Pure; callable from any thread.
#include "Picture.h"

#include <QColor>
#include <QString>

// The picture mirrored top to bottom when `vertical` is set, else left to right.
Picture Create_Mirror_Image_With_CG_Image(const Picture &source, bool vertical);

// The picture turned a half turn about its centre, at its own size.
Picture imageRotatedByDegrees_Angle(const Picture &source);

// A copy of the picture with a border of the width (points), line style code ("S",
// "DA", "DO", "DD", "DDD"; anything else solid) and colour stroked along its edge
// rectangle; dashes start at the top-left corner.
Picture image_Drawing_with_border(const Picture &source, double width, const QString &code, const QColor &colour);
