#pragma once
// The profile dialogs: for each of the ten text fields a caption, a value and where the
// value comes from (typed, a series, a spreadsheet column), and the photo with its
// path, Browse, Camera and a use-photo box. The one-side dialog (Show_User_Profile)
// edits the record of its side; the two-side dialog (User_profile) edits both sides'
// records at once. Preview writes the fields onto the scratch side.
#include "User_Profile_Class.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class Modal_Runner;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What a profile dialog asks of the main window.
class Profile_Dialog_Host {
public:
    virtual ~Profile_Dialog_Host() = default;
    // 0 front, 1 back.
    virtual User_Profile_Class &Profile_Record(int side) = 0;
    virtual int Profile_Current_Side() const = 0;
    // Fills the scratch side from the current side's record and shows it.
    virtual void Profile_Preview(const QString &side) = 0;
    // Shows the current side again after a preview.
    virtual void Profile_Preview_End() = 0;
    virtual QStringList Profile_Series_Names() const { return {}; }
    virtual QStringList Profile_Column_Names() const { return {}; }
    // Picking "Excel..." as a source: the host lets the user choose a workbook, opens
    // the spreadsheet import window on it in mode "E", and binds the spreadsheet as
    // the design's data source when its rows hold at least one row. True when it did.
    virtual bool Profile_Import_Spreadsheet() { return false; }
    // The dialog ended without OK: the design's rows and spreadsheet are put back as
    // they were before the dialog's first import.
    virtual void Profile_Cancelled() {}
    // The value a control bound to column `column` (an index of Profile_Column_Names)
    // shows: the current row's cell in group mode, else the first row's.
    virtual QString Profile_Column_Value_Shown(int /*column*/) const { return {}; }
    virtual QStringList Profile_Image_File_Types() const { return {}; }
};

class Profile_Dialog : public QDialog {
    Q_OBJECT
public:
    // runner: runs the dialog (null: exec()).
    Profile_Dialog(bool twoSides, Profile_Dialog_Host *host, QWidget *parent = nullptr, Modal_Runner *runner = nullptr);

    QString load_side;  // "F" front, "B" back; "" both (one-side dialog: both records)
    // Runs the dialog; 1 for OK, 0 for Cancel. With `flag` the fields start from the
    // record(s), without it from empty ones.
    int Open_Wnd(char flag);
    // The camera button runs this and takes the picture it returns ("" for none); the
    // button is greyed while it is not set.
    std::function<QString()> run_camera;

    struct Field_Row {
        QLabel *title = nullptr;
        QLineEdit *caption = nullptr, *value = nullptr;
        QComboBox *source = nullptr;  // "Manual", the series, the spreadsheet columns, "Excel..."
    };
    std::array<Field_Row, kProfileTextStemCount> rows{};
    QLineEdit *image_path = nullptr;
    QComboBox *image_source = nullptr;
    QCheckBox *image_USE = nullptr;
    QPushButton *Browse_btn = nullptr, *Camera_btn = nullptr;
    QPushButton *OK_btn = nullptr, *Cancel_btn = nullptr, *Preview_btn = nullptr;

    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void Preview_Btn_Clicked();
    void Browse_Btn_Clicked();
    void Camera_Btn_Clicked();
    void Set_User_Image(const QString &path);

    // The fields shown from a record, and stored into one.
    void Load_Fields(const User_Profile_Class &record);
    void Store_Fields(User_Profile_Class &record) const;
    // The records the dialog edits: its side's, or both.
    std::vector<User_Profile_Class *> Edited_Records() const;

private:
    Modal_Runner *const m_runner;  // runs the dialog (null: exec())
    void fillSources();
    // "Excel..." picked in `box`: a workbook imported gives its first column; the other
    // boxes keep their columns by name.
    void importSpreadsheet(QComboBox *box);
    // The caption of the row a source box belongs to, for messages ("Company Name").
    QString rowName(const QComboBox *box) const;
    // A column chosen in `box` puts its first row's value in the box's field.
    void showFirstValue(QComboBox *box);
    static void showSource(QComboBox *box, const Profile_Field &field);
    static void storeSource(const QComboBox *box, Profile_Field &field);
    void endPreview();

    bool m_twoSides = false;
    Profile_Dialog_Host *m_host = nullptr;
    int m_result = 0;
    bool m_previewing = false;
};

// The two dialogs, one instance each while their host lives.
class Show_User_Profile : public Profile_Dialog {
    Q_OBJECT
public:
    explicit Show_User_Profile(Profile_Dialog_Host *host, QWidget *parent = nullptr, Modal_Runner *runner = nullptr)
        : Profile_Dialog(false, host, parent, runner)
    {
    }
};
class User_profile : public Profile_Dialog {
    Q_OBJECT
public:
    explicit User_profile(Profile_Dialog_Host *host, QWidget *parent = nullptr, Modal_Runner *runner = nullptr)
        : Profile_Dialog(true, host, parent, runner)
    {
    }
};
