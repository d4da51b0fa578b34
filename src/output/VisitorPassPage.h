#pragma once
// Printing the visitor pass of one recorded visit: one page, the pass picture centred
// across the printable width with its top on the top margin; printed at 600 dots per
// inch, previewed as drawn.
#include "PrinterLayer.h"
#include "RenderedSide.h"

#include <functional>

class Print_Preview_Dialog;
class QWidget;

// Prints the pass (or shows it in the preview) on the settings' printer, choosing the
// default printer when the settings name none that is installed. "No printer found."
// when there is no printer; a failed job shows its reason. True when the page was
// printed or shown. `previewRunner` replaces the preview's modal run (scripted runs).
bool Call_Print_Box_1(const RenderedSide &pass, Print_Settings &settings, bool preview, QWidget *parent = nullptr,
                      const std::function<void(Print_Preview_Dialog &)> &previewRunner = {});
