// Template files of the galleries on a temporary folder.
#include "TemplateFiles.h"
#include "WorkingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace TemplateFiles;

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList fileNames(const QStringList &paths)
{
    QStringList out;
    for (const QString &p : paths) out << QFileInfo(p).dir().dirName() + "/" + QFileInfo(p).fileName();
    return out;
}

TEST(TemplateFiles, CategoryLetters)
{
    const std::pair<QString, QString> rows[] = {
        {"C", "Corporate"}, {"E", "Education"}, {"H", "Health"},   {"M", "Misc"},   {"P", "Press"},
        {"T", "Transport"}, {"V", "Visitor"},   {"X", "Corporate"}, {"", "Corporate"}, {"v", "Corporate"},
    };
    for (const auto &[letter, folder] : rows) EXPECT_EQ(Category_Folder(letter), folder) << letter.toStdString();
}

TEST(TemplateFiles, Listings)
{
    QTemporaryDir tmp;
    const QString t = tmp.path() + "/Templates";
    touch(t + "/Visitor/b.png");
    touch(t + "/Visitor/a.JPG");
    touch(t + "/Visitor/a.zcd");
    touch(t + "/Visitor/c.gif");
    touch(t + "/Health/h.png");
    touch(t + "/User/u.png");
    EXPECT_EQ(fileNames(Builtin_Previews(t, "V")), QStringList({"Visitor/a.JPG", "Visitor/b.png"}));
    EXPECT_EQ(fileNames(Builtin_Previews(t, "A")), QStringList({"Health/h.png", "Visitor/a.JPG", "Visitor/b.png"}));
    EXPECT_EQ(Builtin_Previews(t, "C"), QStringList());
    EXPECT_EQ(Design_Of(t + "/Visitor/a.JPG"), t + "/Visitor/a.zcd");
}

// Template names and category folders beginning with ":" are plain names: listed,
// copied, renamed and deleted in their folder; nothing in the working folder.
TEST(TemplateFiles, NamesBeginningWithAColon)
{
    testsupport::WorkingFolder work;
    QTemporaryDir tmp;
    const QString t = tmp.path() + "/Templates";
    touch(t + "/:Extra/:e.png");
    touch(t + "/:Extra/:e.zcd", "design");
    touch(t + "/Health/h.png");
    EXPECT_EQ(fileNames(Builtin_Previews(t, "A")), QStringList({":Extra/:e.png", "Health/h.png"}));
    const QString e = t + "/:Extra";
    const struct {
        const char *what;
        std::function<bool()> step;
    } rows[] = {
        {"copy", [&] { return Copy_Template(e + "/:e.png") == e + "/:e (copy 1).png"; }},
        {"rename", [&] { return Rename_Template(e + "/:e (copy 1).png", ":f") == Rename_Result::Renamed; }},
        {"taken", [&] { return Rename_Template(e + "/:f.png", ":e") == Rename_Result::Name_Exists; }},
        {"delete", [&] { return Delete_Template(e + "/:e.png"); }},
    };
    for (const auto &r : rows) EXPECT_TRUE(r.step()) << r.what;
    EXPECT_EQ(QDir(e).entryList(QDir::Files, QDir::Name), QStringList({":f.png", ":f.zcd"}));
    QFile f(e + "/:f.zcd");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("design"));
    EXPECT_EQ(work.written(), QStringList());
}

TEST(TemplateFiles, CopyDeleteRename)
{
    QTemporaryDir tmp;
    const QString u = tmp.path() + "/User";
    touch(u + "/Badge.png", "png");
    touch(u + "/Badge.zcd", "design");
    EXPECT_EQ(Copy_Template(u + "/Badge.png"), u + "/Badge (copy 1).png");
    EXPECT_EQ(Copy_Template(u + "/Badge.png"), u + "/Badge (copy 2).png");
    EXPECT_TRUE(QFileInfo::exists(u + "/Badge (copy 2).zcd"));
    EXPECT_TRUE(Delete_Template(u + "/Badge (copy 1).png"));
    EXPECT_FALSE(QFileInfo::exists(u + "/Badge (copy 1).zcd"));
    EXPECT_EQ(Rename_Template(u + "/Badge.png", "Badge (copy 2)"), Rename_Result::Name_Exists);
    EXPECT_EQ(Rename_Template(u + "/Badge.png", "Badge"), Rename_Result::Unchanged);
    EXPECT_EQ(Rename_Template(u + "/Badge.png", "  "), Rename_Result::Bad_Name);
    EXPECT_EQ(Rename_Template(u + "/Badge.png", "Pass"), Rename_Result::Renamed);
    EXPECT_EQ(fileNames(Previews_In(u)), QStringList({"User/Badge (copy 2).png", "User/Pass.png"}));
    QFile f(u + "/Pass.zcd");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("design"));
    EXPECT_FALSE(QFileInfo::exists(u + "/Badge.zcd"));
}

TEST(TemplateFiles, RenamedJpegPreviewIsRealPng)
{
    QTemporaryDir tmp;
    const QString u = tmp.path() + "/User";
    QDir().mkpath(u);
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    ASSERT_TRUE(picture.save(u + "/Badge.jpg", "JPEG"));
    touch(u + "/Badge.zcd", "design");
    EXPECT_EQ(Rename_Template(u + "/Badge.jpg", "Pass"), Rename_Result::Renamed);
    QFile f(u + "/Pass.png");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(QImage(u + "/Pass.png").size(), QSize(4, 3));
    EXPECT_FALSE(QFileInfo::exists(u + "/Badge.jpg"));
    // Same name, JPEG preview: re-encoded in place, the design stays.
    ASSERT_TRUE(picture.save(u + "/Card.jpg", "JPEG"));
    touch(u + "/Card.zcd", "card");
    EXPECT_EQ(Rename_Template(u + "/Card.jpg", "Card"), Rename_Result::Renamed);
    EXPECT_TRUE(QFileInfo::exists(u + "/Card.png"));
    EXPECT_TRUE(QFileInfo::exists(u + "/Card.zcd"));
    EXPECT_FALSE(QFileInfo::exists(u + "/Card.jpg"));
}

} // namespace
