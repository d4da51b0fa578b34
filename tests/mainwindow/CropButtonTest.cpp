// The image tab's crop command: the cropping window opened directly on the selected
// image control's picture or spreadsheet column, its result becoming the control's
// picture or binding as one undo step; a new column kept in the design file.
#include "ControlPanels.h"
#include "Shots.h"
#include "Cropping_Tool.h"
#include "DataSourceSection.h"
#include "Data_From_Excel.h"
#include "Globals.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "SelectionCanvas.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace crop_button_test {

namespace {

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

void Shot(QWidget &w, const char *name) { testsupport::saveShot(w, QString::fromLatin1(name)); }

struct Window : TestWindow {
    QString home = testsupport::testHome();
    Window()
    {
        Cropped_Img_Path = home + "/data/Cropped_Images";
        Data_Folder_Path = home + "/data/DataSet";
        testsupport::boxes().clear();
    }
    ~Window() { runner.remove<Cropping_Tool>(); }
    void show(SKTGraphic *g)
    {
        controller.Undo_Redo_Clear();
        controller.Insert_In_Undo_Redo();
        controller._graphicView->selectGraphics({g});
        controller.Set_Selected_Graphic(g);
        controller.Show_RHS_Properties(g);
    }
};

} // namespace

TEST(CropButton, ADrawnRectangleBecomesTheControlsPicture)
{
    Window w;
    w.controller.window()->resize(1200, 800);
    const QString photo = Make_Picture(w.home + "/in/photo.png", 200, 100);
    GraphicPtr image = w.add(w.front(), GraphicKind::Image, {20, 20, 120, 80});
    static_cast<SKTImage &>(*image).setFilePath(photo, true);
    w.show(image.get());
    const int steps = w.controller.Get_Undo_Count();
    int opened = 0;
    w.runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        ++opened;
        t.resize(900, 650);
        // The left (red) quarter of the picture.
        const QSizeF ratio = t.originalImageRatio();
        t.canvas->addSelectorWithFrame({0, 0, 50 * ratio.width(), 100 * ratio.height()});
        Shot(t, "crop-window-direct-picture");
        QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
    });
    w.controller.controlPanels->image.crop->click();
    ASSERT_EQ(opened, 1);
    const QString cropped = Cropped_Img_Path + "/photo.png";
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nImage has been cropped successfully."});
    EXPECT_EQ(image->FilePath(), cropped);
    EXPECT_EQ(image->data_source_type, 0);
    const QImage written(cropped);
    ASSERT_EQ(written.size(), QSize(50, 100));
    EXPECT_EQ(written.pixel(10, 50), qRgb(255, 0, 0));
    EXPECT_EQ(w.controller.Get_Undo_Count(), steps + 1) << "one undo step";
    Shot(*w.controller.window(), "card-with-cropped-photo");

    w.controller.Undo_Action_Perform();
    EXPECT_EQ(w.top(w.front())->FilePath(), photo);
}

TEST(CropButton, AColumnBoundControlGetsANewColumnKeptInTheDesign)
{
    Window w;
    w.document.Start_Card_Option = Card_Mode::Group;
    w.document.m_spreadsheet.column_titles = {"Photo"};
    QList<QStringList> rows;
    for (int i = 1; i <= 3; ++i)
        rows << QStringList{QString::number(i), Make_Picture(w.home + QStringLiteral("/in/p%1.png").arg(i), 60 + i, 40)};
    w.document.setListData(rows);
    GraphicPtr image = w.add(w.front(), GraphicKind::Image, {20, 20, 120, 80});
    image->Set_Data_source_type(2);
    image->Set_Excel_binding_Index(1);
    static_cast<SKTImage &>(*image).setFilePath(rows[0][1], true);
    w.show(image.get());
    w.runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        t.resize(900, 650);
        t.fixed_radio->setChecked(true);
        t.width_Text->setText("30");
        t.height_Text->setText("20");
        Shot(t, "crop-window-direct-column");
        testsupport::boxes().answerNext(1);  // Yes
        QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
    });
    w.controller.controlPanels->image.crop->click();
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"This action will create new excel column with all new cropped images.\nAre you sure you "
                           "want to continue?",
                           "\nImage has been cropped successfully.\n\nPlease click on 'Save' button to update your "
                           "changes in your project data."}));
    const QString out = Cropped_Img_Path + "/Column 3";
    const QStringList paths{out + "/p1.png", out + "/p2.png", out + "/p3.png"};
    EXPECT_EQ(image->data_source_type, 2);
    EXPECT_EQ(image->excel_col_indx, 2);
    EXPECT_EQ(image->FilePath(), paths[0]);
    EXPECT_EQ(w.controller.dataSourceSection->Batch_Series->currentText(), "Column 3") << "the section shows it";
    EXPECT_EQ(QImageReader(paths[2]).size(), QSize(30, 20));
    ASSERT_EQ(w.document.ColList().size(), 3);
    EXPECT_EQ(w.document.ColList()[2].title, "Column 3");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w.document.Get_sel_row_col_value_of_Excel(i, 2), paths[i]) << i;

    w.runner.whileOpen<Data_From_Excel>([](Data_From_Excel &d) {
        d.resize(700, 300);
        Shot(d, "new-column-of-cropped-pictures");
        d.OK_Click();
    });
    w.controller.Data_From_Excel_Window().Open_Wnd();
    w.runner.remove<Data_From_Excel>();

    // Saved and read again, the new column is still there.
    testsupport::queueFilePanelAnswer({w.home + "/group"});
    ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Group));
    Window other;
    ASSERT_EQ(other.controller.Read_and_load_design_Log_NEW_METHOD(w.home + "/group.zcd", Card_Mode::Group, true), 1);
    ASSERT_EQ(other.document.ColList().size(), 3);
    EXPECT_EQ(other.document.ColList()[2].title, "Column 3");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(other.document.Get_sel_row_col_value_of_Excel(i, 2), paths[i]) << i;
    ASSERT_EQ(other.front().count(), 1);
    EXPECT_EQ(other.top(other.front())->excel_col_indx, 2);
}

TEST(CropButton, ASeriesBoundControlGetsTheNewSeries)
{
    Window w;
    const QString a = Make_Picture(w.home + "/in/a.png", 40, 30);
    const QString b = Make_Picture(w.home + "/in/b.png", 40, 30);
    QDir().mkpath(Data_Folder_Path);
    QFile series(Data_Folder_Path + "/Staff.txt");
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write((a + "\n" + b + "\n").toUtf8());
    series.close();
    GraphicPtr image = w.add(w.front(), GraphicKind::Image, {20, 20, 120, 80});
    image->Set_Data_source_type(1);
    image->Set_Batch_List_Name("Staff");
    image->Set_Batch_List_Index(0);
    w.show(image.get());
    const int steps = w.controller.Get_Undo_Count();
    w.runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        t.fixed_radio->setChecked(true);
        testsupport::boxes().answerNext(1);  // Yes
        QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
    });
    w.controller.controlPanels->image.crop->click();
    const QString out = Cropped_Img_Path + "/Staff (1)";
    EXPECT_EQ(image->data_source_type, 1);
    EXPECT_EQ(image->batch_list_name, "Staff (1)");
    EXPECT_EQ(image->batch_list_index, 1) << "its place in the sorted series list";
    EXPECT_EQ(image->FilePath(), out + "/a.png");
    EXPECT_EQ(w.controller.dataSourceSection->Batch_Series->currentText(), "Staff (1)") << "the section shows it";
    EXPECT_EQ(QImageReader(out + "/b.png").size(), QSize(50, 50));
    EXPECT_EQ(w.controller.Get_Undo_Count(), steps + 1) << "one undo step";
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(w.top(w.front())->batch_list_name, "Staff");
}

} // namespace crop_button_test
