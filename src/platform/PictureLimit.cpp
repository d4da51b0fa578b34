#include "PictureLimit.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

QSizeF Picture_Pixels(QSizeF points, double pixelsPerPoint)
{
    const auto side = [pixelsPerPoint](double p) { return std::max(1.0, std::ceil(p * pixelsPerPoint - 1e-6)); };
    return QSizeF(side(points.width()), side(points.height()));
}

bool Picture_Size_Allowed(double width, double height)
{
    // Comparisons with NaN are false; an infinite side fails the product.
    return width >= 1 && height >= 1 && width * height <= double(kLargestPicturePixels);
}

QString Picture_Too_Large_Text(QSizeF pixels)
{
    const QLocale english(QLocale::English);
    const qint64 millions = kLargestPicturePixels / 1'000'000;
    const auto number = [&](double v) { return english.toString(qint64(v)); };
    const bool finite = std::isfinite(pixels.width()) && std::isfinite(pixels.height()) && pixels.width() < 1e15 &&
                        pixels.height() < 1e15;
    if (!finite) return QStringLiteral("it would have more than the %1 million pixels a picture can have").arg(millions);
    return QStringLiteral("it would be %1 x %2 pixels, more than the %3 million pixels a picture can have")
        .arg(number(pixels.width()), number(pixels.height()))
        .arg(millions);
}
