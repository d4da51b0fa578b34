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
#include <sqlite3.h>

namespace {
// The "Other" and "Other_B" columns of every recorded visit, read back with sqlite3.
std::vector<std::pair<QString, QString>> otherDetails()
{
    std::vector<std::pair<QString, QString>> rows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(Database_Path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT Other, Other_B FROM Visitor_Records ORDER BY ID", -1, &st, nullptr) ==
            SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW)
                rows.emplace_back(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))),
                                  QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

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

struct Desk : ProfileWindow {
    Desk()
    {
        Check_Path_And_Create_VISITOR_Files();
        QFile::remove(Database_Path);
        Check_Path_And_Create_VISITOR_Files();
        testsupport::boxes().clear();
    }
};
} // namespace

TEST(RowBridge, PartnersStandBesideEachOtherInsideTheCard)
{
    ProfileWindow w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    SKTGraphic *caption = w.onFront("F_label1");
    SKTGraphic *value = w.onFront("F_field1");
    // The value was created beside its ticked caption.
    EXPECT_EQ(value->bounds().topLeft(), QPointF(caption->bounds().right(), caption->bounds().top()));

    // A caption reaching the card's right edge: the value goes below it.
    const QRectF card = w.controller.frontCardBounds();
    w.front().remove(value);
    caption->setBounds(QRectF(card.right() - 70, 30, 70, 20));
    p.Get_Dynamic_Chk_Box("F_field1")->setChecked(true);
    w.controller.visitorPanels().new_control_add("v", "F_field1", nullptr);
    w.controller.visitorPanels().Change_Value("v", "F_field1", true, true);
    EXPECT_EQ(w.onFront("F_field1")->bounds().topLeft(), QPointF(card.right() - 70, 50));

    // A caption made again stands left of its value, above it at the left edge.
    w.onFront("F_field1")->setBounds(QRectF(100, 60, 70, 20));
    w.front().remove(caption);
    w.controller.visitorPanels().new_control_add("c", "F_label1", nullptr);
    w.controller.visitorPanels().Change_Value("c", "F_label1", true, true);
    EXPECT_EQ(w.onFront("F_label1")->bounds().topLeft(), QPointF(30, 60));
    w.onFront("F_field1")->setBounds(QRectF(0, 60, 70, 20));
    w.front().remove(w.onFront("F_label1"));
    w.controller.visitorPanels().new_control_add("c", "F_label1", nullptr);
    w.controller.visitorPanels().Change_Value("c", "F_label1", true, true);
    EXPECT_EQ(w.onFront("F_label1")->bounds().topLeft(), QPointF(0, 40));

    // Box look-ups reach the rows; a photo row keeps the place it was made at.
    EXPECT_EQ(Visitor_Panel_Sync(w.controller.document).Text_Box("F_field1"), p.Get_Dynamic_Text_Box("F_field1"));
    EXPECT_EQ(Visitor_Panel_Sync(w.controller.document).Chk_Box("F_field1"), p.Get_Dynamic_Chk_Box("F_field1"));
    EXPECT_EQ(Visitor_Panel_Sync(w.controller.document).Text_Box("F_field9"), nullptr);
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    const QPointF made = w.onFront("F_Photo2")->bounds().topLeft();
    EXPECT_NE(made, QPointF(0, 0));
    w.controller.visitorPanels().Change_Value(Resource_Path + "no.png", "F_Photo2", true, true);
    EXPECT_EQ(w.onFront("F_Photo2")->bounds().topLeft(), made) << "a row photo has no partner";
}

TEST(RowBridge, LockAndDeleteReachRows)
{
    ProfileWindow w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    SKTGraphic *caption = w.onFront("F_label1");
    caption->ctrl_is_locked = true;
    w.controller.Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_label1")->isEnabled());
    EXPECT_FALSE(p.Get_Dynamic_Text_Box("F_label1")->isEnabled());
    EXPECT_TRUE(p.Get_Dynamic_Chk_Box("F_field1")->isEnabled());

    w.controller.Visitor_Panel_Control_Deleted(w.onFront("F_field1"));
    EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_field1")->isChecked());
}

TEST(RowPhoto, BrowsingIntoARowPhotoFillsItsBoxAndWell)
{
    ProfileWindow w("G");
    Profile_Panel &p = w.fp();
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    QLabel *well = p.Get_Dynamic_Photo_Ctrl("F_Photo1");
    w.controller._graphicView->Set_Selection_Index_According_ID("F_Photo1");
    const QString picture = ownPicture();
    testsupport::queueFilePanelAnswer({picture});
    p.Browse_image_btn->click();
    EXPECT_EQ(p.Get_Dynamic_Text_Box("F_Photo1")->text(), picture);
    EXPECT_EQ(p.Well_Picture(well), Picture::fromFile(picture));
    EXPECT_EQ(w.onFront("F_Photo1")->FilePath(), picture);

    const QString broken = testsupport::testHome() + "/broken.png";
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    struct Case {
        QString path;
        Picture shown;
    } cases[] = {{Resource_Path + "no.png", w.controller.no_image_ctrl_GP}, {broken, w.controller.Err_image}};
    for (const Case &c : cases) {
        p.Set_User_Image(c.path, "F_Photo1");
        EXPECT_EQ(p.Well_Picture(well), c.shown) << c.path.toStdString();
        EXPECT_EQ(p.Get_Dynamic_Text_Box("F_Photo1")->text(), c.path);
    }
    p.Set_User_Image(picture, "Fup_Photo");
    EXPECT_EQ(p.Well_Picture(well), w.controller.Err_image) << "the visitor photo leaves the wells alone";
}

TEST(RowRecord, OtherDetailsHoldTheTickedRowsOfEachSide)
{
    Desk w;
    Profile_Panel &f = w.fp();
    for (int i = 0; i < 3; ++i) f.Add_label_btn->click();
    typeRow(f, 1, "Badge", "42");
    typeRow(f, 2, "Escort", "Ann");
    typeRow(f, 3, "Parking", "B2");
    for (const char *id : {"F_label3", "F_field3"}) f.Get_Dynamic_Chk_Box(id)->click();
    f.txt_or_image_ctrl = 1;
    f.Add_label_btn->click();  // a photo row adds nothing
    w.controller.Select_back_side();
    w.bp().Add_label_btn->click();
    typeRow(w.bp(), 1, "Host", "Room 4");
    w.document.Front_card_Prop.setCard_Side("2");
    w.controller.visitorPanels().Add_Visitor_Record_To_DB();

    f.Get_Dynamic_Chk_Box("F_label1")->click();  // caption unticked: the value alone
    w.document.Front_card_Prop.setCard_Side("1");
    w.controller.visitorPanels().Add_Visitor_Record_To_DB();
    const auto rows = otherDetails();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].first, "Badge : 42\r\nEscort : Ann");
    EXPECT_EQ(rows[0].second, "Host : Room 4");
    EXPECT_EQ(rows[1].first, "42\r\nEscort : Ann");
    EXPECT_EQ(rows[1].second, "") << "a one-sided card has no back details";
}

TEST(RowRecord, ACardWithOnlyOneTypedRowIsRecorded)
{
    Desk w;
    w.fp().Add_label_btn->click();
    typeRow(w.fp(), 1, "Note", "it's \"quoted\"");
    testsupport::boxes().clear();
    w.controller.visitorPanels().Add_Visitor_Record_To_DB();
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nVisitor Details has been saved successfully"}));
    ASSERT_EQ(otherDetails().size(), 1u);
    EXPECT_EQ(otherDetails()[0].first, "Note : it's \"quoted\"");
}

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

TEST(RowClick, ClickingAControlEnablesOrLocksItsBoxes)
{
    ProfileWindow w;
    Profile_Panel &p = w.fp();
    p.fields[0].value_chk->click();
    p.Add_label_btn->click();
    w.controller.window()->show();
    struct Case {
        const char *id;
        QWidget *box, *chk;
    } cases[] = {{"Fup_Name", p.fields[0].value, p.fields[0].value_chk},
                 {"F_field1", p.Get_Dynamic_Text_Box("F_field1"), p.Get_Dynamic_Chk_Box("F_field1")}};
    for (const Case &c : cases) {
        SKTGraphic *g = w.onFront(c.id);
        g->ctrl_is_locked = true;
        w.controller.Visitor_Panel_Control_Selected(g);
        EXPECT_FALSE(c.box->isEnabled()) << c.id;
        EXPECT_FALSE(c.chk->isEnabled()) << c.id;
        g->ctrl_is_locked = false;
        w.controller.Visitor_Panel_Control_Selected(g);
        EXPECT_TRUE(c.box->isEnabled()) << c.id;
        EXPECT_TRUE(c.chk->isEnabled()) << c.id;
        EXPECT_EQ(w.controller.window()->focusWidget(), c.box) << c.id;
    }
    // A row photo's boxes are not touched by a click on it.
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    QLineEdit *path = p.Get_Dynamic_Text_Box("F_Photo2");
    path->setEnabled(false);
    SKTGraphic *photo = w.onFront("F_Photo2");
    photo->ctrl_is_locked = true;
    w.controller.Visitor_Panel_Control_Selected(photo);
    EXPECT_FALSE(path->isEnabled());
    EXPECT_TRUE(p.Get_Dynamic_Chk_Box("F_Photo2")->isEnabled());
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
