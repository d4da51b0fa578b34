#pragma once
// Open and save panels and "open with the default application", behind one seam so
// that tests can answer them without a person.
#include "FileWrite.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

struct FilePanelRequest {
    enum Kind { OpenFile, OpenFiles, OpenFolder, SaveFile } kind = OpenFile;
    QString title;
    QString directory;
    QString suggestedName;
    QStringList extensions;  // lower case, without dots; empty: any file
    // Save panels: one name filter per extension, the first chosen at the start;
    // choosing another gives the name that extension and allows only that type.
    bool formatChoice = false;
    // Save panels with the format choice: the format selected at the start (the first
    // when empty); a panel that comes again after No keeps the format chosen.
    QString chosenExtension;
    // Save panels: the files a choice writes, given the completed name, when that is not
    // the name alone (an export of both sides writes "<name>_Front" and "<name>_Back").
    std::function<QStringList(const QString &)> writtenFiles;
};

// A save panel's answer: the name that is written (empty when cancelled) and what a link
// there gets. The question about a file already there has been asked and answered Yes.
struct Save_Panel_Choice {
    QString path;
    File_Link links = File_Link::Replace;
    // Ask_Save_Panel only: a file was there and the question was answered No, or it was
    // refused without a question (another user's in a shared folder); `path` is that name.
    bool refused = false;
};

// The name without its extension, ".", and the extension: ("visits.xlsx", "txt")
// gives "visits.txt".
QString Name_With_Extension(const QString &name, const QString &extension);

// The name a save panel writes for the name typed into it: the name itself when it ends
// in one of the request's extensions (any case), or when the request lists none. Else a
// plain panel adds its extension ("f.txt" gives "f.txt.zcd"), and a panel with the format
// choice puts the chosen extension (the first when none is given) in place of the name's
// own ("own.txt" gives "own.jpg"); there a name must end in the chosen extension.
QString Completed_Save_Name(const QString &typed, const FilePanelRequest &request, const QString &chosenExtension = {});

// Runs a save panel once: the name typed is completed, and when files the choice writes
// are there (a link too, one leading nowhere as well) one question names each of them:
// "<file name> already exists. Do you want to replace it?", or for several
// "<name>, <name> and <name> already exist. Do you want to replace them?". A file there
// that is another user's in a shared folder (Write_Refusal_Reason) is refused at once,
// with Write_Refusal_Text, and nothing is asked.
// A link under the very name typed, to a file that is there, is written through; any
// other link (under a completed name, or leading nowhere) is replaced.
Save_Panel_Choice Ask_Save_Panel(const FilePanelRequest &request);
// Ask_Save_Panel until a name is chosen or the panel is cancelled: after a No the panel
// comes again in the same folder with the refused name and the format it was written in.
Save_Panel_Choice Run_Save_Panel(FilePanelRequest request);

// Runs the panel; returns the chosen paths (empty when cancelled); a save panel runs as
// Run_Save_Panel. A request that
// names no folder opens in the folder of the last choice made in a panel (while it
// exists), else in the home folder.
QStringList Run_File_Panel(const FilePanelRequest &request);
// Opens a file or URL with the desktop's default application; false on failure.
bool Open_With_Default_Application(const QString &pathOrUrl);
// What Open_With_Default_Application hands to the desktop: a text with a scheme of
// two letters or more ("https://...", "mailto:...", "file:...") as the URL it is,
// anything else as a local file's path.
QUrl Url_For_Opening(const QString &pathOrUrl);

// A save panel answers the name typed; one with the format choice may add the extension
// of the format chosen as a second entry.
using FilePanelAnswerer = std::function<QStringList(const FilePanelRequest &)>;
using OpenUrlAnswerer = std::function<bool(const QString &)>;
void Set_File_Panel_Answerer(FilePanelAnswerer answerer);
void Set_Open_Url_Answerer(OpenUrlAnswerer answerer);

// The panels and the desktop opener a person uses, registered once at start-up by the
// application (the widget layer). An answerer, when set, is asked instead; with
// neither, panels answer nothing and opening fails (both logged).
void Set_File_Panel_Presenter(FilePanelAnswerer presenter);
void Set_Open_Url_Presenter(OpenUrlAnswerer presenter);
