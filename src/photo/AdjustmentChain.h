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
#include "PictureAdjuster.h"

// The source through the chain. When rotateOnBox is set the result is turned clockwise
// by the rotation truncated toward zero, into the box the source fills (see
// imageRotatedByDegrees_On_Ctrl_Bound). Neutral settings give back the source itself.
Picture Get_Processed_Image_Full_Combined(const Picture &source, const ImageAdjustments &settings,
                                         bool rotateOnBox);

// The picture turned by the angle (degrees, counter-clockwise positive as in a y-up
// drawing space) about its centre onto a canvas of the turned picture's bounding box,
// reported at the source's size: drawn at that size it shows the whole turned picture
// inside the box the unturned picture filled.
Picture imageRotatedByDegrees_On_Ctrl_Bound(const Picture &source, double degrees);

// The picture with its width capped at 724 and its height at 468 points, each by itself;
// only the size in points changes.
Picture Set_Dimaension(Picture picture);
