#pragma once
// A loopback SMTP sink for the mail tests (tests/support/smtp_sink.py) and the reader
// of the messages it saved (tests/support/mail_parts.py), both run with /usr/bin/python3.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include "TestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace mailtest {

inline QString supportFile(const char *name) { return QStringLiteral(TEST_DATA_DIR "/../support/") + name; }

struct SavedMail {
    QString envFrom, envTo, login, from, to, subject, body;
    QStringList attachments;
    QString params;   // of MAIL FROM, e.g. "SMTPUTF8 BODY=8BITMIME" (SIZE left out)
    QString data;     // "8bit" when the data held a byte outside ASCII, else "7bit"
    QString cte;      // Content-Transfer-Encoding of the text body
};

class SmtpSink {
public:
    // extra: more options of the sink (--refuse ADDRESS, --cert/--key, --no-auth,
    // --smtputf8, --no-8bitmime, --no-auth-utf8 ...). False when the sink could not
    // start or ended; one that has not printed its port within 120 s (a hung run only)
    // throws testsupport::TimedOut, which stops the test there.
    bool start(const QStringList &extra = {})
    {
        m_proc.setProgram(QStringLiteral("/usr/bin/python3"));
        m_proc.setArguments(QStringList{supportFile("smtp_sink.py"), QStringLiteral("--out"), outDir()} + extra);
        m_proc.start();
        if (!m_proc.waitForStarted(kBoundMs)) return false;
        if (!m_proc.canReadLine() && !m_proc.waitForReadyRead(kBoundMs) && m_proc.state() == QProcess::Running)
            throw testsupport::TimedOut(QStringLiteral("the mail sink's port did not come within %1 s: %2")
                                            .arg(kBoundMs / 1000)
                                            .arg((QStringList{m_proc.program()} + m_proc.arguments()).join(u' '))
                                            .toStdString());
        port = QString::fromLatin1(m_proc.readLine()).trimmed().toInt();
        return port > 0;
    }
    ~SmtpSink()
    {
        m_proc.kill();
        m_proc.waitForFinished(3000);
    }
    QString outDir() const { return m_dir.path() + QStringLiteral("/mail"); }
    int count() const { return int(QDir(outDir()).entryList({QStringLiteral("*.eml")}, QDir::Files).size()); }
    // Waits until n messages are saved (or the time is up); the count then.
    int waitFor(int n, int ms = 5000) const
    {
        QElapsedTimer t;
        t.start();
        while (count() < n && t.elapsed() < ms) QThread::msleep(20);
        return count();
    }
    // The saved messages in arrival order; attachments written to `dumpDir` when given.
    // None when the reader could not start.
    QList<SavedMail> messages(const QString &dumpDir = {}) const
    {
        QProcess p;
        QStringList args{supportFile("mail_parts.py"), outDir()};
        if (!dumpDir.isEmpty()) args << dumpDir;
        p.start(QStringLiteral("/usr/bin/python3"), args);
        QList<SavedMail> list;
        if (!testsupport::checkerFinished(p)) return list;
        for (const QJsonValue &v : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
            const QJsonObject o = v.toObject();
            SavedMail m;
            m.envFrom = o["envFrom"].toString();
            m.envTo = o["envTo"].toString();
            m.login = o["login"].toString();
            m.from = o["from"].toString();
            m.to = o["to"].toString();
            m.subject = o["subject"].toString();
            m.body = o["body"].toString();
            for (const QJsonValue &a : o["attachments"].toArray()) m.attachments << a.toString();
            m.params = o["params"].toString();
            m.data = o["data"].toString();
            m.cte = o["cte"].toString();
            list << m;
        }
        return list;
    }

    int port = 0;

private:
    static constexpr int kBoundMs = 120000;
    QTemporaryDir m_dir;
    QProcess m_proc;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
inline int closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

} // namespace mailtest
