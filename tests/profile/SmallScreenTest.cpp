// The profile dialogs, of one side and of both, fit the area a 1366 x 768 laptop
// screen leaves a window.
#include "PanelDesk.h"
#include "Profile_Dialog.h"
#include "Shots.h"
#include "SmallScreen.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using testsupport::fitsSmallScreen;

TEST(SmallScreen, ProfileDialogsFit)
{
    PanelDesk w;
    const std::pair<const char *, Profile_Dialog *> dialogs[] = {
        {"profile-one-side", &w.profiles.Show_User_Profile_Window()},
        {"profile-both-sides", &w.profiles.User_profile_Window()},
    };
    for (const auto &[name, dialog] : dialogs) {
        EXPECT_TRUE(fitsSmallScreen(*dialog)) << name;
        if (!qEnvironmentVariableIsEmpty("DOZO_SHOTS_DIR")) {
            dialog->show();
            QCoreApplication::processEvents();
            testsupport::saveShot(*dialog, QStringLiteral("win-%1").arg(name));
            dialog->hide();
        }
    }
}
