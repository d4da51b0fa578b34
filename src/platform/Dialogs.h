#pragma once
// Open and save panels and "open with the default application", behind one seam so
// that tests can answer them without a person.
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
};

// The name without its extension, ".", and the extension: ("visits.xlsx", "txt")
// gives "visits.txt".
QString Name_With_Extension(const QString &name, const QString &extension);

// Runs the panel; returns the chosen paths (empty when cancelled). A request that
// names no folder opens in the folder of the last choice made in a panel (while it
// exists), else in the home folder.
QStringList Run_File_Panel(const FilePanelRequest &request);
// Opens a file or URL with the desktop's default application; false on failure.
bool Open_With_Default_Application(const QString &pathOrUrl);
// What Open_With_Default_Application hands to the desktop: a text with a scheme of
// two letters or more ("https://...", "mailto:...", "file:...") as the URL it is,
// anything else as a local file's path.
QUrl Url_For_Opening(const QString &pathOrUrl);

using FilePanelAnswerer = std::function<QStringList(const FilePanelRequest &)>;
using OpenUrlAnswerer = std::function<bool(const QString &)>;
void Set_File_Panel_Answerer(FilePanelAnswerer answerer);
void Set_Open_Url_Answerer(OpenUrlAnswerer answerer);

// The panels and the desktop opener a person uses, registered once at start-up by the
// application (the widget layer). An answerer, when set, is asked instead; with
// neither, panels answer nothing and opening fails (both logged).
void Set_File_Panel_Presenter(FilePanelAnswerer presenter);
void Set_Open_Url_Presenter(OpenUrlAnswerer presenter);
