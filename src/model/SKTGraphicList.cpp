#include "SKTGraphicList.h"

#include "SKTDocument.h"

#include <algorithm>

SKTGraphicList::SKTGraphicList(QObject *parent) : QObject(parent) {}

SKTGraphicList::~SKTGraphicList()
{
    for (const GraphicPtr &g : m_items) release(*g);
}

void SKTGraphicList::release(SKTGraphic &g)
{
    if (g.owner() == this) g.setOwner(nullptr);
}

QRectF SKTGraphicList::cardBounds() const { return m_document ? m_document->cardBounds() : kDefaultCardBounds; }

int SKTGraphicList::indexOf(const SKTGraphic *graphic) const
{
    const auto it = std::find_if(m_items.begin(), m_items.end(), [&](const GraphicPtr &g) { return g.get() == graphic; });
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool SKTGraphicList::insert(GraphicPtr graphic, int index)
{
    if (!graphic || contains(graphic.get())) return false;
    index = std::clamp(index, 0, count());
    graphic->setOwner(this);
    SKTGraphic *raw = graphic.get();
    m_items.insert(m_items.begin() + index, std::move(graphic));
    emit inserted(index, raw);
    return true;
}

GraphicPtr SKTGraphicList::removeAt(int index)
{
    if (index < 0 || index >= count()) return nullptr;
    GraphicPtr g = m_items[static_cast<size_t>(index)];
    m_items.erase(m_items.begin() + index);
    release(*g);
    emit removed(index, g.get());
    return g;
}

bool SKTGraphicList::remove(const SKTGraphic *graphic)
{
    return removeAt(indexOf(graphic)) != nullptr;
}

bool SKTGraphicList::move(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count()) return false;
    if (from == to) return true;
    GraphicPtr g = m_items[static_cast<size_t>(from)];
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(g));
    emit moved(from, to);
    return true;
}

void SKTGraphicList::replaceAll(std::vector<GraphicPtr> graphics)
{
    // Keep the old controls alive until the signal has gone out.
    std::vector<GraphicPtr> old = std::move(m_items);
    for (const GraphicPtr &g : old) release(*g);
    m_items.clear();
    for (GraphicPtr &g : graphics) {
        if (!g || contains(g.get())) continue;
        g->setOwner(this);
        m_items.push_back(std::move(g));
    }
    emit reset();
}

void SKTGraphicList::graphicDidChange(SKTGraphic &g, const QRectF &oldDrawingBounds, const QRectF &newDrawingBounds)
{
    emit changed(&g, oldDrawingBounds, newDrawingBounds);
}
