#pragma once
// Renders one control into a transparent picture and finds where it put ink.
#include "SKTGraphic.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>

namespace probe {

inline QImage render(SKTGraphic &g, QSize size = QSize(400, 300), double scale = 1.0, bool creating = false)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.scale(scale, scale);
    g.drawContentsInView(p, creating, Application_Draw_Context());
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// Bounding rectangle of the pixels that satisfy the test (empty when none do).
inline QRect inkRect(const QImage &img, const std::function<bool(QRgb)> &isInk)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (isInk(img.pixel(x, y))) r |= QRect(x, y, 1, 1);
    return r;
}

inline QRect inkRect(const QImage &img)
{
    return inkRect(img, [](QRgb c) { return qAlpha(c) > 128; });
}

// A mostly opaque pixel whose colour is near the given one.
inline std::function<bool(QRgb)> near(QColor colour)
{
    return [colour](QRgb c) {
        return qAlpha(c) > 128 && std::abs(qRed(c) - colour.red()) < 60 && std::abs(qGreen(c) - colour.green()) < 60 &&
               std::abs(qBlue(c) - colour.blue()) < 60;
    };
}

inline int count(const QImage &img, const std::function<bool(QRgb)> &isInk)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += isInk(img.pixel(x, y)) ? 1 : 0;
    return n;
}

} // namespace probe
