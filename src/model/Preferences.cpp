#include "Preferences.h"

#include "Globals.h"
#include "MessageBox.h"
#include "Plist.h"

#include <QFile>
#include <QFileInfo>

const QString send_email_RecipientKey = QStringLiteral("SendEmailRecipient");
const QString send_email_SenderEmailKey = QStringLiteral("SendEmailSender");
const QString send_email_PasswordKey = QStringLiteral("SendEmailPwd");
const QString send_email_SMTP_serverKey = QStringLiteral("SendEmailSMTP");
const QString send_email_PORT_numKey = QStringLiteral("SendEmailPORT");
const QString send_email_Enable_SSLkey = QStringLiteral("SendEnableSSL");

QString Preferences::settingsPath() { return Created_Resource_Path + QStringLiteral("zuv.iravararirer.plist"); }

Preferences Preferences::sharedInstance() { return Preferences(); }

Preferences::Preferences() : mPreferencesPath(settingsPath())
{
    setDefaults();
    QFile file(mPreferencesPath);
    if (!file.exists()) {
        // Created owner-only from the start: it will hold a password.
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return;
    }
    const auto root = Plist_Read_File(mPreferencesPath);
    if (root && root->typeId() == QMetaType::QVariantMap) {
        mDict = root->toMap();
        return;
    }
    if (file.size() == 0 && file.open(QIODevice::ReadOnly)) return;  // the empty file made when it was missing
    setAside();
}

void Preferences::setAside() const
{
    QString kept = mPreferencesPath + QStringLiteral(".broken");
    for (int n = 2; QFileInfo::exists(kept) && n < 100; ++n) kept = mPreferencesPath + QStringLiteral(".broken%1").arg(n);
    if (QFile::rename(mPreferencesPath, kept)) {
        QFile::setPermissions(kept, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        Show_MessageBox(QStringLiteral("The e-mail settings could not be read. The file was kept as \"%1\" and the "
                                       "e-mail settings start empty.")
                            .arg(QFileInfo(kept).fileName()));
    } else {
        Show_MessageBox(QStringLiteral("The e-mail settings could not be read from \"%1\". The e-mail settings start "
                                       "empty; the file will be replaced when they are next saved.")
                            .arg(QFileInfo(mPreferencesPath).fileName()));
    }
}

void Preferences::setDefaults()
{
    for (const QString *key : {&send_email_RecipientKey, &send_email_SenderEmailKey, &send_email_PasswordKey,
                               &send_email_SMTP_serverKey, &send_email_PORT_numKey})
        mDict[*key] = QString();
}

bool Preferences::flush(int *error) const
{
    return Plist_Write_File(mPreferencesPath, mDict, PlistFormat::Xml, 0600, error);
}

std::optional<QString> Preferences::value(const QString &key) const
{
    const auto it = mDict.find(key);
    if (it == mDict.end()) return std::nullopt;
    return it.value().toString();
}
