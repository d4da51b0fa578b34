#pragma once
// The one main window controller of the application.
#include <QObject>
#include <memory>

class QMainWindow;

class SKTWindowController : public QObject {
    Q_OBJECT
public:
    SKTWindowController();
    ~SKTWindowController() override;

    static SKTWindowController *defaultInstance();

    QMainWindow *window() const { return m_window.get(); }
    void showWindow();

private:
    std::unique_ptr<QMainWindow> m_window;
};

extern SKTWindowController *Main_App_wnd;
