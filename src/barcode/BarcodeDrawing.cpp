#include "BarcodeDrawing.h"

#include "BarcodeText.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <vector>

namespace {

// Above this many runs a raster is not worth drawing as rectangles.
constexpr size_t kMaxRuns = 20000;

// The pixels as filled areas, one per colour: each run of equal pixels becomes a
// rectangle, grown downwards while the rows below hold the very same run (so a square
// module of a 2D symbol is one rectangle); transparent runs none, nor runs of the
// colour `ground` (when valid). The painted result is the raster itself, unsmoothed and
// exact; none for an image with more runs than kMaxRuns.
std::shared_ptr<const BarcodeDrawing::Raster_Areas> rasterAreas(const QRectF &target, const QImage &source,
                                                                 QRgb ground = 0)
{
    auto out = std::make_shared<BarcodeDrawing::Raster_Areas>();
    const QImage::Format format = source.format();
    const bool direct = format == QImage::Format_ARGB32 || format == QImage::Format_ARGB32_Premultiplied ||
                        format == QImage::Format_RGB32;
    const QImage image = direct ? source : source.convertToFormat(QImage::Format_ARGB32);
    const bool premultiplied = format == QImage::Format_ARGB32_Premultiplied;
    const int w = image.width(), h = image.height();
    if (w <= 0 || h <= 0) return out;
    out->origin = target.topLeft();
    out->pixel = QSizeF(target.width() / w, target.height() / h);
    struct Area {
        int x, end, top, bottom;
        QRgb colour;
    };
    std::vector<Area> areas;
    // The areas that reach the bottom of the row above, by their first column (none: -1).
    std::vector<std::ptrdiff_t> open(size_t(w), -1), next(size_t(w), -1);
    size_t runs = 0;
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        std::fill(next.begin(), next.end(), -1);
        for (int x = 0; x < w;) {
            int end = x + 1;
            while (end < w && line[end] == line[x]) ++end;
            if (qAlpha(line[x]) != 0) {
                const QRgb colour = format == QImage::Format_RGB32 ? (line[x] | 0xff000000u)
                                    : premultiplied                ? qUnpremultiply(line[x])
                                                                   : line[x];
                const std::ptrdiff_t above = open[size_t(x)];
                if (colour == ground && qAlpha(ground) == 255) {
                } else if (above >= 0 && areas[size_t(above)].end == end && areas[size_t(above)].colour == colour) {
                    areas[size_t(above)].bottom = y + 1;
                    next[size_t(x)] = above;
                } else {
                    if (++runs > kMaxRuns) return {};
                    areas.push_back(Area{x, end, y, y + 1, colour});
                    next[size_t(x)] = std::ptrdiff_t(areas.size()) - 1;
                }
            }
            x = end;
        }
        open.swap(next);
    }
    std::map<QRgb, std::vector<QRectF>> byColour;
    for (const Area &a : areas) byColour[a.colour].emplace_back(a.x, a.top, a.end - a.x, a.bottom - a.top);
    out->fills.reserve(byColour.size());
    for (auto &[colour, rects] : byColour) out->fills.emplace_back(QColor::fromRgba(colour), std::move(rects));
    return out;
}

void paintAreas(QPainter &painter, const BarcodeDrawing::Raster_Areas &areas)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.translate(areas.origin);
    painter.scale(areas.pixel.width(), areas.pixel.height());
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

std::optional<Bar_Row> Bars_In_Units(const std::vector<QRectF> &rects)
{
    if (rects.empty()) return std::nullopt;
    const QRectF &first = rects.front();
    double left = first.left(), narrowest = first.width();
    for (const QRectF &r : rects) {
        if (!qFuzzyCompare(r.top() + 1, first.top() + 1) || !qFuzzyCompare(r.height(), first.height())) return std::nullopt;
        left = std::min(left, r.left());
        narrowest = std::min(narrowest, r.width());
    }
    if (!(narrowest > 0) || !(first.height() > 0)) return std::nullopt;
    Bar_Row row{QPointF(left, first.top()), QSizeF(narrowest, first.height()), {}};
    row.bars.reserve(rects.size());
    const auto units = [&](double length, long &out) {
        const double u = length / narrowest;
        out = std::lround(u);
        return std::abs(u - double(out)) <= 1e-3 && out < (1L << 24);
    };
    for (const QRectF &r : rects) {
        long x = 0, w = 0;
        if (!units(r.left() - left, x) || !units(r.width(), w)) return std::nullopt;
        row.bars.emplace_back(int(x), 0, int(w), 1);
    }
    return row;
}

void BarcodeDrawing::add(Image item)
{
    if (!item.areas && !item.picture.vector() && !item.picture.isNull()) {
        // The ground: the last item that reaches the picture, when it is an opaque fill
        // holding all of it.
        QRgb ground = 0;
        for (auto i = m_items.rbegin(); i != m_items.rend(); ++i) {
            const QRectF reach = std::visit([](const auto &earlier) { return earlier.rect; }, *i);
            if (!reach.intersects(item.rect)) continue;
            const Fill *f = std::get_if<Fill>(&*i);
            if (f && f->color.alpha() == 255 && f->rect.contains(item.rect)) ground = f->color.rgba();
            break;
        }
        item.areas = rasterAreas(item.rect, item.picture.image(), ground);
    }
    m_items.emplace_back(std::in_place_type<Image>, std::move(item));
}

void BarcodeDrawing::paint(QPainter &painter, const QRectF &target) const
{
    if (m_size.isEmpty()) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_size.width(), target.height() / m_size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // On a PDF page or a printer, neighbouring fills of one colour (the bars of a linear
    // symbol) are written as one list of rectangles under one graphics state.
    const QPaintEngine *engine = painter.paintEngine();
    const bool vectorPage = engine && engine->type() == QPaintEngine::Pdf;
    std::vector<QRectF> batch;
    QColor batchColour;
    const auto flush = [&] {
        if (batch.empty()) return;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(batchColour);
        if (const std::optional<Bar_Row> row = Bars_In_Units(batch)) {
            painter.translate(row->origin);
            painter.scale(row->unit.width(), row->unit.height());
            painter.drawRects(row->bars.data(), int(row->bars.size()));
        } else {
            painter.drawRects(batch.data(), int(batch.size()));
        }
        painter.restore();
        batch.clear();
    };
    for (const Item &item : m_items) {
        const Fill *f = std::get_if<Fill>(&item);
        if (vectorPage && f) {
            if (!batch.empty() && f->color != batchColour) flush();
            batchColour = f->color;
            batch.push_back(f->rect);
            continue;
        }
        flush();
        if (f) {
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
    flush();
    painter.restore();
}
