#pragma once
// Paths of the program's own resources in stored designs. A design names the pictures
// of the resources (the templates' placeholder, signature sample, logos, backgrounds)
// in a form of their own, so that any copy of the program finds them in its own
// resources, wherever it was built or installed. A user's own picture keeps its path.
#include <QString>

// The form a design stores for a path inside `resourceFolder` (ending in "/"):
// "<App_Name>.app/Contents/Resources/<rest>", as the shipped templates carry them; any
// other path unchanged.
QString Stored_Resource_Path(const QString &path, const QString &resourceFolder);

// A stored path that names the resources of some copy of the program, re-pointed into
// `resourceFolder`; any other path unchanged (not even trimmed). Re-pointed (trimmed):
// - "<...>.app/Contents/Resources/<rest>" (Check_Path_For_App_Resources);
// - "<prefix>/share/dozo-idcard/resources/<rest>", an installed copy's;
// - "<folder>/resources/<rest>" where no file is at the path but `resourceFolder` holds
//   <rest>, a build folder's that was moved or removed since.
// A path already inside `resourceFolder` stays as it is.
QString Repoint_Resource_Path(const QString &path, const QString &resourceFolder);

// Whether the folder (ending in "/") is named as another copy's resources folder: an
// installed copy's ("<prefix>/share/dozo-idcard/resources/") or a build folder's
// ("<folder>/resources/"). Reads no file.
bool Is_Resources_Folder_Name(const QString &folder);
