#include "GroupWizardChecks.h"

#include "GroupProjectStore.h"

#include <QFileInfo>

namespace GroupWizardChecks {

New_Project Check_New_Project(const QString &dataFolder, const QString &typedName, const QString &folder,
                              const QString &workbook)
{
    const std::optional<QString> name = GroupProjectStore::Clean_Project_Name(typedName);
    if (!name) return {QStringLiteral("Please enter project name."), {}, {}};
    const QString place = folder.trimmed();
    const bool leaves = place.split(QLatin1Char('/')).contains(QStringLiteral(".."));
    // Only a real folder of the store holds a new project: never a link, nor a folder
    // reached through one.
    if (place.isEmpty() || leaves || place.startsWith(QLatin1Char('/'))
        || !GroupProjectStore::May_Hold_Project(dataFolder, place))
        return {QStringLiteral("Please select project path."), {}, {}};
    if (workbook.trimmed().isEmpty()) return {QStringLiteral("Please select excel file."), {}, {}};
    const QString path = GroupProjectStore::Project_Path(dataFolder, place, *name);
    // A link of that name, leading nowhere or not, is never written through.
    if (GroupProjectStore::Occupied(path)) return {QStringLiteral("Project name already exist."), *name, path};
    return {QString(), *name, path};
}

QString Check_Open(const QString &path, const QString &refusal)
{
    const QFileInfo info(path.trimmed());
    if (path.trimmed().isEmpty() || !info.isFile() || info.suffix().trimmed().toLower() != QLatin1String("zcd"))
        return refusal;
    return {};
}

QString Check_Template(const QString &previewPath, QString *message)
{
    const QFileInfo info(previewPath);
    if (previewPath.isEmpty() || !info.exists()) {
        if (message) *message = QStringLiteral("Please select template.");
        return {};
    }
    if (message) message->clear();
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".zcd");
}

int Column_Of_Item(int item)
{
    return item > 0 ? item : -1;
}

QString Check_Name_Column(int item, const QString &text)
{
    if (item <= 0 || text.trimmed().isEmpty()) return QStringLiteral("Default column should not be 'None'.");
    return {};
}

} // namespace GroupWizardChecks
