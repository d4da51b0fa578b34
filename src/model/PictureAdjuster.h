#pragma once
// Turning an image control's loaded picture into the picture it shows, by the
// control's adjustment settings. The model defines the interface; the photo library
// implements it, and whoever draws (the card view, export, a batch worker, a print run,
// a test) hands one to the drawing in its DrawContext.
#include "Picture.h"

#include <QSize>

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

    bool operator==(const ImageAdjustments &) const = default;
};

ImageAdjustments Image_Adjustments_Of(const SKTGraphic &graphic);

// Pure: the result depends on its arguments only; callable from any thread.
struct PictureAdjuster {
    virtual ~PictureAdjuster() = default;
    // pixelSize: the pixels the picture covers where it is drawn (its box at the
    // output's resolution); a larger source may be worked at that size. Empty: the
    // source's own size.
    virtual Picture adjusted(const Picture &source, const ImageAdjustments &settings, QSize pixelSize) const = 0;
};
