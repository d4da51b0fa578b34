#pragma once
// Whether a person can get at a widget of a shown window: every scroll area around it is
// scrolled to it, then the whole widget must lie inside its window and inside each of its
// parents (a scroll area's viewport among them), so nothing is cut off or left below the
// window's edge.
#include <QApplication>
#include <QRect>
#include <QScrollArea>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace testsupport {

inline ::testing::AssertionResult reachable(QWidget &w, const QString &what)
{
    QWidget *window = w.window();
    if (!w.isVisibleTo(window)) return ::testing::AssertionFailure() << qPrintable(what) << " is not shown";
    for (QWidget *p = w.parentWidget(); p && p != window; p = p->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(p); area && area->widget() && area->widget()->isAncestorOf(&w)) {
            // The whole widget (ensureWidgetVisible() would stop at a text cursor).
            const QPoint at = w.mapTo(area->widget(), QPoint(0, 0));
            const int halfW = w.width() / 2, halfH = w.height() / 2;
            area->ensureVisible(at.x() + halfW, at.y() + halfH, w.width() - halfW, w.height() - halfH);
        }
    QApplication::processEvents();
    const QRect rect(w.mapTo(window, QPoint(0, 0)), w.size());
    for (QWidget *p = w.parentWidget(); p; p = p == window ? nullptr : p->parentWidget()) {
        const QRect room(p == window ? QPoint(0, 0) : p->mapTo(window, QPoint(0, 0)), p->size());
        if (!room.contains(rect))
            return ::testing::AssertionFailure()
                   << qPrintable(what) << " at (" << rect.x() << ", " << rect.y() << ") " << rect.width() << " x "
                   << rect.height() << " is outside " << p->metaObject()->className() << " "
                   << qPrintable(p->objectName()) << " at (" << room.x() << ", " << room.y() << ") " << room.width()
                   << " x " << room.height();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace testsupport
