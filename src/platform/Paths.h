#pragma once
#include <QString>

// Sets Resource_Path to the "resources" folder beside the executable (or installed
// under share/), and Created_Resource_Path to the per-user data folder. Both end
// with "/". The data folder itself is not created here.
void Locate_Application_Paths();

// Joins a folder and a name with exactly one "/" between them.
QString Path_Join(const QString &folder, const QString &name);
