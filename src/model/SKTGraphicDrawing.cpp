// Drawing, handles, hit-testing and resizing of the card control base.
#include "SKTGraphic.h"


#include "Rotation.h"

#include "Globals.h"

#include <optional>
#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <cmath>
#include <optional>

void SKTGraphic::drawContentsInView(QPainter &, bool, const DrawContext &) {}

QPainterPath SKTGraphic::bezierPathForDrawing() const { return {}; }

QRectF SKTGraphic::handleFrame() const
{
    // A rotated text control keeps its handles on the upright rectangle around it; a
    // shape keeps them on its unrotated bounds.
    if (kind() == GraphicKind::Text && text_rotation != 0) return Rotated_Path_Rect(bounds(), float(text_rotation));
    return bounds();
}

namespace {
// The union of each graphic's rectangle; nullopt for no graphic.
std::optional<QRectF> unitedRects(const std::vector<GraphicPtr> &graphics, QRectF (SKTGraphic::*rect)() const)
{
    std::optional<QRectF> r;
    for (const GraphicPtr &g : graphics)
        if (g) r = r ? r->united(((*g).*rect)()) : ((*g).*rect)();
    return r;
}
} // namespace

QRectF SKTGraphic::boundsOfGraphics(const std::vector<GraphicPtr> &graphics)
{
    return unitedRects(graphics, &SKTGraphic::bounds).value_or(QRectF());
}

QRectF SKTGraphic::drawingBoundsOfGraphics(const std::vector<GraphicPtr> &graphics)
{
    return unitedRects(graphics, &SKTGraphic::drawingBounds).value_or(GraphicOwner::kDefaultCardBounds);
}

QPainterPath SKTGraphic::Rotated_Control_Path() const
{
    QPainterPath path;
    path.addRect(bounds());
    const QPointF centre(float(bounds().x() + bounds().width() / 2), float(bounds().y() + bounds().height() / 2));
    return rotatedPath(path, text_rotation, centre);
}

namespace {
// Handle points of a frame, numbered 1 to 8 (index 0 unused).
std::array<QPointF, 9> handlePoints(const QRectF &r)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    return {QPointF(), QPointF(x, y), QPointF(x + w / 2, y), QPointF(x + w, y), QPointF(x, y + h / 2),
            QPointF(x + w, y + h / 2), QPointF(x, y + h), QPointF(x + w / 2, y + h), QPointF(x + w, y + h)};
}

constexpr int kHorizontalFlip[9] = {0, 3, 2, 1, 5, 4, 8, 7, 6};
constexpr int kVerticalFlip[9] = {0, 6, 7, 8, 4, 5, 1, 2, 3};


// One axis of a handle drag to p: a handle on the start edge moves it (the far edge
// stays), one on the end edge sets the size. A size that went below zero is turned
// around the far edge; true then (the control flips on this axis).
bool dragEdge(double &start, double &size, double p, bool onStart, bool onEnd)
{
    if (onStart) {
        size = (start + size) - p;
        start = p;
    } else if (onEnd) {
        size = p - start;
    }
    if (size >= 0) return false;
    size = -size;
    start -= size;
    return true;
}
} // namespace

void SKTGraphic::drawHandlesInView(QPainter &painter, bool locked) const
{
    const auto points = handlePoints(handleFrame());
    for (int h = 1; h <= 8; ++h) drawHandleInView(painter, points[h], locked);
}

void SKTGraphic::drawHandleInView(QPainter &painter, QPointF point, bool locked)
{
    // Aligned to whole device pixels so the squares stay crisp at any zoom.
    const QTransform t = painter.worldTransform();
    const QRectF device = t.mapRect(QRectF(point.x() - SKTGraphicHandleHalfWidth, point.y() - SKTGraphicHandleHalfWidth,
                                           SKTGraphicHandleWidth, SKTGraphicHandleWidth));
    const QRectF aligned(std::round(device.x()), std::round(device.y()), std::round(device.width()),
                         std::round(device.height()));
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(aligned.translated(1, 1), QColor(64, 64, 64));
    painter.fillRect(aligned, locked ? QColor(Qt::red) : QColor(94, 129, 172));
    painter.restore();
}

bool SKTGraphic::canMakeNaturalSize() const { return bounds().width() != bounds().height(); }

bool SKTGraphic::isContentsUnderPoint(QPointF point) const { return SKTGraphic::pointInRect(point, bounds()); }

bool SKTGraphic::isHandleAtPoint(QPointF handlePoint, QPointF point)
{
    return SKTGraphic::pointInRect(point, QRectF(handlePoint.x() - SKTGraphicHandleHalfWidth, handlePoint.y() - SKTGraphicHandleHalfWidth,
                                     SKTGraphicHandleWidth, SKTGraphicHandleWidth));
}

int SKTGraphic::handleUnderPoint(QPointF point) const
{
    const auto points = handlePoints(handleFrame());
    for (int h = 1; h <= 8; ++h)
        if (isHandleAtPoint(points[h], point)) return h;
    return SKTGraphicNoHandle;
}

int SKTGraphic::resizeByMovingHandle(int handle, QPointF p)
{
    if (kind() == GraphicKind::Barcode || handle < 1 || handle > 8) return SKTGraphicNoHandle;
    double x = bounds().x(), y = bounds().y(), w = bounds().width(), h = bounds().height();
    if (dragEdge(x, w, p.x(), handle == 1 || handle == 4 || handle == 6, handle == 3 || handle == 5 || handle == 8)) {
        handle = kHorizontalFlip[handle];
        flipHorizontally();
    }
    if (dragEdge(y, h, p.y(), handle == 1 || handle == 2 || handle == 3, handle == 6 || handle == 7 || handle == 8)) {
        handle = kVerticalFlip[handle];
        flipVertically();
    }
    setBounds(QRectF(x, y, w, h));
    return handle;
}

void SKTGraphic::makeSameAsLabelSize()
{
    if (kind() == GraphicKind::Barcode || ctrl_is_locked) return;
    setBounds(cardBounds());
}

void SKTGraphic::makeNaturalSize()
{
    if (kind() == GraphicKind::Barcode || ctrl_is_locked) return;
    QRectF r = bounds();
    if (r.height() > r.width())
        r.setHeight(r.width());
    else if (r.width() > r.height())
        r.setWidth(r.height());
    else
        return;
    setBounds(r);
}

void SKTGraphic::translateGraphics(const std::vector<SKTGraphic *> &graphics, double dx, double dy)
{
    for (SKTGraphic *g : graphics) {
        if (!g || g->ctrl_is_locked) continue;
        const QRectF card = g->cardBounds();
        const QRectF moved = g->bounds().translated(dx, dy);
        // A line or a zero-width control still counts when it touches the card.
        const QRectF probe = moved.adjusted(0, 0, moved.width() > 0 ? 0 : 0.001, moved.height() > 0 ? 0 : 0.001);
        if (probe.intersects(card)) g->setBounds(moved);
    }
}

QCursor SKTGraphic::creationCursor()
{
    static const QCursor cursor = [] {
        const QPixmap cross(Resource_Path + QStringLiteral("Cross.png"));
        return cross.isNull() ? QCursor(Qt::CrossCursor) : QCursor(cross, cross.width() / 2, cross.height() / 2);
    }();
    return cursor;
}

bool SKTGraphic::pointInRect(QPointF p, const QRectF &r)
{
    return p.x() >= r.left() && p.x() < r.left() + r.width() && p.y() >= r.top() && p.y() < r.top() + r.height();
}
