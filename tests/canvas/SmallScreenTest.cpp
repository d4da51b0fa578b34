// The grid settings dialog fits the area a 1366 x 768 laptop screen leaves a window.
#include "Grid_Wizard.h"
#include "SKTGrid.h"
#include "SmallScreen.h"

#include <gtest/gtest.h>

TEST(SmallScreen, GridDialogFits)
{
    Grid_Wizard dialog;
    EXPECT_TRUE(testsupport::fitsSmallScreen(dialog));
}
