#pragma once
// A folder beside the one a test writes into, holding "thesis.odt": links planted under
// the names the program writes point into it, at that file or at a name leading nowhere.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace testsupport {

struct OutsideFolder {
    QTemporaryDir dir;
    OutsideFolder()
    {
        QFile f(dir.filePath("thesis.odt"));
        if (f.open(QIODevice::WriteOnly)) f.write("thesis");
    }
    // A link at `link` to the name in this folder.
    bool link(const QString &link, const QString &name) const { return QFile::link(dir.filePath(name), link); }
    // Every entry with its bytes: "thesis.odt=thesis;" while nothing changed or appeared.
    QByteArray contents() const
    {
        QByteArray text;
        for (const QFileInfo &i : QDir(dir.path()).entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden
                                                                      | QDir::NoDotAndDotDot,
                                                                  QDir::Name)) {
            QFile f(i.filePath());
            text += i.fileName().toUtf8() + '=' + (f.open(QIODevice::ReadOnly) ? f.readAll() : "?") + ';';
        }
        return text;
    }
};

}  // namespace testsupport
