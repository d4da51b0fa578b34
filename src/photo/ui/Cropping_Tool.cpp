#include "Cropping_Tool.h"

#include "LayoutParts.h"
#include "Dialogs.h"
#include "Export_File_Writer.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "GuiThread.h"
#include "Log.h"
#include "LayoutParts.h"
#include "MessageBox.h"
#include "Modal_Runner.h"
#include "RunUnderWay.h"
#include "PictureView.h"
#include "Scroll_Panel.h"
#include "SelectionCanvas.h"
#include "Shared_Dialogs.h"
#include "StandInPictures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QThread>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList kPictureTypes{"png", "jpg", "jpeg", "bmp", "tif", "tiff", "gif"};

// What Crop says when its file could not be written.
QString Crop_Not_Written_Text(const QString &path, const QString &cause)
{
    return QStringLiteral("The cropped picture could not be written as \"%1\": %2.").arg(path, cause);
}

QString Choose(FilePanelRequest::Kind kind, const QString &title, const QStringList &extensions = {})
{
    FilePanelRequest request;
    request.kind = kind;
    request.title = title;
    request.extensions = extensions;
    const QStringList chosen = Run_File_Panel(request);
    return chosen.isEmpty() ? QString() : chosen.first();
}

// A button that puts the path chosen in a panel into the field (a cancelled panel
// leaves the field as it is).
QPushButton *Browse_Button(const QString &text, QLineEdit *field, FilePanelRequest::Kind kind, const QString &title,
                           const QStringList &extensions = {})
{
    return Command_Button(text, field, [=] {
        const QString chosen = Choose(kind, title, extensions);
        if (!chosen.isEmpty()) field->setText(chosen);
    });
}

// The crop screen's column of modes, buttons and adjustments scrolls on a short screen
// (the picture beside it sets the screen's smallest height).
void Scroll_Crop_Controls(QStackedWidget *screens)
{
    constexpr int kSmallestControlsHeight = 360;
    auto *cropLayout = qobject_cast<QHBoxLayout *>(screens->widget(1)->layout());
    QLayout *controls = cropLayout->takeAt(1)->layout();
    controls->setParent(nullptr);
    cropLayout->addWidget(Scrolling(controls, kSmallestControlsHeight));
}

}  // namespace

QWidget *Cropping_Row(std::initializer_list<QWidget *> widgets)
{
    auto *w = new QWidget;
    auto *layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    // Text fields and lists take the room left; buttons keep their size.
    for (QWidget *child : widgets)
        layout->addWidget(child, child->inherits("QLineEdit") || child->inherits("QComboBox") ? 1 : 0);
    return w;
}

Cropping_Tool::Cropping_Tool(std::shared_ptr<const FaceDetector> detector, QWidget *parent)
    : Cropping_Tool(std::move(detector), nullptr, parent)
{
}

Cropping_Tool::Cropping_Tool(std::shared_ptr<const FaceDetector> detector, Row_Table *rows, QWidget *parent,
                             std::unique_ptr<FrameSource> camera, Modal_Runner *runner, QThreadPool *pool)
    : QDialog(parent), m_runner(runner), m_detector(std::move(detector)), m_pool(pool), m_cameraSource(std::move(camera)),
      m_rows(rows)
{
    setWindowTitle(tr("Cropping Tool"));
    buildWindow();
    buildDirectRoads();
    Scroll_Crop_Controls(screens);
    Set_Default_Values();
    Open_Within_Screen(*this);
}

Cropping_Tool::~Cropping_Tool()
{
    if (m_camera) {
        m_camera->Stop_Camera_Reading();
        m_camera->Clear_Camera_Objects();
    }
    if (!m_job)
        return;
    // The worker may be waiting for this thread (a keep/replace question): it is told to
    // stop and left to end by itself; the job goes once it has.
    Crop_All_Job *job = m_job.release();
    job->disconnect(this);
    job->Abandon();
    connect(job, &Crop_All_Job::finished, job, [job] {
        job->Wait();
        job->deleteLater();
    }, Qt::QueuedConnection);
    if (job->Done()) {
        job->Wait();
        delete job;
    }
}

void Cropping_Tool::buildWindow()
{
    screens = new QStackedWidget;
    // Main screen.
    auto *main = new QWidget;
    auto *form = new QFormLayout(main);
    file_radio = new QRadioButton(tr("Image file"));
    folder_radio = new QRadioButton(tr("Folder"));
    file_path = new QLineEdit;
    folder_path = new QLineEdit;
    output_path = new QLineEdit;
    file_browse = Browse_Button(tr("Browse"), file_path, FilePanelRequest::OpenFile, tr("Select Image"), kPictureTypes);
    folder_browse = Browse_Button(tr("Browse"), folder_path, FilePanelRequest::OpenFolder, tr("Select Folder"));
    output_browse = Browse_Button(tr("Browse"), output_path, FilePanelRequest::OpenFolder, tr("Select Output Folder"));
    form->addRow(file_radio, Cropping_Row({file_path, file_browse}));
    form->addRow(folder_radio, Cropping_Row({folder_path, folder_browse}));
    form->addRow(tr("Output folder"), Cropping_Row({output_path, output_browse}));
    custom_name_radio = new QRadioButton(tr("Custom name"));
    own_name_radio = new QRadioButton(tr("Input file name"));
    custom_name = new QLineEdit;
    form->addRow(custom_name_radio, custom_name);
    form->addRow(own_name_radio, new QWidget);
    output_format_combo = new QComboBox;
    output_format_combo->addItems({"jpg", "bmp", "png", "tiff"});
    form->addRow(tr("Format"), output_format_combo);
    screens->addWidget(main);

    // Crop screen.
    auto *crop = new QWidget;
    auto *cropLayout = new QHBoxLayout(crop);
    Modified_image = new PictureView;
    Modified_image->setMinimumSize(360, 360);
    canvas = new SelectionCanvas(*Modified_image);
    list = new QTableWidget(0, 3);
    list->setHorizontalHeaderLabels({"SNO", "Image_Path", "IMG_NAME"});
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->horizontalHeader()->setStretchLastSection(true);
    auto *left = new QVBoxLayout;
    left->addWidget(Modified_image, 1);
    left->addWidget(list);
    cropLayout->addLayout(left, 1);
    auto *modes = new QGroupBox(tr("Crop mode"));
    auto *modeForm = new QFormLayout(modes);
    drawn_radio = new QRadioButton(tr("Drawn rectangle"));
    face_radio = new QRadioButton(tr("Face"));
    fixed_radio = new QRadioButton(tr("Fixed size"));
    face_growth = new QDoubleSpinBox;
    face_growth->setRange(0, 500);
    face_growth->setSuffix(QStringLiteral(" %"));
    width_Text = new QLineEdit;
    height_Text = new QLineEdit;
    aspect_ratio_chk = new QCheckBox(tr("Keep aspect ratio"));
    modeForm->addRow(drawn_radio);
    modeForm->addRow(face_radio, face_growth);
    modeForm->addRow(fixed_radio);
    modeForm->addRow(tr("Width"), width_Text);
    modeForm->addRow(tr("Height"), height_Text);
    modeForm->addRow(aspect_ratio_chk);
    crop_btn = Command_Button(tr("Crop"), this, &Cropping_Tool::Crop_Single_Image_Clicked);
    crop_all_btn = Command_Button(tr("Crop All"), this, &Cropping_Tool::Crop_All_Clicked);
    Open_Folder_Btn = Command_Button(tr("Open Folder"), this, &Cropping_Tool::Open_Output_Folder_Clicked);
    cropLayout->addLayout(Stack_Layout(nullptr, {modes, crop_btn, crop_all_btn, Open_Folder_Btn, {Layout_Stretch{}, 1}}));
    screens->addWidget(crop);

    next_btn = Command_Button(tr("Next"), this, &Cropping_Tool::Next_Btn_Clicked);
    back_btn = Command_Button(tr("Back"), this, &Cropping_Tool::Back_Btn_Clicked);
    auto *close = Command_Button(tr("Close"), this, &QDialog::reject);
    Stack_Layout(this, {{screens, 1}, Side_By_Side({{Layout_Stretch{}, 1}, back_btn, next_btn, close})});

    auto *inputs = new QButtonGroup(this);
    inputs->addButton(file_radio);
    inputs->addButton(folder_radio);
    auto *names = new QButtonGroup(this);
    names->addButton(custom_name_radio);
    names->addButton(own_name_radio);
    auto *modeGroup = new QButtonGroup(this);
    modeGroup->addButton(drawn_radio);
    modeGroup->addButton(face_radio);
    modeGroup->addButton(fixed_radio);

    connect(custom_name_radio, &QRadioButton::toggled, this,
            [this] { custom_name->setEnabled(custom_name_radio->isChecked()); });
    buildInputs();
    buildAdjustments();
    for (QRadioButton *b : {drawn_radio, face_radio, fixed_radio})
        connect(b, &QRadioButton::toggled, this, [this](bool on) { if (on) Crop_Mode_Changed(); });
    connect(face_growth, &QDoubleSpinBox::valueChanged, this, &Cropping_Tool::Extend_Face_Size_Changed);
    for (QLineEdit *field : {width_Text, height_Text})
        connect(field, &QLineEdit::textEdited, this, [this, field] { Size_Text_Changed(field); });
    connect(list, &QTableWidget::itemSelectionChanged, this, [this] {
        // While Crop All follows its rows the worker loads and cuts each picture itself:
        // the list only shows where it is, and the picture of its last row comes at the end.
        if (m_loading) return;
        const auto rows = list->selectionModel()->selectedRows();
        if (!rows.isEmpty()) Load_Image_File(Get_Item_Text(rows.first().row()));
    });
}

int Cropping_Tool::Open_Wnd()
{
    Set_Default_Values();
    m_seriesMade = false;
    return Run_Modal(m_runner, *this);
}

void Cropping_Tool::Set_Default_Values()
{
    screens->setCurrentIndex(0);
    next_btn->setEnabled(true);
    back_btn->setEnabled(false);
    file_radio->setChecked(true);
    file_path->clear();
    folder_path->clear();
    output_path->clear();
    // The input's own name; the custom name waits, disabled, until it is chosen.
    own_name_radio->setChecked(true);
    custom_name->setText(QStringLiteral("Untitled"));
    custom_name->setEnabled(false);
    output_format_combo->setCurrentIndex(0);
    list->setRowCount(0);
    canvas->removeAllSelectorsFromCanvas();
    Modified_image->setPicture({});
    User_Picture = QImage();
    Crop_Input_Path.clear();
    crop_num = 0;
    Find_Face = false;
    face_radio->setEnabled(m_detector != nullptr);
    drawn_radio->setChecked(true);
    face_growth->setValue(0);
    face_growth->setEnabled(false);
    width_Text->setText(QStringLiteral("50"));
    height_Text->setText(QStringLiteral("50"));
    aspect_ratio_chk->setChecked(false);
    Reset_Direct_Roads();
    Reset_Image_Editing_Controls();
    Image_Edit_Prop_Box->setEnabled(false);
    User_Picture_PREVIEW = Picture();
    capture_btn->hide();
    capture_image->hide();
    Modified_image->show();
    batch_new_radio->setChecked(true);
    Fill_batch_list();
    input_option_CellClick();
}

// ---- Screens ----

void Cropping_Tool::Next_Btn_Clicked()
{
    if (Main_Screen_Checks() && Load_for_Next_Screen()) {
        next_btn->setEnabled(false);
        back_btn->setEnabled(true);
    }
}

void Cropping_Tool::Back_Btn_Clicked()
{
    screens->setCurrentIndex(0);
    next_btn->setEnabled(true);
    back_btn->setEnabled(false);
    if (m_camera) {
        m_camera->Stop_Camera_Reading();
        m_camera->setStopped(false);
    }
}

void Cropping_Tool::Open_Output_Folder_Clicked()
{
    const QString folder = output_path->text().trimmed();
    if (!folder.isEmpty())
        Open_With_Default_Application(folder);
}

void Cropping_Tool::Create_List(const QStringList &paths)
{
    list->setRowCount(0);
    for (const QString &path : paths) {
        const QString trimmed = path.trimmed();
        if (trimmed.isEmpty()) continue;
        const int r = list->rowCount();
        list->insertRow(r);
        list->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
        list->setItem(r, 1, new QTableWidgetItem(trimmed));
        list->setItem(r, 2, new QTableWidgetItem(QFileInfo(trimmed).fileName()));
    }
}

QString Cropping_Tool::Get_Item_Text(int r) const
{
    const QTableWidgetItem *item = list->item(r, 1);
    return item ? item->text() : QString();
}

// ---- The picture and the selection ----

QSizeF Cropping_Tool::originalImageRatio() const { return Modified_image->imageRatio(); }

void Cropping_Tool::Load_Image_File(const QString &path)
{
    if (!On_Gui_Thread("Load_Image_File"))
        return;
    Crop_Input_Path = path;
    // A stand-in (the grey figure of a control without a photo) is no picture to cut:
    // a crop of it would be taken for a photo.
    User_Picture_PREVIEW = Is_Stand_In_Picture(path, Resource_Path) ? Picture() : Get_Image_For_Path(path, 0);
    Update_Image_With_Settings();
    if (mode() == Crop_Mode::Drawn && canvas->hasSelectors()) {
        // A selector whose origin falls outside the new picture moves to the far corner.
        const QRectF frame = canvas->model().selectors().back().frame;
        const QSizeF ratio = originalImageRatio();
        const QPointF origin(frame.x() / ratio.width(), frame.y() / ratio.height());
        if (origin.x() < 0 || origin.y() < 0 || origin.x() > User_Picture.width() || origin.y() > User_Picture.height()) {
            const QSizeF size = canvas->model().canvasSize();
            canvas->addSelectorWithFrame({size.width() - frame.width(), size.height() - frame.height(), frame.width(), frame.height()});
        }
    } else if (mode() == Crop_Mode::Face) {
        Detect_Face();
    }
}

void Cropping_Tool::Show_hide_Crop_Selection(bool show)
{
    if (!On_Gui_Thread("Show_hide_Crop_Selection"))
        return;
    if (show && !canvas->hasSelectors())
        canvas->addSelectorWithFrame({10, 10, 100, 100});
    canvas->setVisible(show);
}

Crop_Mode Cropping_Tool::mode() const
{
    if (face_radio->isChecked()) return Crop_Mode::Face;
    if (fixed_radio->isChecked()) return Crop_Mode::Fixed;
    return Crop_Mode::Drawn;
}

void Cropping_Tool::Crop_Mode_Changed()
{
    if (!On_Gui_Thread("Crop_Mode_Changed"))
        return;
    const Crop_Mode m = mode();
    face_growth->setEnabled(false);
    if (input_selection() == 2 && m_camera && m_camera->isRunning()) {
        Show_MessageBox(QStringLiteral("Please first capture image."));
        return;
    }
    if (m == Crop_Mode::Drawn) {
        Show_hide_Crop_Selection(true);
    } else if (m == Crop_Mode::Face) {
        Detect_Face();
    } else {
        Show_hide_Crop_Selection(false);
    }
}

void Cropping_Tool::Detect_Face()
{
    Find_Face = false;
    const auto face = m_detector && !User_Picture.isNull() ? Largest_Face(m_detector->Detect_Faces(User_Picture))
                                                           : std::nullopt;
    if (!face) {
        Show_hide_Crop_Selection(false);
        if (!m_job)  // a run's own rows say nothing
            Show_MessageBox(QStringLiteral("No face detected."));
        return;
    }
    Find_Face = true;
    Find_Face_Rect = *face;
    face_growth->setEnabled(true);
    Extend_Face_Size_Changed();
}

void Cropping_Tool::Extend_Face_Size_Changed()
{
    if (!On_Gui_Thread("Extend_Face_Size_Changed") || !Find_Face || mode() != Crop_Mode::Face) return;
    canvas->addSelectorWithFrame(Face_Selection_Frame(Find_Face_Rect, face_growth->value(), originalImageRatio()));
    canvas->setVisible(true);
}

void Cropping_Tool::Size_Text_Changed(QLineEdit *field)
{
    field->setText(Crop_Size_Text_Rule(field->text()).text);
}

Crop_Cut_Settings Cropping_Tool::Cut_Settings() const
{
    Crop_Cut_Settings s;
    s.mode = mode();
    if (canvas->hasSelectors())
        s.selection = canvas->model().selectors().back().frame;
    s.drawing = Modified_image->drawingRect();
    s.scaling = Modified_image->imageScaling();
    s.growth = face_growth->value();
    s.width = Crop_Size_Text_Rule(width_Text->text()).value;
    s.height = Crop_Size_Text_Rule(height_Text->text()).value;
    s.aspect = aspect_ratio_chk->isChecked();
    return s;
}

// ---- Cropping ----

bool Cropping_Tool::Crop_Area_Ready(Crop_Mode m, bool tellNoFace)
{
    if (m == Crop_Mode::Drawn && !canvas->hasSelectors()) {
        Show_MessageBox(QStringLiteral("Please select area to crop."));
        return false;
    }
    if (m == Crop_Mode::Face && !Find_Face) {
        Show_hide_Crop_Selection(false);
        if (tellNoFace)
            Show_MessageBox(QStringLiteral("No face detected."));
        return false;
    }
    return true;
}

void Cropping_Tool::Crop_Single_Image_Clicked()
{
    if (!On_Gui_Thread("Crop_Single_Image_Clicked"))
        return;
    if (User_Picture.isNull()) {
        Show_MessageBox(QStringLiteral("There is no image to crop."));
        return;
    }
    const Crop_Mode m = mode();
    if (!Crop_Area_Ready(m, true))
        return;
    Crop_Cut_Settings s = Cut_Settings();
    if (m == Crop_Mode::Face)
        s.mode = Crop_Mode::Drawn;  // the face rectangle as the user left it
    Output_Run_State state;
    state.replace_keep_file_flag = Keep_Replace_Replace;
    const QString folder = output_path->text().trimmed();
    QDir().mkpath(folder);
    Crop_Result cut;
    {
        const PleaseWait_Scope wait(this);
        cut = Crop_Picture(User_Picture, s, m_detector.get());
    }
    if (cut.outcome != Crop_Outcome::Cut)
        return;  // an empty rectangle writes nothing
    const QString path = Cropped_File_Name(folder, custom_name_radio->isChecked(), custom_name->text().trimmed(),
                                           Crop_Input_Path, output_format_combo->currentIndex(), crop_num++);
    const auto target = Keep_Or_Replace_Target(path, Keep_Replace_Wording::Keep_Or_Replace, false, state);
    if (!target)
        return;
    if (QString cause; !Save_gen_image(cut.image, *target, File_Link::Replace, nullptr, &cause)) {
        Show_NSLog_Message(QStringLiteral("Cropped picture not written: %1: %2").arg(*target, cause));
        Show_MessageBox(Crop_Not_Written_Text(*target, cause));
        return;
    }
    state.check_any_card_exported = true;
    state.Export_File_Path = *target;
    state.Export_File_Message = QStringLiteral("Image has been cropped successfully.");
    Open_Export_File_Box(state, this);
}

void Cropping_Tool::Crop_All_Clicked()
{
    if (!On_Gui_Thread("Crop_All_Clicked")) return;
    if (m_job) {  // one run at a time: the running one goes on as it is
        Show_MessageBox(Run_Under_Way_Text());
        return;
    }
    const Crop_Mode m = mode();
    if (!Crop_Area_Ready(m, false))
        return;
    Crop_All_Snapshot snap;
    for (int r = 0; r < list->rowCount(); ++r)
        snap.paths << Get_Item_Text(r);
    snap.cut = Cut_Settings();
    snap.outputFolder = output_path->text().trimmed();
    snap.customName = custom_name_radio->isChecked();
    snap.name = custom_name->text().trimmed();
    snap.format = output_format_combo->currentIndex();
    snap.counter = crop_num;
    snap.adjustments = Current_Adjustments();
    if (!Fill_Series_Output(snap))
        return;
    Start_Crop_Job(snap, &Cropping_Tool::Finish_Crop_All);
}

bool Cropping_Tool::Start_Crop_Job(const Crop_All_Snapshot &snap, void (Cropping_Tool::*finish)())
{
    m_state = std::make_shared<Output_Run_State>();
    m_job = std::make_unique<Crop_All_Job>(snap, m_detector, m_state, m_pool);
    // The list follows the rows; the picture of a row is not loaded while the run goes.
    connect(m_job.get(), &Crop_All_Job::rowStarted, this, [this](int r) {
        m_loading = true;
        list->selectRow(r);
        m_loading = false;
    }, Qt::QueuedConnection);
    connect(m_job.get(), &Crop_All_Job::finished, this, finish, Qt::QueuedConnection);
    if (!m_progress)
        m_progress = new Send_Modeless(this);
    const int total = int(snap.paths.size());
    m_progress->Show_One_By_One_Modeless(m_state, total, QStringLiteral("%1 / %2 ").arg(0).arg(total));
    if (m_job->Start()) {
        Show_hide_Crop_Selection(false);  // back when the run ends
        return true;
    }
    m_progress->Hide_One_By_One_Modeless();
    m_job.reset();
    return false;
}

void Cropping_Tool::Finish_Crop_All()
{
    if (!On_Gui_Thread("Finish_Crop_All") || !m_job)
        return;
    m_job->Wait();
    crop_num = m_job->counter();
    if (!m_job->seriesPath().isEmpty() && QFileInfo::exists(m_job->seriesPath())) {
        m_seriesMade = true;
        Fill_batch_list(Listed_Series_Name());
    }
    m_progress->update_sending_progress_bar();
    m_progress->Hide_One_By_One_Modeless();
    // The picture of the row the run reached (a faceless one says nothing: the run's own).
    if (const auto rows = list->selectionModel()->selectedRows(); !rows.isEmpty())
        Load_Image_File(Get_Item_Text(rows.first().row()));
    Show_Selection_After_Run();
    m_job.reset();
    if (m_state->check_any_card_exported)
        Open_Export_File_Box(*m_state, this);
    else if (m_state->Export_File_Message != Crop_All_Success_Text())
        Show_MessageBox(m_state->Export_File_Message);  // nothing written, and why
    emit cropAllFinished();
}

void Cropping_Tool::Show_Selection_After_Run()
{
    const Crop_Mode m = mode();
    if (m == Crop_Mode::Drawn || (m == Crop_Mode::Face && Find_Face)) Show_hide_Crop_Selection(true);
}

Cropping_Tool &Cropping_Tool_Of(QWidget &window, Row_Table *rows, Modal_Runner *runner, QThreadPool *pool)
{
    if (auto *tool = window.findChild<Cropping_Tool *>(QString(), Qt::FindDirectChildrenOnly))
        return *tool;
    std::shared_ptr<const FaceDetector> detector = Make_OpenCv_Face_Detector();
    return *new Cropping_Tool(std::move(detector), rows, &window, nullptr, runner, pool);
}

int Cropping_Tool_Clicked(QWidget &window, Row_Table *rows, Modal_Runner *runner)
{
    return Cropping_Tool_Of(window, rows, runner).Open_Wnd();
}
