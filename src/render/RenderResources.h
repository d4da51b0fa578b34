#pragma once
// What drawing a card side needs besides the side itself: the controls' drawing
// context (the picture adjuster, the resource folder, the folder of the hatch pattern pictures, the default
// text font, also the font of a watermark whose card names none) and the name a PDF
// gives as its creator. The renderer reads these from its arguments only, so any
// thread renders a design alike.
#include "DrawContext.h"

#include <QString>

struct RenderResources : DrawContext {
    QString creator;
};

// The application's resources as they stand now (Resource_Path, the default text
// font, the application's name), with the adjuster of the caller. Callers take it on
// the GUI thread and hand it to the renderer.
RenderResources Application_Render_Resources(const PictureAdjuster &adjuster);
