#pragma once
// The cropping window. Main screen: the input (a picture file or a folder), the output
// folder, the output name (custom, "Untitled" by default, or the input's own) and the
// format (jpg, bmp, png, tiff). Crop screen: the current picture under the selection
// canvas, the list of the input's pictures and the three crop modes (drawn rectangle,
// face, fixed size); Crop cuts the picture on show, Crop All every listed picture on a
// worker thread with the progress panel.
#include "CropAllJob.h"

#include <QDialog>
#include <QImage>

#include <memory>

class PictureView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class Send_Modeless;
class SelectionCanvas;

class Cropping_Tool : public QDialog {
    Q_OBJECT
public:
    // detector: null makes face mode unavailable (Make_OpenCv_Face_Detector for the user).
    explicit Cropping_Tool(std::shared_ptr<const FaceDetector> detector, QWidget *parent = nullptr);
    ~Cropping_Tool() override;

    // Resets to the main screen and runs modally.
    int Open_Wnd();
    void Set_Default_Values();

    // ---- Actions ----
    void Next_Btn_Clicked();
    void Back_Btn_Clicked();
    bool Load_for_Next_Screen();
    void Crop_Single_Image_Clicked();
    void Crop_All_Clicked();
    void Crop_Mode_Changed();
    void Extend_Face_Size_Changed();
    void Size_Text_Changed(QLineEdit *field);

    // ---- The crop screen ----
    void Load_Image_File(const QString &path);
    void Show_hide_Crop_Selection(bool show);
    QSizeF originalImageRatio() const;
    Crop_Mode mode() const;
    Crop_Cut_Settings Cut_Settings() const;
    QString Get_Item_Text(int row) const;

    // The run in progress (null when idle) and its state.
    const Crop_All_Job *job() const { return m_job.get(); }
    Send_Modeless *progressPanel() const { return m_progress; }

    QString Crop_Input_Path;
    int crop_num = 0;
    QImage User_Picture;  // the picture on show, as loaded
    bool Find_Face = false;
    QRectF Find_Face_Rect;

    // ---- Widgets ----
    QStackedWidget *screens = nullptr;
    QRadioButton *file_radio = nullptr, *folder_radio = nullptr;
    QLineEdit *file_path = nullptr, *folder_path = nullptr, *output_path = nullptr, *custom_name = nullptr;
    QPushButton *file_browse = nullptr, *folder_browse = nullptr, *output_browse = nullptr;
    QRadioButton *custom_name_radio = nullptr, *own_name_radio = nullptr;
    QComboBox *output_format_combo = nullptr;
    QPushButton *next_btn = nullptr, *back_btn = nullptr, *crop_btn = nullptr, *crop_all_btn = nullptr;
    PictureView *Modified_image = nullptr;
    SelectionCanvas *canvas = nullptr;
    QTableWidget *list = nullptr;  // "SNO", "Image_Path", "IMG_NAME"
    QRadioButton *drawn_radio = nullptr, *face_radio = nullptr, *fixed_radio = nullptr;
    QDoubleSpinBox *face_growth = nullptr;
    QLineEdit *width_Text = nullptr, *height_Text = nullptr;
    QCheckBox *aspect_ratio_chk = nullptr;

signals:
    void cropAllFinished();

private:
    void buildWindow();
    void Create_List(const QStringList &paths);
    void Detect_Face();
    void Finish_Crop_All();

    std::shared_ptr<const FaceDetector> m_detector;
    std::unique_ptr<Crop_All_Job> m_job;
    std::shared_ptr<Output_Run_State> m_state;
    Send_Modeless *m_progress = nullptr;
    bool m_loading = false;
};

// The cropping window of a main window: its one instance, made at the first call with
// the OpenCV face detector (face mode off without the cascade).
Cropping_Tool &Cropping_Tool_Of(QWidget &window);
// The Crop command: opens that window on its main screen.
int Cropping_Tool_Clicked(QWidget &window);
