// The visitor log window fits the area a 1366 x 768 laptop screen leaves a window, with
// its list of visits and with a visit's details.
#include "Globals.h"
#include "Helpers.h"
#include "PictureAdjuster.h"
#include "Shots.h"
#include "SmallScreen.h"
#include "TestSupport.h"
#include "VisitorRecordStore.h"
#include "Visitor_Log_Records.h"

#include <QCoreApplication>
#include <QDate>
#include <gtest/gtest.h>

using testsupport::fitsSmallScreen;

namespace {
struct SameAdjuster : PictureAdjuster {
    Picture adjusted(const Picture &source, const ImageAdjustments &, QSize) const override { return source; }
};

void shot(QWidget &window, const QString &name)
{
    if (qEnvironmentVariableIsEmpty("DOZO_SHOTS_DIR")) return;
    window.show();
    QCoreApplication::processEvents();
    testsupport::saveShot(window, name);
}
}  // namespace

TEST(SmallScreen, VisitorLogFitsWithTheListAndWithAVisit)
{
    Check_Path_And_Create_VISITOR_Files();
    VisitorRecordStore store;
    Visitor_Record r;
    r.Date_Time_Stamp = QDate::currentDate().toString("yyyy-MM-dd") + " 09:30:00";
    r.front.values[VName] = "Ann Example";
    r.front.captions[VName_lb] = "Name :";
    r.front.values[Use_Date] = "1";
    r.front.values[Use_Time] = "1";
    ASSERT_TRUE(store.Open_DB_Connection());
    ASSERT_TRUE(store.Insert_Visitor_Record(r));
    store.Close_DB_Connection();

    SameAdjuster adjuster;
    Visitor_Log_Records log(store, adjuster, nullptr);
    log.Prepare_Log_Wnd();
    EXPECT_TRUE(fitsSmallScreen(log)) << "list";
    shot(log, "win-visitor-log");
    log.Show_Visitor_Details(QStringLiteral("1"));
    ASSERT_TRUE(log.Details_Box->isVisibleTo(&log));
    EXPECT_TRUE(fitsSmallScreen(log)) << "visit details";
    shot(log, "win-visit-details");
    log.hide();
}
