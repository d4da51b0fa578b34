#pragma once
// The e-mail settings: default recipient, sender address and password, mail server,
// port and whether the connection is secured. Each store is read fresh from the
// settings file and writes it only on flush(). A settings file that can't be read is
// set aside beside itself (".broken", owner-only) with a message, and the settings
// start empty.
#include <QString>
#include <QVariantMap>
#include <optional>

extern const QString send_email_RecipientKey;    // "SendEmailRecipient"
extern const QString send_email_SenderEmailKey;  // "SendEmailSender"
extern const QString send_email_PasswordKey;     // "SendEmailPwd"
extern const QString send_email_SMTP_serverKey;  // "SendEmailSMTP"
extern const QString send_email_PORT_numKey;     // "SendEmailPORT"
extern const QString send_email_Enable_SSLkey;   // "SendEnableSSL"

class Preferences {
public:
    // A new store, freshly read from the settings file.
    static Preferences sharedInstance();

    static QString settingsPath();  // Created_Resource_Path + "zuv.iravararirer.plist"

    void setDefaults();
    // Writes the whole dictionary (owner-only permissions: it holds a password). False
    // when it could not be written, `error` getting the system's error number (errno).
    bool flush(int *error = nullptr) const;

    std::optional<QString> send_email_enable_ssl() const { return value(send_email_Enable_SSLkey); }
    std::optional<QString> send_email_Recipient() const { return value(send_email_RecipientKey); }
    std::optional<QString> send_email_SenderEmail() const { return value(send_email_SenderEmailKey); }
    std::optional<QString> send_email_Password() const { return value(send_email_PasswordKey); }
    std::optional<QString> send_email_SMTP_server() const { return value(send_email_SMTP_serverKey); }
    std::optional<QString> send_email_PORT_num() const { return value(send_email_PORT_numKey); }

    void setsend_email_enable_ssl(const QString &v) { mDict[send_email_Enable_SSLkey] = v; }
    void setsend_email_Recipient(const QString &v) { mDict[send_email_RecipientKey] = v; }
    void setsend_email_SenderEmail(const QString &v) { mDict[send_email_SenderEmailKey] = v; }
    void setsend_email_Password(const QString &v) { mDict[send_email_PasswordKey] = v; }
    void setsend_email_SMTP_server(const QString &v) { mDict[send_email_SMTP_serverKey] = v; }
    void setsend_email_PORT_num(const QString &v) { mDict[send_email_PORT_numKey] = v; }

private:
    Preferences();
    std::optional<QString> value(const QString &key) const;
    void setAside() const;

    QString mPreferencesPath;
    QVariantMap mDict;
};
