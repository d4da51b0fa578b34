#include "Output_Pass_Printer.h"

#include "RenderedSide.h"
#include "SKTDocument.h"
#include "VisitorPassPage.h"

#include <QPainter>

Output_Pass_Printer::Output_Pass_Printer(SKTDocument &d, std::function<void(Print_Preview_Dialog &)> runner)
    : document(d), previewRunner(std::move(runner))
{
    Take_Print_Settings();
}

bool Output_Pass_Printer::hasPrinter() const { return !Printer_Names().isEmpty(); }

void Output_Pass_Printer::Take_Print_Settings()
{
    m_settings = Print_Settings_From_Info(document.printInfo());
    m_settings.margins = m_settings.setUpMargins = QMarginsF();
}

void Output_Pass_Printer::Write_Back() { document.setPrintInfo(Print_Info_From_Settings(m_settings)); }

void Output_Pass_Printer::pageSetup(QWidget *parent)
{
    const bool confirmed = pageSetupRunner ? pageSetupRunner(m_settings) : Run_Page_Setup(m_settings, parent);
    if (confirmed) Write_Back();
}

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
    if (side.isNull() || !hasPrinter()) return;
    // The print takes the printer (the default one when none is chosen) and the margins
    // for the paper (a page set-up's, none under the printer's own); the document keeps
    // them from here on, as after a page set-up.
    Call_Print_Box_1(side, m_settings, preview, parent, previewRunner);
    Write_Back();
}
