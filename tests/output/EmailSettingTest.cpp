// The e-mail settings window: validation order and focus, saving as typed, the secure
// flag, reset, and the test message sent to a loopback sink.
#include "DiskFull.h"
#include "Email_Setting.h"
#include "Globals.h"
#include "MailSink.h"
#include "Mail_Recipients.h"
#include "Mail_Transport.h"
#include "Preferences.h"
#include "Shots.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <optional>

using namespace mailtest;
using testsupport::boxes;

namespace {
struct Fields {
    QString sender, password, smtp, port, to;
};
void fill(Email_Setting &w, const Fields &f)
{
    w._send_mail_sender_mail->setText(f.sender);
    w._send_mail_password->setText(f.password);
    w._send_mail_smtp->setText(f.smtp);
    w._send_mail_port->setText(f.port);
    w._send_mail_to->setText(f.to);
}
class EmailSetting : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(Created_Resource_Path); }
};
} // namespace

TEST(MailAddress, ValidEmailTable)
{
    const std::pair<const char *, bool> rows[] = {
        {"a@b.c", false},     {"a@b@c.de", false},   {"abc@de", false},      {"ab@c.de", true},
        {"  ab@c.de\n", true}, {"a b@c.de", false},   {"ab@c.de\r\nBcc: x@y.z", false}, {"ab@c.de\t", true},
        {"", false},          {"abcdef", false},     {"ab@c.d", true},     {"ab\x01@c.de", false},
    };
    for (const auto &[text, valid] : rows) EXPECT_EQ(isValidEmail(QString::fromUtf8(text)), valid) << text;
}

TEST(MailAddress, RecipientListTable)
{
    struct Row {
        const char *text;
        QStringList list;
        const char *error;
    };
    const Row rows[] = {
        {" Ab@C.de , cd@e.fg ", {"ab@c.de", "cd@e.fg"}, ""},
        {"ab@c.de,", {"ab@c.de"}, ""},
        {"ab@c.de, bad, cd@e.fg", {}, "Recipient E-mail address is invalid or incomplete.\n\"bad\""},
        {"bad@x, ab@c.de", {}, "Recipient E-mail address is invalid or incomplete.\n\"bad@x\""},
        {"ab@c.de, x y@c.de", {}, "Recipient E-mail address is invalid or incomplete.\n\"x y@c.de\""},
        {"  ", {}, "Please specify the Recipient E-mail address."},
        {" , ", {}, "Please specify the Recipient E-mail address."},
    };
    for (const Row &row : rows) {
        const Recipient_List r = Parse_Recipients(QString::fromUtf8(row.text));
        EXPECT_EQ(r.recipients, row.list) << row.text;
        EXPECT_EQ(r.error, QString::fromUtf8(row.error)) << row.text;
    }
}

TEST(MailAddress, TakeMailAddressesTable)
{
    struct Row {
        const char *sender, *recipients;
        const char *takenSender;
        QStringList list;
        QString error;
    };
    const Row rows[] = {
        {" Me@Example.ORG ", "Ab@C.de, cd@e.fg", "me@example.org", {"ab@c.de", "cd@e.fg"}, {}},
        {"  ", "ab@c.de", "", {}, Mail_No_Sender_Text},
        {"", "bad", "", {}, Mail_No_Sender_Text},
        {"me@example.org", "ab@c.de, bad", "me@example.org", {},
         QStringLiteral("Recipient E-mail address is invalid or incomplete.\n\"bad\"")},
        {"me@example.org", " ", "me@example.org", {}, QStringLiteral("Please specify the Recipient E-mail address.")},
    };
    const Mail_Settings stored{QStringLiteral("stored@example.org"), QStringLiteral("smtp.example.org"),
                               QStringLiteral("465"), QStringLiteral("Y")};
    for (const Row &row : rows) {
        const Mail_Addresses a =
            Take_Mail_Addresses(stored, QString::fromUtf8(row.sender), QString::fromUtf8(row.recipients));
        EXPECT_EQ(a.settings.sender, QString::fromUtf8(row.takenSender)) << row.sender;
        EXPECT_EQ(a.settings.server, stored.server) << row.sender;
        EXPECT_EQ(a.settings.port, stored.port) << row.sender;
        EXPECT_EQ(a.settings.ssl, stored.ssl) << row.sender;
        EXPECT_EQ(a.recipients, row.list) << row.recipients;
        EXPECT_EQ(a.error, row.error) << row.recipients;
    }
}

TEST_F(EmailSetting, DetailsEveryMailWindowStartsFromAreTheStoredOnes)
{
    Preferences prefs = Preferences::sharedInstance();
    prefs.setsend_email_SenderEmail("gate@example.org");
    prefs.setsend_email_PORT_num("587");
    ASSERT_TRUE(prefs.flush());
    const Mail_Settings details = Current_Mail_Settings();
    EXPECT_EQ(details.sender, "gate@example.org");
    EXPECT_EQ(details.port, "587");
    EXPECT_EQ(details.ssl, "") << "absent means not secured";
}

TEST_F(EmailSetting, ValidationOrderMessagesAndFocus)
{
    Email_Setting w;
    w.show();
    struct Row {
        Fields fields;
        bool test;
        const char *message;
        QLineEdit *Email_Setting::*focus;
    };
    const Fields good{"Sender@Example.org", "pw", "smtp.example.org", "587", "to@example.org"};
    auto with = [&](auto change) {
        Fields f = good;
        change(f);
        return f;
    };
    const Row rows[] = {
        {with([](Fields &f) { f = Fields{}; }), true, "Please enter sender E-mail.", &Email_Setting::_send_mail_sender_mail},
        {with([](Fields &f) { f.sender = "a@b.c"; f.password.clear(); }), true, "Please enter valid sender E-mail address.",
         &Email_Setting::_send_mail_sender_mail},
        {with([](Fields &f) { f.password.clear(); f.smtp.clear(); }), false, "Please enter password.",
         &Email_Setting::_send_mail_password},
        {with([](Fields &f) { f.smtp.clear(); f.port.clear(); }), false, "Please enter SMTP server.",
         &Email_Setting::_send_mail_smtp},
        {with([](Fields &f) { f.port.clear(); f.to.clear(); }), true, "Please enter port number.",
         &Email_Setting::_send_mail_port},
        {with([](Fields &f) { f.to.clear(); }), true, "Please enter recipient E-mail address.", &Email_Setting::_send_mail_to},
        {with([](Fields &f) { f.to = "abc@de"; }), true, "Please enter valid recipient E-mail address.",
         &Email_Setting::_send_mail_to},
        {with([](Fields &f) { f.to.clear(); }), false, nullptr, nullptr},
        {with([](Fields &f) { f.password = " "; f.port = "x"; }), false, nullptr, nullptr},  // typed text only
    };
    for (const Row &row : rows) {
        fill(w, row.fields);
        w.closeButton->setFocus();
        boxes().clear();
        const bool valid = w.Check_Validation(row.test);
        const QStringList shown = boxes().take();
        if (!row.message) {
            EXPECT_TRUE(valid);
            EXPECT_TRUE(shown.isEmpty());
            continue;
        }
        EXPECT_FALSE(valid) << row.message;
        EXPECT_EQ(shown, QStringList{"\n" + QString::fromUtf8(row.message)});
        EXPECT_EQ(w.focusWidget(), w.*row.focus) << row.message;
    }
}

TEST_F(EmailSetting, SaveStoresAsTypedOwnerOnlyAndTheSecureFlag)
{
    struct Row {
        bool ssl, tls;
        const char *flag;
    };
    const Row rows[] = {{true, false, "Y"}, {false, true, "N"}, {false, false, "N"}, {true, true, "N"}};
    for (const Row &row : rows) {
        Email_Setting w;
        fill(w, {"Sender@Example.org", "pw", "smtp.example.org", "587", ""});
        w._send_mail_ssl->setChecked(row.ssl);
        w._send_mail_tls->setChecked(row.tls);
        w.Save_Button();
        EXPECT_EQ(w.result(), 1);
        const Preferences p = Preferences::sharedInstance();
        EXPECT_EQ(p.send_email_SenderEmail().value_or("?"), "Sender@Example.org");
        EXPECT_EQ(p.send_email_Recipient().value_or("?"), "");
        EXPECT_EQ(p.send_email_Password().value_or("?"), "pw");
        EXPECT_EQ(p.send_email_SMTP_server().value_or("?"), "smtp.example.org");
        EXPECT_EQ(p.send_email_PORT_num().value_or("?"), "587");
        EXPECT_EQ(p.send_email_enable_ssl().value_or("?"), row.flag);
        EXPECT_EQ(QFileInfo(Preferences::settingsPath()).permissions() & 0x7777, 0x6600);  // 0600
    }
    // Loading turns the stored flag back into the radios.
    Email_Setting w;
    Preferences p = Preferences::sharedInstance();
    p.setsend_email_enable_ssl("Y");
    p.flush();
    w.loadPreferences();
    EXPECT_TRUE(w._send_mail_ssl->isChecked());
    EXPECT_FALSE(w._send_mail_tls->isChecked());
}

// A Save refused, or that could not be written (the disk full), stores nothing and keeps
// the window open with what was typed; Save pressed again once it can be written
// stores it.
TEST_F(EmailSetting, SaveRefusedStoresNothing)
{
    struct Row {
        const char *password;
        bool diskFull;
        const char *message;
    };
    const Row rows[] = {
        {"", false, "Please enter password."},
        {"pw", true, "The e-mail settings could not be saved. File too large."},
    };
    for (const Row &row : rows) {
        Preferences::sharedInstance();  // the empty settings file, made while there is room
        Email_Setting w;
        w.show();
        fill(w, {"sender@example.org", row.password, "smtp.example.org", "587", ""});
        {
            std::optional<testsupport::Disk_Full_After> full;
            if (row.diskFull) full.emplace(0);
            w.Save_Button();
        }
        EXPECT_EQ(boxes().take(), QStringList{"\n" + QString::fromUtf8(row.message)});
        EXPECT_TRUE(w.isVisible()) << row.message;
        EXPECT_EQ(w._send_mail_sender_mail->text(), "sender@example.org");
        EXPECT_EQ(w._send_mail_password->text(), row.password);
        EXPECT_EQ(Preferences::sharedInstance().send_email_SenderEmail().value_or("?"), "") << row.message;

        w._send_mail_password->setText("pw");
        w.Save_Button();
        EXPECT_EQ(w.result(), 1);
        EXPECT_EQ(Preferences::sharedInstance().send_email_SenderEmail().value_or("?"), "sender@example.org");
        QFile::remove(Preferences::settingsPath());
    }
}

TEST_F(EmailSetting, ResetAnsweredNoThenYes)
{
    Preferences p = Preferences::sharedInstance();
    p.setsend_email_SenderEmail("sender@example.org");
    p.setsend_email_enable_ssl("Y");
    p.flush();
    EXPECT_EQ(Current_Mail_Settings().sender, "sender@example.org");
    Email_Setting w;
    w.loadPreferences();

    w.Reset_Button();  // answered No
    EXPECT_EQ(boxes().take(), QStringList{"Are you sure you want to reset current email settings?"});
    EXPECT_EQ(w._send_mail_sender_mail->text(), "sender@example.org");
    EXPECT_EQ(Preferences::sharedInstance().send_email_SenderEmail().value_or("?"), "sender@example.org");

    boxes().answerNext(1);
    w.Reset_Button();
    EXPECT_EQ(w._send_mail_sender_mail->text(), "");
    EXPECT_FALSE(w._send_mail_ssl->isChecked());
    EXPECT_TRUE(w._send_mail_tls->isChecked());
    EXPECT_EQ(Preferences::sharedInstance().send_email_SenderEmail().value_or("?"), "");
    EXPECT_EQ(Current_Mail_Settings().sender, "");
}

TEST_F(EmailSetting, TestMessageReachesTheSinkOrNamesTheCause)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start());
    Email_Setting w;
    struct Row {
        const char *password;
        const char *status;
    };
    const Row rows[] = {
        {"secret", "E-mail has been sent successfully."},
        {"wrong",
         "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail server is "
         "not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) is not "
         "blocking the software to communicate with your E-mail server.\n\nCould not send email.\nThe mail server "
         "refused the login: check the sender and password."},
    };
    for (const Row &row : rows) {
        fill(w, {"Sender@Example.org", row.password, "127.0.0.1", QString::number(sink.port), "To@Example.org"});
        w.TLS_Selected();
        boxes().clear();
        w.Send_Test_Email();
        EXPECT_EQ(w._send_mail_result_status->text(), QString::fromUtf8(row.status));
        EXPECT_EQ(boxes().take(), QStringList{"\n" + QString::fromUtf8(row.status)});
    }
    // The test stores nothing.
    EXPECT_EQ(Preferences::sharedInstance().send_email_Password().value_or("?"), "");
    const QList<SavedMail> mail = sink.messages();
    ASSERT_EQ(mail.size(), 1);
    EXPECT_EQ(mail[0].from, "sender@example.org");
    EXPECT_EQ(mail[0].envTo, "to@example.org");
    EXPECT_EQ(mail[0].subject, App_Name + " Test Mail");
    EXPECT_EQ(mail[0].body, "This is test mail sent by " + App_Name + ".\n");
    EXPECT_TRUE(mail[0].attachments.isEmpty());
}

// What the user is told when the server takes a UTF-8 password, cannot take it, or hangs
// up after it was given the message; the log names neither the recipient nor the message.
TEST_F(EmailSetting, TestMessageSaysWhatHappened)
{
    const QString password = QStringLiteral("pässwörd€");
    const QString check = QStringLiteral(
        "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail server is "
        "not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) is not "
        "blocking the software to communicate with your E-mail server.\n\nCould not send email.\n");
    struct Row {
        QStringList sinkOptions;
        QString status;
        int kept;
    };
    const Row rows[] = {
        {{"--password", password, "--auth", "LOGIN"}, "E-mail has been sent successfully.", 1},
        {{"--password", password, "--auth", "CRAM-MD5"},
         check + "The password has characters (beyond plain ASCII) that this mail server's login cannot take, so "
                 "nothing was sent.",
         0},
        {{"--password", password, "--after-data", "close"},
         check + "The mail server stopped answering after it was given the message: it may have been sent. Check "
                 "with the recipient before sending it again.",
         1},
    };
    for (const Row &row : rows) {
        SmtpSink sink;
        ASSERT_TRUE(sink.start(row.sinkOptions));
        Email_Setting w;
        fill(w, {"Sender@Example.org", password, "127.0.0.1", QString::number(sink.port), "Private.Person@Example.net"});
        w.TLS_Selected();
        boxes().clear();
        testing::internal::CaptureStderr();
        w.Send_Test_Email();
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(w._send_mail_result_status->text(), row.status);
        EXPECT_EQ(boxes().take(), QStringList{"\n" + row.status});
        EXPECT_EQ(sink.waitFor(row.kept, 2000), row.kept);
        EXPECT_EQ(log.find("private.person"), std::string::npos) << log;
        EXPECT_EQ(log.find("Test Mail"), std::string::npos) << log;
    }
}

// An address outside ASCII: sent where the server offers SMTPUTF8; elsewhere the window
// says the server cannot take it and names it (as typed, in lower case).
TEST_F(EmailSetting, TestMessageNamesAnAddressTheServerCannotTake)
{
    const QString check = QStringLiteral(
        "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to E-mail server is "
        "not interrupted and E-mail server is not down.\n3. Your Firewall or Security software (if any) is not "
        "blocking the software to communicate with your E-mail server.\n\nCould not send email.\n");
    const QString rene = QStringLiteral("rené@example.org");
    struct Row {
        QStringList sinkOptions;
        QString sender, to;
        QString status;
        QString login;  // of the kept message; empty: nothing kept
    };
    const Row rows[] = {
        {{}, "Sender@Example.org", QStringLiteral("René@Example.org"),
         check + "The mail server cannot take the recipient address rené@example.org: it has characters beyond plain "
                 "ASCII, which this server does not accept (SMTPUTF8), so nothing was sent to it.",
         ""},
        {{"--smtputf8"}, "Sender@Example.org", QStringLiteral("René@Example.org"), "E-mail has been sent successfully.",
         "sender@example.org"},
        {{"--user", rene}, QStringLiteral("René@Example.org"), "to@example.org",
         check + "The mail server cannot take the sender address rené@example.org: it has characters beyond plain "
                 "ASCII, which this server does not accept (SMTPUTF8) or cannot take as a login, so nothing was sent.",
         ""},
        {{"--smtputf8", "--user", rene}, QStringLiteral("René@Example.org"), "to@example.org",
         "E-mail has been sent successfully.", rene},
    };
    for (const Row &row : rows) {
        SmtpSink sink;
        ASSERT_TRUE(sink.start(row.sinkOptions));
        Email_Setting w;
        fill(w, {row.sender, "secret", "127.0.0.1", QString::number(sink.port), row.to});
        w.TLS_Selected();
        boxes().clear();
        w.Send_Test_Email();
        EXPECT_EQ(w._send_mail_result_status->text(), row.status);
        EXPECT_EQ(boxes().take(), QStringList{"\n" + row.status});
        testsupport::saveShot(w, QStringLiteral("email_setting_address_%1").arg(&row - rows));
        const int kept = row.login.isEmpty() ? 0 : 1;
        ASSERT_EQ(sink.waitFor(kept, 2000), kept);
        if (kept) {
            EXPECT_EQ(sink.messages().value(0).login, row.login);
        }
    }
}
