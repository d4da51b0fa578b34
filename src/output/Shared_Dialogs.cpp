#include "Shared_Dialogs.h"

#include "Dialogs.h"
#include "GuiThread.h"
#include "LayoutParts.h"
#include "MessageBox.h"
#include "Paths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QThread>
#include <QVBoxLayout>

namespace {
QLabel *wrappedLabel()
{
    auto *l = new QLabel;
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QWidget *parentOrActive(QWidget *parent) { return parent ? parent : QApplication::activeWindow(); }

// A hidden check box counts as off.
int answerAsShown(int answer, bool applyShown)
{
    if (answer < Keep_Replace_Replace || answer > Keep_Replace_Cancel_All) return Keep_Replace_Cancel;
    if (applyShown) return answer;
    switch (answer) {
    case Keep_Replace_Replace_All: return Keep_Replace_Replace;
    case Keep_Replace_Keep_All: return Keep_Replace_Keep;
    case Keep_Replace_Cancel_All: return Keep_Replace_Cancel;
    default: return answer;
    }
}
} // namespace

void Style_Output_Window(QWidget &window)
{
    Paint_Window_Background(window);
}

bool Confirm_Stop() { return Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to stop?")) == 1; }

void Process_Events_Until(const std::atomic<bool> &done)
{
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
}

// ---- The keep/replace box ----

Replcae_Confirm_Box::Replcae_Confirm_Box(QWidget *parent) : QDialog(parent)
{
    Style_Output_Window(*this);
    _Msg_Title = Make_Bold(new QLabel);
    _Msg_Val = wrappedLabel();
    _Msg_Val->setMinimumWidth(360);
    apply_chk = new QCheckBox(tr("Apply to All"));
    path_control = new QLabel;
    path_control->hide();
    keep_btn = Command_Button(tr("Keep"), this, [this] { Keep_Pressed(); });
    replace_btn = Command_Button(tr("Replace"), this, [this] { Replace_Pressed(); });
    cancel_btn = Command_Button(tr("Cancel"), this, [this] { CancelPressed(); });
    keep_btn->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(apply_chk);
    buttons->addStretch();
    buttons->addWidget(cancel_btn);
    buttons->addWidget(replace_btn);
    buttons->addWidget(keep_btn);
    Stack_Layout(this, {_Msg_Title, _Msg_Val, path_control, buttons});

}

void Replcae_Confirm_Box::Fill(const Keep_Replace_Request &request, bool applyAllChecked)
{
    setWindowTitle(request.title_val);
    _Msg_Title->setText(request.title_val);
    _Msg_Val->setText(request.msg_val_str);
    path_control->setText(request.file_path_str);
    path_control->hide();
    apply_chk->setVisible(request.apply_chk_show);
    apply_chk->setChecked(applyAllChecked);
    m_answer = Keep_Replace_Cancel;
}

int Replcae_Confirm_Box::Open_Replace_Dialog()
{
    exec();
    hide();
    return m_answer;
}

void Replcae_Confirm_Box::Keep_Pressed()
{
    m_answer = apply_chk->isVisibleTo(this) && apply_chk->isChecked() ? Keep_Replace_Keep_All : Keep_Replace_Keep;
    done(1);
}

void Replcae_Confirm_Box::Replace_Pressed()
{
    m_answer = apply_chk->isVisibleTo(this) && apply_chk->isChecked() ? Keep_Replace_Replace_All : Keep_Replace_Replace;
    done(0);
}

void Replcae_Confirm_Box::CancelPressed()
{
    m_answer = apply_chk->isVisibleTo(this) && apply_chk->isChecked() ? Keep_Replace_Cancel_All : Keep_Replace_Cancel;
    done(0);
}

QString Replcae_Confirm_Box::Answerer_Text(const Keep_Replace_Request &request)
{
    return request.title_val + u'\n' + request.msg_val_str;
}

int Replcae_Confirm_Box::Open_box_in_thread(const Keep_Replace_Request &request, Output_Run_State &state,
                                            QWidget *parent)
{
    int answer = Keep_Replace_Cancel;
    Run_On_Gui_Thread_And_Wait([&] {
        if (const std::optional<int> scripted =
                Scripted_MessageBox_Answer(MessageBoxKind::KeepReplace, Answerer_Text(request))) {
            answer = answerAsShown(*scripted, request.apply_chk_show);
            return;
        }
        Replcae_Confirm_Box box(parentOrActive(parent));
        box.Fill(request, state.Msg_Apply_All_Chk);
        answer = box.Open_Replace_Dialog();
    });
    if (request.apply_chk_show)
        state.Msg_Apply_All_Chk = answer == Keep_Replace_Keep_All || answer == Keep_Replace_Replace_All
                                  || answer == Keep_Replace_Cancel_All;
    state.replace_keep_file_flag = answer;
    if (answer == Keep_Replace_Cancel || answer == Keep_Replace_Cancel_All) state.Stop_SMS_Sending_Now = true;
    return answer;
}

// ---- The progress panel ----

Send_Modeless::Send_Modeless(QWidget *parent)
    : QDialog(parent), m_format([](int done, int total) { return QStringLiteral("%1 / %2 ").arg(done).arg(total); })
{
    Style_Output_Window(*this);
    setWindowTitle(tr("Progress"));
    setWindowModality(Qt::WindowModal);
    // The panel ends with its run, not with Escape or the close button.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    tot_label = new QLabel(tr("Total:"));
    _tot_msg_cnt = new QLabel;
    _curr_msg_cnt = new QLabel;
    _Curr_Progress = new QProgressBar;
    _Curr_Progress->setTextVisible(false);
    _Curr_Progress->setMinimumWidth(320);
    Round_Progress = new QProgressBar;
    Round_Progress->setRange(0, 0);
    Round_Progress->setTextVisible(false);
    Round_Progress->hide();
    _stop_btn = Command_Button(tr("Stop"), this, [this] { Stop_Sending_Pressed(); });
    pause_label = new QLabel;
    pause_label->hide();

    auto *totals = new QHBoxLayout;
    totals->addWidget(tot_label);
    totals->addWidget(_tot_msg_cnt);
    totals->addStretch();
    totals->addWidget(_curr_msg_cnt);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(pause_label);
    bottom->addStretch();
    bottom->addWidget(_stop_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(totals);
    layout->addWidget(_Curr_Progress);
    layout->addWidget(Round_Progress);
    layout->addLayout(bottom);

    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, [this] { update_sending_progress_bar(); });
}

Send_Modeless::~Send_Modeless() { m_timer.stop(); }

void Send_Modeless::Set_Count_Format(std::function<QString(int, int)> format)
{
    if (format) m_format = std::move(format);
}

void Send_Modeless::Show_One_By_One_Modeless(std::shared_ptr<Output_Run_State> state, int total,
                                             const QString &startText)
{
    QPointer<Send_Modeless> self(this);
    Run_On_Gui_Thread_And_Wait([&] {
        if (!self) return;
        m_state = std::move(state);
        if (m_state) m_state->show_count = total;
        _stop_btn->setEnabled(true);
        _stop_btn->show();
        _tot_msg_cnt->show();
        tot_label->show();
        Round_Progress->hide();
        _Curr_Progress->show();
        _Curr_Progress->setRange(0, std::max(total, 0));
        _Curr_Progress->setValue(0);
        _tot_msg_cnt->setText(QString::number(total));
        _curr_msg_cnt->setText(startText);
        pause_label->hide();
        show();
        raise();
        m_timer.start();
    });
}

void Send_Modeless::Hide_One_By_One_Modeless()
{
    QPointer<Send_Modeless> self(this);
    Run_On_Gui_Thread_And_Wait([&] {
        if (!self) return;
        m_timer.stop();
        hide();
    });
}

void Send_Modeless::Set_Pause_Text(const QString &text)
{
    QPointer<Send_Modeless> self(this);
    Run_On_Gui_Thread_And_Wait([&] {
        if (!self) return;
        pause_label->setText(text);
        pause_label->setVisible(!text.isEmpty());
    });
}

void Send_Modeless::update_sending_progress_bar()
{
    if (!m_state || _Curr_Progress->isHidden()) return;
    const int done = m_state->curr_card_count;
    const int total = m_state->show_count;
    _Curr_Progress->setValue(std::min(done, _Curr_Progress->maximum()));
    _curr_msg_cnt->setText(m_format(done, total));
}

void Send_Modeless::Stop_Sending_Pressed()
{
    // The run waits before its next step while the question is open.
    const std::shared_ptr<Output_Run_State> state = m_state;
    struct Pause {
        Output_Run_State *state;
        explicit Pause(Output_Run_State *s) : state(s) { if (state) state->paused = true; }
        ~Pause() { if (state) state->paused = false; }
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;
    } pause(state.get());
    // The count beside the question is the count now, not the last tick's.
    update_sending_progress_bar();
    if (!Confirm_Stop()) return;
    if (state) state->Request_Stop();
}

// ---- The please-wait panel ----

PleaseWait_Modeless::PleaseWait_Modeless(QWidget *parent, const QString &text) : QDialog(parent)
{
    Style_Output_Window(*this);
    setWindowTitle(tr("Please wait"));
    setWindowModality(Qt::WindowModal);
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    modeless_msg_lbl = new QLabel(text);
    auto *busy = new QProgressBar;
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(modeless_msg_lbl);
    layout->addWidget(busy);
}

PleaseWait_Scope::PleaseWait_Scope(QWidget *parent, const QString &text)
    : m_window(new PleaseWait_Modeless(parent, text))
{
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->show();
    // Painted before the long step holds the event loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

PleaseWait_Scope::~PleaseWait_Scope() { m_window->close(); }

// ---- The long message box ----

Long_SMS_Dlg::Long_SMS_Dlg(QWidget *parent) : QDialog(parent)
{
    Style_Output_Window(*this);
    _Msg_Title = Make_Bold(new QLabel);
    _Msg_Val = new QTextBrowser;
    _Msg_Val->setMinimumSize(420, 240);
    yes_button = Command_Button(tr("OK"), this, [this] { done(1); });
    yes_button->setDefault(true);
    Stack_Layout(this, {_Msg_Title, _Msg_Val, Button_Row({yes_button})});
}

void Long_SMS_Dlg::Fill(const QString &title, const QString &text)
{
    setWindowTitle(title);
    _Msg_Title->setText(title);
    _Msg_Val->setPlainText(text);
}

QString Long_SMS_Dlg::Answerer_Text(const QString &title, const QString &text)
{
    return title + QStringLiteral("\n\n") + text;
}

int Long_SMS_Dlg::Open_Long_sms_Dialog(const QString &title, const QString &text, QWidget *parent)
{
    Run_On_Gui_Thread_And_Wait([&] {
        if (Scripted_MessageBox_Answer(MessageBoxKind::Message, Answerer_Text(title, text))) return;
        Long_SMS_Dlg box(parentOrActive(parent));
        box.Fill(title, text);
        box.exec();
    });
    return 1;
}

// ---- The open-exported-file box ----

QString Export_Open_Check_Title(const QString &path)
{
    return QFileInfo(path).isDir() ? QStringLiteral("Open containing folder.") : QStringLiteral("Open exported file.");
}

namespace {
// The files the box names: the file written, and the back side's own file beneath it
// when there is one.
QString shownPaths(const Export_Open_Offer &offer)
{
    const bool back = !offer.backPath.isEmpty() && QFileInfo::exists(offer.backPath);
    return back ? offer.path + u'\n' + offer.backPath : offer.path;
}
} // namespace

Open_Export_Log::Open_Export_Log(QWidget *parent) : QDialog(parent)
{
    Style_Output_Window(*this);
    setWindowTitle(tr("Export"));
    _open_log_message = Make_Bold(wrappedLabel());
    _open_log_path = wrappedLabel();
    _open_log_path->setMinimumWidth(360);
    _open_log_chk = new QCheckBox;
    _open_log_chk->setChecked(true);
    ok_btn = Command_Button(tr("OK"), this, [this] { done(1); });
    cancel_btn = Command_Button(tr("Cancel"), this, [this] { done(0); });
    ok_btn->setDefault(true);
    Stack_Layout(this, {_open_log_message, _open_log_path, _open_log_chk, Button_Row({cancel_btn, ok_btn})});
    connect(cancel_btn, &QPushButton::clicked, this, [this] { done(0); });
}

void Open_Export_Log::Fill(const Export_Open_Offer &offer)
{
    _open_log_chk->setText(offer.checkTitle.isEmpty() ? Export_Open_Check_Title(offer.path) : offer.checkTitle);
    _open_log_chk->setChecked(true);
    _open_log_path->setText(shownPaths(offer));
    _open_log_message->setText(offer.message);
    _open_log_chk->setFocus();
}

bool Open_Export_Log::openAsked() const { return result() == 1 && _open_log_chk->isChecked(); }

QString Open_Export_Log::Answerer_Text(const Export_Open_Offer &offer)
{
    const QString check = offer.checkTitle.isEmpty() ? Export_Open_Check_Title(offer.path) : offer.checkTitle;
    return check + u'\n' + shownPaths(offer) + u'\n' + offer.message;
}

bool Open_Export_Log::Open_Export_File_Box(const Export_Open_Offer &offer, QWidget *parent)
{
    bool open = false;
    Run_On_Gui_Thread_And_Wait([&] {
        if (const std::optional<int> scripted =
                Scripted_MessageBox_Answer(MessageBoxKind::OpenExported, Answerer_Text(offer))) {
            open = *scripted == 1;
            return;
        }
        Open_Export_Log box(parentOrActive(parent));
        box.Fill(offer);
        box.exec();
        open = box.openAsked();
    });
    if (!open) return false;
    Open_With_Default_Application(offer.path);
    if (!offer.backPath.isEmpty() && QFileInfo::exists(offer.backPath)) Open_With_Default_Application(offer.backPath);
    return true;
}

bool Open_Export_Log::Open_Export_File_Box(Output_Run_State &state, QWidget *parent)
{
    if (!state.check_any_card_exported) return false;
    const Export_Open_Offer offer{state.Export_File_Path, state.Export_Back_File_Path, state.Export_File_Message, {}};
    const bool opened = Open_Export_File_Box(offer, parent);
    state.Export_Back_File_Path.clear();
    return opened;
}

// ---- The picture format of a "Save Image" panel ----

const QStringList &Save_Image_Formats()
{
    static const QStringList formats{QStringLiteral("jpg"), QStringLiteral("bmp"), QStringLiteral("png"),
                                     QStringLiteral("tiff")};
    return formats;
}

QString Save_Image_Format_At(int index)
{
    return index >= 0 && index < 3 ? Save_Image_Formats().at(index) : Save_Image_Formats().at(3);
}

AccessoryViewController::AccessoryViewController(QFileDialog *panel) : _savePanel(panel)
{
    ext_btn = new QComboBox;
    m_button = ext_btn;
    ext_btn->addItems(Save_Image_Formats());
    ext_btn->setCurrentIndex(0);
    connect(ext_btn, &QComboBox::activated, this, [this](int) { selectFormat(); });
}

void AccessoryViewController::selectFormat()
{
    if (!_savePanel) return;
    const QString extension = Save_Image_Format_At(ext_btn->currentIndex());
    const QStringList typed = _savePanel->selectedFiles();
    _savePanel->setNameFilter(QStringLiteral("%1 (*.%1)").arg(extension));
    _savePanel->setDefaultSuffix(extension);
    if (!typed.isEmpty())
        _savePanel->selectFile(Path_Join(_savePanel->directory().absolutePath(),
                                         Name_With_Extension(QFileInfo(typed.front()).fileName(), extension)));
}

Save_Panel_Choice Run_Save_Image_Panel(const QString &directory, const QString &suggestedName)
{
    FilePanelRequest request;
    request.kind = FilePanelRequest::SaveFile;
    request.title = QStringLiteral("Save Image");
    request.directory = directory;
    request.suggestedName = Name_With_Extension(suggestedName, Save_Image_Formats().front());
    request.extensions = Save_Image_Formats();
    request.formatChoice = true;
    return Run_Save_Panel(request);
}

AccessoryViewController::~AccessoryViewController()
{
    if (m_button && !m_button->parent()) delete m_button.data();
}
