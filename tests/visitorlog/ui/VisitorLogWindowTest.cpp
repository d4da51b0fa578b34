// The visitor log window on real widgets: the date range, the list and search, the
// details pane of a visit and the page of its gate pass.
#include "Globals.h"
#include "Helpers.h"
#include "PictureAdjuster.h"
#include "Shots.h"
#include "TestSupport.h"
#include "VisitorRecordStore.h"
#include "Visitor_Log_Model.h"
#include "Visitor_Log_Records.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QApplication>
#include <gtest/gtest.h>
#include <algorithm>
#include <sqlite3.h>

namespace {
// Counts the photos it adjusts and paints them blue.
struct CountingAdjuster : PictureAdjuster {
    mutable int calls = 0;
    mutable ImageAdjustments last;
    Picture adjusted(const Picture &source, const ImageAdjustments &settings, QSize) const override
    {
        ++calls;
        last = settings;
        QImage i = source.image();
        i.fill(Qt::blue);
        return Picture(i, source.size());
    }
};

QString stamp(int daysAgo) { return QDate::currentDate().addDays(-daysAgo).toString("yyyy-MM-dd") + " 09:30:00"; }

struct LogWindow : ::testing::Test {
    VisitorRecordStore store;
    CountingAdjuster adjuster;
    std::unique_ptr<Visitor_Log_Records> w;

    void SetUp() override
    {
        Check_Path_And_Create_VISITOR_Files();
        w = std::make_unique<Visitor_Log_Records>(store, adjuster, nullptr);
    }
    void add(const Visitor_Record &r)
    {
        ASSERT_TRUE(store.Open_DB_Connection());
        ASSERT_TRUE(store.Insert_Visitor_Record(r));
        store.Close_DB_Connection();
    }
    static Visitor_Record visitor(const QString &name, int daysAgo = 0)
    {
        Visitor_Record r;
        r.Date_Time_Stamp = stamp(daysAgo);
        r.front.values[VName] = name;
        r.front.captions[VName_lb] = "Name :";
        r.front.values[Use_Date] = "1";
        r.front.values[Use_Time] = "1";
        return r;
    }
    QStringList listed(Visitor_Log_Key key) const
    {
        QStringList c;
        for (const Visitor_Log_Entry &e : w->ListData()) c << e.value(key);
        return c;
    }
    // The rows of the details pane, top to bottom: "caption|value".
    QStringList rows() const
    {
        std::vector<std::pair<int, QString>> r;
        for (size_t i = 0; i < w->view_array_label.size(); ++i)
            r.emplace_back(w->view_array_label[i]->y(),
                           w->view_array_label[i]->text() + "|" + w->view_array_value[i]->text());
        std::sort(r.begin(), r.end());
        QStringList out;
        for (const auto &p : r) out << p.second;
        return out;
    }
    QString photoFile(const QColor &c)
    {
        const QString path = testsupport::testHome() + "/photo.png";
        QImage i(30, 40, QImage::Format_RGB32);
        i.fill(c);
        i.save(path);
        return path;
    }
};
} // namespace

TEST_F(LogWindow, RangeChoicesSetThePickers)
{
    const QDate today = QDate::currentDate();
    const QDate custom(2020, 2, 3);
    const struct {
        int index;
        QDate from, to;
        bool enabled;
    } rows[] = {
        {4, custom, custom, true},  {0, today, today, false},  {1, today.addDays(-1), today.addDays(-1), false},
        {2, today.addDays(-6), today, false}, {3, today.addDays(-30), today, false}, {4, today.addDays(-30), today, true},
    };
    for (const auto &r : rows) {
        if (r.index == 4 && r.from == custom) {
            w->Date_From_Ctrl->setDate(custom);
            w->Date_To_Ctrl->setDate(custom);
        }
        w->date_range->setCurrentIndex(r.index);
        EXPECT_EQ(w->Date_From_Ctrl->date(), r.from) << r.index;
        EXPECT_EQ(w->Date_To_Ctrl->date(), r.to) << r.index;
        EXPECT_EQ(w->Date_From_Ctrl->isEnabled(), r.enabled) << r.index;
        EXPECT_EQ(w->Date_To_Ctrl->isEnabled(), r.enabled) << r.index;
    }
    EXPECT_EQ(Visitor_Log_Records::rangeTitles(),
              QStringList({"Today", "Yesterday", "Last 7 Days", "Last 31 Days", "Custom Range"}));
    // Reset, and Escape (which closes like Close), empty the filters and go back to today.
    for (bool escape : {false, true}) {
        w->filterBoxes[Filter_Phone]->setText("5");
        w->date_range->setCurrentIndex(4);
        if (escape) {
            w->show();
            QTest::keyClick(w.get(), Qt::Key_Escape);
            EXPECT_FALSE(w->isVisible());
        } else {
            w->resetButton->click();
        }
        EXPECT_EQ(w->filterBoxes[Filter_Phone]->text(), "") << escape;
        EXPECT_EQ(w->date_range->currentIndex(), 0) << escape;
        EXPECT_FALSE(w->Date_From_Ctrl->isEnabled()) << escape;
        EXPECT_EQ(w->Date_From_Ctrl->date(), today) << escape;
        EXPECT_EQ(w->Date_To_Ctrl->date(), today) << escape;
    }
}

TEST_F(LogWindow, MediumDates)
{
    const QDate d(2024, 1, 5);
    EXPECT_EQ(Medium_Date_Text(d, QLocale(QLocale::English, QLocale::UnitedKingdom)), "5 Jan 2024");
    EXPECT_EQ(Medium_Date_Text(d, QLocale(QLocale::English, QLocale::UnitedStates)), "Jan 5, 2024");
}

TEST_F(LogWindow, OpeningListsTheRecentVisitsAndSearchesNarrowThem)
{
    w->Prepare_Log_Wnd();
    EXPECT_TRUE(w->ListData().isEmpty());
    EXPECT_TRUE(testsupport::boxes().take().isEmpty()) << "an empty log opens without a message";
    EXPECT_EQ(w->info_label->text(), "Most Recent Visitor Entries\nDouble Click to view the Visitor Details.");
    add(visitor("Brian"));
    add(visitor("Carl"));
    add(visitor("Gabriella", 3));
    w->Prepare_Log_Wnd();
    EXPECT_EQ(listed(Log_Name), QStringList({"Gabriella", "Carl", "Brian"}));
    EXPECT_EQ(w->ColList->model()->columnCount(), 11);
    EXPECT_EQ(w->ColList->model()->headerData(10, Qt::Horizontal).toString(), "Other");
    EXPECT_FALSE(w->ColList->model()->flags(w->ColList->model()->index(0, 2)) & Qt::ItemIsEditable);

    QTest::keyClicks(w->filterBoxes[Filter_Name], "bri");
    w->searchButton->click();
    EXPECT_EQ(listed(Log_Name), QStringList({"Brian"}));
    EXPECT_EQ(listed(Log_SNO), QStringList({"1"}));
    const QString day = Medium_Date_Text(QDate::currentDate());
    EXPECT_EQ(w->info_label->text(), QStringLiteral("Visitor Search Results from %1 to %1 as per your query.\n"
                                                    "Double Click to view the Visitor Details.").arg(day));
    w->date_range->setCurrentIndex(2);
    w->searchButton->click();
    EXPECT_EQ(listed(Log_Name), QStringList({"Brian", "Gabriella"}));
    w->filterBoxes[Filter_Name]->setText("zed");
    w->searchButton->click();
    EXPECT_TRUE(w->ListData().isEmpty());
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nNo records found."});
}

TEST_F(LogWindow, AFailedOpenKeepsTheList)
{
    add(visitor("Ann"));
    w->Prepare_Log_Wnd();
    ASSERT_EQ(w->ListData().size(), 1);
    QFile::remove(Database_Path);
    w->searchButton->click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in database access"});
    EXPECT_EQ(listed(Log_Name), QStringList{"Ann"});
    w->Show_Visitor_Details("1");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in database access"});
    EXPECT_TRUE(w->Records_Box->isVisibleTo(w.get()));
    EXPECT_FALSE(w->Details_Box->isVisibleTo(w.get()));
}

TEST_F(LogWindow, OneRowOpensItsVisitTwoRowsAMessage)
{
    add(visitor("Ann"));
    add(visitor("Bob"));
    w->Prepare_Log_Wnd();
    w->ColList->selectAll();
    w->doubleClickInTable();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select only one record to update."});
    EXPECT_FALSE(w->Details_Box->isVisibleTo(w.get()));
    w->Mark_List_New_Selection(1);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const QRect cell = w->ColList->visualRect(w->ColList->model()->index(1, 2));
    QTest::mousePress(w->ColList->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(w->ColList->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(w->Details_Box->isVisibleTo(w.get()));
    EXPECT_FALSE(w->Search_Box->isVisibleTo(w.get()));
    EXPECT_EQ(w->visiting_time->text(), "Visitor Details - " + stamp(0));
    EXPECT_EQ(rows(), QStringList{"Name :|Ann"});
    w->backButton->click();
    EXPECT_TRUE(w->Records_Box->isVisibleTo(w.get()));
    EXPECT_EQ(w->ListData().size(), 2);
    w->Mark_List_New_Selection(0);  // the newest visit, first in the list
    w->doubleClickInTable();
    EXPECT_EQ(rows(), QStringList{"Name :|Bob"});
}

TEST_F(LogWindow, DetailsShowOnlyTheVisitShownInFieldOrder)
{
    Visitor_Record first = visitor("Ann");
    first.front.values[Phone] = "555";
    first.front.captions[Phone_lb] = "Phone No. :";
    add(first);
    Visitor_Record second = visitor("Bob");
    second.front.values[CompanyName] = "Acme";  // no caption: a grey box beside it
    second.front.captions[EntryDate_lb] = "Date :";
    second.front.values[EntryDate] = "05-Jan-2024";
    second.front.values[Use_Date] = "0";  // unticked: the date is not shown
    second.front.captions[EntryTime_lb] = "Time :";
    second.front.values[EntryTime] = "10:00:00";
    second.back.values[VName] = "Host";
    second.back.captions[VName_lb] = "Meets :";
    second.back.values[Use_Date] = "1";
    second.back.values[EntryDate] = "06-Jan-2024";
    add(second);
    w->Show_Visitor_Details("1");
    w->Show_Visitor_Details("2");
    EXPECT_EQ(rows(), QStringList({"Name :|Bob", "|Acme", "Date :|", "Time :|10:00:00", "Meets :|Host", "|06-Jan-2024"}));
    // Geometry: x 8 and 170, widths 150 and 225, height 20, 25 apart from the top.
    for (size_t i = 0; i < w->view_array_label.size(); ++i) {
        const QRect l = w->view_array_label[i]->geometry(), v = w->view_array_value[i]->geometry();
        EXPECT_EQ(l.x(), 8);
        EXPECT_EQ(v.x(), 170);
        EXPECT_EQ(l.size(), QSize(150, 20));
        EXPECT_EQ(v.size(), QSize(225, 20));
        EXPECT_EQ(l.y(), v.y());
        EXPECT_EQ((l.y() - 5) % 25, 0);
        EXPECT_TRUE(w->view_array_value[i]->isReadOnly());
    }
    std::vector<int> ys;
    for (QLineEdit *l : w->view_array_label) ys.push_back(l->y());
    std::sort(ys.begin(), ys.end());
    EXPECT_EQ(ys, std::vector<int>({5, 30, 55, 80, 105, 130}));
    QLineEdit *grey = nullptr;
    for (QLineEdit *l : w->view_array_label)
        if (l->text().isEmpty() && !grey) grey = l;
    ASSERT_NE(grey, nullptr);
    EXPECT_FALSE(grey->isEnabled());
    EXPECT_FALSE(grey->hasFrame());
    EXPECT_TRUE(w->view_array_label.back()->hasFrame()) << "the name, made last, stands at the top";
    EXPECT_EQ(w->view_array_label.back()->text(), "Name :");

    const Gate_Pass_Data &pass = w->passData();
    EXPECT_EQ(pass.front[Pass_Name], (Gate_Pass_Row{"Name :", "Bob"}));
    EXPECT_EQ(pass.front[Pass_Date], (Gate_Pass_Row{"Date :", ""}));
    EXPECT_EQ(pass.front[Pass_Phone], Gate_Pass_Row{}) << "nothing of the first visit";
    EXPECT_EQ(pass.back[Pass_Name], (Gate_Pass_Row{"Meets :", "Host"}));
    EXPECT_EQ(pass.date_time_detail, stamp(0));
}

TEST_F(LogWindow, OtherDetailsTakeTheirRoomAndThePageFollowsTheRows)
{
    EXPECT_EQ(w->page_rect, QRectF(0, 0, 595, 842)) << "before the first visit";
    Visitor_Record r = visitor("Ann");
    r.front.values[Other] = "Car : X\r\nBadge : 7";
    r.back.values[Other] = "Desk : 3";
    add(r);
    add(visitor("Bob"));
    const QRect start = w->Scroll_View->geometry();
    w->Show_Visitor_Details("1");
    EXPECT_TRUE(w->other_detail->isVisibleTo(w.get()));
    EXPECT_EQ(w->other_detail->toPlainText(), "Car : X\nBadge : 7\nDesk : 3");
    EXPECT_EQ(w->Scroll_View->geometry(), start.adjusted(0, 0, 0, -85)) << "top edge kept";
    // The other details stand in the freed room, below the rows and within the pane.
    EXPECT_GT(w->other_detail->geometry().top(), w->Scroll_View->geometry().bottom());
    EXPECT_LE(w->other_detail->geometry().bottom(), start.bottom());
    EXPECT_EQ(w->passData().other_detail_info, "Car : X\r\nBadge : 7\r\nDesk : 3");
    const QString details = "\r\nVisitor Details\r\nVisitor Details - " + stamp(0) +
                            "\r\nOther Details :\r\n\r\nCar : X\r\nBadge : 7\r\nDesk : 3\r\nName : Ann\r\n";
    EXPECT_EQ(w->detailsText(), details);
    EXPECT_EQ(w->page_rect, Gate_Pass_Page_Rect(395, QString(details).remove("Other Details :\r\n\r\n")));
    EXPECT_EQ(w->page_rect.width(), 495);
    w->Show_Visitor_Details("2");
    EXPECT_FALSE(w->other_detail->isVisibleTo(w.get()));
    EXPECT_EQ(w->Scroll_View->geometry(), start);
    EXPECT_EQ(w->page_rect, Gate_Pass_Page_Rect(395, "\r\nVisitor Details\r\nVisitor Details - " + stamp(0) +
                                                         "\r\nName : Bob\r\n"));
}

TEST_F(LogWindow, UntickingBackDetailsLeavesTheBackOff)
{
    Visitor_Record r = visitor("Ann");
    r.back.values[VName] = "Host";
    r.back.captions[VName_lb] = "Meets :";
    add(r);
    w->Show_Visitor_Details("1");
    const QRectF both = w->page_rect;
    EXPECT_EQ(rows(), QStringList({"Name :|Ann", "Meets :|Host"}));
    w->show_back_details->click();
    EXPECT_FALSE(w->show_back_details->isChecked());
    EXPECT_EQ(rows(), QStringList({"Name :|Ann"}));
    EXPECT_EQ(w->passData().back[Pass_Name], Gate_Pass_Row{});
    EXPECT_EQ(w->page_rect.height(), Gate_Pass_Page_Rect(395, "\r\nVisitor Details\r\nVisitor Details - " + stamp(0) +
                                                                   "\r\nName : Ann\r\n").height());
    EXPECT_LT(w->page_rect.height(), both.height());
    w->show_back_details->click();
    EXPECT_EQ(rows(), QStringList({"Name :|Ann", "Meets :|Host"}));
    EXPECT_EQ(w->page_rect, both);
}

TEST_F(LogWindow, APhotosSettingsStayWithThatPhoto)
{
    const QString path = photoFile(Qt::red);
    Visitor_Record filtered = visitor("Ann");
    filtered.Photo = path + "<IMG_FILTER>YES_NO_YES_NO_90_0_0_0_2_0_1_0_0_NO_0__1.0:0.0:0.0:1.0_";
    add(filtered);
    Visitor_Record plain = visitor("Bob");
    plain.Photo = path;
    add(plain);
    w->Show_Visitor_Details("1");
    EXPECT_EQ(adjuster.calls, 1);
    EXPECT_TRUE(adjuster.last.flipHorizontally);
    EXPECT_TRUE(adjuster.last.grayScale);
    EXPECT_EQ(adjuster.last.rotation, 90);
    EXPECT_EQ(adjuster.last.saturation, 2);
    EXPECT_EQ(w->passData().photo.image().pixelColor(5, 5), QColor(Qt::blue));
    const QImage shown = w->user_image->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::blue));
    w->Show_Visitor_Details("2");
    EXPECT_EQ(adjuster.calls, 1) << "the next photo is shown as it is";
    EXPECT_EQ(w->passData().photo.image().pixelColor(5, 5), QColor(Qt::red));
    QFile::remove(path);
    w->Show_Visitor_Details("2");
    EXPECT_TRUE(w->passData().photo.isNull()) << "a photo that does not load leaves none";
    EXPECT_TRUE(w->user_image->pixmap().isNull());
    // An older log recorded the templates' grey figure as the photo: it is none.
    plain.Photo = Resource_Path + "pic_ic.png";
    add(plain);
    w->Show_Visitor_Details("3");
    EXPECT_TRUE(w->passData().photo.isNull());
    EXPECT_TRUE(w->user_image->pixmap().isNull());
}

TEST_F(LogWindow, AMissingVisitShowsAnEmptyPane)
{
    add(visitor("Ann"));
    for (const char *id : {"7", "1 OR 1=1"}) {
        w->Show_Visitor_Details(QLatin1String(id));
        EXPECT_TRUE(w->Details_Box->isVisibleTo(w.get())) << id;
        EXPECT_TRUE(w->view_array_label.empty()) << id;
        EXPECT_EQ(w->visiting_time->text(), "") << id;
    }
}

TEST_F(LogWindow, AFailingReadIsShownAsAFailureWithItsReason)
{
    add(visitor("Ann"));
    add(visitor("Bob"));
    w->Prepare_Log_Wnd();
    ASSERT_EQ(w->ListData().size(), 2);
    testsupport::boxes().take();
    // Another desk holding the lock past the wait: the search (no "No records found."
    // and no list), the recent visits and a visit's details each say so.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(Database_Path).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    store.busy_timeout_ms = 50;
    w->filterBoxes[Filter_Name]->setText("ann");
    w->searchButton->click();
    w->Prepare_Log_Wnd();
    EXPECT_TRUE(w->ListData().isEmpty());
    w->Show_Visitor_Details("1");
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList({"\nError in database access\n\nThe visitor log could not be read: database is locked",
                           "\nError in database access\n\nThe visitor log could not be read: database is locked",
                           "\nError in database access\n\nThe visit could not be read: database is locked"}));
    EXPECT_FALSE(w->Details_Box->isVisibleTo(w.get()));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    w->searchButton->click();
    EXPECT_EQ(listed(Log_Name), QStringList{"Ann"});
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

TEST_F(LogWindow, BackFromAVisitKeepsTheWindowsSizeWithinTheScreen)
{
    add(visitor("Ann"));
    w->Prepare_Log_Wnd();
    w->show();
    const QRect available = w->screen()->availableGeometry();
    const QSize start = w->size();
    ASSERT_TRUE(available.contains(w->frameGeometry())) << "starts on the screen";
    for (int round = 0; round < 2; ++round) {
        w->Show_Visitor_Details("1");
        QApplication::processEvents();
        ASSERT_TRUE(w->Details_Box->isVisible());
        EXPECT_TRUE(available.contains(w->frameGeometry())) << round;
        w->backButton->click();
        QApplication::processEvents();
        EXPECT_EQ(w->size(), start) << round;
        EXPECT_TRUE(available.contains(w->frameGeometry())) << round;
        EXPECT_TRUE(w->exportListButton->isVisible());
        testsupport::saveShot(*w, QStringLiteral("visitor_log_after_back_%1").arg(round));
    }
    // A size the user chose is kept too.
    w->resize(start.width(), start.height() + 30);
    QApplication::processEvents();
    const QSize chosen = w->size();
    w->Show_Visitor_Details("1");
    QApplication::processEvents();
    w->backButton->click();
    QApplication::processEvents();
    EXPECT_EQ(w->size(), chosen);
}

// A year's search of 450 visits lists every one whole, and the list shows what was
// read: with another desk holding the lock and a visit removed since, scrolling to the
// end reads nothing, changes no row and brings no message.
TEST_F(LogWindow, ALongListIsShownAsItWasRead)
{
    ASSERT_TRUE(store.Open_DB_Connection());
    ASSERT_EQ(sqlite3_exec(store.visitor_db, "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    for (int i = 0; i < 450; ++i) ASSERT_TRUE(store.Insert_Visitor_Record(visitor(QString("Ann %1").arg(i), 1 + i % 300)));
    ASSERT_EQ(sqlite3_exec(store.visitor_db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    store.Close_DB_Connection();
    w->Prepare_Log_Wnd();
    w->show();
    w->filterBoxes[Filter_Name]->setText("ann");
    w->date_range->setCurrentIndex(4);
    w->Date_From_Ctrl->setDate(QDate::currentDate().addDays(-365));
    w->searchButton->click();
    ASSERT_EQ(w->ListData().size(), 450);

    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(Database_Path).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "DELETE FROM Visitor_Records WHERE ID = 431; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
              SQLITE_OK);
    store.busy_timeout_ms = 50;
    w->ColList->scrollToBottom();
    w->ColList->viewport()->grab();
    QCoreApplication::processEvents();
    const QAbstractItemModel *shown = w->ColList->model();
    for (const int row : {0, 250, 430, 449})
        EXPECT_EQ(shown->index(row, 0).data().toString() + "|" + shown->index(row, 2).data().toString(),
                  QString("%1|Ann %2").arg(row + 1).arg(row));
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}
