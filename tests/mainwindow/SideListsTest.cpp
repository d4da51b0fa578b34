#include "CardControls.h"
#include "Dynamic_Control_List.h"
#include "FileUtilities.h"
#include "Profile_Data_Source.h"
#include "ProfileWindow.h"
#include "SKTImage.h"
#include "TestSupport.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
GraphicPtr addText(SKTGraphicList &side, const QString &id, const QString &text, bool visible = true)
{
    return testsupport::addTextControl(side, id, text, QRectF(10, 10, 70, 20), visible);
}
} // namespace

TEST(SideLists, RowsOfBothSidesAreSavedAndReopenedInOrder)
{
    ProfileWindow w;
    Profile_Panel &f = w.fp();
    f.Add_label_btn->click();
    f.Add_label_btn->click();
    ProfileWindow::type(f.Get_Dynamic_Text_Box("F_label1"), "Badge");
    ProfileWindow::type(f.Get_Dynamic_Text_Box("F_field1"), "42");
    ProfileWindow::type(f.Get_Dynamic_Text_Box("F_label2"), "Escort");
    f.Get_Dynamic_Chk_Box("F_field2")->click();
    w.controller.Select_back_side();
    w.bp().Add_label_btn->click();
    ProfileWindow::type(w.bp().Get_Dynamic_Text_Box("F_field1"), "Back value");
    const QString path = QDir(testsupport::testHome()).filePath("rows.zcd");
    w.document.Project_File_Name = path;
    ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));

    ProfileWindow again;
    ASSERT_EQ(again.controller.Read_and_load_design_Log_NEW_METHOD(path, Card_Mode::Opened, true), 1);
    Profile_Panel &f2 = again.fp();
    QStringList rows;
    for (size_t i = 0; i < f2.view_array_label.size(); ++i)
        rows << f2.view_array_label[i].id + "=" + f2.Get_Dynamic_Text_Box(f2.view_array_label[i].id)->text();
    for (size_t i = 0; i < f2.view_array_value.size(); ++i)
        rows << f2.view_array_value[i].id + "=" + f2.Get_Dynamic_Text_Box(f2.view_array_value[i].id)->text();
    EXPECT_EQ(rows, QStringList({"F_label1=Badge", "F_label2=Escort", "F_field1=42", "F_field2=F_field2"}));
    EXPECT_FALSE(f2.Get_Dynamic_Chk_Box("F_field2")->isChecked());
    EXPECT_TRUE(f2.Get_Dynamic_Chk_Box("F_label2")->isChecked());
    EXPECT_EQ(f2.Frame_Of(f2.Get_Dynamic_Text_Box("F_label2")).y(), 30);
    ASSERT_NE(again.bp().Get_Dynamic_Text_Box("F_field1"), nullptr);
    EXPECT_EQ(again.bp().Get_Dynamic_Text_Box("F_field1")->text(), "Back value");
    EXPECT_EQ(f2.counter, 3);
}

TEST(DefaultPhoto, TemplateDateAndTimeBecomeTheVisitsOwn)
{
    ProfileWindow w;
    GraphicPtr date = addText(w.front(), "Fup_Date", "01/06/2025");
    GraphicPtr time = addText(w.front(), "Fup_Time", "10:30 AM");
    const QString path = QDir(testsupport::testHome()).filePath("dated.zcd");
    w.document.Project_File_Name = path;
    ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Template));
    ProfileWindow again;
    ASSERT_EQ(again.controller.Read_and_load_design_Log_NEW_METHOD(path, Card_Mode::Template, false), 1);
    const QString today = Get_date_Value("dd-MMM-yyyy");
    EXPECT_EQ(again.fp().fields[kDateField].value->text(), today);
    EXPECT_EQ(again.onFront("Fup_Date")->Text_Value, today);
    EXPECT_NE(again.onFront("Fup_Time")->Text_Value, "10:30 AM");
    EXPECT_EQ(again.onFront("Fup_Time")->Text_Value, again.fp().fields[kTimeField].value->text());
    EXPECT_TRUE(again.fp().fields[kDateField].value_chk->isChecked());
}

