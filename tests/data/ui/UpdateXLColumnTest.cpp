// The group-mode column dialog filled from a design and answered as a user answers it.
#include "MessageBox.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "Update_XL_Column.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

struct ColumnDialog : ::testing::Test {
    SKTDocument doc;
    QStringList boxes;

    void SetUp() override
    {
        Set_MessageBox_Answerer([this](MessageBoxKind, const QString &text) {
            boxes << text.trimmed();
            return 1;
        });
        doc.m_spreadsheet.column_titles = {"Name", "Company", "Photo"};
        doc.setListData({{"1", "Ann", "Acme", "/p/ann.png"}});
        doc.m_columnChoices.excel_cb_value1 = 1;
        doc.m_columnChoices.excel_cb_value3 = 2;
        doc.m_columnChoices.excel_cb_value12 = 3;
    }
    void TearDown() override { Set_MessageBox_Answerer({}); }

    GraphicPtr add(int side, GraphicKind kind, const QString &id, bool visible = true, bool locked = false)
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->control_ID = id;
        g->Set_Ctrl_Is_Visible(visible);
        if (locked) g->ctrl_is_locked = true;
        doc.sideList(side).insert(g, doc.sideList(side).count());
        return g;
    }

    Column_Dialog_Side sideInput(int side)
    {
        Column_Dialog_Side in;
        in.side = side;
        for (int i = 1; i <= 10; ++i) in.captions << QString("Caption %1 :").arg(i);
        in.projectName = "Staff";
        in.projectPath = "All";
        in.excelFile = "/x/staff.xlsx";
        in.userRows = {{"F_label1", true, -1}, {"F_field1", true, 2}, {"F_Photo2", false, -1}};
        return in;
    }
};

QStringList itemsOf(const QComboBox *c)
{
    QStringList items;
    for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
    return items;
}

TEST_F(ColumnDialog, FillsFromTheSideAndTheChoices)
{
    add(0, GraphicKind::Text, "Fup_Name", true, true);  // locked
    add(0, GraphicKind::Text, "Fup_Company", false);    // hidden
    add(0, GraphicKind::Text, "Fup_Website");
    add(1, GraphicKind::Image, "Fup_Photo", true, true);  // the back's photo, locked
    Update_XL_Column dialog(doc);
    struct Row {
        int side;
        QString title;
    } rows[] = {{0, "Front Side Update Excel Column"}, {1, "Back Side Update Excel Column"}};
    for (const Row &r : rows) {
        dialog.Fill(sideInput(r.side));
        EXPECT_EQ(dialog.windowTitle(), r.title);
        EXPECT_EQ(dialog.labels[0]->text(), "Caption 1 :");
        EXPECT_EQ(dialog.Pass_proj_name->text(), "Staff");
        EXPECT_EQ(itemsOf(dialog.combos[4]), QStringList({"None", "Name", "Company", "Photo"}));
        EXPECT_EQ(dialog.combos[0]->currentIndex(), 1);
        EXPECT_EQ(dialog.combos[2]->currentIndex(), 2);
        EXPECT_EQ(dialog.combos[4]->currentIndex(), 0);
        EXPECT_EQ(dialog.combos[11]->currentIndex(), 3);
        // the back's locked photo keeps its column; the front has no photo to look from
        EXPECT_EQ(dialog.combos[11]->isEnabled(), r.side == 0) << r.side;
        EXPECT_TRUE(dialog.combos[10]->isEnabled()) << r.side;
        // user-added rows: values and photos, not captions
        ASSERT_EQ(dialog.view_array_value.size(), 2u);
        EXPECT_EQ(dialog.view_array_value[0].caption->text(), "F_field1");
        EXPECT_EQ(dialog.view_array_value[0].combo->currentIndex(), 2);
        EXPECT_FALSE(dialog.view_array_value[1].check->isChecked());
    }
    dialog.Fill(sideInput(0));
    EXPECT_TRUE(dialog.checks[0]->isChecked());
    EXPECT_FALSE(dialog.checks[0]->isEnabled()) << "a locked name keeps its row";
    EXPECT_FALSE(dialog.combos[0]->isEnabled());
    EXPECT_FALSE(dialog.checks[2]->isChecked()) << "a hidden control leaves its row unticked";
    EXPECT_TRUE(dialog.checks[2]->isEnabled());
    EXPECT_TRUE(dialog.checks[8]->isChecked());
    dialog.Fill(sideInput(1));
    EXPECT_FALSE(dialog.checks[0]->isChecked()) << "the back has no fields";
}

TEST_F(ColumnDialog, OkStoresTheChoicesAndRefusesNoName)
{
    Update_XL_Column dialog(doc);
    dialog.Fill(sideInput(0));
    const DesignColumnChoices before = doc.m_columnChoices;
    dialog.combos[0]->setCurrentIndex(0);
    dialog.combos[1]->setFocus();
    dialog.OKPressed();
    EXPECT_EQ(boxes, QStringList({"Default column should not be 'None'."}));
    EXPECT_EQ(dialog.focusWidget(), dialog.combos[0]) << "the field the message is about is selected";
    EXPECT_EQ(doc.m_columnChoices, before) << "nothing stored";
    EXPECT_EQ(dialog.result(), 0);

    dialog.combos[0]->setCurrentIndex(2);
    EXPECT_FALSE(dialog.checks[4]->isChecked());
    dialog.combos[4]->setCurrentIndex(1);  // choosing a column ticks the row
    EXPECT_TRUE(dialog.checks[4]->isChecked());
    dialog.combos[2]->setCurrentIndex(0);
    dialog.view_array_value[1].combo->setCurrentIndex(3);
    dialog.OKPressed();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(doc.m_columnChoices.excel_cb_value1, 2);
    EXPECT_EQ(doc.m_columnChoices.excel_cb_value3, -1) << "\"None\" stores -1";
    EXPECT_EQ(doc.m_columnChoices.excel_cb_value5, 1);
    EXPECT_EQ(doc.m_columnChoices.excel_cb_value12, 3);
    EXPECT_TRUE(dialog.shownFields()[4]);
    EXPECT_EQ(dialog.userRows(),
              (std::vector<Column_Dialog_Row>{{"F_field1", true, 2}, {"F_Photo2", true, 3}}));

    const QString shots = qEnvironmentVariable("GROUP_SHOTS");
    if (!shots.isEmpty()) {
        dialog.show();
        dialog.grab().save(QDir(shots).filePath("column-dialog.png"));
    }
}

} // namespace
