#pragma once
// The controls of one card side, in order: index 0 is the topmost control (drawn
// last, hit first). The list owns its controls and is their GraphicOwner: a change
// of a control's drawing comes out as `changed` with the drawing bounds before and
// after. Views keep their selection by control identity, so an insertion at index 0
// does not shift it.
#include "SKTGraphic.h"

#include <QObject>
#include <vector>

class SKTDocument;

class SKTGraphicList : public QObject, public GraphicOwner {
    Q_OBJECT
public:
    explicit SKTGraphicList(QObject *parent = nullptr);
    ~SKTGraphicList() override;

    int count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    const GraphicPtr &at(int index) const { return m_items.at(static_cast<size_t>(index)); }
    const std::vector<GraphicPtr> &items() const { return m_items; }
    // Index of the control by identity; -1 when it is not in the list.
    int indexOf(const SKTGraphic *graphic) const;
    bool contains(const SKTGraphic *graphic) const { return indexOf(graphic) >= 0; }

    // Inserts at the index (clamped to 0..count). A null control or one already in the
    // list is refused (false).
    bool insert(GraphicPtr graphic, int index = 0);
    // Removes and returns the control at the index; nullptr when out of range.
    GraphicPtr removeAt(int index);
    bool remove(const SKTGraphic *graphic);
    // Moves the control at `from` so that it ends at index `to`; false when either is
    // out of range.
    bool move(int from, int to);
    // The document that holds the side (none for a list of its own), and its card.
    const SKTDocument *document() const { return m_document; }
    void setDocument(const SKTDocument *document) { m_document = document; }
    QRectF cardBounds() const override;

    // Replaces every control at once (restoring a snapshot); emits `reset`.
    void replaceAll(std::vector<GraphicPtr> graphics);
    void clear() { replaceAll({}); }

signals:
    void inserted(int index, SKTGraphic *graphic);
    // The control is still alive while this is emitted.
    void removed(int index, SKTGraphic *graphic);
    void moved(int from, int to);
    void reset();
    void changed(SKTGraphic *graphic, QRectF oldDrawingBounds, QRectF newDrawingBounds);

private:
    void graphicDidChange(SKTGraphic &g, const QRectF &oldDrawingBounds, const QRectF &newDrawingBounds) override;
    void release(SKTGraphic &g);

    std::vector<GraphicPtr> m_items;
    const SKTDocument *m_document = nullptr;
};
