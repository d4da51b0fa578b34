#pragma once
// Small helpers that every part of the application calls: string cutting and
// searching, file-name cleaning, enabling groups of controls, folders and files, the
// help document, the per-user data folder tree and an elapsed-time report.
// Message boxes live in MessageBox.h, the log in Log.h.
//
// Strings count UTF-16 units (as QString does); no function changes its argument.
#include <QDateTime>
#include <QString>

class QObject;

// ---- Strings ----------------------------------------------------------------------

// White space and line ends removed from both ends, then control and format
// characters removed from both ends of that. Inner characters stay.
QString Trim_Str(const QString &text);
// The same as Trim_Str.
QString Replace_Char_For_valid(const QString &text);

// The first n units (a negative n counts as 0); the whole string when n >= length.
QString Left_Str_substringToIndex(const QString &text, int n);
// The last n units (a negative n counts as 0); the whole string when n >= length.
QString Right_Str_substringFromIndex(const QString &text, int n);
// From index i to the end; empty when i is negative or beyond the length.
QString Read_Str_FromIndex(const QString &text, int i);
// The first i units; empty when i is negative or beyond the length.
QString Read_Str_Upto_Index(const QString &text, int i);

// Every occurrence of target replaced by replacement (literal, case-sensitive). An
// empty target changes nothing.
QString Replace_char_in_string(const QString &text, const QString &target, const QString &replacement);

// 1 when part occurs in text (case-sensitive), else 0. A null text or an empty part
// gives 0.
int Find_Str(const QString &text, const QString &part);
// 1 when part occurs in text ignoring case, else 0. Null or empty arguments give 0.
int Find_Str_Case_Insensitive(const QString &text, const QString &part);

// A file name made from user text: the characters / \ ? % * | " < > stripped from both
// ends, every remaining "/" turned into "_", then trimmed as by Trim_Str.
QString Remove_Reserve_Char_In_File_Name(const QString &text);

// The text for a window title or a label: at most maxUnits units, a longer text cut
// (never inside a surrogate pair) and ended with "…", so a huge name stays showable.
QString Elided_For_Display(const QString &text, int maxUnits = 200);

// ---- Controls ---------------------------------------------------------------------

// Enables or disables a control (anything with a setEnabled slot: widgets, actions).
// A group box passes the flag on to every control inside it, nested groups and
// plain container widgets included. Disabled text fields and labels grey their text
// through Qt's disabled palette.
void SetObjEnabled(QObject *control, bool enabled);

// ---- Folders and files ------------------------------------------------------------

// True at once when anything (folder, file, link) exists at the path. Otherwise
// creates the folder with its missing intermediate folders, each with permissions
// 0700, and returns whether that succeeded.
bool Create_Folder(const QString &path);
// Removes the item at the path with everything below it; failures are only logged.
void Delete_Folder(const QString &path);
// Removes the item at the path when it exists and its folder lets us delete it;
// failures are only logged.
void Delete_File(const QString &path);

// Opens Resource_Path + "Help.pdf" with the default application, or tells the user
// "Help file does not exist!".
void Open_Help_File();

// Makes sure of the per-user data folder tree (the series folder "DataSet" among it) and
// sets Cropped_Img_Path, Database_Path, Data_Folder_Path and print_profile_path
// (folders without a trailing "/"). Copies the
// shipped "Visitor.db" and "Default.zvp" into it when they are missing there; an
// existing file is never touched. Failures are logged; the next run tries again.
void Check_Path_And_Create_Files();
// The visitor database part of the above: the "Visitor_Log" folder, Database_Path and
// the copy of "Visitor.db" when it is missing.
void Check_Path_And_Create_VISITOR_Files();

// Flag 0 sets the start mark to `now`, to the whole second. Any other flag shows
// "Time Taken in <label> :: H Hours : M Minutes : S Seconds" for the time since the
// mark (no mark yet: 0 seconds).
void Calculate_Time_Taken(int flag, const QString &label, const QDateTime &now = QDateTime::currentDateTime());
