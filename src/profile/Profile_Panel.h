#pragma once
// The visitor entry panel of one card side: for each of the twelve fixed fields a
// caption box and a value box with their show check boxes, manual date and time, the
// visitor photo and the add-to-database button. Every tick and every typed text goes
// at once to the card control with the box's ID through the panel's host; the panel
// keeps no state of its own beyond its boxes.
#include "Picture.h"
#include "Visitor_Fields.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class ProfilePanelHost;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Profile_Panel : public QWidget {
    Q_OBJECT
public:
    // side 0 front, 1 back; sets Front_Profile_Panel_OBJ or Back_Profile_Panel_OBJ.
    Profile_Panel(int side, ProfilePanelHost *host, QWidget *parent = nullptr);
    ~Profile_Panel() override;
    int side() const { return m_side; }

    struct Field_Boxes {
        QLineEdit *label = nullptr, *value = nullptr;
        QCheckBox *label_chk = nullptr, *value_chk = nullptr;
    };
    std::array<Field_Boxes, kVisitorFieldCount> fields{};
    QCheckBox *date_manual_chk = nullptr;
    QCheckBox *time_manual_chk = nullptr;
    QLabel *user_picture = nullptr;
    QLineEdit *image_path_val = nullptr;
    QPushButton *Browse_image_btn = nullptr;
    QPushButton *Open_Camera_btn = nullptr;
    QPushButton *Add_to_DB_btn = nullptr;    // records the visitor of both panels

    // The text box and check box of a fixed field's value or caption ID; nullptr else.
    QLineEdit *Text_Box_For_ID(const QString &id) const;
    QCheckBox *Chk_Box_For_ID(const QString &id) const;
    Picture userPicture() const { return m_picture; }

    // A field's check box was clicked (caption or value).
    void Field_Chk_Clicked(int field, bool caption);
    void Date_Manual_Chk_Clicked() { Chk_Unchk_Manual_Date_Time(QStringLiteral("D")); }
    void Time_Manual_Chk_Clicked() { Chk_Unchk_Manual_Date_Time(QStringLiteral("T")); }
    // "D" the date, anything else the time.
    void Chk_Unchk_Manual_Date_Time(const QString &which);
    void Set_Date_Value();
    void Set_Time_Value();
    // A box's text was edited by the user.
    void controlTextDidChange(QLineEdit *box);

    // Photos.
    int Find_And_Select_Design_Image_Control();
    // The photo buttons: after the checks of the side's image controls, the picture
    // chosen in a file panel or taken with the camera goes into the chosen control
    // ("Fup_Photo" made when the side has none).
    void Browse_image_Btn_Clicked();
    void Open_Camera_Clicked();
    void Set_User_Image(const QString &path, const QString &ctrl_id);
    void Set_User_Image_Control(const QString &path, const Picture &image, const QString &ctrl_id);

    // The fixed fields back to empty; the whole panel back to empty.
    void Refresh_Controls();
    void Reset_all_Ctrl();

private:
    void Place_Photo(const std::function<QString()> &choose);
    void buildLayout();
    void showPicture(const Picture &picture);

    int m_side = 0;
    ProfilePanelHost *m_host = nullptr;
    Picture m_picture;
};

using Front_Profile_Panel = Profile_Panel;
using Back_Profile_Panel = Profile_Panel;
extern Profile_Panel *Front_Profile_Panel_OBJ;
extern Profile_Panel *Back_Profile_Panel_OBJ;
// The panel of a side (0 front, 1 back), or nullptr.
Profile_Panel *Profile_Panel_Of_Side(int side);
