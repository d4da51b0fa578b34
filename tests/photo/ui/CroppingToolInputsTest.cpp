// The cropping window's camera and series inputs, the checks of its main screen in
// order, the series a Crop All writes (new and replaced, typed text refused), the
// adjustments, the GUI-thread checks and closing the window while a row waits on the
// keep/replace question.
#include "Cropping_Tool.h"
#include "FaceFixture.h"
#include "Shots.h"

#include "Globals.h"
#include "HeldPoolThreads.h"
#include "PictureView.h"
#include "RowTable.h"
#include "RunUnderWay.h"
#include "SelectionCanvas.h"
#include "SeriesFile.h"
#include "Shared_Dialogs.h"
#include "SyntheticFrameSource.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace cropping_tool_inputs_test {

using namespace testsupport;

namespace {

QString Make_Picture(const QString &path, int w, int h, QColor colour = Qt::darkYellow)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(colour);
    picture.save(path);
    return path;
}

void Write_Series(const QString &name, const QStringList &lines)
{
    QDir().mkpath(Data_Folder_Path);
    ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(Data_Folder_Path, name), lines));
}

QStringList Series_Lines(const QString &name)
{
    QFile file(SeriesFile::Path(Data_Folder_Path, name));
    if (!file.open(QIODevice::ReadOnly)) return {"<missing>"};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

// A camera of one device whose frames the test pushes.
struct Camera_Fixture {
    SyntheticFrameSource *source = nullptr;
    std::unique_ptr<FrameSource> make()
    {
        auto s = std::make_unique<SyntheticFrameSource>(std::vector<CameraDevice>{{"cam-1", "Test camera"}});
        source = s.get();
        return s;
    }
};

// The plain face of the face-detector tests, tinted warm (grey turns it back).
QImage Drawn_Face()
{
    QImage picture(500, 400, QImage::Format_RGB32);
    picture.fill(QColor(128, 128, 128));
    QPainter p(&picture);
    testsupport::drawFace(p);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.fillRect(picture.rect(), QColor(255, 225, 190));
    return picture;
}

// A spreadsheet of a row-number column and a picture column.
class Picture_Rows final : public Row_Table {
public:
    QList<QStringList> rows;
    int Row_Table_Column_Count() const override { return 2; }
    int Row_Table_Row_Count() const override { return int(rows.size()); }
    QString Row_Table_Column_Title(int column) const override { return column == 1 ? "Photo" : column == 0 ? "S.No." : ""; }
    QString Get_sel_row_col_value_of_Excel(int row, int column) const override { return Row_Table_Cell(rows, row, column); }
    int Add_Row_Table_Column(const QStringList &) override { return 2; }
};

// Runs the event loop until the condition holds or the time is up; its last answer.
// (QTest's QTRY macros return silently from a gtest body when they time out.)
template <typename F>
bool Events_Until(F condition, int ms = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

void Shot(QWidget &w, const char *name) { testsupport::saveShot(w, QString::fromLatin1(name)); }

void Choose_Series(Cropping_Tool &tool, const QString &name, bool replace)
{
    tool.series_radio->setChecked(true);
    tool.Fill_batch_list();
    tool.batch_list->setCurrentIndex(tool.batch_list->findText(name));
    (replace ? tool.batch_replace_radio : tool.batch_new_radio)->setChecked(true);
}

}  // namespace

TEST(CroppingToolInputs, MainScreenChecksInOrder)
{
    const QString home = testHome();
    Data_Folder_Path = home + "/DataSet";
    Write_Series("S", {home + "/none.png"});
    Camera_Fixture cam;
    Cropping_Tool tool(nullptr, nullptr, nullptr, cam.make());
    struct Row {
        const char *input;  // "camera-none", "camera", "series", "typed", "series-empty"
        QString output;
        bool ownName;
        QString name;
        QStringList messages;
    };
    const Row rows[] = {
        {"camera-none", home + "/out", false, "x", {"Please select camera."}},
        {"camera", "", false, "x", {"Please select output folder path."}},
        {"camera", home + "/out", true, "x", {"Please select Custom output file name option."}},
        {"camera", home + "/out", false, " ", {"Please select output file custom name."}},
        {"series-none", home + "/out", false, "x", {"Please select batch series."}},
        {"typed", home + "/out", false, "x", {"Please select batch series."}},
        {"series", "", false, "x", {"Please select output folder path."}},
        {"series", home + "/out", false, "x",
         {"The selected series does not contains any image with supported extension."}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.input);
        tool.Set_Default_Values();
        const QString input = QLatin1String(r.input);
        if (input.startsWith("camera")) {
            cam.source->setDevices(input == "camera-none" ? std::vector<CameraDevice>{}
                                                          : std::vector<CameraDevice>{{"cam-1", "Test camera"}});
            tool.camera_list->clear();
            tool.camera_radio->setChecked(true);
            // The camera has no name of its own: the custom name is chosen, the own name off.
            EXPECT_TRUE(tool.custom_name_radio->isChecked());
            EXPECT_FALSE(tool.own_name_radio->isEnabled());
        } else {
            tool.series_radio->setChecked(true);
            EXPECT_EQ(tool.batch_list->itemText(0), "<--Select-->");
            EXPECT_EQ(tool.batch_list->currentIndex(), 0);
            if (input == "series" || input == "typed")
                tool.batch_list->setCurrentIndex(1);
            if (input == "typed")
                tool.batch_list->setEditText("../../etc/passwd");
        }
        tool.output_path->setText(r.output);
        if (r.ownName) tool.own_name_radio->setChecked(true);
        tool.custom_name->setText(r.name);
        boxes().clear();
        QTest::mouseClick(tool.next_btn, Qt::LeftButton);
        QStringList expected;
        for (const QString &m : r.messages) expected << "\n" + m;
        EXPECT_EQ(boxes().take(), expected);
        EXPECT_EQ(tool.screens->currentIndex(), 0);
        EXPECT_TRUE(tool.next_btn->isEnabled());
        if (input == "series-none" || input == "typed") {
            // The viewer needs a listed series too.
            QTest::mouseClick(tool.view_series_btn, Qt::LeftButton);
            EXPECT_EQ(boxes().take(), QStringList{"\nPlease select the series."});
        }
    }
}

TEST(CroppingToolInputs, CropScreenStatesPerInput)
{
    const QString home = testHome();
    Data_Folder_Path = home + "/DataSet";
    Make_Picture(home + "/in/a.png", 200, 100);
    Make_Picture(home + "/in/b.png", 100, 200);
    Write_Series("S", {home + "/in/a.png", home + "/in/notes.txt", home + "/missing.png", home + "/in/b.png"});
    Picture_Rows table;
    table.rows = {{"1", home + "/in/a.png"}, {"2", home + "/in/b.png"}};
    Camera_Fixture cam;
    Cropping_Tool tool(nullptr, &table, nullptr, cam.make());
    tool.resize(1000, 760);
    tool.show();
    struct Row {
        const char *input;
        int rows;
        bool list, crop, cropAll, capture, live, picture;
    };
    const Row rows[] = {
        {"file", 1, false, true, false, false, false, true},
        {"folder", 2, true, true, true, false, false, true},
        {"series", 2, true, true, true, false, false, true},
        {"camera", 0, false, false, false, true, true, false},
        // After the camera: its live picture and Capture make way for the picture view.
        {"spreadsheet", 2, true, false, true, false, false, true},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.input);
        tool.Set_Default_Values();
        const QString input = QLatin1String(r.input);
        if (input == "file") {
            tool.file_path->setText(home + "/in/a.png");
        } else if (input == "folder") {
            tool.folder_radio->setChecked(true);
            tool.folder_path->setText(home + "/in");
        } else if (input == "series") {
            Choose_Series(tool, "S", false);
        } else if (input == "spreadsheet") {
            tool.excel_radio->setChecked(true);
            EXPECT_TRUE(tool.excel_column_list->isEnabled());
            EXPECT_FALSE(tool.Camera_Box->isEnabled());
            EXPECT_FALSE(tool.batch_series_box->isEnabled());
            tool.excel_column_list->setCurrentIndex(1);
        } else {
            tool.camera_radio->setChecked(true);
        }
        tool.output_path->setText(home + "/out");
        if (input == "spreadsheet") Shot(tool, "merged-main-screen");
        boxes().clear();
        if (input == "series") {
            boxes().answerNext(1);
            Shot(tool, "main-screen-series");
        }
        QTest::mouseClick(tool.next_btn, Qt::LeftButton);
        if (input == "series")
            EXPECT_EQ(boxes().take(), QStringList{"This action will create new batch series with all new cropped "
                                                  "images.\nAre you sure you want to continue?"});
        else
            EXPECT_EQ(boxes().take(), QStringList{});
        ASSERT_EQ(tool.screens->currentIndex(), 1);
        EXPECT_EQ(tool.list->rowCount(), r.rows);
        EXPECT_EQ(tool.list->isVisible(), r.list);
        EXPECT_EQ(tool.crop_btn->isVisible(), r.crop);
        EXPECT_EQ(tool.crop_all_btn->isVisible(), r.cropAll);
        EXPECT_EQ(tool.capture_btn->isVisible(), r.capture);
        EXPECT_EQ(tool.capture_image->isVisible(), r.live);
        EXPECT_EQ(tool.Modified_image->isVisible(), r.picture);
        EXPECT_FALSE(tool.next_btn->isEnabled());
        EXPECT_EQ(tool.Image_Edit_Prop_Box->isEnabled(), input != "camera");
        if (input == "series" || input == "spreadsheet") {
            // The rows are the series' lines (the column's cells) naming pictures, in order.
            EXPECT_EQ(tool.Get_Item_Text(0), home + "/in/a.png");
            EXPECT_EQ(tool.Get_Item_Text(1), home + "/in/b.png");
        }
        if (input == "camera") {
            EXPECT_EQ(tool.capture_btn->text(), "Capture");
            EXPECT_TRUE(tool.session().isRunning());
            EXPECT_EQ(cam.source->startedDevice(), "cam-1");
            Shot(tool, "camera-live");
        }
        QTest::mouseClick(tool.back_btn, Qt::LeftButton);
        EXPECT_EQ(tool.screens->currentIndex(), 0);
        if (input == "camera") {
            EXPECT_FALSE(tool.session().isRunning());
        }
    }
    // The replace question; No stays on the main screen.
    Choose_Series(tool, "S", true);
    boxes().clear();
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    EXPECT_EQ(boxes().take(), QStringList{"This action will replace selected batch series items with all new "
                                          "cropped images.\nAre you sure you want to continue?"});
    EXPECT_EQ(tool.screens->currentIndex(), 0);
}

TEST(CroppingToolInputs, CameraCaptureResumeAndCrop)
{
    const QString home = testHome();
    Camera_Fixture cam;
    Cropping_Tool tool(nullptr, nullptr, nullptr, cam.make());
    tool.resize(1000, 760);
    tool.show();
    // Capture before any start; Start without a chosen camera.
    tool.Capture_Clicked();
    EXPECT_EQ(boxes().take(), QStringList{"\nPlease first select and start the camera."});
    tool.Start_Btn_Clicked();
    EXPECT_EQ(boxes().take(), QStringList{"\nPlease select camera."});

    tool.camera_radio->setChecked(true);
    tool.output_path->setText(home + "/out");
    tool.output_format_combo->setCurrentIndex(2);
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    ASSERT_EQ(tool.screens->currentIndex(), 1);
    ASSERT_TRUE(tool.session().isRunning());
    // A crop-mode change while the camera runs.
    boxes().clear();
    tool.fixed_radio->setChecked(true);
    EXPECT_EQ(boxes().take(), QStringList{"\nPlease first capture image."});
    tool.drawn_radio->setChecked(true);
    boxes().clear();

    QImage frame(320, 240, QImage::Format_RGB32);
    frame.fill(QColor(10, 200, 30));
    cam.source->push(frame);
    ASSERT_TRUE(Events_Until([&] { return !tool.capture_image->picture().isNull(); }));
    QTest::mouseClick(tool.capture_btn, Qt::LeftButton);
    EXPECT_EQ(tool.capture_btn->text(), "Resume");
    EXPECT_FALSE(tool.session().isRunning());
    EXPECT_TRUE(tool.crop_btn->isVisible());
    EXPECT_TRUE(tool.Modified_image->isVisible());
    EXPECT_FALSE(tool.capture_image->isVisible());
    EXPECT_TRUE(tool.Image_Edit_Prop_Box->isEnabled());
    ASSERT_EQ(tool.User_Picture.size(), QSize(320, 240));
    EXPECT_EQ(tool.User_Picture.pixelColor(5, 5), QColor(10, 200, 30));
    ASSERT_TRUE(tool.canvas->hasSelectors());
    tool.canvas->addSelectorWithFrame({20, 20, 80, 60});
    const QSizeF ratio = tool.originalImageRatio();
    Shot(tool, "camera-captured");
    QTest::mouseClick(tool.crop_btn, Qt::LeftButton);
    const QImage cut(home + "/out/Untitled.png");
    EXPECT_EQ(cut.size(), QSize(qRound(80 / ratio.width()), qRound(60 / ratio.height())));
    EXPECT_EQ(cut.pixelColor(2, 2), QColor(10, 200, 30));

    // Resume: live again, Crop hidden.
    QTest::mouseClick(tool.capture_btn, Qt::LeftButton);
    EXPECT_EQ(tool.capture_btn->text(), "Capture");
    EXPECT_FALSE(tool.crop_btn->isVisible());
    EXPECT_TRUE(tool.capture_image->isVisible());
    EXPECT_TRUE(tool.session().isRunning());
    tool.reject();
    EXPECT_FALSE(tool.session().isRunning());
}

TEST(CroppingToolInputs, SeriesNewReplaceAndTypedText)
{
    const QString home = testHome();
    Data_Folder_Path = home + "/DataSet";
    Make_Picture(home + "/in/a.png", 200, 100);
    Make_Picture(home + "/in/b.png", 100, 200);
    const QStringList old{home + "/in/a.png", home + "/in/b.png"};
    Write_Series("S", old);
    Cropping_Tool tool(nullptr);
    tool.resize(1000, 760);
    tool.show();
    struct Row {
        bool replace;
        QString written;  // the series file the run writes
        QString out;      // the output folder
    };
    const Row rows[] = {
        {false, "S (1)", home + "/new1"},
        {false, "S (2)", home + "/new2"},
        {true, "S", home + "/rep"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.written.toStdString());
        tool.Set_Default_Values();
        Choose_Series(tool, "S", r.replace);
        tool.output_path->setText(r.out);
        tool.own_name_radio->setChecked(true);
        tool.output_format_combo->setCurrentIndex(2);
        boxes().clear();
        boxes().answerNext(1);
        QTest::mouseClick(tool.next_btn, Qt::LeftButton);
        ASSERT_EQ(tool.screens->currentIndex(), 1);
        tool.fixed_radio->setChecked(true);
        QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
        QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
        ASSERT_TRUE(done.wait(10000));
        EXPECT_EQ(Series_Lines(r.written), (QStringList{r.out + "/a.png", r.out + "/b.png", ""}));
        EXPECT_TRUE(tool.Series_Made());
        // The list knows the new series; the chosen one stays chosen.
        EXPECT_EQ(tool.batch_list->itemText(0), "<--Select-->");
        EXPECT_NE(tool.batch_list->findText(r.written), -1);
        EXPECT_EQ(tool.batch_list->currentText(), "S");
    }
    EXPECT_EQ(SeriesFile::Names(Data_Folder_Path), (QStringList{"S", "S (1)", "S (2)"}));

    // Typed text is never a series name: replace refuses it, nothing is written.
    const QStringList before = Series_Lines("S");
    tool.batch_replace_radio->setChecked(true);
    tool.batch_list->setEditText("../outside");
    boxes().clear();
    tool.Crop_All_Clicked();
    EXPECT_EQ(boxes().take(), QStringList{"\nPlease select batch series."});
    EXPECT_FALSE(tool.job());
    EXPECT_FALSE(QFile::exists(home + "/outside.txt"));
    EXPECT_FALSE(QFile::exists(home + "/outside.txt.part"));

    // A replace that cannot write its series leaves the old one whole.
    tool.batch_list->setCurrentIndex(tool.batch_list->findText("S"));
    QDir().mkpath(SeriesFile::Path(Data_Folder_Path, "S") + ".part");  // a folder in the way
    boxes().clear();
    tool.Crop_All_Clicked();
    EXPECT_EQ(boxes().take(), QStringList{"\nError in series file accessing."});
    EXPECT_FALSE(tool.job());
    EXPECT_EQ(Series_Lines("S"), before);
}

TEST(CroppingToolInputs, FolderCroppedByFaceInGreyIntoANewSeries)
{
    std::shared_ptr<const FaceDetector> detector = Make_OpenCv_Face_Detector();
    if (!detector) GTEST_SKIP() << "no face cascade";
    const QString home = testHome();
    Data_Folder_Path = home + "/DataSet";
    QDir().mkpath(home + "/faces");
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        paths << home + QStringLiteral("/faces/face%1.png").arg(i);
        ASSERT_TRUE(Drawn_Face().save(paths.back()));
    }
    Write_Series("Visitors", paths);
    Cropping_Tool tool(detector);
    tool.resize(1100, 800);
    tool.show();
    Choose_Series(tool, "Visitors", false);
    tool.output_path->setText(home + "/out");
    tool.own_name_radio->setChecked(true);
    tool.output_format_combo->setCurrentIndex(2);
    boxes().answerNext(1);
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    ASSERT_EQ(tool.screens->currentIndex(), 1);
    Shot(tool, "series-crop-screen");
    tool.face_radio->setChecked(true);
    ASSERT_TRUE(tool.Find_Face);
    tool.face_growth->setValue(40);
    tool.Image_Gray_Scale_chk->setChecked(true);
    // The picture on show is the grey one.
    const QColor shown = tool.User_Picture.pixelColor(20, 20);
    EXPECT_EQ(shown.red(), shown.green());
    EXPECT_EQ(shown.green(), shown.blue());
    Shot(tool, "face-grey");
    QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
    QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
    ASSERT_TRUE(tool.progressPanel());
    EXPECT_TRUE(tool.progressPanel()->isVisible());
    Shot(*tool.progressPanel(), "face-grey-progress");
    ASSERT_TRUE(done.wait(20000));
    QStringList expected;
    for (int i = 0; i < 3; ++i) {
        const QString out = home + QStringLiteral("/out/face%1.png").arg(i);
        expected << out;
        const QImage cut(out);
        ASSERT_FALSE(cut.isNull()) << i;
        // About the face grown by 40 %: 140 x 180 drawn, found a little smaller or larger.
        EXPECT_GT(cut.width(), 100) << i;
        EXPECT_LT(cut.width(), 400) << i;
        const QColor c = cut.pixelColor(cut.width() / 2, cut.height() / 2);
        EXPECT_EQ(c.red(), c.green()) << i;
        EXPECT_EQ(c.green(), c.blue()) << i;
    }
    expected << "";
    EXPECT_EQ(Series_Lines("Visitors (1)"), expected);
}

TEST(CroppingToolInputs, AdjustmentsResetAsked)
{
    const QString home = testHome();
    Make_Picture(home + "/in/a.png", 200, 100, QColor(200, 40, 40));
    Cropping_Tool tool(nullptr);
    tool.file_path->setText(home + "/in/a.png");
    tool.output_path->setText(home + "/out");
    EXPECT_FALSE(tool.Image_Edit_Prop_Box->isEnabled());
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    EXPECT_TRUE(tool.Image_Edit_Prop_Box->isEnabled());
    tool.Image_Gray_Scale_chk->setChecked(true);
    tool.Rotate_slidr->setValue(90);
    EXPECT_EQ(tool.Current_Adjustments().rotation, 90);
    EXPECT_TRUE(tool.Current_Adjustments().grayScale);
    // No keeps them.
    boxes().clear();
    tool.Image_reset_Button();
    EXPECT_EQ(boxes().take(), QStringList{"Are you sure you want to reset image settings?"});
    EXPECT_TRUE(tool.Image_Gray_Scale_chk->isChecked());
    boxes().answerNext(1);
    tool.Image_reset_Button();
    EXPECT_EQ(tool.Current_Adjustments(), ImageAdjustments{.transparency = 100});
    EXPECT_EQ(tool.User_Picture.pixelColor(5, 5), QColor(200, 40, 40));
}

TEST(CroppingToolInputs, WidgetCallsOffTheGuiThreadAreRefused)
{
    const QString home = testHome();
    Make_Picture(home + "/a.png", 50, 50);
    Cropping_Tool tool(nullptr);
    tool.Crop_Input_Path = "before";
    tool.canvas->removeAllSelectorsFromCanvas();
    std::atomic<bool> ended{false};
    std::thread worker([&] {
        tool.Load_Image_File(home + "/a.png");
        tool.Show_hide_Crop_Selection(true);
        tool.Update_Image_With_Settings();
        tool.Capture_Clicked();
        tool.Crop_All_Clicked();
        tool.Crop_Mode_Changed();
        ended = true;
    });
    // The GUI thread keeps serving: a call that waits on it does not hang the test.
    ASSERT_TRUE(Events_Until([&] { return bool(ended); }, 10000));
    worker.join();
    EXPECT_EQ(tool.Crop_Input_Path, "before");
    EXPECT_TRUE(tool.User_Picture.isNull());
    EXPECT_FALSE(tool.canvas->hasSelectors());
    EXPECT_FALSE(tool.job());
    EXPECT_EQ(boxes().take(), QStringList{});
}

TEST(CroppingToolInputs, ClosingWhileARowWaitsOnTheKeepReplaceQuestion)
{
    const QString home = testHome();
    Make_Picture(home + "/in/a.png", 200, 100);
    Make_Picture(home + "/in/b.png", 200, 100);
    Make_Picture(home + "/out/Untitled.png", 5, 5);  // the first name is taken
    auto *tool = new Cropping_Tool(nullptr);
    tool->custom_name_radio->setChecked(true);
    tool->folder_radio->setChecked(true);
    tool->folder_path->setText(home + "/in");
    tool->output_path->setText(home + "/out");
    tool->output_format_combo->setCurrentIndex(2);
    QTest::mouseClick(tool->next_btn, Qt::LeftButton);
    tool->fixed_radio->setChecked(true);
    // A deadlock shows as a hang: end the test program with a message instead, after a
    // time that only a hung run reaches (the job's end is awaited for 120 s below).
    std::atomic<bool> over{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 1800 && !over; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!over) {
            std::fprintf(stderr, "closing the cropping window deadlocked\n");
            std::_Exit(3);
        }
    });
    QPointer<const Crop_All_Job> job;
    int asked = 0;
    Set_MessageBox_Answerer([&](MessageBoxKind kind, const QString &) {
        if (kind != MessageBoxKind::KeepReplace) return 0;
        ++asked;
        delete tool;  // the window goes while the worker waits for this answer
        return 0;     // replace
    });
    tool->Crop_All_Clicked();
    job = tool->job();
    ASSERT_TRUE(job);
    EXPECT_TRUE(Events_Until([&] { return job.isNull(); }, 120000));
    over = true;
    watchdog.join();
    installRecordingAnswerer();
    EXPECT_EQ(asked, 1);
    // The row asked about was written; the run stopped before the next one.
    EXPECT_EQ(QImageReader(home + "/out/Untitled.png").size(), QSize(50, 50));
    EXPECT_FALSE(QFile::exists(home + "/out/Untitled_1.png"));
}

TEST(CroppingToolInputs, SyntheticCameraOfTheDefaultSourceCapturesAndCrops)
{
    const QString home = testHome();
    qputenv("DOZO_CAMERA_SOURCE", "synthetic");
    Cropping_Tool tool(nullptr);
    tool.resize(1000, 760);
    tool.show();
    tool.camera_radio->setChecked(true);
    EXPECT_EQ(tool.camera_list->currentText(), "Synthetic camera");
    tool.output_path->setText(home + "/out");
    tool.custom_name->setText("Visitor");
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    ASSERT_TRUE(Events_Until([&] { return !tool.capture_image->picture().isNull(); }));
    QTest::qWait(300);
    Shot(tool, "camera-synthetic-live");
    QTest::mouseClick(tool.capture_btn, Qt::LeftButton);
    ASSERT_FALSE(tool.User_Picture.isNull());
    tool.canvas->addSelectorWithFrame({40, 40, 160, 120});
    Shot(tool, "camera-synthetic-captured");
    QTest::mouseClick(tool.crop_btn, Qt::LeftButton);
    EXPECT_FALSE(QImage(home + "/out/Visitor.jpg").isNull());
    tool.reject();
    qunsetenv("DOZO_CAMERA_SOURCE");
}

TEST(CroppingToolInputs, StopHalfWayKeepsTheRowsDoneInTheNewSeries)
{
    std::shared_ptr<const FaceDetector> detector = Make_OpenCv_Face_Detector();
    if (!detector) GTEST_SKIP() << "no face cascade";
    const QString home = testHome();
    Data_Folder_Path = home + "/DataSet";
    QDir().mkpath(home + "/faces");
    const QImage face = Drawn_Face();
    QStringList paths;
    for (int i = 0; i < 80; ++i) {
        paths << home + QStringLiteral("/faces/f%1.png").arg(i, 2, 10, QChar(u'0'));
        ASSERT_TRUE(face.save(paths.back()));
    }
    Write_Series("Many", paths);
    Cropping_Tool tool(detector);
    tool.resize(1100, 800);
    tool.show();
    Choose_Series(tool, "Many", false);
    tool.output_path->setText(home + "/out");
    tool.own_name_radio->setChecked(true);
    boxes().answerNext(1);
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    tool.face_radio->setChecked(true);
    ASSERT_TRUE(tool.Find_Face);
    QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
    QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
    ASSERT_TRUE(tool.job());
    ASSERT_TRUE(Events_Until([&] { return tool.progressPanel()->_Curr_Progress->value() >= 5 || !done.isEmpty(); }, 20000));
    Shot(*tool.progressPanel(), "progress-half-way");
    boxes().clear();
    boxes().answerNext(1);  // Stop: Yes
    tool.progressPanel()->Stop_Sending_Pressed();
    EXPECT_EQ(boxes().take(), QStringList{"Are you sure you want to stop?"});
    ASSERT_TRUE(done.wait(20000) || !done.isEmpty());
    QStringList lines = Series_Lines("Many (1)");
    ASSERT_EQ(lines.takeLast(), "");
    EXPECT_GE(lines.size(), 5);
    EXPECT_LT(lines.size(), 80);
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], home + QStringLiteral("/out/f%1.jpg").arg(i, 2, 10, QChar(u'0')));
    EXPECT_EQ(QDir(home + "/out").entryList(QDir::Files).size(), lines.size());
}

// While a Crop All run waits for a thread of the pool, Crop All again is refused with
// its message, and the run goes on as it was started (its folder, its rows).
TEST(CroppingToolInputs, ASecondCropAllWhileOneRunsIsRefused)
{
    const QString home = testHome();
    Make_Picture(home + "/in/a.png", 200, 100);
    Make_Picture(home + "/in/b.png", 200, 100);
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    Cropping_Tool tool(nullptr, nullptr, nullptr, nullptr, nullptr, &pool);
    tool.custom_name_radio->setChecked(true);
    tool.folder_radio->setChecked(true);
    tool.folder_path->setText(home + "/in");
    tool.output_path->setText(home + "/out");
    tool.output_format_combo->setCurrentIndex(2);
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    tool.fixed_radio->setChecked(true);
    QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
    {
        Held_Pool_Threads held(pool, 1);
        tool.Crop_All_Clicked();
        const Crop_All_Job *running = tool.job();
        ASSERT_TRUE(running);
        tool.output_path->setText(home + "/elsewhere");
        boxes().clear();
        tool.Crop_All_Clicked();
        EXPECT_EQ(boxes().take(), QStringList{"\n" + Run_Under_Way_Text()});
        EXPECT_EQ(tool.job(), running);
    }
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ(QDir(home + "/out").entryList(QDir::Files, QDir::Name), (QStringList{"Untitled.png", "Untitled_1.png"}));
    EXPECT_FALSE(QFileInfo::exists(home + "/elsewhere"));
}

} // namespace cropping_tool_inputs_test
