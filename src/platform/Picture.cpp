#include "Picture.h"

#include <QImageReader>

Picture::Picture(QImage image, QSizeF pointSize) : m_image(std::move(image)), m_size(pointSize)
{
    if (m_image.isNull()) m_size = QSizeF(0, 0);
    else if (m_size.isEmpty()) m_size = QSizeF(m_image.size());
}

Picture Picture::fromFile(const QString &path)
{
    if (path.isEmpty()) return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage img = reader.read();
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
