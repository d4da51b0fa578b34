#include "Preferences.h"

#include "Globals.h"
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
    const auto root = Plist_Read_File(mPreferencesPath);
    if (root && root->typeId() == QMetaType::QVariantMap) {
        mDict = root->toMap();
        return;
    }
    // Missing or unreadable: start from the defaults. A missing file is created empty
    // (owner-only); an unreadable one is left as it is until the next flush.
    if (!QFileInfo::exists(mPreferencesPath)) {
        QFile f(mPreferencesPath);
        if (f.open(QIODevice::WriteOnly)) f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    setDefaults();
}

void Preferences::setDefaults()
{
    for (const QString *key : {&send_email_RecipientKey, &send_email_SenderEmailKey, &send_email_PasswordKey,
                               &send_email_SMTP_serverKey, &send_email_PORT_numKey})
        mDict[*key] = QString();
}

bool Preferences::flush() const { return Plist_Write_File(mPreferencesPath, mDict, PlistFormat::Xml, 0600); }

std::optional<QString> Preferences::value(const QString &key) const
{
    const auto it = mDict.find(key);
    if (it == mDict.end()) return std::nullopt;
    return it.value().toString();
}
