#include "Output_Pass_Printer.h"

#include "PrinterLayer.h"
#include "RenderedSide.h"
#include "VisitorPassPage.h"

#include <QPainter>

Output_Pass_Printer::Output_Pass_Printer(Print_Settings &s, std::function<void(Print_Preview_Dialog &)> runner)
    : settings(s), previewRunner(std::move(runner))
{
}

bool Output_Pass_Printer::hasPrinter() const { return !Printer_Names().isEmpty(); }

void Output_Pass_Printer::pageSetup(QWidget *parent) { Run_Page_Setup(settings, parent); }

RenderedSide Visitor_Pass_Recorded(const Picture &pass, const QRectF &passRect)
{
    RenderedSide side;
    side.size = passRect.size();
    if (side.isNull() || pass.isNull()) return RenderedSide();
    {
        QPainter painter(&side.picture);
        if (const PictureVector *drawing = pass.vector()) drawing->paint(painter, QRectF(QPointF(0, 0), side.size));
        else painter.drawImage(QRectF(QPointF(0, 0), side.size), pass.image());
    }
    side.picture.setBoundingRect(QRect(QPoint(0, 0), side.size.toSize()));
    return side;
}

void Output_Pass_Printer::printPass(const Picture &pass, const QRectF &passRect, bool preview, QWidget *parent)
{
    const RenderedSide side = Visitor_Pass_Recorded(pass, passRect);
    if (!side.isNull()) Call_Print_Box_1(side, settings, preview, parent, previewRunner);
}
