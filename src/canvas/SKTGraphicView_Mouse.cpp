// The card view's mouse and keys: selecting, moving, resizing, rubber-band selection,
// nudging and deleting. A drag runs from press to release as a drag state; what
// follows the drag runs at release.
#include "SKTGraphicView.h"

#include "CardViewHost.h"
#include "MessageBox.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGrid.h"
#include "SKTLine.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <cmath>

namespace {
constexpr double kLineMargin = 0.5;
constexpr double kMoveThreshold = 2.0;

QRectF unionOfBounds(const std::vector<SKTGraphic *> &graphics)
{
    QRectF r;
    bool first = true;
    for (SKTGraphic *g : graphics) {
        r = first ? g->bounds() : r.united(g->bounds());
        first = false;
    }
    return r;
}

} // namespace

double SKTGraphicView::distanceBetweenPoints(QPointF a, QPointF b)
{
    const float dx = float(a.x() - b.x()), dy = float(a.y() - b.y());
    return double(std::sqrt(dx * dx + dy * dy));
}

bool SKTGraphicView::isPointNearToLineSegment(QPointF p, QPointF a, QPointF b, double margin)
{
    return margin > std::abs(distanceBetweenPoints(a, b) - distanceBetweenPoints(p, a) - distanceBetweenPoints(p, b));
}

SKTGraphic *SKTGraphicView::graphicUnderPoint(QPointF point, int *outIndex, bool *outSelected, int *outHandle) const
{
    const auto &items = graphics();
    for (int i = 0; i < int(items.size()); ++i) {
        SKTGraphic *g = items[size_t(i)].get();
        if (!g->ctrl_is_visible) continue;
        bool candidate;
        if (g->kind() == GraphicKind::Line) {
            const auto *line = static_cast<SKTLine *>(g);
            candidate = isPointNearToLineSegment(point, line->endPoint(), line->beginPoint(), float(kLineMargin)) ||
                        g->handleUnderPoint(point) != SKTGraphic::SKTGraphicNoHandle ||
                        g->isContentsUnderPoint(point);
        } else {
            candidate = SKTGraphic::pointInRect(point, g->drawingBounds());
        }
        if (!candidate) continue;
        const bool selected = isSelected(g);
        int handle = SKTGraphic::SKTGraphicNoHandle;
        if (selected) handle = g->handleUnderPoint(point);
        if (handle == SKTGraphic::SKTGraphicNoHandle && !g->isContentsUnderPoint(point)) continue;
        if (outIndex) *outIndex = i;
        if (outSelected) *outSelected = selected;
        if (outHandle) *outHandle = handle;
        return g;
    }
    return nullptr;
}

std::vector<int> SKTGraphicView::indexesOfGraphicsIntersectingRect(const QRectF &rect)
{
    std::vector<int> indexes;
    const auto &items = graphics();
    for (int i = 0; i < int(items.size()); ++i) {
        SKTGraphic *g = items[size_t(i)].get();
        if (!g->ctrl_is_visible || !g->drawingBounds().intersects(rect)) continue;
        if (indexes.empty()) m_selectedGraphic = g;
        indexes.push_back(i);
    }
    return indexes;
}

void SKTGraphicView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    m_drag = DragState{};
    const QPointF point = toCard(event->position());
    if (m_host && m_host->Selected_Control_Tool() != 0) {
        // A tool is in hand: the host creates the control; it may start a resize drag.
        setCursor(SKTGraphic::creationCursor());
        if (SKTGraphic *g = m_host->Create_Graphic_For_Tool_At(*this, point)) m_selectedGraphic = g;
        if (m_drag.kind == Drag::None) unsetCursor();
    } else {
        m_selectedGraphic = nullptr;
        pressWithArrowTool(point, event->modifiers() & Qt::ControlModifier);
    }
    if (m_drag.kind == Drag::None && m_host) m_host->Show_RHS_Properties(m_selectedGraphic);
}

void SKTGraphicView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) return;
    if (m_host && m_host->Selected_Control_Tool() != 0) return;
    m_drag = DragState{};
    SKTGraphic *g = graphicUnderPoint(toCard(event->position()));
    if (!g) {
        mousePressEvent(event);
        return;
    }
    m_selectedGraphic = g;
    if (!g->ctrl_is_locked && g->kind() == GraphicKind::Barcode && m_host) m_host->Open_Barcode_Window();
    if (m_host) m_host->Show_RHS_Properties(m_selectedGraphic);
}

void SKTGraphicView::pressWithArrowTool(QPointF point, bool modifying)
{
    int index = -1, handle = 0;
    bool selected = false;
    SKTGraphic *g = graphicUnderPoint(point, &index, &selected, &handle);
    if (!g) {
        if (!modifying) changeSelectionIndexes({});
        m_drag.kind = Drag::Marquee;
        m_drag.marqueeOrigin = point;
        m_drag.oldSelection = m_selection;
        return;
    }
    m_drag.pressed = g;
    if (handle == SKTGraphic::SKTGraphicNoHandle) {
        if (modifying) {
            auto sel = m_selection;
            if (selected) {
                std::erase(sel, g);
                selected = false;
            } else {
                sel.push_back(g);
                selected = true;
            }
            selectGraphics(sel);
        } else if (!selected) {
            selectGraphics({g});
            selected = true;
        }
        if (selected) {
            const auto sel = selectedGraphics();
            m_drag.kind = Drag::Move;
            m_drag.lastPoint = point;
            m_drag.offsetFromOrigin = point - unionOfBounds(sel).topLeft();
        } else {
            m_drag.kind = Drag::Swallow;
        }
    } else {
        m_selectedGraphic = g;
        beginResizeDrag(g, handle);
    }
}

void SKTGraphicView::beginResizeDrag(SKTGraphic *g, int handle)
{
    m_drag.kind = Drag::None;
    if (!g || g->ctrl_is_locked || g->kind() == GraphicKind::Barcode) return;
    m_drag.kind = Drag::Resize;
    m_drag.resized = g;
    m_drag.handle = handle;
}

void SKTGraphicView::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) return;
    if (auto *area = qobject_cast<QScrollArea *>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
        area->ensureVisible(int(event->position().x()), int(event->position().y()), 5, 5);
    QPointF point = toCard(event->position());
    switch (m_drag.kind) {
    case Drag::Move: {
        if (!m_drag.moveStarted) {
            if (std::abs(point.x() - m_drag.lastPoint.x()) < kMoveThreshold &&
                std::abs(point.y() - m_drag.lastPoint.y()) < kMoveThreshold)
                return;
            m_drag.moveStarted = true;
            m_isHidingHandles = true;
            beginEchoingMoveToRulers(unionOfBounds(selectedGraphics()));
            invalidateHandlesOfGraphics(selectedGraphics());
        }
        const auto sel = selectedGraphics();
        if (m_grid) {
            const QPointF origin = m_grid->constrainedPoint(point - m_drag.offsetFromOrigin);
            point = origin + m_drag.offsetFromOrigin;
        }
        const QPointF delta = point - m_drag.lastPoint;
        if (delta != QPointF()) {
            translateSelection(sel, delta.x(), delta.y());
            m_drag.moved = true;
            m_pasteCascadeDelta += delta;
            continueEchoingMoveToRulers(unionOfBounds(sel));
        }
        m_drag.lastPoint = point;
        break;
    }
    case Drag::Resize:
        if (m_grid) point = m_grid->constrainedPoint(point);
        m_drag.handle = m_drag.resized->resizeByMovingHandle(m_drag.handle, point);
        check_barcode_and_set_control_bounds(m_drag.resized);
        continueEchoingMoveToRulers(m_drag.resized->bounds());
        break;
    case Drag::Marquee: {
        const QPointF o = m_drag.marqueeOrigin;
        const QRectF band(std::min(o.x(), point.x()), std::min(o.y(), point.y()), std::abs(point.x() - o.x()),
                          std::abs(point.y() - o.y()));
        if (band == m_marquee) break;
        setNeedsDisplayInRect(m_marquee.adjusted(-1, -1, 1, 1));
        m_marquee = band;
        setNeedsDisplayInRect(m_marquee.adjusted(-1, -1, 1, 1));
        const std::vector<int> hit = indexesOfGraphicsIntersectingRect(band);
        if (!hit.empty()) {
            auto sel = m_drag.oldSelection;
            for (int i : hit) {
                SKTGraphic *g = graphics()[size_t(i)].get();
                auto it = std::find(sel.begin(), sel.end(), g);
                if (it != sel.end())
                    sel.erase(it);
                else
                    sel.push_back(g);
            }
            selectGraphics(sel);
        }
        break;
    }
    default:
        break;
    }
}

void SKTGraphicView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) return;
    finishDrag();
}

void SKTGraphicView::finishDrag()
{
    const DragState drag = m_drag;
    m_drag = DragState{};
    unsetCursor();
    if (!m_rulerEchoedBounds.isNull()) stopEchoingMoveToRulers();
    switch (drag.kind) {
    case Drag::Move:
        if (drag.moveStarted) {
            m_isHidingHandles = false;
            invalidateHandlesOfGraphics(selectedGraphics());
            if (drag.moved && m_host) m_host->Insert_In_Undo_Redo();
        }
        m_selectedGraphic = drag.pressed;
        break;
    case Drag::Resize:
        if (m_creatingGraphic == drag.resized) {
            finishCreatingGraphic(drag.resized);
            if (m_host) m_host->Show_RHS_Properties(m_selectedGraphic);
        }
        break;
    case Drag::Marquee:
        setNeedsDisplayInRect(m_marquee.adjusted(-1, -1, 1, 1));
        m_marquee = QRectF();
        break;
    default:
        break;
    }
    if (!m_host) return;
    if (drag.pressed && isSelected(drag.pressed)) m_host->Show_RHS_Properties(m_selectedGraphic);
    else if (drag.kind == Drag::Marquee || drag.kind == Drag::Swallow) m_host->Show_RHS_Properties(m_selectedGraphic);
    if (drag.pressed && m_host->Is_Visitor_Or_Group_Mode() && m_selectedGraphic)
        m_host->Visitor_Panel_Control_Selected(m_selectedGraphic);
}

void SKTGraphicView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: moveSelectedGraphicsByX(-1, 0); break;
    case Qt::Key_Right: moveSelectedGraphicsByX(1, 0); break;
    case Qt::Key_Up: moveSelectedGraphicsByX(0, -1); break;
    case Qt::Key_Down: moveSelectedGraphicsByX(0, 1); break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: deleteSelection(); break;
    default: ZoomableCardWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void SKTGraphicView::moveSelectedGraphicsByX(double dx, double dy)
{
    const auto sel = selectedGraphics();
    if (!sel.empty()) {
        hideHandlesMomentarily();
        translateSelection(sel, dx, dy);
    }
    if (m_host) m_host->Insert_In_Undo_Redo();
}

void SKTGraphicView::translateSelection(const std::vector<SKTGraphic *> &sel, double dx, double dy)
{
    SKTGraphic::translateGraphics(sel, dx, dy);
    // A moved barcode's picture frame moves with it: the picture of the next value is
    // centred where the user put the control.
    for (SKTGraphic *g : sel) check_barcode_and_set_control_bounds(g);
}

void SKTGraphicView::hideHandlesMomentarily()
{
    m_handleShowingTimer.start();
    m_isHidingHandles = true;
    invalidateHandlesOfGraphics(selectedGraphics());
}

void SKTGraphicView::deleteSelection()
{
    const auto sel = selectedGraphics();
    for (SKTGraphic *g : sel)
        if (g->ctrl_is_locked) {
            Show_MessageBox(QStringLiteral("Selected control is locked."));
            return;
        }
    if (m_host && m_host->Is_Visitor_Or_Group_Mode())
        for (SKTGraphic *g : sel) m_host->Visitor_Panel_Control_Deleted(g);
    if (m_host) m_host->Insert_In_Undo_Redo();
    if (m_graphics)
        for (SKTGraphic *g : sel) m_graphics->remove(g);
    m_selectedGraphic = nullptr;
    if (m_host) {
        m_host->Show_RHS_Properties(nullptr);
        m_host->Insert_In_Undo_Redo();
    }
}
