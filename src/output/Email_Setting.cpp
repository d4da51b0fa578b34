#include "Email_Setting.h"

#include "FileUtilities.h"
#include "Globals.h"
#include "LayoutParts.h"
#include "Helpers.h"
#include "Log.h"
#include "Mail_Recipients.h"
#include "MessageBox.h"
#include "PoolJob.h"
#include "Preferences.h"
#include "Shared_Dialogs.h"
#include "Modal_Runner.h"

#include <QEventLoop>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

QString Test_Mail_Subject() { return App_Name + QStringLiteral(" Test Mail"); }
QString Test_Mail_Body() { return QStringLiteral("This is test mail sent by ") + App_Name + u'.'; }

void Run_Beside_Event_Loop(const std::function<void()> &work, QThreadPool *pool)
{
    QEventLoop loop;
    Pool_Job worker;
    worker.Start(pool, [&] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.Wait();
}

Email_Setting::Email_Setting(QWidget *parent, Modal_Runner *runner, QThreadPool *pool)
    : QDialog(parent), m_runner(runner), m_pool(pool)
{
    setObjectName(QStringLiteral("Email_Setting"));
    setWindowTitle(tr("E-mail Settings"));
    Style_Output_Window(*this);

    _send_mail_sender_mail = new QLineEdit;
    _send_mail_password = new QLineEdit;
    _send_mail_password->setEchoMode(QLineEdit::Password);
    _send_mail_smtp = new QLineEdit;
    _send_mail_port = new QLineEdit;
    _send_mail_ssl = new QRadioButton(tr("SSL"));
    _send_mail_tls = new QRadioButton(tr("TLS"));
    // Managed by hand: a layout may leave both off.
    _send_mail_ssl->setAutoExclusive(false);
    _send_mail_tls->setAutoExclusive(false);
    _send_mail_to = new QLineEdit;
    _send_mail_result_status = new QLabel;
    _send_mail_result_status->setWordWrap(true);
    _send_mail_result_status->setMinimumWidth(360);
    for (QLineEdit *e : {_send_mail_sender_mail, _send_mail_password, _send_mail_smtp, _send_mail_port, _send_mail_to})
        e->setMinimumWidth(260);

    auto *form = new QFormLayout;
    form->addRow(tr("Sender E-mail:"), _send_mail_sender_mail);
    form->addRow(tr("Password:"), _send_mail_password);
    form->addRow(tr("SMTP server:"), _send_mail_smtp);
    form->addRow(tr("Port:"), _send_mail_port);
    form->addRow(tr("Secure connection:"), Side_By_Side({_send_mail_ssl, _send_mail_tls, Layout_Stretch{}}));
    form->addRow(tr("Test recipient:"), _send_mail_to);

    testButton = Command_Button(tr("Send Test Mail"), this, &Email_Setting::Send_Test_Email);
    resetButton = Command_Button(tr("Reset"), this, &Email_Setting::Reset_Button);
    saveButton = Command_Button(tr("Save"), this, &Email_Setting::Save_Button);
    closeButton = Command_Button(tr("Close"), this, &Email_Setting::Close_Button);
    saveButton->setDefault(true);
    Stack_Layout(this, {form, _send_mail_result_status,
                        Side_By_Side({testButton, resetButton, Layout_Stretch{}, saveButton, closeButton})});

    connect(_send_mail_ssl, &QRadioButton::clicked, this, &Email_Setting::SSL_Selected);
    connect(_send_mail_tls, &QRadioButton::clicked, this, &Email_Setting::TLS_Selected);
}

QString Edit_Mail_Settings(Email_Setting *&window, QWidget *parent, Modal_Runner *runner, QThreadPool *pool)
{
    if (!window) window = new Email_Setting(parent, runner, pool);
    window->Open_Wnd();
    return Current_Mail_Settings().sender;
}

int Email_Setting::Open_Wnd()
{
    loadPreferences();
    _send_mail_result_status->clear();
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

void Email_Setting::loadPreferences()
{
    const Preferences prefs = Preferences::sharedInstance();
    _send_mail_to->setText(prefs.send_email_Recipient().value_or(QString()));
    _send_mail_sender_mail->setText(prefs.send_email_SenderEmail().value_or(QString()));
    _send_mail_smtp->setText(prefs.send_email_SMTP_server().value_or(QString()));
    _send_mail_port->setText(prefs.send_email_PORT_num().value_or(QString()));
    _send_mail_password->setText(prefs.send_email_Password().value_or(QString()));
    if (prefs.send_email_enable_ssl().value_or(QString()) == QLatin1String("Y"))
        SSL_Selected();
    else
        TLS_Selected();
}

bool Email_Setting::flushPreferences()
{
    Preferences prefs = Preferences::sharedInstance();
    prefs.setsend_email_Recipient(_send_mail_to->text());
    prefs.setsend_email_SenderEmail(_send_mail_sender_mail->text());
    prefs.setsend_email_SMTP_server(_send_mail_smtp->text());
    prefs.setsend_email_PORT_num(_send_mail_port->text());
    prefs.setsend_email_Password(_send_mail_password->text());
    prefs.setsend_email_enable_ssl(Secure_Flag());
    int error = 0;
    if (prefs.flush(&error)) return true;
    Show_MessageBox(Failed_Write_Text(QStringLiteral("The e-mail settings could not be saved."), error));
    return false;
}

QString Email_Setting::Secure_Flag() const
{
    return _send_mail_ssl->isChecked() && !_send_mail_tls->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
}

void Email_Setting::SSL_Selected()
{
    _send_mail_ssl->setChecked(true);
    _send_mail_tls->setChecked(false);
}

void Email_Setting::TLS_Selected()
{
    _send_mail_ssl->setChecked(false);
    _send_mail_tls->setChecked(true);
}

bool Email_Setting::Check_Validation(bool test)
{
    const QString sender = _send_mail_sender_mail->text().toLower();
    const QString recipient = _send_mail_to->text().toLower();
    struct Check {
        bool failed;
        const char *message;
        QLineEdit *field;
    };
    const Check checks[] = {
        {sender.isEmpty(), "Please enter sender E-mail.", _send_mail_sender_mail},
        {!isValidEmail(sender), "Please enter valid sender E-mail address.", _send_mail_sender_mail},
        {_send_mail_password->text().isEmpty(), "Please enter password.", _send_mail_password},
        {_send_mail_smtp->text().isEmpty(), "Please enter SMTP server.", _send_mail_smtp},
        {_send_mail_port->text().isEmpty(), "Please enter port number.", _send_mail_port},
        {test && recipient.isEmpty(), "Please enter recipient E-mail address.", _send_mail_to},
        {test && !isValidEmail(recipient), "Please enter valid recipient E-mail address.", _send_mail_to},
    };
    for (const Check &c : checks) {
        if (!c.failed) continue;
        Show_MessageBox(QString::fromUtf8(c.message));
        c.field->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void Email_Setting::Save_Button()
{
    if (!Check_Validation(false) || !flushPreferences()) return;
    done(1);
}

void Email_Setting::setBusy(bool busy)
{
    for (QWidget *w : {static_cast<QWidget *>(testButton), static_cast<QWidget *>(resetButton),
                       static_cast<QWidget *>(saveButton), static_cast<QWidget *>(closeButton)})
        w->setEnabled(!busy);
}

void Email_Setting::Send_Test_Email()
{
    if (!Check_Validation(true)) return;
    const QString recipient = Trim_Str(_send_mail_to->text().toLower());
    const Mail_Settings settings{_send_mail_sender_mail->text().toLower(), _send_mail_smtp->text(),
                                 _send_mail_port->text(), Secure_Flag()};
    Mail_Transport t = transport;
    const QString password = _send_mail_password->text();
    t.password = [password] { return password; };

    _send_mail_result_status->setText(QStringLiteral("It may take a while, Please wait..."));
    setBusy(true);
    Mail_Result result;
    {
        const PleaseWait_Scope wait(this);
        Run_Beside_Event_Loop(
            [&] { result = t.sendEmail_pyth(recipient, Test_Mail_Subject(), {}, settings, Test_Mail_Body()); }, m_pool);
    }
    setBusy(false);
    if (!result.sent())
        Show_NSLog_Message(QStringLiteral("Test mail not sent (status %1): %2").arg(result.status).arg(result.errorLine));
    const QString text = result.sent() ? Mail_Sent_Text
                                       : Mail_Check_Settings_Text + QStringLiteral("\n\nCould not send email.\n")
                                             + Mail_Cause_Line(result.status, result.address);
    _send_mail_result_status->setText(text);
    Show_MessageBox(text);
}

void Email_Setting::Reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset current email settings?")) != 1) return;
    QFile::remove(Preferences::settingsPath());
    for (QLineEdit *e : {_send_mail_to, _send_mail_sender_mail, _send_mail_smtp, _send_mail_port, _send_mail_password})
        e->clear();
    _send_mail_result_status->clear();
    TLS_Selected();
}
