#pragma once
// The main window as the tests build it: a document and its window controller, set
// up without the start gallery, with helpers to reach the sides and the commands.
#include "PhotoPictureAdjuster.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTWindowController.h"

#include <QAction>

struct TestWindow {
    PhotoPictureAdjuster adjuster;
    SKTDocument document;
    SKTWindowController controller{document, adjuster};
    TestWindow() { controller.awakeFromNib(false); }
    SKTGraphicList &front() { return document.graphics(); }
    SKTGraphicList &back() { return document.graphics_back(); }
    SKTGraphic *top(SKTGraphicList &side) { return side.isEmpty() ? nullptr : side.at(0).get(); }
    GraphicPtr add(SKTGraphicList &side, GraphicKind kind, QRectF r)
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->setBounds(r);
        side.insert(g);
        return g;
    }
    QAction *command(const char *name) const { return controller.ui.command(QLatin1String(name)); }
};
