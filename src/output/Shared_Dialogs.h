#pragma once
// The small windows the output runs share: the keep/replace box, the progress panel
// with its Stop button, the please-wait panel, the long message box, the box that
// offers to open what was exported, and the picture-format choice of a "Save Image"
// panel. Every box that waits for an answer may be asked from any thread: the box is
// made and run on the GUI thread while the caller waits, and its answer is returned.
// Installed message-box answerers (MessageBox.h) answer them without a window.
#include "Dialogs.h"
#include "Output_Run_State.h"
#include "WidgetDecls.h"

#include <QDialog>
#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

class QFileDialog;
class QProgressBar;
class QTextBrowser;

// Background of the output windows (red 241, green 244, blue 250).
void Style_Output_Window(QWidget &window);
// Asks "Are you sure you want to stop?"; true when the user answers Yes.
bool Confirm_Stop();
// Handles events, in steps of 50 ms at the most, until the run says it is done.
void Process_Events_Until(const std::atomic<bool> &done);

// ---- The keep/replace box ----

// What the box asks about one file that exists.
struct Keep_Replace_Request {
    QString title_val;       // "File already exists :"
    QString msg_val_str;     // the file's name and the question
    bool apply_chk_show = true;  // whether "Apply to All" is offered
    QString file_path_str;   // the file that exists
};

class Replcae_Confirm_Box : public QDialog {
public:
    explicit Replcae_Confirm_Box(QWidget *parent = nullptr);

    // Fills the box from the request and the run's remembered check (GUI thread).
    void Fill(const Keep_Replace_Request &request, bool applyAllChecked);
    // Runs the box modally; returns the answer (Keep_Replace_Answer).
    int Open_Replace_Dialog();
    int answer() const { return m_answer; }

    // Any thread: asks on the GUI thread (a scripted answerer first, else the box)
    // and waits. The answer goes into the run's replace_keep_file_flag; Cancel also
    // sets its stop flag. Returns the answer.
    static int Open_box_in_thread(const Keep_Replace_Request &request, Output_Run_State &state,
                                  QWidget *parent = nullptr);
    // The text a scripted answerer is given: the title, a line break, the message.
    static QString Answerer_Text(const Keep_Replace_Request &request);

    QLabel *_Msg_Title;
    QLabel *_Msg_Val;
    QCheckBox *apply_chk;
    QLabel *path_control;  // the file, kept hidden
    QPushButton *keep_btn;
    QPushButton *replace_btn;
    QPushButton *cancel_btn;

    void Keep_Pressed();
    void Replace_Pressed();
    void CancelPressed();

private:
    int m_answer = Keep_Replace_Cancel;
};

// ---- The progress panel ----

class Send_Modeless : public QDialog {
public:
    // The panel covers `parent` (window-modal) while it is shown.
    explicit Send_Modeless(QWidget *parent = nullptr);
    ~Send_Modeless() override;

    // Any thread. Shows the panel for a run of `total` steps: Stop, the total and its
    // caption shown, the bar from 0 to `total`, the count text `startText`; then a
    // 0.5 s timer on the GUI thread copies the run's counters into the bar and the text.
    void Show_One_By_One_Modeless(std::shared_ptr<Output_Run_State> state, int total, const QString &startText);
    // Any thread. Stops the timer and hides the panel.
    void Hide_One_By_One_Modeless();
    // Any thread. The text of a pause (mail runs); empty hides it.
    void Set_Pause_Text(const QString &text);

    // The text of a tick, from the steps begun and the total; "%d / %d " by default.
    void Set_Count_Format(std::function<QString(int done, int total)> format);
    // One tick: the bar takes the steps begun and the text follows (GUI thread).
    void update_sending_progress_bar();
    // Stop: asks "Are you sure you want to stop?" while the run waits before its next
    // step (Output_Run_State::paused); Yes asks the run to stop.
    void Stop_Sending_Pressed();
    bool timerActive() const { return m_timer.isActive(); }
    const Output_Run_State *runState() const { return m_state.get(); }

    QLabel *tot_label;
    QLabel *_tot_msg_cnt;
    QLabel *_curr_msg_cnt;
    QProgressBar *_Curr_Progress;
    QProgressBar *Round_Progress;  // a busy indicator, for runs without a count
    QPushButton *_stop_btn;
    QLabel *pause_label;

private:
    std::shared_ptr<Output_Run_State> m_state;
    std::function<QString(int, int)> m_format;
    QTimer m_timer;
};

// ---- The please-wait panel ----

class PleaseWait_Modeless : public QDialog {
public:
    explicit PleaseWait_Modeless(QWidget *parent = nullptr,
                                 const QString &text = QStringLiteral("It may take a while, Please wait.."));
    QLabel *modeless_msg_lbl;
};

// Shows the please-wait panel over `parent` for the life of the scope (GUI thread):
// the panel is painted before the long step begins and goes when the scope ends.
class PleaseWait_Scope {
public:
    explicit PleaseWait_Scope(QWidget *parent,
                              const QString &text = QStringLiteral("It may take a while, Please wait.."));
    ~PleaseWait_Scope();
    PleaseWait_Scope(const PleaseWait_Scope &) = delete;
    PleaseWait_Scope &operator=(const PleaseWait_Scope &) = delete;
    PleaseWait_Modeless *window() const { return m_window; }

private:
    PleaseWait_Modeless *m_window;
};

// ---- The long message box ----

class Long_SMS_Dlg : public QDialog {
public:
    explicit Long_SMS_Dlg(QWidget *parent = nullptr);
    void Fill(const QString &title, const QString &text);

    // Any thread: shows the title and the text with one "OK" and waits; returns 1.
    static int Open_Long_sms_Dialog(const QString &title, const QString &text, QWidget *parent = nullptr);
    // The text a scripted answerer is given: the title, a blank line, the text.
    static QString Answerer_Text(const QString &title, const QString &text);

    QLabel *_Msg_Title;
    QTextBrowser *_Msg_Val;
    QPushButton *yes_button;  // "OK"
};

// ---- The open-exported-file box ----

struct Export_Open_Offer {
    QString path;       // the file, or the folder, written
    QString backPath;   // the back side's own file, or empty
    QString message;    // "Card has been exported successfully." and the like
    QString checkTitle; // empty: by the path (Export_Open_Check_Title)
};

// "Open containing folder." for a folder, else "Open exported file.".
QString Export_Open_Check_Title(const QString &path);

class Open_Export_Log : public QDialog {
public:
    explicit Open_Export_Log(QWidget *parent = nullptr);
    void Fill(const Export_Open_Offer &offer);
    // Whether the user asked to open (OK with the check box on).
    bool openAsked() const;

    // Any thread: shows the offer and waits; when the user asks, opens the path with the
    // default application and the back file too when it exists. True when opening was
    // asked for.
    static bool Open_Export_File_Box(const Export_Open_Offer &offer, QWidget *parent = nullptr);
    // The same for a run: asked only when the run wrote a file; afterwards the run's
    // back file is forgotten.
    static bool Open_Export_File_Box(Output_Run_State &state, QWidget *parent = nullptr);
    // The text a scripted answerer is given: the check box's title, the path and the
    // message, one per line.
    static QString Answerer_Text(const Export_Open_Offer &offer);

    QCheckBox *_open_log_chk;
    QLabel *_open_log_path;
    QLabel *_open_log_message;
    QPushButton *ok_btn;
    QPushButton *cancel_btn;
};

// ---- The picture format of a "Save Image" panel ----

// The formats offered, in this order: jpg, bmp, png, tiff.
const QStringList &Save_Image_Formats();
// The format at the popup's index: 0 jpg, 1 bmp, 2 png, any other tiff.
QString Save_Image_Format_At(int index);

// A format popup that belongs to a save panel: choosing a format gives the panel's
// name that extension and lets the panel accept only that type.
class AccessoryViewController : public QObject {
public:
    explicit AccessoryViewController(QFileDialog *panel);
    QFileDialog *savePanel() const { return _savePanel; }
    void setSavePanel(QFileDialog *panel) { _savePanel = panel; }
    void selectFormat();
    // The popup; the caller places it (its layout takes it over) or leaves it to this object.
    QComboBox *ext_btn;
    ~AccessoryViewController() override;

private:
    QFileDialog *_savePanel;
    QPointer<QComboBox> m_button;
};

// The "Save Image" panel (through the platform's panel seam, Run_Save_Panel): the four
// formats, jpg first; the chosen path ends in the chosen format. Empty when cancelled.
Save_Panel_Choice Run_Save_Image_Panel(const QString &directory, const QString &suggestedName);
