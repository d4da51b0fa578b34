#pragma once
// The pass printer of the application: the visitor pass page of the printing
// subsystem, on the application's print settings (printer, paper, margins), which page
// set-up changes for later prints.
#include "VisitorPassPrinter.h"

#include <functional>

class Print_Preview_Dialog;
struct Print_Settings;
struct RenderedSide;

// The pass picture recorded as the pass page plays it: in points from its top-left
// corner, `passRect`'s size.
RenderedSide Visitor_Pass_Recorded(const Picture &pass, const QRectF &passRect);

class Output_Pass_Printer : public VisitorPassPrinter {
public:
    // `previewRunner` replaces the preview's modal run (scripted runs).
    explicit Output_Pass_Printer(Print_Settings &settings,
                                 std::function<void(Print_Preview_Dialog &)> previewRunner = {});
    bool hasPrinter() const override;
    void pageSetup(QWidget *parent) override;
    void printPass(const Picture &pass, const QRectF &passRect, bool preview, QWidget *parent) override;

private:
    Print_Settings &settings;
    std::function<void(Print_Preview_Dialog &)> previewRunner;
};
