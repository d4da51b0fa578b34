#pragma once
// What the series windows share: the series folder and the open design's use of it,
// the spreadsheet template, the please-wait panel and the open-exported-file box; and
// the modal run every one of them has, with a hook that lets tests (and scripted runs)
// act while a window is open.
#include "SeriesImport.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

struct SeriesServices {
    QString folder;          // the series folder
    QString templateFolder;  // the folder of "Template.xlsx"
    // Whether the open design uses the series (a control bound to it).
    std::function<bool(const QString &)> inUse;
    // Shows a please-wait panel over the window until the returned guard is dropped
    // (the shared please-wait panel unless replaced).
    std::function<std::shared_ptr<void>(QWidget *)> pleaseWait;
    // Offers to open a written file, with its message (the shared open-exported-file
    // box unless replaced).
    std::function<void(QWidget *, const QString &path, const QString &message)> openExported;

    SeriesImport::Target target(SeriesImport::AlertFunction alert = {}) const { return {folder, inUse, std::move(alert)}; }
    std::shared_ptr<void> wait(QWidget *over) const;
    void exported(QWidget *over, const QString &path, const QString &message) const;
};

// The shared please-wait panel over the window while the guard lives.
std::shared_ptr<void> Series_Please_Wait(QWidget *over);

// An alert with an "Apply to All" box, as a person answers it.
SeriesImport::AlertAnswer Show_Apply_All_Alert(QWidget *parent, const QString &message, const QStringList &buttons);

// A dialog run modally: Open ends with the code given to done().
class SeriesDialog : public QDialog {
    Q_OBJECT
public:
    explicit SeriesDialog(QWidget *parent = nullptr);
    // Called once the window is shown, while it runs; the window stays open until the
    // hook or a person ends it.
    std::function<void(SeriesDialog &)> whileOpen;

protected:
    // Runs the window modally; hides it afterwards; the code given to done().
    int runModal();
};
