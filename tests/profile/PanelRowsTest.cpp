// The user-added rows of a visitor panel: their numbering, frames, controls on the card
// and the side lists that follow them.
#include "Dynamic_Control_List.h"
#include "PanelDesk.h"
#include "SKTImage.h"
#include "TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
QStringList idsOf(const std::vector<Row_Entry> &rows)
{
    QStringList ids;
    for (const Row_Entry &r : rows) ids << r.id;
    return ids;
}
} // namespace

TEST(PanelRows, FirstRowsAreNumberedFromOneAndStandAtFiveAndThirty)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    ASSERT_EQ(p.view_array_label.size(), 1u);
    QLineEdit *caption = p.Get_Dynamic_Text_Box("F_label1");
    QLineEdit *value = p.Get_Dynamic_Text_Box("F_field1");
    ASSERT_TRUE(caption && value);
    EXPECT_EQ(caption->text(), "F_label1");
    EXPECT_EQ(value->text(), "F_field1");
    EXPECT_EQ(w.onFront("F_label1")->Text_Value, "F_label1");
    EXPECT_EQ(w.onFront("F_field1")->Text_Value, "F_field1");
    EXPECT_EQ(p.Frame_Of(caption), QRectF(24, 5, 115, 20));
    EXPECT_EQ(p.Frame_Of(value), QRectF(7, 5, 160, 20));
    EXPECT_EQ(p.Frame_Of(p.Get_Dynamic_Chk_Box("F_label1")), QRectF(-2, 5, 28, 20));
    EXPECT_EQ(p.Frame_Of(p.Get_Dynamic_Chk_Box("F_field1")), QRectF(165, 5, 28, 20));

    p.Add_label_btn->click();
    EXPECT_EQ(p.Frame_Of(p.Get_Dynamic_Text_Box("F_label2")), QRectF(24, 30, 115, 20));
    EXPECT_EQ(p.Frame_Of(p.Get_Dynamic_Text_Box("F_field2")), QRectF(7, 30, 160, 20));
    EXPECT_EQ(p.counter, 3);
    EXPECT_EQ(p.ctrl_y, 55.0);
    // Both boxes grew by 25 per row below the fixed fields; the buttons follow them.
    EXPECT_EQ(p.Frame_Of(p.custom_label_box), QRectF(0, -70, 145, 70));
    EXPECT_EQ(p.Frame_Of(p.custom_field_box), QRectF(150, -70, 200, 70));
    EXPECT_EQ(p.Frame_Of(p.Add_label_btn), QRectF(5, -70 - 24 - 5, 135, 24));
    EXPECT_EQ(p.Frame_Of(p.Add_to_DB_btn), QRectF(155, -70 - 24 - 5, 190, 24));
    // Widget geometry is the y-up frame turned over inside the 70 high box.
    EXPECT_EQ(caption->geometry(), QRect(24, 70 - 5 - 20, 115, 20));
    // The front's list was built again after each add.
    ASSERT_EQ(w.desk.front_list.size(), 2u);
    EXPECT_EQ(w.desk.front_list[0].toList(),
              QStringList({"F_field2", "F_field2", "Y", "-1", "T"}));
}

TEST(PanelRows, PhotoKindMakesOneImageControlWithThePlaceholder)
{
    PanelDesk w("G");
    Profile_Panel &p = w.fp();
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    int images = 0;
    for (const GraphicPtr &g : w.front().items()) images += g->kind() == GraphicKind::Image;
    EXPECT_EQ(images, 1);
    SKTGraphic *photo = w.onFront("F_Photo1");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->kind(), GraphicKind::Image);
    EXPECT_EQ(photo->FilePath(), Resource_Path + "no.png");
    EXPECT_FALSE(photo->_contents.isNull());
    EXPECT_TRUE(photo->ctrl_is_visible);
    QLabel *well = p.Get_Dynamic_Photo_Ctrl("F_Photo1");
    ASSERT_NE(well, nullptr);
    EXPECT_EQ(p.Well_Picture(well), w.noImage);
    EXPECT_EQ(p.Frame_Of(well), QRectF(5, 2, 40, 25));
    QLineEdit *path = p.Get_Dynamic_Text_Box("F_Photo1");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->text(), Resource_Path + "no.png");
    EXPECT_TRUE(path->isReadOnly());
    EXPECT_TRUE(p.view_array_label[0].chk->isHidden()) << "the well's check box is hidden";
    // Beside the well its ID, which can be selected but not edited.
    QLineEdit *idText = nullptr;
    for (QLineEdit *e : p.custom_label_box->findChildren<QLineEdit *>())
        if (e->text() == "F_Photo1") idText = e;
    ASSERT_NE(idText, nullptr);
    EXPECT_TRUE(idText->isReadOnly());
    EXPECT_EQ(p.Frame_Of(idText), QRectF(60, 5, 80, 20));
    EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_Photo1")->isHidden());
}

TEST(PanelRows, TypingSendsTheTextAndTheShowBoxFollowsTheCard)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    QCheckBox *chk = p.Get_Dynamic_Chk_Box("F_field1");
    chk->setChecked(false);
    SKTGraphic *g = w.onFront("F_field1");
    g->Set_Ctrl_Is_Visible(false);
    PanelDesk::type(p.Get_Dynamic_Text_Box("F_field1"), "Escort");
    EXPECT_EQ(g->Text_Value, "Escort");
    EXPECT_TRUE(g->ctrl_is_visible);
    // The row's show box is a view of the card, which now shows the row.
    EXPECT_TRUE(chk->isChecked());
    EXPECT_EQ(g->bounds().topLeft(), w.onFront("F_field1")->bounds().topLeft());
}

TEST(PanelRows, GettersAnswerByIdKindAndList)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    EXPECT_EQ(p.Get_Dynamic_Label_Ctrl("F_label1", "T"), nullptr) << "no rows";
    EXPECT_EQ(p.Get_Dynamic_Photo_Ctrl("F_Photo1"), nullptr);
    p.Add_label_btn->click();
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    struct Case {
        const char *id, *kind;
        QWidget *expected;
    } cases[] = {
        {"Fup_Name", "T", nullptr},
        {"F_label1", "T", p.view_array_label[0].control},
        {"F_label1", "C", p.view_array_label[0].chk},
        {"F_label1", "", p.view_array_label[0].chk},
        {"F_field1", "T", p.view_array_value[0].control},
        {"F_field1", "X", p.view_array_value[0].chk},
        {"F_Photo2", "T", p.view_array_value[1].control},  // the path box, not the well
        {"F_Photo2", "C", p.view_array_value[1].chk},
        {"F_label2", "T", nullptr},
        {"F_other1", "T", nullptr},
    };
    for (const Case &c : cases) EXPECT_EQ(p.Get_Dynamic_Label_Ctrl(c.id, c.kind), c.expected) << c.id << c.kind;
    EXPECT_EQ(p.Get_Dynamic_Photo_Ctrl("F_label1"), nullptr) << "a text row has no well";
    EXPECT_EQ(p.Get_Dynamic_Photo_Ctrl("F_Photo2"), p.view_array_label[1].control);
    EXPECT_EQ(idsOf(p.view_array_label), QStringList({"F_label1", "F_Photo2"}));
}

TEST(PanelRows, ResetRemovesRowsAndShrinksThePanelAtOnce)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    p.Add_label_btn->click();
    EXPECT_EQ(w.frontHolder->height(), 475 + 70 + 50);
    p.Reset_all_Ctrl();
    EXPECT_TRUE(p.view_array_label.empty());
    EXPECT_TRUE(p.view_array_value.empty());
    EXPECT_EQ(p.counter, 1);
    EXPECT_EQ(p.ctrl_y, 5.0);
    EXPECT_TRUE(p.custom_label_box->isHidden());
    EXPECT_TRUE(p.custom_field_box->isHidden());
    EXPECT_EQ(p.Frame_Of(p.custom_label_box), QRectF(0, -20, 145, 20));
    EXPECT_EQ(p.Frame_Of(p.custom_field_box), QRectF(150, -20, 200, 20));
    // The button's top edge stands 15 above the caption box's bottom edge.
    const QRectF button = p.Frame_Of(p.Add_label_btn);
    EXPECT_EQ(button.y() + button.height(), -20 + 15);
    EXPECT_TRUE(p.custom_label_box->findChildren<QWidget *>().isEmpty());
    EXPECT_EQ(w.frontHolder->height(), 475);
    // The next row is row 1 again at y 5.
    w.front().clear();
    p.Add_label_btn->click();
    EXPECT_EQ(p.Frame_Of(p.Get_Dynamic_Text_Box("F_label1")).y(), 5);
}

TEST(PanelRows, ANewRowAfterANumberingGapTakesAFreeNumber)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    // A card whose rows 1 and 3 are left: the rebuild makes two rows, so the counter
    // stands at 3, which is in use.
    for (const char *id : {"F_label1", "F_field1", "F_label3", "F_field3"}) {
        GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
        g->control_ID = id;
        g->Text_Value = id;
        g->Set_Ctrl_Is_Visible(true);
        w.front().insert(g, 0);
    }
    w.desk.front_list = Build_Dynamic_Control_List(w.front(), Dynamic_List_Source::Design_File);
    w.desk.Create_Control_For_Visitor_Mode();
    ASSERT_EQ(p.counter, 3);
    p.Add_label_btn->click();
    EXPECT_NE(p.Get_Dynamic_Text_Box("F_label4"), nullptr);
    EXPECT_EQ(w.onFront("F_label3")->Text_Value, "F_label3") << "the existing row keeps its text";
    EXPECT_EQ(w.onFront("F_label4")->Text_Value, "F_label4");
    EXPECT_EQ(p.counter, 5);
}

TEST(PanelRows, BackPanelRowsGoToTheCurrentSideAndSizeTheBackView)
{
    PanelDesk w;
    w.showSide(1);
    Profile_Panel &p = w.bp();
    p.Add_label_btn->click();
    EXPECT_NE(w.onBack("F_label1"), nullptr);
    EXPECT_EQ(w.onFront("F_label1"), nullptr);
    EXPECT_EQ(w.backHolder->height(), 475 + 45 + 50);
    EXPECT_EQ(w.desk.back_list.size(), 1u);
    EXPECT_TRUE(w.desk.front_list.empty());
}

TEST(PanelRows, AnEmptyPhotoValueKeepsThePathOrShowsThePlaceholder)
{
    PanelDesk w("G");
    Profile_Panel &p = w.fp();
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    SKTGraphic *photo = w.onFront("F_Photo1");
    static_cast<SKTImage *>(photo)->setFilePath(Resource_Path + "pic_ic.png", true);
    w.desk.Change_Value("", "F_Photo1", true, false);
    EXPECT_EQ(photo->FilePath(), Resource_Path + "pic_ic.png");
    EXPECT_EQ(photo->Text_Value, Resource_Path + "pic_ic.png");

    GraphicPtr bare = SKTGraphic::create(GraphicKind::Image);
    bare->control_ID = "F_Photo7";
    bare->setBounds(QRectF(0, 0, 40, 40));
    w.front().insert(bare, 0);
    w.desk.Change_Value("", "F_Photo7", true, false);
    EXPECT_EQ(bare->FilePath(), Resource_Path + "no.png");
    EXPECT_FALSE(bare->_contents.isNull());

    // Text keeps its stand-in.
    p.txt_or_image_ctrl = 0;
    p.Add_label_btn->click();
    w.desk.Change_Value("", "F_field2", true, false);
    EXPECT_EQ(w.onFront("F_field2")->Text_Value, "Text here");
}
