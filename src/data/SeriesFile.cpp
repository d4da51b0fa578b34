#include "SeriesFile.h"

#include "FileWrite.h"
#include "Helpers.h"
#include "Paths.h"
#include "TextBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace SeriesFile {

QString Default_Name() { return QStringLiteral("Untitled"); }
QString Invalid_Name_Message() { return QStringLiteral("Please enter valid series name."); }

QString Path(const QString &folder, const QString &name)
{
    return Path_Join(folder, name + u'.' + QString::fromUtf16(kExtension));
}

bool Exists(const QString &folder, const QString &name) { return QFileInfo(Path(folder, name)).isFile(); }

QStringList Names(const QString &folder)
{
    QStringList names;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return names;
    for (const QFileInfo &fi : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!fi.isFile() || fi.suffix().toLower() != QLatin1String("txt")) continue;
        const QString name = fi.fileName().chopped(fi.suffix().size() + 1);
        if (!name.isEmpty()) names << name;
    }
    std::sort(names.begin(), names.end());
    return names;
}

int Index_Of(const QStringList &list, const QString &name)
{
    if (name.isEmpty()) return -1;
    const int exact = int(list.indexOf(name));
    if (exact >= 0) return exact;
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

std::optional<QString> Clean_Name(const QString &typed)
{
    const QString name = Remove_Reserve_Char_In_File_Name(typed);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

QString Long_Name_Message() { return QStringLiteral("Series name is too long. Please enter a shorter series name."); }

Name_Check Check_Name(const QString &typed, int nameMax)
{
    const std::optional<QString> name = Clean_Name(typed);
    if (!name) return {{}, Invalid_Name_Message()};
    const QString fileName = *name + u'.' + QString::fromUtf16(kExtension);
    if (QFile::encodeName(fileName).size() > nameMax) return {{}, Long_Name_Message()};
    return {*name, {}};
}

QString Too_Large_Message(const QString &name)
{
    return QStringLiteral("The series \"%1\" is larger than %2 MB and cannot be read.")
        .arg(name)
        .arg(kMaxBytes / (1024 * 1024));
}

bool Too_Large(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > kMaxBytes;
}

std::optional<QByteArray> Read_Bytes(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || Too_Large(path) || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    // Read no more than the limit even when the file grew since it was measured.
    QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes || file.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

QString Decode(const QByteArray &bytes) { return Decode_Text_Bytes(bytes); }

namespace {

std::optional<QString> readText(const QString &path)
{
    const std::optional<QByteArray> bytes = Read_Bytes(path);
    if (!bytes) return std::nullopt;
    return Decode(*bytes);  // the bytes go when this returns
}

QStringList engineValues(QString text)
{
    text = Trim_Str(text);
    return Split_Text_Lines(text);
}

QStringList listValues(const QString &text)
{
    QStringList values;
    for (const QString &line : Split_Text_Lines(text)) {
        QString value = Trim_Str(line);
        if (!value.isEmpty()) values << std::move(value);
    }
    return values;
}

} // namespace

QStringList Engine_Values(const QByteArray &bytes) { return engineValues(Decode(bytes)); }

std::optional<QStringList> Read_Engine_Values(const QString &path)
{
    std::optional<QString> text = readText(path);
    if (!text) return std::nullopt;
    return engineValues(std::move(*text));
}

QString First_Line(const QByteArray &bytes)
{
    QString text = Decode(bytes);
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n') ++end;
    text.truncate(end);
    return text;
}

QStringList List_Values(const QByteArray &bytes) { return listValues(Decode(bytes)); }

QStringList Read_List_Values(const QString &path)
{
    const std::optional<QString> text = readText(path);
    return text ? listValues(*text) : QStringList();
}

QString One_Line(const QString &value)
{
    QString line = value;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

QByteArray Encode(const QStringList &values)
{
    QByteArray out;
    for (const QString &v : values) {
        out += One_Line(v).toUtf8();
        out += '\n';
    }
    return out;
}

bool Write(const QString &path, const QStringList &values, File_Link links)
{
    return Write_File_Whole(path, Encode(values), 0644, nullptr, links);
}

bool Append(const QString &path, const QStringList &values)
{
    QByteArray old;
    if (QFileInfo::exists(path)) {
        const std::optional<QByteArray> bytes = Read_Bytes(path);
        if (!bytes) return false;
        old = *bytes;
        if (!old.isEmpty() && !old.endsWith('\n')) old += '\n';
    }
    return Write_File_Whole(path, old + Encode(values), 0644);
}

QString Free_Name(const QString &folder, const QString &name)
{
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(name).arg(n);
        if (!QFileInfo::exists(Path(folder, candidate))) return candidate;
    }
}

} // namespace SeriesFile
