#pragma once
// The card mailing window: the cards of the open design to one or many recipients.
// The current card (front, back or both sides, each a one-page PDF, the back attached
// first) or no card (an optional file instead); with a design bound to series or to the
// spreadsheet source, one card per row: every card to every recipient, a range of
// cards to every recipient, or card i to recipient i. Messages go one at a time on a
// sending thread (one thread of the application's pool), with an optional pause after every N messages, behind a progress
// view with Stop. Attachments are written into a private folder of the run, removed
// when it ends; a batch run puts the design back when it ends.
#include "CardModes.h"
#include "Mail_Card_Source.h"
#include "Mail_Run.h"
#include "Mail_Transport.h"
#include "Range_Boxes.h"
#include "PoolJob.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>
#include <vector>

class Modal_Runner;
class Email_Setting;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThreadPool;

enum class Mail_Run_Mode { Current_Card, Every_Card_To_Every, Range_To_Every, Card_Per_Recipient, No_Card };

// One step of a run: a card (from 0; -1 for the current card or no card) to recipients
// (positions in the recipient list). A pause counts steps.
struct Mail_Step {
    int card = -1;
    QList<int> recipients;
};
struct Mail_Plan {
    std::vector<Mail_Step> steps;
    int total = 0;  // the progress bar's maximum
};
// The steps of a run over `recipients` recipients and `cards` cards (`from`, `to`
// 1-based, used by Range_To_Every).
Mail_Plan Make_Mail_Plan(Mail_Run_Mode mode, int recipients, int cards, int from, int to);

class Send_Mail : public QDialog {
public:
    // pool: the application's pool the sending thread is taken from (null: the
    // process's global pool); the settings window it makes uses it too.
    Send_Mail(Mail_Card_Source &source, QWidget *parent = nullptr, Modal_Runner *runner = nullptr,
              QThreadPool *pool = nullptr);
    ~Send_Mail() override;

    // Resets the window for the design and runs it; returns when it is closed. While a
    // run is under way it says so and opens nothing (0).
    int Open_Wnd();
    // Resets the fields for the design (what Open_Wnd does before it runs the window);
    // the counts are taken afresh unless a run is under way.
    void Reset_For_Design();
    // Checks the fields and starts the sending thread; false when refused (reported),
    // as when the file named to be sent without a card cannot be read.
    bool Send_Button();
    void Close_Button();
    // Escape and the title bar's close do what Close does: nothing while it sends.
    void reject() override;
    void Setting_Button();
    void browse_att_Button();
    void Stop_Sending_Pressed();
    bool isSending() const { return m_worker.Started() && !m_finished; }
    // Keeps the GUI thread's events going until the run has ended (tests, scripts).
    void Wait_Until_Done();

    // Fields.
    QLineEdit *from_txt;
    QPlainTextEdit *to_txt;
    QLineEdit *subject_txt;
    QPlainTextEdit *message_txt;
    QRadioButton *rd_without_barcode;
    QRadioButton *rd_mail_curr_barcode;
    QGroupBox *send_sett_box;
    QButtonGroup *matrix_card_side;  // 0 both sides, 1 front, 2 back
    QLineEdit *file_name_txt;
    QCheckBox *send_with_batch_chk;
    QCheckBox *send_with_excel_chk;
    QGroupBox *export_range_box;
    QRadioButton *rd_all_to_every;
    QRadioButton *rd_one_per_recp;
    QRadioButton *Sel_print_rd;
    QSpinBox *from_Text;
    QSpinBox *To_Text;
    QLabel *tot_label;  // the caption of the number of cards
    QSpinBox *Total_Text;  // the number of cards of the batch, shown (read-only)
    QCheckBox *mirror_chk_box;
    QButtonGroup *mirror_matrix;  // 0 horizontal, 1 vertical
    QCheckBox *delayed_delv_chk;
    QGroupBox *delayed_box;
    QSpinBox *mail_count_txt;
    QSpinBox *hour_txt;
    QSpinBox *min_text;
    QSpinBox *sec_txt;
    QLineEdit *attachment;
    QPushButton *browse_att;
    QPushButton *clear_att;
    QPushButton *sendButton;
    QPushButton *closeButton;
    QPushButton *settingButton;

    // "BOTH", "F" or "B".
    Run_Sides card_side_str() const;

    // The transport of the run's messages (tests point it elsewhere).
    Mail_Transport transport;
    // The progress view of the runs: the progress panel with Stop over this window,
    // unless another view is set.
    Mail_Progress_View *progressView = nullptr;
    // The clock the runs' pauses are counted on (null: the steady clock); it outlives
    // the runs.
    Mail_Clock *pauseClock = nullptr;
    // The settings window the Settings button runs (made on first use when unset).
    Email_Setting *settingsWindow = nullptr;

private:
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    struct Run;
    void contentChanged();
    void batchChanged();
    void rangeChanged();
    void Set_Enable_Diable_Range_Box();
    // Total, To (1-based) and the steppers' maxima: `which` says which of Total and To
    // take the value; without a batch the maximum is 999999.
    void Set_Tot_Value(int value, int maximum, Range_Box which);
    int batchCards() const;
    bool batchOn() const;
    void sendingThread(std::shared_ptr<Run> run);
    void finishRun(std::shared_ptr<Run> run);

    Mail_Card_Source &m_source;
    std::unique_ptr<Mail_Progress_View> m_panel;
    Mail_Card_Counts m_counts;
    QThreadPool *m_pool;
    Pool_Job m_worker;
    std::atomic<bool> m_finished{true};
    std::shared_ptr<Run> m_run;
};
