#include "ControlPanels.h"
#include "Cropping_Tool.h"
#include "FileUtilities.h"
#include "Helpers.h"
#include "ProfileWindow.h"
#include "TestWindow.h"
#include "SelectionCanvas.h"
#include "SKTImage.h"
#include "CardControls.h"
#include "TestSupport.h"
#include "Visitor_Fields.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
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

// The Image tab's Reset and Crop change the card only: the photo box follows the card,
// so it keeps the visitor's photo whichever picture they were used on (the photo, a
// company logo without an ID, a photo row's picture).
TEST(RowClick, ImageResetAndCropKeepThePhotoInThePanel)
{
    enum Clicked { Photo, Logo, RowPhoto };
    const struct {
        const char *what;
        Clicked clicked;
        bool crop;
    } rows[] = {{"Reset on the photo", Photo, false},
                {"Reset on the logo", Logo, false},
                {"Reset on a row's photo", RowPhoto, false},
                {"Crop on the logo", Logo, true}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        ProfileWindow w;
        Profile_Panel &p = w.fp();
        const QString picture = ownPicture();
        p.Set_User_Image(picture, "Fup_Photo");
        ASSERT_NE(w.onFront("Fup_Photo"), nullptr);
        GraphicPtr logo = testsupport::addControl(w.front(), GraphicKind::Image, {150, 10, 40, 40});
        const QString logoPath = Resource_Path + "LibraryImage/Business/Company_Logo.png";
        static_cast<SKTImage *>(logo.get())->setFilePath(logoPath, true);
        p.txt_or_image_ctrl = 1;
        p.Add_label_btn->click();
        SKTGraphic *row = w.onFront("F_Photo1");
        ASSERT_NE(row, nullptr);
        static_cast<SKTImage *>(row)->setFilePath(Resource_Path + "banner.png", true);
        ASSERT_EQ(p.image_path_val->text(), picture);
        SKTGraphic *clicked = r.clicked == Photo ? w.onFront("Fup_Photo") : r.clicked == Logo ? logo.get() : row;
        w.controller._graphicView->selectGraphics({clicked});
        w.controller.Set_Selected_Graphic(clicked);
        w.controller.Show_RHS_Properties(clicked);
        if (r.crop) {
            Cropped_Img_Path = testsupport::testHome() + "/data/Cropped_Images";
            testsupport::cropOnImageTab(w.runner, w.controller, testsupport::drawnRectangle(20, 20));
            EXPECT_EQ(clicked->FilePath(), Cropped_Img_Path + "/Company_Logo.png");
            EXPECT_EQ(QImage(clicked->FilePath()).size(), QSize(20, 20));
        } else {
            w.controller.controlPanels->image.reset->click();
        }
        EXPECT_EQ(p.image_path_val->text(), picture);
        EXPECT_EQ(p.userPicture(), Picture::fromFile(picture));
    }
}
