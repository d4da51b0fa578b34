// The Crop command: a series written by the cropping window's Crop All is in the
// data-source list as soon as the window closes, the chosen series still chosen.
#include "Cropping_Tool.h"
#include "DataSourceSection.h"
#include "Globals.h"
#include "MainWindowLayout.h"
#include "SeriesFile.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>
#include <gtest/gtest.h>

TEST(CropCommand, ASeriesMadeByCropAllIsListedAtOnce)
{
    TestWindow w;
    const QString home = testsupport::testHome();
    QDir().mkpath(home + "/in");
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(home + "/in/p.png"));
    for (const char *name : {"A", "B"})
        ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(Data_Folder_Path, name), {home + "/in/p.png"}));
    DataSourceSection &section = *w.controller.dataSourceSection;
    section.Data_source_type->setCurrentIndex(1);  // "Series"
    section.Fill_Data_Set_File_Name_In_Combo(section.Batch_Series);
    section.Batch_Series->setCurrentIndex(1);  // B

    QAction *crop = w.controller.ui.command(QStringLiteral("Crop"));
    ASSERT_TRUE(crop);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *tool = qobject_cast<Cropping_Tool *>(QApplication::activeModalWidget());
        ASSERT_TRUE(tool);
        tool->series_radio->setChecked(true);
        tool->batch_list->setCurrentIndex(tool->batch_list->findText("A"));
        tool->output_path->setText(home + "/out");
        testsupport::boxes().answerNext(1);  // create a new series: Yes
        tool->next_btn->click();
        tool->fixed_radio->setChecked(true);
        QSignalSpy done(tool, &Cropping_Tool::cropAllFinished);
        tool->crop_all_btn->click();
        ran = done.wait(10000);
        tool->reject();
    });
    crop->trigger();
    ASSERT_TRUE(ran);
    QStringList items;
    for (int i = 0; i < section.Batch_Series->count(); ++i) items << section.Batch_Series->itemText(i);
    EXPECT_EQ(items, QStringList({"A", "A (1)", "B"}));
    EXPECT_EQ(section.Batch_Series->currentText(), "B");
}
