#pragma once
// The photo text of a visit: a picture path, optionally followed by the marker
// "<IMG_FILTER>" and seventeen picture settings, each ended by "_": flip horizontally,
// flip vertically, grey scale, sepia, rotation, sharpen, exposure, blur, saturation,
// brightness, contrast, hue, transparency, border, border width, border type and
// border colour (a stored colour text). The settings belong to that one photo.
#include <QString>

struct Visitor_Photo_Text {
    QString path;
    bool hasSettings = false;
    bool flipH = false, flipV = false, grayScale = false, sepia = false;
    int rotation = 0;  // whole degrees, within one turn (-359 to 359)
    double sharpen = 0, exposure = 0, blur = 0, saturation = 1, brightness = 0, contrast = 1, hue = 0,
           transparency = 0;
    bool border = false;
    double borderWidth = 0;
    QString borderType;
    QString borderColour;  // empty: black

    bool operator==(const Visitor_Photo_Text &) const = default;
};

// The path trimmed; with the marker and text after it, the settings read from the
// pieces between "_" (each trimmed; a piece after the last "_" is not used). A flag
// is set by a text starting with Y, y, T, t or a non-zero number; a number that does
// not read, or is too large to be finite, is 0.
Visitor_Photo_Text Parse_Visitor_Photo_Text(const QString &text);
