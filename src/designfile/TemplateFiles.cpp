#include "TemplateFiles.h"

#include "Helpers.h"
#include "Log.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace TemplateFiles {

namespace {

const QString kUser = QStringLiteral("User");

QString copyPath(const QString &path)
{
    const QFileInfo info(path);
    const QString dir = info.absolutePath() + QLatin1Char('/');
    for (int k = 1;; ++k) {
        const QString candidate = dir + QStringLiteral("%1 (copy %2).%3").arg(info.completeBaseName()).arg(k).arg(info.suffix());
        if (!QFileInfo::exists(candidate)) return candidate;
    }
}

} // namespace

QString Category_Folder(const QString &letter)
{
    static const QList<std::pair<QString, QString>> kFolders = {
        {"C", "Corporate"}, {"E", "Education"}, {"H", "Health"}, {"M", "Misc"},
        {"P", "Press"},     {"T", "Transport"}, {"V", "Visitor"},
    };
    for (const auto &[key, folder] : kFolders) {
        if (key == letter) return folder;
    }
    return QStringLiteral("Corporate");
}

QStringList Previews_In(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        const QString ext = info.suffix().toLower();
        if (ext == QLatin1String("png") || ext == QLatin1String("jpg")) paths << info.absoluteFilePath();
    }
    return paths;
}

QStringList Builtin_Previews(const QString &templatesFolder, const QString &letter)
{
    if (letter != QLatin1String("A")) return Previews_In(templatesFolder + QLatin1Char('/') + Category_Folder(letter));
    QStringList paths;
    const QDir dir(templatesFolder);
    for (const QString &folder : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (folder != kUser) paths += Previews_In(Path_Join(templatesFolder, folder));
    }
    return paths;
}

QString Design_Of(const QString &previewPath)
{
    const QFileInfo info(previewPath);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".zcd");
}

bool Delete_Template(const QString &previewPath)
{
    if (!QFileInfo(previewPath).isFile()) return false;
    const bool removed = QFile::remove(previewPath);
    if (QFileInfo::exists(Design_Of(previewPath))) QFile::remove(Design_Of(previewPath));
    return removed;
}

QString Copy_Template(const QString &previewPath)
{
    if (!QFileInfo(previewPath).isFile()) return {};
    const QString target = copyPath(previewPath);
    if (!QFile::copy(previewPath, target)) {
        Show_NSLog_Message(QStringLiteral("Could not copy ") + previewPath);
        return {};
    }
    QFile::copy(Design_Of(previewPath), Design_Of(target));
    return target;
}

Rename_Result Rename_Template(const QString &previewPath, const QString &typedName)
{
    const QString name = Remove_Reserve_Char_In_File_Name(typedName);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return Rename_Result::Bad_Name;
    const QFileInfo info(previewPath);
    if (!info.isFile()) return Rename_Result::Failed;
    const QString base = info.absolutePath() + QLatin1Char('/') + name;
    const QString newPreview = base + QStringLiteral(".png");
    const QString newDesign = base + QStringLiteral(".zcd");
    if (newPreview == info.absoluteFilePath()) return Rename_Result::Unchanged;
    const bool sameName = name == info.completeBaseName();
    if (!sameName && (QFileInfo::exists(newPreview) || QFileInfo::exists(newDesign))) return Rename_Result::Name_Exists;
    bool written = false;
    if (info.suffix().toLower() == QLatin1String("png")) {
        written = QFile::copy(previewPath, newPreview);
    } else {
        const QImage picture(previewPath);
        written = !picture.isNull() && picture.save(newPreview, "PNG");
    }
    if (!written) return Rename_Result::Failed;
    if (!sameName && !QFile::copy(Design_Of(previewPath), newDesign)) {
        QFile::remove(newPreview);
        return Rename_Result::Failed;
    }
    QFile::remove(previewPath);
    if (!sameName) QFile::remove(Design_Of(previewPath));
    return Rename_Result::Renamed;
}

} // namespace TemplateFiles
