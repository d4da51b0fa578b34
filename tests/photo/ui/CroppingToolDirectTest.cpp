// The cropping window's direct roads (a control's picture, series or spreadsheet
// column, results in "Cropped_Images", adjusted as the panel says) and its
// spreadsheet-column input, with a fake row table.
#include "Cropping_Tool.h"

#include "Globals.h"
#include "PictureView.h"
#include "RowTable.h"
#include "SelectionCanvas.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace cropping_tool_direct_test {

using namespace testsupport;

namespace {

// Rows of a row-number column and one column per entry of `columns`.
class FakeRows final : public Row_Table {
public:
    QStringList titles{"S.No."};
    QList<QStringList> rows;
    int Row_Table_Column_Count() const override { return int(titles.size()); }
    int Row_Table_Row_Count() const override { return int(rows.size()); }
    QString Row_Table_Column_Title(int column) const override { return titles.value(column); }
    QString Get_sel_row_col_value_of_Excel(int row, int column) const override { return Row_Table_Cell(rows, row, column); }
    int Add_Row_Table_Column(const QStringList &cells) override
    {
        const int n = Row_Table_Column_Count();
        titles << Row_Table_New_Column_Title(n);
        for (int i = 0; i < rows.size(); ++i) {
            while (rows[i].size() < n) rows[i] << QString();
            rows[i] << cells.value(i);
        }
        return n;
    }
};

// A face only in pictures wider than 100 pixels.
class WideFaceDetector final : public FaceDetector {
public:
    std::vector<QRectF> Detect_Faces(const QImage &picture) const override
    {
        if (picture.width() <= 100) return {};
        return {{10, 10, 30, 20}};
    }
};

// A picture whose left half is red and right half blue.
QString Make_Picture(const QString &path, int w, int h)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
    picture.save(path);
    return path;
}

void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

struct Folders {
    QString home = testHome();
    Folders()
    {
        Cropped_Img_Path = home + "/data/Cropped_Images";
        Data_Folder_Path = home + "/data/DataSet";
    }
};

}  // namespace

TEST(CroppingToolDirect, PictureCutIntoAFreeNameOfCroppedImages)
{
    Folders f;
    const QString input = Make_Picture(f.home + "/in/photo.png", 200, 100);
    testsupport::ScriptedRunner runner;
    Cropping_Tool tool(nullptr, nullptr, nullptr, nullptr, &runner);
    tool.resize(900, 700);
    int opened = 0;
    runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        ++opened;
        EXPECT_EQ(t.screens->currentIndex(), 1);
        EXPECT_EQ(t.Crop_direct_Btn->text(), "Crop Image");
        EXPECT_FALSE(t.Crop_direct_Btn->isHidden());
        EXPECT_TRUE(t.crop_btn->isHidden());
        EXPECT_TRUE(t.next_btn->isHidden());
        // The selector over the left (red) part of the picture.
        const QSizeF ratio = t.originalImageRatio();
        t.canvas->addSelectorWithFrame({0, 0, 50 * ratio.width(), 40 * ratio.height()});
        QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
    });
    struct Row {
        QString written;
    };
    const Row rows[] = {{f.home + "/data/Cropped_Images/photo.png"}, {f.home + "/data/Cropped_Images/photo (1).png"}};
    for (const Row &r : rows) {
        boxes().clear();
        ASSERT_EQ(tool.Open_Wnd_Direct_To_Crop(input), 1);
        EXPECT_EQ(tool.Crop_Direct_Path, r.written);
        EXPECT_EQ(boxes().take(), QStringList{"\nImage has been cropped successfully."});
        const QImage cut(r.written);
        ASSERT_EQ(cut.size(), QSize(50, 40));
        EXPECT_EQ(cut.pixel(25, 20), qRgb(255, 0, 0));
    }
    EXPECT_EQ(opened, 2);
    runner.remove<Cropping_Tool>();
}

TEST(CroppingToolDirect, PictureModeClosesWithOneOnlyAfterAWrite)
{
    // Nothing written (no face, no picture): a message, the window stays open, no result.
    Folders f;
    const QString narrow = Make_Picture(f.home + "/in/narrow.png", 80, 60);
    struct Row {
        QString input;
        bool face;
        QString message;
    };
    const Row rows[] = {
        {narrow, true, "\nNo face detected."},
        {f.home + "/in/missing.png", false, "\nThere is no image to crop."},
        {Resource_Path + "pic_ic.png", false, "\nThere is no image to crop."},  // a stand-in: a crop would be a photo
    };
    testsupport::ScriptedRunner runner;
    for (const Row &r : rows) {
        Cropping_Tool tool(std::make_shared<WideFaceDetector>(), nullptr, nullptr, nullptr, &runner);
        tool.resize(900, 700);
        QStringList seen;
        bool stayedOpen = false;
        runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
            if (r.face) t.face_radio->setChecked(true);
            boxes().clear();
            t.Crop_Direct_Image_Clicked();
            seen = boxes().take();
            stayedOpen = t.isVisible();
            t.reject();
        });
        EXPECT_EQ(tool.Open_Wnd_Direct_To_Crop(r.input), 0) << r.message.toStdString();
        EXPECT_EQ(seen, QStringList{r.message});
        EXPECT_TRUE(stayedOpen) << r.message.toStdString();
        EXPECT_TRUE(tool.Crop_Direct_Path.isEmpty());
        EXPECT_TRUE(QDir(Cropped_Img_Path).entryList(QDir::Files).isEmpty());
    }
    runner.remove<Cropping_Tool>();
}

// A series run makes a new series, a line per row: the file written, or an empty line.
// A picture that could not be read or had no face is counted and named, and so is an
// empty line when the run tells of anything; "successfully" only when every picture was
// cut and written.
TEST(CroppingToolDirect, SeriesRunMakesANewSeriesAndNamesWhatItDidNotCut)
{
    Folders f;
    const QString a = Make_Picture(f.home + "/in/a.png", 200, 100);
    const QString b = Make_Picture(f.home + "/in/b.png", 150, 100);
    const QString n = Make_Picture(f.home + "/in/n.png", 80, 60);  // no face in it
    const QString gone = f.home + "/in/gone.png";
    const QString out = f.home + "/data/Cropped_Images/Staff (1)";
    struct Case {
        const char *what;
        QStringList lines;
        bool face;
        QString series;  // the new series read back
        QString told;
    } cases[] = {
        {"all cut", {a, b}, false, out + "/a.png\n" + out + "/b.png\n", "\nImage has been cropped successfully."},
        {"an empty line only", {a, "", b}, false, out + "/a.png\n\n" + out + "/b.png\n",
         "\nImage has been cropped successfully."},
        {"a picture gone", {a, gone, b}, false, out + "/a.png\n\n" + out + "/b.png\n",
         "\nPictures cropped: 2 of 3.\n\nPictures that could not be read: 1\nRow 2: \"gone.png\""},
        {"no face", {a, n, b}, true, out + "/a.png\n\n" + out + "/b.png\n",
         "\nPictures cropped: 2 of 3.\n\nNo face found: 1\nRow 2: \"n.png\""},
        {"no face and an empty line", {a, "", n}, true, out + "/a.png\n\n\n",
         "\nPictures cropped: 1 of 3.\n\nRows without a picture: 1\nRow 2: no picture\n\n"
         "No face found: 1\nRow 3: \"n.png\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(f.home + "/data/Cropped_Images").removeRecursively();
        QFile::remove(f.home + "/data/DataSet/Staff (1).txt");
        Write(f.home + "/data/DataSet/Staff.txt", (c.lines.join('\n') + "\n").toUtf8());
        testsupport::ScriptedRunner runner;
        Cropping_Tool tool(std::make_shared<WideFaceDetector>(), nullptr, nullptr, nullptr, &runner);
        tool.resize(900, 700);
        runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
            EXPECT_EQ(t.Crop_direct_Btn->text(), "Crop Images");
            EXPECT_EQ(t.list->rowCount(), c.lines.size());
            EXPECT_TRUE(t.crop_all_btn->isHidden());
            if (c.face) {
                t.face_radio->setChecked(true);  // the first picture has a face
            } else {
                t.fixed_radio->setChecked(true);
                t.width_Text->setText("12");
                t.height_Text->setText("8");
            }
            boxes().clear();
            boxes().answerNext(1);  // Yes
            QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
        });
        ASSERT_EQ(tool.Open_Wnd_Direct_Crop_Series("Staff"), 1);
        runner.remove<Cropping_Tool>();
        EXPECT_EQ(boxes().take(), (QStringList{"This action will create new batch series with all new cropped images.\nAre "
                                               "you sure you want to continue?",
                                               c.told}));
        EXPECT_EQ(tool.Crop_Direct_Series, "Staff (1)");
        EXPECT_EQ(Read(f.home + "/data/DataSet/Staff (1).txt"), c.series);
        if (!c.face) {
            EXPECT_EQ(QImageReader(out + "/b.png").size(), QSize(12, 8));
        }
        EXPECT_EQ(Read(f.home + "/data/DataSet/Staff.txt").count('\n'), c.lines.size())
            << "the series it came from is untouched";
    }
}

// A row whose picture has no face keeps its own picture in the new column (its person
// would otherwise lose the photo), and the message names it; in group mode it asks for
// the row list's own Save button.
TEST(CroppingToolDirect, ColumnRunKeepsAFacelessRowsOwnPictureAndNamesIt)
{
    const QString kept = "\nPictures cropped: 2 of 3.\n\nPictures that could not be cropped, kept as they were: 1"
                         "\nRow 2: \"n.png\"";
    const struct {
        Card_Mode mode;
        QString message;
    } runs[] = {
        {Card_Mode::Group, kept + "\n\nPlease click on 'Save' button to update your changes in your project data."},
        {Card_Mode::Template, kept},
    };
    for (const auto &run : runs) {
        Folders f;
        QDir(f.home + "/data/Cropped_Images").removeRecursively();
        FakeRows table;
        table.titles << "Name" << "Photo";  // row number + 2 columns
        const QString wide1 = Make_Picture(f.home + "/in/w1.png", 200, 100);
        const QString narrow = Make_Picture(f.home + "/in/n.png", 80, 60);
        const QString wide2 = Make_Picture(f.home + "/in/w2.png", 150, 100);
        table.rows = {{"1", "Ann", wide1}, {"2", "Bob", narrow}, {"3", "Cy", wide2}};
        testsupport::ScriptedRunner runner;
        Cropping_Tool tool(std::make_shared<WideFaceDetector>(), &table, nullptr, nullptr, &runner);
        tool.resize(900, 700);
        tool.Start_Card_Option = run.mode;
        tool.ctrl_data_source_type = 2;
        runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
            EXPECT_EQ(t.Crop_direct_Btn->text(), "Crop Image");
            EXPECT_EQ(t.list->rowCount(), 3);
            t.face_radio->setChecked(true);  // the first row's picture has a face
            boxes().clear();
            boxes().answerNext(1);
            QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
        });
        ASSERT_EQ(tool.Open_Wnd_Direct_Excel_Column("Photo", 2), 1);
        runner.remove<Cropping_Tool>();
        EXPECT_EQ(boxes().take(),
                  (QStringList{"This action will create new excel column with all new cropped images.\nAre you sure you "
                               "want to continue?",
                               run.message}));
        EXPECT_EQ(tool.Crop_New_Excel_Col_Index, 3);
        EXPECT_EQ(tool.Crop_New_Excel_Col_Name, "Column3");
        EXPECT_EQ(table.titles.last(), "Column 4");
        const QString out = f.home + "/data/Cropped_Images/Column 4";
        const QStringList cells{table.rows[0].value(3), table.rows[1].value(3), table.rows[2].value(3)};
        EXPECT_EQ(cells, (QStringList{out + "/w1.png", narrow, out + "/w2.png"}));
        EXPECT_EQ(QImageReader(out + "/w1.png").size(), QSize(30, 20));
        EXPECT_EQ(QImageReader(narrow).size(), QSize(80, 60)) << "the kept picture is untouched";
        EXPECT_FALSE(QFile::exists(out + "/n.png"));
    }
}

// A column run whose pictures can't be written (a file stands where the folder of
// cropped pictures should be): the closing message counts and names them, then the note
// about saving; the column is added with empty cells.
TEST(CroppingToolDirect, AColumnRunSaysWhatItCouldNotWrite)
{
    Folders f;
    Write(f.home + "/taken.txt", "t");
    Cropped_Img_Path = f.home + "/taken.txt";
    FakeRows table;
    table.titles << "Name" << "Photo";
    table.rows = {{"1", "Ann", Make_Picture(f.home + "/in/w1.png", 200, 100)}, {"2", "Bob", f.home + "/in/gone.png"},
                  {"3", "Cy", Make_Picture(f.home + "/in/w2.png", 150, 100)}};
    testsupport::ScriptedRunner runner;
    Cropping_Tool tool(nullptr, &table, nullptr, nullptr, &runner);
    tool.resize(900, 700);
    tool.Start_Card_Option = Card_Mode::Group;
    tool.ctrl_data_source_type = 2;
    runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        t.fixed_radio->setChecked(true);
        boxes().clear();
        boxes().answerNext(1);
        QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
    });
    ASSERT_EQ(tool.Open_Wnd_Direct_Excel_Column("Photo", 2), 1);
    runner.remove<Cropping_Tool>();
    EXPECT_EQ(boxes().take(),
              (QStringList{"This action will create new excel column with all new cropped images.\nAre you sure you "
                           "want to continue?",
                           "\nPictures cropped: 0 of 3.\n\nPictures that could not be read: 1\nRow 2: \"gone.png\"\n\n"
                           "Pictures that could not be written: 2\nRow 1: \"w1.png\" (Not a directory)\n"
                           "Row 3: \"w2.png\" (Not a directory)\n\n"
                           "Pictures that could not be cropped, kept as they were: 3\nRow 1: \"w1.png\"\n"
                           "Row 2: \"gone.png\"\nRow 3: \"w2.png\"\n\n"
                           "Please click on 'Save' button to update your changes in your project data."}));
    EXPECT_EQ(tool.Crop_New_Excel_Col_Index, 3);
    // No person loses a picture: each row keeps its own.
    const QStringList cells{table.rows[0].value(3), table.rows[1].value(3), table.rows[2].value(3)};
    EXPECT_EQ(cells, (QStringList{table.rows[0].value(2), table.rows[1].value(2), table.rows[2].value(2)}));
}

TEST(CroppingToolDirect, AnInputWithoutPicturesOpensNoWindow)
{
    Folders f;
    FakeRows table;
    table.titles << "Photo";
    table.rows = {{"1", f.home + "/nothing.png"}, {"2", ""}};
    Write(f.home + "/data/DataSet/Empty.txt", "\n\n");
    testsupport::ScriptedRunner runner;
    Cropping_Tool tool(nullptr, &table, nullptr, nullptr, &runner);
    int opened = 0;
    runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        ++opened;
        t.reject();
    });
    EXPECT_EQ(tool.Open_Wnd_Direct_Excel_Column("Photo", 1), 0);
    EXPECT_EQ(tool.Open_Wnd_Direct_Crop_Series("Empty"), 0);
    EXPECT_EQ(tool.Open_Wnd_Direct_Crop_Series("Absent"), 0);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(boxes().take(), (QStringList{"\nThe selected control does not contains any image with supported extension.",
                                           "\nThe selected series does not contains any image with supported extension.",
                                           "\nThe selected series does not contains any image with supported extension."}));
    EXPECT_EQ(table.titles.size(), 2) << "no column added";
    runner.remove<Cropping_Tool>();
}

TEST(CroppingToolDirect, SpreadsheetInputOfTheMainScreen)
{
    Folders f;
    FakeRows table;
    Cropping_Tool tool(nullptr, &table, nullptr);
    tool.resize(900, 700);
    EXPECT_FALSE(tool.excel_radio->isEnabled()) << "no rows";

    table.titles << "Name" << "Photo";
    const QString a = Make_Picture(f.home + "/in/a.png", 40, 40);
    table.rows = {{"1", "Ann", a}, {"2", "Bob", ""}, {"3", "Cy", f.home + "/in/b.png"}};
    tool.Set_Default_Values();
    ASSERT_TRUE(tool.excel_radio->isEnabled());
    EXPECT_EQ(tool.excel_column_list->count(), 3);
    EXPECT_EQ(tool.excel_column_list->itemText(2), "Photo");
    tool.excel_radio->setChecked(true);
    EXPECT_TRUE(tool.excel_column_list->isEnabled());
    EXPECT_FALSE(tool.file_path->isEnabled());
    EXPECT_FALSE(tool.folder_path->isEnabled());
    struct Row {
        int column;
        QString output, name, message;
    };
    const Row rows[] = {
        {-1, "", "", "Please select excel column."},
        {0, f.home + "/out", "x", "Please select excel column."},  // the row-number column
        {2, "", "x", "Please select output folder path."},
        {2, f.home + "/out", " ", "Please select output file custom name."},
        {2, f.home + "/out", "../x", "Please enter valid file name."},  // a plain name of the folder only
        {1, f.home + "/out", "x", "The selected control does not contains any image with supported extension."},
    };
    tool.custom_name_radio->setChecked(true);
    for (const Row &r : rows) {
        tool.excel_column_list->setCurrentIndex(r.column);
        tool.output_path->setText(r.output);
        tool.custom_name->setText(r.name);
        boxes().clear();
        QTest::mouseClick(tool.next_btn, Qt::LeftButton);
        EXPECT_EQ(boxes().take(), QStringList{"\n" + r.message});
        EXPECT_EQ(tool.screens->currentIndex(), 0) << r.message.toStdString();
    }
    tool.excel_column_list->setCurrentIndex(2);
    tool.custom_name->setText("Untitled");
    boxes().clear();
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    EXPECT_TRUE(boxes().take().isEmpty());
    ASSERT_EQ(tool.screens->currentIndex(), 1);
    EXPECT_EQ(tool.list->rowCount(), 2) << "the empty cell is left out";
    EXPECT_EQ(tool.Get_Item_Text(0), a);
    EXPECT_TRUE(tool.crop_btn->isHidden());
    EXPECT_FALSE(tool.crop_all_btn->isHidden());
    EXPECT_EQ(tool.User_Picture.size(), QSize(40, 40));
}

TEST(CroppingToolDirect, ViewShowsTheSeriesOrTheSpreadsheetRowsOfTheInputChosen)
{
    // View follows the input: the series input without a series says so, the
    // spreadsheet input opens the table window of the design's rows (and nothing else).
    Folders f;
    FakeRows table;
    table.titles << "Name" << "Photo";
    table.rows = {{"1", "Ann", ""}};
    Cropping_Tool tool(nullptr, &table, nullptr);
    int tableShown = 0;
    tool.View_Spreadsheet_Rows = [&tableShown] { ++tableShown; };
    tool.Set_Default_Values();
    EXPECT_FALSE(tool.view_excel_btn->isEnabled());
    tool.series_radio->setChecked(true);
    boxes().clear();
    QTest::mouseClick(tool.view_series_btn, Qt::LeftButton);
    EXPECT_EQ(boxes().take(), QStringList{"\nPlease select the series."});
    EXPECT_EQ(tableShown, 0);
    tool.excel_radio->setChecked(true);
    ASSERT_TRUE(tool.view_excel_btn->isEnabled());
    QTest::mouseClick(tool.view_excel_btn, Qt::LeftButton);
    EXPECT_TRUE(boxes().take().isEmpty());
    EXPECT_EQ(tableShown, 1);
}

TEST(CroppingToolDirect, RoadsCutThePictureAsAdjusted)
{
    // The adjustment panel works on the direct roads: the picture on show and every row
    // of a run are cut as adjusted (grey here: the red picture comes out grey).
    Folders f;
    const QString a = f.home + "/in/a.png";
    QDir().mkpath(f.home + "/in");
    QImage red(60, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(a));
    Write(f.home + "/data/DataSet/Staff.txt", (a + "\n").toUtf8());
    struct Row {
        int direct;
        QString written;
        QSize size;
    };
    const Row rows[] = {
        {1, f.home + "/data/Cropped_Images/a.png", {20, 10}},
        {2, f.home + "/data/Cropped_Images/Staff (1)/a.png", {12, 8}},
        {3, f.home + "/data/Cropped_Images/Column 3/a.png", {12, 8}},
    };
    testsupport::ScriptedRunner runner;
    for (const Row &r : rows) {
        SCOPED_TRACE(r.direct);
        FakeRows table;
        table.titles << "Photo";
        table.rows = {{"1", a}};
        Cropping_Tool tool(nullptr, &table, nullptr, nullptr, &runner);
        tool.resize(900, 700);
        bool enabled = false;
        runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
            enabled = t.Image_Edit_Prop_Box->isEnabled();
            t.Image_Gray_Scale_chk->setChecked(true);
            if (r.direct == 1) {
                const QSizeF ratio = t.originalImageRatio();
                t.canvas->addSelectorWithFrame({0, 0, 20 * ratio.width(), 10 * ratio.height()});
            } else {
                t.fixed_radio->setChecked(true);
                t.width_Text->setText("12");
                t.height_Text->setText("8");
                boxes().answerNext(1);  // Yes to the new series / column
            }
            QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
        });
        boxes().clear();
        const int code = r.direct == 1   ? tool.Open_Wnd_Direct_To_Crop(a)
                         : r.direct == 2 ? tool.Open_Wnd_Direct_Crop_Series("Staff")
                                         : tool.Open_Wnd_Direct_Excel_Column("Photo", 1);
        runner.remove<Cropping_Tool>();
        ASSERT_EQ(code, 1);
        EXPECT_TRUE(enabled);
        const QImage cut(r.written);
        ASSERT_EQ(cut.size(), r.size);
        const QColor c = cut.pixelColor(3, 3);
        EXPECT_EQ(c.red(), c.green());
        EXPECT_EQ(c.green(), c.blue());
        EXPECT_LT(c.red(), 200);
        QDir(f.home + "/data/Cropped_Images").removeRecursively();
        QFile::remove(f.home + "/data/DataSet/Staff (1).txt");
    }
}

} // namespace cropping_tool_direct_test
