#pragma once
// Makes a private empty folder the working folder while it lives, then puts the old one
// back: a name taken for a path of Qt's own resources (":x") or a bare relative name
// would land here, so a test checks that nothing did.
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

class WorkingFolder {
public:
    WorkingFolder() : m_old(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~WorkingFolder() { QDir::setCurrent(m_old); }
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;

    QString path() const { return m_dir.path(); }
    // What was written in the working folder, hidden entries included.
    QStringList written() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

private:
    QString m_old;
    QTemporaryDir m_dir;
};

} // namespace testsupport
