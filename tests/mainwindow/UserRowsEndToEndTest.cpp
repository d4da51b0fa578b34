#include "ControlPanels.h"
#include "FileUtilities.h"
#include "Helpers.h"
#include "ProfileWindow.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "Visitor_Fields.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
// A picture of its own, unlike any of the application's placeholders.
QString ownPicture()
{
    const QString path = testsupport::testHome() + "/face.png";
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    image.save(path);
    return path;
}

void typeRow(Profile_Panel &p, int n, const QString &caption, const QString &value)
{
    ProfileWindow::type(p.Get_Dynamic_Text_Box(QStringLiteral("F_label%1").arg(n)), caption);
    ProfileWindow::type(p.Get_Dynamic_Text_Box(QStringLiteral("F_field%1").arg(n)), value);
}

} // namespace

TEST(RowUndo, UndoBringsBackTheTextAndKeepsRowPicturesInVAndG)
{
    for (const char *mode : {"V", "G"}) {
        ProfileWindow w(mode);
        Profile_Panel &p = w.fp();
        p.Add_label_btn->click();
        p.txt_or_image_ctrl = 1;
        p.Add_label_btn->click();
        const QString picture = ownPicture();
        w.controller._graphicView->Set_Selection_Index_According_ID("F_Photo2");
        p.Set_User_Image(picture, "F_Photo2");
        ProfileWindow::type(p.Get_Dynamic_Text_Box("F_field1"), "first");
        ProfileWindow::type(p.Get_Dynamic_Text_Box("F_field1"), "second");
        w.controller.Undo_Action_Perform();
        EXPECT_EQ(p.Get_Dynamic_Text_Box("F_field1")->text(), "first") << mode;
        EXPECT_TRUE(p.Get_Dynamic_Chk_Box("F_field1")->isChecked()) << mode;
        EXPECT_TRUE(p.Get_Dynamic_Text_Box("F_field1")->isEnabled()) << mode;
        EXPECT_EQ(p.Well_Picture(p.Get_Dynamic_Photo_Ctrl("F_Photo2")), Picture::fromFile(picture)) << mode;
        EXPECT_TRUE(p.Get_Dynamic_Text_Box("F_Photo2")->isReadOnly()) << mode;
        // A hidden row control leaves its boxes unticked and disabled.
        w.onFront("F_label1")->Set_Ctrl_Is_Visible(false);
        w.controller.Insert_In_Undo_Redo();
        ProfileWindow::type(p.Get_Dynamic_Text_Box("F_field1"), "third");
        w.controller.Undo_Action_Perform();
        EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_label1")->isChecked()) << mode;
        EXPECT_FALSE(p.Get_Dynamic_Text_Box("F_label1")->isEnabled()) << mode;
    }
}

TEST(RowUndo, CopyToTheOtherSideGivesThatPanelTheRows)
{
    ProfileWindow w;
    w.fp().Add_label_btn->click();
    typeRow(w.fp(), 1, "Badge", "42");
    testsupport::boxes().answerNext(1);
    w.controller.Copy_Card_Design_Clicked();
    ASSERT_NE(w.bp().Get_Dynamic_Text_Box("F_label1"), nullptr);
    EXPECT_EQ(w.bp().Get_Dynamic_Text_Box("F_label1")->text(), "Badge");
    EXPECT_EQ(w.fp().Get_Dynamic_Text_Box("F_field1")->text(), "42");
}

TEST(RowClick, ImageResetShowsThePhotoInThePanel)
{
    ProfileWindow w;
    Profile_Panel &p = w.fp();
    const QString picture = Resource_Path + "pic_ic.png";
    p.Set_User_Image(picture, "Fup_Photo");
    SKTGraphic *photo = w.onFront("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    p.image_path_val->clear();
    w.controller.Show_RHS_Properties(photo);
    w.controller.controlPanels->image.reset->click();
    EXPECT_EQ(p.image_path_val->text(), picture);
}
