#include "SelectionCanvasModel.h"

#include <cmath>

namespace {

// Closed rectangles meet when they share a point: a zero-size probe on an edge or
// inside hits.
bool meets(const QRectF &a, const QRectF &b)
{
    const QRectF na = SelectionCanvasModel::defaultRectForFrame(a), nb = SelectionCanvasModel::defaultRectForFrame(b);
    return na.x() <= nb.x() + nb.width() && nb.x() <= na.x() + na.width() && na.y() <= nb.y() + nb.height() &&
           nb.y() <= na.y() + na.height();
}

bool contains(const QRectF &area, QPointF p)
{
    return p.x() >= area.x() && p.x() <= area.x() + area.width() && p.y() >= area.y() &&
           p.y() <= area.y() + area.height();
}

} // namespace

QRectF SelectionCanvasModel::defaultRectForFrame(const QRectF &f)
{
    double x = f.x(), y = f.y(), w = f.width(), h = f.height();
    if (w < 0) x += w, w = -w;
    if (h < 0) y += h, h = -h;
    return QRectF(x, y, w, h);
}

QRectF SelectionCanvasModel::Handle_Frame(const QRectF &f, int type)
{
    QPointF c;
    switch (type) {
    case kHandleTopLeft: c = QPointF(f.x(), f.y() + f.height()); break;
    case kHandleTopRight: c = QPointF(f.x() + f.width(), f.y() + f.height()); break;
    case kHandleBottomLeft: c = QPointF(f.x(), f.y()); break;
    case kHandleBottomRight: c = QPointF(f.x() + f.width(), f.y()); break;
    default: return {};
    }
    return QRectF(c.x() - kHandleSize.width() / 2, c.y() - kHandleSize.height() / 2, kHandleSize.width(),
                  kHandleSize.height());
}

Selector *SelectionCanvasModel::current()
{
    if (m_picker) return &*m_picker;
    if (m_current && *m_current < m_selectors.size()) return &m_selectors[*m_current];
    return nullptr;
}

const Selector *SelectionCanvasModel::currentSelector() const
{
    return const_cast<SelectionCanvasModel *>(this)->current();
}

Selector SelectionCanvasModel::make(const QRectF &frame, bool picker) const
{
    Selector s;
    s.frame = frame;
    s.picker = picker;
    prepareAction(s, SelectorAction::Draw);
    s.selected = true;
    return s;
}

void SelectionCanvasModel::addSelectorWithFrame(const QRectF &frame)
{
    removeAllSelectorsFromCanvas();
    m_selectors.push_back(make(frame, false));
    m_current = m_selectors.size() - 1;
}

void SelectionCanvasModel::setPickerWithFrame(const QRectF &frame)
{
    m_current.reset();
    m_picker = make(frame, true);
}

void SelectionCanvasModel::markAllSelected()
{
    for (Selector &s : m_selectors) s.selected = true;
}

void SelectionCanvasModel::markAllUnselected()
{
    for (Selector &s : m_selectors) s.selected = false;
}

void SelectionCanvasModel::removeMarkedSelectorsFromCanvas()
{
    m_current.reset();
    m_picker.reset();
    std::erase_if(m_selectors, [](const Selector &s) { return s.selected; });
}

void SelectionCanvasModel::removeAllSelectorsFromCanvas()
{
    markAllSelected();
    removeMarkedSelectorsFromCanvas();
}

void SelectionCanvasModel::setSelectorFrame(int index, const QRectF &frame)
{
    if (index >= 0 && size_t(index) < m_selectors.size()) m_selectors[size_t(index)].frame = frame;
}

void SelectionCanvasModel::setSelectorShown(int index, bool shown)
{
    if (index >= 0 && size_t(index) < m_selectors.size()) m_selectors[size_t(index)].shown = shown;
}

// ---- Hit tests and actions ----

bool SelectionCanvasModel::intersectsFrame(Selector &s, const QRectF &probe)
{
    if (meets(probe, s.frame) || touchedHandle(s, probe)) {
        s.selected = true;
        return true;
    }
    return false;
}

bool SelectionCanvasModel::touchedHandle(Selector &s, const QRectF &probe)
{
    if (s.handlesDrawn) {
        for (int type = kHandleTopLeft; type <= kHandleBottomRight; ++type) {
            if (!meets(s.handles[size_t(type - 1)], probe)) continue;
            s.currentHandle = type;
            prepareAction(s, SelectorAction::Resize);
            return true;
        }
    }
    prepareAction(s, SelectorAction::Move);
    return false;
}

void SelectionCanvasModel::prepareAction(Selector &s, SelectorAction action) const
{
    s.action = action;
    if (action == SelectorAction::Resize && s.currentHandle != 0) {
        // The grabbed corner becomes the origin; origin + size is the opposite corner.
        const QPointF p = s.handles[size_t(s.currentHandle - 1)].center();
        const double w = std::abs(s.frame.width()), h = std::abs(s.frame.height());
        const double sx = s.currentHandle == kHandleTopLeft || s.currentHandle == kHandleBottomLeft ? 1 : -1;
        const double sy = s.currentHandle == kHandleBottomLeft || s.currentHandle == kHandleBottomRight ? 1 : -1;
        s.frame = QRectF(p.x(), p.y(), sx * w, sy * h);
    }
    prepareBoundaries(s);
}

void SelectionCanvasModel::prepareBoundaries(Selector &s) const
{
    const double W = m_size.width(), H = m_size.height();
    const double x = s.frame.x(), y = s.frame.y(), w = s.frame.width(), h = s.frame.height();
    const double cx = x + w, cy = y + h;
    switch (s.action) {
    case SelectorAction::Resize:
        s.right = {W, cx - W}, s.left = {0, cx}, s.top = {H, cy - H}, s.bottom = {0, cy};
        break;
    case SelectorAction::Move:
        s.right = {W - w, w}, s.left = {0, w}, s.top = {H - h, h}, s.bottom = {0, h};
        break;
    case SelectorAction::Draw:
    case SelectorAction::None:
        s.right = {x, W - x}, s.left = {x, -x}, s.top = {y, H - y}, s.bottom = {y, -y};
        break;
    }
}

bool SelectionCanvasModel::touchedBoundaries(Selector &s) const
{
    if (s.picker) return false;
    const QRectF n = defaultRectForFrame(s.frame);
    const double W = m_size.width(), H = m_size.height();
    bool crossed = false;
    const auto across = [&s, &crossed](const Selector::Side &side) {
        s.frame = QRectF(side.position, s.frame.y(), side.size, s.frame.height());
        crossed = true;
    };
    const auto upDown = [&s, &crossed](const Selector::Side &side) {
        s.frame = QRectF(s.frame.x(), side.position, s.frame.width(), side.size);
        crossed = true;
    };
    if (n.x() + n.width() > W) across(s.right);
    else if (n.x() < 0) across(s.left);
    if (n.y() + n.height() > H) upDown(s.top);
    else if (n.y() < 0) upDown(s.bottom);
    s.moved = true;
    return crossed;
}

bool SelectionCanvasModel::canDropOnCanvas(const Selector &s)
{
    return std::abs(s.frame.width()) >= kSelectorMinWidth && std::abs(s.frame.height()) >= kSelectorMinHeight;
}

// ---- Gestures ----

void SelectionCanvasModel::press(QPointF p, bool command)
{
    m_cursorCanBeChanged = false;
    markAllUnselected();
    const QRectF probe(p, QSizeF(0, 0));
    m_current.reset();
    m_picker.reset();
    if (command || m_selectors.empty()) {
        addSelectorWithFrame(probe);
        return;
    }
    for (size_t i = 0; i < m_selectors.size(); ++i) {
        if (!intersectsFrame(m_selectors[i], probe)) continue;
        m_current = i;
        touchedHandle(m_selectors[i], probe);
        return;
    }
    setPickerWithFrame(probe);
}

bool SelectionCanvasModel::drag(QPointF p)
{
    Selector *s = current();
    if (!s) return false;
    const QPointF o = s->frame.topLeft();  // the origin (x, y), whatever the signs
    const QSizeF size = s->frame.size();
    switch (s->action) {
    case SelectorAction::Draw:
    case SelectorAction::Resize:
        if (s->currentHandle == 0) s->frame = QRectF(o.x(), o.y(), p.x() - o.x(), p.y() - o.y());
        else s->frame = QRectF(p.x(), p.y(), size.width() - (p.x() - o.x()), size.height() - (p.y() - o.y()));
        break;
    case SelectorAction::Move:
        s->frame = QRectF(p.x() - size.width() / 2, p.y() - size.height() / 2, size.width(), size.height());
        break;
    case SelectorAction::None: return false;
    }
    touchedBoundaries(*s);
    return true;
}

void SelectionCanvasModel::release()
{
    m_cursorCanBeChanged = true;
    if (m_picker) {
        const QRectF band = m_picker->frame;
        for (Selector &s : m_selectors)
            if (intersectsFrame(s, band)) s.frame = defaultRectForFrame(s.frame);
        m_picker.reset();
        return;
    }
    Selector *s = current();
    if (!s) return;
    if (canDropOnCanvas(*s)) {
        s->frame = defaultRectForFrame(s->frame);
        return;
    }
    m_selectors.erase(m_selectors.begin() + std::ptrdiff_t(*m_current));
    m_current.reset();
}

void SelectionCanvasModel::key(Key key)
{
    switch (key) {
    case Key::Delete: removeMarkedSelectorsFromCanvas(); break;
    case Key::SelectAll: markAllSelected(); break;
    case Key::Escape: markAllUnselected(); break;
    case Key::Other: break;
    }
}

// ---- Drawing and cursors ----

std::vector<SelectionCanvasModel::Drawn> SelectionCanvasModel::draw()
{
    std::vector<Drawn> out;
    const auto drawOne = [&out](Selector &s) {
        if (!s.shown) return;
        Drawn d;
        d.frame = defaultRectForFrame(s.frame);
        d.fill = s.selected || s.picker ? kSelectorFillSelected : QColor(Qt::transparent);
        if (s.selected && !s.picker) {
            for (int type = kHandleTopLeft; type <= kHandleBottomRight; ++type) {
                s.handles[size_t(type - 1)] = Handle_Frame(s.frame, type);
                d.handles.push_back(s.handles[size_t(type - 1)]);
            }
            s.handlesDrawn = true;
        }
        out.push_back(d);
    };
    for (Selector &s : m_selectors) drawOne(s);
    if (Selector *s = current()) drawOne(*s);
    return out;
}

std::optional<CanvasCursor> SelectionCanvasModel::cursorAt(QPointF p) const
{
    if (!m_cursorCanBeChanged) return std::nullopt;
    for (const Selector &s : m_selectors) {
        if (!s.handlesDrawn) continue;
        for (int type = kHandleTopLeft; type <= kHandleBottomRight; ++type) {
            if (!contains(defaultRectForFrame(s.handles[size_t(type - 1)]), p)) continue;
            return type == kHandleTopLeft || type == kHandleBottomRight ? CanvasCursor::TopBottom
                                                                        : CanvasCursor::BottomTop;
        }
    }
    for (const Selector &s : m_selectors) {
        if (!s.moved) continue;
        const QRectF n = defaultRectForFrame(s.frame);
        const QRectF inner(n.x() + kHandleSize.width(), n.y() + kHandleSize.height(),
                           n.width() - 2 * kHandleSize.width(), n.height() - 2 * kHandleSize.height());
        if (inner.width() >= 0 && inner.height() >= 0 && contains(inner, p)) return CanvasCursor::OpenHand;
    }
    return CanvasCursor::Arrow;
}
