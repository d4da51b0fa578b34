#pragma once
// Points TMPDIR at a private empty folder while it lives, then puts back what was there:
// unset when it was unset, since an empty TMPDIR breaks programs the tests run
// (LibreOffice converts nothing with one).
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

namespace testsupport {

class PrivateTemp {
public:
    PrivateTemp() : m_had(qEnvironmentVariableIsSet("TMPDIR")), m_old(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", m_dir.path().toUtf8());
    }
    ~PrivateTemp()
    {
        if (m_had) qputenv("TMPDIR", m_old);
        else qunsetenv("TMPDIR");
    }
    PrivateTemp(const PrivateTemp &) = delete;
    PrivateTemp &operator=(const PrivateTemp &) = delete;

    QString path() const { return m_dir.path(); }
    // What is left in the folder, hidden entries included.
    QStringList left() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

private:
    QTemporaryDir m_dir;
    bool m_had;
    QByteArray m_old;
};

} // namespace testsupport
