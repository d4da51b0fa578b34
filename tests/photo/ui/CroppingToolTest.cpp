// The cropping window tried as a user would: the main screen's checks in order, an
// empty folder, the size texts, the selector moved for a smaller picture, Crop by a
// drawn rectangle and by face, and Crop All with its progress panel.
#include "Cropping_Tool.h"
#include "Shots.h"

#include "OutsideFolder.h"
#include "Output_Run_State.h"
#include "PictureView.h"
#include "SelectionCanvas.h"
#include "Shared_Dialogs.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace cropping_tool_test {

using namespace testsupport;

namespace {

class CentreFace final : public FaceDetector {
public:
    std::vector<QRectF> Detect_Faces(const QImage &picture) const override
    {
        return {{picture.width() / 4.0, picture.height() / 4.0, picture.width() / 2.0, picture.height() / 2.0}};
    }
};

QString Make_Picture(const QString &path, int w, int h)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::darkYellow);
    picture.save(path);
    return path;
}

void Shot(QWidget &w, const char *name) { testsupport::saveShot(w, QString::fromLatin1(name)); }

// The pictures of "<home>/in" listed for cropping into "<home>/out" as png, under the
// custom name.
void Crop_Folder_To_Png(Cropping_Tool &tool, const QString &home)
{
    tool.custom_name_radio->setChecked(true);
    tool.folder_radio->setChecked(true);
    tool.folder_path->setText(home + "/in");
    tool.output_path->setText(home + "/out");
    tool.output_format_combo->setCurrentIndex(2);
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
}

}  // namespace

TEST(CroppingTool, MainScreenChecksInOrder)
{
    Cropping_Tool tool(nullptr);
    tool.resize(800, 600);
    struct Row {
        bool folder;
        QString input, output, name, message;
    };
    const QString home = testHome();
    const Row rows[] = {
        {false, "", "", "", "Please select input image file path."},
        {true, "", "", "", "Please select input folder path."},
        {false, home + "/a.png", "", "", "Please select output folder path."},
        {false, home + "/a.png", home + "/out", " ", "Please select output file custom name."},
        // A path is no plain name of the output folder: it would write beside or below it.
        {false, home + "/a.png", home + "/out", "../x", "Please enter valid file name."},
        {true, home + "/empty", home + "/out", " sub/x", "Please enter valid file name."},
        {true, home + "/empty", home + "/out", "x", "The selected folder does not contains any image with supported extension."},
    };
    QDir().mkpath(home + "/empty");
    Make_Picture(home + "/empty/notes.txt", 2, 2);  // no picture extension
    for (const Row &r : rows) {
        tool.Set_Default_Values();
        tool.custom_name_radio->setChecked(true);
        (r.folder ? tool.folder_radio : tool.file_radio)->setChecked(true);
        (r.folder ? tool.folder_path : tool.file_path)->setText(r.input);
        tool.output_path->setText(r.output);
        tool.custom_name->setText(r.name);
        boxes().clear();
        QTest::mouseClick(tool.next_btn, Qt::LeftButton);
        EXPECT_EQ(boxes().take(), QStringList{"\n" + r.message});
        EXPECT_EQ(tool.screens->currentIndex(), 0) << r.message.toStdString();
    }
}

TEST(CroppingTool, SizeTextsAndFaceModeWithoutDetector)
{
    Cropping_Tool tool(nullptr);
    EXPECT_FALSE(tool.face_radio->isEnabled());
    struct Row {
        QString typed, shown;
    };
    const Row rows[] = {{"0", "1"}, {"20000", "10000"}, {"123456", "10000"}, {"0012345", "00123"}, {"0000000", "1"}};
    for (const Row &r : rows) {
        tool.width_Text->setText(r.typed);
        tool.Size_Text_Changed(tool.width_Text);
        EXPECT_EQ(tool.width_Text->text(), r.shown) << r.typed.toStdString();
    }
    tool.height_Text->clear();
    QTest::keyClicks(tool.height_Text, "0");
    EXPECT_EQ(tool.height_Text->text(), "1");
}

TEST(CroppingTool, DrawnRectangleCropAndSelectorForASmallerPicture)
{
    const QString home = testHome();
    Make_Picture(home + "/in/big.png", 400, 400);
    Make_Picture(home + "/in/small.png", 100, 50);
    Cropping_Tool tool(nullptr);
    tool.resize(900, 700);
    tool.show();
    Crop_Folder_To_Png(tool, home);
    ASSERT_EQ(tool.screens->currentIndex(), 1);
    ASSERT_EQ(tool.list->rowCount(), 2);
    EXPECT_EQ(tool.list->horizontalHeaderItem(1)->text(), "Image_Path");
    // The default selector, then the big picture with a selector far from the origin.
    ASSERT_TRUE(tool.canvas->hasSelectors());
    EXPECT_EQ(tool.canvas->model().selectors().back().frame, QRectF(10, 10, 100, 100));
    const int big = tool.Get_Item_Text(0).endsWith("big.png") ? 0 : 1;
    tool.list->selectRow(big);
    tool.canvas->addSelectorWithFrame({200, 200, 60, 40});
    const QSizeF ratio = tool.originalImageRatio();
    Shot(tool, "drawn");
    boxes().clear();
    QTest::mouseClick(tool.crop_btn, Qt::LeftButton);
    const QSize expected(qRound(60 / ratio.width()), qRound(40 / ratio.height()));
    EXPECT_EQ(QImageReader(home + "/out/Untitled.png").size(), expected);
    // A small picture puts the selector's origin outside it: the same size at the far corner.
    tool.list->selectRow(1 - big);
    const QSizeF canvas = tool.canvas->model().canvasSize();
    EXPECT_EQ(tool.canvas->model().selectors().back().frame,
              QRectF(canvas.width() - 60, canvas.height() - 40, 60, 40));
    // The next crop takes the next name.
    QTest::mouseClick(tool.crop_btn, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(home + "/out/Untitled_1.png"));
    EXPECT_EQ(tool.crop_num, 2);
}

// A single crop over a link under its name, to a file elsewhere, answered Replace: the
// link is replaced by the cropped picture, never written through.
TEST(CroppingTool, ASingleCropAnsweredReplaceReplacesALinkUnderItsName)
{
    const QString home = testHome();
    Make_Picture(home + "/in/big.png", 400, 400);
    const OutsideFolder outside;
    QDir().mkpath(home + "/out");
    ASSERT_TRUE(outside.link(home + "/out/Untitled.png", "thesis.odt"));
    Cropping_Tool tool(nullptr);
    Crop_Folder_To_Png(tool, home);
    ASSERT_EQ(tool.screens->currentIndex(), 1);
    boxes().clear();
    boxes().answerNext(Keep_Replace_Replace);
    QTest::mouseClick(tool.crop_btn, Qt::LeftButton);
    EXPECT_EQ(outside.contents(), "thesis.odt=thesis;");
    const QFileInfo cut(home + "/out/Untitled.png");
    EXPECT_TRUE(cut.isFile() && !cut.isSymLink());
    EXPECT_FALSE(QImageReader(cut.filePath()).size().isEmpty());
    EXPECT_TRUE(boxes().take().join('|').contains("Do you want to Keep or Replace it?"));
}

TEST(CroppingTool, CropMessagesAndCropAllByFace)
{
    const QString home = testHome();
    for (int i = 0; i < 6; ++i)
        Make_Picture(home + QStringLiteral("/in/f%1.jpg").arg(i), 200, 100);
    Cropping_Tool tool(std::make_shared<CentreFace>());
    tool.resize(900, 700);
    tool.show();
    boxes().clear();
    tool.Crop_Single_Image_Clicked();
    EXPECT_EQ(boxes().take(), QStringList{"\nThere is no image to crop."});
    tool.folder_radio->setChecked(true);
    tool.folder_path->setText(home + "/in");
    tool.output_path->setText(home + "/out");
    tool.own_name_radio->setChecked(true);
    tool.output_format_combo->setCurrentIndex(1);
    QTest::mouseClick(tool.next_btn, Qt::LeftButton);
    tool.canvas->removeAllSelectorsFromCanvas();
    QTest::mouseClick(tool.crop_btn, Qt::LeftButton);
    EXPECT_EQ(boxes().take(), QStringList{"\nPlease select area to crop."});
    tool.face_radio->setChecked(true);
    ASSERT_TRUE(tool.Find_Face);
    EXPECT_EQ(tool.Find_Face_Rect, QRectF(50, 25, 100, 50));
    tool.face_growth->setValue(100);
    Shot(tool, "face");
    QSignalSpy done(&tool, &Cropping_Tool::cropAllFinished);
    QTest::mouseClick(tool.crop_all_btn, Qt::LeftButton);
    ASSERT_TRUE(tool.progressPanel());
    EXPECT_TRUE(tool.progressPanel()->isVisible());
    Shot(*tool.progressPanel(), "progress");
    ASSERT_TRUE(done.wait(10000));
    EXPECT_FALSE(tool.progressPanel()->isVisible());
    EXPECT_FALSE(tool.job());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(QImageReader(home + QStringLiteral("/out/f%1.bmp").arg(i)).size(), QSize(200, 100)) << i;
}

} // namespace cropping_tool_test
