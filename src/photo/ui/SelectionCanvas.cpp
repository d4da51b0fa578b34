#include "SelectionCanvas.h"

#include "Globals.h"
#include "PictureView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

SelectionCanvas::SelectionCanvas(PictureView &view) : QWidget(&view), m_view(view)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    connect(&view, &PictureView::geometryChanged, this, &SelectionCanvas::arrangeCanvas);
    arrangeCanvas();
    show();
}

QRectF SelectionCanvas::canvasFrame() const { return m_view.scaledImageRect(); }

void SelectionCanvas::arrangeCanvas()
{
    const QRectF frame = canvasFrame();
    m_model.setCanvasSize(frame.size());
    setGeometry(m_view.toWidget(frame).toRect());
    update();
}

void SelectionCanvas::addSelectorWithFrame(const QRectF &frame)
{
    m_model.addSelectorWithFrame(frame);
    update();
}

void SelectionCanvas::removeAllSelectorsFromCanvas()
{
    m_model.removeAllSelectorsFromCanvas();
    unsetCursor();
    update();
}

QPointF SelectionCanvas::canvasPoint(QPointF p) const { return QPointF(p.x(), height() - p.y()); }

void SelectionCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const auto toWidget = [this](const QRectF &r) {
        return QRectF(r.x(), height() - r.y() - r.height(), r.width(), r.height());
    };
    for (const SelectionCanvasModel::Drawn &d : m_model.draw()) {
        QPen pen(kSelectorStroke, 1);
        pen.setDashPattern({kSelectorDash, kSelectorDash});  // in pen widths; the width is 1
        p.setPen(pen);
        p.setBrush(d.fill);
        p.setRenderHint(QPainter::Antialiasing, false);  // a crisp one-point frame
        p.drawRect(toWidget(d.frame));
        p.setRenderHint(QPainter::Antialiasing, true);
        for (const QRectF &h : d.handles) {
            p.setPen(QPen(kHandleStroke, 2));
            p.setBrush(kHandleFill);
            p.drawEllipse(toWidget(h));
        }
    }
}

void SelectionCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    m_model.press(canvasPoint(event->position()), event->modifiers() & Qt::ControlModifier);
    update();
}

void SelectionCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = canvasPoint(event->position());
    if (event->buttons() & Qt::LeftButton) {
        if (m_model.drag(p)) update();
        return;
    }
    if (const std::optional<CanvasCursor> c = m_model.cursorAt(p)) showCursor(*c);
}

void SelectionCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) return;
    m_model.release();
    update();
}

void SelectionCanvas::keyPressEvent(QKeyEvent *event)
{
    using Key = SelectionCanvasModel::Key;
    Key key = Key::Other;
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) key = Key::Delete;
    else if (event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier)) key = Key::SelectAll;
    else if (event->key() == Qt::Key_Escape) key = Key::Escape;
    if (key == Key::Other) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_model.key(key);
    if (key == Key::Delete) showCursor(CanvasCursor::Arrow);
    update();
}

void SelectionCanvas::showCursor(CanvasCursor cursor)
{
    switch (cursor) {
    case CanvasCursor::Arrow: setCursor(Qt::ArrowCursor); return;
    case CanvasCursor::OpenHand: setCursor(Qt::OpenHandCursor); return;
    case CanvasCursor::TopBottom:
    case CanvasCursor::BottomTop: {
        const QPixmap arrows(Resource_Path + (cursor == CanvasCursor::TopBottom ? "TopBottom.png" : "BottomTop.png"));
        if (arrows.isNull()) setCursor(Qt::CrossCursor);
        else setCursor(QCursor(arrows, 9, 9));
        return;
    }
    }
}
