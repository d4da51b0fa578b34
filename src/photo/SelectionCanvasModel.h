#pragma once
// The selection canvas without its widget: the rectangles (selectors) a user draws,
// moves and resizes by their four corner handles over a drawn picture, and the rubber
// band (picker) that marks them. Coordinates are the canvas's own: points from the
// bottom-left corner of the drawn picture, y growing upward. A frame may have a
// negative width or height during a gesture; a completed drop makes it positive.
//
// The canvas holds at most one selector: adding one removes the others.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <optional>
#include <vector>

enum class SelectorAction { None = 0, Resize = 1, Move = 2, Draw = 3 };

// Corner handles, named for a frame of positive size (y up): 1 top-left, 2 top-right,
// 3 bottom-left, 4 bottom-right.
inline constexpr int kHandleTopLeft = 1, kHandleTopRight = 2, kHandleBottomLeft = 3, kHandleBottomRight = 4;

// Styles: the look of selectors and handles and the smallest droppable selector.
inline constexpr QSizeF kHandleSize{8.5, 8.5};
inline constexpr double kSelectorDash = 5;  // 5 on, 5 off
inline constexpr double kSelectorMinWidth = 20, kSelectorMinHeight = 20;
inline const QColor kSelectorStroke{170, 170, 170};       // light grey, selected or not
inline const QColor kSelectorFillSelected = QColor::fromRgbF(0, 0.2f, 1.0f, 0.1f);
inline const QColor kHandleStroke{255, 255, 255};
inline const QColor kHandleFill = QColor::fromRgbF(0.1054f, 0.4531f, 0.7929f, 1.0f);

// What the pointer shows over a place of the canvas.
enum class CanvasCursor { Arrow, OpenHand, TopBottom, BottomTop };

struct Selector {
    QRectF frame;
    bool shown = true;  // a hidden selector draws nothing but is still hit
    bool selected = false;
    bool picker = false;
    SelectorAction action = SelectorAction::Draw;
    int currentHandle = 0;  // the handle being dragged in a resize; 0 none
    // The value (position, size) each crossed side imposes, fixed when an action starts:
    // x and width for left/right, y and height for top/bottom.
    struct Side {
        double position = 0, size = 0;
    };
    Side top, bottom, left, right;
    // The handle squares of the last drawing (drawn only while selected); hit rectangles.
    std::array<QRectF, 4> handles{};
    bool handlesDrawn = false;
    bool moved = false;  // dragged at least once: its interior shows the open hand
};

class SelectionCanvasModel {
public:
    // The canvas's size (the drawn picture's); sides snap to it. Selectors keep their frames.
    void setCanvasSize(QSizeF size) { m_size = size; }
    QSizeF canvasSize() const { return m_size; }

    // ---- Gestures ----
    // A press at p; `command` (Ctrl) starts a new selector even over an existing one.
    void press(QPointF p, bool command);
    // A drag to p: draws, resizes or moves the current selector, then snaps it to the
    // sides it crossed. True when the selector changed.
    bool drag(QPointF p);
    // The release: a picker marks the selectors it touches and goes; a selector stays
    // (normalised) when it is at least 20 x 20, else it is removed.
    void release();
    enum class Key { Delete, SelectAll, Escape, Other };
    void key(Key key);

    // ---- From code ----
    // Removes every selector, then adds one with this frame (selected) as the current one.
    void addSelectorWithFrame(const QRectF &frame);
    void setPickerWithFrame(const QRectF &frame);
    void markAllSelected();
    void markAllUnselected();
    // Removes the marked selectors; the current selector is cleared.
    void removeMarkedSelectorsFromCanvas();
    void removeAllSelectorsFromCanvas();
    // Sets a selector's frame exactly (no normalising or snapping).
    void setSelectorFrame(int index, const QRectF &frame);
    void setSelectorShown(int index, bool shown);

    // ---- Reading ----
    const std::vector<Selector> &selectors() const { return m_selectors; }
    bool hasSelectors() const { return !m_selectors.empty(); }
    // The selector of the current gesture (a listed one or the picker), or none.
    const Selector *currentSelector() const;
    bool cursorCanBeChanged() const { return m_cursorCanBeChanged; }
    // The cursor over p outside a gesture: a drawn handle's diagonal arrows, a moved
    // selector's open hand (its frame less a handle's size on each side), else none
    // (keep the cursor as it is); nothing while a gesture runs.
    std::optional<CanvasCursor> cursorAt(QPointF p) const;

    // The drawing of the canvas: what is stroked and filled, in order (the listed
    // selectors, then the current one again on top). Drawing renews the handle squares
    // of each selected selector that is drawn.
    struct Drawn {
        QRectF frame;  // normalised
        bool dashed = true;
        QColor fill;
        std::vector<QRectF> handles;  // ovals
    };
    std::vector<Drawn> draw();

    // The frame with a positive width and height, covering the same area.
    static QRectF defaultRectForFrame(const QRectF &frame);
    // The square of a handle type for a frame (negative sizes included); zero for another type.
    static QRectF Handle_Frame(const QRectF &frame, int type);

private:
    Selector make(const QRectF &frame, bool picker) const;
    void setSelected(Selector &s, bool selected) const { s.selected = selected; }
    bool intersectsFrame(Selector &s, const QRectF &probe);
    bool touchedHandle(Selector &s, const QRectF &probe);
    void prepareAction(Selector &s, SelectorAction action) const;
    void prepareBoundaries(Selector &s) const;
    bool touchedBoundaries(Selector &s) const;
    // A drop needs a selector of at least 20 x 20 (overlapping is allowed, and the
    // canvas holds one selector).
    static bool canDropOnCanvas(const Selector &s);
    Selector *current();

    QSizeF m_size;
    bool m_cursorCanBeChanged = true;
    std::vector<Selector> m_selectors;
    // The current selector: an index into the list, or the picker.
    std::optional<size_t> m_current;
    std::optional<Selector> m_picker;
};
