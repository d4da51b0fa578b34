#pragma once
// The picture adjuster that drawing tests below the photo library hand to the drawing:
// pictures as loaded, whatever the settings. Tests of adjusted pictures hand the photo
// library's adjuster instead.
#include "PictureAdjuster.h"

struct AsLoadedAdjuster final : PictureAdjuster {
    Picture adjusted(const Picture &source, const ImageAdjustments &, QSize) const override { return source; }
};

inline const PictureAdjuster &asLoaded()
{
    static const AsLoadedAdjuster adjuster;
    return adjuster;
}
