#include "Field_Wheel.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// A field whose value the wheel turns: a slider (not a scroll bar), a list or a number.
bool turnedByWheel(const QWidget &w)
{
    if (qobject_cast<const QScrollBar *>(&w)) return false;
    return qobject_cast<const QAbstractSlider *>(&w) || qobject_cast<const QComboBox *>(&w) ||
           qobject_cast<const QAbstractSpinBox *>(&w);
}

// Sees every event of the application: the type is looked at before anything else.
class Field_Wheel_Rule : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
            // After the widget's own constructor, which may have set its policy, and before
            // any wheel can reach it: the wheel gives no focus.
            if (auto *w = qobject_cast<QWidget *>(watched); w && w->focusPolicy() == Qt::WheelFocus)
                w->setFocusPolicy(Qt::StrongFocus);
            return false;
        case QEvent::Wheel: {
            auto *w = qobject_cast<QWidget *>(watched);
            if (!w || !turnedByWheel(*w) || w->hasFocus()) return false;
            toScrollingPart(*w, *static_cast<QWheelEvent *>(event));
            return true;
        }
        default:
            return false;
        }
    }

private:
    // The nearest scrolling part holding the field scrolls, as for a wheel over its empty room.
    static void toScrollingPart(QWidget &field, const QWheelEvent &e)
    {
        for (QWidget *w = &field; w && !w->isWindow(); w = w->parentWidget()) {
            auto *area = qobject_cast<QAbstractScrollArea *>(w->parentWidget());
            if (!area || area->viewport() != w) continue;
            QWheelEvent onPart(w->mapFromGlobal(e.globalPosition()), e.globalPosition(), e.pixelDelta(),
                               e.angleDelta(), e.buttons(), e.modifiers(), e.phase(), e.inverted(), e.source(),
                               e.pointingDevice());
            QCoreApplication::sendEvent(w, &onPart);
            return;
        }
    }
};

} // namespace

void Install_Field_Wheel_Rule(QApplication &app)
{
    for (QObject *child : app.children())
        if (dynamic_cast<Field_Wheel_Rule *>(child)) return;
    app.installEventFilter(new Field_Wheel_Rule(&app));
}
