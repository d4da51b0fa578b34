#include "AppMain.h"

#include "Globals.h"
#include "Paths.h"
#include "SKTDocument.h"
#include "SKTWindowController.h"

#include <QApplication>
#include <memory>

int App_Main(int argc, char **argv, const PictureAdjuster &adjuster, QThreadPool &pool)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);
    QApplication::setOrganizationName(QString());
    Locate_Application_Paths();

    // One untitled document for the whole run; it makes the one main window controller.
    SKTDocument document;
    std::unique_ptr<SKTWindowController> controller;
    SKTDocument::setWindowControllerFactory([&controller, &adjuster, &pool](SKTDocument &doc) {
        controller = std::make_unique<SKTWindowController>(doc, adjuster, &pool);
        controller->showWindow();
    });
    document.makeWindowControllers();
    const int result = app.exec();
    controller.reset();
    SKTDocument::setWindowControllerFactory({});
    return result;
}
