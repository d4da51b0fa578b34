#pragma once
// One picture's cut, from a snapshot of everything it depends on: the mode, the
// selector's frame in view points (y-up), the view's drawing rectangle and scaling (for
// the view-to-picture ratio of this picture), the face growth and the fixed size. Used
// by the Crop button and by every row of Crop All; callable from any thread.
#include "CropEngine.h"
#include "FaceDetector.h"
#include "PictureViewGeometry.h"

enum class Crop_Mode { Drawn = 0, Face = 1, Fixed = 2 };

struct Crop_Cut_Settings {
    Crop_Mode mode = Crop_Mode::Drawn;
    QRectF selection;  // view points, y-up from the drawn picture's bottom-left corner
    QRectF drawing;    // the view's drawing rectangle
    ImageScaling scaling = ImageScaling::ProportionallyDown;
    double growth = 0;  // face growth, percent
    double width = 50, height = 50;
    bool aspect = false;
};

enum class Crop_Outcome { Cut, No_Picture, No_Face, Empty };

struct Crop_Result {
    Crop_Outcome outcome = Crop_Outcome::No_Picture;
    QImage image;       // the cut, when outcome is Cut
    QRectF source;      // the cut rectangle in picture units, y-up (drawn and face modes)
};

// The face rectangle as a selector frame in view points: the detected face (picture
// units, y-up) grown by `growth` percent and multiplied by the view's ratio, the same
// ratio the cut divides by.
QRectF Face_Selection_Frame(const QRectF &face, double growth, QSizeF ratio);

// Cuts the shown (adjusted) picture. Face mode asks the detector (none: No_Face) and
// cuts its largest face grown by the percentage; a rectangle without width or height
// gives Empty.
Crop_Result Crop_Picture(const QImage &shown, const Crop_Cut_Settings &settings, const FaceDetector *detector);
