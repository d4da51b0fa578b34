#include "CropEngine.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

QRectF Crop_Source_Rect(const QRectF &selection, QSizeF ratio)
{
    const double rx = ratio.width(), ry = ratio.height();
    if (rx <= 0 || ry <= 0)
        return {};
    return {selection.x() / rx, selection.y() / ry, selection.width() / rx, selection.height() / ry};
}

QRectF Flip_Rect_Y(const QRectF &rect, double height)
{
    return {rect.x(), height - rect.y() - rect.height(), rect.width(), rect.height()};
}

namespace {

// A new transparent picture of `size` (whole pixels) with `source` (all of the picture
// when null) drawn over all of it; none for an empty picture or size.
QImage drawnWhole(const QImage &picture, QSizeF size, const QRectF &source, bool smooth)
{
    const int w = int(size.width()), h = int(size.height());
    if (picture.isNull() || w <= 0 || h <= 0)
        return {};
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter.drawImage(QRectF(0, 0, w, h), picture, source.isNull() ? QRectF(picture.rect()) : source);
    return out;
}

} // namespace

QImage Cut_Picture(const QImage &picture, const QRectF &sourceYUp)
{
    return drawnWhole(picture, sourceYUp.size(), Flip_Rect_Y(sourceYUp, picture.height()), false);
}

QRectF Grow_Face_Rect(const QRectF &face, double percent)
{
    const float dx = float(percent * face.width() / 100.0);
    const float dy = float(percent * face.height() / 100.0);
    return {face.x() - dx / 2, face.y() - dy / 2, face.width() + dx, face.height() + dy};
}

double Face_Scale(QSizeF picture, QSizeF view)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return 1.0;
    if (picture.width() - view.width() >= picture.height() - view.height())
        return view.width() / picture.width();
    return view.height() / picture.height();
}

QSizeF Fixed_Crop_Size(double width, double height, QSizeF picture, bool aspect)
{
    if (!aspect || picture.width() <= 0 || picture.height() <= 0)
        return {width, height};
    const float s = std::min(float(width / picture.width()), float(height / picture.height()));
    return {picture.width() * s, picture.height() * s};
}

QImage Crop_By_Given_Size(const QImage &picture, double width, double height, bool aspect)
{
    return drawnWhole(picture, Fixed_Crop_Size(width, height, picture.size(), aspect), QRectF(), true);
}

QString Crop_Format_Extension(int format)
{
    static const char *const names[] = {"jpg", "bmp", "png", "tiff"};
    return format >= 0 && format < 4 ? QString::fromLatin1(names[format]) : QString();
}

QString Cropped_File_Name(const QString &outputFolder, bool customName, const QString &name,
                          const QString &inputPath, int format, int counter)
{
    QString base = customName ? name : QFileInfo(inputPath).completeBaseName();
    if (customName && counter > 0)
        base = QStringLiteral("%1_%2").arg(name).arg(counter);
    QString path = outputFolder + u'/' + base;
    const QString ext = Crop_Format_Extension(format);
    if (!ext.isEmpty())
        path += u'.' + ext;
    return path;
}

QString Crop_Custom_Name_Refusal(const QString &typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty()) return QStringLiteral("Please select output file custom name.");
    if (name.contains(u'/')) return QStringLiteral("Please enter valid file name.");
    return {};
}

Size_Text Crop_Size_Text_Rule(const QString &typed)
{
    QString s = typed.trimmed();
    const auto emptyOrZero = [](const QString &t) { return t.isEmpty() || t.toInt() == 0; };
    if (emptyOrZero(s))
        s = QStringLiteral("1");
    if (s.size() > 5)
        s = s.left(5);
    if (emptyOrZero(s))
        s = QStringLiteral("1");
    if (s.toInt() > 10000)
        s = QStringLiteral("10000");
    return {s, s.toInt()};
}
