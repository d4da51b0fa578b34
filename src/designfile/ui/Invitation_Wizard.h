#pragma once
// The invitation wizard: the card page, the invitation's texts, a background from the
// image library, a frame picture and a photo with its adjustments, previewed.
#include "Invitation_Values.h"
#include "WidgetDecls.h"
#include "Wizard_Card_Page.h"

#include <QDialog>

class Invitation_Wizard : public QDialog {
    Q_OBJECT
public:
    explicit Invitation_Wizard(Wizard_Collaborators with, QWidget *parent = nullptr);

    // Runs the wizard from its first state; 1 for OK, 0 for Cancel.
    int Open_Wnd();
    void reset();

    void Background_Library_Btn();
    void Frame_Browse_Btn();
    void Photo_Browse_Btn();
    // Takes a photo file: its preview becomes the picture the adjustments work on. A
    // file that does not open as a picture is refused with a message; the photo
    // chosen before stays (likewise for the frame).
    void setPhoto(const QString &path);
    // Gathers the check boxes and sliders and shows the adjusted photo.
    void Update_Image_With_Settings();

    ImageAdjustments adjustments() const;
    Invitation_Values values() const;
    Wizard_Card_Choice card() const { return page->choice(); }

    Wizard_Card_Page *page = nullptr;
    QLineEdit *Title = nullptr, *To = nullptr, *Date = nullptr, *Time = nullptr, *Venue = nullptr, *From = nullptr;
    QPlainTextEdit *Message = nullptr;
    QLabel *Selected_picture = nullptr, *backgroundName = nullptr, *frameName = nullptr;
    QCheckBox *Image_Gray_Scale_chk = nullptr, *Image_Sepia_chk = nullptr, *Image_Invert_chk = nullptr,
              *Image_FIH_chk = nullptr, *Image_FIV_chk = nullptr;
    QSlider *Hue_slidr = nullptr, *Sat_slidr = nullptr, *Brt_slidr = nullptr, *Con_slidr = nullptr,
            *shrp_slidr = nullptr, *ev_slidr = nullptr, *blr_slidr = nullptr, *Trsp_slidr = nullptr,
            *Rotate_slidr = nullptr;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Wizard_Collaborators m_with;
    QString m_background, m_frame, m_photo;
    Picture User_Picture;   // the photo's preview as loaded
    Picture m_shown;        // as adjusted
};
