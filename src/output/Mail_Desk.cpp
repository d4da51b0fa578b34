#include "Mail_Desk.h"

#include "Direct_Mail.h"
#include "Email_Setting.h"
#include "Send_Mail.h"

Email_Setting &Mail_Desk::Email_Setting_Window()
{
    if (!m_emailSetting) m_emailSetting = new Email_Setting(m_window, m_runner, m_pool);
    return *m_emailSetting;
}

Send_Mail &Mail_Desk::Send_Mail_Window()
{
    if (!m_sendMail) {
        m_sendMail = new Send_Mail(m_cards, m_window, m_runner, m_pool);
        m_sendMail->settingsWindow = &Email_Setting_Window();
    }
    return *m_sendMail;
}

Direct_Mail &Mail_Desk::Direct_Mail_Window()
{
    if (!m_directMail) {
        m_directMail = new Direct_Mail(m_window, m_runner, m_pool);
        m_directMail->settingsWindow = &Email_Setting_Window();
    }
    return *m_directMail;
}

void Mail_Desk::Mail_Clicked()
{
    Send_Mail_Window().Open_Wnd();
}

void Mail_Desk::Email_Settings_Clicked()
{
    Email_Setting_Window().Open_Wnd();
}
