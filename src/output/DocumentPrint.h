#pragma once
// The document printed as it stands: its front side on one page of the card canvas
// (243 x 154 points), on the document's printer. The job is made first and run
// afterwards, so callers may look at it or run it on another thread.
#include "PrinterLayer.h"
#include "RenderResources.h"
#include "RenderedSide.h"

#include <QRectF>
#include <QString>
#include <QVariantMap>

class SKTDocument;

struct Document_Print_Operation {
    QString jobTitle;            // the design file's name without extension, else the display name
    QRectF viewFrame;            // from (0, 0), the canvas size
    RenderedSide front;          // the front's controls as drawn on the page
    Print_Settings settings;     // the document's print settings with the given ones applied
    QVariantMap printInfo;       // the settings as a dictionary, the given entries added
    bool canSpawnSeparateThread = true;
};

// The job of the document. `settings` entries are added to the print settings'
// dictionary (Print_Info_Dictionary keys); "PrinterName" and "Orientation" (0 portrait,
// 1 landscape) given there also choose the printer and the paper's orientation.
Document_Print_Operation printOperationWithSettings(const SKTDocument &document, const QVariantMap &settings,
                                                    const RenderResources &resources);

// Prints the job: one page of the view's size holding the front. False with `error`
// set when the printer is missing, the page could not be started or the job's output
// was not written whole (Print_Output).
bool Run_Print_Operation(const Document_Print_Operation &operation, QString *error = nullptr);
