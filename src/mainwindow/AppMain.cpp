#include "AppMain.h"

#include "Field_Wheel.h"
#include "FileWrite.h"
#include "Globals.h"
#include "Paths.h"
#include "SKTDocument.h"
#include "SKTWindowController.h"

#include <QApplication>
#include <QDir>
#include <memory>

QString Design_Path_From_Arguments(const QStringList &arguments, const QString &currentFolder)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a.isEmpty() || a.startsWith(u'-')) continue;
        return QDir::cleanPath(a.startsWith(u'/') ? a : Path_Join(currentFolder, a));
    }
    return {};
}

int App_Main(int argc, char **argv, const PictureAdjuster &adjuster, QThreadPool &pool)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);
    QApplication::setOrganizationName(QString());
    Install_Field_Wheel_Rule(app);
    Locate_Application_Paths();
    Start_Write_Record_Key(Created_Resource_Path);

    // One untitled document for the whole run; it makes the one main window controller.
    SKTDocument document;
    std::unique_ptr<SKTWindowController> controller;
    const QString design = Design_Path_From_Arguments(QApplication::arguments(), QDir::currentPath());
    Window_Controller_Factory factory([&controller, &adjuster, &pool, &design](SKTDocument &doc) {
        controller = std::make_unique<SKTWindowController>(doc, adjuster, &pool);
        if (design.isEmpty())
            controller->showWindow();
        else
            controller->showWindow(design);
    });
    document.makeWindowControllers(factory);
    const int result = app.exec();
    controller.reset();
    return result;
}
