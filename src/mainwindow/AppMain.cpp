#include "AppMain.h"

#include "Globals.h"
#include "Paths.h"
#include "SKTWindowController.h"

#include <QApplication>

int App_Main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);
    QApplication::setOrganizationName(QString());
    Locate_Application_Paths();

    SKTWindowController controller;
    controller.showWindow();
    return app.exec();
}
