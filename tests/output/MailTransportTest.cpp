// The mail transport: the script's command line, environment, standard input and exit
// status (with a fake script), and the real script against a loopback SMTP sink.
#include "Globals.h"
#include "MailSink.h"
#include "Mail_Transport.h"
#include "QStringPrinter.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mailtest;

namespace {

// A script that records its command line, its environment and its standard input (as
// the bytes the process received) and exits with the status written in "status".
const char kFakeScript[] = R"(import os, sys
d = os.path.dirname(os.path.abspath(sys.argv[0]))
open(os.path.join(d, "argv"), "wb").write(open("/proc/self/cmdline", "rb").read())
open(os.path.join(d, "environ"), "wb").write(open("/proc/self/environ", "rb").read())
open(os.path.join(d, "stdin"), "wb").write(sys.stdin.buffer.read())
print("E-mail sent")
sys.exit(int(open(os.path.join(d, "status")).read()))
)";

struct FakeScript {
    QTemporaryDir dir;
    Mail_Transport transport;
    explicit FakeScript(int status = 0)
    {
        QFile f(dir.filePath("fake.py"));
        f.open(QIODevice::WriteOnly);
        f.write(kFakeScript);
        f.close();
        QFile s(dir.filePath("status"));
        s.open(QIODevice::WriteOnly);
        s.write(QByteArray::number(status));
        transport.script = dir.filePath("fake.py");
        transport.password = [] { return QStringLiteral("pässwörd"); };
    }
    QByteArray read(const char *name) const
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // The arguments after the interpreter.
    QList<QByteArray> argv() const
    {
        QList<QByteArray> a = read("argv").split('\0');
        a.removeLast();  // after the last NUL
        a.removeFirst(); // the interpreter
        return a;
    }
};

const Mail_Settings kSettings{"sender@example.org", "smtp.example.org", "587", "N"};

} // namespace

TEST(MailTransport, CommandLineEnvironmentAndInput)
{
    struct Row {
        QStringList attachments;
        int status;
        bool sent;
    };
    const Row rows[] = {
        {{}, 0, true},
        {{"/tmp/b.pdf", "/tmp/a b.pdf"}, 0, true},
        {{}, 1, false},
        {{}, 6, false},
    };
    for (const Row &row : rows) {
        FakeScript fake(row.status);
        const QString subject = QStringLiteral("Çard \"1\"; $(x)");
        const QString body = QStringLiteral("Grüße\nline two");
        const Mail_Result r =
            fake.transport.sendEmail_pyth("to@example.org", subject, row.attachments, kSettings, body);
        EXPECT_EQ(r.sent(), row.sent) << row.status;
        EXPECT_EQ(r.status, row.status);

        QList<QByteArray> expected{fake.transport.script.toUtf8(), "sender@example.org", "smtp.example.org", "587",
                                   "sender@example.org", "to@example.org", subject.toUtf8(), body.toUtf8(), "N"};
        for (const QString &a : row.attachments) expected << a.toUtf8();
        EXPECT_EQ(fake.argv(), expected);
        EXPECT_EQ(fake.argv().size(), 9 + row.attachments.size());

        QList<QByteArray> env = fake.read("environ").split('\0');
        env.removeAll(QByteArray());
        std::sort(env.begin(), env.end());
        EXPECT_EQ(env, (QList<QByteArray>{"PATH=/bin:/usr/bin:/usr/local/bin", "PYTHONPATH="}));
        EXPECT_EQ(fake.read("stdin"), QStringLiteral("pässwörd").toUtf8() + "\nDescription");
        EXPECT_FALSE(fake.read("argv").contains(QStringLiteral("pässwörd").toUtf8()));
    }
}

TEST(MailTransport, ScriptThatCannotRunIsNotSent)
{
    Mail_Transport t;
    t.password = [] { return QString(); };
    t.program = QStringLiteral("/nonexistent/python3");
    EXPECT_EQ(t.sendEmail_pyth("to@example.org", "s", {}, kSettings, "b").status, Mail_Not_Started);

    FakeScript hung;
    QFile f(hung.dir.filePath("fake.py"));
    f.open(QIODevice::WriteOnly);
    f.write("import time\ntime.sleep(30)\n");
    f.close();
    // Killed at its timeout: a script waited for to its end would have sent (status 0).
    hung.transport.timeoutMs = 300;
    EXPECT_EQ(hung.transport.sendEmail_pyth("to@example.org", "s", {}, kSettings, "b").status, Mail_Not_Started);
}

TEST(MailTransport, CauseLines)
{
    const std::pair<int, const char *> rows[] = {
        {Mail_Login_Refused, "The mail server refused the login: check the sender and password."},
        {Mail_Recipient_Refused, "The mail server refused the recipient address."},
        {Mail_Server_Unreachable,
         "The mail server could not be reached or did not answer in time: check the server and port."},
        {Mail_Secure_Connection_Failed,
         "No secure connection to the mail server could be made: check the SSL/TLS choice and the port."},
        {Mail_Attachment_Missing, "A file to attach could not be read."},
        {Mail_Failed, "The mail server did not accept the message."},
        {Mail_Not_Secure,
         "The mail server offers no secure connection (TLS), so nothing was sent: check the SSL/TLS choice, the "
         "server and the port."},
        {Mail_Password_Unusable,
         "The password has characters (beyond plain ASCII) that this mail server's login cannot take, so nothing was "
         "sent."},
        {Mail_Timed_Out,
         "The mail server did not take the message within two minutes, so it was not sent: check the server and "
         "port, or try again later."},
        {Mail_Maybe_Sent,
         "The mail server stopped answering after it was given the message: it may have been sent. Check with the "
         "recipient before sending it again."},
        {13, "The mail server did not accept the message."},
        {Mail_Not_Started, "The mail program (Python 3) could not be run or did not finish."},
        {Mail_Sent, ""},
    };
    for (const auto &[status, line] : rows) EXPECT_EQ(Mail_Cause_Line(status), QString::fromUtf8(line)) << status;

    // The address statuses name the address they are about.
    const QString rene = QStringLiteral("rené@example.org");
    const struct {
        int status;
        QString address;
        QString line;
    } named[] = {
        {Mail_Recipient_Address_Unusable, rene,
         "The mail server cannot take the recipient address rené@example.org: it has characters beyond plain ASCII, "
         "which this server does not accept (SMTPUTF8), so nothing was sent to it."},
        {Mail_Recipient_Address_Unusable, "",
         "The mail server cannot take the recipient address: it has characters beyond plain ASCII, which this server "
         "does not accept (SMTPUTF8), so nothing was sent to it."},
        {Mail_Sender_Address_Unusable, rene,
         "The mail server cannot take the sender address rené@example.org: it has characters beyond plain ASCII, "
         "which this server does not accept (SMTPUTF8) or cannot take as a login, so nothing was sent."},
        {Mail_Login_Refused, rene, "The mail server refused the login: check the sender and password."},
    };
    for (const auto &n : named) EXPECT_EQ(Mail_Cause_Line(n.status, n.address), n.line) << n.status;
}

// ---- The real script ----

namespace {
Mail_Transport realTransport(const QString &password)
{
    Mail_Transport t;
    t.script = QCoreApplication::applicationDirPath() + QStringLiteral("/resources/pyth_mail.py");
    t.password = [password] { return password; };
    return t;
}
} // namespace

TEST(MailScript, AgainstLoopbackSink)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"--refuse", "refused@example.org"}));
    const QString port = QString::number(sink.port);
    const Mail_Settings settings{"sender@example.org", "127.0.0.1", port, "N"};
    QTemporaryDir files;
    QFile a(files.filePath("card_Back.pdf"));
    a.open(QIODevice::WriteOnly);
    a.write("%PDF-1.4 back");
    a.close();

    struct Row {
        QString password;
        QString recipient;
        QString port;
        QStringList attachments;
        int status;
        const char *errorStart;
    };
    const Row rows[] = {
        {"secret", "to@example.org", port, {a.fileName()}, Mail_Sent, ""},
        {"wrong", "to@example.org", port, {}, Mail_Login_Refused, "login refused: 535"},
        {"secret", "refused@example.org", port, {}, Mail_Recipient_Refused, "recipient refused: 550"},
        {"secret", "to@example.org", QString::number(closedPort()), {}, Mail_Server_Unreachable, "server 127.0.0.1:"},
        {"secret", "to@example.org", port, {files.filePath("gone.pdf")}, Mail_Attachment_Missing, "attachment missing: "},
        {"secret", "to@example.org", "port", {}, Mail_Failed, "port is not a number"},
    };
    for (const Row &row : rows) {
        Mail_Settings s = settings;
        s.port = row.port;
        const Mail_Result r = realTransport(row.password)
                                  .sendEmail_pyth(row.recipient, QStringLiteral("Sübject"), row.attachments, s,
                                                  QStringLiteral("Bödy\nsecond line"));
        EXPECT_EQ(r.status, row.status) << r.errorLine.toStdString();
        const QString start = QString::fromUtf8(row.errorStart);
        EXPECT_EQ(r.errorLine.left(start.size()), start);
        EXPECT_FALSE(r.errorLine.contains(row.recipient)) << r.errorLine.toStdString();
    }
    ASSERT_EQ(sink.waitFor(1), 1);
    const QList<SavedMail> mail = sink.messages();
    ASSERT_EQ(mail.size(), 1);
    EXPECT_EQ(mail[0].envFrom, "sender@example.org");
    EXPECT_EQ(mail[0].envTo, "to@example.org");
    EXPECT_EQ(mail[0].login, "sender@example.org");
    EXPECT_EQ(mail[0].from, "sender@example.org");
    EXPECT_EQ(mail[0].subject, QStringLiteral("Sübject"));
    EXPECT_EQ(mail[0].body, QStringLiteral("Bödy\nsecond line\n"));
    EXPECT_EQ(mail[0].attachments, QStringList{"card_Back.pdf"});
}

// Addresses and text outside ASCII against servers that offer SMTPUTF8 or not, 8BITMIME
// or not, and logins in UTF-8 or not: the status, the script's line, the address the
// window names, and what the server kept (envelope, parameters, the data's bytes, the
// text's transfer encoding and the text read back).
TEST(MailScript, AddressesAndTextOutsideAscii)
{
    const QString rene = QStringLiteral("rené@example.org");
    const QString ascii = QStringLiteral("sender@example.org"), to = QStringLiteral("to@example.org");
    const QString accents = QStringLiteral("Dear visitor,\nyour pass for the meeting at Café Müller in Köln is attached.");
    struct Row {
        const char *what;
        QStringList sinkOptions;
        QString sender, recipient, body;
        int status;
        const char *error;
        QString address;                 // named by the window
        const char *params, *data, *cte; // of the kept message; nullptr: nothing kept
    };
    const Row rows[] = {
        {"recipient outside ASCII, SMTPUTF8 offered", {"--smtputf8"}, ascii, rene, accents, Mail_Sent, "", "",
         "SMTPUTF8 BODY=8BITMIME", "8bit", "8bit"},
        {"recipient outside ASCII, no SMTPUTF8", {}, ascii, rene, accents, Mail_Recipient_Address_Unusable,
         "the recipient address has characters outside ASCII and the server does not offer SMTPUTF8; nothing was "
         "sent",
         rene, nullptr, nullptr, nullptr},
        {"sender outside ASCII, SMTPUTF8 and a UTF-8 login", {"--smtputf8", "--user", rene}, rene, to, accents,
         Mail_Sent, "", "", "SMTPUTF8 BODY=8BITMIME", "8bit", "8bit"},
        {"sender outside ASCII, no SMTPUTF8", {"--user", rene}, rene, to, accents, Mail_Sender_Address_Unusable,
         "the sender address has characters outside ASCII and the server does not offer SMTPUTF8; nothing was sent",
         rene, nullptr, nullptr, nullptr},
        {"sender outside ASCII, login not read as UTF-8", {"--smtputf8", "--user", rene, "--no-auth-utf8"}, rene, to,
         accents, Mail_Login_Refused, "login refused: 535 5.7.8 Authentication credentials invalid", "", nullptr,
         nullptr, nullptr},
        {"sender outside ASCII, no login that takes UTF-8", {"--smtputf8", "--user", rene, "--auth", "CRAM-MD5"}, rene,
         to, accents, Mail_Sender_Address_Unusable,
         "the sender (login) holds characters outside ASCII and the server offers no login (AUTH PLAIN or LOGIN) that "
         "takes them",
         rene, nullptr, nullptr, nullptr},
        {"accents, no 8BITMIME", {"--no-8bitmime"}, ascii, to, accents, Mail_Sent, "", "", "", "7bit",
         "quoted-printable"},
        {"mostly accents, no 8BITMIME", {"--no-8bitmime"}, ascii, to, QStringLiteral("Grüße aus Köln,\nçà et là."),
         Mail_Sent, "", "", "", "7bit", "base64"},
        {"accents, 8BITMIME offered", {}, ascii, to, accents, Mail_Sent, "", "", "BODY=8BITMIME", "8bit", "8bit"},
        {"accents to an address outside ASCII, no 8BITMIME", {"--smtputf8", "--no-8bitmime"}, ascii, rene, accents,
         Mail_Sent, "", "", "SMTPUTF8", "8bit", "quoted-printable"},
        {"plain text, no 8BITMIME", {"--no-8bitmime"}, ascii, to, "Plain text.", Mail_Sent, "", "", "", "7bit", "7bit"},
    };
    for (const Row &row : rows) {
        SmtpSink sink;
        ASSERT_TRUE(sink.start(row.sinkOptions)) << row.what;
        const Mail_Settings settings{row.sender, "127.0.0.1", QString::number(sink.port), "N"};
        const Mail_Result r =
            realTransport("secret").sendEmail_pyth(row.recipient, QStringLiteral("Sübject"), {}, settings, row.body);
        EXPECT_EQ(r.status, row.status) << row.what << ": " << r.errorLine.toStdString();
        EXPECT_EQ(r.errorLine, QString::fromUtf8(row.error)) << row.what;
        EXPECT_EQ(r.address, row.address) << row.what;
        const int kept = row.params ? 1 : 0;
        ASSERT_EQ(sink.waitFor(kept, 2000), kept) << row.what;
        if (!kept) continue;
        const SavedMail m = sink.messages().value(0);
        EXPECT_EQ(m.envFrom, row.sender) << row.what;
        EXPECT_EQ(m.envTo, row.recipient) << row.what;
        EXPECT_EQ(m.login, row.sender) << row.what;
        EXPECT_EQ(m.from, row.sender) << row.what;
        EXPECT_EQ(m.to, row.recipient) << row.what;
        EXPECT_EQ(m.subject, QStringLiteral("Sübject")) << row.what;
        EXPECT_EQ(m.body, row.body + u'\n') << row.what;
        EXPECT_EQ(m.params, QString::fromUtf8(row.params)) << row.what;
        EXPECT_EQ(m.data, QString::fromUtf8(row.data)) << row.what;
        EXPECT_EQ(m.cte, QString::fromUtf8(row.cte)) << row.what;
    }
}

namespace {
// Makes a self-signed certificate for 127.0.0.1 with openssl; what openssl said when it
// could not.
QString makeCertificate(const QString &dir)
{
    QProcess p;
    p.start(QStringLiteral("openssl"),
            {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
             "subjectAltName=IP:127.0.0.1", "-keyout", dir + "/key.pem", "-out", dir + "/cert.pem"});
    if (!testsupport::checkerFinished(p)) return QStringLiteral("openssl could not start");
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return {};
    return QStringLiteral("openssl failed: ") + QString::fromUtf8(p.readAllStandardError());
}

// Runs the script directly with the certificate trusted (SSL_CERT_FILE); -1 when it
// could not start.
int runScript(const QString &cert, int port, const QString &ssl)
{
    QProcess p;
    QProcessEnvironment env;
    env.insert("SSL_CERT_FILE", cert);
    env.insert("PATH", "/bin:/usr/bin");
    p.setProcessEnvironment(env);
    p.start("/usr/bin/python3", {QCoreApplication::applicationDirPath() + "/resources/pyth_mail.py",
                                 "sender@example.org", "127.0.0.1", QString::number(port), "sender@example.org",
                                 "to@example.org", "TLS", "body", ssl});
    p.write("secret\nDescription");
    p.closeWriteChannel();
    if (!testsupport::checkerFinished(p)) return -1;
    return p.exitCode();
}
} // namespace

TEST(MailScript, SecureConnections)
{
    QTemporaryDir dir;
    ASSERT_EQ(makeCertificate(dir.path()), "");
    const QString cert = dir.filePath("cert.pem"), key = dir.filePath("key.pem");
    SmtpSink starttls, implicit;
    ASSERT_TRUE(starttls.start({"--cert", cert, "--key", key}));
    ASSERT_TRUE(implicit.start({"--cert", cert, "--key", key, "--implicit-tls"}));
    struct Row {
        const SmtpSink *sink;
        QString ssl;
        QString trusted;
        int status;
    };
    const Row rows[] = {
        {&starttls, "N", cert, Mail_Sent},
        {&implicit, "Y", cert, Mail_Sent},
        {&starttls, "Y", cert, Mail_Secure_Connection_Failed},       // TLS spoken to a plain server
        {&starttls, "N", dir.filePath("none.pem"), Mail_Secure_Connection_Failed},  // certificate not trusted
    };
    for (const Row &row : rows) EXPECT_EQ(runScript(row.trusted, row.sink->port, row.ssl), row.status) << row.ssl.toStdString();
    EXPECT_EQ(starttls.waitFor(1), 1);
    EXPECT_EQ(implicit.waitFor(1), 1);
}

TEST(MailScript, NoPasswordInPlainTextToAnotherMachine)
{
    // An address of this machine that is not a loopback address stands for another one.
    QProcess h;
    h.start("/bin/sh", {"-c", "hostname -I 2>/dev/null | tr ' ' '\\n' | grep -v : | grep -v '^127' | head -1"});
    ASSERT_TRUE(testsupport::checkerFinished(h));
    const QString host = QString::fromLatin1(h.readAllStandardOutput()).trimmed();
    if (host.isEmpty()) GTEST_SKIP() << "no address other than loopback";
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"--host", host}));
    const Mail_Result r = realTransport("secret").sendEmail_pyth("to@example.org", "s", {},
                                                                 {"sender@example.org", host, QString::number(sink.port), "N"}, "b");
    EXPECT_EQ(r.status, Mail_Not_Secure);
    EXPECT_EQ(r.errorLine, "server " + host + ":" + QString::number(sink.port)
                               + " offers no secure connection (STARTTLS); nothing was sent");
    EXPECT_EQ(sink.count(), 0);
}

namespace {
struct ScriptRun {
    int status = -1;
    QString error;  // all the script wrote on standard error
};

// Runs the script directly as the transport does, with a deadline of `deadline` seconds
// (status -1 when it ran past the test's bound, which fails the test).
ScriptRun runWithDeadline(const QString &host, int port, const QString &ssl, const QString &password, double deadline)
{
    QProcess p;
    QProcessEnvironment env;
    env.insert("PATH", "/bin:/usr/bin");
    env.insert("PYTHONPATH", "");
    env.insert("DOZO_MAIL_DEADLINE", QString::number(deadline));
    p.setProcessEnvironment(env);
    p.start("/usr/bin/python3", {QCoreApplication::applicationDirPath() + "/resources/pyth_mail.py",
                                 "sender@example.org", host, QString::number(port), "sender@example.org",
                                 "private.person@example.net", "Confidential subject", "The secret body text", ssl});
    p.write(password.toUtf8() + "\nDescription");
    p.closeWriteChannel();
    if (!testsupport::checkerFinished(p)) return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

// What a message comes to with unusual servers and passwords: the status, the exact line
// on standard error and how many messages the server kept. A deadline is reached only
// where the server does not answer; elsewhere it only keeps a hung run from hanging.
TEST(MailScript, PasswordsDeadlinesAndAnswersAfterTheData)
{
    const QString utf8Password = QStringLiteral("pässwörd€");
    struct Row {
        const char *what;
        QStringList sinkOptions;
        QString password;
        double deadline;  // seconds
        int status;
        const char *error;  // "%1" stands for the sink's port
        int kept;
    };
    const Row rows[] = {
        {"UTF-8 AUTH PLAIN", {"--password", utf8Password, "--auth", "PLAIN"}, utf8Password, 30, Mail_Sent, "", 1},
        {"UTF-8 AUTH LOGIN", {"--password", utf8Password, "--auth", "LOGIN"}, utf8Password, 30, Mail_Sent, "", 1},
        {"UTF-8 password refused", {"--auth", "PLAIN"}, utf8Password, 30, Mail_Login_Refused,
         "login refused: 535 5.7.8 Authentication credentials invalid\n", 0},
        {"no login that takes UTF-8", {"--auth", "CRAM-MD5"}, utf8Password, 30, Mail_Password_Unusable,
         "the password holds characters outside ASCII and the server offers no login (AUTH PLAIN or LOGIN) that "
         "takes them\n",
         0},
        {"greeting a byte a second", {"--slow-greeting", "1"}, "secret", 3, Mail_Timed_Out,
         "server 127.0.0.1:%1 did not take the message within 3 s; nothing was sent\n", 0},
        {"no answer after the data", {"--after-data", "hang"}, "secret", 10, Mail_Maybe_Sent,
         "server 127.0.0.1:%1 did not confirm the message within 10 s; it may have been sent\n", 1},
        {"hang-up after the data", {"--after-data", "close"}, "secret", 30, Mail_Maybe_Sent,
         "server 127.0.0.1:%1 stopped answering after it was given the message; it may have been sent: Connection "
         "unexpectedly closed\n",
         1},
        {"recipient refused", {"--refuse", "private.person@example.net"}, "secret", 30, Mail_Recipient_Refused,
         "recipient refused: 550\n", 0},
    };
    for (const Row &row : rows) {
        SmtpSink sink;
        ASSERT_TRUE(sink.start(row.sinkOptions)) << row.what;
        const ScriptRun r = runWithDeadline("127.0.0.1", sink.port, "N", row.password, row.deadline);
        EXPECT_EQ(r.status, row.status) << row.what << ": " << r.error.toStdString();
        EXPECT_EQ(r.error, QString::fromUtf8(row.error).replace("%1", QString::number(sink.port))) << row.what;
        EXPECT_EQ(sink.waitFor(row.kept, 2000), row.kept) << row.what;
        if (row.status == Mail_Sent) {
            EXPECT_EQ(sink.messages().value(0).login, "sender@example.org") << row.what;
        }
        for (const char *secret : {"private.person", "example.net", "Confidential", "secret body"})
            EXPECT_FALSE(r.error.contains(QLatin1String(secret))) << row.what;
    }
}

// The security chosen is required for a server that is not on this machine: with "TLS"
// and a server that offers neither STARTTLS nor a login, nothing is sent.
TEST(MailScript, NothingInPlainTextToAnotherMachineEvenWithoutLogin)
{
    QProcess h;
    h.start("/bin/sh", {"-c", "hostname -I 2>/dev/null | tr ' ' '\\n' | grep -v : | grep -v '^127' | head -1"});
    ASSERT_TRUE(testsupport::checkerFinished(h));
    const QString host = QString::fromLatin1(h.readAllStandardOutput()).trimmed();
    if (host.isEmpty()) GTEST_SKIP() << "no address other than loopback";
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"--host", host, "--no-auth"}));
    const ScriptRun r = runWithDeadline(host, sink.port, "N", "secret", 10);
    EXPECT_EQ(r.status, Mail_Not_Secure);
    EXPECT_EQ(r.error, "server " + host + ":" + QString::number(sink.port)
                           + " offers no secure connection (STARTTLS); nothing was sent\n");
    QThread::msleep(300);
    EXPECT_EQ(sink.count(), 0);
}
