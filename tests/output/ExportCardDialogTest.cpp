// The export dialog's choices as options.
#include "Export_Card_Dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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
