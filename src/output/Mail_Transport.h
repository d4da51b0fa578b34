#pragma once
// One e-mail sent by the mail script "pyth_mail.py" of the resources, run by the
// Python interpreter as a process of its own with an argument list (never a shell):
//   script, login, server, port, From, recipient, subject, body, SSL flag, attachments...
// with an environment of exactly PYTHONPATH="" and PATH="/bin:/usr/bin:/usr/local/bin".
// The password goes only to the script's standard input (then "\n" and "Description",
// then end of input); it is read from the settings store at that moment and never kept.
// The message counts as sent exactly when the script exits normally with status 0.
#include <QString>
#include <QStringList>
#include <functional>

// The sender settings a run works with, taken when it starts (no password).
struct Mail_Settings {
    QString sender;
    QString server;
    QString port;
    QString ssl;  // "Y" implicit TLS, anything else STARTTLS when offered
};

class Preferences;

// The sender, server, port and SSL flag kept in the settings store (empty when absent).
Mail_Settings Stored_Mail_Settings(const Preferences &prefs);
// The same, read freshly from the settings file: what a run takes when it starts.
Mail_Settings Current_Mail_Settings();

// What a mail window sends with: the settings given with the window's sender (trimmed,
// lower case) and the recipients of its text. `error` is the message to show instead:
// Mail_No_Sender_Text for a blank sender, else a refused recipient list's message.
struct Mail_Addresses {
    Mail_Settings settings;
    QStringList recipients;
    QString error;
};
Mail_Addresses Take_Mail_Addresses(Mail_Settings settings, const QString &sender, const QString &recipients);

// The script's exit statuses; Mail_Not_Started when it could not be run or did not end
// normally (crashed, killed, timed out).
enum Mail_Status : int {
    Mail_Sent = 0,
    Mail_Failed = 1,
    Mail_Login_Refused = 2,
    Mail_Recipient_Refused = 3,
    Mail_Server_Unreachable = 4,
    Mail_Secure_Connection_Failed = 5,
    Mail_Attachment_Missing = 6,
    Mail_Not_Secure = 7,         // the server offers no secure connection; nothing sent
    Mail_Password_Unusable = 8,  // no login of the server takes the password's characters
    Mail_Timed_Out = 9,          // the message's deadline passed before the server had it
    Mail_Maybe_Sent = 10,        // the server stopped answering after it was given the message
    // An address with characters outside ASCII that the server cannot take (it offers no
    // SMTPUTF8; for the sender also no login that takes them); nothing sent.
    Mail_Recipient_Address_Unusable = 11,
    Mail_Sender_Address_Unusable = 12,
    Mail_Not_Started = -1,
};

struct Mail_Result {
    int status = Mail_Not_Started;
    // The script's last line on standard error (which never names the recipient nor
    // holds the subject or text), with the recipient's address hidden here as well.
    QString errorLine;
    // The address the failure is about, for the window to name: the recipient's or the
    // sender's for the two address statuses, else empty.
    QString address;
    bool sent() const { return status == Mail_Sent; }
};

// Why a file the user named to be attached cannot be sent, naming it with the system's
// reason: "The file to attach could not be read, so nothing was sent:\n\"<path>\"\nNo
// such file or directory." (a folder: "Is a directory."); empty when it is a file that
// can be read.
QString Attachment_Refusal(const QString &path);

// One line naming the cause of a failed message; `address` is the result's address,
// named by the lines of the two address statuses.
QString Mail_Cause_Line(int status, const QString &address = {});

// "Please make sure that:\n1. Entered E-mail settings are correct. ..." (three points):
// the settings test and the visitor mailing follow it with "\n\nCould not send email.",
// the card mailing puts "Could not send email message.\n" before it.
extern const QString Mail_Check_Settings_Text;
extern const QString Mail_Sent_Text;  // "E-mail has been sent successfully."
// The sender missing when a mail window sends (the settings were never saved).
extern const QString Mail_No_Sender_Text;

class Mail_Transport {
public:
    Mail_Transport();

    // Sends one message and waits for the script; any thread.
    Mail_Result sendEmail_pyth(const QString &recipient, const QString &subject, const QStringList &attachments,
                               const Mail_Settings &settings, const QString &body) const;

    QString program;  // "/usr/bin/python3"
    QString script;   // Resource_Path + "pyth_mail.py"
    // The password, asked for when the script's standard input is written (default: the
    // settings store's).
    std::function<QString()> password;
    // A script that has not ended after this long is killed (the script itself ends every
    // message within its deadline of two minutes).
    int timeoutMs = 3 * 60 * 1000;
};
