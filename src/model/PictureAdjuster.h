#pragma once
// Turning an image control's loaded picture into the picture it shows, by the
// control's adjustment settings. The model defines the interface; the photo library
// implements it and the application registers it once at start-up. Until then the
// loaded picture is shown as it is.
#include "Picture.h"

class SKTGraphic;

// The adjustment settings of an image control, as plain values.
struct ImageAdjustments {
    bool flipHorizontally = false;
    bool flipVertically = false;
    bool invert = false;
    bool grayScale = false;
    bool sepia = false;
    double transparency = 0;
    double hue = 0;
    double saturation = 1;
    double brightness = 0;
    double contrast = 1;
    double sharpness = 0;
    double exposure = 0;
    double blur = 0;
    double rotation = 0;
};

ImageAdjustments Image_Adjustments_Of(const SKTGraphic &graphic);

// Pure: the result depends on its arguments only; callable from any thread.
struct PictureAdjuster {
    virtual ~PictureAdjuster() = default;
    virtual Picture adjusted(const Picture &source, const ImageAdjustments &settings) const = 0;
};

// Registers the adjuster (nullptr: none). It must outlive its use.
void Set_Picture_Adjuster(const PictureAdjuster *adjuster);
// The control's loaded picture through the registered adjuster (as loaded when none is
// registered); null when nothing is loaded.
Picture Adjusted_Picture(const SKTGraphic &graphic);
