#include "DirectCropNames.h"

#include "TextBytes.h"

#include <QFileInfo>

namespace {
const QStringList kWritable{"png", "jpg", "jpeg", "bmp", "tif", "tiff"};
const QStringList kReadable{"png", "jpg", "jpeg", "bmp", "tif", "tiff", "gif"};
} // namespace

QString Direct_Crop_File_Name(const QString &input)
{
    const QFileInfo info(input.trimmed());
    if (kWritable.contains(info.suffix().toLower())) return info.fileName();
    return info.completeBaseName() + QStringLiteral(".png");
}

QStringList Direct_Series_Rows(const QByteArray &bytes)
{
    QStringList rows = Split_Text_Lines(Decode_Text_Bytes(bytes).trimmed());
    for (QString &row : rows) row = row.trimmed();
    return rows;
}

bool Any_Picture_File(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QFileInfo info(path.trimmed());
        if (!path.trimmed().isEmpty() && info.isFile() && kReadable.contains(info.suffix().toLower())) return true;
    }
    return false;
}
