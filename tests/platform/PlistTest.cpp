#include "FileWrite.h"
#include "Plist.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(Plist, RoundTripsBothFormats)
{
    const QVariantMap root{{"version", qint64(2)},
                           {"name", QString::fromUtf8("Zoë's card")},
                           {"ratio", 1.5},
                           {"flag", true},
                           {"items", QVariantList{QString("a"), QString("b")}},
                           {"blob", QByteArray("\x00\x01\x02", 3)}};
    for (PlistFormat f : {PlistFormat::Xml, PlistFormat::Binary}) {
        const auto back = Plist_From_Bytes(Plist_To_Bytes(root, f));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->toMap(), root);
    }
}

TEST(Plist, RefusesWhatIsNotAPropertyList)
{
    EXPECT_FALSE(Plist_From_Bytes(QByteArray()).has_value());
    EXPECT_FALSE(Plist_From_Bytes("this is not a property list").has_value());
    EXPECT_FALSE(Plist_From_Bytes("<?xml version=\"1.0\"?><plist><dict><key>a</key>").has_value());
}

TEST(FileWrite, ReplacesWholeAndSetsPermissions)
{
    const QString path = testsupport::testHome() + "/secret.plist";
    ASSERT_TRUE(Write_File_Whole(path, "first", 0644));
    ASSERT_TRUE(Write_File_Whole(path, "second", 0600));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "second");
    EXPECT_EQ(QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    EXPECT_FALSE(Write_File_Whole(testsupport::testHome() + "/no/such/folder/x", "x"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(testsupport::testHome()).entryList({"secret.plist*"}, QDir::Files).size(), 1);
}
