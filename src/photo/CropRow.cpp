#include "CropRow.h"

QRectF Face_Selection_Frame(const QRectF &face, double growth, QSizeF ratio)
{
    const QRectF g = Grow_Face_Rect(face, growth);
    return {g.x() * ratio.width(), g.y() * ratio.height(), g.width() * ratio.width(), g.height() * ratio.height()};
}

Crop_Result Crop_Picture(const QImage &shown, const Crop_Cut_Settings &settings, const FaceDetector *detector)
{
    Crop_Result result;
    if (shown.isNull() || shown.width() <= 0 || shown.height() <= 0)
        return result;  // an undecodable picture: nothing to divide by
    if (settings.mode == Crop_Mode::Fixed) {
        result.image = Crop_By_Given_Size(shown, settings.width, settings.height, settings.aspect);
        result.outcome = result.image.isNull() ? Crop_Outcome::Empty : Crop_Outcome::Cut;
        return result;
    }
    const QSizeF ratio = Image_Ratio(QSizeF(shown.size()), settings.drawing, settings.scaling);
    QRectF frame = settings.selection;
    if (settings.mode == Crop_Mode::Face) {
        const auto face = detector ? Largest_Face(detector->Detect_Faces(shown)) : std::nullopt;
        if (!face) {
            result.outcome = Crop_Outcome::No_Face;
            return result;
        }
        frame = Face_Selection_Frame(*face, settings.growth, ratio);
    }
    result.source = Crop_Source_Rect(frame, ratio);
    result.image = Cut_Picture(shown, result.source);
    result.outcome = result.image.isNull() ? Crop_Outcome::Empty : Crop_Outcome::Cut;
    return result;
}
