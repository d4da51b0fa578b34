#pragma once
// Template files of the galleries: a template is a design file ("zcd") with a preview
// picture of the same name beside it ("png" or "jpg"). Built-in templates live in
// category folders of the shipped "Templates" folder, user templates in
// "Templates/User" of the per-user data folder. Nothing here asks the user.
#include <QString>
#include <QStringList>

namespace TemplateFiles {

// The category folder of a category letter: "C" Corporate, "E" Education, "H" Health,
// "M" Misc, "P" Press, "T" Transport, "V" Visitor; any other letter Corporate.
QString Category_Folder(const QString &letter);

// Preview pictures ("png" or "jpg", any letter case) directly in the folder, full
// paths sorted by name; empty when the folder is missing.
QStringList Previews_In(const QString &folder);
// The built-in previews of a category letter below templatesFolder; "A" lists every
// folder but "User", one folder after the other in name order.
QStringList Builtin_Previews(const QString &templatesFolder, const QString &letter);

// The design file beside a preview: the same path with the extension "zcd".
QString Design_Of(const QString &previewPath);

// Deletes the preview and its design file; false when the preview stays.
bool Delete_Template(const QString &previewPath);
// Copies preview and design file to the first free "<name> (copy k)" pair; the new
// preview path, or "" when the preview could not be copied.
QString Copy_Template(const QString &previewPath);

enum class Rename_Result { Renamed, Unchanged, Name_Exists, Bad_Name, Failed };
// Renames a template inside its folder. The new preview is always "<name>.png": a
// preview of another format is re-encoded as PNG. The old files go only when both new
// files were written.
Rename_Result Rename_Template(const QString &previewPath, const QString &typedName);

} // namespace TemplateFiles
