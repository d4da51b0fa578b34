// The card mailing and visitor mailing windows against a loopback SMTP sink: the run
// modes, attachments (one-page PDFs showing the card's row), pauses, Stop, refusals
// and the end messages.
#include "Direct_Mail.h"
#include "Email_Setting.h"
#include "Globals.h"
#include "HeldPoolThreads.h"
#include "MailSink.h"
#include "Preferences.h"
#include "PrivateTemp.h"
#include "QStringPrinter.h"
#include "RunUnderWay.h"
#include "ScriptedRunner.h"
#include "Send_Mail.h"
#include "Shared_Dialogs.h"
#include "TestSupport.h"
#include "TsanHandoff.h"
#include "WorkingFolder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <set>

using namespace mailtest;
using testsupport::boxes;

namespace {

RenderedSide sideShowing(const QString &text)
{
    RenderedSide r;
    r.size = QSizeF(243, 153);
    QPainter p(&r.picture);
    p.fillRect(QRectF(0, 0, 40, 30), Qt::black);  // a mark in the top left corner
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    p.drawText(QPointF(20, 60), text);
    p.end();
    return r;
}

// A design of `rows` spreadsheet rows (and a series of `series` values); card N shows
// "Row N Front" / "Row N Back".
class FakeCards : public Mail_Card_Source {
public:
    bool two = true;
    int rows = 0;
    int series = 0;
    int begun = 0, ended = 0;
    std::function<void()> onCard;  // called as each card is made (on the sending thread)
    int unmakeable = -1;           // a card whose sides cannot be made
    bool Two_Sided() const override { return two; }
    bool Visitor_Mode() const override { return false; }
    bool underWay = false;  // another output run holds the design's values
    bool Run_Under_Way() override { return underWay; }
    int counted = 0;  // recounts asked for
    Mail_Card_Counts Check_Series_Or_Excel_Use_or_not() override
    {
        ++counted;
        return {series > 0, rows > 0, series, rows};
    }
    RenderedSide Current_Side(int side) override { return sideShowing(side ? "Current Back" : "Current Front"); }
    bool Begin_Batch_Run(bool, bool) override { return ++begun, true; }
    RenderedSide Card_Side(int card, int side) override
    {
        if (onCard) onCard();
        if (card == unmakeable) return RenderedSide();
        return sideShowing(QStringLiteral("Row %1 %2").arg(card + 1).arg(side ? "Back" : "Front"));
    }
    void End_Batch_Run() override { ++ended; }
};

class RecordingView : public Mail_Progress_View {
public:
    QList<int> totals, progress;
    QStringList pauses;
    int hidden = 0;
    Mail_Run_State *state = nullptr;
    void Show_Progress(Mail_Run_State &s, int total) override { state = &s, totals << total; }
    void Set_Progress(int done, int) override { progress << done; }
    void Set_Pause_Text(const QString &text) override { pauses << text; }
    void Hide_Progress() override { ++hidden; }
};

// A clock whose time passes only as the run waits: each wait ends at once, at its end.
// Held, it stands still, so that a pause ends only when the run is stopped.
class RunClock : public Mail_Clock {
public:
    std::atomic<bool> held{false};
    std::atomic<long long> ms{0};  // the time passed, in milliseconds
    time_point Now() override { return time_point() + std::chrono::milliseconds(ms.load()); }
    void Wait(std::condition_variable &wake, std::unique_lock<std::mutex> &lock, time_point until) override
    {
        if (held)
            wake.wait_for(lock, until - Now());
        else
            ms = std::chrono::duration_cast<std::chrono::milliseconds>(until - time_point()).count();
    }
};

class MailRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sink.start({"--refuse", "refused@example.org"}));
        QDir().mkpath(Created_Resource_Path);
        Preferences p = Preferences::sharedInstance();
        p.setsend_email_Password("secret");
        p.setsend_email_SenderEmail("sender@example.org");
        p.setsend_email_SMTP_server("127.0.0.1");
        p.setsend_email_PORT_num(QString::number(sink.port));
        p.setsend_email_enable_ssl("N");
        p.flush();
    }
    void TearDown() override
    {
        Preferences p = Preferences::sharedInstance();
        p.setsend_email_SenderEmail(QString());
        p.setsend_email_SMTP_server(QString());
        p.setsend_email_PORT_num(QString());
        p.flush();
    }

    Send_Mail &window()
    {
        w = std::make_unique<Send_Mail>(cards);
        w->progressView = &view;
        w->pauseClock = &clock;
        return *w;
    }
    // Sends and waits for the end; the boxes shown.
    QStringList sendAndWait()
    {
        boxes().clear();
        if (w->Send_Button()) w->Wait_Until_Done();
        return boxes().take();
    }

    // The runs' folders left in the temporary folder.
    QStringList runFolders() const { return QDir(temp.path()).entryList({"mail-*"}, QDir::AllEntries | QDir::Hidden); }

    // Lets the run go on until `shown` holds (the pause text is shown); false, the test
    // failed with "showing the pause text did not happen within 120 s", for a hung run.
    static bool pauseShown(const std::function<bool()> &shown)
    {
        return testsupport::waitUntil([&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            return shown();
        }, "showing the pause text");
    }

    // Lets the run go on until it ends, 30 s at most; whether it ended by then. A run
    // still going then has its clock let go, so that it ends.
    bool runEnds(Send_Mail &s)
    {
        QElapsedTimer t;
        t.start();
        while (s.isSending() && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const bool ended = !s.isSending();
        clock.held = false;
        s.Wait_Until_Done();
        return ended;
    }

    testsupport::PrivateTemp temp;
    SmtpSink sink;
    FakeCards cards;
    RecordingView view;
    RunClock clock;
    std::unique_ptr<Send_Mail> w;
};

const QString kSent = "\nE-mail has been sent successfully.";
QString notSent(const QString &cause, int notSentCount, int planned)
{
    return "\nCould not send email message.\n" + Mail_Check_Settings_Text + "\n\n" + cause + "\n"
           + QStringLiteral("%1 of %2 messages were not sent.").arg(notSentCount).arg(planned);
}

// pdfinfo's page count and pdftotext's words of every PDF in the folder, in name order
// (none when the checker could not start).
QStringList pdfPagesAndText(const QString &dir)
{
    QProcess p;
    p.start("/bin/sh", {"-c", "for f in \"$0\"/*.pdf; do echo \"$(basename \"$f\") $(pdfinfo \"$f\" | sed -n "
                              "'s/^Pages: *//p') $(pdftotext \"$f\" - | tr -s ' \\n\\f' ' ')\"; done",
                        dir});
    if (!testsupport::checkerFinished(p)) return {};
    QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (QString &l : lines) l = l.trimmed();
    return lines;
}

} // namespace

TEST(PauseText, CalculatePauseTime)
{
    const std::pair<long long, const char *> rows[] = {
        {3661000, "Pausing the process for 1 Hour 1 Minute 1 Second."},
        {120000, "Pausing the process for 2 Minutes 0 Second."},
        {7322000, "Pausing the process for 2 Hours 2 Minutes 2 Seconds."},
        {3600000, "Pausing the process for 1 Hour 0 Minute 0 Second."},
        {5000, "Pausing the process for 5 Seconds."},
        {60000, "Pausing the process for 1 Minute 0 Second."},
        {1999, "Pausing the process for 1 Second."},
        {0, "Pausing the process for 0 Second."},
    };
    for (const auto &[ms, text] : rows) EXPECT_EQ(Calculate_Pause_Time(ms), QString::fromUtf8(text)) << ms;
}

TEST(MailPlan, StepsOfEachMode)
{
    auto cardsOf = [](const Mail_Plan &p) {
        QList<int> c;
        for (const Mail_Step &s : p.steps) c << s.card;
        return c;
    };
    const Mail_Plan every = Make_Mail_Plan(Mail_Run_Mode::Every_Card_To_Every, 2, 3, 1, 3);
    EXPECT_EQ(cardsOf(every), (QList<int>{0, 1, 2}));
    EXPECT_EQ(every.steps[1].recipients, (QList<int>{0, 1}));
    EXPECT_EQ(every.total, 3);
    const Mail_Plan range = Make_Mail_Plan(Mail_Run_Mode::Range_To_Every, 2, 5, 2, 4);
    EXPECT_EQ(cardsOf(range), (QList<int>{1, 2, 3}));
    EXPECT_EQ(range.total, 3);
    const Mail_Plan one = Make_Mail_Plan(Mail_Run_Mode::Card_Per_Recipient, 3, 5, 1, 5);
    EXPECT_EQ(cardsOf(one), (QList<int>{0, 1, 2}));
    EXPECT_EQ(one.steps[2].recipients, QList<int>{2});
    EXPECT_EQ(one.total, 3);
    const Mail_Plan current = Make_Mail_Plan(Mail_Run_Mode::Current_Card, 2, 5, 3, 4);
    EXPECT_EQ(cardsOf(current), (QList<int>{-1, -1}));  // from the first recipient whatever the range
    EXPECT_EQ(current.steps[1].recipients, QList<int>{1});
}

TEST_F(MailRun, EveryCardToEveryRecipient)
{
    cards.rows = 3;
    Send_Mail &s = window();
    s.Reset_For_Design();
    s.send_with_excel_chk->setChecked(true);
    s.to_txt->setPlainText("One@Example.org, two@example.org");
    s.subject_txt->setText("Your card");
    s.message_txt->setPlainText("Here it is.");
    // While the run works, its files are in a folder of its own that only the owner
    // may enter; nothing else is written into the temporary folder.
    QStringList seen;
    const QStringList before = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    cards.onCard = [&] {
        for (const QFileInfo &f : QDir(temp.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            if (!before.contains(f.fileName()))
                seen << (f.fileName().startsWith("mail-") ? "mail-" : f.fileName())
                            + QString::number(int(f.permissions() & 0x7777), 16) + ":"
                            + QDir(f.filePath()).entryList(QDir::Files).join(",");
    };
    EXPECT_EQ(sendAndWait(), QStringList{kSent});
    cards.onCard = nullptr;
    seen.removeDuplicates();
    EXPECT_EQ(seen, (QStringList{"mail-7700:", "mail-7700:ZOVIZUVEZE_Back.pdf",
                                 "mail-7700:ZOVIZUVEZE_Back.pdf,ZOVIZUVEZE_Front.pdf"}));

    QTemporaryDir dump;
    const QList<SavedMail> mail = sink.messages(dump.path());
    ASSERT_EQ(mail.size(), 6);
    const QStringList order{"one@example.org", "two@example.org"};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(mail[k].envTo, order[k % 2]) << k;
        EXPECT_EQ(mail[k].subject, "Your card");
        EXPECT_EQ(mail[k].body, "Here it is.\n");
        EXPECT_EQ(mail[k].attachments, (QStringList{"ZOVIZUVEZE_Back.pdf", "ZOVIZUVEZE_Front.pdf"}));
    }
    EXPECT_EQ(pdfPagesAndText(dump.path()),
              (QStringList{"001_ZOVIZUVEZE_Back.pdf 1 Row 1 Back", "001_ZOVIZUVEZE_Front.pdf 1 Row 1 Front",
                           "002_ZOVIZUVEZE_Back.pdf 1 Row 1 Back", "002_ZOVIZUVEZE_Front.pdf 1 Row 1 Front",
                           "003_ZOVIZUVEZE_Back.pdf 1 Row 2 Back", "003_ZOVIZUVEZE_Front.pdf 1 Row 2 Front",
                           "004_ZOVIZUVEZE_Back.pdf 1 Row 2 Back", "004_ZOVIZUVEZE_Front.pdf 1 Row 2 Front",
                           "005_ZOVIZUVEZE_Back.pdf 1 Row 3 Back", "005_ZOVIZUVEZE_Front.pdf 1 Row 3 Front",
                           "006_ZOVIZUVEZE_Back.pdf 1 Row 3 Back", "006_ZOVIZUVEZE_Front.pdf 1 Row 3 Front"}));
    EXPECT_EQ(view.totals, QList<int>{3});
    EXPECT_EQ(view.progress, (QList<int>{1, 2, 3}));
    EXPECT_EQ(view.hidden, 1);
    EXPECT_EQ(cards.begun, 1);
    EXPECT_EQ(cards.ended, 1);
    EXPECT_EQ(runFolders(), QStringList());  // the run's folder is gone
}

TEST_F(MailRun, CardPerRecipientRangeAndOneSide)
{
    struct Row {
        QRadioButton *Send_Mail::*radio;
        int from, to;
        int side;  // 0 both, 1 front, 2 back
        const char *recipients;
        QStringList expected;  // recipient: attachments texts
        int total;
    };
    const Row rows[] = {
        {&Send_Mail::rd_one_per_recp, 1, 5, 1, "a1@example.org, a2@example.org, a3@example.org",
         {"a1@example.org: Row 1 Front", "a2@example.org: Row 2 Front", "a3@example.org: Row 3 Front"}, 3},
        {&Send_Mail::Sel_print_rd, 2, 4, 2, "b1@example.org",
         {"b1@example.org: Row 2 Back", "b1@example.org: Row 3 Back", "b1@example.org: Row 4 Back"}, 3},
    };
    cards.rows = 5;
    int seen = 0;
    for (const Row &row : rows) {
        Send_Mail &s = window();
        s.send_with_excel_chk->setChecked(true);
        (s.*row.radio)->setChecked(true);
        s.from_Text->setValue(row.from);
        s.To_Text->setValue(row.to);
        s.matrix_card_side->button(row.side)->setChecked(true);
        s.file_name_txt->setText("  Card/7 ");
        s.to_txt->setPlainText(row.recipients);
        view.totals.clear();
        EXPECT_EQ(sendAndWait(), QStringList{kSent});
        EXPECT_EQ(view.totals, QList<int>{row.total});
        QTemporaryDir dump;
        const QList<SavedMail> mail = sink.messages(dump.path()).mid(seen);
        QStringList got;
        for (const SavedMail &m : mail) got << m.envTo + ": " + m.attachments.join(",");
        const QString name = row.side == 1 ? "Card_7_Front.pdf" : "Card_7_Back.pdf";
        QStringList names;
        for (const QString &e : row.expected) names << e.section(':', 0, 0) + ": " + name;
        EXPECT_EQ(got, names);
        QStringList texts = pdfPagesAndText(dump.path()).mid(seen);
        for (int k = 0; k < texts.size(); ++k) texts[k] = mail[k].envTo + ": " + texts[k].section(' ', 2);
        EXPECT_EQ(texts, row.expected);
        seen += int(mail.size());
    }
}

TEST_F(MailRun, CurrentCardOnceForEveryRecipientAndNoCard)
{
    cards.rows = 4;  // bound, but no batch box on: the current card only
    Send_Mail &s = window();
    s.Sel_print_rd->setChecked(true);
    s.from_Text->setValue(3);
    s.to_txt->setPlainText("c1@example.org,c2@example.org");
    EXPECT_EQ(sendAndWait(), QStringList{kSent});
    EXPECT_EQ(cards.begun, 0);

    // Without a card: the chosen file; one that cannot be read (gone, a folder) refuses
    // the send, and nothing goes; an empty box sends the message alone.
    QTemporaryDir files;
    QFile f(files.filePath("notes.txt"));
    f.open(QIODevice::WriteOnly);
    f.write("notes");
    f.close();
    s.rd_without_barcode->setChecked(true);
    s.attachment->setText(" " + f.fileName() + " ");
    s.to_txt->setPlainText("c3@example.org");
    EXPECT_EQ(sendAndWait(), QStringList{kSent});
    const std::pair<QString, const char *> unreadable[] = {
        {files.filePath("gone.txt"), "No such file or directory."},
        {files.path(), "Is a directory."},
    };
    for (const auto &[named, reason] : unreadable) {
        s.attachment->setText(named);
        EXPECT_EQ(sendAndWait(), QStringList{"\nThe file to attach could not be read, so nothing was sent:\n\"" + named
                                             + "\"\n" + reason});
    }
    s.attachment->setText("  ");
    EXPECT_EQ(sendAndWait(), QStringList{kSent});

    QTemporaryDir dump;
    const QList<SavedMail> mail = sink.messages(dump.path());
    ASSERT_EQ(mail.size(), 4);
    EXPECT_EQ(mail[0].envTo, "c1@example.org");
    EXPECT_EQ(mail[1].envTo, "c2@example.org");
    EXPECT_EQ(mail[1].attachments, (QStringList{"ZOVIZUVEZE_Back.pdf", "ZOVIZUVEZE_Front.pdf"}));
    EXPECT_EQ(mail[2].attachments, QStringList{"notes.txt"});
    EXPECT_EQ(mail[3].attachments, QStringList());
    EXPECT_EQ(pdfPagesAndText(dump.path()).mid(2, 2),
              (QStringList{"002_ZOVIZUVEZE_Back.pdf 1 Current Back", "002_ZOVIZUVEZE_Front.pdf 1 Current Front"}));
    EXPECT_EQ(runFolders(), QStringList());
}

// A stem is a plain name in the run's own folder, one beginning with ":" too; nothing is
// written in the working folder.
TEST_F(MailRun, AStemBeginningWithAColonStaysInTheRunsFolder)
{
    const std::pair<const char *, const char *> rows[] = {
        {":Pass", ":Pass_Back.pdf|:Pass_Front.pdf"},
        {":", ":_Back.pdf|:_Front.pdf"},
        {"/:Pass", ":Pass_Back.pdf|:Pass_Front.pdf"},
        {"Pass", "Pass_Back.pdf|Pass_Front.pdf"},
    };
    testsupport::WorkingFolder work;
    Send_Mail &s = window();
    s.to_txt->setPlainText("c1@example.org");
    for (const auto &[stem, attached] : rows) {
        s.file_name_txt->setText(stem);
        EXPECT_EQ(sendAndWait(), QStringList{kSent}) << stem;
    }
    QTemporaryDir dump;
    const QList<SavedMail> mail = sink.messages(dump.path());
    ASSERT_EQ(mail.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(mail[int(i)].attachments.join(u'|'), QString(rows[i].second)) << rows[i].first;
    EXPECT_EQ(pdfPagesAndText(dump.path()).mid(0, 2),
              (QStringList{"001_:Pass_Back.pdf 1 Current Back", "001_:Pass_Front.pdf 1 Current Front"}));
    EXPECT_EQ(work.written(), QStringList());
    EXPECT_EQ(runFolders(), QStringList());
}

TEST_F(MailRun, RefusedBeforeSending)
{
    cards.rows = 3;
    Send_Mail &s = window();
    struct Row {
        std::function<void(Send_Mail &)> set;
        QString message;
    };
    const Row rows[] = {
        {[](Send_Mail &m) { m.to_txt->setPlainText("ok@example.org, bad, x@example.org"); },
         "\nRecipient E-mail address is invalid or incomplete.\n\"bad\""},
        {[](Send_Mail &m) { m.to_txt->setPlainText(" "); }, "\nPlease specify the Recipient E-mail address."},
        {[](Send_Mail &m) { m.file_name_txt->setText(" /*?\" "); }, "\nPlease enter valid file name."},
        {[](Send_Mail &m) {
             m.send_with_excel_chk->setChecked(true);
             m.Sel_print_rd->setChecked(true);
             m.from_Text->setValue(3);
             m.To_Text->setValue(2);
         },
         "\nPlease select valid range."},
        {[](Send_Mail &m) { m.from_txt->clear(); }, "\n" + Mail_No_Sender_Text},
    };
    for (const Row &row : rows) {
        s.Reset_For_Design();
        s.to_txt->setPlainText("ok@example.org");
        row.set(s);
        boxes().clear();
        EXPECT_FALSE(s.Send_Button());
        EXPECT_EQ(boxes().take(), QStringList{row.message});
    }
    EXPECT_EQ(sink.count(), 0);
    EXPECT_EQ(cards.begun, 0);
}

TEST_F(MailRun, FailureCountsWhatWasNotSent)
{
    cards.rows = 2;
    Send_Mail &s = window();
    s.send_with_excel_chk->setChecked(true);
    // Every card to every recipient: a refused recipient ends only that card.
    s.to_txt->setPlainText("refused@example.org, ok@example.org");
    EXPECT_EQ(sendAndWait(),
              QStringList{notSent("The mail server refused the recipient address.", 4, 4)});
    s.to_txt->setPlainText("ok@example.org, refused@example.org");
    EXPECT_EQ(sendAndWait(), QStringList{notSent("The mail server refused the recipient address.", 2, 4)});
    EXPECT_EQ(sink.waitFor(2), 2);
    EXPECT_EQ(cards.ended, 2);
    EXPECT_EQ(runFolders(), QStringList());
}

TEST_F(MailRun, ACardThatCannotBeMadeIsSkipped)
{
    cards.rows = 3;
    cards.unmakeable = 1;
    cards.two = false;
    Send_Mail &s = window();
    s.send_with_excel_chk->setChecked(true);
    s.to_txt->setPlainText("k@example.org");
    EXPECT_EQ(sendAndWait(), QStringList{notSent("A card could not be made.", 1, 3)});
    QTemporaryDir dump;
    ASSERT_EQ(sink.messages(dump.path()).size(), 2);
    EXPECT_EQ(pdfPagesAndText(dump.path()),
              (QStringList{"001_ZOVIZUVEZE_Front.pdf 1 Row 1 Front", "002_ZOVIZUVEZE_Front.pdf 1 Row 3 Front"}));
}

TEST_F(MailRun, PausesAfterEveryNthMessageNotAfterTheLast)
{
    Send_Mail &s = window();
    s.rd_without_barcode->setChecked(true);
    s.to_txt->setPlainText("p1@example.org,p2@example.org,p3@example.org,p4@example.org");
    s.delayed_delv_chk->setChecked(true);
    s.mail_count_txt->setValue(2);
    s.sec_txt->setValue(2);
    // The time on the run's clock as each message goes.
    std::mutex mutex;
    QList<long long> sentAt;
    s.transport.password = [&] {
        std::lock_guard lock(mutex);
        sentAt << clock.ms;
        return QStringLiteral("secret");
    };
    EXPECT_EQ(sendAndWait(), QStringList{kSent});
    const QList<SavedMail> mail = sink.messages();
    ASSERT_EQ(mail.size(), 4);
    // A pause of two seconds after the second message; the fourth is the last: no pause
    // after it.
    EXPECT_EQ(sentAt, (QList<long long>{0, 0, 2000, 2000}));
    EXPECT_EQ(clock.ms, 2000);
    EXPECT_EQ(view.pauses, (QStringList{"Pausing the process for 2 Seconds.", "Pausing the process for 1 Second.", ""}));
}

TEST_F(MailRun, NoPauseAfterACardThatWasNotSent)
{
    cards.rows = 2;
    Send_Mail &s = window();
    s.send_with_excel_chk->setChecked(true);
    s.to_txt->setPlainText("refused@example.org");
    s.delayed_delv_chk->setChecked(true);
    s.min_text->setValue(1);
    EXPECT_EQ(sendAndWait(), QStringList{notSent("The mail server refused the recipient address.", 2, 2)});
    EXPECT_EQ(clock.ms, 0);
    EXPECT_TRUE(view.pauses.isEmpty());
}

TEST_F(MailRun, StopDuringAPauseEndsAtOnce)
{
    Send_Mail &s = window();
    s.rd_without_barcode->setChecked(true);
    s.to_txt->setPlainText("s1@example.org,s2@example.org,s3@example.org");
    s.delayed_delv_chk->setChecked(true);
    s.min_text->setValue(1);
    clock.held = true;  // the pause lasts until Stop
    boxes().clear();
    ASSERT_TRUE(s.Send_Button());
    if (!pauseShown([&] { return !view.pauses.isEmpty(); })) return;
    EXPECT_EQ(view.pauses.value(0), "Pausing the process for 1 Minute 0 Second.");
    boxes().answerNext(1);
    s.Stop_Sending_Pressed();
    EXPECT_TRUE(runEnds(s)) << "the pause went on after Stop";
    EXPECT_EQ(boxes().take(), (QStringList{"Are you sure you want to stop?",
                                           notSent("Sending was stopped.", 2, 3)}));
    EXPECT_EQ(sink.count(), 1);
}

TEST_F(MailRun, VisitorDetailsEveryRecipientTried)
{
    QTemporaryDir files;
    const QString pass = files.filePath("Visitor_Pass.pdf");
    QFile f(pass);
    f.open(QIODevice::WriteOnly);
    f.write("%PDF-1.4 pass");
    f.close();
    Direct_Mail d;
    d.file_path_ctrl->setText(pass);
    d.from_txt->setText(Current_Mail_Settings().sender);
    struct Row {
        QString file;
        QString to;
        QStringList shown;
    };
    const Row rows[] = {
        {pass, "v1@example.org, refused@example.org, v3@example.org",
         {"\n" + Mail_Check_Settings_Text + "\n\nCould not send email.\nThe mail server refused the recipient "
                                            "address.\n1 of 3 messages were not sent."}},
        {"", "v1@example.org", {"\nThe visitor details file to send was not found:\n"}},
        {files.filePath("gone.pdf"), "v1@example.org",
         {"\nThe visitor details file to send was not found:\n" + files.filePath("gone.pdf")}},
        {pass, "v4@example.org", {kSent}},
    };
    for (const Row &row : rows) {
        d.file_path_ctrl->setText(row.file);
        d.to_txt->setText(row.to);
        boxes().clear();
        if (d.Send_Button()) d.Wait_Until_Done();
        EXPECT_EQ(boxes().take(), row.shown);
    }
    const QList<SavedMail> mail = sink.messages();
    ASSERT_EQ(mail.size(), 3);
    EXPECT_EQ(mail[0].envTo, "v1@example.org");
    EXPECT_EQ(mail[1].envTo, "v3@example.org");
    EXPECT_EQ(mail[2].envTo, "v4@example.org");
    EXPECT_EQ(mail[0].subject, "Visitor Details");
    EXPECT_EQ(mail[0].body, "Visitor Details sent by " + App_Name + ".\n");
    EXPECT_EQ(mail[0].attachments, QStringList{"Visitor_Pass.pdf"});
}

// A recipient address outside ASCII to a server without SMTPUTF8: both mailing windows
// end naming it, and the messages before it are sent.
TEST_F(MailRun, AnAddressTheServerCannotTakeIsNamed)
{
    const QString cause = QStringLiteral(
        "The mail server cannot take the recipient address rené@example.org: it has characters beyond plain ASCII, "
        "which this server does not accept (SMTPUTF8), so nothing was sent to it.");
    Send_Mail &s = window();
    s.rd_without_barcode->setChecked(true);
    s.to_txt->setPlainText(QStringLiteral("ok@example.org, René@example.org"));
    EXPECT_EQ(sendAndWait(), QStringList{notSent(cause, 1, 2)});

    QTemporaryDir files;
    const QString pass = files.filePath("Visitor_Pass.pdf");
    QFile f(pass);
    f.open(QIODevice::WriteOnly);
    f.write("%PDF-1.4 pass");
    f.close();
    Direct_Mail d;
    d.file_path_ctrl->setText(pass);
    d.from_txt->setText(Current_Mail_Settings().sender);
    d.to_txt->setText(QStringLiteral("René@example.org, v2@example.org"));
    boxes().clear();
    if (d.Send_Button()) d.Wait_Until_Done();
    EXPECT_EQ(boxes().take(), QStringList{"\n" + Mail_Check_Settings_Text + "\n\nCould not send email.\n" + cause
                                          + "\n1 of 2 messages were not sent."});
    const QList<SavedMail> mail = sink.messages();
    ASSERT_EQ(mail.size(), 2);
    EXPECT_EQ(mail[0].envTo, "ok@example.org");
    EXPECT_EQ(mail[1].envTo, "v2@example.org");
}

TEST_F(MailRun, ProgressPanelShowsTheRunAndItsStopEndsIt)
{
    Send_Mail s(cards);
    s.pauseClock = &clock;
    clock.held = true;  // the pause lasts until Stop
    auto *panel = s.findChild<Send_Modeless *>();
    ASSERT_TRUE(panel);
    s.rd_without_barcode->setChecked(true);
    s.to_txt->setPlainText("s1@example.org,s2@example.org,s3@example.org");
    s.delayed_delv_chk->setChecked(true);
    s.min_text->setValue(1);
    boxes().clear();
    ASSERT_TRUE(s.Send_Button());
    EXPECT_EQ(panel->_curr_msg_cnt->text(), "0 / 3");
    if (!pauseShown([&] { return !panel->pause_label->text().isEmpty(); })) return;
    EXPECT_EQ(panel->pause_label->text(), "Pausing the process for 1 Minute 0 Second.");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->_Curr_Progress->maximum(), 3);
    boxes().answerNext(1);
    panel->Stop_Sending_Pressed();
    EXPECT_TRUE(runEnds(s)) << "the pause went on after Stop";
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(boxes().take(), (QStringList{"Are you sure you want to stop?", notSent("Sending was stopped.", 2, 3)}));
    EXPECT_EQ(sink.count(), 1);
}

TEST_F(MailRun, MirroredCards)
{
    cards.two = false;
    Send_Mail &s = window();
    s.to_txt->setPlainText("m@example.org");
    struct Row {
        bool mirror;
        int kind;  // 0 horizontal, 1 vertical
        const char *corner;  // where the mark is: "TL", "TR" or "BL"
    };
    const Row rows[] = {{false, 0, "TL"}, {true, 0, "TR"}, {true, 1, "BL"}};
    for (const Row &row : rows) {
        s.mirror_chk_box->setChecked(row.mirror);
        s.mirror_matrix->button(row.kind)->setChecked(true);
        EXPECT_EQ(sendAndWait(), QStringList{kSent});
    }
    QTemporaryDir dump;
    ASSERT_EQ(sink.messages(dump.path()).size(), 3);
    QProcess p;
    p.start("/bin/sh", {"-c", "cd \"$0\" && for f in *.pdf; do pdftoppm -r 36 -png \"$f\" \"${f%.pdf}\"; done", dump.path()});
    ASSERT_TRUE(testsupport::checkerFinished(p));
    const QStringList pngs = QDir(dump.path()).entryList({"*.png"}, QDir::Files, QDir::Name);
    ASSERT_EQ(pngs.size(), 3);
    for (int k = 0; k < 3; ++k) {
        const QImage img(dump.filePath(pngs[k]));
        ASSERT_FALSE(img.isNull());
        const int right = img.width() - 1, h = img.height() - 1;
        QString corner;
        if (qGray(img.pixel(2, 2)) < 64) corner += "TL";
        if (qGray(img.pixel(right - 2, 2)) < 64) corner += "TR";
        if (qGray(img.pixel(2, h - 2)) < 64) corner += "BL";
        EXPECT_EQ(corner, rows[k].corner) << k;
    }
}

// The Total of "every card to every recipient" shows the cards of the batch and cannot
// be changed: what the window shows is what is mailed, for every choice that shows a
// count (the cards' texts read back from the PDFs that arrive).
TEST_F(MailRun, WhatTheWindowCountsIsWhatIsMailed)
{
    cards.series = 5;
    cards.rows = 3;
    struct Row {
        const char *what;
        bool series, excel;
        QRadioButton *Send_Mail::*radio;
        int from, to;
        const char *recipients;
        QString shown;  // Total, From-To for the range; empty: Total is not this choice's
        QStringList mailed;  // recipient: the card's front
    };
    const QStringList five{"Row 1 Front", "Row 2 Front", "Row 3 Front", "Row 4 Front", "Row 5 Front"};
    auto to = [](const QString &who, const QStringList &texts) {
        QStringList l;
        for (const QString &t : texts) l << who + ": " + t;
        return l;
    };
    const Row rows[] = {
        {"5 series cards", true, false, &Send_Mail::rd_all_to_every, 1, 1, "a@example.org", "5", to("a@example.org", five)},
        {"3 spreadsheet rows", false, true, &Send_Mail::rd_all_to_every, 1, 1, "a@example.org", "3",
         to("a@example.org", five.mid(0, 3))},
        {"both, the longer", true, true, &Send_Mail::rd_all_to_every, 1, 1, "a@example.org", "5",
         to("a@example.org", five)},
        {"no batch: the current card", false, false, &Send_Mail::rd_all_to_every, 1, 1, "a@example.org", "",
         {"a@example.org: Current Front"}},
        {"cards 2 to 4", true, false, &Send_Mail::Sel_print_rd, 2, 4, "a@example.org", "2-4",
         to("a@example.org", five.mid(1, 3))},
        {"card i to recipient i", true, false, &Send_Mail::rd_one_per_recp, 1, 1, "b@example.org,c@example.org", "",
         {"b@example.org: Row 1 Front", "c@example.org: Row 2 Front"}},
    };
    int seen = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        Send_Mail &mail = window();
        mail.show();
        mail.matrix_card_side->button(1)->setChecked(true);
        mail.send_with_batch_chk->setChecked(row.series);
        mail.send_with_excel_chk->setChecked(row.excel);
        (mail.*row.radio)->setChecked(true);
        mail.from_Text->setValue(row.from);
        mail.To_Text->setValue(row.to);
        // Typing into Total or stepping it changes nothing.
        EXPECT_TRUE(mail.Total_Text->isReadOnly());
        const QString before = mail.Total_Text->text();
        mail.Total_Text->setFocus();
        QTest::keyClick(mail.Total_Text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(mail.Total_Text, "2");
        QTest::keyClick(mail.Total_Text, Qt::Key_Return);
        QTest::keyClick(mail.Total_Text, Qt::Key_Up);
        EXPECT_EQ(mail.Total_Text->text(), before);
        const QString shown = row.radio == &Send_Mail::Sel_print_rd ? mail.from_Text->text() + "-" + mail.To_Text->text()
                              : mail.Total_Text->isEnabled()        ? mail.Total_Text->text()
                                                                    : QString();
        EXPECT_EQ(shown, row.shown);
        mail.to_txt->setPlainText(row.recipients);
        EXPECT_EQ(sendAndWait(), QStringList{kSent});
        QTemporaryDir dump;
        const QList<SavedMail> got = sink.messages(dump.path()).mid(seen);
        QStringList texts = pdfPagesAndText(dump.path()).mid(seen);
        ASSERT_EQ(texts.size(), got.size());
        for (int k = 0; k < texts.size(); ++k) texts[k] = got[k].envTo + ": " + texts[k].section(' ', 2);
        EXPECT_EQ(texts, row.mailed);
        seen += int(got.size());
    }
}

// Total follows the batch boxes and its radio enables it.
TEST_F(MailRun, TotalShowsTheCardsOfTheBatch)
{
    cards.rows = 3;
    Send_Mail &mail = window();
    mail.show();
    // No batch: 1 card, up to 999999, the range options off.
    EXPECT_EQ(mail.Total_Text->value(), 1);
    EXPECT_EQ(mail.Total_Text->maximum(), 999999);
    EXPECT_FALSE(mail.export_range_box->isEnabled());
    mail.send_with_excel_chk->setChecked(true);
    EXPECT_TRUE(mail.export_range_box->isEnabled());
    EXPECT_TRUE(mail.Total_Text->isEnabled());
    EXPECT_EQ(mail.Total_Text->text(), "3");
    EXPECT_EQ(mail.To_Text->value(), 3);
    EXPECT_EQ(mail.Total_Text->maximum(), 3);
    // Its radio enables it; the others take it away.
    const struct {
        QRadioButton *radio;
        bool total, range;
    } radios[] = {{mail.Sel_print_rd, false, true}, {mail.rd_one_per_recp, false, false}, {mail.rd_all_to_every, true, false}};
    for (const auto &r : radios) {
        r.radio->setChecked(true);
        EXPECT_EQ(mail.Total_Text->isEnabled(), r.total) << r.radio->text().toStdString();
        EXPECT_EQ(mail.tot_label->isEnabled(), r.total);
        EXPECT_EQ(mail.To_Text->isEnabled(), r.range);
    }
    // Without the batch again: 1, up to 999999.
    mail.send_with_excel_chk->setChecked(false);
    EXPECT_EQ(mail.Total_Text->value(), 1);
    EXPECT_EQ(mail.Total_Text->maximum(), 999999);
    if (const QString shots = qEnvironmentVariable("DOZO_SHOTS_DIR"); !shots.isEmpty()) {
        mail.send_with_excel_chk->setChecked(true);
        QDir().mkpath(shots);
        mail.grab().save(QDir(shots).filePath("mail-total.png"));
    }
}

// Both mail windows send on one thread of the pool they are given (the thread the
// pool's next task runs on), and the settings window's test message runs on it too.
TEST_F(MailRun, MessagesGoOnAThreadOfTheGivenPool)
{
    QTemporaryDir files;
    const QString pass = files.filePath("Visitor_Pass.pdf");
    QFile f(pass);
    f.open(QIODevice::WriteOnly);
    f.write("%PDF-1.4 pass");
    f.close();
    struct Road {
        const char *what;
        std::function<QStringList(QThreadPool &, const std::function<QString()> &)> send;
        int messages;
    } roads[] = {
        {"card mailing", [&](QThreadPool &pool, const std::function<QString()> &password) {
             Send_Mail s(cards, nullptr, nullptr, &pool);
             s.progressView = &view;
             s.transport.password = password;
             s.Sel_print_rd->setChecked(true);
             s.to_txt->setPlainText("p1@example.org,p2@example.org");
             boxes().clear();
             if (s.Send_Button()) s.Wait_Until_Done();
             return boxes().take();
         }, 2},
        {"visitor mailing", [&](QThreadPool &pool, const std::function<QString()> &password) {
             Direct_Mail d(nullptr, nullptr, &pool);
             d.transport.password = password;
             d.file_path_ctrl->setText(pass);
             d.from_txt->setText(Current_Mail_Settings().sender);
             d.to_txt->setText("v1@example.org, v2@example.org, v3@example.org");
             boxes().clear();
             if (d.Send_Button()) d.Wait_Until_Done();
             return boxes().take();
         }, 3},
        {"settings' test message", [&](QThreadPool &pool, const std::function<QString()> &password) {
             Run_Beside_Event_Loop([&] { password(); }, &pool);
             return QStringList{kSent};
         }, 1},
    };
    for (const Road &road : roads) {
        SCOPED_TRACE(road.what);
        QThreadPool pool;
        pool.setMaxThreadCount(1);
        pool.setExpiryTimeout(-1);
        std::mutex mutex;
        std::vector<QThread *> threads;
        const auto password = [&] {
            std::lock_guard lock(mutex);
            threads.push_back(QThread::currentThread());
            return QStringLiteral("secret");
        };
        EXPECT_EQ(road.send(pool, password), QStringList{kSent});
        ASSERT_EQ(int(threads.size()), road.messages);
        EXPECT_EQ(std::set<QThread *>(threads.begin(), threads.end()).size(), 1u);
        EXPECT_NE(threads[0], QThread::currentThread());
        std::promise<QThread *> next;
        pool.start(Handed_Over(&pool, [&] { next.set_value(QThread::currentThread()); }));
        EXPECT_EQ(next.get_future().get(), threads[0]);
    }
}

// A window that sends stays open on Escape or its title bar's close (as on Close),
// with its Stop; the visitor window opened again meanwhile says a run is under way and
// keeps the file it sends. Another output run makes the card window refuse to open or
// send before it recounts the design.
TEST_F(MailRun, AWindowThatSendsStaysOpenAndStartsNothingElse)
{
    QTemporaryDir files;
    const QString pass = files.filePath("Visitor_Pass.pdf");
    QFile f(pass);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4 pass");
    f.close();
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    testsupport::ScriptedRunner runner;
    QStringList opened;
    runner.instead<Direct_Mail>([&](Direct_Mail &) { return opened << "visitor mailing", 0; });
    runner.instead<Send_Mail>([&](Send_Mail &) { return opened << "card mailing", 0; });
    Direct_Mail d(nullptr, &runner, &pool);
    d.file_path_ctrl->setText(pass);
    d.from_txt->setText(Current_Mail_Settings().sender);
    d.to_txt->setText("v1@example.org");
    Send_Mail s(cards, nullptr, &runner, &pool);
    s.progressView = &view;
    s.to_txt->setPlainText("p1@example.org");
    {
        const Held_Pool_Threads held(pool, 1);
        d.show();
        ASSERT_TRUE(d.Send_Button());
        d.reject();
        EXPECT_TRUE(d.isVisible());
        boxes().clear();
        EXPECT_EQ(d.Open_Wnd(files.filePath("other.pdf")), 0);
        EXPECT_EQ(boxes().take(), QStringList{"\n" + Run_Under_Way_Text()});
        EXPECT_EQ(d.file_path_ctrl->text(), pass);

        s.show();
        ASSERT_TRUE(s.Send_Button());
        s.reject();
        EXPECT_TRUE(s.isVisible());
    }
    d.Wait_Until_Done();
    s.Wait_Until_Done();
    EXPECT_EQ(opened, QStringList());
    EXPECT_EQ(sink.count(), 2);

    cards.underWay = true;
    cards.rows = 3;
    const int counted = cards.counted;
    boxes().clear();
    EXPECT_EQ(s.Open_Wnd(), 0);
    EXPECT_FALSE(s.Send_Button());
    EXPECT_EQ(boxes().take(), QStringList({"\n" + Run_Under_Way_Text(), "\n" + Run_Under_Way_Text()}));
    EXPECT_EQ(opened, QStringList());
    EXPECT_EQ(cards.counted, counted) << "the design was not recounted";
    EXPECT_EQ(cards.begun, 0);
}
