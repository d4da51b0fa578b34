#include "DropShadow.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

void Blur_Alpha(QImage &image, double radius)
{
    if (!(radius > 0) || image.isNull()) return;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const double sigma = radius / 2;
    const int half = std::max(1, int(std::ceil(3 * sigma)));
    std::vector<float> kernel(size_t(2 * half + 1));
    float sum = 0;
    for (int i = -half; i <= half; ++i) sum += kernel[size_t(i + half)] = float(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float &k : kernel) k /= sum;

    const int w = image.width(), h = image.height();
    std::vector<float> alpha(size_t(w) * size_t(h)), pass(alpha.size());
    for (int y = 0; y < h; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) alpha[size_t(y) * size_t(w) + size_t(x)] = float(qAlpha(row[x]));
    }
    // Separable: along the rows into `pass`, then along the columns back into `alpha`.
    auto convolve = [&](const std::vector<float> &from, std::vector<float> &to, bool rows) {
        const int n = rows ? w : h, lines = rows ? h : w;
        for (int line = 0; line < lines; ++line)
            for (int i = 0; i < n; ++i) {
                float acc = 0;
                for (int k = -half; k <= half; ++k) {
                    const int j = i + k;
                    if (j < 0 || j >= n) continue;
                    const size_t at = rows ? size_t(line) * size_t(w) + size_t(j) : size_t(j) * size_t(w) + size_t(line);
                    acc += from[at] * kernel[size_t(k + half)];
                }
                to[rows ? size_t(line) * size_t(w) + size_t(i) : size_t(i) * size_t(w) + size_t(line)] = acc;
            }
    };
    convolve(alpha, pass, true);
    convolve(pass, alpha, false);
    for (int y = 0; y < h; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = std::clamp(int(std::lround(alpha[size_t(y) * size_t(w) + size_t(x)])), 0, 255);
            row[x] = qRgba(0, 0, 0, a);
        }
    }
}

void Draw_Drop_Shadow(QPainter &painter, const QRectF &area, const QColor &color, double blur, QPointF offset,
                      const std::function<void(QPainter &)> &paintShape)
{
    if (area.isEmpty() || !color.isValid() || color.alpha() == 0) return;
    blur = blur > 0 ? blur : 0;
    // Pixels per point: the painter's scale, kept between 1 and 4 and to a picture of
    // at most about sixteen million pixels.
    const QTransform &t = painter.worldTransform();
    double scale = std::clamp(std::sqrt(std::abs(t.determinant())), 1.0, 4.0);
    const QRectF region = area.adjusted(-2 * blur - 2, -2 * blur - 2, 2 * blur + 2, 2 * blur + 2);
    const double limit = 16.0e6;
    if (region.width() * region.height() * scale * scale > limit)
        scale = std::sqrt(limit / (region.width() * region.height()));
    const QSize pixels(std::max(1, int(std::ceil(region.width() * scale))),
                       std::max(1, int(std::ceil(region.height() * scale))));

    QImage layer(pixels, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        lp.scale(scale, scale);
        lp.translate(-region.topLeft());
        lp.setPen(Qt::black);
        lp.setBrush(Qt::black);
        paintShape(lp);
    }
    Blur_Alpha(layer, blur * scale);
    {
        QPainter lp(&layer);
        lp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        lp.fillRect(layer.rect(), color);
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(region.topLeft() + offset, QSizeF(pixels) / scale), layer);
    painter.restore();
}
