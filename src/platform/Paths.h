#pragma once
#include <QString>

// Sets Resource_Path to the "resources" folder beside the executable (or installed
// under share/), and Created_Resource_Path to the per-user data folder. Both end
// with "/". The data folder itself is not created here.
void Locate_Application_Paths();

// Puts `name` into `folder` with exactly one "/" between them, taking the name as a
// plain name of that folder: a name beginning with "/" stays inside it, and a name
// beginning with ":" is a file of that name (Qt's QDir::filePath, absoluteFilePath and
// QFileInfo(QDir, name) take such a name for a path of Qt's own resources and hand it
// back alone). A "/" further in the name names a subfolder. The result never begins
// with ":" either: with no folder, a name beginning with ":" is of the working folder
// ("./:x").
QString Path_Join(const QString &folder, const QString &name);
