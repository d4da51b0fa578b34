#include "AttributeWatch.h"
#include "Globals.h"
#include "Plist.h"
#include "Preferences.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(Created_Resource_Path);
        QDir dir(Created_Resource_Path);
        for (const QString &f : dir.entryList({"zuv.iravararirer.plist*"}, QDir::Files)) dir.remove(f);
        testsupport::boxes().clear();
    }
};

TEST_F(PreferencesTest, MissingFileGivesDefaultsAndAPrivateEmptyFile)
{
    std::optional<Preferences> made;
    // Created owner-only: its permissions are never narrowed afterwards.
    const QStringList changed =
        testsupport::attributeChangesDuring(Created_Resource_Path, [&] { made = Preferences::sharedInstance(); });
    EXPECT_TRUE(changed.isEmpty()) << changed.join(", ").toStdString();
    const Preferences &p = *made;
    EXPECT_EQ(p.send_email_SenderEmail(), QString(""));
    EXPECT_EQ(p.send_email_PORT_num(), QString(""));
    EXPECT_FALSE(p.send_email_enable_ssl().has_value());
    QFileInfo info(Preferences::settingsPath());
    ASSERT_TRUE(info.exists());
    EXPECT_EQ(info.size(), 0);
    EXPECT_EQ(info.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther), 0);
}

TEST_F(PreferencesTest, OnlyFlushWritesAndStoresDoNotShareChanges)
{
    Preferences a = Preferences::sharedInstance();
    a.setsend_email_SenderEmail("desk@example.org");
    EXPECT_EQ(Preferences::sharedInstance().send_email_SenderEmail(), QString(""));
    a.setsend_email_Password("s3cret");
    a.setsend_email_enable_ssl("Y");
    ASSERT_TRUE(a.flush());
    Preferences b = Preferences::sharedInstance();
    EXPECT_EQ(b.send_email_SenderEmail(), QString("desk@example.org"));
    EXPECT_EQ(b.send_email_enable_ssl(), QString("Y"));
    QFileInfo info(Preferences::settingsPath());
    EXPECT_EQ(info.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
}

TEST_F(PreferencesTest, BrokenFileIsSetAsideOnceAndTheSettingsStartEmpty)
{
    const QString path = Preferences::settingsPath();
    const struct {
        const char *what;
        QByteArray bytes;
    } rows[] = {
        {"not a property list", "garbage"},
        {"a NUL inside a string", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>SendEmailPwd</key>"
                                  "<string>a" + QByteArray(1, '\0') + "b</string></dict></plist>"},
        {"not a dictionary", Plist_To_Bytes(QVariantList{"SendEmailPwd"})},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        SetUp();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(r.bytes);
        f.close();
        Preferences p = Preferences::sharedInstance();
        EXPECT_EQ(p.send_email_Password(), QString(""));
        const QStringList shown = testsupport::boxes().take();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains("zuv.iravararirer.plist.broken")) << shown[0].toStdString();

        QFile kept(path + ".broken");
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), r.bytes);
        EXPECT_EQ(kept.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
        // Reported once: the next store starts from an empty settings file, silently.
        p.setsend_email_SenderEmail("desk@example.org");
        ASSERT_TRUE(p.flush());
        EXPECT_EQ(Preferences::sharedInstance().send_email_SenderEmail(), QString("desk@example.org"));
        EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    }
    // An earlier broken file is kept as well.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("again");
    f.close();
    Preferences::sharedInstance();
    EXPECT_TRUE(QFile::exists(path + ".broken") && QFile::exists(path + ".broken2"));
}
