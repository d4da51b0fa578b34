// The cropping window around a run: Crop All leaves the loading of its rows to the
// worker, the Open Folder button of the normal mode, "No face detected." when face mode
// finds none, and a folder of drawn faces cropped by face and stopped half-way, as a
// user does it (screenshots into $DOZO_SHOTS_DIR when set).
#include "Cropping_Tool.h"
#include "FaceFixture.h"

#include "PictureView.h"
#include "SelectionCanvas.h"
#include "Shared_Dialogs.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QDoubleSpinBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace cropping_tool_run_test {

using namespace testsupport;

namespace {

// A face in the middle of every picture wider than 100 pixels; counts the detections
// made on the GUI thread.
class Counting_Face final : public FaceDetector {
public:
    mutable std::atomic<int> onGui{0};
    std::vector<QRectF> Detect_Faces(const QImage &picture) const override
    {
        if (QThread::currentThread() == qApp->thread()) ++onGui;
        if (picture.width() <= 100) return {};
        return {{picture.width() / 4.0, picture.height() / 4.0, picture.width() / 2.0, picture.height() / 2.0}};
    }
};

QString Make_Picture(const QString &path, int w, int h)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(path);
    return path;
}

// The drawn face of the detector's tests, at a scale.
QImage Drawn_Face(double k)
{
    QImage picture(500, 400, QImage::Format_RGB32);
    picture.fill(QColor(128, 128, 128));
    QPainter p(&picture);
    p.translate(300, 180);
    p.scale(k, k);
    p.translate(-300, -180);
    testsupport::drawFace(p);
    return picture;
}

void Shot(QWidget &w, const char *name)
{
    const QString folder = qEnvironmentVariable("DOZO_SHOTS_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    w.grab().save(QStringLiteral("%1/%2.png").arg(folder, QLatin1String(name)));
}

void Open_Folder_Input(Cropping_Tool &tool, const QString &in, const QString &out)
{
    tool.folder_radio->setChecked(true);
    tool.folder_path->setText(in);
    tool.output_path->setText(out);
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
}

}  // namespace

TEST(CroppingToolRun, CropAllLeavesItsRowsToTheWorkerAndShowsTheLastAtTheEnd)
{
    const QString home = testHome();
    QStringList paths;
    for (int i = 0; i < 4; ++i) paths << Make_Picture(home + QStringLiteral("/in/p%1.png").arg(i), 200, 100);
    auto detector = std::make_shared<Counting_Face>();
    Cropping_Tool tool(detector);
    tool.resize(900, 700);
    tool.show();
    tool.own_name_radio->setChecked(true);
    tool.output_format_combo->setCurrentIndex(2);
    Open_Folder_Input(tool, home + "/in", home + "/out");
    tool.face_radio->setChecked(true);
    ASSERT_TRUE(tool.Find_Face);
    const QString last = tool.Get_Item_Text(3);
    detector->onGui = 0;
    QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
    QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
    ASSERT_TRUE(done.wait(20000));
    // The worker detected each row; the window only the last row's picture, once, at the end.
    EXPECT_EQ(detector->onGui.load(), 1);
    EXPECT_EQ(tool.Crop_Input_Path, last);
    EXPECT_EQ(tool.list->currentRow(), 3);
    EXPECT_EQ(tool.User_Picture.size(), QSize(200, 100));
    EXPECT_EQ(QDir(home + "/out").entryList(QDir::Files).size(), 4);
    EXPECT_EQ(QImageReader(home + "/out/" + QFileInfo(last).fileName()).size(), QSize(100, 50));
}

// Crop All hides the selection while it runs; at the end the drawn selection comes
// back as it was, and a face selection when the last row's picture has a face.
TEST(CroppingToolRun, CropAllHidesTheSelectionWhileItRuns)
{
    const struct {
        const char *mode;
        bool lastHasFace;
        bool shownAfter;
    } table[] = {{"drawn", true, true}, {"face", true, true}, {"face", false, false}, {"fixed", true, false}};
    int run = 0;
    for (const auto &row : table) {
        SCOPED_TRACE(std::string(row.mode) + (row.lastHasFace ? " last with a face" : " last without a face"));
        const QString home = testHome() + QStringLiteral("/run%1").arg(++run);
        Make_Picture(home + "/in/1.png", 200, 100);
        Make_Picture(home + "/in/2.png", 200, 100);
        Cropping_Tool tool(std::make_shared<Counting_Face>());
        tool.resize(900, 700);
        tool.show();
        tool.own_name_radio->setChecked(true);
        Open_Folder_Input(tool, home + "/in", home + "/out");
        ASSERT_EQ(tool.list->rowCount(), 2);
        Make_Picture(tool.Get_Item_Text(1), row.lastHasFace ? 200 : 80, 100);  // the last row cut
        tool.list->selectRow(0);
        QRadioButton *radio = QLatin1String(row.mode) == QLatin1String("drawn") ? tool.drawn_radio
                              : QLatin1String(row.mode) == QLatin1String("face") ? tool.face_radio
                                                                                  : tool.fixed_radio;
        radio->setChecked(true);
        if (radio == tool.fixed_radio) {
            tool.width_Text->setText("50");
            tool.height_Text->setText("40");
        }
        const QRectF before = tool.canvas->hasSelectors() ? tool.canvas->model().selectors().back().frame : QRectF();
        QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
        QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
        ASSERT_TRUE(tool.job());
        EXPECT_FALSE(tool.canvas->isVisible()) << "while the run goes";
        ASSERT_TRUE(done.wait(20000));
        EXPECT_EQ(tool.canvas->isVisible(), row.shownAfter);
        if (radio == tool.drawn_radio) {
            EXPECT_EQ(tool.canvas->model().selectors().back().frame, before);
        }
    }
}

TEST(CroppingToolRun, OpenFolderOpensTheOutputFolderAndTheDirectRoadsHideIt)
{
    testsupport::ScriptedRunner runner;
    const QString home = testHome();
    Make_Picture(home + "/in/a.png", 200, 100);
    Cropping_Tool tool(nullptr, nullptr, nullptr, nullptr, &runner);
    tool.resize(900, 700);
    QStringList opened;
    Set_Open_Url_Answerer([&](const QString &url) {
        opened << url;
        return true;
    });
    bool shownInDirect = true;
    runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        shownInDirect = t.Open_Folder_Btn->isVisibleTo(&t);
        t.reject();
    });
    EXPECT_EQ(tool.Open_Wnd_Direct_To_Crop(home + "/in/a.png"), 0);
    runner.remove<Cropping_Tool>();
    EXPECT_FALSE(shownInDirect);

    // The main screen's road (as Open_Wnd starts it) brings the button back.
    tool.Set_Default_Values();
    tool.show();
    Open_Folder_Input(tool, home + "/in", home + "/out ");
    ASSERT_TRUE(tool.Open_Folder_Btn->isVisible());
    QTest::mouseClick(tool.Open_Folder_Btn, Qt::LeftButton);
    Set_Open_Url_Answerer(nullptr);
    EXPECT_EQ(opened, QStringList{home + "/out"});
}

TEST(CroppingToolRun, FaceModeWithoutAFaceSaysSo)
{
    const QString home = testHome();
    Make_Picture(home + "/in/a_wide.png", 200, 100);
    Make_Picture(home + "/in/b_narrow.png", 80, 100);
    Cropping_Tool tool(std::make_shared<Counting_Face>());
    tool.resize(900, 700);
    tool.show();
    Open_Folder_Input(tool, home + "/in", home + "/out");
    const int narrow = tool.Get_Item_Text(0).endsWith("b_narrow.png") ? 0 : 1;
    tool.list->selectRow(1 - narrow);
    boxes().clear();
    tool.face_radio->setChecked(true);  // a face: nothing said
    EXPECT_TRUE(tool.Find_Face);
    EXPECT_EQ(boxes().take(), QStringList{});
    tool.list->selectRow(narrow);  // a picture without one
    EXPECT_FALSE(tool.Find_Face);
    EXPECT_FALSE(tool.canvas->isVisible());
    EXPECT_EQ(boxes().take(), QStringList{"\nNo face detected."});
    tool.drawn_radio->setChecked(true);
    tool.face_radio->setChecked(true);  // choosing the mode again on it
    EXPECT_EQ(boxes().take(), QStringList{"\nNo face detected."});
}

TEST(CroppingToolRun, AFolderOfFacesCroppedByFaceAndStoppedHalfWay)
{
    std::shared_ptr<const FaceDetector> detector = Make_OpenCv_Face_Detector();
    if (!detector) GTEST_SKIP() << "no face cascade";
    const QString home = testHome();
    QDir().mkpath(home + "/photos");
    const int count = 60;
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(Drawn_Face(i % 2 ? 1.0 : 0.6).save(home + QStringLiteral("/photos/visitor%1.png").arg(i, 2, 10, QChar(u'0'))));
    Cropping_Tool tool(detector);
    tool.resize(1100, 800);
    tool.show();
    tool.folder_radio->setChecked(true);
    tool.folder_path->setText(home + "/photos");
    tool.output_path->setText(home + "/cropped");
    tool.own_name_radio->setChecked(true);
    tool.output_format_combo->setCurrentIndex(2);
    Shot(tool, "1-main-screen-folder");
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    ASSERT_EQ(tool.list->rowCount(), count);
    tool.face_radio->setChecked(true);
    ASSERT_TRUE(tool.Find_Face);
    tool.face_growth->setValue(40);
    Shot(tool, "2-crop-screen-face-found");
    boxes().clear();
    QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
    QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
    ASSERT_TRUE(tool.job());
    QElapsedTimer clock;
    clock.start();
    while (tool.progressPanel()->_Curr_Progress->value() < 8 && done.isEmpty() && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_GE(tool.progressPanel()->_Curr_Progress->value(), 8);
    ASSERT_TRUE(done.isEmpty()) << "the run ended before the test could stop it";
    Shot(tool, "3-window-during-run");
    Shot(*tool.progressPanel(), "4-progress-half-way");
    boxes().answerNext(1);  // Stop: Yes
    QTest::mouseClick(tool.progressPanel()->_stop_btn, Qt::LeftButton);
    ASSERT_TRUE(done.wait(30000) || !done.isEmpty());
    Shot(tool, "5-after-stop");
    const QStringList shown = boxes().take();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), "Are you sure you want to stop?");
    const QStringList written = QDir(home + "/cropped").entryList(QDir::Files, QDir::Name);
    EXPECT_GE(written.size(), 8);
    EXPECT_LT(written.size(), count);
    // The result says how far the run got (the list shows the last row begun).
    const auto reached = tool.list->selectionModel()->selectedRows();
    ASSERT_EQ(reached.size(), 1);
    EXPECT_EQ(shown.last(), QStringLiteral("Open containing folder.\n%1/cropped\nPictures cropped: %2 of 60.\n"
                                           "The run was stopped after %3 of 60 pictures.")
                                .arg(home)
                                .arg(written.size())
                                .arg(reached.first().row() + 1));
    // Each written file is its own face, grown by 40 %: a face of either size, never the whole picture.
    for (const QString &name : written) {
        const QSize size = QImageReader(home + "/cropped/" + name).size();
        EXPECT_GT(size.width(), 60) << name.toStdString();
        EXPECT_LT(size.width(), 400) << name.toStdString();
    }
}

TEST(CroppingToolRun, CropAllSaysWhichPicturesCouldNotBeRead)
{
    // A folder of one picture and two files that are no pictures (the list shows them
    // in the window's own order); then only the two: nothing written, the message alone.
    const QString home = testHome();
    Make_Picture(home + "/in/a.png", 200, 100);
    for (const char *name : {"b.png", "c.jpg"}) {
        QFile broken(home + "/in/" + name);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
    }
    struct Case {
        const char *what;
        bool withPicture;
        QString told;
    } cases[] = {
        {"one cropped", true,
         "Open containing folder.\n" + home + "/out\nPictures cropped: 1 of 3.\n\nPictures that could not be read: 2\n"
                                              "Row 2: \"c.jpg\"\nRow 3: \"b.png\""},
        {"none cropped", false,
         "\nPictures cropped: 0 of 2.\n\nPictures that could not be read: 2\nRow 1: \"c.jpg\"\nRow 2: \"b.png\""},
    };
    for (const Case &c : cases) {
        if (!c.withPicture) QFile::remove(home + "/in/a.png");
        QDir(home + "/out").removeRecursively();
        Cropping_Tool tool(std::make_shared<Counting_Face>());
        tool.resize(900, 700);
        tool.show();
        tool.own_name_radio->setChecked(true);
        tool.output_format_combo->setCurrentIndex(2);
        Open_Folder_Input(tool, home + "/in", home + "/out");
        tool.fixed_radio->setChecked(true);
        ASSERT_EQ(tool.list->rowCount(), c.withPicture ? 3 : 2) << c.what;
        boxes().clear();
        QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
        QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
        ASSERT_TRUE(done.wait(20000)) << c.what;
        const QStringList shown = boxes().take();
        EXPECT_EQ(shown.join("|").toStdString(), c.told.toStdString()) << c.what;
    }
}

// Crop and Crop All into a folder that can't be written (a file system no one may write
// to, even the administrator; a file where the folder should be) say so with the system's
// reason. The window opens on the inputs' own names.
TEST(CroppingToolRun, CropAndCropAllSayWhatTheyCouldNotWrite)
{
    const QString home = testHome();
    Make_Picture(home + "/in/a.png", 200, 100);
    Make_Picture(home + "/in/b.png", 200, 100);
    {
        QFile taken(home + "/taken.txt");
        ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    }
    struct Case {
        QString out, cause;
    };
    QList<Case> cases{{home + "/taken.txt", "Not a directory"}};
    if (QFileInfo("/sys/kernel").isDir()) cases.append(Case{"/sys/kernel", "Permission denied"});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.out.toStdString());
        Cropping_Tool tool(nullptr);
        tool.resize(900, 700);
        tool.show();
        EXPECT_TRUE(tool.own_name_radio->isChecked());
        EXPECT_FALSE(tool.custom_name->isEnabled());
        EXPECT_EQ(tool.custom_name->text(), "Untitled");
        tool.output_format_combo->setCurrentIndex(2);
        Open_Folder_Input(tool, home + "/in", c.out);
        tool.fixed_radio->setChecked(true);
        ASSERT_EQ(tool.list->rowCount(), 2);
        const QString first = tool.list->item(0, 2)->text(), second = tool.list->item(1, 2)->text();

        boxes().clear();
        QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
        QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
        ASSERT_TRUE(done.wait(20000));
        EXPECT_EQ(boxes().take(), QStringList{QStringLiteral("\nPictures cropped: 0 of 2.\n\n"
                                                             "Pictures that could not be written: 2\n"
                                                             "Row 1: \"%1\" (%3)\nRow 2: \"%2\" (%3)")
                                                  .arg(first, second, c.cause)});

        tool.list->selectRow(0);
        QTest::mouseClick(tool.crop_btn, Qt::LeftButton);
        EXPECT_EQ(boxes().take(), QStringList{QStringLiteral("\nThe cropped picture could not be written as \"%1/%2\": %3.")
                                                  .arg(c.out, first, c.cause)});
    }
}

} // namespace cropping_tool_run_test
