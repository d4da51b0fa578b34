#pragma once
// Face detection for the cropping window: an interface, and its implementation over
// OpenCV's cascade classifier with the frontal-face cascade found at configure time
// (the environment variable DOZO_FACE_CASCADE names another file).
#include <QImage>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class FaceDetector {
public:
    virtual ~FaceDetector() = default;
    // The faces found, in picture units, y-up (from the picture's bottom-left corner).
    virtual std::vector<QRectF> Detect_Faces(const QImage &picture) const = 0;
};

// The largest face (by area; the first of equals), none for an empty list.
std::optional<QRectF> Largest_Face(const std::vector<QRectF> &faces);

// The cascade file in use: the environment variable's when set, else the one found at
// configure time (empty when none was).
QString Face_Cascade_Path();

// A detector over the cascade file; null when the file is missing or does not load
// (face mode is then unavailable).
std::unique_ptr<FaceDetector> Make_OpenCv_Face_Detector(const QString &cascadePath = Face_Cascade_Path());
