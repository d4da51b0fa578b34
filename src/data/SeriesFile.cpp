#include "SeriesFile.h"

#include "FileWrite.h"
#include "Helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace SeriesFile {

QString Default_Name() { return QStringLiteral("Untitled"); }
QString Invalid_Name_Message() { return QStringLiteral("Please enter valid series name."); }

QString Path(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + u'.' + QString::fromUtf16(kExtension));
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

std::optional<QByteArray> Read_Bytes(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

QStringList Engine_Values(const QByteArray &bytes) { return Trim_Str(QString::fromUtf8(bytes)).split(u'\n'); }

QStringList List_Values(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    QStringList values;
    if (utf8.hasError()) return values;
    for (const QString &piece : text.split(u'\n')) {
        const QString value = Trim_Str(piece);
        if (!value.isEmpty()) values << value;
    }
    return values;
}

QStringList Read_List_Values(const QString &path)
{
    const std::optional<QByteArray> bytes = Read_Bytes(path);
    return bytes ? List_Values(*bytes) : QStringList();
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

bool Write(const QString &path, const QStringList &values) { return Write_File_Whole(path, Encode(values), 0644); }

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
