// Group mode keeps the panel in step with the card: a value typed into a bound text on
// its Text tab is in the row's panel box at once (no second undo step), so the row's
// Save stores what the card shows; after Undo and Redo every panel box, the photo box
// too, shows the restored card and not another picture of the side.
#include "ControlPanels.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "Group_Row_List.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "GroupProjectWindow.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace group_panel_in_step_test {

namespace {

constexpr int kRows = 13;
constexpr int kNameColumn = 1, kPhotoColumn = 4;

struct GroupPanelInStep : ::testing::Test, Group_Project_Window {
    QString home;
    QString logo;
    QString photoOf(int row) const { return home + QStringLiteral("/person%1.png").arg(row); }

    // A project of 13 people (row 1 is "Ann Lee"), each with a photo of their own: the
    // name, the company and the photo on the front, and the company logo, a picture
    // without a control ID, after the photo.
    void SetUp() override
    {
        home = testsupport::testHome();
        logo = home + "/logo.png";
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        ASSERT_TRUE(picture.save(logo));
        QList<QStringList> rows;
        for (int r = 0; r < kRows; ++r) {
            picture.fill(QColor::fromHsv(r % 360, 200, 200));
            ASSERT_TRUE(picture.save(photoOf(r)));
            const QString name = r == 1 ? QStringLiteral("Ann Lee") : QStringLiteral("Person %1").arg(r);
            rows.append({QString::number(r + 1), name, QStringLiteral("Company %1").arg(r),
                         QStringLiteral("U%1").arg(r), photoOf(r)});
        }
        SKTDocument &d = w.document;
        d.Front_card_Prop.setCard_Side("2");
        for (auto [id, y] : {std::pair{"Fup_Name", 10.0}, std::pair{"Fup_Company", 35.0}}) {
            GraphicPtr g = w.add(d.sideList(0), GraphicKind::Text, {100, y, 120, 18});
            g->control_ID = id;
            g->Set_text_value("Text here");
        }
        // Controls added later are put on top, before those added earlier: the logo
        // comes after the photo in the side's list, as in the shipped templates.
        GraphicPtr company = w.add(d.sideList(0), GraphicKind::Image, {10, 100, 40, 40});
        static_cast<SKTImage *>(company.get())->setFilePath(logo, true);
        GraphicPtr photo = w.add(d.sideList(0), GraphicKind::Image, {10, 10, 60, 80});
        photo->control_ID = "Fup_Photo";
        d.m_columnChoices.excel_cb_value1 = kNameColumn;
        d.m_columnChoices.excel_cb_value3 = 2;
        d.m_columnChoices.excel_cb_value11 = kPhotoColumn;
        d.m_spreadsheet.column_titles = {"Name", "Company", "Unique", "Photo"};
        d.m_spreadsheet.Excel_Source_Path = home + "/staff.xlsx";
        d.setListData(rows);
        d.Start_Card_Option = Card_Mode::Group;
        const QString folder = home + "/Group_Excel_Data/All";
        ASSERT_TRUE(QDir().mkpath(folder));
        path = folder + "/Staff.zcd";
        d.Project_File_Name = path;
        ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
        reopen();
        testsupport::boxes().clear();
    }
    void pick(int row)
    {
        QListWidget &l = *list().GroupList;
        l.scrollToItem(l.item(row));
        QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, l.visualItemRect(l.item(row)).center());
        ASSERT_EQ(list().selectedRow(), row);
    }
    SKTGraphic *onFront(const char *id) { return w.controller.graphicView(0)->Selcect_Ctrl_With_ID(id); }
    QString nameOnCard() { return onFront("Fup_Name")->Text_Value; }
    Profile_Panel &panel() { return *Profile_Panel_Of_Side(0); }
    QString nameBox() { return panel().Text_Box_For_ID("Fup_Name")->text(); }
    // The bound name selected, text appended on its Text tab, then a click away.
    void typeOnCard(const QString &appended)
    {
        SKTGraphic *g = onFront("Fup_Name");
        w.controller._graphicView->selectGraphics({g});
        w.controller.Set_Selected_Graphic(g);
        w.controller.Show_RHS_Properties(g);
        QPlainTextEdit *value = w.controller.controlPanels->text.value;
        value->setPlainText(value->toPlainText() + appended);
        w.controller.Show_RHS_Properties(nullptr);
    }
    void save()
    {
        QTest::mouseClick(list().save_btn, Qt::LeftButton);
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nRecord saved successfully."});
    }
};

TEST_F(GroupPanelInStep, AValueTypedOnTheCardIsInThePanelAtOnceAndSaveStoresIt)
{
    pick(1);
    ASSERT_EQ(nameOnCard(), "Ann Lee");
    ASSERT_EQ(nameBox(), "Ann Lee");
    const int steps = w.controller.Get_Undo_Count();
    typeOnCard(" Jr");
    EXPECT_EQ(nameOnCard(), "Ann Lee Jr");
    EXPECT_EQ(nameBox(), "Ann Lee Jr") << "the panel box follows the card at once";
    EXPECT_EQ(w.controller.Get_Undo_Count(), steps + 1) << "the typing is one undo step, the panel's no other";
    save();
    EXPECT_EQ(w.document.ListData().at(1).at(kNameColumn), "Ann Lee Jr");
    EXPECT_EQ(w.document.ListData().at(1).at(kPhotoColumn), photoOf(1)) << "the photo stays the row's";
}

TEST_F(GroupPanelInStep, AfterUndoAndRedoThePhotoBoxShowsTheRowsPhoto)
{
    pick(12);
    typeOnCard(" Jr");
    for (const char *step : {"Undo", "Redo"}) {
        w.command(step)->trigger();
        EXPECT_EQ(nameBox(), QString(step) == "Undo" ? "Person 12" : "Person 12 Jr") << step;
        EXPECT_EQ(panel().image_path_val->text(), photoOf(12)) << step;
        // The picture beside the box is the row's photo too, not the logo.
        EXPECT_EQ(panel().userPicture().image().pixelColor(0, 0).rgb(), QColor::fromHsv(12, 200, 200).rgb()) << step;
    }
}

} // namespace

} // namespace group_panel_in_step_test
