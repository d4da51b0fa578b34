#pragma once
// The visitor details mailing window: one given file (the visitor's details) to one or
// many recipients, subject "Visitor Details". Messages go one at a time on a sending
// thread (one thread of the application's pool); the window shows the progress and a Stop button in place of its fields while
// it sends. Every recipient is tried; the end message counts the messages not sent.
#include "Mail_Run.h"
#include "Mail_Transport.h"
#include "PoolJob.h"

#include <QDialog>
#include <functional>
#include <memory>

class Modal_Runner;
class Email_Setting;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThreadPool;

class Direct_Mail : public QDialog {
public:
    // pool: the application's pool the sending thread is taken from (null: the
    // process's global pool); the settings window it makes uses it too.
    explicit Direct_Mail(QWidget *parent = nullptr, Modal_Runner *runner = nullptr, QThreadPool *pool = nullptr);
    ~Direct_Mail() override;

    // Sends `path` (the opener puts it into file_path_ctrl); runs the window. While it
    // is still sending it says so and opens nothing (0).
    int Open_Wnd(const QString &path);
    // Checks the sender, recipients and file and starts the sending thread; false when
    // refused (reported).
    bool Send_Button();
    void Stop_Sending_Pressed();
    void Close_Button();
    // Escape and the title bar's close do what Close does: nothing while it sends (the
    // file it sends stays until its last message has gone).
    void reject() override;
    void Setting_Button();
    bool isSending() const { return m_worker.Started() && !m_finished; }
    void Wait_Until_Done();

    QLineEdit *from_txt;
    QLineEdit *to_txt;
    QLineEdit *file_path_ctrl;  // hidden
    QGroupBox *details_box;
    QGroupBox *wait_box;
    QLabel *_plz_wait_label;
    QLabel *_curr_msg_cnt;
    QProgressBar *_Curr_Progress;
    QPushButton *_stop_btn;
    QPushButton *sendButton;
    QPushButton *closeButton;
    QPushButton *settingButton;

    Mail_Transport transport;
    Email_Setting *settingsWindow = nullptr;

private:
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    struct Run;
    void showSending(bool sending);
    void finishRun(std::shared_ptr<Run> run);

    QThreadPool *m_pool;
    Pool_Job m_worker;
    std::atomic<bool> m_finished{true};
    std::shared_ptr<Run> m_run;
};

QString Visitor_Mail_Subject();  // "Visitor Details"
QString Visitor_Mail_Body();     // "Visitor Details sent by " + App_Name + "."
