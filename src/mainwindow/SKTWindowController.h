#pragma once
// The one main window controller of the application.
#include <QObject>
#include <memory>

class QMainWindow;
class SKTDocument;

class SKTWindowController : public QObject {
    Q_OBJECT
public:
    SKTWindowController();
    ~SKTWindowController() override;

    static SKTWindowController *defaultInstance();

    QMainWindow *window() const { return m_window.get(); }
    void showWindow();

    SKTDocument *document() const { return m_document; }
    void setDocument(SKTDocument *document) { m_document = document; }

private:
    std::unique_ptr<QMainWindow> m_window;
    SKTDocument *m_document = nullptr;
};

extern SKTWindowController *Main_App_wnd;
