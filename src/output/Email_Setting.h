#pragma once
// The e-mail settings window: sender address and password, mail server and port, the
// secure connection (SSL: TLS from the start; TLS: STARTTLS) and the recipient of a
// test message. Loads from and saves to the settings store, validates, sends a test
// message with the values typed, and resets the stored settings.
#include "Mail_Transport.h"

#include <QDialog>
#include <functional>

class Modal_Runner;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QThreadPool;

class Email_Setting;

// Runs the settings window (made on first use, a child of parent) and returns the
// sender then stored, for a mail window's From field.
QString Edit_Mail_Settings(Email_Setting *&window, QWidget *parent, Modal_Runner *runner, QThreadPool *pool);

class Email_Setting : public QDialog {
public:
    // pool: the application's pool the test message is sent on (null: the process's
    // global pool).
    explicit Email_Setting(QWidget *parent = nullptr, Modal_Runner *runner = nullptr, QThreadPool *pool = nullptr);

    // Loads the stored settings and runs the window; 1 after Save, 0 after Close. A Save
    // that could not be written keeps the window open with what was typed.
    int Open_Wnd();
    void loadPreferences();
    // Stores the fields as typed; false, with a message that says why, when the
    // settings file could not be written.
    bool flushPreferences();
    // Checks the fields in order (the test recipient too with `test`); the first that
    // fails is reported and takes the keyboard focus.
    bool Check_Validation(bool test);
    void Save_Button();
    void Close_Button() { done(0); }
    void Send_Test_Email();
    void Reset_Button();
    void SSL_Selected();
    void TLS_Selected();
    // "Y" when SSL is on and TLS off, else "N".
    QString Secure_Flag() const;

    QLineEdit *_send_mail_to;
    QLineEdit *_send_mail_sender_mail;
    QLineEdit *_send_mail_smtp;
    QLineEdit *_send_mail_port;
    QLineEdit *_send_mail_password;
    QLabel *_send_mail_result_status;
    QRadioButton *_send_mail_ssl;
    QRadioButton *_send_mail_tls;
    QPushButton *saveButton;
    QPushButton *closeButton;
    QPushButton *resetButton;
    QPushButton *testButton;

    // The transport of the test message (tests point it elsewhere).
    Mail_Transport transport;

private:
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    void setBusy(bool busy);
    QThreadPool *m_pool;
};

// Subject and body of the test message.
QString Test_Mail_Subject();  // App_Name + " Test Mail"
QString Test_Mail_Body();     // "This is test mail sent by " + App_Name + "."
// Runs the work on a thread of the pool (null: the process's global pool) and keeps the
// GUI thread's events going (the windows repaint) until it has returned. GUI thread.
void Run_Beside_Event_Loop(const std::function<void()> &work, QThreadPool *pool = nullptr);
