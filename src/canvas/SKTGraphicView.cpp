#include "SKTGraphicView.h"

#include "CardViewHost.h"
#include "Log.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGrid.h"
#include "SKTRuler.h"
#include "SKTZoomingScrollView.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <exception>

namespace {
const std::vector<GraphicPtr> kNoGraphics;
}

SKTGraphicView::SKTGraphicView(const PictureAdjuster &adjuster, QWidget *parent)
    : ZoomableCardWidget(parent), m_adjuster(adjuster)
{
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(false);
    m_handleShowingTimer.setSingleShot(true);
    m_handleShowingTimer.setInterval(500);
    connect(&m_handleShowingTimer, &QTimer::timeout, this, [this] {
        m_isHidingHandles = false;
        invalidateHandlesOfGraphics(selectedGraphics());
    });
}

SKTGraphicView::~SKTGraphicView() { bindGraphics(nullptr); }

const std::vector<GraphicPtr> &SKTGraphicView::graphics() const
{
    return m_graphics ? m_graphics->items() : kNoGraphics;
}

void SKTGraphicView::bindGraphics(SKTGraphicList *list)
{
    for (auto &c : m_listConnections) disconnect(c);
    m_listConnections.clear();
    m_graphics = list;
    m_selection.clear();
    m_selectedGraphic = nullptr;
    if (list) {
        auto markGraphic = [this](int, SKTGraphic *g) { setNeedsDisplayInRect(g->drawingBounds()); };
        m_listConnections.push_back(connect(list, &SKTGraphicList::inserted, this, markGraphic));
        m_listConnections.push_back(connect(list, &SKTGraphicList::removed, this, &SKTGraphicView::onRemoved));
        m_listConnections.push_back(connect(list, &SKTGraphicList::moved, this, [this](int from, int to) {
            Q_UNUSED(from);
            if (m_graphics && to >= 0 && to < m_graphics->count())
                setNeedsDisplayInRect(m_graphics->at(to)->drawingBounds());
        }));
        m_listConnections.push_back(connect(list, &SKTGraphicList::reset, this, [this] {
            pruneSelection();
            setNeedsDisplayInRect(QRectF(QPointF(0, 0), cardSize()));
        }));
        m_listConnections.push_back(connect(list, &SKTGraphicList::changed, this,
                                            [this](SKTGraphic *, QRectF oldBounds, QRectF newBounds) {
                                                setNeedsDisplayInRect(oldBounds);
                                                setNeedsDisplayInRect(newBounds);
                                            }));
    }
    setNeedsDisplayInRect(QRectF(QPointF(0, 0), cardSize()));
}

void SKTGraphicView::setGrid(SKTGrid *grid)
{
    if (m_grid == grid) return;
    if (m_grid) disconnect(m_grid, nullptr, this, nullptr);
    m_grid = grid;
    if (grid) connect(grid, &SKTGrid::changed, this, [this] { setNeedsDisplayInRect(QRectF(QPointF(0, 0), cardSize())); });
    setNeedsDisplayInRect(QRectF(QPointF(0, 0), cardSize()));
}

void SKTGraphicView::onRemoved(int, SKTGraphic *g)
{
    setNeedsDisplayInRect(g->drawingBounds());
    const auto before = m_selection;
    std::erase(m_selection, g);
    if (m_selectedGraphic == g) m_selectedGraphic = nullptr;
    if (m_creatingGraphic == g) {
        m_creatingGraphic = nullptr;
        endCreationGroup(false);
    }
    if (m_drag.resized == g || m_drag.pressed == g) dropDrag();
    if (before != m_selection) selectionDidChange(before);
}

void SKTGraphicView::pruneSelection()
{
    const auto before = m_selection;
    std::erase_if(m_selection, [this](SKTGraphic *g) { return !m_graphics || !m_graphics->contains(g); });
    if (m_selectedGraphic && (!m_graphics || !m_graphics->contains(m_selectedGraphic))) m_selectedGraphic = nullptr;
    if (m_creatingGraphic && (!m_graphics || !m_graphics->contains(m_creatingGraphic))) {
        m_creatingGraphic = nullptr;
        endCreationGroup(false);
    }
    dropDrag();
    if (before != m_selection) selectionDidChange(before);
}

void SKTGraphicView::dropDrag()
{
    // What the drag showed goes with it: the release that follows finds no drag.
    if (m_drag.kind == Drag::Move && m_drag.moveStarted) {
        m_isHidingHandles = false;
        invalidateHandlesOfGraphics(selectedGraphics());
    }
    if (!m_marquee.isNull()) {
        setNeedsDisplayInRect(m_marquee.adjusted(-1, -1, 1, 1));
        m_marquee = QRectF();
    }
    m_drag = DragState{};
}

std::vector<int> SKTGraphicView::selectionIndexes() const
{
    std::vector<int> indexes;
    if (!m_graphics) return indexes;
    for (SKTGraphic *g : m_selection) {
        const int i = m_graphics->indexOf(g);
        if (i >= 0) indexes.push_back(i);
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

std::vector<SKTGraphic *> SKTGraphicView::selectedGraphics() const
{
    std::vector<SKTGraphic *> result;
    for (int i : selectionIndexes()) result.push_back(m_graphics->at(i).get());
    return result;
}

bool SKTGraphicView::isSelected(const SKTGraphic *g) const
{
    return std::find(m_selection.begin(), m_selection.end(), g) != m_selection.end();
}

void SKTGraphicView::changeSelectionIndexes(const std::vector<int> &indexes)
{
    std::vector<SKTGraphic *> chosen;
    if (m_graphics)
        for (int i : indexes)
            if (i >= 0 && i < m_graphics->count()) chosen.push_back(m_graphics->at(i).get());
    selectGraphics(chosen);
}

void SKTGraphicView::selectGraphics(const std::vector<SKTGraphic *> &graphics)
{
    const auto before = m_selection;
    m_selection.clear();
    for (SKTGraphic *g : graphics)
        if (g && m_graphics && m_graphics->contains(g) && !isSelected(g)) m_selection.push_back(g);
    selectionDidChange(before);
}

void SKTGraphicView::selectionDidChange(const std::vector<SKTGraphic *> &before)
{
    // Redraw the handles that appear and disappear.
    for (SKTGraphic *g : before)
        if (!isSelected(g) && m_graphics && m_graphics->contains(g)) setNeedsDisplayInRect(g->drawingBounds());
    for (SKTGraphic *g : m_selection)
        if (std::find(before.begin(), before.end(), g) == before.end()) setNeedsDisplayInRect(g->drawingBounds());
    if (m_host) m_host->Selection_Count_Changed(int(m_selection.size()));
    emit selectionChanged();
}

void SKTGraphicView::setNeedsDisplayInRect(const QRectF &cardRect)
{
    if (cardRect.isEmpty() && cardRect.isNull()) return;
    m_invalidated.push_back(cardRect);
    const double z = zoomFactor();
    const QRectF w(cardRect.x() * z, cardRect.y() * z, cardRect.width() * z, cardRect.height() * z);
    update(w.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void SKTGraphicView::invalidateHandlesOfGraphics(const std::vector<SKTGraphic *> &graphics)
{
    for (SKTGraphic *g : graphics) setNeedsDisplayInRect(g->drawingBounds());
}

std::vector<QRectF> SKTGraphicView::takeInvalidatedRects()
{
    std::vector<QRectF> r;
    r.swap(m_invalidated);
    return r;
}

void SKTGraphicView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const double z = zoomFactor();
    painter.scale(z, z);
    const QRectF r = event->rect();
    drawCard(painter, QRectF(r.x() / z, r.y() / z, r.width() / z, r.height() / z));
}

void SKTGraphicView::drawCard(QPainter &painter, const QRectF &dirty)
{
    // A drawing error ends this pass; it is logged, never shown in a box from here.
    try {
        painter.save();
        if (m_host) m_host->Card_Base_Drawing(painter, dirty);
        painter.restore();

        const auto &items = graphics();
        const DrawContext context = Application_Draw_Context(m_adjuster);  // the paint runs on the GUI thread
        SKTGraphic *const selectedBefore = m_selectedGraphic;
        for (int i = int(items.size()) - 1; i >= 0; --i) {
            SKTGraphic *g = items[size_t(i)].get();
            const QRectF db = g->drawingBounds();
            if (!db.intersects(dirty)) continue;
            const bool busy = g == m_creatingGraphic;
            const bool handles = !m_isHidingHandles && !busy && isSelected(g);
            painter.save();
            painter.setClipRect(db, Qt::IntersectClip);
            g->drawContentsInView(painter, busy, context);
            if (handles) {
                g->drawHandlesInView(painter, g->ctrl_is_locked);
                m_selectedGraphic = g;
            }
            painter.restore();
        }
        // The pass chooses the current control only when there was none.
        if (selectedBefore) m_selectedGraphic = selectedBefore;

        painter.save();
        if (m_host) m_host->Card_Border_Drawing(painter, dirty);
        painter.restore();
        if (m_grid) m_grid->drawRect(painter, dirty);
        if (!m_marquee.isNull()) {
            painter.save();
            QPen pen(QColor(94, 129, 172));
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(m_marquee);
            painter.restore();
        }
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("Drawing the card failed: %1").arg(QString::fromUtf8(e.what())));
    }
}

namespace {
SKTZoomingScrollView *enclosingScrollView(const QWidget *w)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (auto *z = qobject_cast<SKTZoomingScrollView *>(p)) return z;
    return nullptr;
}
} // namespace

bool SKTGraphicView::rulersShown() const
{
    const SKTZoomingScrollView *z = enclosingScrollView(this);
    return z && z->rulersVisible();
}

void SKTGraphicView::beginEchoingMoveToRulers(const QRectF &rect)
{
    continueEchoingMoveToRulers(rect);
}

void SKTGraphicView::continueEchoingMoveToRulers(const QRectF &rect)
{
    SKTZoomingScrollView *z = enclosingScrollView(this);
    if (!z || !z->rulersVisible()) return;
    z->horizontalRuler()->setEchoLines({rect.left(), rect.center().x(), rect.right()});
    z->verticalRuler()->setEchoLines({rect.top(), rect.center().y(), rect.bottom()});
    m_rulerEchoedBounds = rect;
}

void SKTGraphicView::stopEchoingMoveToRulers()
{
    if (SKTZoomingScrollView *z = enclosingScrollView(this)) {
        z->horizontalRuler()->setEchoLines({-1, -1, -1});
        z->verticalRuler()->setEchoLines({-1, -1, -1});
    }
    m_rulerEchoedBounds = QRectF();
}
