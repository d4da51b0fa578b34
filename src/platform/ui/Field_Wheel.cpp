#include "Field_Wheel.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
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

// On a pop-up (a list's own list, a menu), which takes the focus while it is open.
bool inPopup(const QWidget &w) { return w.window()->windowType() == Qt::Popup; }

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
        case QEvent::MouseButtonPress:
            // A click on the widget that has the focus already (the one its window gave it).
            if (auto *w = qobject_cast<QWidget *>(watched); w && !inPopup(*w))
                for (; w && !w->isWindow(); w = w->parentWidget())
                    if (w->hasFocus()) m_chosen = QApplication::focusWidget();
            return false;
        case QEvent::FocusIn:
            if (auto *w = qobject_cast<QWidget *>(watched)) noteFocus(*w, static_cast<QFocusEvent *>(event)->reason());
            return false;
        case QEvent::Wheel: {
            auto *w = qobject_cast<QWidget *>(watched);
            if (!w || !turnedByWheel(*w) || (w->hasFocus() && m_chosen == QApplication::focusWidget())) return false;
            toScrollingPart(*w, *static_cast<QWheelEvent *>(event));
            return true;
        }
        default:
            return false;
        }
    }

private:
    // The user gives the focus with a click, the Tab key or a shortcut; it comes back
    // to the same widget after a pop-up (a list's own) or another window. The focus a
    // window gives as it opens, or the program gives, is not the user's choice.
    void noteFocus(QWidget &widget, Qt::FocusReason why)
    {
        if (inPopup(widget)) return;
        switch (why) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason: m_chosen = &widget; break;
        case Qt::PopupFocusReason:
        case Qt::ActiveWindowFocusReason: break;
        default:
            if (m_chosen != &widget) m_chosen = nullptr;
        }
    }

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

    QPointer<QObject> m_chosen;  // the widget the user put the keyboard focus on
};

} // namespace

void Install_Field_Wheel_Rule(QApplication &app)
{
    for (QObject *child : app.children())
        if (dynamic_cast<Field_Wheel_Rule *>(child)) return;
    app.installEventFilter(new Field_Wheel_Rule(&app));
}
