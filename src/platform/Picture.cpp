#include "Picture.h"

#include "FileUtilities.h"
#include "Log.h"
#include "MessageBox.h"
#include "PictureData.h"
#include "PictureLimit.h"

#include <QImageReader>
#include <QPainter>
#include <cmath>
#include <mutex>

struct Picture::VectorForm {
    std::shared_ptr<const PictureVector> drawing;
    std::once_flag rasterised;
    QImage pixels;
};

Picture::Picture(QImage image, QSizeF pointSize) : m_image(std::move(image)), m_size(pointSize)
{
    if (m_image.isNull()) m_size = QSizeF(0, 0);
    else if (m_size.isEmpty()) m_size = QSizeF(m_image.size());
}

Picture Picture::fromVector(std::shared_ptr<const PictureVector> drawing)
{
    Picture p;
    if (!drawing || drawing->size().isEmpty()) return p;
    p.m_size = drawing->size();
    p.m_vector = std::make_shared<VectorForm>();
    p.m_vector->drawing = std::move(drawing);
    return p;
}

const PictureVector *Picture::vector() const { return m_vector ? m_vector->drawing.get() : nullptr; }

const QImage &Picture::image() const
{
    if (!m_vector) return m_image;
    VectorForm &v = *m_vector;
    std::call_once(v.rasterised, [&v] { v.pixels = Rasterise_Vector(*v.drawing, kVectorPixelDpi); });
    return v.pixels;
}

QImage Picture::rasterised(double dpi) const
{
    return m_vector ? Rasterise_Vector(*m_vector->drawing, dpi) : m_image;
}

bool Picture::operator==(const Picture &o) const
{
    if (m_vector || o.m_vector)
        return vector() == o.vector() && m_size == o.m_size;
    return m_image == o.m_image && m_size == o.m_size;
}

QImage Rasterise_Vector(const PictureVector &drawing, double dpi)
{
    const QSizeF points = drawing.size();
    if (points.isEmpty() || !(dpi > 0)) return {};
    const double wide = std::ceil(float(dpi * points.width() / 72.0));
    const double high = std::ceil(float(dpi * points.height() / 72.0));
    if (!Picture_Size_Allowed(wide, high)) {
        Show_NSLog_Message(QStringLiteral("The picture is too large to be made: %1.").arg(Picture_Too_Large_Text(QSizeF(wide, high))));
        return {};
    }
    const int w = int(wide), h = int(high);
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    const int dpm = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    drawing.paint(painter, QRectF(0, 0, w, h));
    return image;
}

Picture Picture::fromFile(const QString &path)
{
    if (path.isEmpty()) return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage img = Read_Whole_Picture(reader);
    if (img.isNull()) return {};
    // Qt gives every image a resolution; one that differs from a fresh image's
    // default came from the file.
    const int defaultDpm = QImage(1, 1, QImage::Format_ARGB32).dotsPerMeterX();
    QSizeF points(img.size());
    if (img.dotsPerMeterX() > 0 && img.dotsPerMeterY() > 0 &&
        (img.dotsPerMeterX() != defaultDpm || img.dotsPerMeterY() != defaultDpm)) {
        const double dpiX = img.dotsPerMeterX() * 0.0254, dpiY = img.dotsPerMeterY() * 0.0254;
        points = QSizeF(img.width() * 72.0 / dpiX, img.height() * 72.0 / dpiY);
    }
    return Picture(std::move(img), points);
}

bool Picture_File_Readable(const QString &path)
{
    if (path.isEmpty()) return false;
    QImageReader reader(path);
    if (!reader.canRead()) return false;
    const QSize stored = reader.size();
    if (stored.isValid() && !Picture_Size_Allowed(QSizeF(stored))) {
        Show_NSLog_Message(QStringLiteral("The picture \"%1\" is too large to be read: %2.")
                               .arg(path, Picture_Too_Large_Text(QSizeF(stored))));
        return false;
    }
    // The preview is read only when the file's data is whole (Read_Whole_Picture).
    return !Thumbnail_Image(path, kPreviewImageSide).isNull();
}

QString Unreadable_Picture_Text() { return QStringLiteral("The chosen file could not be opened as a picture."); }

bool Picture_File_Opens(const QString &path)
{
    if (Picture_File_Readable(path)) return true;
    Show_MessageBox(Unreadable_Picture_Text());
    return false;
}
