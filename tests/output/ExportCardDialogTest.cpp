// The export options window: its choices as options, the data boxes and the range
// with the rules of its fields.
#include "Export_Card_Dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(ExportCardDialog, OptionsFollowTheCardSides)
{
    Export_Card_Dialog oneSided(false);
    EXPECT_FALSE(oneSided.sideGroup->button(0)->isEnabled());
    EXPECT_FALSE(oneSided.sideGroup->button(2)->isEnabled());
    EXPECT_EQ(oneSided.options().layout, Export_Layout::Front);

    Export_Card_Dialog twoSided(true);
    EXPECT_EQ(twoSided.options().layout, Export_Layout::Both);
    twoSided.combinedChk->setChecked(true);
    EXPECT_EQ(twoSided.options().layout, Export_Layout::Combined_Above);
    twoSided.sideBySideChk->setChecked(true);
    twoSided.fileTypePopup->setCurrentText("JPEG");
    EXPECT_EQ(twoSided.options().layout, Export_Layout::Combined_Side_By_Side);
    EXPECT_EQ(twoSided.options().extension, "jpg");
}

namespace {
Export_Data_Sources seriesOfTwelve()
{
    Export_Data_Sources s;
    s.visitorMode = false;
    s.seriesInUse = true;
    s.seriesRows = 12;
    s.excelRows = 0;
    return s;
}
} // namespace

TEST(ExportCardDialog, VisitorModeOffersNoDataAndNoRange)
{
    Export_Card_Dialog dialog(true, Export_Data_Sources{});
    EXPECT_TRUE(dialog.Export_with_batch_chk->isHidden());
    EXPECT_FALSE(dialog.Export_with_batch_chk->isChecked());
    EXPECT_FALSE(dialog.Export_with_excel_chk->isChecked());
    EXPECT_FALSE(dialog.export_range_box->isEnabled());
    EXPECT_FALSE(dialog.options().batch());
}

TEST(ExportCardDialog, BoundDataOpensWithAllCardsOfTheSources)
{
    Export_Card_Dialog dialog(false, seriesOfTwelve());
    EXPECT_FALSE(dialog.Export_with_batch_chk->isHidden());
    EXPECT_TRUE(dialog.Export_with_batch_chk->isEnabled());
    EXPECT_TRUE(dialog.Export_with_batch_chk->isChecked());
    EXPECT_FALSE(dialog.Export_with_excel_chk->isEnabled());
    EXPECT_FALSE(dialog.Export_with_excel_chk->isChecked());
    EXPECT_TRUE(dialog.export_range_box->isEnabled());
    EXPECT_TRUE(dialog.All_print_rd->isChecked());
    EXPECT_EQ(dialog.Total_Text->value(), 12);
    EXPECT_EQ(dialog.To_Text->value(), 12);
    EXPECT_EQ(dialog.from_Text->value(), 1);
    EXPECT_FALSE(dialog.from_Text->isEnabled());
    EXPECT_TRUE(dialog.Total_Text->isEnabled());
    const Export_Card_Options o = dialog.options();
    EXPECT_TRUE(o.batch());
    EXPECT_EQ(o.range.first, 0);
    EXPECT_EQ(o.range.end, 12);
    EXPECT_EQ(o.sides().side, Run_Sides::Front);

    // Without the series the range goes and the export is a single card.
    dialog.Export_with_batch_chk->setChecked(false);
    EXPECT_FALSE(dialog.export_range_box->isEnabled());
    EXPECT_EQ(dialog.Total_Text->value(), 1);
    EXPECT_FALSE(dialog.options().batch());
}

TEST(ExportCardDialog, RangeFieldRules)
{
    const std::tuple<const char *, int, bool, int> rows[] = {
        {"", 12, true, 1},  {"0", 12, true, 1},   {"00", 12, true, 1}, {"-3", 12, true, 1},  {"x", 12, true, 1},
        {"7", 12, true, 7}, {"12", 12, true, 12}, {"13", 12, true, 12}, {"99", 12, false, 99},
    };
    for (const auto &[typed, max, cap, expected] : rows)
        EXPECT_EQ(Range_Field_Value(typed, max, cap), expected) << typed << " " << max;

    Export_Card_Dialog dialog(true, seriesOfTwelve());
    dialog.Sel_print_rd->setChecked(true);
    EXPECT_TRUE(dialog.To_Text->isEnabled());
    EXPECT_FALSE(dialog.Total_Text->isEnabled());
    struct Typing {
        const char *typed;
        const char *shown;
    };
    for (const Typing &t : {Typing{"0", "1"}, Typing{"99", "12"}, Typing{"5", "5"}}) {
        dialog.To_Text->clear();
        QTest::keyClicks(dialog.To_Text, t.typed);
        EXPECT_EQ(dialog.To_Text->text(), t.shown) << t.typed;
    }
    dialog.from_Text->clear();
    QTest::keyClicks(dialog.from_Text, "0");
    EXPECT_EQ(dialog.from_Text->text(), "1");
}

TEST(ExportCardDialog, AFromAboveToIsRefused)
{
    Export_Card_Dialog dialog(true, seriesOfTwelve());
    dialog.Sel_print_rd->setChecked(true);
    dialog.from_Text->setValue(8);
    dialog.To_Text->setValue(5);
    dialog.exportOkay();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select valid range."});
    EXPECT_NE(dialog.result(), int(QDialog::Accepted));
    dialog.from_Text->setValue(5);
    dialog.To_Text->setValue(7);
    dialog.exportOkay();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    const Export_Card_Options o = dialog.options();
    EXPECT_EQ(o.range.first, 4);
    EXPECT_EQ(o.range.end, 7);
    EXPECT_EQ(o.range.count(), 3);
}

TEST(ExportCardDialog, MirrorChoice)
{
    Export_Card_Dialog dialog(true);
    EXPECT_FALSE(dialog.mirror_matrix->button(1)->isEnabled());
    EXPECT_EQ(dialog.options().mirror, Side_Mirror::None);
    dialog.mirror_chk_box->setChecked(true);
    EXPECT_TRUE(dialog.mirror_matrix->button(1)->isEnabled());
    EXPECT_EQ(dialog.options().mirror, Side_Mirror::Horizontal);
    dialog.mirror_matrix->button(1)->setChecked(true);
    EXPECT_EQ(dialog.options().mirror, Side_Mirror::Vertical);
    dialog.mirror_chk_box->setChecked(false);
    EXPECT_EQ(dialog.options().mirror, Side_Mirror::None);
}
