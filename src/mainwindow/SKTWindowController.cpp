#include "SKTWindowController.h"

#include "Globals.h"

#include <QMainWindow>

SKTWindowController *Main_App_wnd = nullptr;
namespace {
SKTWindowController *app_DefaultInstance = nullptr;
}

SKTWindowController::SKTWindowController() : m_window(std::make_unique<QMainWindow>())
{
    m_window->setWindowTitle(App_Name);
    app_DefaultInstance = this;
    Main_App_wnd = app_DefaultInstance;
}

SKTWindowController::~SKTWindowController()
{
    if (Main_App_wnd == this) Main_App_wnd = nullptr;
    if (app_DefaultInstance == this) app_DefaultInstance = nullptr;
}

SKTWindowController *SKTWindowController::defaultInstance() { return app_DefaultInstance; }

void SKTWindowController::showWindow() { m_window->showMaximized(); }
