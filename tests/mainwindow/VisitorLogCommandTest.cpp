// The "Visitor Log" command: visitors recorded from the entry panels, listed, searched
// and opened in the log window that the command runs.
#include "Globals.h"
#include "Helpers.h"
#include "Profile_Panel.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "TestWindow.h"
#include "Visitor_Log_Records.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

TEST(VisitorLogCommand, RecordedVisitorsAreListedSearchedAndOpened)
{
    TestWindow w;
    w.document.Start_Card_Option = "V";
    w.controller.Select_front_side();
    Check_Path_And_Create_VISITOR_Files();
    w.add(w.front(), GraphicKind::Text, {10, 10, 50, 20});
    Profile_Panel &panel = *Front_Profile_Panel_OBJ;
    for (const char *name : {"Ann Brien", "Carl"}) {
        panel.fields[0].value->setText(QLatin1String(name));
        panel.fields[0].value_chk->setChecked(true);
        panel.fields[0].label->setText("Name :");
        panel.fields[0].label_chk->setChecked(true);
        panel.Add_to_DB_btn->click();
    }
    testsupport::boxes().clear();
    ASSERT_TRUE(w.command("VisitorLog")->isEnabled());

    QStringList listed, found, shown;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *log = qobject_cast<Visitor_Log_Records *>(QApplication::activeModalWidget());
        ASSERT_NE(log, nullptr);
        ran = true;
        for (const Visitor_Log_Entry &e : log->ListData()) listed << e.value(Log_Name);
        log->filterBoxes[Filter_Name]->setText("bri");
        log->searchButton->click();
        for (const Visitor_Log_Entry &e : log->ListData()) found << e.value(Log_Name);
        log->Mark_List_New_Selection(0);
        log->doubleClickInTable();
        for (const Gate_Pass_Row &r : log->passData().front)
            if (!r.value.isEmpty()) shown << r.value;
        log->backButton->click();
        log->closeButton->click();
    });
    w.command("VisitorLog")->trigger();
    EXPECT_TRUE(ran);
    EXPECT_EQ(listed, QStringList({"Carl", "Ann Brien"}));
    EXPECT_EQ(found, QStringList({"Ann Brien"}));
    EXPECT_TRUE(shown.contains("Ann Brien"));
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_FALSE(w.controller.Close_DB_Connection()) << "no connection stays open";
}
