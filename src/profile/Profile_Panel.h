#pragma once
// The visitor entry panel of one card side: for each of the twelve fixed fields a
// caption box and a value box with their show check boxes, manual date and time, the
// visitor photo and the add-to-database button. Every tick and every typed text goes
// at once to the card control with the box's ID through the panel's host; the panel
// keeps no state of its own beyond its boxes.
#include "Picture.h"
#include "Visitor_Fields.h"

#include <QHash>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class ProfilePanelHost;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SKTGraphic;

// One user-added row part: its control ID, its text box or photo well, its check box.
struct Row_Entry {
    QString id;
    QWidget *control = nullptr;  // QLineEdit, or the photo well (QLabel) of a photo row
    QCheckBox *chk = nullptr;
};

// The width a line edit needs to show `text` whole in its font and style.
int Whole_Text_Width(const QLineEdit &box, const QString &text);

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
    // The date (or time) box as its show box and Manual box say: typed only with Manual
    // ticked, readable while shown or typed by hand.
    void Date_Time_Box_Follows(bool date);
    // A box's text was edited by the user.
    void controlTextDidChange(QLineEdit *box);
    // When the clerk last typed into a box of this panel: a count that grows with every
    // edit, 0 for a box never typed into. Of the boxes of one spreadsheet column, the
    // one typed into last holds the column's value.
    static quint64 Edit_Order(const QLineEdit *box);

    // Photos.
    int Find_And_Select_Design_Image_Control();
    // The photo buttons: after the checks of the side's image controls, the picture
    // chosen in a file panel or taken with the camera goes into the chosen control
    // ("Fup_Photo" made when the side has none). A chosen file that cannot be read as a
    // picture (Picture_File_Opens) is refused with a message and changes nothing.
    void Browse_image_Btn_Clicked();
    void Open_Camera_Clicked();
    // Puts the photo into the control of the ID (empty: the selected control, or a new
    // "Fup_Photo") and into the panel; the control it filled, or nullptr when the photo
    // went into the panel only.
    SKTGraphic *Set_User_Image(const QString &path, const QString &ctrl_id);
    void Set_User_Image_Control(const QString &path, const Picture &image, const QString &ctrl_id);

    // The fixed fields back to empty; the whole panel back to empty.
    void Refresh_Controls();
    void Reset_all_Ctrl();
    // What the clerk put into the panel, and, after the panel was emptied, the same back:
    // the boxes of `typing` hold the words, no other text box holds them, and the Manual
    // ticks are as `typing` has them.
    Panel_Typing Typing() const;
    void Give_Back_Typing(const Panel_Typing &typing);

    // ---- User-added rows (Profile_Panel_Rows.cpp) ----
    // Frames are kept y-up inside their box (rows) or inside the row area below the
    // fixed fields (boxes and buttons), and turned into widget geometry in one place.
    int counter = 1;         // number of the next row
    double ctrl_y = 5.0;     // y of the next row inside the custom boxes
    int txt_or_image_ctrl = 0;  // kind of the next row: 0 text, 1 photo
    std::vector<Row_Entry> view_array_label;  // caption side: caption box or photo well
    std::vector<Row_Entry> view_array_value;  // value side: value box
    QWidget *custom_area = nullptr;
    QFrame *custom_label_box = nullptr, *custom_field_box = nullptr;
    QRectF def_lbl_bx_rect, def_fld_bx_rect;  // the fixed fields' boxes, above the area
    QPushButton *Add_label_btn = nullptr;
    QGroupBox *new_ctrl_type_box = nullptr;
    QRadioButton *text_kind_btn = nullptr, *photo_kind_btn = nullptr;

    void Add_New_Label_Clicked();
    // An empty ID adds a new row and sends it to the card; an ID rebuilds a row the
    // card already has and sends nothing.
    void Add_label_control(const QString &ctrl_id, const QString &text, bool visible);
    void Add_Image_control(const QString &ctrl_id, const QString &path, bool visible);
    void Add_Value_control(const QString &ctrl_id, const QString &text, bool visible);
    // Ends a row pair: next position, boxes shown, buttons moved, panel resized.
    void Increment_in_position();
    void Change_btn_location();
    void Visitor_Dyn_Ctrl_Checked_Changed(QCheckBox *sender);
    // The row's text box ("T") or check box (any other kind), or nullptr.
    QWidget *Get_Dynamic_Label_Ctrl(const QString &ctrl_id, const QString &kind) const;
    QLineEdit *Get_Dynamic_Text_Box(const QString &ctrl_id) const;
    QCheckBox *Get_Dynamic_Chk_Box(const QString &ctrl_id) const;
    QLabel *Get_Dynamic_Photo_Ctrl(const QString &ctrl_id) const;
    bool Has_Rows() const { return !view_array_label.empty() || !view_array_value.empty(); }
    // The y-up frame a row control, a custom box or a button was given.
    QRectF Frame_Of(const QWidget *w) const;
    // The picture a photo well shows (null when none).
    Picture Well_Picture(const QLabel *well) const;
    void Set_Well_Picture(QLabel *well, const Picture &picture);
    // The one setter of row wells: the picture, or the error picture when there is none.
    void Set_Dynamic_Pic_Ctrl_Image(QLabel *well, const Picture &picture);
    // The rows' other details for the visit record: "caption : value" per text row
    // whose boxes are ticked, one line each; photo rows add nothing.
    QString Other_Details_Text() const;
    // After undo and redo: every row unticked, caption-side wells on the placeholder,
    // row boxes disabled.
    void Refresh_Rows_For_Undo();
    // The picture a row's photo well shows for a path: the placeholder for a stand-in
    // picture (Is_Stand_In_Picture), the file's picture, or the error picture when there
    // is none.
    Picture Picture_For_Row_Path(const QString &path) const;

private:
    // Manual switched off over an empty shown box: the current date (or time) onto the
    // side's control, which the box follows.
    void Stamp_Shown_Date_Time(bool date);
    void Place_Photo(const std::function<QString()> &choose);
    void buildLayout();
    void buildRowArea();
    void showPicture(const Picture &picture);
    void Remove_All_Rows();
    void Reread_Default_Boxes();
    // The next free row number: from `counter` on, one whose caption, value and photo
    // IDs are neither on the card sides nor among the rows.
    int Free_Row_Number() const;
    bool Row_ID_In_Use(const QString &id) const;
    // Keeps a made row on the caption or the value side and grows that side's box; a
    // new row (newText given) puts its control on the card showing the text, the
    // editor (when given) editing it.
    void Keep_Row(bool caption, const Row_Entry &row, const std::optional<QString> &newText, QLineEdit *editor);
    QCheckBox *makeRowChk(QWidget *box, double y, bool visible);
    QLineEdit *makeRowBox(QWidget *box, const QRectF &frame, const QString &text);
    void Set_Frame(QWidget *w, const QRectF &frameYUp);
    void Grow_Box(QFrame *box, const QRectF &defaultRect);
    void Place_Children(QWidget *box);
    void Resize_Row_Area();
    void Row_Text_Edited(QLineEdit *box);
    void Stamp_Edit(QLineEdit *box);

    int m_side = 0;
    ProfilePanelHost *m_host = nullptr;
    quint64 m_edits = 0;  // the edits typed into this panel's boxes so far
    Picture m_picture;
    QHash<const QWidget *, QRectF> m_frames;
    QHash<const QLabel *, Picture> m_wellPictures;
};

using Front_Profile_Panel = Profile_Panel;
using Back_Profile_Panel = Profile_Panel;
extern Profile_Panel *Front_Profile_Panel_OBJ;
extern Profile_Panel *Back_Profile_Panel_OBJ;
// The panel of a side (0 front, 1 back), or nullptr.
Profile_Panel *Profile_Panel_Of_Side(int side);
