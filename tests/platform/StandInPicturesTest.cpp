// Which recorded picture paths are the program's own stand-ins rather than a photo.
#include "Globals.h"
#include "StandInPictures.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(StandInPictures, JudgedByNameAndFolder)
{
    const QString ours = Resource_Path;  // ends in "/"
    const struct {
        QString path;
        bool standIn;
    } rows[] = {
        {ours + "no.png", true},
        {ours + "pic_ic.png", true},
        {ours + "pic_err.png", true},
        {ours + "no_camera.jpg", true},
        {" " + ours + "pic_ic.png\n", true},
        {ours + "Templates/../pic_ic.png", true},
        {"/Applications/DOZO ID Card.app/Contents/Resources/pic_ic.png", true},
        {"/opt/dozo/share/dozo-idcard/resources/no.png", true},
        // Samples of other controls and the library's pictures are pictures in their own right.
        {ours + "sign_sample.png", false},
        {ours + "fingerprints.png", false},
        {ours + "LibraryImage/Business/Person.png", false},
        {ours + "LibraryImage/no.png", false},
        {ours + "PIC_IC.png", false},
        {ours + "pic_ic.png.jpg", false},
        // The same names elsewhere are not judged without reading them.
        {"/home/ann/photos/pic_ic.png", false},
        {"/opt/dozo/share/other/resources/no.png", false},
        {"pic_ic.png", false},
        {"", false},
    };
    for (const auto &r : rows)
        EXPECT_EQ(Is_Stand_In_Picture_Path(r.path, ours), r.standIn) << r.path.toStdString();
    for (const char *name : {"no.png", "pic_ic.png", "pic_err.png", "no_camera.jpg"})
        EXPECT_TRUE(Is_Stand_In_Picture_Name(name)) << name;
    EXPECT_FALSE(Is_Stand_In_Picture_Path(ours + "pic_ic.png", "")) << "without a folder only the fixed forms count";
}

// A copy of the program that ran from elsewhere left its own stand-ins' paths: the same
// bytes under a stand-in's name are a stand-in; a user's own picture so named is not.
TEST(StandInPictures, ElsewhereJudgedByContent)
{
    const QString other = testsupport::testHome() + "/old-build/resources/";
    const QString photos = testsupport::testHome() + "/photos/";
    ASSERT_TRUE(QDir().mkpath(other) && QDir().mkpath(photos));
    ASSERT_TRUE(QFile::copy(Resource_Path + "pic_ic.png", other + "pic_ic.png"));
    ASSERT_TRUE(QFile::copy(Resource_Path + "pic_ic.png", photos + "grey.png"));
    ASSERT_TRUE(QFile::copy(Resource_Path + "pic_err.png", photos + "no.png"));  // another stand-in's picture
    QFile own(photos + "pic_ic.png");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("a visitor's own photo");
    own.close();
    const struct {
        QString path;
        bool standIn;
    } rows[] = {
        {other + "pic_ic.png", true},
        {photos + "pic_ic.png", false},
        {photos + "no.png", false},
        {photos + "grey.png", false},
        {testsupport::testHome() + "/gone/resources/pic_ic.png", false},
        {Resource_Path + "pic_ic.png", true},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(Is_Stand_In_Picture(r.path, Resource_Path), r.standIn) << r.path.toStdString();
        EXPECT_FALSE(Is_Stand_In_Picture(r.path, testsupport::testHome() + "/nowhere/")) << r.path.toStdString();
    }
}
