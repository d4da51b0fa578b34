#pragma once
// What the visitor log needs of the printing side to print a visit's gate pass: the
// printer's page set-up and a print or preview of the pass picture, which the pass page
// places on one page (centred across the printable width, its top on the top margin).
// The log window owns no printer: whoever makes the window hands one in (or none).
// With none, or with one that reports no printer, Print, Print Preview and Page Setup
// show "No printer found." and do nothing else.
#include "Picture.h"

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>

class QWidget;

class VisitorPassPrinter {
public:
    virtual ~VisitorPassPrinter() = default;
    virtual bool hasPrinter() const = 0;
    // The log window is opening: the printer takes the settings it prints on afresh.
    virtual void Take_Print_Settings() {}
    // The page layout dialog over the printer's settings, kept for later prints.
    virtual void pageSetup(QWidget *parent) = 0;
    // Prints (or previews) one page holding `pass`, a vector picture of `passRect`'s
    // size in points; the margins come from the printable area of the printer's page
    // (Visitor_Pass_Margins). Modal for `parent`.
    virtual void printPass(const Picture &pass, const QRectF &passRect, bool preview, QWidget *parent) = 0;
};

// The pass page's margins from the paper (points) and its printable area (points,
// measured from the paper's bottom-left corner, y up): left = x, right = paper width -
// x - width, top = paper height - y - height, bottom = y.
inline QMarginsF Visitor_Pass_Margins(QSizeF paper, QRectF imageable)
{
    return QMarginsF(imageable.x(), paper.height() - imageable.y() - imageable.height(),
                     paper.width() - imageable.x() - imageable.width(), imageable.y());
}
