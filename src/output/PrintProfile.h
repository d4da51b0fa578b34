#pragma once
// Print profiles: the print window's settings under a name, one XML property list per
// profile ("<name>.zvp", an array of 26 strings) in the profile folder. "Default"
// always exists; it can be loaded and overwritten but neither deleted nor renamed.
#include "CardModes.h"

#include <QString>
#include <QStringList>
#include <optional>

inline constexpr int Print_Profile_Items = 26;
inline const QString Default_Profile_Name = QStringLiteral("Default");

struct Print_Profile {
    QString printer;                         // 0; empty: the printer in use
    QString paperName, paperSizeText;        // 1, 2 (for the record only)
    double paperWidthMM = 0, paperHeightMM = 0;  // 3, 4 (for the record only)
    QString orientation = QStringLiteral("Portrait");  // 5
    int rows = 1, cols = 1;                  // 6, 7
    double horzGapMM = 0, vertGapMM = 0, sideMarMM = 0;  // 8, 9, 10
    double leftMarMM = 0, topMarMM = 0, riteMarMM = 0, botMarMM = 0;  // 11-14 (for the record only)
    int align = 1;                           // 15
    bool autoCenter = false;                 // 16
    Run_Sides side = Run_Sides::Both;      // 17: "BOTH", "F", "B"
    int sideAlign = 0;                       // 18
    bool mirror = false;                     // 19
    bool mirrorVertical = false;             // 20: "FV" when set, "FH" otherwise
    bool showMargins = false;                // 21
    bool series = false, spreadsheet = false;  // 22, 23
    bool cropMarks = false;                  // 24
    bool fitToFrame = false;                 // 25
};

// The 26 strings of a profile, in item order.
QStringList Print_Profile_Strings(const Print_Profile &profile);
// A profile from its strings; nullopt (and the reason) when there are fewer than 26.
std::optional<Print_Profile> Print_Profile_From_Strings(const QStringList &items, QString *why = nullptr);

// The file a new profile of that name is written to in the folder.
QString Print_Profile_Path(const QString &folder, const QString &name);
// A listed profile: its name, its own file (whose extension may be in capitals) and the
// text of its row: the name, followed by the file's name in brackets while another
// profile of the folder bears the same name ("Twin (Twin.Zvp)").
struct Print_Profile_File {
    QString name, path, shown;
};
// The folder's profiles (files whose extension, lower-cased, is "zvp"), "Default"
// first, the others by name.
QList<Print_Profile_File> Print_Profile_Files(const QString &folder);
// The names of the same.
QStringList Print_Profile_Names(const QString &folder);
// Whether two paths name one file: the same device and inode, or two spellings of one
// name, differing only in letter case, in a folder that lists only one of them although
// both lead to a file (a file system that ignores letter case and numbers its files by
// the name asked). False when either is missing.
// listFolder gives a folder's file names (nullptr: the folder as read from disk).
bool Is_Same_File(const QString &a, const QString &b, QStringList (*listFolder)(const QString &folder) = nullptr);
// Writes the profile whole (a new file, then renamed over the old). False on failure,
// `error` getting the system's error number (errno; 0 when there is none to tell).
bool Write_Print_Profile(const QString &path, const Print_Profile &profile, int *error = nullptr);
// Reads a profile file; nullopt (and the reason) when it is missing or not an array of
// at least 26 strings.
std::optional<Print_Profile> Read_Print_Profile(const QString &path, QString *why = nullptr);

// The name a profile is saved under: the typed name cleaned of characters reserved in
// file names.
QString Clean_Profile_Name(const QString &typed);
// What is wrong with a printer and typed name of the profile dialog, in the order the
// dialog checks them ("" when they are fine): no printer, no name, a name of reserved
// characters only, "Default", a name beginning with "." (its file would be hidden and
// never listed). The name is judged after cleaning.
QString Print_Profile_Name_Problem(const QString &printer, const QString &typed);
