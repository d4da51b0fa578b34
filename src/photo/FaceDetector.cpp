#include "FaceDetector.h"

#include <QFileInfo>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <mutex>

#ifndef DOZO_FACE_CASCADE_FILE
#define DOZO_FACE_CASCADE_FILE ""
#endif

std::optional<QRectF> Largest_Face(const std::vector<QRectF> &faces)
{
    std::optional<QRectF> best;
    for (const QRectF &face : faces)
        if (!best || face.width() * face.height() > best->width() * best->height())
            best = face;
    return best;
}

QString Face_Cascade_Path()
{
    const QString fromEnv = qEnvironmentVariable("DOZO_FACE_CASCADE");
    return fromEnv.isEmpty() ? QString::fromUtf8(DOZO_FACE_CASCADE_FILE) : fromEnv;
}

namespace {

class OpenCvFaceDetector final : public FaceDetector {
public:
    bool Load(const QString &path)
    {
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return false;
        try {
            return classifier_.load(path.toStdString()) && !classifier_.empty();
        } catch (const cv::Exception &) {
            return false;
        }
    }

    std::vector<QRectF> Detect_Faces(const QImage &picture) const override
    {
        if (picture.isNull())
            return {};
        QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
        cv::Mat mat(grey.height(), grey.width(), CV_8UC1, grey.bits(), size_t(grey.bytesPerLine()));
        std::vector<cv::Rect> found;
        try {
            // The classifier keeps scratch data of its own: one detection at a time.
            std::lock_guard lock(mutex_);
            classifier_.detectMultiScale(mat, found, 1.1, 3, 0, cv::Size(24, 24));
        } catch (const cv::Exception &) {
            return {};
        }
        std::vector<QRectF> faces;
        faces.reserve(found.size());
        for (const cv::Rect &r : found)
            faces.emplace_back(r.x, grey.height() - r.y - r.height, r.width, r.height);
        return faces;
    }

private:
    mutable cv::CascadeClassifier classifier_;
    mutable std::mutex mutex_;
};

}  // namespace

std::unique_ptr<FaceDetector> Make_OpenCv_Face_Detector(const QString &cascadePath)
{
    auto detector = std::make_unique<OpenCvFaceDetector>();
    if (!detector->Load(cascadePath))
        return nullptr;
    return detector;
}
