#pragma once
// The series file, for every reader and writer of the system: a UTF-8 text file
// without byte-order mark named "<name>.txt" in the series folder, one value per line,
// every value (the last one too) followed by "\n". A value never holds a line break:
// writers turn CR and LF inside a value into a blank. Every write is whole: a
// temporary file beside the target renamed over it, so a failed write leaves the old
// file as it was.
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

// The largest series file that is read (32 MiB); a larger one is refused whole.
inline constexpr qint64 kMaxBytes = qint64(32) * 1024 * 1024;
// True when the file is larger than kMaxBytes.
bool Too_Large(const QString &path);
// "The series \"<name>\" is larger than 32 MB and cannot be read."
QString Too_Large_Message(const QString &name);

// The file's bytes; nullopt when it cannot be read or is larger than kMaxBytes.
std::optional<QByteArray> Read_Bytes(const QString &path);
// The text of a series file, for every reader: UTF-8 when the bytes are valid UTF-8,
// otherwise Latin-1 (every byte one character), so no byte is lost or replaced.
QString Decode(const QByteArray &bytes);
// The value engine's reading: decoded, trimmed whole, split at "\n"; inner empty lines
// are empty values (trimmed one by one when used).
QStringList Engine_Values(const QByteArray &bytes);
// Engine_Values of the file, its bytes let go once decoded; nullopt when it cannot be read.
std::optional<QStringList> Read_Engine_Values(const QString &path);
// The lists' reading (wizard, viewer): decoded, split at "\n", every piece trimmed,
// empty pieces dropped.
QStringList List_Values(const QByteArray &bytes);
// List_Values of the file, its bytes let go once decoded; empty when it cannot be read.
QStringList Read_List_Values(const QString &path);

// A value as written: CR and LF inside it turned into blanks.
QString One_Line(const QString &value);
// The file content of the values: each One_Line, as UTF-8, followed by "\n".
QByteArray Encode(const QStringList &values);
// Writes the values as the whole file (through a temporary file renamed over it);
// false when the file cannot be written.
bool Write(const QString &path, const QStringList &values);
// Adds the values after the file's content (a missing file is started); whole as Write.
bool Append(const QString &path, const QStringList &values);

// The first free name of the form "<name> (<n>)" (n from 1) in the folder.
QString Free_Name(const QString &folder, const QString &name);

} // namespace SeriesFile
