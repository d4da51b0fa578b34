// Recording a visitor from the entry panels into the visitor database, read back with
// the database's own interface.
#include "Globals.h"
#include "Helpers.h"
#include "Profile_Panel.h"
#include "TestSupport.h"
#include "RecordingDesk.h"
#include "SKTImage.h"
#include "Visitor_Record_Desk.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>
#include <vector>

namespace {
using Row = std::map<QString, QString>;

const QString kSaved = QStringLiteral("\nVisitor Details has been saved successfully");
const QString kNothingEntered = QStringLiteral("\nPlease enter some details of visitor.");
const QString kOneSidedBackShown = QStringLiteral("\nThis card has one side: its visitor is recorded from the front.\n"
                                                  "Please show the front and enter the visitor's details there.");
const QString kNoControls = QStringLiteral("\nThere is no details for Visitor.\nPlease enter some details.");

QString today() { return QLocale(QLocale::English, QLocale::UnitedStates).toString(QDate::currentDate(), "dd-MMM-yyyy"); }

std::vector<Row> readRows()
{
    std::vector<Row> rows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(Database_Path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT * FROM Visitor_Records ORDER BY ID", -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            Row row;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
                row[QString::fromUtf8(sqlite3_column_name(st, c))] = text ? QString::fromUtf8(text) : QStringLiteral("<null>");
            }
            rows.push_back(row);
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

struct Window : RecordingDesk {
    Window()
    {
        // A fresh copy of the shipped database for every test.
        Check_Path_And_Create_VISITOR_Files();
        QFile::remove(Database_Path);
        Check_Path_And_Create_VISITOR_Files();
        add(front(), GraphicKind::Text, {10, 10, 50, 20});
        testsupport::boxes().clear();
    }
    Profile_Panel &fp() { return *Front_Profile_Panel_OBJ; }
    Profile_Panel &bp() { return *Back_Profile_Panel_OBJ; }
    static void value(Profile_Panel &p, int field, const QString &text, bool shown = true)
    {
        p.fields[field].value->setText(text);
        p.fields[field].value_chk->setChecked(shown);
    }
    static void caption(Profile_Panel &p, int field, const QString &text, bool shown = true)
    {
        p.fields[field].label->setText(text);
        p.fields[field].label_chk->setChecked(shown);
    }
    QStringList record()
    {
        Front_Profile_Panel_OBJ->Add_to_DB_btn->click();
        return testsupport::boxes().take();
    }
};

const QRegularExpression kTime(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
const QRegularExpression kStamp(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
} // namespace

TEST(VisitorRecord, TextsAreStoredAsTypedWithTheirShowBoxes)
{
    Window w;
    ASSERT_TRUE(w.fp().Add_to_DB_btn->isEnabled());
    Window::value(w.fp(), 0, "Dara O'Neil");
    Window::caption(w.fp(), 0, "Visitor's name :");
    Window::value(w.fp(), 2, "Acme", false);      // typed, then hidden
    Window::caption(w.fp(), 2, "Company :", false);
    Window::value(w.fp(), 4, "1 Main St, Cork");  // commas reach the row
    w.fp().image_path_val->setText(Resource_Path + "pic_ic.png");  // a template's grey figure
    Window::value(w.fp(), 8, "'); DROP TABLE Visitor_Records; --");
    EXPECT_EQ(w.record(), QStringList{kSaved});

    std::vector<Row> rows = readRows();
    ASSERT_EQ(rows.size(), 1u);
    Row &r = rows[0];
    EXPECT_EQ(r["VName"], "Dara O'Neil");
    EXPECT_EQ(r["VName_lb"], "Visitor's name :");
    EXPECT_EQ(r["CompanyName"], "");
    EXPECT_EQ(r["CompanyName_lb"], "");
    EXPECT_EQ(r["Address"], "1 Main St, Cork");
    EXPECT_EQ(r["Website"], "'); DROP TABLE Visitor_Records; --");
    EXPECT_EQ(r["Position"], "") << "an empty box is stored as the empty text, not NULL";
    EXPECT_EQ(r["Other"], "");
    EXPECT_EQ(r["Photo"], "");
    EXPECT_TRUE(kStamp.match(r["Date_Time_Stamp"]).hasMatch()) << r["Date_Time_Stamp"].toStdString();
    EXPECT_EQ(r.size(), 57u);

    // A second visit gets a later ID.
    Window::value(w.fp(), 0, "Lee");
    EXPECT_EQ(w.record(), QStringList{kSaved});
    rows = readRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_GT(rows[1]["ID"].toInt(), rows[0]["ID"].toInt());
    EXPECT_EQ(rows[1]["VName"], "Lee");
    EXPECT_EQ(w.recordDesk.store().Close_DB_Connection(), false) << "the command closed its connection";
}

TEST(VisitorRecord, DateAndTimeFollowTheirBoxes)
{
    Window w;
    Window::value(w.fp(), 0, "Ann");
    // Unticked: today and now, whatever the boxes hold.
    w.fp().fields[kDateField].value->setText("01-Jan-2001");
    w.fp().fields[kTimeField].value->setText("01:02:03");
    EXPECT_EQ(w.record(), QStringList{kSaved});
    // Ticked: the panel's texts.
    Window::value(w.fp(), kDateField, "24-Dec-2020");
    Window::value(w.fp(), kTimeField, "09:30:00");
    Window::caption(w.fp(), kDateField, "Date :");
    EXPECT_EQ(w.record(), QStringList{kSaved});

    std::vector<Row> rows = readRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["EntryDate"], today());
    EXPECT_TRUE(kTime.match(rows[0]["EntryTime"]).hasMatch());
    EXPECT_NE(rows[0]["EntryTime"], "01:02:03");
    EXPECT_EQ(rows[0]["Use_Date"], "0");
    EXPECT_EQ(rows[0]["Use_Time"], "0");
    EXPECT_EQ(rows[0]["Date_Time_Stamp"].left(10), QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_EQ(rows[1]["EntryDate"], "24-Dec-2020");
    EXPECT_EQ(rows[1]["EntryTime"], "09:30:00");
    EXPECT_EQ(rows[1]["Use_Date"], "1");
    EXPECT_EQ(rows[1]["Use_Time"], "1");
    EXPECT_EQ(rows[1]["EntryDate_lb"], "Date :");
    // The back panel's unticked boxes give the back its own today and now.
    EXPECT_EQ(rows[1]["EntryDate_B"], today());
    EXPECT_EQ(rows[1]["Use_Date_B"], "0");
}

TEST(VisitorRecord, BackSideOfTwoAndOneSidedCards)
{
    Window w;
    Window::value(w.bp(), 0, "Back name");
    Window::caption(w.bp(), 0, "Name :");
    Window::value(w.bp(), kTimeField, "10:00:00");
    EXPECT_EQ(w.record(), QStringList{kSaved}) << "the back alone is enough";

    w.document.Front_card_Prop.setCard_Side("1");
    EXPECT_EQ(w.record(), QStringList{kSaved})
        << "the ticked back time box still counts as entered";
    // The back of a one-sided card shown: what its panel holds is no visitor's (the
    // front is, and prints), so nothing is recorded, and the user is told.
    w.showSide(1);
    w.bp().Add_to_DB_btn->click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{kOneSidedBackShown});
    EXPECT_EQ(readRows().size(), 2u);
    // A two-sided card's back shown: both panels, as from the front.
    w.document.Front_card_Prop.setCard_Side("2");
    w.bp().Add_to_DB_btn->click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{kSaved});
    w.showSide(0);

    std::vector<Row> rows = readRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2]["VName_B"], "Back name");
    EXPECT_EQ(rows[0]["VName_B"], "Back name");
    EXPECT_EQ(rows[0]["VName_lb_B"], "Name :");
    EXPECT_EQ(rows[0]["EntryTime_B"], "10:00:00");
    EXPECT_EQ(rows[1]["VName_B"], "");
    EXPECT_EQ(rows[1]["VName_lb_B"], "");
    EXPECT_EQ(rows[1]["EntryDate_B"], today()) << "unticked: today, also on a one-sided card";
    EXPECT_EQ(rows[1]["Use_Date_B"], "0");
    EXPECT_EQ(rows[1]["EntryTime_B"], "") << "a ticked box shows the emptied text";
    EXPECT_EQ(rows[1]["Use_Time_B"], "1");
}

TEST(VisitorRecord, WhatCountsAsEntered)
{
    Window w;
    // Captions shown in the boxes but not ticked, blanks, quotes and commas: nothing.
    Window::value(w.fp(), 0, " ',, ");
    Window::value(w.fp(), 1, "Manager", false);
    EXPECT_EQ(w.record(), QStringList{kNothingEntered});
    EXPECT_TRUE(readRows().empty());

    // A photo alone is a visitor; its path is stored trimmed.
    GraphicPtr photo = w.add(w.front(), GraphicKind::Image, {60, 10, 40, 50});
    photo->control_ID = "Fup_Photo";
    const auto photoFile = [&](const QString &path) { static_cast<SKTImage &>(*photo).setFilePath(path, true); };
    const QString own = testsupport::testHome() + "/o'brien.png";
    ASSERT_TRUE(QFile::copy(Resource_Path + "LibraryImage/Business/Person.png", own));
    photoFile("  " + own + " \n");
    EXPECT_EQ(w.record(), QStringList{kSaved});
    // The stand-ins of an empty image control are no photo, nor is a file that cannot be
    // read as a picture; a library picture is.
    QFile(testsupport::testHome() + "/empty.png").open(QIODevice::WriteOnly);
    for (const QString &none : {Resource_Path + "no.png", Resource_Path + "pic_ic.png",
                                testsupport::zipNamedAsPicture("archive.png"), testsupport::bmpCutToAThird("third.bmp"),
                                testsupport::testHome() + "/empty.png", testsupport::testHome(),
                                testsupport::testHome() + "/gone.png"}) {
        photoFile(none);
        EXPECT_EQ(w.record(), QStringList{kNothingEntered}) << none.toStdString();
    }
    const QString library = Resource_Path + "LibraryImage/Business/Person.png";
    photoFile(library);
    EXPECT_EQ(w.record(), QStringList{kSaved});
    // A path left in the photo box by another road is no photo of the card.
    w.front().remove(photo.get());
    w.fp().image_path_val->setText(library);
    // So is a ticked date box alone.
    w.fp().fields[kDateField].value_chk->setChecked(true);
    EXPECT_EQ(w.record(), QStringList{kSaved});

    const std::vector<Row> rows = readRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].at("Photo"), own);
    EXPECT_EQ(rows[0].at("VName"), " ',, ") << "stored as typed";
    EXPECT_EQ(rows[1].at("Photo"), library);
    EXPECT_EQ(rows[2].at("Use_Date"), "1");
    EXPECT_EQ(rows[2].at("Photo"), "");
}

TEST(VisitorRecord, ACardWithoutControlsRecordsNothing)
{
    Window w;
    Window::value(w.fp(), 0, "Ann");
    w.front().clear();
    EXPECT_EQ(w.record(), QStringList{kNoControls});
    // A two-sided card with controls on its back only is a card with details.
    w.add(w.back(), GraphicKind::Text, {10, 10, 50, 20});
    EXPECT_EQ(w.record(), QStringList{kSaved});
    // A one-sided card is judged by its front.
    w.document.Front_card_Prop.setCard_Side("1");
    EXPECT_EQ(w.record(), QStringList{kNoControls});
    EXPECT_EQ(readRows().size(), 1u);
}

TEST(VisitorRecord, ADatabaseFailureIsReportedNotSaved)
{
    Window w;
    Window::value(w.fp(), 0, "Ann");
    auto expectFailure = [&w](const char *what) {
        const QStringList shown = w.record();
        ASSERT_EQ(shown.size(), 1) << what;
        EXPECT_FALSE(shown.contains(kSaved)) << what;
        EXPECT_NE(shown[0].indexOf("Visitor Details could not be saved."), -1) << what;
        EXPECT_FALSE(w.recordDesk.store().Close_DB_Connection()) << what;
    };
    {
        QFile f(Database_Path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }
    expectFailure("not a database");

    // A database without the table.
    QFile::remove(Database_Path);
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(Database_Path).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE Other (x TEXT)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    expectFailure("no table");

    // Something that cannot be opened at all.
    QFile::remove(Database_Path);
    ASSERT_TRUE(QDir().mkdir(Database_Path));
    EXPECT_EQ(w.record(), QStringList{"\nError in database access."});
    ASSERT_TRUE(QDir().rmdir(Database_Path));
}
