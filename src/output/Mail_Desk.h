#pragma once
// The e-mail commands of the main window: the card mailing window over the design's
// cards, the e-mail settings window and the visitor details mailing window, each made
// on first use as a child of the main window.
class Direct_Mail;
class Email_Setting;
class Mail_Card_Source;
class Modal_Runner;
class QThreadPool;
class QWidget;
class Send_Mail;

class Mail_Desk {
public:
    // `cards`: the design's cards, counts and sides for the mailing window; `window`:
    // the parent of the windows; `runner` runs them (exec() when none); `pool` is the
    // application's pool the mail runs work on. All outlive the desk.
    Mail_Desk(Mail_Card_Source &cards, QWidget *window, Modal_Runner *runner = nullptr, QThreadPool *pool = nullptr)
        : m_cards(cards), m_window(window), m_runner(runner), m_pool(pool)
    {
    }
    Mail_Desk(const Mail_Desk &) = delete;
    Mail_Desk &operator=(const Mail_Desk &) = delete;

    // The mail command: the card mailing window over the design.
    void Mail_Clicked();
    // The e-mail settings command.
    void Email_Settings_Clicked();

    Send_Mail &Send_Mail_Window();
    Email_Setting &Email_Setting_Window();
    // The visitor details mailing window (the visitor log sends a visitor's file with it).
    Direct_Mail &Direct_Mail_Window();

private:
    Mail_Card_Source &m_cards;
    QWidget *m_window;
    Modal_Runner *m_runner;
    QThreadPool *m_pool;
    Send_Mail *m_sendMail = nullptr;  // children of the window
    Email_Setting *m_emailSetting = nullptr;
    Direct_Mail *m_directMail = nullptr;
};
