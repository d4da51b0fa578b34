#pragma once
// The selection canvas: a transparent widget laid exactly over the picture a picture
// view draws, following it whenever the picture, its size, scaling, alignment or
// frame, or the view's size changes. The user draws one rectangle on it with the
// mouse, moves it, resizes it by its corner handles, marks it and deletes it with the
// keys (Ctrl+A, Escape, Delete/Backspace); Ctrl+press starts a new one. Frames are in
// the canvas's y-up points (SelectionCanvasModel).
#include "SelectionCanvasModel.h"

#include <QWidget>

class PictureView;

class SelectionCanvas : public QWidget {
    Q_OBJECT
public:
    // Lies over the view as its child.
    explicit SelectionCanvas(PictureView &view);

    SelectionCanvasModel &model() { return m_model; }
    const SelectionCanvasModel &model() const { return m_model; }
    // Where the drawn picture lies in the view (y up).
    QRectF canvasFrame() const;
    // Places the canvas over the drawn picture again; selectors keep their frames.
    void arrangeCanvas();

    // The window's calls (each redraws).
    void addSelectorWithFrame(const QRectF &frame);
    void removeAllSelectorsFromCanvas();
    bool hasSelectors() const { return m_model.hasSelectors(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPointF canvasPoint(QPointF widgetPoint) const;
    void showCursor(CanvasCursor cursor);

    PictureView &m_view;
    SelectionCanvasModel m_model;
};
