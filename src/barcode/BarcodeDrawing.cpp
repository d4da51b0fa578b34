#include "BarcodeDrawing.h"

#include "BarcodeText.h"

#include <QPaintEngine>
#include <QPainter>
#include <cstring>
#include <map>
#include <vector>

namespace {

// Above this many runs a raster is not worth drawing as rectangles.
constexpr size_t kMaxRuns = 20000;

// The pixels as filled areas, one per colour: each run of equal pixels in a band of
// identical rows becomes a rectangle, transparent runs none. The painted result is
// the raster itself, unsmoothed and exact; none for an image with more runs than
// kMaxRuns.
std::shared_ptr<const BarcodeDrawing::Raster_Areas> rasterAreas(const QRectF &target, const QImage &source)
{
    auto out = std::make_shared<BarcodeDrawing::Raster_Areas>();
    const QImage::Format format = source.format();
    const bool direct = format == QImage::Format_ARGB32 || format == QImage::Format_ARGB32_Premultiplied ||
                        format == QImage::Format_RGB32;
    const QImage image = direct ? source : source.convertToFormat(QImage::Format_ARGB32);
    const bool premultiplied = format == QImage::Format_ARGB32_Premultiplied;
    const int w = image.width(), h = image.height();
    if (w <= 0 || h <= 0) return out;
    const double sx = target.width() / w, sy = target.height() / h;
    const size_t lineBytes = size_t(w) * sizeof(QRgb);
    std::map<QRgb, std::vector<QRectF>> areas;
    size_t runs = 0;
    for (int top = 0; top < h;) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(top));
        int bottom = top + 1;
        while (bottom < h && std::memcmp(image.constScanLine(bottom), line, lineBytes) == 0) ++bottom;
        for (int x = 0; x < w;) {
            int end = x + 1;
            while (end < w && line[end] == line[x]) ++end;
            if (qAlpha(line[x]) != 0) {
                if (++runs > kMaxRuns) return {};
                const QRgb colour = format == QImage::Format_RGB32 ? (line[x] | 0xff000000u)
                                    : premultiplied                ? qUnpremultiply(line[x])
                                                                   : line[x];
                areas[colour].emplace_back(target.x() + x * sx, target.y() + top * sy, (end - x) * sx,
                                           (bottom - top) * sy);
            }
            x = end;
        }
        top = bottom;
    }
    out->fills.reserve(areas.size());
    for (auto &[colour, rects] : areas) out->fills.emplace_back(QColor::fromRgba(colour), std::move(rects));
    return out;
}

void paintAreas(QPainter &painter, const BarcodeDrawing::Raster_Areas &areas)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (const auto &[colour, rects] : areas.fills) {
        painter.setBrush(colour);
        painter.drawRects(rects.data(), int(rects.size()));
    }
    painter.restore();
}

// A symbol raster on a PDF page or a printer is written as filled areas: exact, compact
// and cheap to write, where an image would be compressed lossily. Elsewhere, and for a
// raster of too many runs, it is drawn as pixels (losslessly where the engine asks).
void paintRaster(QPainter &painter, const BarcodeDrawing::Image &item)
{
    const QPaintEngine *engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Pdf) {
        std::shared_ptr<const BarcodeDrawing::Raster_Areas> areas = item.areas;
        if (!areas) areas = rasterAreas(item.rect, item.picture.image());
        if (areas) {
            paintAreas(painter, *areas);
            return;
        }
    }
    painter.save();
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.drawImage(item.rect, item.picture.image());
    painter.restore();
}

} // namespace

void BarcodeDrawing::add(Image item)
{
    if (!item.areas && !item.picture.vector() && !item.picture.isNull())
        item.areas = rasterAreas(item.rect, item.picture.image());
    m_items.emplace_back(std::in_place_type<Image>, std::move(item));
}

void BarcodeDrawing::paint(QPainter &painter, const QRectF &target) const
{
    if (m_size.isEmpty()) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_size.width(), target.height() / m_size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const Item &item : m_items) {
        if (const Fill *f = std::get_if<Fill>(&item)) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.fillRect(f->rect, f->color);
        } else if (const Text *t = std::get_if<Text>(&item)) {
            painter.setPen(t->color);
            BarcodeTextLayout(t->text, t->font, t->alignment, t->kerning)
                .draw(painter, t->rect.topLeft(), t->rect.width());
        } else if (const Image *i = std::get_if<Image>(&item)) {
            if (const PictureVector *v = i->picture.vector()) v->paint(painter, i->rect);
            else paintRaster(painter, *i);
        }
    }
    painter.restore();
}
