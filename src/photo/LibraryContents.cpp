#include "LibraryContents.h"

#include <QDir>

QString Capitalised_Category(const QString &name)
{
    QString out = name.toLower();
    bool start = true;
    for (QChar &c : out) {
        if (c.isSpace()) {
            start = true;
            continue;
        }
        if (start) c = c.toUpper();
        start = false;
    }
    return out;
}

std::vector<LibraryCategory> Library_Categories(const QString &libraryFolder)
{
    std::vector<LibraryCategory> out;
    const QDir dir(libraryFolder);
    if (libraryFolder.isEmpty() || !dir.exists()) return out;
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        out.push_back({Capitalised_Category(name), name});
    return out;
}

QStringList Library_Picture_Files(const QString &folder)
{
    QStringList out;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) return out;
    for (const QFileInfo &f : dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString ext = f.suffix().toLower();
        if (ext == QLatin1String("png") || ext == QLatin1String("jpg")) out << f.absoluteFilePath();
    }
    return out;
}
