#include "AnotherUser.h"
#include "Camera.h"
#include "CameraFiles.h"
#include "CompletedName.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "OutsideFolder.h"
#include "PictureView.h"
#include "SelectionCanvas.h"
#include "SyntheticFrameSource.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

#include <thread>

namespace {

// A frame whose every pixel tells where it is: red x / 4, green y / 2.
QImage positions(int w = 1000, int h = 500)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x / 4 % 256, y / 2 % 256, 100));
    return img;
}

struct Window {
    SyntheticFrameSource *source;
    testsupport::ScriptedRunner runner;
    Camera camera;
    QString savedFolder = Camera_Folder_Path;

    explicit Window(std::vector<CameraDevice> devices = {{"cam-1", "Desk camera"}})
        : source(new SyntheticFrameSource(std::move(devices))), camera(std::unique_ptr<FrameSource>(source), nullptr, &runner)
    {
        Camera_Folder_Path = testsupport::testHome() + "/pictures";
        camera.Camera_Capture_Image = Camera_Default_Image_Path(Camera_Folder_Path);
        camera.Modified_image->setFixedSize(508, 258);  // draws a 1000 x 500 picture at 0.5
        camera.Get_List_Btn_Clicked();
        testsupport::boxes().clear();
    }
    ~Window() { Camera_Folder_Path = savedFolder; }

    // Start, one frame from the camera's own thread, Capture.
    void take(const QImage &frame = positions())
    {
        camera.Start_Btn_Clicked();
        std::thread delivery([this, frame] { source->push(frame); });
        delivery.join();
        QCoreApplication::processEvents();
        camera.Capture_Btn_Clicked();
    }
};

QString cameraFileText()
{
    QFile f(Camera_Path_File());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(CameraWindow, OpensNeutralAndWithoutACameraSaysSo)
{
    Window w(std::vector<CameraDevice>{});
    QString status;
    bool adjustEnabled = true, cropEnabled = true, captureEnabled = true;
    int devices = -1;
    w.runner.whileOpen<Camera>([&](Camera &c) {
        status = c.connection_msg_label->isVisible() ? c.connection_msg_label->text() : QString();
        adjustEnabled = c.Image_Edit_Prop_Box->isEnabled();
        cropEnabled = c.cropping_Box->isEnabled();
        captureEnabled = c.capture_btn->isEnabled();
        devices = c.camera_list->count();
        c.Start_Btn_Clicked();
        c.Capture_Btn_Clicked();
        c.OK_Btn_Clicked();
        c.Cancel_Btn_Clicked();
    });
    const QString before = w.camera.Camera_Capture_Image;
    EXPECT_EQ(w.camera.Open_Wnd(), 0);
    w.runner.remove<Camera>();
    EXPECT_EQ(status, "Please connect your camera.");
    EXPECT_FALSE(adjustEnabled);
    EXPECT_FALSE(cropEnabled);
    EXPECT_FALSE(captureEnabled);
    EXPECT_EQ(devices, 0);
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"\nPlease select camera.", "\nPlease first select and start the camera.",
                           "\nThere is no image to Import. Please capture an image."}));
    EXPECT_EQ(w.camera.connection_msg_label->text(), "Please connect your camera.");
    EXPECT_EQ(w.camera.def_save_path->text(), Camera_Folder_Path);
    EXPECT_EQ(w.camera.capture_image->picture().size(), Picture::fromFile(Resource_Path + "no_camera.jpg").size());
    EXPECT_EQ(w.camera.Camera_Capture_Image, before) << "Cancel leaves the stored path";
    EXPECT_EQ(w.source->startCount(), 0);
}

TEST(CameraWindow, TakesAdjustsCutsAndResets)
{
    Window w;
    EXPECT_EQ(w.camera.connection_msg_label->text(), "Please start camera to capture.");
    w.take();
    EXPECT_FALSE(w.source->isRunning()) << "Capture freezes the camera";
    EXPECT_TRUE(w.camera.start_btn->isEnabled());
    EXPECT_FALSE(w.camera.capture_btn->isEnabled());
    EXPECT_TRUE(w.camera.Image_Edit_Prop_Box->isEnabled());
    ASSERT_EQ(w.camera.User_Picture.size(), QSize(1000, 500));
    EXPECT_EQ(w.camera.adjusted_picture.pixel(400, 300), qRgb(100, 150, 100)) << "neutral: the frame itself";

    // Sepia runs the chain again from the taken picture: no change piles up.
    w.camera.Image_Sepia_chk->setChecked(true);
    const QRgb sepia = w.camera.adjusted_picture.pixel(400, 300);
    EXPECT_NE(sepia, qRgb(100, 150, 100));
    EXPECT_EQ(w.camera.User_Picture.pixel(400, 300), qRgb(100, 150, 100));
    w.camera.Image_Sepia_chk->setChecked(false);
    w.camera.Image_Sepia_chk->setChecked(true);
    EXPECT_EQ(w.camera.adjusted_picture.pixel(400, 300), sepia);
    w.camera.Image_Sepia_chk->setChecked(false);

    // The cut: a selector (10, 20, 100, 100) over a picture drawn at 0.5 takes the
    // picture's (20, 40, 200, 200) from its bottom-left corner.
    EXPECT_EQ(w.camera.originalImageRatio(), QSizeF(0.5, 0.5));
    w.camera.Crop_Image_Clicked();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select area to crop."});
    w.camera.canvas->addSelectorWithFrame({10, 20, 100, 100});
    w.camera.Crop_Image_Clicked();
    EXPECT_FALSE(w.camera.canvas->hasSelectors());
    ASSERT_EQ(w.camera.User_Picture.size(), QSize(200, 200));
    EXPECT_EQ(w.camera.User_Picture.pixel(0, 0), positions().pixel(20, 260));
    EXPECT_EQ(w.camera.User_Picture.pixel(199, 199), positions().pixel(219, 459));
    EXPECT_EQ(w.camera.Modified_image->picture().size(), QSizeF(200, 200));

    // Reset asks; No keeps the cut, Yes brings the whole taken picture back.
    w.camera.Image_Sepia_chk->setChecked(true);
    testsupport::boxes().answerNext(0);
    w.camera.Image_reset_Button();
    EXPECT_EQ(w.camera.User_Picture.size(), QSize(200, 200));
    testsupport::boxes().answerNext(1);
    w.camera.Image_reset_Button();
    EXPECT_EQ(testsupport::boxes().take(), (QStringList{"Are you sure you want to reset image settings?",
                                                        "Are you sure you want to reset image settings?"}));
    EXPECT_EQ(w.camera.User_Picture.size(), QSize(1000, 500));
    EXPECT_FALSE(w.camera.Image_Sepia_chk->isChecked());
    EXPECT_EQ(w.camera.adjusted_picture.pixel(400, 300), qRgb(100, 150, 100));
}

TEST(CameraWindow, TheButtonsStayInPlaceWhenTheCameraStarts)
{
    Window w;
    w.camera.show();
    const auto places = [&c = w.camera] {
        QCoreApplication::processEvents();
        return QList<QPoint>{c.get_list_btn->mapTo(&c, QPoint()), c.capture_btn->mapTo(&c, QPoint())};
    };
    const QList<QPoint> before = places();
    w.camera.Start_Btn_Clicked();
    EXPECT_FALSE(w.camera.connection_msg_label->isVisible());
    EXPECT_EQ(places(), before);
}

TEST(CameraWindow, OkStoresUnderNewNamesAndReportsWhatCannotBeWritten)
{
    QStringList stored;
    {
        Window w;
        for (int i = 0; i < 3; ++i) {
            w.take();
            w.camera.OK_Btn_Clicked();
            EXPECT_EQ(w.camera.result(), 1);
            stored << QFileInfo(w.camera.Camera_Capture_Image).fileName();
            EXPECT_TRUE(QImage(w.camera.Camera_Capture_Image).size() == QSize(1000, 500));
        }
        EXPECT_EQ(w.camera.Camera_Capture_Count, 4);
        EXPECT_EQ(w.camera.session().capture(), nullptr) << "OK lets the camera go";
    }
    EXPECT_EQ(stored, (QStringList{"dozo_user_save.png", "dozo_user_save_2.png", "dozo_user_save_3.png"}));
    {
        // A later run counts from 1 again.
        Window w;
        w.take();
        w.camera.OK_Btn_Clicked();
        EXPECT_EQ(QFileInfo(w.camera.Camera_Capture_Image).fileName(), "dozo_user_save_1.png");
    }
    {
        // A folder that cannot be made: the error, the window stays, no path.
        Window w;
        const QString blocker = testsupport::testHome() + "/a-file";
        QFile(blocker).open(QIODevice::WriteOnly);
        w.camera.Camera_Capture_Image = blocker + "/pictures/dozo_user_save.png";
        w.take();
        w.camera.setResult(-1);
        w.camera.OK_Btn_Clicked();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in file accessing."});
        EXPECT_EQ(w.camera.result(), -1);
        EXPECT_EQ(w.camera.Camera_Capture_Image, blocker + "/pictures/dozo_user_save.png");
        EXPECT_EQ(w.camera.Camera_Capture_Count, 1);
    }
}

// A link under the capture's name, to a file elsewhere or leading nowhere, takes the
// name: the capture goes under the next one, and nothing outside the folder changes.
TEST(CameraWindow, OkNeverWritesThroughALinkUnderTheCapturesName)
{
    for (const char *pointsTo : {"thesis.odt", "autostart.desktop"}) {
        Window w;
        const testsupport::OutsideFolder outside;
        QDir(Camera_Folder_Path).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Camera_Folder_Path));
        ASSERT_TRUE(outside.link(Camera_Folder_Path + "/dozo_user_save.png", pointsTo));
        w.take();
        w.camera.OK_Btn_Clicked();
        EXPECT_EQ(w.camera.Camera_Capture_Image, Camera_Folder_Path + "/dozo_user_save_1.png") << pointsTo;
        EXPECT_EQ(QImage(w.camera.Camera_Capture_Image).size(), QSize(1000, 500)) << pointsTo;
        EXPECT_EQ(outside.contents(), "thesis.odt=thesis;") << pointsTo;
    }
}

// Save As typed "own.txt" writes "own.jpg": that is the file asked about, and a link there
// is replaced.
TEST(CameraWindow, SaveAsAsksAboutTheFileItWrites)
{
    Window w;
    w.take();
    testsupport::Check_Completed_Name("own.txt", "own.jpg", [&] { w.camera.Save_Crop_Image_Clicked(); });
}

// Save As onto another user's link in a shared folder (as /tmp is): refused at once with
// the words every save road gives, no replace question first. As root: the camera acts
// as another user.
TEST(CameraWindow, SaveAsOntoAnotherUsersLinkSaysWhoseItIs)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's links needs root";
    Window w;
    w.take();
    const testsupport::Test_Users_File thesis("thesis.odt", "thesis");
    ASSERT_TRUE(thesis.made());
    const testsupport::Shared_Folder shared;
    ASSERT_TRUE(shared.plantLink("cam.jpg", thesis.path()));
    testsupport::queueFilePanelAnswer({shared.filePath("cam.jpg")});
    testsupport::boxes().clear();
    {
        const testsupport::Acting_As_Test_User user;
        ASSERT_TRUE(user.acting());
        w.camera.Save_Crop_Image_Clicked();
    }
    const QString refused = QString("\nUnable to save the file \"%1\".\n\n\"%2\" in this shared folder is another "
                                    "user's link, which only they can replace. Please choose another name.")
                                .arg(shared.filePath("cam.jpg"), "cam.jpg");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{refused});
    EXPECT_EQ(thesis.bytes(), "thesis");
    EXPECT_TRUE(QFileInfo(shared.filePath("cam.jpg")).isSymLink());
}

TEST(CameraWindow, FolderBrowseResetAndSaveAs)
{
    Window w;
    QDir().mkpath(Created_Resource_Path);  // made at start-up
    const QString other = testsupport::testHome() + "/elsewhere";
    QDir().mkpath(other);
    testsupport::queueFilePanelAnswer({other});
    w.camera.Browse_Path_Clicked();
    EXPECT_EQ(Camera_Folder_Path, other);
    EXPECT_EQ(cameraFileText(), other);
    EXPECT_EQ(w.camera.Camera_Capture_Image, other + "/dozo_user_save.png");
    EXPECT_EQ(w.camera.def_save_path->text(), other);

    w.camera.Reset_Path_Clicked();
    EXPECT_EQ(Camera_Folder_Path, Created_Resource_Path + "Images_save_by_user");
    EXPECT_EQ(cameraFileText(), Camera_Folder_Path);
    EXPECT_FALSE(QFileInfo::exists(Camera_Folder_Path)) << "Reset makes no folder";

    // Save As with the second format: a real BMP file, then the box that offers it.
    w.take();
    const QString target = other + "/visitor.bmp";
    testsupport::queueFilePanelAnswer({target});
    w.camera.Save_Crop_Image_Clicked();
    QImageReader reader(target);
    EXPECT_EQ(reader.format(), "bmp");
    EXPECT_EQ(reader.size(), QSize(1000, 500));
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains("File has been exported successfully.")) << shown.front().toStdString();
    EXPECT_TRUE(shown.front().contains("Open file.")) << shown.front().toStdString();
}

TEST(CameraWindow, SliderRangesAndNeutralSettings)
{
    Window w;
    struct Row {
        const char *name;
        QSlider *slider;
        int low, high, neutral;
    };
    Camera &c = w.camera;
    const Row rows[] = {
        {"hue (degrees)", c.Hue_slidr, -180, 180, 0}, {"saturation", c.Sat_slidr, 0, 200, 100},
        {"brightness", c.Brt_slidr, -100, 100, 0},    {"contrast", c.Con_slidr, 25, 400, 100},
        {"sharpness", c.shrp_slidr, 0, 200, 0},       {"exposure", c.ev_slidr, -100, 100, 0},
        {"blur", c.blr_slidr, 0, 100, 0},             {"transparency", c.Trsp_slidr, 0, 100, 100},
        {"rotation", c.Rotate_slidr, -180, 180, 0},
    };
    for (const Row &r : rows) r.slider->setValue(r.low + 1);
    c.Image_Gray_Scale_chk->setChecked(true);
    c.Reset_Image_Editing_Controls();
    for (const Row &r : rows) {
        EXPECT_EQ(std::make_pair(r.slider->minimum(), r.slider->maximum()), std::make_pair(r.low, r.high)) << r.name;
        EXPECT_EQ(r.slider->value(), r.neutral) << r.name;
    }
    EXPECT_FALSE(c.Image_Gray_Scale_chk->isChecked());
    // The value fields show the slider's value in the field's unit.
    c.ev_slidr->setValue(-25);
    c.Sat_slidr->setValue(150);
    QStringList texts;
    for (QLabel *l : c.Image_Edit_Prop_Box->findChildren<QLabel *>()) texts << l->text();
    EXPECT_TRUE(texts.contains("-2.5"));
    EXPECT_TRUE(texts.contains("1.5"));
    c.Reset_Image_Editing_Controls();
    texts.clear();
    for (QLabel *l : c.Image_Edit_Prop_Box->findChildren<QLabel *>()) texts << l->text();
    EXPECT_EQ(texts.count("1"), 2) << "saturation and contrast";
    EXPECT_EQ(texts.count("100"), 1) << "transparency";

    // Get List leaves Capture off; a cut without a taken picture cuts nothing.
    c.capture_btn->setEnabled(true);
    c.Get_List_Btn_Clicked();
    EXPECT_FALSE(c.capture_btn->isEnabled());
    c.canvas->addSelectorWithFrame({0, 0, 50, 50});
    c.Crop_Image_Clicked();
    EXPECT_TRUE(c.User_Picture.isNull());
    EXPECT_FALSE(c.canvas->hasSelectors());
}
