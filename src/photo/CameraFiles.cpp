#include "CameraFiles.h"

#include "FileUtilities.h"
#include "Globals.h"

#include <QDir>
#include <QFileInfo>

QString Camera_Default_Image_Path(const QString &folder)
{
    return QDir(folder).filePath(kCameraFileStem + QStringLiteral(".png"));
}

QString Camera_Default_Folder() { return Created_Resource_Path + QStringLiteral("Images_save_by_user"); }

QString Create_New_Camera_File_Path(const QString &path, int firstNumber)
{
    if (!Path_Is_Taken(path)) return path;
    const QFileInfo info(path);
    const QDir folder = info.dir();
    const QString extension = info.suffix();
    QString candidate = path;
    // Only the last component changes; the folder stays as it was given.
    for (int n = firstNumber; n < firstNumber + 100000; ++n) {
        candidate = folder.filePath(QStringLiteral("%1_%2.%3").arg(kCameraFileStem).arg(n).arg(extension));
        if (!Path_Is_Taken(candidate)) return candidate;
    }
    return candidate;
}

std::optional<QRectF> Crop_Rect_In_Picture(const QRectF &frame, QSizeF ratio)
{
    if (!(ratio.width() > 0) || !(ratio.height() > 0)) return std::nullopt;
    const QRectF cut(frame.x() / ratio.width(), frame.y() / ratio.height(), frame.width() / ratio.width(),
                     frame.height() / ratio.height());
    if (!(cut.width() > 0) || !(cut.height() > 0)) return std::nullopt;
    return cut;
}
