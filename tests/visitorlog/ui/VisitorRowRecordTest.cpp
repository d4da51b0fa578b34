// The user-added rows of the visitor panels in the recorded visit: their ticked
// captions and values as the other details of each side.
#include "RecordingDesk.h"
#include "Helpers.h"
#include "TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {
// The "Other" and "Other_B" columns of every recorded visit, read back with sqlite3.
std::vector<std::pair<QString, QString>> otherDetails()
{
    std::vector<std::pair<QString, QString>> rows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(Database_Path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT Other, Other_B FROM Visitor_Records ORDER BY ID", -1, &st, nullptr) ==
            SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW)
                rows.emplace_back(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))),
                                  QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

void typeRow(Profile_Panel &p, int n, const QString &caption, const QString &value)
{
    PanelDesk::type(p.Get_Dynamic_Text_Box(QStringLiteral("F_label%1").arg(n)), caption);
    PanelDesk::type(p.Get_Dynamic_Text_Box(QStringLiteral("F_field%1").arg(n)), value);
}

struct Desk : RecordingDesk {
    Desk()
    {
        Check_Path_And_Create_VISITOR_Files();
        QFile::remove(Database_Path);
        Check_Path_And_Create_VISITOR_Files();
        testsupport::boxes().clear();
    }
};
} // namespace

TEST(RowRecord, OtherDetailsHoldTheTickedRowsOfEachSide)
{
    Desk w;
    Profile_Panel &f = w.fp();
    for (int i = 0; i < 3; ++i) f.Add_label_btn->click();
    typeRow(f, 1, "Badge", "42");
    typeRow(f, 2, "Escort", "Ann");
    typeRow(f, 3, "Parking", "B2");
    for (const char *id : {"F_label3", "F_field3"}) f.Get_Dynamic_Chk_Box(id)->click();
    f.txt_or_image_ctrl = 1;
    f.Add_label_btn->click();  // a photo row adds nothing
    w.showSide(1);
    w.bp().Add_label_btn->click();
    typeRow(w.bp(), 1, "Host", "Room 4");
    w.document.Front_card_Prop.setCard_Side("2");
    w.desk.Add_Visitor_Record_To_DB();

    // Caption unticked on the front shown: the value alone (the record holds what the
    // card shows, and a panel's box acts on the side shown).
    w.showSide(0);
    f.Get_Dynamic_Chk_Box("F_label1")->click();
    w.document.Front_card_Prop.setCard_Side("1");
    w.desk.Add_Visitor_Record_To_DB();
    const auto rows = otherDetails();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].first, "Badge : 42\r\nEscort : Ann");
    EXPECT_EQ(rows[0].second, "Host : Room 4");
    EXPECT_EQ(rows[1].first, "42\r\nEscort : Ann");
    EXPECT_EQ(rows[1].second, "") << "a one-sided card has no back details";
}

TEST(RowRecord, ACardWithOnlyOneTypedRowIsRecorded)
{
    Desk w;
    w.fp().Add_label_btn->click();
    typeRow(w.fp(), 1, "Note", "it's \"quoted\"");
    testsupport::boxes().clear();
    w.desk.Add_Visitor_Record_To_DB();
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nVisitor Details has been saved successfully"}));
    ASSERT_EQ(otherDetails().size(), 1u);
    EXPECT_EQ(otherDetails()[0].first, "Note : it's \"quoted\"");
}

