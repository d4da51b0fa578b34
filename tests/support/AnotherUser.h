#pragma once
// A shared folder as /tmp is (mode 1777, root's) holding another user's file or link,
// and the test acting meanwhile as a user who owns neither. Root only: the effective
// user is changed while an Acting_As_Test_User lives.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

constexpr uid_t kAnotherUser = 12345, kTestUser = 65534;

class Acting_As_Test_User {
public:
    Acting_As_Test_User() : m_acting(::setegid(kTestUser) == 0 && ::seteuid(kTestUser) == 0) {}
    ~Acting_As_Test_User()
    {
        const bool back = ::seteuid(0) == 0 && ::setegid(0) == 0;
        if (!back) std::abort();  // the rest of the run cannot go on as another user
    }
    Acting_As_Test_User(const Acting_As_Test_User &) = delete;
    Acting_As_Test_User &operator=(const Acting_As_Test_User &) = delete;
    bool acting() const { return m_acting; }

private:
    bool m_acting;
};

// A folder of the test user's own (outside any shared folder) holding one file of theirs,
// as the target another user's link points at.
class Test_Users_File {
public:
    Test_Users_File(const QString &name, const QByteArray &bytes)
        : m_dir(QStringLiteral("/tmp/dozo-home-XXXXXX")), m_name(name)
    {
        QFile file(path());
        m_made = m_dir.isValid() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                 file.flush();
        for (const QString &p : {m_dir.path(), path()})
            m_made = m_made && ::chown(QFile::encodeName(p).constData(), kTestUser, kTestUser) == 0;
    }
    bool made() const { return m_made; }
    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(m_name); }
    QByteArray bytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private:
    QTemporaryDir m_dir;
    const QString m_name;
    bool m_made = false;
};

class Shared_Folder {
public:
    Shared_Folder() : m_dir(QStringLiteral("/tmp/dozo-shared-XXXXXX"))
    {
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 01777);
    }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Another user's file holding `bytes`, or link to `target`, under the name.
    bool plantFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
               ::chown(QFile::encodeName(file.fileName()).constData(), kAnotherUser, kAnotherUser) == 0;
    }
    bool plantLink(const QString &name, const QString &target) const
    {
        return QFile::link(target, filePath(name)) &&
               ::lchown(QFile::encodeName(filePath(name)).constData(), kAnotherUser, kAnotherUser) == 0;
    }

private:
    QTemporaryDir m_dir;
};

} // namespace testsupport
