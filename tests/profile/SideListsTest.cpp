// The side lists of user-added controls, the values pushed into the rows from them and
// the front's photo control.
#include "CardControls.h"
#include "Dynamic_Control_List.h"
#include "FileUtilities.h"
#include "Profile_Data_Source.h"
#include "PanelDesk.h"
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

GraphicPtr addImage(SKTGraphicList &side, const QString &id, const QString &path)
{
    std::shared_ptr<SKTImage> g = SKTImage::initWithPath(QPointF(5, 5), path);
    g->control_ID = id;
    g->setBounds(QRectF(5, 5, 40, 50));
    g->Set_Ctrl_Is_Visible(true);
    side.insert(g, side.count());
    return g;
}

QStringList entriesOf(const Dynamic_Ctrl_List &list)
{
    QStringList out;
    for (const Dynamic_Ctrl_Entry &e : list) out << e.toList().join('|');
    return out;
}

// A spreadsheet of one row whose column c holds "cell c".
struct OneRowSheet : Profile_Data_Source {
    int Calculate_Excel_table_rows() const override { return 1; }
    QString Get_Excel_Table_Item_Text(int row, int col) const override
    {
        return row == 0 && col < 3 ? QStringLiteral("cell %1").arg(col) : QStringLiteral("Text here");
    }
};

QStringList g_log;
void keepLog(QtMsgType, const QMessageLogContext &, const QString &text) { g_log << text; }
} // namespace

TEST(SideLists, BuildersListWhatTheirSourceAsks)
{
    PanelDesk w;
    const QString picture = Resource_Path + "pic_ic.png";
    addText(w.front(), "F_label1", "Badge");
    addText(w.front(), "F_field1", "42", false);
    addText(w.front(), "Fup_Name", "Ann");
    addText(w.front(), "", "free");
    addImage(w.front(), "F_Pic1", picture);
    GraphicPtr photo = addImage(w.front(), "F_Photo2", picture);
    addImage(w.front(), "F_Photo3", picture)->Set_text_value(Resource_Path + "gone.png");
    photo->Set_Data_source_type(2);
    photo->Set_Excel_binding_Index(4);

    EXPECT_EQ(entriesOf(Build_Dynamic_Control_List(w.front(), Dynamic_List_Source::Panel)),
              QStringList({"F_field1|42|N|-1|T", "F_Pic1|" + picture + "|Y|-1|P", "F_Photo2|" + picture + "|Y|4|P",
                           "F_Photo3||Y|-1|P"}));
    EXPECT_EQ(entriesOf(Build_Dynamic_Control_List(w.front(), Dynamic_List_Source::Design_File)),
              QStringList({"F_label1|Badge|Y|-1|T", "F_field1|42|N|-1|T", "F_Photo2|" + picture + "|Y|4|P",
                           "F_Photo3||Y|-1|P"}));

    SKTGraphicList captionsOnly(&w.document);
    addText(captionsOnly, "F_label1", "Badge");
    EXPECT_TRUE(Build_Dynamic_Control_List(captionsOnly, Dynamic_List_Source::Panel).empty());
}

TEST(SideLists, PushTakesTypedTextOrTheFirstRowsCellAndLogsEachEntry)
{
    PanelDesk w("G");
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    p.Add_label_btn->click();
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    PanelDesk::type(p.Get_Dynamic_Text_Box("F_field1"), "typed");
    PanelDesk::type(p.Get_Dynamic_Text_Box("F_field2"), "typed too");
    w.source = (std::make_unique<OneRowSheet>());
    const QString picture = Resource_Path + "pic_ic.png";
    addImage(w.front(), "F_Pic1", picture);
    w.desk.front_list = {{"F_field1", "stored", "Y", "-1", "T"},
                                            {"F_field2", "stored", "N", "1", "T"},
                                            {"F_Photo3", "", "Y", "-1", "P"},
                                            {"F_Pic1", "", "Y", "-1", "P"}};
    g_log.clear();
    const QtMessageHandler before = qInstallMessageHandler(keepLog);
    w.desk.Update_Value_For_Dynamic_Control("A", "");
    qInstallMessageHandler(before);

    EXPECT_EQ(w.onFront("F_field1")->Text_Value, "typed") << "an unbound row keeps what was typed";
    EXPECT_EQ(w.onFront("F_field2")->Text_Value, "cell 1");
    EXPECT_FALSE(w.onFront("F_field2")->ctrl_is_visible);
    EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_field2")->isChecked());
    EXPECT_FALSE(p.Get_Dynamic_Text_Box("F_field2")->isEnabled());
    EXPECT_EQ(p.Get_Dynamic_Text_Box("F_field2")->text(), "cell 1");
    // The photo row's box held the placeholder's path: the well shows the placeholder.
    EXPECT_EQ(p.Well_Picture(p.Get_Dynamic_Photo_Ctrl("F_Photo3")), w.noImage);
    // An image-tool picture has no row: its picture and path stay.
    EXPECT_EQ(w.onFront("F_Pic1")->FilePath(), picture);
    EXPECT_FALSE(w.onFront("F_Pic1")->_contents.isNull());
    EXPECT_TRUE(g_log.contains("ID : F_field1 - VAL : stored - VISIBLE : Y - INDX : -1"));
    EXPECT_TRUE(g_log.contains("ID : F_field2 - VAL : stored - VISIBLE : N - INDX : 1"));
    EXPECT_EQ(Not_Draw_Only_Prop_Change, 0);

    // Mode "S" with an ID that is not listed changes nothing.
    PanelDesk::type(p.Get_Dynamic_Text_Box("F_field1"), "again");
    w.onFront("F_field1")->Set_text_value("kept");
    w.desk.Update_Value_For_Dynamic_Control("S", "F_field9");
    EXPECT_EQ(w.onFront("F_field1")->Text_Value, "kept");

    // A photo row whose path box holds "Text here" or nothing shows the error picture.
    for (const char *text : {"Text here", ""}) {
        p.Get_Dynamic_Text_Box("F_Photo3")->setText(text);
        w.desk.Update_Value_For_Dynamic_Control("S", "F_Photo3");
        EXPECT_EQ(p.Well_Picture(p.Get_Dynamic_Photo_Ctrl("F_Photo3")), w.errImage) << text;
        EXPECT_EQ(w.onFront("F_Photo3")->FilePath(), Resource_Path + "no.png") << "the control keeps its path";
    }
}

TEST(SideLists, RebuildPairsCaptionsWithValuesAndGivesLoneCaptionsARow)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    // Design-reader order is side order, newest first: the rebuild walks it backwards.
    const Dynamic_Ctrl_List list{{"F_Photo4", Resource_Path + "no.png", "Y", "-1", "P"},
                                 {"F_field3", "3", "Y", "-1", "T"},
                                 {"F_label3", "Three", "N", "-1", "T"},
                                 {"F_label2", "Lone", "Y", "-1", "T"},
                                 {"F_field 1", "one", "Y", "-1", "T"},
                                 {"F_label1", "One", "Y", "-1", "T"}};
    Create_Control_For_Visitor_Mode_Side(list, p);
    QStringList captions, values;
    for (const Row_Entry &r : p.view_array_label) captions << r.id + "@" + QString::number(p.Frame_Of(r.control).y());
    for (const Row_Entry &r : p.view_array_value) values << r.id + "@" + QString::number(p.Frame_Of(r.control).y());
    EXPECT_EQ(captions, QStringList({"F_label1@5", "F_label2@30", "F_label3@55", "F_Photo4@77"}));
    EXPECT_EQ(values, QStringList({"F_field 1@5", "F_field3@55", "F_Photo4@80"}));
    EXPECT_EQ(p.Well_Picture(p.Get_Dynamic_Photo_Ctrl("F_Photo4")), w.noImage);
    EXPECT_EQ(p.txt_or_image_ctrl, 1) << "the desk sets it back to 0, not the side's rebuild";
    EXPECT_EQ(p.Get_Dynamic_Text_Box("F_label3")->text(), "Three");
    EXPECT_FALSE(p.Get_Dynamic_Text_Box("F_label3")->isEnabled());
    EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_label3")->isChecked());
    EXPECT_TRUE(w.front().isEmpty()) << "a rebuilt row sends nothing to the card";

    Profile_Panel &b = w.bp();
    Create_Control_For_Visitor_Mode_Side({{"F_field1", "x", "Y", "-1", "T"}, {"F_field2", "y", "Y", "-1", "T"}}, b);
    EXPECT_FALSE(b.Has_Rows()) << "values without captions build nothing";
}

TEST(DefaultPhoto, BlankFrontGetsAVisiblePlaceholderPhoto)
{
    PanelDesk w;
    Library_Selected_Image = Resource_Path + "pic_ic.png";  // a stale library choice
    w.showSide(1);  // the test is on the front whatever side is shown
    w.desk.Check_For_Default_Photo_Control();
    SKTGraphic *photo = w.onFront("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->kind(), GraphicKind::Image);
    EXPECT_EQ(photo->FilePath(), Resource_Path + "no.png");
    EXPECT_EQ(photo->_contents, Picture::fromFile(Resource_Path + "no.png"));
    EXPECT_EQ(photo->bounds(), Visitor_Sample_Rect(w.document.Front_card_Prop.Card_Size(), "Fup_Photo"));
    EXPECT_EQ(w.back().count(), 0);
}

TEST(DefaultPhoto, AnotherImageOnTheFrontIsKeptAndSelectedEvenWithTheBackShown)
{
    PanelDesk w;
    GraphicPtr other = addImage(w.front(), "", Resource_Path + "pic_ic.png");
    addText(w.back(), "Fup_Name", "x");
    w.showSide(1);
    w.desk.Check_For_Default_Photo_Control();
    EXPECT_EQ(w.onFront("Fup_Photo"), nullptr);
    EXPECT_EQ(w.front().count(), 1);
    EXPECT_EQ(w.frontView.Selected_Graphic(), other.get());
}

TEST(SideLists, StandInHandOffUpdatesOnlyAnExistingControl)
{
    PanelDesk w;
    const QString picture = Resource_Path + "pic_ic.png";
    GraphicPtr text = addText(w.front(), "F_field1", "old");
    GraphicPtr image = addImage(w.front(), "F_Photo2", Resource_Path + "no.png");
    const QString textPath = text->FilePath();
    Profile_Data_Source source;
    struct Case {
        const char *id, *value, *kind;
        bool visible;
    } cases[] = {
        {"F_field1", "new", "P", false},    // a text control takes the text whatever the kind says
        {"F_Photo2", "", "P", true},        // no picture named: the picture stays
        {"F_Photo2", "pic", "P", true},     // a picture: path and text path
        {"F_Photo2", "text", "T", true},    // a text for an image changes no picture
        {"F_field9", "lost", "T", true},    // no control: nothing is made
    };
    for (const Case &c : cases)
        source.Check_and_create_control_for_group_mode(w.front(), c.id, c.value == QLatin1String("pic") ? picture : c.value,
                                                       c.kind, -1, c.visible, true, false);
    EXPECT_EQ(text->Text_Value, "new");
    EXPECT_EQ(text->FilePath(), textPath);
    EXPECT_FALSE(text->ctrl_is_visible);
    EXPECT_EQ(image->FilePath(), picture);
    EXPECT_EQ(image->Text_Value, picture);
    EXPECT_EQ(w.front().count(), 2);
}

TEST(SideLists, PushLeavesControlsWithoutARowAndHandsUpdatesOnly)
{
    struct Recording : Profile_Data_Source {
        QStringList calls;
        void Check_and_create_control_for_group_mode(SKTGraphicList &, const QString &id, const QString &value,
                                                     const QString &kind, int column, bool visible, bool update,
                                                     bool otherSide) override
        {
            calls << QStringLiteral("%1|%2|%3|%4|%5|%6|%7").arg(id, value, kind).arg(column).arg(visible).arg(update).arg(otherSide);
        }
    };
    PanelDesk w;
    w.fp().Add_label_btn->click();
    auto recording = std::make_unique<Recording>();
    Recording *r = recording.get();
    w.source = (std::move(recording));
    w.desk.front_list = {{"F_Pic1", "", "N", "-1", "P"}, {"F_field1", "x", "Y", "-1", "T"}};
    w.desk.Update_Value_For_Dynamic_Control("A", "");
    EXPECT_EQ(r->calls, QStringList({"F_field1|F_field1|T|-1|1|1|0"}));
}
