#pragma once
// The camera window: the live picture of a chosen camera, Capture to take the picture
// on show, its adjustments (the adjustment chain) and a cut by a drawn rectangle, Save
// As anywhere, and OK to store it under a new name in the camera folder. The caller
// reads the stored path from Camera_Capture_Image after Open_Wnd answered 1.
#include "Adjustment_Controls.h"
#include "CameraCapture.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <memory>

class Modal_Runner;
class PictureView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class SelectionCanvas;

class Camera : public QDialog, public Adjustment_Controls {
    Q_OBJECT
public:
    // source: where frames come from (Make_Camera_Source for the user's window).
    explicit Camera(std::unique_ptr<FrameSource> source, QWidget *parent = nullptr, Modal_Runner *runner = nullptr);
    ~Camera() override;

    // Opens neutral (nothing running, the no-camera picture, boxes disabled) and runs
    // modally; 1 after OK stored the picture, 0 after Cancel.
    int Open_Wnd();

    // The stored picture's path: the folder's first name until OK writes another.
    QString Camera_Capture_Image;
    // The first number tried for a new picture name; raised by each picture stored.
    int Camera_Capture_Count = 1;

    // ---- Actions ----
    void Start_Btn_Clicked();
    void Stop_Btn_Clicked();
    void Get_List_Btn_Clicked();
    void Capture_Btn_Clicked();
    void Browse_Path_Clicked();
    void Reset_Path_Clicked();
    void Image_reset_Button();
    void Enable_Cropping_Clicked();
    void Crop_Image_Clicked();
    void Save_Crop_Image_Clicked();
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void reject() override { Cancel_Btn_Clicked(); }

    void Update_Image_With_Settings();
    // Drawn points per picture point of the adjusted view.
    QSizeF originalImageRatio() const;

    // The working picture (the frozen frame, then each cut) and the frame as taken.
    QImage User_Picture;
    QImage taken_picture;
    // The adjusted picture on show.
    QImage adjusted_picture;
    CameraSession &session() { return *m_session; }

    // ---- Widgets ----
    QComboBox *camera_list = nullptr;  // names; each item's data is the device's ID
    QPushButton *start_btn = nullptr, *stop_btn = nullptr, *get_list_btn = nullptr, *capture_btn = nullptr;
    QLabel *connection_msg_label = nullptr;
    PictureView *capture_image = nullptr;        // live
    PictureView *capture_saved_image = nullptr;  // as taken
    PictureView *Modified_image = nullptr;       // adjusted, under the selection canvas
    SelectionCanvas *canvas = nullptr;
    QGroupBox *cropping_Box = nullptr;
    QCheckBox *enable_cropping_btn = nullptr;
    QPushButton *crop_btn = nullptr, *save_btn = nullptr;
    QLineEdit *def_save_path = nullptr;
    QPushButton *browse_btn = nullptr, *reset_path_btn = nullptr, *ok_btn = nullptr, *cancel_btn = nullptr;

private:
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    void buildWindow();
    void setBoxesEnabled(bool enabled);
    void showButtonState();
    void showNoCamera();
    void Get_And_Fill_Camera_List();

    std::unique_ptr<CameraSession> m_session;
};
