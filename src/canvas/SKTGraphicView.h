#pragma once
// The canvas of one card side: draws the card's base, the side's controls from the
// bottom up, the selection handles, the border and watermark and the grid, and turns
// the mouse and keys into edits. It owns no controls: it is bound to a side's list.
#include "SKTGraphicList.h"
#include "SKTGrid.h"
#include "ZoomableCardWidget.h"

#include <QPointer>
#include <QRectF>
#include <QTimer>
#include <vector>

class CardViewHost;
class SKTGraphic;
class SKTGraphicList;
class SKTGrid;

class SKTGraphicView : public ZoomableCardWidget {
    Q_OBJECT
public:
    explicit SKTGraphicView(QWidget *parent = nullptr);
    ~SKTGraphicView() override;

    void setHost(CardViewHost *host) { m_host = host; }
    CardViewHost *host() const { return m_host; }

    // Binding to a side's list; nullptr unbinds. The view redraws what changes.
    void bindGraphics(SKTGraphicList *list);
    SKTGraphicList *graphicsList() const { return m_graphics; }
    // The controls of the bound side (empty when unbound).
    const std::vector<std::shared_ptr<SKTGraphic>> &graphics() const;

    void setGrid(SKTGrid *grid);
    SKTGrid *grid() const { return m_grid; }

    // Selection, kept by control identity, reported in side order (topmost first).
    std::vector<int> selectionIndexes() const;
    void changeSelectionIndexes(const std::vector<int> &indexes);
    std::vector<SKTGraphic *> selectedGraphics() const;
    bool isSelected(const SKTGraphic *g) const;
    void selectGraphics(const std::vector<SKTGraphic *> &graphics);
    void Clear_Control_Selection() { changeSelectionIndexes({}); }

    // The current control: the one whose properties the panels show.
    SKTGraphic *Selected_Graphic() const { return m_selectedGraphic; }
    void setSelected_Graphic(SKTGraphic *g) { m_selectedGraphic = g; }

    // Marks a rectangle in card points for redrawing.
    void setNeedsDisplayInRect(const QRectF &cardRect);
    void invalidateHandlesOfGraphics(const std::vector<SKTGraphic *> &graphics);
    // Rectangles (card points) asked to be redrawn since the last call; for tests.
    std::vector<QRectF> takeInvalidatedRects();

    // Drawing of the whole card (base, controls, handles, border, grid, marquee) into a
    // painter set up in card points.
    void drawCard(QPainter &painter, const QRectF &dirty);

    // ---- Mouse and keys (SKTGraphicView_Mouse.cpp) ----
    static bool isPointNearToLineSegment(QPointF p, QPointF a, QPointF b, double margin);
    static double distanceBetweenPoints(QPointF a, QPointF b);
    SKTGraphic *graphicUnderPoint(QPointF point, int *outIndex = nullptr, bool *outSelected = nullptr,
                                  int *outHandle = nullptr) const;
    std::vector<int> indexesOfGraphicsIntersectingRect(const QRectF &rect);
    void deleteSelection();  // the delete: command
    void moveSelectedGraphicsByX(double dx, double dy);
    void hideHandlesMomentarily();
    bool isHidingHandles() const { return m_isHidingHandles; }
    QRectF marqueeSelectionBounds() const { return m_marquee; }
    QPointF pasteCascadeDelta() const { return m_pasteCascadeDelta; }
    void setPasteCascadeDelta(QPointF d) { m_pasteCascadeDelta = d; }
    // A control being created by a tool is drawn without handles.
    void setCreatingGraphic(SKTGraphic *g) { m_creatingGraphic = g; }
    // Starts a handle drag of the control, as a press on the handle does (used when a
    // control is created by dragging).
    void beginResizeDrag(SKTGraphic *g, int handle);

    // The echo of a moving rectangle on the enclosing scroll view's rulers.
    void beginEchoingMoveToRulers(const QRectF &rect);
    void continueEchoingMoveToRulers(const QRectF &rect);
    void stopEchoingMoveToRulers();
    QRectF rulerEchoedBounds() const { return m_rulerEchoedBounds; }
    bool rulersShown() const;

    QPointF toCard(QPointF widgetPoint) const { return widgetPoint / zoomFactor(); }

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onRemoved(int index, SKTGraphic *g);
    void pruneSelection();
    void selectionDidChange(const std::vector<SKTGraphic *> &before);
    void pressWithArrowTool(QPointF point, bool modifying);
    void finishDrag();

    enum class Drag { None, Move, Resize, Marquee, Swallow };
    struct DragState {
        Drag kind = Drag::None;
        QPointF lastPoint;
        QPointF offsetFromOrigin;   // press point minus the selection's origin (move)
        bool moveStarted = false;
        bool moved = false;
        SKTGraphic *resized = nullptr;
        int handle = 0;
        QPointF marqueeOrigin;
        std::vector<SKTGraphic *> oldSelection;
        SKTGraphic *pressed = nullptr;
    };

    CardViewHost *m_host = nullptr;
    QPointer<SKTGraphicList> m_graphics;
    QPointer<SKTGrid> m_grid;
    std::vector<SKTGraphic *> m_selection;
    SKTGraphic *m_selectedGraphic = nullptr;
    SKTGraphic *m_creatingGraphic = nullptr;
    bool m_isHidingHandles = false;
    QTimer m_handleShowingTimer;
    QPointF m_pasteCascadeDelta{10, 10};
    QRectF m_marquee;
    QRectF m_rulerEchoedBounds;
    DragState m_drag;
    std::vector<QRectF> m_invalidated;
    std::vector<QMetaObject::Connection> m_listConnections;
};
