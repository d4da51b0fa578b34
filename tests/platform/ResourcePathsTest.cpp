// Paths of the program's own resources as designs store them, and as another copy of
// the program (built or installed elsewhere) reads them into its own resources.
#include "Globals.h"
#include "ResourcePaths.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
void makeFile(const QString &path)
{
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
} // namespace

TEST(ResourcePaths, StoredInTheTemplatesForm)
{
    const QString ours = testsupport::testHome() + "/build/resources/";
    const struct {
        QString path, stored;
    } rows[] = {
        {ours + "pic_ic.png", "DOZO ID Card.app/Contents/Resources/pic_ic.png"},
        {" " + ours + "LibraryImage/Symbols/Shield.png", "DOZO ID Card.app/Contents/Resources/LibraryImage/Symbols/Shield.png"},
        // A user's own picture, and the folder itself, are no resource.
        {"/home/u/Pictures/me.png", "/home/u/Pictures/me.png"},
        {testsupport::testHome() + "/build/resources2/x.png", testsupport::testHome() + "/build/resources2/x.png"},
        {ours, ours},
        {"", ""},
    };
    for (const auto &r : rows) EXPECT_EQ(Stored_Resource_Path(r.path, ours), r.stored) << r.path.toStdString();
}

TEST(ResourcePaths, AnotherCopysResourcesPointIntoOurs)
{
    const QString home = testsupport::testHome();
    const QString ours = home + "/new place/resources/";
    makeFile(ours + "pic_ic.png");
    makeFile(ours + "Background/Soft_Gradient.jpg");
    // A build folder that is still there keeps its pictures; a user's own folder named
    // "resources" too.
    makeFile(home + "/other build/resources/pic_ic.png");
    makeFile(home + "/mine/resources/pic_ic.png");
    const struct {
        QString stored, read;
    } rows[] = {
        {"DOZO ID Card.app/Contents/Resources/pic_ic.png", ours + "pic_ic.png"},
        {"/Applications/Other.app/Contents/Resources/sign_sample.png", ours + "sign_sample.png"},
        {"/usr/share/dozo-idcard/resources/LibraryImage/Business/Company_Logo.png",
         ours + "LibraryImage/Business/Company_Logo.png"},
        {" /usr/local/share/dozo-idcard/resources/pic_ic.png\n", ours + "pic_ic.png"},
        {"/opt/dozo/share/dozo-idcard/resources/Background/Soft_Gradient.jpg", ours + "Background/Soft_Gradient.jpg"},
        // A build folder moved away: what ours hold.
        {home + "/old build/resources/pic_ic.png", ours + "pic_ic.png"},
        {home + "/old build/resources/Background/Soft_Gradient.jpg", ours + "Background/Soft_Gradient.jpg"},
        {home + "/old build/resources/Background/Gone.jpg", home + "/old build/resources/Background/Gone.jpg"},
        {home + "/other build/resources/pic_ic.png", home + "/other build/resources/pic_ic.png"},
        {home + "/mine/resources/pic_ic.png", home + "/mine/resources/pic_ic.png"},
        // Ours, and a user's own pictures, exactly as stored.
        {ours + "pic_ic.png", ours + "pic_ic.png"},
        {" /home/u/Pictures/me.png ", " /home/u/Pictures/me.png "},
        {"/home/u/gone/pic_ic.png", "/home/u/gone/pic_ic.png"},
        {"", ""},
    };
    for (const auto &r : rows) EXPECT_EQ(Repoint_Resource_Path(r.stored, ours), r.read) << r.stored.toStdString();
}
