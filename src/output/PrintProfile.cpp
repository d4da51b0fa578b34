#include "PrintProfile.h"

#include "Helpers.h"
#include "Paths.h"
#include "Plist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariantList>
#include <algorithm>
#include <sys/stat.h>

namespace {

QString flag(bool on) { return on ? QStringLiteral("Y") : QStringLiteral("N"); }
bool isYes(const QString &text) { return text == QLatin1String("Y"); }
QString mm(double value) { return QString::asprintf("%0.2f", value); }

} // namespace

QStringList Print_Profile_Strings(const Print_Profile &p)
{
    return {p.printer,
            p.paperName,
            p.paperSizeText,
            mm(p.paperWidthMM),
            mm(p.paperHeightMM),
            p.orientation,
            QString::number(p.rows),
            QString::number(p.cols),
            mm(p.horzGapMM),
            mm(p.vertGapMM),
            mm(p.sideMarMM),
            mm(p.leftMarMM),
            mm(p.topMarMM),
            mm(p.riteMarMM),
            mm(p.botMarMM),
            QString::number(p.align),
            flag(p.autoCenter),
            Run_Sides_Code(p.side),
            QString::number(p.sideAlign),
            flag(p.mirror),
            p.mirrorVertical ? QStringLiteral("FV") : QStringLiteral("FH"),
            flag(p.showMargins),
            flag(p.series),
            flag(p.spreadsheet),
            flag(p.cropMarks),
            flag(p.fitToFrame)};
}

std::optional<Print_Profile> Print_Profile_From_Strings(const QStringList &s, QString *why)
{
    if (s.size() < Print_Profile_Items) {
        if (why) *why = QStringLiteral("A print profile holds %1 items, not %2.").arg(Print_Profile_Items).arg(s.size());
        return std::nullopt;
    }
    Print_Profile p;
    p.printer = s[0];
    p.paperName = s[1];
    p.paperSizeText = s[2];
    p.paperWidthMM = s[3].toDouble();
    p.paperHeightMM = s[4].toDouble();
    p.orientation = s[5];
    p.rows = s[6].toDouble();
    p.cols = s[7].toDouble();
    p.horzGapMM = s[8].toDouble();
    p.vertGapMM = s[9].toDouble();
    p.sideMarMM = s[10].toDouble();
    p.leftMarMM = s[11].toDouble();
    p.topMarMM = s[12].toDouble();
    p.riteMarMM = s[13].toDouble();
    p.botMarMM = s[14].toDouble();
    p.align = s[15].toInt();
    p.autoCenter = isYes(s[16]);
    // A code that is neither both sides nor the front has always printed the back.
    p.side = Run_Sides_Of_Code(s[17]).value_or(Run_Sides::Back);
    p.sideAlign = s[18].toInt();
    p.mirror = isYes(s[19]);
    p.mirrorVertical = s[20] != QLatin1String("FH");
    p.showMargins = isYes(s[21]);
    p.series = isYes(s[22]);
    p.spreadsheet = isYes(s[23]);
    p.cropMarks = isYes(s[24]);
    p.fitToFrame = isYes(s[25]);
    return p;
}

QString Print_Profile_Path(const QString &folder, const QString &name)
{
    return Path_Join(folder, name + QStringLiteral(".zvp"));
}

QList<Print_Profile_File> Print_Profile_Files(const QString &folder)
{
    QList<Print_Profile_File> files;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::Files))
        if (entry.suffix().toLower() == QLatin1String("zvp")) {
            const QString name = Trim_Str(entry.completeBaseName());
            if (!name.isEmpty()) files.push_back({name, entry.filePath(), name});
        }
    std::sort(files.begin(), files.end(), [](const Print_Profile_File &a, const Print_Profile_File &b) {
        const bool da = a.name == Default_Profile_Name, db = b.name == Default_Profile_Name;
        if (da != db) return da;
        const int c = a.name.compare(b.name, Qt::CaseInsensitive);
        if (c != 0) return c < 0;
        return a.name != b.name ? a.name < b.name : a.path < b.path;
    });
    for (Print_Profile_File &file : files) {
        const bool twin = std::count_if(files.cbegin(), files.cend(),
                                        [&](const Print_Profile_File &f) { return f.name == file.name; }) > 1;
        file.shown = twin ? QStringLiteral("%1 (%2)").arg(file.name, QFileInfo(file.path).fileName()) : file.name;
    }
    return files;
}

QStringList Print_Profile_Names(const QString &folder)
{
    QStringList names;
    for (const Print_Profile_File &file : Print_Profile_Files(folder)) names << file.name;
    return names;
}

bool Is_Same_File(const QString &a, const QString &b, QStringList (*listFolder)(const QString &folder))
{
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    const QFileInfo fa(a), fb(b);
    if (fa.absoluteFilePath() == fb.absoluteFilePath()) return true;
    if (sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino) return true;
    // Different numbers are different files, except for two spellings of one name on a
    // file system that ignores letter case and numbers a file anew for each spelling:
    // there the folder's listing tells (both spellings listed: two files). The listing
    // decides nothing else, as some such file systems list every name in small letters.
    if (sa.st_dev != sb.st_dev || fa.absolutePath() != fb.absolutePath() ||
        fa.fileName().compare(fb.fileName(), Qt::CaseInsensitive) != 0)
        return false;
    const QString folder = fa.absolutePath();
    const QStringList listed = listFolder ? listFolder(folder)
                                          : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System |
                                                                   QDir::NoDotAndDotDot);
    return !(listed.contains(fa.fileName()) && listed.contains(fb.fileName()));
}

bool Write_Print_Profile(const QString &path, const Print_Profile &profile, int *error)
{
    QVariantList items;
    for (const QString &s : Print_Profile_Strings(profile)) items << s;
    return Plist_Write_File(path, items, PlistFormat::Xml, 0644, error);
}

std::optional<Print_Profile> Read_Print_Profile(const QString &path, QString *why)
{
    if (!QFileInfo::exists(path)) {
        if (why) *why = QStringLiteral("There is no print profile %1.").arg(path);
        return std::nullopt;
    }
    const std::optional<QVariant> root = Plist_Read_File(path);
    if (!root || root->typeId() != QMetaType::QVariantList) {
        if (why) *why = QStringLiteral("The print profile %1 is not a list of settings.").arg(path);
        return std::nullopt;
    }
    QStringList strings;
    for (const QVariant &v : root->toList()) {
        if (v.typeId() != QMetaType::QString) {
            if (why) *why = QStringLiteral("The print profile %1 holds an item that is not text.").arg(path);
            return std::nullopt;
        }
        strings << v.toString();
    }
    return Print_Profile_From_Strings(strings, why);
}

QString Clean_Profile_Name(const QString &typed)
{
    return Remove_Reserve_Char_In_File_Name(Trim_Str(typed));
}

QString Print_Profile_Name_Problem(const QString &printer, const QString &typed)
{
    if (Trim_Str(printer).isEmpty()) return QStringLiteral("Please select printer.");
    if (Trim_Str(typed).isEmpty()) return QStringLiteral("Please enter profile name.");
    const QString name = Clean_Profile_Name(typed);
    if (name.isEmpty())
        return QStringLiteral("A profile name cannot be made only of the characters / \\ ? % * | \" < >, "
                              "which file names cannot take.\n\nPlease enter another profile name.");
    if (name.compare(Default_Profile_Name, Qt::CaseInsensitive) == 0)
        return QStringLiteral("This is a Default profile name.\n\nPlease enter another profile name.");
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("A profile name cannot begin with \".\": its file would be hidden and the "
                              "profile never listed.\n\nPlease enter another profile name.");
    return {};
}
