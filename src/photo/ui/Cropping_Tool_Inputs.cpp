// The cropping window's inputs: the choice of a picture file, a folder, the camera, a
// series or a spreadsheet column (Cropping_Tool_Direct.cpp); the main screen's checks; the crop screen for each input; the camera's
// Start, Stop, Capture and Resume; the series list, its viewer and the series a Crop
// All writes.
#include "Cropping_Tool.h"

#include "Export_File_Writer.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "PictureView.h"
#include "QtCameraSource.h"
#include "SelectionCanvas.h"
#include "SeriesDialogs.h"
#include "SeriesFile.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

namespace {

const QStringList kPictureTypes{"png", "jpg", "jpeg", "bmp", "tif", "tiff", "gif"};
const QString kSelectItem = QStringLiteral("<--Select-->");

bool Is_Listed_Picture(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && kPictureTypes.contains(info.suffix().toLower());
}

}  // namespace

bool Cropping_Tool::On_Gui_Thread(const char *where) const
{
    if (QThread::currentThread() == thread())
        return true;
    Show_NSLog_Message(QStringLiteral("Cropping_Tool::%1 called off the GUI thread: ignored.").arg(QLatin1String(where)));
    return false;
}

void Cropping_Tool::buildInputs()
{
    auto *form = qobject_cast<QFormLayout *>(screens->widget(0)->layout());
    camera_radio = new QRadioButton(tr("Camera"));
    series_radio = new QRadioButton(tr("Batch series"));
    camera_list = new QComboBox;
    start_btn = new QPushButton(tr("Start"));
    stop_btn = new QPushButton(tr("Stop"));
    refresh_camera_btn = new QPushButton(tr("Refresh"));
    Camera_Box = Cropping_Row({camera_list, start_btn, stop_btn, refresh_camera_btn});
    batch_list = new QComboBox;
    batch_list->setEditable(true);
    batch_list->setInsertPolicy(QComboBox::NoInsert);
    view_series_btn = new QPushButton(tr("View"));
    batch_new_radio = new QRadioButton(tr("Create new series"));
    batch_replace_radio = new QRadioButton(tr("Replace selected series"));
    batch_series_box = new QWidget;
    auto *seriesLayout = new QVBoxLayout(batch_series_box);
    seriesLayout->setContentsMargins(0, 0, 0, 0);
    seriesLayout->addWidget(Cropping_Row({batch_list, view_series_btn}));
    seriesLayout->addWidget(Cropping_Row({batch_new_radio, batch_replace_radio}));
    form->insertRow(2, camera_radio, Camera_Box);
    form->insertRow(3, series_radio, batch_series_box);

    auto *inputs = file_radio->group();
    inputs->addButton(camera_radio);
    inputs->addButton(series_radio);
    auto *matrix = new QButtonGroup(this);
    matrix->addButton(batch_new_radio);
    matrix->addButton(batch_replace_radio);
    for (QRadioButton *b : {file_radio, folder_radio, camera_radio, series_radio})
        connect(b, &QRadioButton::toggled, this, &Cropping_Tool::input_option_CellClick);
    connect(start_btn, &QPushButton::clicked, this, &Cropping_Tool::Start_Btn_Clicked);
    connect(stop_btn, &QPushButton::clicked, this, &Cropping_Tool::Stop_Btn_Clicked);
    connect(refresh_camera_btn, &QPushButton::clicked, this, &Cropping_Tool::Refresh_Camera_Clicked);
    connect(view_series_btn, &QPushButton::clicked, this, &Cropping_Tool::View_batch_Series_Button);

    // Crop screen: the live picture above the picture view, Capture beside Crop.
    auto *cropLayout = qobject_cast<QHBoxLayout *>(screens->widget(1)->layout());
    auto *left = qobject_cast<QVBoxLayout *>(cropLayout->itemAt(0)->layout());
    auto *right = qobject_cast<QVBoxLayout *>(cropLayout->itemAt(1)->layout());
    capture_image = new PictureView;
    capture_image->setMinimumSize(360, 360);
    capture_image->hide();
    left->insertWidget(0, capture_image, 1);
    capture_btn = new QPushButton(QStringLiteral("Capture"));
    capture_btn->hide();
    right->insertWidget(1, capture_btn);
    connect(capture_btn, &QPushButton::clicked, this, &Cropping_Tool::Capture_Clicked);
}

int Cropping_Tool::input_selection() const
{
    if (folder_radio->isChecked()) return 1;
    if (camera_radio && camera_radio->isChecked()) return 2;
    if (series_radio && series_radio->isChecked()) return 3;
    if (excel_radio && excel_radio->isChecked()) return 4;
    return 0;
}

void Cropping_Tool::input_option_CellClick()
{
    const int input = input_selection();
    file_path->setEnabled(input == 0);
    file_browse->setEnabled(input == 0);
    folder_path->setEnabled(input == 1);
    folder_browse->setEnabled(input == 1);
    Camera_Box->setEnabled(input == 2);
    batch_series_box->setEnabled(input == 3);
    if (excel_column_list)
        excel_column_list->setEnabled(input == 4);
    if (view_excel_btn)
        view_excel_btn->setEnabled(input == 4);
    if (input == 2) {
        if (own_name_radio->isChecked())
            custom_name_radio->setChecked(true);
        own_name_radio->setEnabled(false);
        if (camera_list->count() == 0)
            Refresh_Camera_Clicked();
    } else {
        own_name_radio->setEnabled(true);
    }
    if (input == 3 && batch_list->currentIndex() < 0 && batch_list->count() > 0)
        batch_list->setCurrentIndex(0);
}

// ---- The main screen ----

bool Cropping_Tool::Main_Screen_Checks()
{
    const int input = input_selection();
    if (input == 4)
        return true;  // the spreadsheet input checks itself on Next (Load_Excel_Input_Screen)
    QString value;
    if (input == 0) {
        value = file_path->text().trimmed();
        if (value.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select input image file path."));
            return false;
        }
    } else if (input == 1) {
        value = folder_path->text().trimmed();
        if (value.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select input folder path."));
            return false;
        }
    } else if (input == 2) {
        value = camera_list->currentIndex() >= 0 ? camera_list->currentData().toString() : QString();
        if (value.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select camera."));
            return false;
        }
    } else {
        value = Listed_Series_Name();
        if (value.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select batch series."));
            return false;
        }
    }
    Crop_Input_Path = value;
    if (output_path->text().trimmed().isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select output folder path."));
        return false;
    }
    if (input == 2 && own_name_radio->isChecked()) {
        Show_MessageBox(QStringLiteral("Please select Custom output file name option."));
        return false;
    }
    if (const QString refusal = Crop_Custom_Name_Refusal(custom_name->text());
        custom_name_radio->isChecked() && !refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return false;
    }
    return true;
}

bool Cropping_Tool::Load_for_Next_Screen()
{
    Find_Face = false;
    const int input = input_selection();
    if (bool answer = false; Load_Excel_Input_Screen(&answer)) {
        if (answer)
            Show_Crop_Screen_Of(input);
        return answer;
    }
    QStringList paths;
    if (input == 0) {
        paths << Crop_Input_Path;
    } else if (input == 1) {
        crop_num = 0;
        const QFileInfoList entries =
            QDir(Crop_Input_Path).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
        for (const QFileInfo &entry : entries)
            if (Is_Listed_Picture(entry.filePath()))
                paths << entry.filePath();
        if (paths.isEmpty()) {
            Back_Btn_Clicked();
            Show_MessageBox(QStringLiteral("The selected folder does not contains any image with supported extension."));
            return false;
        }
    } else if (input == 3) {
        paths = Load_file_Func(Crop_Input_Path);
        if (paths.isEmpty()) {
            Back_Btn_Clicked();
            Show_MessageBox(QStringLiteral("The selected series does not contains any image with supported extension."));
            return false;
        }
        const QString question =
            batch_replace_radio->isChecked()
                ? QStringLiteral("This action will replace selected batch series items with all new cropped images.\n"
                                 "Are you sure you want to continue?")
                : QStringLiteral("This action will create new batch series with all new cropped images.\n"
                                 "Are you sure you want to continue?");
        if (Show_YES_NO_MessageBox(question) != 1)
            return false;
    }
    screens->setCurrentIndex(1);
    Show_Crop_Screen_Of(input);
    if (input == 2) {
        list->setRowCount(0);
        Modified_image->setPicture({});
        User_Picture = QImage();
        User_Picture_PREVIEW = Picture();
        capture_btn->setText(QStringLiteral("Capture"));
        capture_btn->setEnabled(false);
        Start_Btn_Clicked();
        Show_hide_Crop_Selection(false);
        return true;
    }
    Create_List(paths);
    list->selectRow(0);
    Show_hide_Crop_Selection(mode() == Crop_Mode::Drawn);
    return true;
}

void Cropping_Tool::Show_Crop_Screen_Of(int input)
{
    // The list and Crop All for the inputs of many pictures; the camera's live picture
    // and Capture instead of Crop; no adjustments while the camera runs.
    const bool many = input == 1 || input == 3 || input == 4;
    const std::pair<QWidget *, bool> parts[] = {
        {list, many},              {crop_btn, input != 2 && input != 4}, {crop_all_btn, many},
        {capture_btn, input == 2}, {capture_image, input == 2},          {Modified_image, input != 2}};
    // What goes away is hidden first, so the window never makes room for both pictures.
    for (const auto &[part, shown] : parts)
        if (!shown) part->hide();
    for (const auto &[part, shown] : parts)
        if (shown) part->show();
    Image_Edit_Prop_Box->setEnabled(input != 2);
}

QStringList Cropping_Tool::Load_file_Func(const QString &name) const
{
    QStringList rows;
    const std::optional<QByteArray> bytes = SeriesFile::Read_Bytes(SeriesFile::Path(Data_Folder_Path, name));
    if (!bytes) {
        Show_NSLog_Message(QStringLiteral("The series \"%1\" cannot be read.").arg(name));
        return rows;
    }
    for (const QString &line : SeriesFile::Engine_Values(*bytes))
        if (Is_Listed_Picture(line.trimmed()))
            rows << line.trimmed();
    return rows;
}

// ---- The series ----

void Cropping_Tool::Fill_batch_list(const QString &keep)
{
    const QSignalBlocker quiet(batch_list);
    batch_list->clear();
    batch_list->addItem(kSelectItem);
    batch_list->addItems(SeriesFile::Names(Data_Folder_Path));
    const int at = keep.isEmpty() ? 0 : batch_list->findText(keep);
    batch_list->setCurrentIndex(at > 0 ? at : 0);
}

QString Cropping_Tool::Listed_Series_Name() const
{
    // The editable box may hold typed text beside an old choice: only a listed item counts.
    const QString text = batch_list->currentText().trimmed();
    const int at = batch_list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return at >= 1 ? text : QString();
}

void Cropping_Tool::View_batch_Series_Button()
{
    // With the spreadsheet input, View shows the design's rows in their table window.
    if (input_selection() == 4) {
        if (View_Spreadsheet_Rows) View_Spreadsheet_Rows();
        return;
    }
    const QString name = Listed_Series_Name();
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    View_Data_Series viewer(Data_Folder_Path, this);
    viewer.Open_Wnd(name);
}

bool Cropping_Tool::Fill_Series_Output(Crop_All_Snapshot &snap)
{
    if (input_selection() != 3)
        return true;
    // Only a listed series counts, never text typed into the box: replace overwrites
    // that series' own file, a new series takes a free name beside it.
    const QString name = Listed_Series_Name();
    const QString clean = Remove_Reserve_Char_In_File_Name(name);
    const bool listed = !name.isEmpty() && SeriesFile::Names(Data_Folder_Path).contains(name);
    if (clean.isEmpty() || (batch_replace_radio->isChecked() && !listed)) {
        Show_MessageBox(QStringLiteral("Please select batch series."));
        return false;
    }
    QDir().mkpath(Data_Folder_Path);
    if (batch_replace_radio->isChecked()) {
        snap.series = Crop_Series_Output::Replace;
        snap.seriesPath = SeriesFile::Path(Data_Folder_Path, name);
    } else {
        snap.series = Crop_Series_Output::New;
        snap.seriesPath = Check_Exist_Path_and_Create_New(SeriesFile::Path(Data_Folder_Path, clean));
    }
    return true;
}

// ---- The camera ----

CameraSession &Cropping_Tool::session()
{
    if (!m_camera) {
        std::unique_ptr<FrameSource> source = m_cameraSource ? std::move(m_cameraSource) : Make_Camera_Source();
        m_camera = std::make_unique<CameraSession>(std::move(source), QStringLiteral("CROP"));
        connect(m_camera.get(), &CameraSession::frameShown, this, [this](const QImage &frame) {
            capture_image->setPicture(Picture(frame, QSizeF(frame.size())));
        });
        connect(m_camera.get(), &CameraSession::stateChanged, this, [this] {
            const CameraButtonState s = m_camera->buttonState();
            start_btn->setEnabled(s.startEnabled);
            stop_btn->setEnabled(s.stopEnabled);
            if (m_camera->isRunning())
                Image_Edit_Prop_Box->setEnabled(false);
        });
    }
    return *m_camera;
}

void Cropping_Tool::Refresh_Camera_Clicked()
{
    CameraSession &camera = session();
    camera.Stop_Camera_Reading();
    camera.Clear_Camera_Objects();
    camera_list->clear();
    for (const CameraDevice &d : camera.Get_And_Fill_Camera_List())
        camera_list->addItem(d.name, d.id);
    camera_list->setCurrentIndex(camera_list->count() > 0 ? 0 : -1);
    capture_image->setPicture({});
    capture_btn->setEnabled(false);
    start_btn->setEnabled(true);
    stop_btn->setEnabled(false);
}

void Cropping_Tool::Start_Btn_Clicked()
{
    if (!On_Gui_Thread("Start_Btn_Clicked"))
        return;
    if (camera_list->currentIndex() < 0 || camera_list->currentData().toString().isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select camera."));
        return;
    }
    CameraSession &camera = session();
    camera.selected_camera = camera_list->currentData().toString();
    camera.Select_Camera_for_Capture_Action();
    camera.setStopped(false);
    capture_btn->setEnabled(camera.capture() != nullptr && camera.isRunning());
}

void Cropping_Tool::Stop_Btn_Clicked()
{
    capture_btn->setEnabled(false);
    session().Stop_Camera_Reading();
}

void Cropping_Tool::Capture_Clicked()
{
    if (!On_Gui_Thread("Capture_Clicked"))
        return;
    if (!m_camera || !m_camera->capture()) {
        Show_MessageBox(QStringLiteral("Please first select and start the camera."));
        return;
    }
    if (capture_btn->text() == QLatin1String("Capture")) {
        const QImage frame = m_camera->freeze();
        if (!frame.isNull())
            User_Picture_PREVIEW = Picture(frame, QSizeF(frame.size()));
        capture_image->hide();
        Modified_image->show();
        Update_Image_With_Settings();
        Image_Edit_Prop_Box->setEnabled(true);
        capture_btn->setText(QStringLiteral("Resume"));
        crop_btn->show();
        Check_And_Set_Selection(false);
    } else {
        capture_btn->setText(QStringLiteral("Capture"));
        crop_btn->hide();
        Modified_image->hide();
        canvas->setVisible(false);
        capture_image->show();
        Start_Btn_Clicked();
    }
}

void Cropping_Tool::Check_And_Set_Selection(bool update)
{
    if (update)
        Update_Image_With_Settings();
    Crop_Mode_Changed();
}

void Cropping_Tool::reject()
{
    if (m_camera) {
        m_camera->Stop_Camera_Reading();
        m_camera->setStopped(false);
        if (m_camera->capture())
            m_camera->Clear_Camera_Objects();
    }
    QDialog::reject();
}
