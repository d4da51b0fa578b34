// The photo windows fit the area a 1366 x 768 laptop screen leaves a window: the camera
// window before and after a capture, each input's crop screen of the cropping tool and
// its direct road, and the picture library.
#include "Camera.h"
#include "Cropping_Tool.h"
#include "Globals.h"
#include "Image_Library.h"
#include "RowTable.h"
#include "ScriptedRunner.h"
#include "Scroll_Panel.h"
#include "Shots.h"
#include "SmallScreen.h"
#include "SyntheticFrameSource.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

namespace small_screen_test {

using testsupport::fitsSmallScreen;

namespace {

// Shown at the size it opens with, for the screenshots of a tour (DOZO_SHOTS_DIR).
void shot(QWidget &window, const QString &name) { testsupport::saveShownShot(window, name); }

QString picture(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(path);
    return path;
}

// The size a window opens at: all it asks for, as far as its screen has room.
QSize opening(const QWidget &window)
{
    return Opening_Size_Within(window.sizeHint(), window.minimumSizeHint(), window.screen()->availableGeometry().size());
}

class Picture_Rows final : public Row_Table {
public:
    QList<QStringList> rows;
    int Row_Table_Column_Count() const override { return 2; }
    int Row_Table_Row_Count() const override { return int(rows.size()); }
    QString Row_Table_Column_Title(int column) const override { return column == 1 ? "Photo" : "S.No."; }
    QString Get_sel_row_col_value_of_Excel(int row, int column) const override { return rows.value(row).value(column); }
    int Add_Row_Table_Column(const QStringList &) override { return 2; }
};

}  // namespace

TEST(SmallScreen, CroppingToolFitsOnEveryScreenAndInput)
{
    const QString home = testsupport::testHome();
    picture(home + "/in/a.png");
    picture(home + "/in/b.png");
    Picture_Rows table;
    table.rows = {{"1", home + "/in/a.png"}, {"2", home + "/in/b.png"}};
    Cropping_Tool tool(nullptr, &table, nullptr,
                       std::make_unique<SyntheticFrameSource>(std::vector<CameraDevice>{{"cam-1", "Test camera"}}));
    EXPECT_EQ(tool.size(), opening(tool));
    tool.Set_Default_Values();
    tool.show();  // shown, as a window grows to the room its shown parts ask for
    const QSize openedSize = tool.size();
    EXPECT_TRUE(fitsSmallScreen(tool)) << "main screen";
    shot(tool, "win-cropping-main");
    for (const char *input : {"file", "folder", "camera", "spreadsheet"}) {
        tool.Set_Default_Values();
        const QString kind = QLatin1String(input);
        if (kind == "file") {
            tool.file_path->setText(home + "/in/a.png");
        } else if (kind == "folder") {
            tool.folder_radio->setChecked(true);
            tool.folder_path->setText(home + "/in");
        } else if (kind == "camera") {
            tool.camera_radio->setChecked(true);
        } else {
            tool.excel_radio->setChecked(true);
            tool.excel_column_list->setCurrentIndex(1);
        }
        tool.output_path->setText(home + "/out");
        QTest::mouseClick(tool.next_btn, Qt::LeftButton);
        ASSERT_EQ(tool.screens->currentIndex(), 1) << input;
        QCoreApplication::processEvents();
        EXPECT_TRUE(fitsSmallScreen(tool)) << input;
        EXPECT_EQ(tool.size(), openedSize) << input;  // never made to grow on the way
        shot(tool, QStringLiteral("win-cropping-%1").arg(kind));
        QTest::mouseClick(tool.back_btn, Qt::LeftButton);
    }
    tool.hide();
    testsupport::ScriptedRunner runner;
    Cropping_Tool direct(nullptr, nullptr, nullptr, nullptr, &runner);
    bool opened = false;
    runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        opened = true;
        EXPECT_TRUE(fitsSmallScreen(t)) << "direct picture";
        shot(t, "win-cropping-direct");
        t.done(0);
    });
    direct.Open_Wnd_Direct_To_Crop(home + "/in/a.png");
    EXPECT_TRUE(opened);
}

TEST(SmallScreen, CameraWindowFitsBeforeAndAfterACapture)
{
    const QString saved = Camera_Folder_Path;
    Camera_Folder_Path = testsupport::testHome() + "/pictures";
    auto *source = new SyntheticFrameSource(std::vector<CameraDevice>{{"cam-1", "Desk camera"}});
    testsupport::ScriptedRunner runner;
    Camera camera(std::unique_ptr<FrameSource>(source), nullptr, &runner);
    EXPECT_EQ(camera.size(), opening(camera));
    camera.Get_List_Btn_Clicked();
    EXPECT_TRUE(fitsSmallScreen(camera)) << "stopped";
    camera.Start_Btn_Clicked();
    QImage frame(1280, 720, QImage::Format_RGB32);
    frame.fill(Qt::darkGreen);
    std::thread delivery([&] { source->push(frame); });
    delivery.join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(fitsSmallScreen(camera)) << "running";
    camera.Capture_Btn_Clicked();
    EXPECT_TRUE(fitsSmallScreen(camera)) << "captured";
    shot(camera, "win-camera");
    camera.hide();
    Camera_Folder_Path = saved;
}

TEST(SmallScreen, PictureLibraryFits)
{
    testsupport::ScriptedRunner runner;
    Image_Library library(nullptr, &runner);
    EXPECT_TRUE(fitsSmallScreen(library));
    shot(library, "win-picture-library");
    library.hide();
}

} // namespace small_screen_test
