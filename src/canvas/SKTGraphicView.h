#pragma once
// The canvas of one card side: draws the card's base, the side's controls from the
// bottom up, the selection handles, the border and watermark and the grid, and turns
// the mouse and keys into edits. It owns no controls: it is bound to a side's list.
#include "CardViewHost.h"
#include "SKTGraphicList.h"
#include "SKTGrid.h"
#include "ScopedFlag.h"
#include "ZoomableCardWidget.h"

#include <QPointer>
#include <QRectF>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QMimeData;
class SKTGraphic;
struct PictureAdjuster;
class SKTGraphicList;
class SKTGrid;

class SKTGraphicView : public ZoomableCardWidget {
    Q_OBJECT
public:
    // adjuster: makes the shown pictures of image controls, here and in what the view
    // copies to the clipboard; it outlives the view.
    explicit SKTGraphicView(const PictureAdjuster &adjuster, QWidget *parent = nullptr);
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
    // Moves the controls (locked ones stay) and refreshes the picture frame of a barcode.
    void translateSelection(const std::vector<SKTGraphic *> &sel, double dx, double dy);
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

    // ---- Creating controls; controls by ID (SKTGraphicView_Create.cpp) ----
    // The class of a tool number (1 to 15); none for the arrow and unknown numbers.
    static std::optional<GraphicClass> graphicClassForTool(int tool);
    // Creates a control of the kind on this side, as the host's tool in hand makes it,
    // unless a text or image control with the ID is there already. With a press point
    // it starts there at 0 x 0 and is sized by dragging, finished at the release;
    // without one it takes the rectangle (use_rect) or the default size, placed at the
    // host's next free point when it has no ID. Returns the new control, or nullptr
    // when nothing was made or it was taken back.
    SKTGraphic *createGraphicOfClass(GraphicKind kind, std::optional<QPointF> press, bool use_rect,
                                     const QRectF &bound_rect, Card_Side card_side, const QString &ctrl_value,
                                     const QString &ctrl_ID);
    // Each creation or replacement records an undo snapshot of the side, except while a
    // writer of many controls holds the view (a profile written onto the side records
    // its one step itself). The hold ends with its guard, on every way out.
    class Snapshot_Hold {
    public:
        explicit Snapshot_Hold(SKTGraphicView &view) : m_held(view.m_snapshotsHeld, true) {}

    private:
        Scoped_Value<bool> m_held;
    };
    // Updates the text or image control with the ID (made visible, new text or
    // picture), or creates it when there is none.
    void ReplaceGraphicText(GraphicKind kind, bool use_rect, const QRectF &bound_rect, Card_Side card_side,
                            const QString &ctrl_value, const QString &ctrl_ID);
    // The first text or image control with the ID, from the top; nullptr for "".
    SKTGraphic *Selcect_Ctrl_With_ID(const QString &id) const;
    // Selects the first control of any kind with the ID and makes it current; with
    // none, no current control and the selection stays.
    void Set_Selection_Index_According_ID(const QString &id);
    void delete_all_control();
    // Hides the text and image controls of the profile values and captions (not the
    // photo) before a profile is written onto the side.
    void Hide_all_Text_control_FUP_Control();
    bool There_Is_Any_Lock_Contrl() const;
    bool There_Is_Frame_Pic_Or_Frame_Photo() const;
    // A barcode's picture follows its frame; other kinds are left alone.
    static void check_barcode_and_set_control_bounds(SKTGraphic *g);
    // A new image control on top showing the file (or the clipboard's picture) at the
    // point, selected; false and nothing changed when there is no picture.
    bool makeNewImageFromContentsOfFile(const QString &path, QPointF point);
    bool makeNewImageFromPasteboard(const QMimeData *mime, QPointF point);
    // The index of the copied control that a paste makes the side's photo again: the
    // one that was a photo, onto a side without one (-1: none).
    int Pasted_Photo(const QMimeData *mime) const;
    SKTGraphic *creatingGraphic() const { return m_creatingGraphic; }

    // ---- Clipboard, ordering, alignment and the context menu
    //      (SKTGraphicView_Clipboard.cpp, SKTGraphicView_Align.cpp) ----
    // The commands of the view: its context menu, the window's menus and buttons.
    enum class Command {
        Cut, Copy, Paste, Delete, BringToFront, SendToBack, Lock, Unlock, CardProperties, CardBackground,
        ShowHideGrid, ExportCard, ExportTemplate, MailCard, PrintCard, AlignLeftEdges, AlignRightEdges,
        AlignTopEdges, AlignBottomEdges, AlignHorizontalCenters, AlignVerticalCenters, AlignFormCenter,
        AlignWithGrid, MakeSameWidth, MakeSameHeight, MakeNaturalSize, MakeSameAsLabelSize, SelectAll,
        DeselectAll, ShowOrHideRulers
    };
    // The clipboard's private type: the copied controls' archives in their byte form.
    static const QString SKTGraphicViewPasteboardType;  // "application/x-dozo-card-controls"
    // The copy's token beside it: which copy the data came from.
    static const QString SKTGraphicViewPasteboardTokenType;
    // Beside them, when one copied control was its side's visitor photo: its index.
    static const QString SKTGraphicViewPasteboardPhotoType;
    // Whether the clipboard offers the private type first (before file names).
    static bool clipboardHoldsControls();

    // Puts the selected controls on the clipboard: the private data, then PDF, TIFF and
    // PNG renderings of them. Nothing is copied when nothing is selected.
    void copy();
    // Copy then delete; refused with "Selected control is locked." when a selected
    // control is locked. True when controls were removed (the deletion records its
    // own undo snapshots).
    bool cut();
    // Pastes the clipboard (see the source for the cascade); true when controls were
    // added. Records an undo snapshot first; callers record the one after.
    bool paste();
    // The selection moves as one block to the top (indexes 0..n-1) or to the bottom
    // of the side, keeping its order; refused when a selected control is locked.
    // True when the order changed.
    bool bringToFront();
    bool sendToBack();
    // Alignment against the first selected control or, with one, against the card;
    // locked controls stay. True when a control moved or was resized.
    bool alignLeftEdges() { return alignSelection(Command::AlignLeftEdges); }
    bool alignRightEdges() { return alignSelection(Command::AlignRightEdges); }
    bool alignTopEdges() { return alignSelection(Command::AlignTopEdges); }
    bool alignBottomEdges() { return alignSelection(Command::AlignBottomEdges); }
    bool alignHorizontalCenters() { return alignSelection(Command::AlignHorizontalCenters); }
    bool alignVerticalCenters() { return alignSelection(Command::AlignVerticalCenters); }
    bool alignformCenter() { return alignSelection(Command::AlignFormCenter); }
    bool alignWithGrid();
    bool makeSameWidth() { return makeSameSize(true); }
    bool makeSameHeight() { return makeSameSize(false); }
    bool makeNaturalSize();
    bool makeSameAsLabelSize();
    // The print flag (0 prints) of every unlocked selected control.
    bool print_contol_or_not(int flag);
    // The position fields (points, as typed) and the size fields (millimetres) of the
    // property panel, for every unlocked selected control (sizes: not barcodes).
    bool Frame_main_Pic_X_Pos_Changed(double x);
    bool Frame_main_Pic_Y_Pos_Changed(double y);
    bool Frame_main_Pic_Wdith_Changed(double widthMM);
    bool Frame_main_Pic_Height_Changed(double heightMM);
    void selectAll();
    void deselectAll() { changeSelectionIndexes({}); }
    void showOrHideRulers();
    void show_hide_grid_lines();

    // Runs a command and records the undo snapshot after a change of the side; the
    // window's commands go to the host.
    void runCommand(Command command);
    // Whether the command is available now; `title` gets the item's title when it
    // depends on the state (the rulers item).
    bool validateCommand(Command command, QString *title = nullptr) const;
    // A menu item for a command, and the enabling of every command item of a menu.
    static QAction *addCommandAction(QMenu *menu, const QString &title, Command command);
    // The seven alignment commands (edges, centres and the card's centre), greyed
    // while the current control is locked.
    static bool Is_Alignment_Command(Command command);
    void validateMenu(QMenu *menu) const;
    // The context menu, built anew for each right click (its items are enabled as it
    // shows); the caller owns it.
    QMenu *makeContextMenu();

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Resizes each selected graphic by `sizeStep`, refitting barcodes; whether any bounds changed.
    bool resizeSelected(void (SKTGraphic::*sizeStep)());
    void onRemoved(int index, SKTGraphic *g);
    void pruneSelection();
    // Ends the drag in progress when its controls left the side (the release then
    // does nothing): the handles it hid show again and its rubber band goes.
    void dropDrag();
    void selectionDidChange(const std::vector<SKTGraphic *> &before);
    void pressWithArrowTool(QPointF point, bool modifying);
    void finishDrag();
    // The end of a creation: a control of no size is taken back, any other is
    // selected and made current; the tool goes back to the arrow.
    void finishCreatingGraphic(SKTGraphic *g);
    bool alignSelection(Command command);
    bool makeSameSize(bool width);
    bool reorderSelection(bool toFront);
    // Sets a value on every unlocked selected control (sizes: not barcodes).
    bool applyToUnlockedSelection(bool skipBarcodes, const std::function<void(SKTGraphic &)> &apply);

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

    const PictureAdjuster &m_adjuster;
    CardViewHost *m_host = nullptr;
    QPointer<SKTGraphicList> m_graphics;
    QPointer<SKTGrid> m_grid;
    std::vector<SKTGraphic *> m_selection;
    SKTGraphic *m_selectedGraphic = nullptr;
    SKTGraphic *m_creatingGraphic = nullptr;
    int m_creatingTool = 0;  // the tool that made m_creatingGraphic
    bool m_creationGroupOpen = false;  // the host's creation undo group is open
    bool m_snapshotsHeld = false;      // Snapshot_Hold
    void endCreationGroup(bool takeBack);
    bool m_isHidingHandles = false;
    QTimer m_handleShowingTimer;
    QPointF m_pasteCascadeDelta{10, 10};
    // The token of the clipboard data this view last copied or last pasted fresh, and
    // the pastes made since (1 right after a copy).
    QByteArray m_pasteboardToken;
    qint64 m_pasteCascadeNumber = 0;
    QRectF m_marquee;
    QRectF m_rulerEchoedBounds;
    DragState m_drag;
    std::vector<QRectF> m_invalidated;
    std::vector<QMetaObject::Connection> m_listConnections;
};
