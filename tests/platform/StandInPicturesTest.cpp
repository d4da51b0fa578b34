// Which recorded picture paths are the program's own stand-ins rather than a photo.
#include "Globals.h"
#include "StandInPictures.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(StandInPictures, ByFolderOrByContent)
{
    // Another copy of the program left its stand-in; a user's own pictures carry such names.
    const QString other = testsupport::testHome() + "/old/resources/", own = testsupport::testHome() + "/";
    ASSERT_TRUE(QDir().mkpath(other) && QFile::copy(Resource_Path + "pic_ic.png", other + "pic_ic.png"));
    ASSERT_TRUE(QFile::copy(Resource_Path + "pic_err.png", own + "no.png"));
    ASSERT_TRUE(QFile::copy(Resource_Path + "pic_ic.png", own + "grey.png"));
    // A user's own photo named so, in a folder named as resources are.
    ASSERT_TRUE(QDir().mkpath(own + "mine/resources") && QFile::copy(Resource_Path + "pic_err.png", own + "mine/resources/no.png"));
    // A photo of the stand-in's name and size whose last byte differs.
    QFile ours(Resource_Path + "pic_ic.png"), alike(own + "alike/pic_ic.png");
    ASSERT_TRUE(ours.open(QIODevice::ReadOnly) && QDir().mkpath(own + "alike"));
    QByteArray bytes = ours.readAll();
    ASSERT_FALSE(bytes.isEmpty());
    bytes.back() = char(bytes.back() ^ 1);
    ASSERT_TRUE(alike.open(QIODevice::WriteOnly) && alike.write(bytes) == bytes.size());
    alike.close();
    const struct {
        QString path;
        bool standIn;
    } rows[] = {
        {Resource_Path + "no.png", true},
        {" " + Resource_Path + "pic_ic.png\n", true},
        {Resource_Path + "Templates/../pic_err.png", true},
        {Resource_Path + "no_camera.jpg", true},
        {"/Applications/DOZO ID Card.app/Contents/Resources/pic_ic.png", true},
        {"/opt/x/share/dozo-idcard/resources/no.png", true},
        {other + "pic_ic.png", true},
        // Another install's, and a build folder's that was moved or removed since.
        {"/usr/local/share/dozo-idcard/resources/pic_ic.png", true},
        {other + "no.png", true},
        {testsupport::testHome() + "/moved build/resources/no_camera.jpg", true},
        {own + "mine/resources/no.png", false},
        {own + "mine/resources/gone/no.png", false},
        {Resource_Path + "sign_sample.png", false},
        {Resource_Path + "LibraryImage/no.png", false},
        {Resource_Path + "PIC_IC.png", false},
        {own + "no.png", false},
        {own + "grey.png", false},
        {own + "alike/pic_ic.png", false},
        {own + "gone/pic_ic.png", false},
        {"", false},
    };
    for (const auto &r : rows) EXPECT_EQ(Is_Stand_In_Picture(r.path, Resource_Path), r.standIn) << r.path.toStdString();
    EXPECT_FALSE(Is_Stand_In_Picture_Path(other + "pic_ic.png", Resource_Path)) << "the path alone reads no file";
    EXPECT_TRUE(Is_Stand_In_Picture_Path(Resource_Path + "pic_ic.png", Resource_Path));
}
