// The mail commands of the output desk: a design bound to spreadsheet rows mailed card
// by card through the value engine (each card's row on its PDF, a series not chosen
// left at its value, the design as it was afterwards), and the Settings button showing
// the saved sender.
#include "MailSink.h"
#include "CardValueEngine.h"
#include "DeskFixture.h"
#include "Direct_Mail.h"
#include "Email_Setting.h"
#include "Globals.h"
#include "Mail_Transport.h"
#include "Preferences.h"
#include "Send_Mail.h"
#include "TestSupport.h"
#include "Mail_Desk.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mailtest;

namespace {
std::vector<KeyedArchive> archives(const SKTGraphicList &side)
{
    std::vector<KeyedArchive> out;
    for (const GraphicPtr &g : side.items()) out.push_back(g->encode());
    return out;
}
} // namespace

TEST(MailWiring, BatchCardsCarryTheirRowsAndTheDesignIsPutBack)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start());
    QDir().mkpath(Created_Resource_Path);
    Preferences p = Preferences::sharedInstance();
    p.setsend_email_SenderEmail("sender@example.org");
    p.setsend_email_Password("secret");
    p.setsend_email_SMTP_server("127.0.0.1");
    p.setsend_email_PORT_num(QString::number(sink.port));
    p.setsend_email_enable_ssl("N");
    p.flush();

    testsupport::Desk w;
    w.document.Start_Card_Option = Card_Mode::Opened;
    w.document.Add_ColList_Column("Name");
    for (const char *n : {"Ann Lee", "Bob Stone", "Cy Young"}) w.document.Create_List_By_Array({n}, 1);
    GraphicPtr text = w.add(w.front(), GraphicKind::Text, QRectF(10, 10, 200, 30));
    text->Set_Data_source_type(2);
    text->Set_Excel_binding_Index(1);
    text->Set_text_value("design");
    // A series in use but not chosen: its text keeps the value it shows on every card.
    QFile numbers(Data_Folder_Path + "/Numbers.txt");
    ASSERT_TRUE(numbers.open(QIODevice::WriteOnly) && numbers.write("1\n2\n3") == 5 && numbers.flush());
    GraphicPtr series = w.add(w.front(), GraphicKind::Text, QRectF(10, 60, 200, 30));
    series->Set_Data_source_type(1);
    series->Set_Batch_List_Name("Numbers");
    series->Set_Batch_List_Index(0);
    series->Set_text_value("1");
    const std::vector<KeyedArchive> before = archives(w.front());

    Current_Mail_Settings();
    Send_Mail &s = w.desk.mailDesk().Send_Mail_Window();
    s.Reset_For_Design();
    EXPECT_EQ(s.from_txt->text(), "sender@example.org");
    ASSERT_TRUE(s.send_with_excel_chk->isEnabled());
    ASSERT_TRUE(s.send_with_batch_chk->isEnabled());
    s.send_with_excel_chk->setChecked(true);
    s.to_txt->setPlainText("a@example.org, b@example.org");
    testsupport::boxes().clear();
    ASSERT_TRUE(s.Send_Button());
    s.Wait_Until_Done();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nE-mail has been sent successfully."});

    QTemporaryDir dump;
    const QList<SavedMail> mail = sink.messages(dump.path());
    ASSERT_EQ(mail.size(), 6);
    QProcess pdf;
    pdf.start("/bin/sh", {"-c", "for f in \"$0\"/*.pdf; do pdftotext \"$f\" - | tr -s ' \\n\\f' ' '; echo; done",
                          dump.path()});
    ASSERT_TRUE(testsupport::checkerFinished(pdf));
    EXPECT_EQ(QString::fromUtf8(pdf.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
              (QStringList{" ", "Ann Lee 1 ", " ", "Ann Lee 1 ", " ", "Bob Stone 1 ", " ", "Bob Stone 1 ", " ",
                           "Cy Young 1 ", " ", "Cy Young 1 "}));  // the empty back, then the front
    EXPECT_EQ(mail[0].attachments, (QStringList{"ZOVIZUVEZE_Back.pdf", "ZOVIZUVEZE_Front.pdf"}));
    // The design is its archive taken when the run began, and shows its own text again.
    // (Drawing the view gives a text control its laid-out contents; those aside.)
    const std::vector<KeyedArchive> &backup = w.host.Value_Engine().backup(0);
    const std::vector<KeyedArchive> now = archives(w.front());
    ASSERT_EQ(now.size(), backup.size());
    for (size_t i = 0; i < now.size(); ++i) {
        auto entries = now[i].entries();
        std::erase_if(entries, [](const auto &e) { return e.first == "_Text_contents"; });
        EXPECT_EQ(entries == backup[i].entries(), true) << i;
    }
    EXPECT_EQ(w.front().items().size(), before.size());
    EXPECT_FALSE(w.host.Value_Engine().isRunning());
}

TEST(MailWiring, SettingsButtonShowsTheSavedSender)
{
    QDir().mkpath(Created_Resource_Path);
    testsupport::Desk w;
    w.runner.whileOpen<Email_Setting>([](Email_Setting &e) {
        e._send_mail_sender_mail->setText("New.Sender@example.org");
        e._send_mail_password->setText("pw");
        e._send_mail_smtp->setText("smtp.example.org");
        e._send_mail_port->setText("465");
        e.Save_Button();
    });
    Send_Mail &s = w.desk.mailDesk().Send_Mail_Window();
    s.Setting_Button();
    EXPECT_EQ(s.from_txt->text(), "New.Sender@example.org");
    w.runner.whileOpen<Email_Setting>([](Email_Setting &e) {
        e._send_mail_sender_mail->setText("other@example.org");
        e.Save_Button();
    });
    Direct_Mail &d = w.desk.mailDesk().Direct_Mail_Window();
    d.Setting_Button();
    w.runner.remove<Email_Setting>();
    EXPECT_EQ(d.from_txt->text(), "other@example.org");
    const Mail_Settings stored = Current_Mail_Settings();
    EXPECT_EQ(stored.sender, "other@example.org");
    EXPECT_EQ(stored.port, "465");
}
