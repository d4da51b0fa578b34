#pragma once
// The picture adjuster of image controls: the loaded picture mirrored by the
// control's flips; the other settings leave it as it is. Neutral settings give back
// the source itself.
#include "PictureAdjuster.h"

class PhotoPictureAdjuster final : public PictureAdjuster {
public:
    Picture adjusted(const Picture &source, const ImageAdjustments &settings) const override;
};
