#include "Direct_Mail.h"

#include "Email_Setting.h"
#include "Globals.h"
#include "Helpers.h"
#include "LayoutParts.h"
#include "Log.h"
#include "MessageBox.h"
#include "Shared_Dialogs.h"
#include "Modal_Runner.h"
#include "RunUnderWay.h"
#include "TsanHandoff.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

QString Visitor_Mail_Subject() { return QStringLiteral("Visitor Details"); }
QString Visitor_Mail_Body() { return QStringLiteral("Visitor Details sent by ") + App_Name + u'.'; }

struct Direct_Mail::Run {
    Mail_Run_State state;
    Mail_Transport transport;
    Mail_Settings settings;
    QStringList recipients;
    QString file;
    int sent = 0, attempted = 0;
    int lastFailure = Mail_Sent;
    QString lastFailureAddress;  // the address the last failure names, if any
};

Direct_Mail::Direct_Mail(QWidget *parent, Modal_Runner *runner, QThreadPool *pool)
    : QDialog(parent), m_runner(runner), m_pool(pool)
{
    setObjectName(QStringLiteral("Direct_Mail"));
    setWindowTitle(tr("E-mail Visitor Details"));
    Style_Output_Window(*this);

    from_txt = new QLineEdit;
    from_txt->setReadOnly(true);
    to_txt = new QLineEdit;
    to_txt->setPlaceholderText(tr("Recipients, separated by commas"));
    to_txt->setMinimumWidth(320);
    file_path_ctrl = new QLineEdit;
    file_path_ctrl->hide();
    settingButton = Command_Button(tr("Settings..."), this, &Direct_Mail::Setting_Button);
    sendButton = Command_Button(tr("Send"), this, &Direct_Mail::Send_Button);
    closeButton = Command_Button(tr("Close"), this, &Direct_Mail::Close_Button);
    sendButton->setDefault(true);

    details_box = new QGroupBox;
    auto *form = new QFormLayout(details_box);
    form->addRow(tr("From:"), Side_By_Side({{from_txt, 1}, settingButton}));
    form->addRow(tr("To:"), to_txt);

    wait_box = new QGroupBox;
    _plz_wait_label = new QLabel(tr("Sending the visitor details, please wait..."));
    _Curr_Progress = new QProgressBar;
    _curr_msg_cnt = new QLabel;
    _stop_btn = Command_Button(tr("Stop"), this, &Direct_Mail::Stop_Sending_Pressed);
    Stack_Layout(wait_box, {_plz_wait_label, Side_By_Side({{_Curr_Progress, 1}, _curr_msg_cnt, _stop_btn})});

    Stack_Layout(this, {details_box, wait_box, file_path_ctrl, Button_Row({sendButton, closeButton})});
    showSending(false);
}

Direct_Mail::~Direct_Mail()
{
    if (m_run) m_run->state.Request_Stop();
    m_worker.Wait();
}

void Direct_Mail::showSending(bool sending)
{
    details_box->setEnabled(!sending);
    wait_box->setVisible(sending);
    wait_box->setEnabled(sending);
    _stop_btn->setEnabled(sending);
    sendButton->setEnabled(!sending);
    closeButton->setEnabled(!sending);
}

int Direct_Mail::Open_Wnd(const QString &path)
{
    if (isSending()) {
        Show_MessageBox(Run_Under_Way_Text());
        return 0;
    }
    file_path_ctrl->setText(path);
    from_txt->setText(Current_Mail_Settings().sender);
    to_txt->clear();
    showSending(false);
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

void Direct_Mail::Setting_Button()
{
    from_txt->setText(Edit_Mail_Settings(settingsWindow, this, m_runner, m_pool));
}

void Direct_Mail::Close_Button()
{
    if (!isSending()) done(0);
}

void Direct_Mail::reject()
{
    if (!isSending()) QDialog::reject();
}

void Direct_Mail::Stop_Sending_Pressed()
{
    if (m_run && isSending() && Confirm_Stop()) m_run->state.Request_Stop();
}

bool Direct_Mail::Send_Button()
{
    if (isSending()) return false;
    m_worker.Wait();
    auto run = std::make_shared<Run>();
    run->transport = transport;
    Mail_Addresses addresses = Take_Mail_Addresses(Current_Mail_Settings(), from_txt->text(), to_txt->text());
    if (!addresses.error.isEmpty()) {
        Show_MessageBox(addresses.error);
        return false;
    }
    run->settings = std::move(addresses.settings);
    run->recipients = std::move(addresses.recipients);
    run->file = file_path_ctrl->text();
    if (run->file.isEmpty() || !QFileInfo(run->file).isFile()) {
        Show_MessageBox(QStringLiteral("The visitor details file to send was not found:\n") + run->file);
        return false;
    }

    const int count = int(run->recipients.size());
    _Curr_Progress->setRange(0, count);
    _Curr_Progress->setValue(0);
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2").arg(0).arg(count));
    showSending(true);
    m_run = run;
    m_finished = false;
    m_worker.Start(m_pool, [this, run, count] {
        for (int i = 0; i < count && !run->state.stopped(); ++i) {
            QMetaObject::invokeMethod(this, Handed_Over(this, [this, i, count] {
                _Curr_Progress->setValue(i + 1);
                _curr_msg_cnt->setText(QStringLiteral("%1 / %2 ").arg(i + 1).arg(count));
            }), Qt::QueuedConnection);
            const Mail_Result r = run->transport.sendEmail_pyth(run->recipients[i], Visitor_Mail_Subject(), {run->file},
                                                                run->settings, Visitor_Mail_Body());
            ++run->attempted;
            if (r.sent()) {
                ++run->sent;
            } else {
                run->lastFailure = r.status;
                run->lastFailureAddress = r.address;
                Show_NSLog_Message(QStringLiteral("error in mail (status %1): %2").arg(r.status).arg(r.errorLine));
            }
        }
        QMetaObject::invokeMethod(this, Handed_Over(this, [this, run] { finishRun(run); }), Qt::QueuedConnection);
    });
    return true;
}

void Direct_Mail::finishRun(std::shared_ptr<Run> run)
{
    m_worker.Wait();
    showSending(false);
    m_finished = true;
    const int planned = int(run->recipients.size());
    if (run->sent == planned) {
        Show_MessageBox(Mail_Sent_Text);
        return;
    }
    const QString cause = run->lastFailure != Mail_Sent ? Mail_Cause_Line(run->lastFailure, run->lastFailureAddress)
                                                        : QStringLiteral("Sending was stopped.");
    Show_MessageBox(Mail_Check_Settings_Text + QStringLiteral("\n\nCould not send email.\n") + cause + u'\n'
                    + QStringLiteral("%1 of %2 messages were not sent.").arg(planned - run->sent).arg(planned));
}

void Direct_Mail::Wait_Until_Done() { Process_Events_Until(m_finished); }
