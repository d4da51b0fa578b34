#include "Send_Mail.h"

#include "Dialogs.h"
#include "Email_Setting.h"
#include "Export_File_Writer.h"
#include "Globals.h"
#include "Helpers.h"
#include "LayoutParts.h"
#include "Log.h"
#include "MessageBox.h"
#include "Paths.h"
#include "Shared_Dialogs.h"
#include "Modal_Runner.h"
#include "RunUnderWay.h"
#include "TsanHandoff.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kDefaultStem = QStringLiteral("ZOVIZUVEZE");
constexpr int kNoBatchMaximum = 999999;

QSpinBox *spin(int minimum, int maximum, int value)
{
    auto *s = new QSpinBox;
    s->setRange(minimum, maximum);
    s->setValue(value);
    return s;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return !data.isEmpty() && f.open(QIODevice::WriteOnly) && f.write(data) == data.size() && f.flush();
}
} // namespace

namespace {
// The progress panel as the view of a mail run: its counters are the run's, its Stop
// (answered Yes) stops the run.
class Panel_Progress final : public Mail_Progress_View {
public:
    explicit Panel_Progress(QWidget *parent) : m_panel(new Send_Modeless(parent)) {}
    void Show_Progress(Mail_Run_State &state, int total) override
    {
        auto run = std::make_shared<Output_Run_State>();
        m_state = run;
        state.externalStop = [run] { return run->Stop_SMS_Sending_Now.load(); };
        m_panel->Show_One_By_One_Modeless(run, total, QStringLiteral("%1 / %2").arg(0).arg(total));
    }
    void Set_Progress(int done, int) override
    {
        if (m_state) m_state->curr_card_count = done;
    }
    void Set_Pause_Text(const QString &text) override { m_panel->Set_Pause_Text(text); }
    void Hide_Progress() override { m_panel->Hide_One_By_One_Modeless(); }

private:
    Send_Modeless *m_panel;  // a child of the window
    std::shared_ptr<Output_Run_State> m_state;
};
} // namespace

Mail_Plan Make_Mail_Plan(Mail_Run_Mode mode, int recipients, int cards, int from, int to)
{
    Mail_Plan plan;
    QList<int> everyone;
    for (int j = 0; j < recipients; ++j) everyone << j;
    switch (mode) {
    case Mail_Run_Mode::Current_Card:
    case Mail_Run_Mode::No_Card:
        for (int j = 0; j < recipients; ++j) plan.steps.push_back({-1, {j}});
        plan.total = recipients;
        break;
    case Mail_Run_Mode::Every_Card_To_Every:
        for (int i = 0; i < cards; ++i) plan.steps.push_back({i, everyone});
        plan.total = cards;
        break;
    case Mail_Run_Mode::Range_To_Every:
        for (int i = std::max(from, 1) - 1; i < std::min(to, cards); ++i) plan.steps.push_back({i, everyone});
        plan.total = std::max(0, to - from + 1);
        break;
    case Mail_Run_Mode::Card_Per_Recipient:
        for (int i = 0; i < std::min(recipients, cards); ++i) plan.steps.push_back({i, {i}});
        plan.total = recipients;
        break;
    }
    return plan;
}

// One sending run: what it sends, and what came of it.
struct Send_Mail::Run {
    explicit Run(Mail_Clock *clock) : state(clock) {}

    Mail_Run_State state;
    Mail_Run_Mode mode = Mail_Run_Mode::Current_Card;
    Mail_Plan plan;
    QStringList recipients;
    QString subject, body;
    Mail_Settings settings;
    Mail_Transport transport;
    bool batch = false;
    Run_Sides side = Run_Sides::Both;
    Side_Mirror mirror = Side_Mirror::None;
    std::unique_ptr<QTemporaryDir> folder;
    QString frontPath, backPath;
    QStringList fixedAttachments;
    int pauseEvery = 0;
    long long pauseMs = 0;

    int planned = 0, sent = 0;
    int lastFailure = Mail_Sent;
    QString lastFailureAddress;  // the address the last failure names, if any

    // Writes card N's sides (the back first) and returns the files in attaching order;
    // empty when a side cannot be made.
    QStringList writeCard(Mail_Card_Source &source, int card)
    {
        QStringList files;
        for (int s : Sides_In_Writing_Order(side)) {
            const RenderedSide rendered = source.Card_Side(card, s);
            const QString path = s == 1 ? backPath : frontPath;
            if (rendered.isNull() || !writeFile(path, Rendered_Side_PDF(rendered, mirror))) return {};
            files << path;
        }
        return files;
    }
};

Send_Mail::Send_Mail(Mail_Card_Source &source, QWidget *parent, Modal_Runner *runner, QThreadPool *pool)
    : QDialog(parent), m_runner(runner), m_source(source), m_pool(pool)
{
    setObjectName(QStringLiteral("Send_Mail"));
    setWindowTitle(tr("Send E-mail"));
    Style_Output_Window(*this);

    from_txt = new QLineEdit;
    from_txt->setReadOnly(true);
    settingButton = Command_Button(tr("Settings..."), this, &Send_Mail::Setting_Button);
    to_txt = new QPlainTextEdit;
    to_txt->setFixedHeight(54);
    to_txt->setPlaceholderText(tr("Recipients, separated by commas"));
    subject_txt = new QLineEdit;
    message_txt = new QPlainTextEdit;
    message_txt->setFixedHeight(80);
    auto *head = new QFormLayout;
    head->addRow(tr("From:"), Side_By_Side({{from_txt, 1}, settingButton}));
    head->addRow(tr("To:"), to_txt);
    head->addRow(tr("Subject:"), subject_txt);
    head->addRow(tr("Message:"), message_txt);

    rd_mail_curr_barcode = new QRadioButton(tr("Send the current card"));
    rd_without_barcode = new QRadioButton(tr("Send without a card"));
    auto *content = new QButtonGroup(this);
    content->addButton(rd_mail_curr_barcode);
    content->addButton(rd_without_barcode);

    // The card options.
    send_sett_box = new QGroupBox(tr("Card"));
    matrix_card_side = new QButtonGroup(this);
    auto *sides = Radio_Row(matrix_card_side, {tr("Both sides"), tr("Front"), tr("Back")});
    sides->addStretch();
    file_name_txt = new QLineEdit;
    mirror_chk_box = new QCheckBox(tr("Mirror image"));
    mirror_matrix = new QButtonGroup(this);
    auto *mirrors = Radio_Row(mirror_matrix, {tr("Horizontal"), tr("Vertical")});
    mirrors->insertWidget(0, mirror_chk_box);
    mirrors->addStretch();
    send_with_batch_chk = new QCheckBox(tr("One card per series value"));
    send_with_excel_chk = new QCheckBox(tr("One card per spreadsheet row"));
    export_range_box = new QGroupBox(tr("Cards and recipients"));
    rd_all_to_every = new QRadioButton(tr("Every card to every recipient"));
    rd_one_per_recp = new QRadioButton(tr("Card 1 to recipient 1, card 2 to recipient 2, ..."));
    Sel_print_rd = new QRadioButton(tr("Cards"));
    from_Text = spin(1, kNoBatchMaximum, 1);
    To_Text = spin(1, kNoBatchMaximum, 1);
    tot_label = new QLabel(tr("Total:"));
    // The cards every recipient gets: shown, not typed (the batch decides it).
    Total_Text = spin(1, kNoBatchMaximum, 1);
    Total_Text->setReadOnly(true);
    Total_Text->setButtonSymbols(QAbstractSpinBox::NoButtons);
    Stack_Layout(export_range_box,
                 {Side_By_Side({rd_all_to_every, tot_label, Total_Text, Layout_Stretch{}}), rd_one_per_recp,
                  Side_By_Side({Sel_print_rd, from_Text, new QLabel(tr("to")), To_Text,
                                new QLabel(tr("to every recipient")), Layout_Stretch{}})});
    auto *card = new QFormLayout(send_sett_box);
    card->addRow(tr("Sides:"), sides);
    card->addRow(tr("File name:"), file_name_txt);
    card->addRow(mirrors);
    card->addRow(send_with_batch_chk);
    card->addRow(send_with_excel_chk);
    card->addRow(export_range_box);

    // The file sent without a card.
    attachment = new QLineEdit;
    browse_att = Command_Button(tr("Browse..."), this, &Send_Mail::browse_att_Button);
    clear_att = Command_Button(tr("Clear"), attachment, &QLineEdit::clear);

    // The pause.
    delayed_delv_chk = new QCheckBox(tr("Pause after every"));
    delayed_box = new QGroupBox;
    delayed_box->setFlat(true);
    mail_count_txt = spin(1, 9999, 1);
    hour_txt = spin(0, 99, 0);
    min_text = spin(0, 59, 0);
    sec_txt = spin(0, 59, 0);
    auto *pause = new QHBoxLayout(delayed_box);
    pause->setContentsMargins(0, 0, 0, 0);
    pause->addWidget(mail_count_txt);
    pause->addWidget(new QLabel(tr("messages for")));
    pause->addWidget(hour_txt);
    pause->addWidget(new QLabel(tr("h")));
    pause->addWidget(min_text);
    pause->addWidget(new QLabel(tr("min")));
    pause->addWidget(sec_txt);
    pause->addWidget(new QLabel(tr("s")));
    pause->addStretch();

    sendButton = Command_Button(tr("Send"), this, &Send_Mail::Send_Button);
    closeButton = Command_Button(tr("Close"), this, &Send_Mail::Close_Button);
    sendButton->setDefault(true);
    Stack_Layout(this, {head, rd_mail_curr_barcode, send_sett_box, rd_without_barcode,
                        Side_By_Side({new QLabel(tr("Attachment:")), {attachment, 1}, browse_att, clear_att}),
                        Side_By_Side({delayed_delv_chk, {delayed_box, 1}}), Button_Row({sendButton, closeButton})});

    connect(rd_mail_curr_barcode, &QRadioButton::toggled, this, &Send_Mail::contentChanged);
    connect(send_with_batch_chk, &QCheckBox::toggled, this, &Send_Mail::batchChanged);
    connect(send_with_excel_chk, &QCheckBox::toggled, this, &Send_Mail::batchChanged);
    for (QRadioButton *r : {rd_all_to_every, rd_one_per_recp, Sel_print_rd})
        connect(r, &QRadioButton::toggled, this, &Send_Mail::rangeChanged);
    connect(mirror_chk_box, &QCheckBox::toggled, this, [this](bool on) {
        for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(on);
    });
    connect(delayed_delv_chk, &QCheckBox::toggled, delayed_box, &QWidget::setEnabled);
    m_panel = std::make_unique<Panel_Progress>(this);
    progressView = m_panel.get();
    Reset_For_Design();
}

Send_Mail::~Send_Mail()
{
    if (m_run) m_run->state.Request_Stop();
    m_worker.Wait();
    if (m_run && !m_finished && m_run->batch) m_source.End_Batch_Run();
}

Run_Sides Send_Mail::card_side_str() const { return Run_Sides_Of_Row(matrix_card_side->checkedId()); }

bool Send_Mail::batchOn() const
{
    return (send_with_batch_chk->isChecked() && m_counts.useSeries)
           || (send_with_excel_chk->isChecked() && m_counts.useExcel);
}

void Send_Mail::Reset_For_Design()
{
    mirror_chk_box->setChecked(false);
    mirror_matrix->button(0)->setChecked(true);
    for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(false);
    const bool two = m_source.Two_Sided();
    matrix_card_side->button(two ? 0 : 1)->setChecked(true);
    matrix_card_side->button(0)->setEnabled(two);
    matrix_card_side->button(2)->setEnabled(two);

    // A run under way keeps the counts it took (the window is refused until it ends).
    if (!m_source.Run_Under_Way()) m_counts = m_source.Check_Series_Or_Excel_Use_or_not();
    rd_all_to_every->setChecked(true);
    from_Text->setValue(1);
    from_txt->setText(Current_Mail_Settings().sender);
    to_txt->clear();
    rd_mail_curr_barcode->setChecked(true);
    file_name_txt->setText(kDefaultStem);
    const bool visitor = m_source.Visitor_Mode();
    {
        const QSignalBlocker b1(send_with_batch_chk), b2(send_with_excel_chk);
        send_with_batch_chk->setChecked(false);
        send_with_excel_chk->setChecked(false);
    }
    send_with_batch_chk->setVisible(!visitor);
    send_with_excel_chk->setVisible(!visitor);
    send_with_batch_chk->setEnabled(!visitor && m_counts.useSeries);
    send_with_excel_chk->setEnabled(!visitor && m_counts.useExcel);
    subject_txt->clear();
    message_txt->clear();
    attachment->clear();
    delayed_delv_chk->setChecked(false);
    delayed_box->setEnabled(false);
    for (QSpinBox *s : {hour_txt, min_text, sec_txt}) s->setValue(0);
    mail_count_txt->setValue(1);
    contentChanged();
    batchChanged();
}

int Send_Mail::Open_Wnd()
{
    // A run under way keeps its counts: the window neither recounts nor opens.
    if (isSending() || m_source.Run_Under_Way()) {
        Show_MessageBox(Run_Under_Way_Text());
        return 0;
    }
    Reset_For_Design();
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

void Send_Mail::contentChanged()
{
    const bool withCard = rd_mail_curr_barcode->isChecked();
    send_sett_box->setEnabled(withCard);
    for (QWidget *w : {static_cast<QWidget *>(attachment), static_cast<QWidget *>(browse_att),
                       static_cast<QWidget *>(clear_att)})
        w->setEnabled(!withCard);
    if (withCard)
        for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(mirror_chk_box->isChecked());
}

int Send_Mail::batchCards() const
{
    int cards = 1;
    if (send_with_batch_chk->isChecked() && m_counts.useSeries) cards = std::max(cards, m_counts.seriesRows);
    if (send_with_excel_chk->isChecked() && m_counts.useExcel) cards = std::max(cards, m_counts.excelRows);
    return cards;
}

void Send_Mail::batchChanged()
{
    const int cards = batchCards();
    Set_Tot_Value(cards, cards, Range_Box::Both);
    Set_Enable_Diable_Range_Box();
}

void Send_Mail::Set_Tot_Value(int value, int maximum, Range_Box which)
{
    if (value == 0) value = 1;
    if (!batchOn()) {
        maximum = kNoBatchMaximum;
        value = std::min(value, kNoBatchMaximum);
    }
    const QSignalBlocker block(Total_Text);
    Total_Text->setMaximum(maximum);
    To_Text->setMaximum(maximum);
    from_Text->setMaximum(maximum);
    if (Sets_Total(which)) Total_Text->setValue(value);
    if (Sets_To(which)) To_Text->setValue(value);
}

void Send_Mail::Set_Enable_Diable_Range_Box()
{
    export_range_box->setEnabled(batchOn());
    rangeChanged();
}

void Send_Mail::rangeChanged()
{
    tot_label->setEnabled(rd_all_to_every->isChecked());
    Total_Text->setEnabled(rd_all_to_every->isChecked());
    from_Text->setEnabled(Sel_print_rd->isChecked());
    To_Text->setEnabled(Sel_print_rd->isChecked());
}

void Send_Mail::browse_att_Button()
{
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFile;
    request.title = tr("Attach File");
    const QStringList chosen = Run_File_Panel(request);
    if (!chosen.isEmpty()) attachment->setText(chosen.first());
}

void Send_Mail::Setting_Button()
{
    from_txt->setText(Edit_Mail_Settings(settingsWindow, this, m_runner, m_pool));
}

void Send_Mail::Close_Button()
{
    if (isSending()) return;
    done(0);
}

void Send_Mail::reject()
{
    if (!isSending()) QDialog::reject();  // the window stays while it sends, as with Close
}

void Send_Mail::Stop_Sending_Pressed()
{
    if (m_run && isSending() && Confirm_Stop()) m_run->state.Request_Stop();
}

bool Send_Mail::Send_Button()
{
    if (isSending()) return false;
    if (m_source.Run_Under_Way()) {
        Show_MessageBox(Run_Under_Way_Text());
        return false;
    }
    m_worker.Wait();
    auto run = std::make_shared<Run>(pauseClock);
    run->transport = transport;

    m_counts = m_source.Check_Series_Or_Excel_Use_or_not();
    const bool withCard = rd_mail_curr_barcode->isChecked();
    run->batch = withCard && batchOn();
    // The cards of the batch, as Total shows them.
    const int cards = batchCards();
    if (!withCard)
        run->mode = Mail_Run_Mode::No_Card;
    else if (!run->batch)
        run->mode = Mail_Run_Mode::Current_Card;
    else if (Sel_print_rd->isChecked())
        run->mode = Mail_Run_Mode::Range_To_Every;
    else if (rd_one_per_recp->isChecked())
        run->mode = Mail_Run_Mode::Card_Per_Recipient;
    else
        run->mode = Mail_Run_Mode::Every_Card_To_Every;
    if (run->mode == Mail_Run_Mode::Range_To_Every && from_Text->value() > To_Text->value()) {
        Show_MessageBox(QStringLiteral("Please select valid range."));
        return false;
    }

    Mail_Addresses addresses = Take_Mail_Addresses(Current_Mail_Settings(), from_txt->text(), to_txt->toPlainText());
    if (!addresses.error.isEmpty()) {
        Show_MessageBox(addresses.error);
        return false;
    }
    run->settings = std::move(addresses.settings);
    run->recipients = std::move(addresses.recipients);
    run->subject = subject_txt->text();
    run->body = message_txt->toPlainText();
    QString stem = kDefaultStem;
    if (withCard) {
        stem = Remove_Reserve_Char_In_File_Name(Trim_Str(file_name_txt->text()));
        if (stem.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please enter valid file name."));
            return false;
        }
    } else if (const QString file = Trim_Str(attachment->text()); !file.isEmpty()) {
        // A file the user named goes with every message, or nothing is sent.
        if (const QString refusal = Attachment_Refusal(file); !refusal.isEmpty()) {
            Show_MessageBox(refusal);
            return false;
        }
        run->fixedAttachments << file;
    }
    run->side = card_side_str();
    if (mirror_chk_box->isChecked())
        run->mirror = mirror_matrix->checkedId() == 1 ? Side_Mirror::Vertical : Side_Mirror::Horizontal;
    if (delayed_delv_chk->isChecked()) {
        run->pauseEvery = mail_count_txt->value();
        run->pauseMs = hour_txt->value() * 3600000LL + min_text->value() * 60000LL + sec_txt->value() * 1000LL;
    }
    run->plan = Make_Mail_Plan(run->mode, int(run->recipients.size()), cards, from_Text->value(), To_Text->value());
    for (const Mail_Step &s : run->plan.steps) run->planned += int(s.recipients.size());

    // The run's own folder (owner-only), with the attachments under their usual names.
    run->folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/mail-XXXXXX"));
    if (!run->folder->isValid()) {
        Show_MessageBox(QStringLiteral("The attachments could not be made: no temporary folder."));
        return false;
    }
    const QString base = Path_Join(run->folder->path(), stem + QStringLiteral(".pdf"));
    run->frontPath = Create_Front_Card_Path(base);
    run->backPath = Create_Back_Card_Path(base);
    if (run->mode == Mail_Run_Mode::Current_Card) {
        // Written once, before any message.
        for (int s : Sides_In_Writing_Order(run->side)) {
            const QString path = s == 1 ? run->backPath : run->frontPath;
            if (!writeFile(path, Rendered_Side_PDF(m_source.Current_Side(s), run->mirror))) {
                Show_MessageBox(QStringLiteral("The card could not be written as PDF."));
                return false;
            }
            run->fixedAttachments << path;
        }
    }
    if (run->batch && !m_source.Begin_Batch_Run(send_with_batch_chk->isChecked(), send_with_excel_chk->isChecked()))
        return false;  // the user was told

    m_run = run;
    if (progressView) progressView->Show_Progress(run->state, run->plan.total);
    sendButton->setEnabled(false);
    closeButton->setEnabled(false);
    m_finished = false;
    m_worker.Start(m_pool, [this, run] { sendingThread(run); });
    return true;
}

void Send_Mail::sendingThread(std::shared_ptr<Run> run)
{
    auto post = [this](std::function<void()> work) {
        QMetaObject::invokeMethod(this, Handed_Over(this, std::move(work)), Qt::QueuedConnection);
    };
    const bool everyRecipient =
        run->mode == Mail_Run_Mode::Every_Card_To_Every || run->mode == Mail_Run_Mode::Range_To_Every;
    int stepsSincePause = 0;
    const int last = int(run->plan.steps.size()) - 1;
    for (int k = 0; k <= last && !run->state.stopped(); ++k) {
        const Mail_Step &step = run->plan.steps[size_t(k)];
        post([this, k, run] {
            if (progressView) progressView->Set_Progress(k + 1, run->plan.total);
        });
        QStringList files = run->fixedAttachments;
        if (run->batch) {
            files = run->writeCard(m_source, step.card);
            if (files.isEmpty()) {
                Show_NSLog_Message(QStringLiteral("Card %1 could not be made; it is not sent.").arg(step.card + 1));
                continue;
            }
        }
        bool sentAny = false, endRun = false;
        for (int j : step.recipients) {
            if (run->state.stopped()) break;
            const QString &to = run->recipients[j];
            const Mail_Result r = run->transport.sendEmail_pyth(to, run->subject, files, run->settings, run->body);
            if (r.sent()) {
                ++run->sent;
                sentAny = true;
                continue;
            }
            run->lastFailure = r.status;
            run->lastFailureAddress = r.address;
            Show_NSLog_Message(QStringLiteral("error in mail (status %1): %2").arg(r.status).arg(r.errorLine));
            endRun = !everyRecipient;
            break;
        }
        if (endRun) break;
        if (!sentAny || run->pauseEvery <= 0 || run->pauseMs <= 0) continue;
        if (++stepsSincePause < run->pauseEvery) continue;
        stepsSincePause = 0;
        if (k == last) break;
        // The pause, counted down every second.
        const auto start = run->state.Now();
        for (long long left = run->pauseMs; left > 0 && !run->state.stopped(); left -= 1000) {
            post([this, left] {
                if (progressView) progressView->Set_Pause_Text(Calculate_Pause_Time(left));
            });
            const auto next = start + std::chrono::milliseconds(run->pauseMs - left + std::min(left, 1000LL));
            if (!run->state.Wait_Until(next)) break;
        }
        post([this] {
            if (progressView) progressView->Set_Pause_Text(QString());
        });
    }
    run->folder.reset();  // the attachments go with the run's folder
    post([this, run] { finishRun(run); });
}

void Send_Mail::finishRun(std::shared_ptr<Run> run)
{
    m_worker.Wait();
    if (run->batch) m_source.End_Batch_Run();
    if (progressView) progressView->Hide_Progress();
    sendButton->setEnabled(true);
    closeButton->setEnabled(true);
    m_finished = true;
    if (run->planned > 0 && run->sent == run->planned) {
        Show_MessageBox(Mail_Sent_Text);
        return;
    }
    QString cause = Mail_Cause_Line(run->lastFailure, run->lastFailureAddress);
    if (run->lastFailure == Mail_Sent)
        cause = run->state.stopped() ? QStringLiteral("Sending was stopped.")
                                     : QStringLiteral("A card could not be made.");
    Show_MessageBox(QStringLiteral("Could not send email message.\n") + Mail_Check_Settings_Text + QStringLiteral("\n\n")
                    + cause + u'\n'
                    + QStringLiteral("%1 of %2 messages were not sent.").arg(run->planned - run->sent).arg(run->planned));
}

void Send_Mail::Wait_Until_Done() { Process_Events_Until(m_finished); }
