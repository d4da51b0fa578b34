#pragma once
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// Writes the bytes to the path whole: a temporary file beside it, then a rename over
// the old file, so a failed write never leaves a half-written file. The file gets the
// given permissions (octal, e.g. 0600 or 0644); the temporary file is owner-only from
// its creation. The temporary file is "<name>.XXXXXX" when that name fits the file
// system, else a short hidden name in the same folder. Returns false on failure: a
// file name longer than the folder's file system holds fails before anything is made.
bool Write_File_Whole(const QString &path, const QByteArray &bytes, int permissions = 0644);

// Writes every file whole, or leaves all of them as they were: each file is written to
// a temporary file beside it first, then all are put in place; when one cannot be
// written or put in place, those put in place before it are taken back: a file written
// over gets its old bytes again (where the folder takes hard links; elsewhere, and for
// a new file, it is removed). `failed` gets the index of the file that failed. False
// on failure.
bool Write_Files_Whole(const std::vector<std::pair<QString, QByteArray>> &files, int permissions = 0644,
                       int *failed = nullptr);

// The longest file name, in bytes, that the file system of the folder holds (255 on
// the usual ones; 255 too when the folder cannot be asked).
int File_Name_Max(const QString &folder);
