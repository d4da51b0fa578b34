#include "Dialogs.h"

#include "GuiThread.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace {
FilePanelAnswerer panelAnswerer;
OpenUrlAnswerer urlAnswerer;

QString filterFor(const QStringList &extensions)
{
    if (extensions.isEmpty()) return {};
    QStringList patterns;
    for (const QString &e : extensions) patterns << QStringLiteral("*.") + e << QStringLiteral("*.") + e.toUpper();
    return QObject::tr("Files (%1)").arg(patterns.join(u' '));
}
} // namespace

void Set_File_Panel_Answerer(FilePanelAnswerer answerer) { panelAnswerer = std::move(answerer); }
void Set_Open_Url_Answerer(OpenUrlAnswerer answerer) { urlAnswerer = std::move(answerer); }

QStringList Run_File_Panel(const FilePanelRequest &r)
{
    QStringList result;
    Run_On_Gui_Thread_And_Wait([&] {
        if (panelAnswerer) {
            result = panelAnswerer(r);
            return;
        }
        QWidget *parent = QApplication::activeWindow();
        const QString filter = filterFor(r.extensions);
        switch (r.kind) {
        case FilePanelRequest::OpenFile: {
            const QString f = QFileDialog::getOpenFileName(parent, r.title, r.directory, filter);
            if (!f.isEmpty()) result << f;
            break;
        }
        case FilePanelRequest::OpenFiles:
            result = QFileDialog::getOpenFileNames(parent, r.title, r.directory, filter);
            break;
        case FilePanelRequest::OpenFolder: {
            const QString f = QFileDialog::getExistingDirectory(parent, r.title, r.directory);
            if (!f.isEmpty()) result << f;
            break;
        }
        case FilePanelRequest::SaveFile: {
            const QString start = r.suggestedName.isEmpty() ? r.directory : r.directory + u'/' + r.suggestedName;
            QString f = QFileDialog::getSaveFileName(parent, r.title, start, filter);
            if (!f.isEmpty() && r.extensions.size() == 1 &&
                !f.endsWith(u'.' + r.extensions.front(), Qt::CaseInsensitive))
                f += u'.' + r.extensions.front();
            if (!f.isEmpty()) result << f;
            break;
        }
        }
    });
    return result;
}

bool Open_With_Default_Application(const QString &pathOrUrl)
{
    bool ok = false;
    Run_On_Gui_Thread_And_Wait([&] {
        if (urlAnswerer) {
            ok = urlAnswerer(pathOrUrl);
            return;
        }
        const QUrl url = pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
        ok = QDesktopServices::openUrl(url);
    });
    return ok;
}
