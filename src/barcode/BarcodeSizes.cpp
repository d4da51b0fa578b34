#include "BarcodeSizes.h"

#include <QCoreApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

Barcode_Unit Barcode_Unit_From_Index(int index)
{
    return index == 0 ? Barcode_Unit::Inch : index == 1 ? Barcode_Unit::Cm : Barcode_Unit::Mm;
}

double Unit_To_Points(double length, Barcode_Unit unit)
{
    switch (unit) {
    case Barcode_Unit::Inch: return length * 72;
    case Barcode_Unit::Cm: return length * 0.393701 * 72;
    case Barcode_Unit::Mm: break;
    }
    return length * 0.393701 * 72 / 10;
}

double Linear_Total_Height(double barHeight, const BarcodeBlock &caption, const BarcodeBlock &header,
                           const BarcodeBlock &footer, double topBottom, Barcode_Unit unit)
{
    double h = Unit_To_Points(barHeight, unit);
    if (caption.printed) h += caption.heightInches * 72 + (caption.hidden ? 0 : Unit_To_Points(caption.margin, unit));
    for (const BarcodeBlock *b : {&header, &footer})
        if (b->printed) h += b->heightInches * 72 + (b->hidden ? 0 : Unit_To_Points(b->margin, unit));
    return h + 2 * Unit_To_Points(topBottom, unit);
}

double Barcode_Total_Width(double symbolWidth, double headerWidth, double footerWidth, double leftRight,
                           Barcode_Unit unit)
{
    const double margin = Unit_To_Points(leftRight, unit);
    return std::max({symbolWidth, headerWidth, footerWidth}) + 2 * margin + (margin > 0 ? 15 : 0);
}

double TwoD_Total_Height(double imageHeight, const BarcodeBlock &header, const BarcodeBlock &footer, double topBottom,
                         Barcode_Unit unit)
{
    double h = imageHeight + 2 * Unit_To_Points(topBottom, unit);
    for (const BarcodeBlock *b : {&header, &footer})
        if (!b->hidden) h += b->heightInches * 72 + Unit_To_Points(b->margin, unit);
    return h;
}

QString Bar_Height_Label(bool twoD, Barcode_Unit unit)
{
    const char *texts[] = {"Bar Height (in):", "Bar Height (cm):", "Bar Height (mm):"};
    return QCoreApplication::translate("Barcode", twoD ? "Bar Height :" : texts[int(unit)]);
}

QString Bar_Width_Label(bool twoD)
{
    return QCoreApplication::translate("Barcode", twoD ? "Bar Width :" : "Bar Width (Mils):");
}

QString Margins_Label(Barcode_Unit unit)
{
    const char *texts[] = {"Margins (in)", "Margins (cm)", "Margins (mm)"};
    return QCoreApplication::translate("Barcode", texts[int(unit)]);
}

int QR_Size_Floor(int version)
{
    return std::max(4 * (version - 1) + 21, 21);
}

std::optional<QSize> Barcode_Pixel_Size(QSizeF points, double dpi)
{
    const double w = std::ceil(float(dpi * points.width() / 72)), h = std::ceil(float(dpi * points.height() / 72));
    if (!(dpi > 0) || !Picture_Size_Allowed(w, h)) return std::nullopt;
    return QSize(int(w), int(h));
}

Picture Increase_DPI(const Picture &picture, double dpi)
{
    const std::optional<QSize> size = Barcode_Pixel_Size(picture.size(), dpi);  // none for an empty picture
    if (!size) {
        qWarning("Invalid image");
        return {};
    }
    const QSizeF points = picture.size();
    const QSize pixels = *size;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), pixels), picture.image());
    painter.end();
    return Picture(image, points);
}

QImage Resize_Image(const QImage &image, QSize size)
{
    if (image.isNull() || size.isEmpty()) {
        qWarning("Invalid image");
        return {};
    }
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

bool Save_Barcode_Image(const Picture &picture, const QString &path)
{
    if (picture.isNull()) return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && picture.image().save(&file, "PNG") && file.commit();
}

QImage Flip_Vertically(const QImage &image)
{
    return image.mirrored(false, true);
}

QImage Flip_Horizontally(const QImage &image)
{
    return image.mirrored(true, false);
}
