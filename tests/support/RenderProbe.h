#pragma once
// Renders one control into a transparent picture and finds where it put ink; a
// quadrant test picture and the colours of a rectangle's quarters.
#include "AsLoadedAdjuster.h"
#include "SKTGraphic.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <array>
#include <functional>

#include "TestSupport.h"
#include <gtest/gtest.h>

namespace probe {

// Red, green / blue, transparent quadrants of 10 by 10 pixels.
inline QImage quadrants()
{
    QImage img(20, 20, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (x < 10 || y < 10) img.setPixel(x, y, y < 10 ? (x < 10 ? qRgb(255, 0, 0) : qRgb(0, 255, 0)) : qRgb(0, 0, 255));
    return img;
}

inline QString writeQuadrants(const QString &name)
{
    const QString path = testsupport::testHome() + "/" + name;
    EXPECT_TRUE(quadrants().save(path));
    return path;
}

// The colour at the centre of each quarter of the rectangle (top-left, top-right,
// bottom-left, bottom-right).
inline std::array<QRgb, 4> quarterColours(const QImage &img, QRect r)
{
    const int x1 = r.left() + r.width() / 4, x2 = r.left() + 3 * r.width() / 4;
    const int y1 = r.top() + r.height() / 4, y2 = r.top() + 3 * r.height() / 4;
    return {img.pixel(x1, y1), img.pixel(x2, y1), img.pixel(x1, y2), img.pixel(x2, y2)};
}

inline QImage render(SKTGraphic &g, QSize size = QSize(400, 300), double scale = 1.0, bool creating = false,
                     const PictureAdjuster &adjuster = asLoaded())
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.scale(scale, scale);
    g.drawContentsInView(p, creating, Application_Draw_Context(adjuster));
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
