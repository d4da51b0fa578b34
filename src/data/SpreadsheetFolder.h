#pragma once
// A private folder (mode 0700) in which one spreadsheet is packed, removed with the
// object. Its name, "spreadsheet-<process id>-XXXXXX" in the temporary directory,
// lets a later process recognise and remove the folders of processes that died.
#include <QString>
#include <QTemporaryDir>

class SpreadsheetFolder {
public:
    // Removes the abandoned folders of `root` (the temporary directory by default),
    // then makes a new one there.
    explicit SpreadsheetFolder(const QString &root = {});
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

    // Removes the folders of `root` named by a process of this user that is no longer
    // running; folders of running processes and of other users stay.
    static void Remove_Abandoned_Folders(const QString &root);

private:
    QTemporaryDir m_dir;
};
