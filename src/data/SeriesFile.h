#pragma once
// The series file, for every reader and writer of the system: a UTF-8 text file
// without byte-order mark named "<name>.txt" in the series folder, one value per line,
// every value (the last one too) followed by "\n". A value never holds a line break:
// writers turn CR and LF inside a value into a blank. Readers also take the files other
// programs save: UTF-8 with a byte-order mark, UTF-16 with one, Windows-1252, and CR,
// LF or CR LF line ends. Every write is whole: a
// temporary file beside the target renamed over it, so a failed write leaves the old
// file as it was.
#include "FileWrite.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace SeriesFile {

inline constexpr char16_t kExtension[] = u"txt";
// The name offered for a new series.
QString Default_Name();  // "Untitled"
// The refusal of a name that is empty after cleaning.
QString Invalid_Name_Message();  // "Please enter valid series name."

// folder + "/" + name + ".txt".
QString Path(const QString &folder, const QString &name);
bool Exists(const QString &folder, const QString &name);

// Names (without extension) of the regular files of the folder whose lower-cased
// extension is "txt", sorted by name; empty when the folder is missing.
QStringList Names(const QString &folder);
// Position of the name in the list: the exact name first, a match ignoring letter
// case only when there is none; -1 when absent or empty.
int Index_Of(const QStringList &list, const QString &name);

// A name typed by the user, cleaned by Remove_Reserve_Char_In_File_Name; nullopt when
// nothing is left.
std::optional<QString> Clean_Name(const QString &typed);
// "Series name is too long. Please enter a shorter series name."
QString Long_Name_Message();
// The name of a typed text as a series name, or why it is refused (name empty): the
// cleaned name, Invalid_Name_Message when nothing is left, Long_Name_Message when
// "<name>.txt" is longer than nameMax bytes, the longest file name of the series
// folder's file system (File_Name_Max).
struct Name_Check {
    QString name;
    QString refusal;
};
Name_Check Check_Name(const QString &typed, int nameMax);

// The largest series file that is read (32 MiB); a larger one is refused whole.
inline constexpr qint64 kMaxBytes = qint64(32) * 1024 * 1024;
// True when the file is larger than kMaxBytes.
bool Too_Large(const QString &path);
// "The series \"<name>\" is larger than 32 MB and cannot be read."
QString Too_Large_Message(const QString &name);

// The file's bytes; nullopt when it cannot be read or is larger than kMaxBytes.
std::optional<QByteArray> Read_Bytes(const QString &path);
// The text of a series file, for every reader (Decode_Text_Bytes): UTF-8 with or
// without byte-order mark, UTF-16 by its byte-order mark, any other bytes as
// Windows-1252, so no byte is lost or replaced.
QString Decode(const QByteArray &bytes);
// The value engine's reading: decoded, trimmed whole, cut into lines at CR, LF or
// CR LF; inner empty lines are empty values (trimmed one by one when used).
QStringList Engine_Values(const QByteArray &bytes);
// Engine_Values of the file, its bytes let go once decoded; nullopt when it cannot be read.
std::optional<QStringList> Read_Engine_Values(const QString &path);
// The first line of the decoded bytes, untrimmed: the text up to the first CR or LF.
QString First_Line(const QByteArray &bytes);
// The lists' reading (wizard, viewer): decoded, cut into lines as the engine does,
// every line trimmed, empty lines dropped.
QStringList List_Values(const QByteArray &bytes);
// List_Values of the file, its bytes let go once decoded; empty when it cannot be read.
QStringList Read_List_Values(const QString &path);

// A value as written: CR and LF inside it turned into blanks.
QString One_Line(const QString &value);
// The file content of the values: each One_Line, as UTF-8, followed by "\n".
QByteArray Encode(const QStringList &values);
// Writes the values as the whole file (through a temporary file renamed over it);
// false when the file cannot be written. `links`: what a link at the path gets.
bool Write(const QString &path, const QStringList &values, File_Link links = File_Link::Write_Through);
// Adds the values after the file's content (a missing file is started); whole as Write.
bool Append(const QString &path, const QStringList &values);

// The first free name of the form "<name> (<n>)" (n from 1) in the folder.
QString Free_Name(const QString &folder, const QString &name);

} // namespace SeriesFile
