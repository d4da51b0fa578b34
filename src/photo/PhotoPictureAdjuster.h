#pragma once
// The picture adjuster of image controls: the loaded picture through the adjustment
// chain, turned into its box. Neutral settings give back the source itself.
#include "PictureAdjuster.h"

class PhotoPictureAdjuster final : public PictureAdjuster {
public:
    Picture adjusted(const Picture &source, const ImageAdjustments &settings) const override;
};
