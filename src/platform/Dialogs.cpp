#include "Dialogs.h"

#include "GuiThread.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace {
FilePanelAnswerer panelAnswerer;
OpenUrlAnswerer urlAnswerer;
// The folder of the last choice made in a file panel (GUI thread only).
QString lastPanelFolder;

QString startFolder(const QString &asked)
{
    if (!asked.isEmpty()) return asked;
    if (!lastPanelFolder.isEmpty() && QFileInfo(lastPanelFolder).isDir()) return lastPanelFolder;
    return QDir::homePath();
}

void rememberFolderOf(const FilePanelRequest &r, const QStringList &chosen)
{
    if (chosen.isEmpty()) return;
    const QFileInfo first(chosen.front());
    lastPanelFolder = r.kind == FilePanelRequest::OpenFolder ? first.absoluteFilePath() : first.absolutePath();
}

QString filterFor(const QStringList &extensions)
{
    if (extensions.isEmpty()) return {};
    QStringList patterns;
    for (const QString &e : extensions) patterns << QStringLiteral("*.") + e << QStringLiteral("*.") + e.toUpper();
    return QObject::tr("Files (%1)").arg(patterns.join(u' '));
}

QStringList runPanel(const FilePanelRequest &r)
{
    QStringList result;
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
    return result;
}
} // namespace

void Set_File_Panel_Answerer(FilePanelAnswerer answerer) { panelAnswerer = std::move(answerer); }
void Set_Open_Url_Answerer(OpenUrlAnswerer answerer) { urlAnswerer = std::move(answerer); }

QStringList Run_File_Panel(const FilePanelRequest &request)
{
    QStringList result;
    Run_On_Gui_Thread_And_Wait([&] {
        FilePanelRequest r = request;
        r.directory = startFolder(request.directory);
        result = panelAnswerer ? panelAnswerer(r) : runPanel(r);
        rememberFolderOf(r, result);
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
