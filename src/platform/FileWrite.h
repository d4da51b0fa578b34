#pragma once
#include <QByteArray>
#include <QString>

// Writes the bytes to the path whole: a temporary file beside it, then a rename over
// the old file, so a failed write never leaves a half-written file. The file gets the
// given permissions (octal, e.g. 0600 or 0644); the temporary file is owner-only from
// its creation. Returns false on failure.
bool Write_File_Whole(const QString &path, const QByteArray &bytes, int permissions = 0644);
