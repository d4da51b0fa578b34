#include "Camera.h"

#include "AdjustmentChain.h"
#include "CameraFiles.h"
#include "Dialogs.h"
#include "Export_File_Writer.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "LayoutParts.h"
#include "Scroll_Panel.h"
#include "MessageBox.h"
#include "PictureView.h"
#include "SelectionCanvas.h"
#include "Shared_Dialogs.h"
#include "Modal_Runner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>


namespace {
// A frame as a picture of one point per pixel.
Picture asPicture(const QImage &image)
{
    if (image.isNull()) return {};
    return Picture(image, QSizeF(image.size()));
}
} // namespace

Camera::Camera(std::unique_ptr<FrameSource> source, QWidget *parent, Modal_Runner *runner)
    : QDialog(parent), m_runner(runner), m_session(std::make_unique<CameraSession>(std::move(source), QStringLiteral("CAM")))
{
    setModal(true);
    setWindowTitle(tr("Camera"));
    Style_Output_Window(*this);
    buildWindow();
    Open_Within_Screen(*this);
    Camera_Capture_Image = Camera_Default_Image_Path(Camera_Folder_Path);
    connect(m_session.get(), &CameraSession::frameShown, this,
            [this](const QImage &frame) { capture_image->setPicture(asPicture(frame)); });
    connect(m_session.get(), &CameraSession::stateChanged, this, &Camera::showButtonState);
}

Camera::~Camera() = default;

void Camera::buildWindow()
{
    // The live picture and the camera's controls.
    capture_image = new PictureView;
    capture_image->setMinimumSize(320, 240);
    capture_image->setPhotoFrame(true);
    camera_list = new QComboBox;
    start_btn = Command_Button(tr("Start"), this, &Camera::Start_Btn_Clicked);
    stop_btn = Command_Button(tr("Stop"), this, &Camera::Stop_Btn_Clicked);
    get_list_btn = Command_Button(tr("Get List"), this, &Camera::Get_List_Btn_Clicked);
    capture_btn = Command_Button(tr("Capture"), this, &Camera::Capture_Btn_Clicked);
    connection_msg_label = new QLabel;
    connection_msg_label->setStyleSheet(QStringLiteral("color: #b00000"));
    // The line keeps its room while hidden, so the buttons above it stay where they are.
    QSizePolicy keepRoom = connection_msg_label->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    connection_msg_label->setSizePolicy(keepRoom);
    capture_saved_image = new PictureView;
    capture_saved_image->setFixedSize(160, 120);
    capture_saved_image->setPhotoFrame(true);
    auto *live = Stack_Layout(nullptr, {{capture_image, 1},
                                        Side_By_Side({new QLabel(tr("Camera:")), {camera_list, 1}, get_list_btn}),
                                        Side_By_Side({start_btn, stop_btn, capture_btn}), connection_msg_label,
                                        new QLabel(tr("Taken picture:")), capture_saved_image});

    // The adjusted picture with the selection canvas over it.
    Modified_image = new PictureView;
    Modified_image->setMinimumSize(400, 300);
    Modified_image->setPhotoFrame(true);
    canvas = new SelectionCanvas(*Modified_image);

    // Adjustments.
    Build_Adjustment_Box([this] { Update_Image_With_Settings(); });

    // Cropping and Save As.
    cropping_Box = new QGroupBox(tr("Crop"));
    enable_cropping_btn = new QCheckBox(tr("Enable cropping"));
    crop_btn = Command_Button(tr("Crop"), this, &Camera::Crop_Image_Clicked);
    save_btn = Command_Button(tr("Save As..."), this, &Camera::Save_Crop_Image_Clicked);
    cropping_Box->setLayout(Side_By_Side({enable_cropping_btn, crop_btn, Layout_Stretch{}, save_btn}));

    // The camera folder and the window's answer.
    def_save_path = new QLineEdit;
    def_save_path->setReadOnly(true);
    browse_btn = Command_Button(tr("Browse..."), this, &Camera::Browse_Path_Clicked);
    reset_path_btn = Command_Button(tr("Reset"), this, &Camera::Reset_Path_Clicked);
    ok_btn = Command_Button(tr("OK"), this, &Camera::OK_Btn_Clicked);
    cancel_btn = Command_Button(tr("Cancel"), this, &Camera::Cancel_Btn_Clicked);
    ok_btn->setDefault(true);
    auto *bottom = Side_By_Side({new QLabel(tr("Camera folder:")), {def_save_path, 1}, browse_btn, reset_path_btn});
    bottom->addSpacing(20);
    bottom->addWidget(cancel_btn);
    bottom->addWidget(ok_btn);

    auto *middle = Stack_Layout(nullptr, {{Modified_image, 1}, cropping_Box});
    Stack_Layout(this, {{Side_By_Side({live, {middle, 1}, Image_Edit_Prop_Box}), 1}, bottom});

    connect(image_reset_btn, &QPushButton::clicked, this, &Camera::Image_reset_Button);
    connect(enable_cropping_btn, &QCheckBox::toggled, this, &Camera::Enable_Cropping_Clicked);
    Reset_Image_Editing_Controls();
}

int Camera::Open_Wnd()
{
    Reset_Image_Editing_Controls();
    setBoxesEnabled(false);
    capture_btn->setEnabled(false);
    canvas->removeAllSelectorsFromCanvas();
    showButtonState();
    Get_And_Fill_Camera_List();
    connection_msg_label->setText(camera_list->count() == 0 ? QStringLiteral("Please connect your camera.")
                                                            : QStringLiteral("Please start camera to capture."));
    connection_msg_label->show();
    capture_saved_image->setPicture({});
    Modified_image->setPicture({});
    adjusted_picture = QImage();
    showNoCamera();
    def_save_path->setText(Camera_Folder_Path);
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

void Camera::setBoxesEnabled(bool enabled)
{
    Image_Edit_Prop_Box->setEnabled(enabled);
    cropping_Box->setEnabled(enabled);
    crop_btn->setEnabled(enabled && enable_cropping_btn->isChecked());
}

void Camera::showButtonState()
{
    const CameraButtonState s = m_session->buttonState();
    start_btn->setEnabled(s.startEnabled);
    stop_btn->setEnabled(s.stopEnabled);
    if (s.statusShown) connection_msg_label->setVisible(*s.statusShown);
    if (!s.statusText.isEmpty()) connection_msg_label->setText(s.statusText);
}

void Camera::showNoCamera() { capture_image->setPicture(Picture::fromFile(Resource_Path + QStringLiteral("no_camera.jpg"))); }

void Camera::Get_And_Fill_Camera_List()
{
    camera_list->clear();
    for (const CameraDevice &d : m_session->Get_And_Fill_Camera_List()) camera_list->addItem(d.name, d.id);
    camera_list->setCurrentIndex(camera_list->count() > 0 ? 0 : -1);
}

// ---- The camera ----

void Camera::Start_Btn_Clicked()
{
    if (camera_list->currentIndex() < 0) {
        Show_MessageBox(QStringLiteral("Please select camera."));
        connection_msg_label->setText(QStringLiteral("Please connect your camera."));
        connection_msg_label->show();
        return;
    }
    m_session->selected_camera = camera_list->currentData().toString();
    m_session->Select_Camera_for_Capture_Action();
    capture_btn->setEnabled(true);
    connection_msg_label->hide();
}

void Camera::Stop_Btn_Clicked()
{
    m_session->Stop_Camera_Reading();
    showNoCamera();
    connection_msg_label->setText(QStringLiteral("Please start camera to capture."));
    connection_msg_label->show();
    capture_btn->setEnabled(false);
}

void Camera::Get_List_Btn_Clicked()
{
    m_session->Stop_Camera_Reading();
    m_session->Clear_Camera_Objects();
    Get_And_Fill_Camera_List();
    capture_btn->setEnabled(false);
    showNoCamera();
    connection_msg_label->setText(camera_list->count() == 0 ? QStringLiteral("Please connect your camera.")
                                                            : QStringLiteral("Please start camera to capture."));
}

void Camera::Capture_Btn_Clicked()
{
    if (!m_session->capture()) {
        Show_MessageBox(QStringLiteral("Please first select and start the camera."));
        return;
    }
    User_Picture = m_session->freeze();
    taken_picture = User_Picture;
    capture_saved_image->setPicture(asPicture(taken_picture));
    Update_Image_With_Settings();
    setBoxesEnabled(true);
    capture_btn->setEnabled(false);
}

// ---- The picture ----

void Camera::Update_Image_With_Settings()
{
    if (User_Picture.isNull()) {
        adjusted_picture = QImage();
        if (Modified_image) Modified_image->setPicture({});
        return;
    }
    const Picture adjusted = Get_Processed_Image_Full_Combined(asPicture(User_Picture), Current_Adjustments(), true);
    adjusted_picture = adjusted.image();
    Modified_image->setPicture(adjusted);
}

void Camera::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1) return;
    User_Picture = taken_picture;
    Reset_Image_Editing_Controls();
    Update_Image_With_Settings();
}

QSizeF Camera::originalImageRatio() const { return Modified_image->imageRatio(); }

void Camera::Enable_Cropping_Clicked() { crop_btn->setEnabled(enable_cropping_btn->isChecked() && cropping_Box->isEnabled()); }

void Camera::Crop_Image_Clicked()
{
    if (!canvas->hasSelectors()) {
        Show_MessageBox(QStringLiteral("Please select area to crop."));
        return;
    }
    const std::vector<Selector> selectors = canvas->model().selectors();
    for (const Selector &s : selectors) {
        const Picture shown = Modified_image->picture();
        const std::optional<QRectF> cut = Crop_Rect_In_Picture(s.frame, originalImageRatio());
        if (!cut || shown.isNull() || shown.size().isEmpty()) continue;
        // Picture points (y up) to pixels of the shown picture (y down).
        const QImage &pixels = adjusted_picture;
        const double sx = pixels.width() / shown.size().width(), sy = pixels.height() / shown.size().height();
        const QRect area(qRound(cut->x() * sx), qRound((shown.size().height() - cut->y() - cut->height()) * sy),
                         qRound(cut->width() * sx), qRound(cut->height() * sy));
        if (area.isEmpty()) continue;
        User_Picture = pixels.copy(area);
        adjusted_picture = User_Picture;
        Modified_image->setPicture(asPicture(User_Picture));
    }
    canvas->removeAllSelectorsFromCanvas();
}

// ---- Files ----

void Camera::Save_Crop_Image_Clicked()
{
    if (adjusted_picture.isNull()) return;
    const Save_Panel_Choice chosen = Run_Save_Image_Panel(Camera_Folder_Path, kCameraFileStem);
    const QString &path = chosen.path;
    if (path.isEmpty()) return;
    raise();
    // Through a link only under the very name typed in the panel, as an editor does.
    if (!Save_gen_image(adjusted_picture, path, chosen.links)) {
        Show_MessageBox(Write_Refusal_Text(path, QStringLiteral("Error in file accessing.")));
        return;
    }
    Export_Open_Offer offer;
    offer.path = path;
    offer.message = QStringLiteral("File has been exported successfully.");
    offer.checkTitle = QFileInfo(path).isDir() ? QStringLiteral("Open containing folder.") : QStringLiteral("Open file.");
    Open_Export_Log::Open_Export_File_Box(offer, this);
}

void Camera::Browse_Path_Clicked()
{
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFolder;
    request.title = tr("Choose the camera folder");
    request.directory = Camera_Folder_Path;
    const QStringList chosen = Run_File_Panel(request);
    if (chosen.isEmpty()) return;
    Camera_Folder_Path = chosen.front();
    def_save_path->setText(Camera_Folder_Path);
    Create_Camera_Path_File();
    Camera_Capture_Image = Camera_Default_Image_Path(Camera_Folder_Path);
}

void Camera::Reset_Path_Clicked()
{
    Camera_Folder_Path = Camera_Default_Folder();
    Create_Camera_Path_File();
    def_save_path->setText(Camera_Folder_Path);
    Camera_Capture_Image = Camera_Default_Image_Path(Camera_Folder_Path);
}

void Camera::OK_Btn_Clicked()
{
    if (User_Picture.isNull() || Modified_image->picture().isNull() || adjusted_picture.isNull()) {
        Show_MessageBox(QStringLiteral("There is no image to Import. Please capture an image."));
        return;
    }
    m_session->Stop_Camera_Reading();
    m_session->setStopped(false);
    if (m_session->capture()) m_session->Clear_Camera_Objects();
    // The folder is made when missing, and the write is checked.
    const QString folder = QFileInfo(Camera_Capture_Image).path();
    const QString path = Create_New_Camera_File_Path(Camera_Capture_Image, Camera_Capture_Count);
    // A name of the program's: a link there is replaced, never written through.
    if (!QDir().mkpath(folder) || !Save_gen_image(adjusted_picture, path, File_Link::Replace)) {
        Show_MessageBox(QStringLiteral("Error in file accessing."));
        return;
    }
    Camera_Capture_Image = path;
    ++Camera_Capture_Count;
    done(1);
}

void Camera::Cancel_Btn_Clicked()
{
    m_session->Stop_Camera_Reading();
    m_session->setStopped(false);
    if (m_session->capture()) m_session->Clear_Camera_Objects();
    done(0);
}
