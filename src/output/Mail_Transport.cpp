#include "Mail_Transport.h"

#include "Globals.h"
#include "Helpers.h"
#include "Mail_Recipients.h"
#include "Preferences.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const QString Mail_Check_Settings_Text = QStringLiteral(
    "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail server is "
    "not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) is not blocking "
    "the software to communicate with your E-mail server.");
const QString Mail_No_Sender_Text = QStringLiteral(
    "Please make sure that:\n1.Entered E-mail Settings are correct.\n2.Internet Connectivity to E-mail server is not "
    "interrupted and E-mail server is not down.\n3.Your firewall or security software(if any) is not blocking the "
    "software to communicate with your E-mail server.");
const QString Mail_Sent_Text = QStringLiteral("E-mail has been sent successfully.");

Mail_Settings Stored_Mail_Settings(const Preferences &prefs)
{
    return {prefs.send_email_SenderEmail().value_or(QString()), prefs.send_email_SMTP_server().value_or(QString()),
            prefs.send_email_PORT_num().value_or(QString()), prefs.send_email_enable_ssl().value_or(QString())};
}

Mail_Settings Current_Mail_Settings() { return Stored_Mail_Settings(Preferences::sharedInstance()); }

Mail_Addresses Take_Mail_Addresses(Mail_Settings settings, const QString &sender, const QString &recipients)
{
    Mail_Addresses out;
    out.settings = std::move(settings);
    out.settings.sender = Trim_Str(sender.toLower());
    if (out.settings.sender.isEmpty()) {
        out.error = Mail_No_Sender_Text;
        return out;
    }
    Recipient_List list = Parse_Recipients(recipients);
    out.recipients = std::move(list.recipients);
    out.error = std::move(list.error);
    return out;
}

QString Attachment_Refusal(const QString &path)
{
    // Opened as the mail program will open it: a missing file, a folder or one without
    // read permission is told by the system. Never waits (a FIFO named by mistake).
    int error = 0;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (fd < 0)
        error = errno;
    else if (::fstat(fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    if (fd >= 0) ::close(fd);
    if (error == 0) return {};
    return QStringLiteral("The file to attach could not be read, so nothing was sent:\n\"%1\"\n%2.")
        .arg(path, qt_error_string(error));
}

QString Mail_Cause_Line(int status, const QString &address)
{
    const QString named = address.isEmpty() ? QString() : u' ' + address;
    switch (status) {
    case Mail_Sent: return QString();
    case Mail_Login_Refused: return QStringLiteral("The mail server refused the login: check the sender and password.");
    case Mail_Recipient_Refused: return QStringLiteral("The mail server refused the recipient address.");
    case Mail_Server_Unreachable:
        return QStringLiteral("The mail server could not be reached or did not answer in time: check the server and port.");
    case Mail_Secure_Connection_Failed:
        return QStringLiteral("No secure connection to the mail server could be made: check the SSL/TLS choice and "
                              "the port.");
    case Mail_Attachment_Missing: return QStringLiteral("A file to attach could not be read.");
    case Mail_Not_Secure:
        return QStringLiteral("The mail server offers no secure connection (TLS), so nothing was sent: check the "
                              "SSL/TLS choice, the server and the port.");
    case Mail_Password_Unusable:
        return QStringLiteral("The password has characters (beyond plain ASCII) that this mail server's login cannot "
                              "take, so nothing was sent.");
    case Mail_Timed_Out:
        return QStringLiteral("The mail server did not take the message within two minutes, so it was not sent: "
                              "check the server and port, or try again later.");
    case Mail_Maybe_Sent:
        return QStringLiteral("The mail server stopped answering after it was given the message: it may have been "
                              "sent. Check with the recipient before sending it again.");
    case Mail_Recipient_Address_Unusable:
        return QStringLiteral("The mail server cannot take the recipient address%1: it has characters beyond plain "
                              "ASCII, which this server does not accept (SMTPUTF8), so nothing was sent to it.")
            .arg(named);
    case Mail_Sender_Address_Unusable:
        return QStringLiteral("The mail server cannot take the sender address%1: it has characters beyond plain "
                              "ASCII, which this server does not accept (SMTPUTF8) or cannot take as a login, so "
                              "nothing was sent.")
            .arg(named);
    case Mail_Not_Started: return QStringLiteral("The mail program (Python 3) could not be run or did not finish.");
    default: return QStringLiteral("The mail server did not accept the message.");
    }
}

Mail_Transport::Mail_Transport()
    : program(QStringLiteral("/usr/bin/python3")), script(Resource_Path + QStringLiteral("pyth_mail.py")),
      password([] { return Preferences::sharedInstance().send_email_Password().value_or(QString()); })
{
}

Mail_Result Mail_Transport::sendEmail_pyth(const QString &recipient, const QString &subject,
                                           const QStringList &attachments, const Mail_Settings &settings,
                                           const QString &body) const
{
    Mail_Result result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(QStringList{script, settings.sender, settings.server, settings.port, settings.sender,
                                     recipient, subject, body, settings.ssl}
                         + attachments);
    QProcessEnvironment env;  // empty: nothing inherited
    env.insert(QStringLiteral("PYTHONPATH"), QString());
    env.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(30000)) return result;

    QByteArray input = (password ? password() : QString()).toUtf8();
    input += "\nDescription";
    process.write(input);
    input.fill('\0');
    process.waitForBytesWritten(30000);
    process.closeWriteChannel();

    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    const QList<QByteArray> lines = process.readAllStandardError().trimmed().split('\n');
    result.errorLine = QString::fromUtf8(lines.last()).trimmed();
    if (!recipient.trimmed().isEmpty())
        result.errorLine.replace(recipient.trimmed(), QStringLiteral("<hidden>"), Qt::CaseInsensitive);
    if (process.exitStatus() == QProcess::NormalExit) result.status = process.exitCode();
    if (result.status == Mail_Recipient_Address_Unusable) result.address = recipient;
    if (result.status == Mail_Sender_Address_Unusable) result.address = settings.sender;
    return result;
}
