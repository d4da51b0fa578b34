#include "DirectCropNames.h"

#include "TextBytes.h"

#include <QFileInfo>

#include <algorithm>

namespace {
const QStringList kWritable{"png", "jpg", "jpeg", "bmp", "tif", "tiff"};
const QStringList kReadable{"png", "jpg", "jpeg", "bmp", "tif", "tiff", "gif"};
constexpr int kRowsNamed = 5;  // as many as Crop All names
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

Direct_Column Direct_Column_Cells(const QStringList &inputs, const QStringList &written)
{
    Direct_Column column;
    for (int row = 0; row < inputs.size(); ++row) {
        const QString input = inputs[row].trimmed();
        QString cell = row < written.size() ? written[row] : QString();
        if (!cell.isEmpty()) {
            ++column.cropped;
        } else if (row < written.size() && !input.isEmpty()) {
            cell = input;
            column.uncut << row;
        } else if (row < written.size()) {
            column.blank << row;
        }
        column.cells << cell;
    }
    return column;
}

QString Direct_Column_Message(const QStringList &inputs, const Direct_Column &column)
{
    if (column.uncut.isEmpty()) return QStringLiteral("Image has been cropped successfully.");
    QList<int> kept = column.uncut + column.blank;
    std::sort(kept.begin(), kept.end());
    QString text = QStringLiteral("Pictures cropped: %1 of %2.\n\nPictures that could not be cropped, kept as they "
                                  "were: %3")
                       .arg(column.cropped)
                       .arg(inputs.size())
                       .arg(kept.size());
    for (int i = 0; i < kept.size() && i < kRowsNamed; ++i) {
        const int row = kept[i];
        const QString input = inputs[row].trimmed();
        text += input.isEmpty() ? QStringLiteral("\nRow %1: no picture").arg(row + 1)
                                : QStringLiteral("\nRow %1: \"%2\"").arg(row + 1).arg(QFileInfo(input).fileName());
    }
    if (kept.size() > kRowsNamed) text += QStringLiteral("\nand %1 more").arg(kept.size() - kRowsNamed);
    return text;
}
