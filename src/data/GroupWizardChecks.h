#pragma once
// The checks of the group-mode wizard's pages, each giving the message the user sees
// ("" when the page's input is accepted) and what the next step needs.
#include <QString>

namespace GroupWizardChecks {

// The new-project choice: the typed name (cleaned by Remove_Reserve_Char_In_File_Name;
// empty, "." and ".." refused), the chosen store folder (relative to
// "Group_Excel_Data"; a real folder of the store, no link), the workbook, and nothing
// of that name (a project, a link) in that folder.
struct New_Project {
    QString message;
    QString name;        // the cleaned name
    QString designPath;  // where the project will be saved
};
New_Project Check_New_Project(const QString &dataFolder, const QString &typedName, const QString &folder,
                              const QString &workbook);

// A project or design file to open: set, existing, with the extension "zcd" (any
// letter case). `refusal` is the message of the choice ("Please select project." or
// "Please browse valid log file."); "" when accepted.
QString Check_Open(const QString &path, const QString &refusal);

// The template page: the selected preview must exist; gives the template's design
// file (the preview's path with "zcd"), or "" with *message set.
QString Check_Template(const QString &previewPath, QString *message);

// A column combo's item as a column choice: item 0 ("None") or none selected is -1,
// item k is column k.
int Column_Of_Item(int item);
// The column page: the name column must be chosen and not blank.
QString Check_Name_Column(int item, const QString &text);

} // namespace GroupWizardChecks
