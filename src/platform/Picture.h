#pragma once
// A picture with its size in points (pixels x 72 / dots per inch when the file carries
// a resolution, else one point per pixel). Copies share the pixels.
#include <QImage>
#include <QSizeF>
#include <QString>

class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image, QSizeF pointSize = {});

    static Picture fromFile(const QString &path);

    bool isNull() const { return m_image.isNull(); }
    const QImage &image() const { return m_image; }
    // Size in points; an empty picture has size 0 x 0.
    QSizeF size() const { return m_size; }
    void setSize(QSizeF size) { m_size = size; }

    bool operator==(const Picture &o) const { return m_image == o.m_image && m_size == o.m_size; }

private:
    QImage m_image;
    QSizeF m_size{0, 0};
};
