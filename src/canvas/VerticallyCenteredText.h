#pragma once
// Vertical centring of a text cell's title: the text of height `textHeight` sits in the
// middle of `bounds`. The top of the base title rectangle moves down to
// bounds.y + (bounds.height - textHeight) / 2 and its height shrinks by the same
// amount; x and width stay.
#include <QRectF>

inline QRectF Vertically_Centered_Title_Rect(const QRectF &bounds, const QRectF &baseTitleRect, qreal textHeight)
{
    const qreal top = bounds.y() + (bounds.height() - textHeight) / 2;
    QRectF r = baseTitleRect;
    r.setHeight(r.height() - (top - bounds.y()));
    r.moveTop(top);
    return r;
}
