#pragma once
// The adjustment chain of pictures: the untouched source and every adjustment value in,
// a new picture out. Pure and thread-safe; nothing is kept between calls.
//
// The work is done in float RGBA (unpremultiplied) in linear light, clamped only when
// the result is encoded. Stages, each skipped when neutral:
//   grey (luminance), sepia tone, hue turn, saturation/brightness/contrast, luminance
//   sharpening, exposure, box blur (the only stage that touches alpha), flips, and the
//   turn into the box.
// A positive hue angle (radians) turns red toward yellow. Invert and transparency are
// accepted and not applied: the image control applies its transparency when it draws.
//
// Rows stream through the stages a few at a time, so the chain holds the source, the
// result and a few rows of floats per band, never a float copy of the whole picture.
#include "PictureAdjuster.h"

#include <QSize>

class QThreadPool;

// The ranges of the adjustment values; a value outside one (or not a number) counts as
// the nearest bound (as neutral when not a number).
struct AdjustmentRange {
    double low, high, neutral;
};
inline constexpr AdjustmentRange kHueRange{-3.14159265358979323846, 3.14159265358979323846, 0};  // radians
inline constexpr AdjustmentRange kSaturationRange{0, 2, 1};
inline constexpr AdjustmentRange kBrightnessRange{-1, 1, 0};
inline constexpr AdjustmentRange kContrastRange{0.25, 4, 1};
inline constexpr AdjustmentRange kSharpnessRange{0, 2, 0};
inline constexpr AdjustmentRange kExposureRange{-10, 10, 0};
inline constexpr AdjustmentRange kBlurRange{0, 100, 0};  // pixels of the source
inline constexpr AdjustmentRange kRotationRange{-180, 180, 0};  // degrees
ImageAdjustments Adjustments_In_Range(const ImageAdjustments &settings);

// Pictures of at least this many pixels are split into bands when a pool is given.
inline constexpr int kBandedPixels = 250000;

// The source through the chain. When rotateOnBox is set the result is turned clockwise
// by the rotation truncated toward zero, into the box the source fills (see
// imageRotatedByDegrees_On_Ctrl_Bound). The result reports the source's size in points.
//
// pixelSize is the box at the output's resolution (screen, export, printer): a larger
// source is scaled down first so that the result has at most that many pixels across
// and down (a turned picture: its canvas squeezed to at most that size), the blur
// radius scaled with it. Empty: the source's own pixels. Neutral settings at the
// source's own size give back the source itself.
//
// pool: the caller's pool, whose free threads take bands of a picture of at least
// kBandedPixels while the calling thread takes bands too. Without one (a batch worker,
// whose cards are the parallel work) everything runs on the calling thread.
Picture Get_Processed_Image_Full_Combined(const Picture &source, const ImageAdjustments &settings,
                                         bool rotateOnBox, QSize pixelSize = QSize(),
                                         QThreadPool *pool = nullptr);

// The picture turned by the angle (degrees, counter-clockwise positive as in a y-up
// drawing space) about its centre onto a canvas of the turned picture's bounding box,
// reported at the source's size: drawn at that size it shows the whole turned picture
// inside the box the unturned picture filled.
Picture imageRotatedByDegrees_On_Ctrl_Bound(const Picture &source, double degrees);

// The picture with its width capped at 724 and its height at 468 points, each by itself;
// only the size in points changes.
Picture Set_Dimaension(Picture picture);
