#pragma once
// The stored camera pictures and the cut of a drawn rectangle: pure helpers of the
// camera window.
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

// The stem of every stored camera picture.
inline const QString kCameraFileStem = QStringLiteral("dozo_user_save");
// The first name tried in a camera folder: "<folder>/dozo_user_save.png".
QString Camera_Default_Image_Path(const QString &folder);
// The camera folder a new user has: the data folder's "Images_save_by_user".
QString Camera_Default_Folder();

// The path itself when no file is there (nor a link, one leading nowhere too); else, in
// the same folder, the first free "dozo_user_save_<n>.<extension of the path>" for
// n = firstNumber, firstNumber + 1, ...
QString Create_New_Camera_File_Path(const QString &path, int firstNumber);

// The rectangle of the picture (points, y up from its bottom-left corner) under a
// selector frame (view points of the drawn picture) at the view's drawn-per-picture
// ratio. None when a ratio is not above 0 (a picture without size) or the cut has no
// width or height.
std::optional<QRectF> Crop_Rect_In_Picture(const QRectF &frame, QSizeF ratio);
