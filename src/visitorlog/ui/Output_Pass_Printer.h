#pragma once
// The pass printer of the application: the visitor pass page of the printing
// subsystem, on the document's print settings. The log window's opening copies them
// (printer, paper, orientation; margins 0, the printer's own being taken when the pass
// prints, or a page set-up's where larger); a confirmed page set-up and a print write
// them back to the document.
#include "PrinterLayer.h"
#include "VisitorPassPrinter.h"

#include <functional>

class Print_Preview_Dialog;
class SKTDocument;
struct RenderedSide;

// The pass picture recorded as the pass page plays it: in points from its top-left
// corner, `passRect`'s size.
RenderedSide Visitor_Pass_Recorded(const Picture &pass, const QRectF &passRect);

class Output_Pass_Printer : public VisitorPassPrinter {
public:
    // `document` outlives the printer. `previewRunner` replaces the preview's modal run
    // (scripted runs).
    explicit Output_Pass_Printer(SKTDocument &document, std::function<void(Print_Preview_Dialog &)> previewRunner = {});
    bool hasPrinter() const override;
    void Take_Print_Settings() override;
    void pageSetup(QWidget *parent) override;
    void printPass(const Picture &pass, const QRectF &passRect, bool preview, QWidget *parent) override;

    // The settings the pass prints on.
    const Print_Settings &settings() const { return m_settings; }
    // Replaces the page set-up dialog (scripted runs): true when confirmed.
    std::function<bool(Print_Settings &)> pageSetupRunner;

private:
    void Write_Back();

    SKTDocument &document;
    Print_Settings m_settings;
    std::function<void(Print_Preview_Dialog &)> previewRunner;
};
