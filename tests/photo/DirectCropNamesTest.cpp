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

// The new column of a column run: a row that names a picture but got no file keeps its
// own cell and is named (five at most, then a count), and so is a row without a picture
// when the run tells of any; rows a stop left out are empty.
TEST(DirectCropNames, ColumnRunKeepsTheRowsItCouldNotCut)
{
    const QStringList six{"/in/a.png", "/in/b.png", "/in/c.png", "/in/d.png", "/in/e.png", "/in/f.png"};
    const struct {
        QStringList inputs, written, cells;
        QString message;
    } rows[] = {
        {{"/in/a.png", "", " /in/c.png "},
         {"/out/a.png", "", "/out/c.png"},
         {"/out/a.png", "", "/out/c.png"},
         "Image has been cropped successfully."},
        {{"/in/a.png", "/in/gone.png", " /in/c.png "},
         {"/out/a.png", "", ""},
         {"/out/a.png", "/in/gone.png", "/in/c.png"},
         "Pictures cropped: 1 of 3.\n\nPictures that could not be cropped, kept as they were: 2\n"
         "Row 2: \"gone.png\"\nRow 3: \"c.png\""},
        // Stopped after the first row.
        {{"/in/a.png", "/in/b.png"}, {""}, {"/in/a.png", ""},
         "Pictures cropped: 0 of 2.\n\nPictures that could not be cropped, kept as they were: 1\nRow 1: \"a.png\""},
        {six,
         {"", "", "", "", "", ""},
         six,
         "Pictures cropped: 0 of 6.\n\nPictures that could not be cropped, kept as they were: 6\nRow 1: \"a.png\"\n"
         "Row 2: \"b.png\"\nRow 3: \"c.png\"\nRow 4: \"d.png\"\nRow 5: \"e.png\"\nand 1 more"},
        // A row done that names no picture is named among them, in row order.
        {{"/in/a.png", " ", "/in/c.png", "/in/d.png", "/in/e.png", "/in/f.png"},
         {"/out/a.png", "", "", "", "/out/e.png", ""},
         {"/out/a.png", "", "/in/c.png", "/in/d.png", "/out/e.png", "/in/f.png"},
         "Pictures cropped: 2 of 6.\n\nPictures that could not be cropped, kept as they were: 4\nRow 2: no picture\n"
         "Row 3: \"c.png\"\nRow 4: \"d.png\"\nRow 6: \"f.png\""},
        // Stopped after the second row: the third, without a picture, was not done.
        {{"/in/a.png", "", ""}, {"", ""}, {"/in/a.png", "", ""},
         "Pictures cropped: 0 of 3.\n\nPictures that could not be cropped, kept as they were: 2\nRow 1: \"a.png\"\n"
         "Row 2: no picture"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.inputs.join(',').toStdString());
        const Direct_Column column = Direct_Column_Cells(r.inputs, r.written);
        EXPECT_EQ(column.cells, r.cells);
        EXPECT_EQ(Direct_Column_Message(r.inputs, column), r.message);
    }
}
