#pragma once
// The cropping window. Main screen: the input (a picture file, a folder, the camera, a
// series or a spreadsheet column), the output folder, the output name (custom, "Untitled" by default, or the
// input's own) and the format (jpg, bmp, png, tiff). Crop screen: the current picture
// with its adjustments under the selection canvas (or the live camera with Capture),
// the list of the input's pictures and the three crop modes (drawn rectangle, face,
// fixed size); Crop cuts the picture on show, Crop All every listed picture on a worker
// thread with the progress panel, writing a new or replaced series for a series input.
#include "CameraCapture.h"
#include "CardModes.h"
#include "Adjustment_Controls.h"
#include "CropAllJob.h"
#include "Picture.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <initializer_list>
#include <memory>

class Modal_Runner;
class PictureView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QGroupBox;
class QRadioButton;
class QSlider;
class QStackedWidget;
class QTableWidget;
class QThreadPool;
class Row_Table;
class Send_Modeless;
class SelectionCanvas;

class Cropping_Tool : public QDialog, public Adjustment_Controls {
    Q_OBJECT
public:
    // detector: null makes face mode unavailable (Make_OpenCv_Face_Detector for the user).
    explicit Cropping_Tool(std::shared_ptr<const FaceDetector> detector, QWidget *parent = nullptr);
    // rows: the spreadsheet rows of the design (null: no spreadsheet input); it outlives
    // the window.
    // camera: the frames of the camera input (null: Make_Camera_Source at its first use).
    // pool: the application's pool Crop All runs on (null: the process's global pool).
    Cropping_Tool(std::shared_ptr<const FaceDetector> detector, Row_Table *rows, QWidget *parent,
                  std::unique_ptr<FrameSource> camera = nullptr, Modal_Runner *runner = nullptr,
                  QThreadPool *pool = nullptr);
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
    // inputs
    bool Main_Screen_Checks();
    void input_option_CellClick();
    void Start_Btn_Clicked();
    void Stop_Btn_Clicked();
    void Refresh_Camera_Clicked();
    void Capture_Clicked();
    void View_batch_Series_Button();
    void Image_reset_Button();
    // Opens the output folder with the desktop (normal mode; the direct roads hide it).
    void Open_Output_Folder_Clicked();
    void reject() override;
    // direct roads (Cropping_Tool_Direct.cpp)
    // The crop screen at once, for an image control's picture (direct mode 1), its
    // series (2) or its spreadsheet column (3); the results go into "Cropped_Images".
    // 1 once a picture was written (mode 1) or a run ended (modes 2 and 3); 0 otherwise,
    // also when the input holds no picture (the window is then not shown).
    int Open_Wnd_Direct_To_Crop(const QString &path);
    int Open_Wnd_Direct_Crop_Series(const QString &name);
    int Open_Wnd_Direct_Excel_Column(const QString &name, int column);
    // Crop Image / Crop Images of the direct modes.
    void Crop_Direct_Image_Clicked();

    // ---- The crop screen ----
    void Load_Image_File(const QString &path);
    void Show_hide_Crop_Selection(bool show);
    QSizeF originalImageRatio() const;
    Crop_Mode mode() const;
    Crop_Cut_Settings Cut_Settings() const;
    QString Get_Item_Text(int row) const;
    // inputs
    // 0 file, 1 folder, 2 camera, 3 series, 4 spreadsheet column.
    int input_selection() const;
    void Check_And_Set_Selection(bool update);
    void Update_Image_With_Settings();
    // The series chosen in batch_list: a listed name (never typed text); empty for none.
    QString Listed_Series_Name() const;
    // batch_list: "<--Select-->" and the series names, `keep` chosen when listed.
    void Fill_batch_list(const QString &keep = QString());
    // The series rows: the lines of the series naming existing pictures.
    QStringList Load_file_Func(const QString &name) const;
    CameraSession &session();
    // A Crop All of this opening wrote a series (the main window then refreshes its lists).
    bool Series_Made() const { return m_seriesMade; }

    // The run in progress (null when idle) and its state.
    const Crop_All_Job *job() const { return m_job.get(); }
    Send_Modeless *progressPanel() const { return m_progress; }

    QString Crop_Input_Path;
    int crop_num = 0;
    QImage User_Picture;  // the picture on show, as loaded
    bool Find_Face = false;
    QRectF Find_Face_Rect;
    // direct roads
    int crop_direct = 0;  // 0 normal; 1 picture, 2 series, 3 spreadsheet column
    // Set by the caller of a direct entry: the control's data source (0 manual, 1
    // series, 2 spreadsheet) and the design's mode.
    int ctrl_data_source_type = 0;
    Card_Mode Start_Card_Option = Card_Mode::Template;
    // Results of a direct entry: the file written (mode 1), the new series (mode 2), the
    // new column's index and identifier (mode 3).
    QString Crop_Direct_Path;
    QString Crop_Direct_Series;
    int Passed_Excel_Col_Index = -1;
    QString Passed_Excel_Col_Name;
    int Crop_New_Excel_Col_Index = -1;
    QString Crop_New_Excel_Col_Name;
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
    QPushButton *Open_Folder_Btn = nullptr;
    // inputs
    QRadioButton *camera_radio = nullptr, *series_radio = nullptr;
    QWidget *Camera_Box = nullptr, *batch_series_box = nullptr;
    QComboBox *camera_list = nullptr;  // names; each item's data is the device's ID
    QPushButton *start_btn = nullptr, *stop_btn = nullptr, *refresh_camera_btn = nullptr;
    QComboBox *batch_list = nullptr;  // "<--Select-->" and the series names
    QRadioButton *batch_new_radio = nullptr, *batch_replace_radio = nullptr;
    QPushButton *view_series_btn = nullptr;
    PictureView *capture_image = nullptr;  // the live camera picture
    QPushButton *capture_btn = nullptr;    // "Capture" / "Resume"
    // The unadjusted source of the picture on show (file preview or camera frame).
    Picture User_Picture_PREVIEW;
    // direct roads
    QRadioButton *excel_radio = nullptr;          // the spreadsheet-column input
    QComboBox *excel_column_list = nullptr;       // its columns, row number first
    QPushButton *view_excel_btn = nullptr;        // its View: the spreadsheet table window
    // Opens the spreadsheet table window of the design's rows (given by the main window).
    std::function<void()> View_Spreadsheet_Rows;
    QPushButton *Crop_direct_Btn = nullptr;       // "Crop Image" / "Crop Images"
    QWidget *Croping_option_Box = nullptr;        // the crop-mode controls

signals:
    void cropAllFinished();

private:
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    void buildWindow();
    void Create_List(const QStringList &paths);
    void Detect_Face();
    void Finish_Crop_All();
    // The selection a run hid: shown again in drawn mode, and in face mode when a face
    // was found.
    void Show_Selection_After_Run();
    // Starts a run of the job on a snapshot with the progress panel; finish ends it.
    bool Start_Crop_Job(const Crop_All_Snapshot &snap, void (Cropping_Tool::*finish)());
    // inputs
    void buildInputs();
    void buildAdjustments();
    // The crop screen's widgets for an input (input_selection()).
    void Show_Crop_Screen_Of(int input);
    bool Fill_Series_Output(Crop_All_Snapshot &snap);
    // Whether the mode has an area to cut: a drawn selection, or a face found (the
    // selection is hidden when none was; tellNoFace says so in a message box).
    bool Crop_Area_Ready(Crop_Mode m, bool tellNoFace);
    // False (and a line in the log) off the GUI thread: widgets are touched on it only.
    bool On_Gui_Thread(const char *where) const;
    // direct roads
    void buildDirectRoads();
    void Reset_Direct_Roads();
    // The spreadsheet input on Next (true: handled, the answer in *answer).
    bool Load_Excel_Input_Screen(bool *answer);
    bool Open_Direct_Screen(int mode, const QStringList &rows, const QString &emptyMessage);
    void Fill_Direct_List(const QStringList &paths);
    void Crop_Direct_Picture();
    void Start_Direct_Run();
    void Finish_Direct_Run();
    // The message of a direct road's end: `result`, and in group mode for a control bound
    // to a spreadsheet column the reminder to save the row.
    QString Direct_Result_Message(const QString &result) const;

    std::shared_ptr<const FaceDetector> m_detector;
    std::unique_ptr<Crop_All_Job> m_job;
    QThreadPool *m_pool = nullptr;
    std::shared_ptr<Output_Run_State> m_state;
    Send_Modeless *m_progress = nullptr;
    bool m_loading = false;
    // inputs
    std::unique_ptr<FrameSource> m_cameraSource;
    std::unique_ptr<CameraSession> m_camera;
    bool m_seriesMade = false;
    // direct roads
    Row_Table *m_rows = nullptr;
    QString m_directSeriesName;   // the series a direct series run starts from
    QString m_directSeriesPath;   // the new series file of that run
};

// A row of widgets for the window's screens.
QWidget *Cropping_Row(std::initializer_list<QWidget *> widgets);

// The cropping window of a main window: its one instance, made at the first call with
// the OpenCV face detector (face mode off without the cascade).
// rows: the design's spreadsheet rows, given to the window when it is made.
// pool: the application's pool Crop All runs on, given to the window when it is made.
Cropping_Tool &Cropping_Tool_Of(QWidget &window, Row_Table *rows = nullptr, Modal_Runner *runner = nullptr,
                                QThreadPool *pool = nullptr);
// The Crop command: opens that window on its main screen.
int Cropping_Tool_Clicked(QWidget &window, Row_Table *rows = nullptr, Modal_Runner *runner = nullptr);
