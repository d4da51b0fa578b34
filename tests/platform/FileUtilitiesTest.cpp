#include "FileUtilities.h"
#include "Globals.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void touch(const QString &path, const QByteArray &content = {})
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}
QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}
} // namespace

TEST(FileListings, NamesAndRelativePaths)
{
    QTemporaryDir dir;
    touch(dir.filePath("a.txt"));
    touch(dir.filePath("b.png"));
    QDir(dir.path()).mkpath("c/d");
    touch(dir.filePath("c/e.tar.gz"));

    EXPECT_EQ(sorted(Get_Files_Array_At_Path(dir.path(), 1)), (QStringList{"a", "b"}));
    EXPECT_EQ(sorted(Get_Files_Array_At_Path(dir.path(), 0)), (QStringList{"a.txt", "b.png"}));
    EXPECT_EQ(Get_Folder_Array_At_Path(dir.path()), QStringList{"c"});
    EXPECT_EQ(sorted(Get_Folders_And_Sub_Folder_Array_At_Path(dir.path())), (QStringList{"c", "c/d"}));
    EXPECT_EQ(sorted(Get_Files_And_Folder_Array_At_Path(dir.path())),
              (QStringList{"a", "b", "c", "c/d", "c/e.tar"}));

    const QString plainFile = dir.filePath("a.txt");
    EXPECT_TRUE(Get_Files_Array_At_Path(plainFile, 0).isEmpty());
    EXPECT_TRUE(Get_Folder_Array_At_Path(dir.filePath("missing")).isEmpty());
    EXPECT_TRUE(Get_Files_And_Folder_Array_At_Path("").isEmpty());
}

TEST(FileListings, FilterKeepsOnlyDesignFilesAndFolders)
{
    QTemporaryDir dir;
    for (const char *name : {"x.zcd", "x.ZCD", "x.png", "zcd", ".zcd"}) touch(dir.filePath(name));
    QDir(dir.path()).mkdir("sub.png");
    Filter_Non_Log_Files_At_Path(dir.path());
    EXPECT_EQ(sorted(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)),
              (QStringList{"sub.png", "x.zcd"}));
}

TEST(FilePaths, ValidationAndSizes)
{
    QTemporaryDir dir;
    touch(dir.filePath("f.bin"), QByteArray(1234, 'x'));
    testsupport::boxes().clear();
    EXPECT_EQ(Check_And_Validate_File_Path(dir.filePath("f.bin")), 0);
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_EQ(Check_And_Validate_File_Path("   "), 1);
    EXPECT_EQ(Check_And_Validate_File_Path(dir.filePath("none")), 1);
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"\nPlease select valid file path.", "\nPlease select valid file path."}));

    EXPECT_EQ(Get_File_Size_At_Path(dir.filePath("f.bin")), 1234u);
    EXPECT_EQ(Get_File_Size_At_Path(dir.filePath("none")), 0u);

    const std::optional<qint64> free = Get_Free_Bytes_At_Path(dir.filePath("f.bin"));
    EXPECT_TRUE(free && *free > 0);
    EXPECT_EQ(Get_Free_Bytes_At_Path(dir.filePath("none/f.bin")), std::nullopt);
}

TEST(FilePaths, BundleResourcePathsPointIntoOurResources)
{
    EXPECT_EQ(Check_Path_For_App_Resources("/Applications/Other Name.app/Contents/Resources/Background/a.png"),
              Resource_Path + "Background/a.png");
    EXPECT_EQ(Check_Path_For_App_Resources(" /Users/x/Apps/" + App_Name + ".app/Contents/Resources/no.png\n"),
              Resource_Path + "no.png");
    EXPECT_EQ(Check_Path_For_App_Resources("  /home/u/pic.png "), "/home/u/pic.png");
    EXPECT_EQ(Check_Path_For_App_Resources("   "), "");
}

TEST(FilePaths, TemplateOrientationSwapTouchesOnlyTheName)
{
    const QString folder = "/data/Templates/My (H)orizontal (h) Set/";
    EXPECT_EQ(Swap_Template_Orientation_Path(folder + "Badge (h).zcd", "Horizontal", "Vertical"),
              folder + "Badge (v).zcd");
    EXPECT_EQ(Swap_Template_Orientation_Path(folder + "Badge (H).zcd", "Horizontal", "Vertical"),
              folder + "Badge (V).zcd");
    EXPECT_EQ(Swap_Template_Orientation_Path("/t/Pass (V).zcd", "Vertical", "Horizontal"), "/t/Pass (H).zcd");
    EXPECT_EQ(Swap_Template_Orientation_Path("/t/Pass (v).zcd", "Horizontal", "Vertical"), "/t/Pass (v).zcd");
    EXPECT_EQ(Swap_Template_Orientation_Path("/t/Pass (h).zcd", "Horizontal", "Custom"), "/t/Pass (h).zcd");
}

TEST(Previews, FitWithinTheBoxAndAreNeverEnlarged)
{
    QTemporaryDir dir;
    QImage big(1200, 600, QImage::Format_RGB32);
    big.fill(Qt::green);
    ASSERT_TRUE(big.save(dir.filePath("big.png")));
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::blue);
    ASSERT_TRUE(small.save(dir.filePath("small.jpg")));
    touch(dir.filePath("text.png"), "not a picture");

    const Picture b = Get_Image_For_Path(dir.filePath("big.png"), 0);
    EXPECT_EQ(b.image().size(), QSize(500, 250));
    const Picture s = Get_Image_For_Path(dir.filePath("small.jpg"), 1);
    EXPECT_EQ(s.image().size(), QSize(40, 30));
    EXPECT_TRUE(Get_Image_For_Path(dir.filePath("text.png"), 0).isNull());
    EXPECT_TRUE(Get_Image_For_Path(dir.filePath("none.png"), 0).isNull());
    EXPECT_EQ(Image_Is_Over_Size(dir.filePath("big.png")), 0);
}

namespace {
// A JPEG of 400 x 200 pixels (left half red, right half blue) stored with the EXIF
// orientation 6: shown turned a quarter clockwise, 200 x 400 with red on top.
QByteArray Turned_Jpeg()
{
    QImage img(400, 200, QImage::Format_RGB32);
    img.fill(Qt::blue);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) img.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPG", 95);
    // APP1 "Exif": a big-endian TIFF header and one IFD entry, orientation (0x0112) = 6.
    const QByteArray tiff = QByteArray("MM\0*\0\0\0\x08", 8) + QByteArray("\0\x01", 2) +
                            QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x06\0\0", 12) + QByteArray(4, '\0');
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xff\xe1", 2);
    app1.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xff)).append(body);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}
} // namespace

TEST(Previews, ThumbnailsTurnByTheirOrientationAndKeepWithinTheWidthAsked)
{
    QTemporaryDir dir;
    touch(dir.filePath("turned.jpg"), Turned_Jpeg());
    QImage wide(1000, 600, QImage::Format_RGB32);
    wide.fill(Qt::green);
    ASSERT_TRUE(wide.save(dir.filePath("wide.png")));
    touch(dir.filePath("notes.png"), "not a picture");

    const QImage turned = Thumbnail_Image(dir.filePath("turned.jpg"), 100);
    ASSERT_EQ(turned.size(), QSize(50, 100));
    // JPEG colours are near, not exact: the ruling channel tells the halves apart.
    const auto ruling = [&turned](int y) {
        const QColor c(turned.pixel(25, y));
        return c.red() > 200 && c.blue() < 60 ? 'r' : c.blue() > 200 && c.red() < 60 ? 'b' : '?';
    };
    EXPECT_EQ(ruling(10), 'r');
    EXPECT_EQ(ruling(90), 'b');
    // The preview of the card uses the same maker: turned, within 500.
    EXPECT_EQ(Get_Image_For_Path(dir.filePath("turned.jpg"), 0).image().size(), QSize(200, 400));

    struct Row {
        const char *file;
        QSizeF asked;
        QSize pixels;
    };
    for (const char *name : {"thin.png", "flat.png"}) {
        QImage line(name[0] == 't' ? 1 : 1000, name[0] == 't' ? 1000 : 1, QImage::Format_RGB32);
        line.fill(Qt::red);
        ASSERT_TRUE(line.save(dir.filePath(name)));
    }
    for (const Row &r : {Row{"wide.png", {500, 300}, {500, 300}}, Row{"wide.png", {250.7, 10}, {250, 150}},
                         Row{"wide.png", {1, 1}, {1, 1}}, Row{"thin.png", {10, 10}, {1, 10}},
                         Row{"flat.png", {10, 10}, {10, 1}}, Row{"notes.png", {0.2, 0.2}, {1, 1}},
                         Row{"turned.jpg", {500, 300}, {200, 400}}, Row{"notes.png", {64, 48}, {64, 48}},
                         Row{"gone.png", {32, 32}, {32, 32}}}) {
        const Picture t = Thimbnail_Using_CG_Image(dir.filePath(r.file), r.asked);
        EXPECT_EQ(t.image().size(), r.pixels) << r.file << " at " << r.asked.width();
    }
    // The placeholder is a page, not the picture: its corner is clear, its middle white.
    const QImage page = Thimbnail_Using_CG_Image(dir.filePath("notes.png"), {64, 48}).image();
    EXPECT_EQ(qAlpha(page.pixel(0, 0)), 0);
    EXPECT_EQ(page.pixel(32, 24), qRgb(250, 250, 250));
    EXPECT_TRUE(Thumbnail_Image(dir.filePath("wide.png"), 0).isNull());
}

TEST(DateTime, IcuPatternsInEnglish)
{
    EXPECT_EQ(Convert_ICU_Date_Format("h:mm:ss a"), "h':'mm':'ss' 'AP");
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(Format_Date_Time(when, "M-d-yyyy"), "3-5-2024");
    EXPECT_EQ(Format_Date_Time(when, "h:mm:ss a"), "2:07:09 PM");
    EXPECT_EQ(Format_Date_Time(when, "EEEE, MMMM dd, yy"), "Tuesday, March 05, 24");
    EXPECT_EQ(Format_Date_Time(when, "EEE HH:mm 'at' 'o''clock'"), "Tue 14:07 at o'clock");
    EXPECT_EQ(Format_Date_Time(when, "dd/MM/yyyy"), "05/03/2024");
    EXPECT_FALSE(Get_date_Value("yyyy").isEmpty());
}

// The camera folder file names the folder with its whole, untrimmed content.
TEST(CameraFolder, FileNamesAnExistingFolderOrFallsBack)
{
    const QString fallback = Created_Resource_Path + "Images_save_by_user";
    QDir().mkpath(Created_Resource_Path);
    QFile::remove(Camera_Path_File());
    EXPECT_EQ(Read_Camera_Folder(), fallback);

    QTemporaryDir dir;
    Camera_Folder_Path = dir.path();
    ASSERT_TRUE(Create_Camera_Path_File());
    EXPECT_EQ(QFileInfo(Camera_Path_File()).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    Camera_Folder_Path.clear();
    EXPECT_EQ(Read_Camera_Folder(), dir.path());
    EXPECT_EQ(Camera_Folder_Path, dir.path());

    touch(Camera_Path_File(), (dir.path() + "\n").toUtf8());
    EXPECT_EQ(Read_Camera_Folder(), fallback);

    touch(dir.filePath("plain"));
    touch(Camera_Path_File(), dir.filePath("plain").toUtf8());
    EXPECT_EQ(Read_Camera_Folder(), fallback);
    QFile::remove(Camera_Path_File());
}
