#include "Dialogs.h"

#include "FileUtilities.h"
#include "GuiThread.h"
#include "Log.h"
#include "MessageBox.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The panel layer of the program: who answers file panels and opens files (a test's
// answerer before the person's presenter), and the folder of the last choice made in
// a file panel, where the next panel that names none opens. GUI thread only.
struct Panel_Layer {
    FilePanelAnswerer panelAnswerer, panelPresenter;
    OpenUrlAnswerer urlAnswerer, urlPresenter;
    QString lastFolder;

    QString startFolder(const QString &asked) const
    {
        if (!asked.isEmpty()) return asked;
        if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) return lastFolder;
        return QDir::homePath();
    }
    void rememberFolderOf(const FilePanelRequest &r, const QStringList &chosen)
    {
        if (chosen.isEmpty()) return;
        const QFileInfo first(chosen.front());
        lastFolder = r.kind == FilePanelRequest::OpenFolder ? first.absoluteFilePath() : first.absolutePath();
    }
};
Panel_Layer panels;
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

void Set_File_Panel_Answerer(FilePanelAnswerer answerer) { panels.panelAnswerer = std::move(answerer); }
void Set_Open_Url_Answerer(OpenUrlAnswerer answerer) { panels.urlAnswerer = std::move(answerer); }
void Set_File_Panel_Presenter(FilePanelAnswerer presenter) { panels.panelPresenter = std::move(presenter); }
void Set_Open_Url_Presenter(OpenUrlAnswerer presenter) { panels.urlPresenter = std::move(presenter); }

namespace {
QStringList askPanel(const FilePanelRequest &request)
{
    QStringList result;
    Run_On_Gui_Thread_And_Wait([&] {
        FilePanelRequest r = request;
        r.directory = panels.startFolder(request.directory);
        if (panels.panelAnswerer) result = panels.panelAnswerer(r);
        else if (panels.panelPresenter) result = panels.panelPresenter(r);
        else Show_NSLog_Message(QStringLiteral("No file panel can be shown: %1").arg(r.title));
        panels.rememberFolderOf(r, result);
    });
    return result;
}

bool endsInExtension(const QString &name, const QString &extension)
{
    return name.endsWith(u'.' + extension, Qt::CaseInsensitive) && name.size() > extension.size() + 1 &&
           name.at(name.size() - extension.size() - 2) != u'/';
}

// The one question about the files an answer replaces, each named.
QString replaceQuestion(const QStringList &names)
{
    if (names.size() == 1) return names.front() + QStringLiteral(" already exists. Do you want to replace it?");
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.back() +
           QStringLiteral(" already exist. Do you want to replace them?");
}
} // namespace

QString Completed_Save_Name(const QString &typed, const FilePanelRequest &request, const QString &chosenExtension)
{
    const QStringList &extensions = request.extensions;
    if (typed.isEmpty() || extensions.isEmpty()) return typed;
    // A format chosen in the panel is the one the name must end in.
    const QStringList allowed = request.formatChoice && !chosenExtension.isEmpty() ? QStringList{chosenExtension}
                                                                                   : extensions;
    for (const QString &e : allowed)
        if (endsInExtension(typed, e)) return typed;
    if (!request.formatChoice) return typed + u'.' + extensions.front();
    return Name_With_Extension(typed, allowed.front());
}

Save_Panel_Choice Ask_Save_Panel(const FilePanelRequest &request)
{
    Save_Panel_Choice choice;
    const QStringList answer = askPanel(request);
    if (answer.isEmpty() || answer.front().isEmpty()) return choice;
    const QString typed = answer.front();
    QString chosenExtension = request.formatChoice ? answer.value(1).toLower() : QString();
    if (!request.extensions.contains(chosenExtension)) chosenExtension.clear();
    choice.path = Completed_Save_Name(typed, request, chosenExtension);
    const QStringList written = request.writtenFiles ? request.writtenFiles(choice.path) : QStringList{choice.path};
    // Another user's file or link in a shared folder cannot be replaced: refused at once,
    // with no question whose Yes could not be carried out.
    for (const QString &file : written)
        if (const QString refusal = Write_Refusal_Text(file); !refusal.isEmpty()) {
            Show_MessageBox(refusal);
            choice.refused = true;
            return choice;
        }
    QStringList taken;
    for (const QString &file : written)
        if (Path_Is_Taken(file)) taken << QFileInfo(file).fileName();
    if (!taken.isEmpty()) choice.refused = Show_YES_NO_MessageBox(replaceQuestion(taken)) != 1;
    // Only the very name typed goes through a link, and only to a file that is there.
    const QFileInfo at(choice.path);
    choice.links = choice.path == typed && !(at.isSymLink() && !at.exists()) ? File_Link::Write_Through
                                                                             : File_Link::Replace;
    return choice;
}

Save_Panel_Choice Run_Save_Panel(FilePanelRequest request)
{
    request.kind = FilePanelRequest::SaveFile;
    for (;;) {
        Save_Panel_Choice choice = Ask_Save_Panel(request);
        if (!choice.refused) return choice;
        const QFileInfo refused(choice.path);
        request.directory = refused.absolutePath();
        request.suggestedName = refused.fileName();
        // The completed name ends in the format it is written in.
        for (const QString &e : request.extensions)
            if (request.formatChoice && endsInExtension(choice.path, e)) request.chosenExtension = e;
    }
}

QStringList Run_File_Panel(const FilePanelRequest &request)
{
    if (request.kind != FilePanelRequest::SaveFile) return askPanel(request);
    const QString chosen = Run_Save_Panel(request).path;
    return chosen.isEmpty() ? QStringList() : QStringList{chosen};
}

bool Open_With_Default_Application(const QString &pathOrUrl)
{
    bool ok = false;
    Run_On_Gui_Thread_And_Wait([&] {
        if (panels.urlAnswerer) ok = panels.urlAnswerer(pathOrUrl);
        else if (panels.urlPresenter) ok = panels.urlPresenter(pathOrUrl);
        else Show_NSLog_Message(QStringLiteral("Nothing can open %1").arg(pathOrUrl));
    });
    return ok;
}
