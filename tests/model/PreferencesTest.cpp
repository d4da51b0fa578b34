#include "Globals.h"
#include "Preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(Created_Resource_Path);
        QFile::remove(Preferences::settingsPath());
    }
};

TEST_F(PreferencesTest, MissingFileGivesDefaultsAndAPrivateEmptyFile)
{
    Preferences p = Preferences::sharedInstance();
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

TEST_F(PreferencesTest, UnreadableFileIsKeptUntilTheNextFlush)
{
    QFile f(Preferences::settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("garbage");
    f.close();
    Preferences p = Preferences::sharedInstance();
    EXPECT_EQ(p.send_email_SMTP_server(), QString(""));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "garbage");
}
