#include "Dialogs.h"

#include "GuiThread.h"
#include "Log.h"

#include <QDir>
#include <QFileInfo>

namespace {
FilePanelAnswerer panelAnswerer;
FilePanelAnswerer panelPresenter;
OpenUrlAnswerer urlAnswerer;
OpenUrlAnswerer urlPresenter;
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
} // namespace

QString Name_With_Extension(const QString &name, const QString &extension)
{
    const qsizetype slash = name.lastIndexOf(u'/');
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > slash + 1 ? name.left(dot) : name;
    return stem + u'.' + extension;
}

QUrl Url_For_Opening(const QString &pathOrUrl)
{
    // A scheme is a letter followed by letters, digits, "+", "-" or ".", then ":".
    // One letter alone is a drive, and "/..." or "./..." a path.
    const qsizetype colon = pathOrUrl.indexOf(u':');
    bool scheme = colon >= 2 && pathOrUrl.at(0).isLetter() && pathOrUrl.at(0).unicode() < 128;
    for (qsizetype i = 1; scheme && i < colon; ++i) {
        const QChar c = pathOrUrl.at(i);
        scheme = c.unicode() < 128 && (c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.');
    }
    return scheme ? QUrl(pathOrUrl, QUrl::TolerantMode) : QUrl::fromLocalFile(pathOrUrl);
}

void Set_File_Panel_Answerer(FilePanelAnswerer answerer) { panelAnswerer = std::move(answerer); }
void Set_Open_Url_Answerer(OpenUrlAnswerer answerer) { urlAnswerer = std::move(answerer); }
void Set_File_Panel_Presenter(FilePanelAnswerer presenter) { panelPresenter = std::move(presenter); }
void Set_Open_Url_Presenter(OpenUrlAnswerer presenter) { urlPresenter = std::move(presenter); }

QStringList Run_File_Panel(const FilePanelRequest &request)
{
    QStringList result;
    Run_On_Gui_Thread_And_Wait([&] {
        FilePanelRequest r = request;
        r.directory = startFolder(request.directory);
        if (panelAnswerer) result = panelAnswerer(r);
        else if (panelPresenter) result = panelPresenter(r);
        else Show_NSLog_Message(QStringLiteral("No file panel can be shown: %1").arg(r.title));
        rememberFolderOf(r, result);
    });
    return result;
}

bool Open_With_Default_Application(const QString &pathOrUrl)
{
    bool ok = false;
    Run_On_Gui_Thread_And_Wait([&] {
        if (urlAnswerer) ok = urlAnswerer(pathOrUrl);
        else if (urlPresenter) ok = urlPresenter(pathOrUrl);
        else Show_NSLog_Message(QStringLiteral("Nothing can open %1").arg(pathOrUrl));
    });
    return ok;
}
