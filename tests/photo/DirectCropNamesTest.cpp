// The direct roads' names and rows: the file a direct crop is written as, the rows of
// a series file (empty lines kept in their places) and whether a list names a picture.
#include "DirectCropNames.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(DirectCropNames, FileNameOfADirectCrop)
{
    const struct {
        QString input, name;
    } rows[] = {
        {"/in/photo.png", "photo.png"},
        {"/in/Photo.JPG", "Photo.JPG"},
        {" /in/scan.tiff ", "scan.tiff"},
        {"/in/a.b.jpeg", "a.b.jpeg"},
        {"/in/x.bmp", "x.bmp"},
        {"/in/y.tif", "y.tif"},
        {"/in/anim.gif", "anim.png"},  // not written as gif
        {"/in/bare", "bare.png"},
        {"/in/v.2.GIF", "v.2.png"},
    };
    for (const auto &r : rows) EXPECT_EQ(Direct_Crop_File_Name(r.input), r.name) << r.input.toStdString();
}

TEST(DirectCropNames, SeriesRowsKeepEmptyLinesInPlace)
{
    const struct {
        QByteArray bytes;
        QStringList rows;
    } rows[] = {
        {"/a.png\n\n/b.png\n", {"/a.png", "", "/b.png"}},
        {"\n\n  /a.png \n \n/b.png\n\n", {"/a.png", "", "/b.png"}},
        {"/a.png\r\n/b.png\r\n", {"/a.png", "/b.png"}},
        {"", {""}},
        {"/\xc3\xa9t\xc3\xa9.png", {QString::fromUtf8("/\xc3\xa9t\xc3\xa9.png")}},
        // Read as every series reader reads: CR alone ends a line, UTF-16 by its mark,
        // other bytes as Windows-1252.
        {"/a.png\r/b.png\r", {"/a.png", "/b.png"}},
        {QByteArray("\xFF\xFE/\0a\0\r\0\n\0/\0b\0", 14), {"/a", "/b"}},
        {"/\x80.png\n", {QString::fromUtf8("/\xe2\x82\xac.png")}},
    };
    for (const auto &r : rows) EXPECT_EQ(Direct_Series_Rows(r.bytes), r.rows) << r.bytes.toStdString();
}

TEST(DirectCropNames, AListNamesAPictureFile)
{
    const QString home = testsupport::testHome();
    QDir().mkpath(home + "/folder.png");
    for (const char *name : {"/a.PNG", "/b.gif", "/c.txt", "/d"}) {
        QFile f(home + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const struct {
        QStringList paths;
        bool any;
    } rows[] = {
        {{home + "/a.PNG"}, true},
        {{"", " " + home + "/b.gif "}, true},
        {{home + "/c.txt", home + "/d"}, false},
        {{home + "/folder.png"}, false},       // a folder
        {{home + "/missing.png"}, false},
        {{}, false},
        {{home + "/c.txt", "", home + "/a.PNG"}, true},
    };
    for (const auto &r : rows) EXPECT_EQ(Any_Picture_File(r.paths), r.any) << r.paths.join(',').toStdString();
}
