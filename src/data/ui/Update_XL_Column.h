#pragma once
// The group-mode column dialog: for the card side being edited, which spreadsheet
// column feeds each of the ten fixed profile fields, the front and the back photo and
// every user-added field of the side, and which fields are shown. OK stores the twelve
// column choices in the document and keeps the show boxes and the user-added rows'
// choices for the caller, who applies them to the card; Cancel changes nothing.
#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class Modal_Runner;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class SKTDocument;

// One user-added field of the side: its control ID, whether it is shown and its column
// (-1 none).
struct Column_Dialog_Row {
    QString id;
    bool shown = true;
    int column = -1;
    bool operator==(const Column_Dialog_Row &) const = default;
};

// What the dialog is opened on.
struct Column_Dialog_Side {
    int side = 0;          // 0 front, 1 back
    QStringList captions;  // the captions of the ten fixed fields
    QString projectName, projectPath, excelFile;
    std::vector<Column_Dialog_Row> userRows;  // rows whose ID holds "_field" or "_Photo" are listed
};

class Update_XL_Column : public QDialog {
    Q_OBJECT
public:
    explicit Update_XL_Column(SKTDocument &doc, QWidget *parent = nullptr, Modal_Runner *runner = nullptr);

    // Fills the dialog for the side and runs it modally: 1 after OK, 0 after Cancel.
    int Open_Wnd(const Column_Dialog_Side &side);
    // The filling alone (Open_Wnd's first half).
    void Fill(const Column_Dialog_Side &side);
    void OKPressed();
    void CancelPressed() { done(0); }

    // After OK: the show box of each of the ten fixed fields, and the user-added rows
    // with their choices.
    std::array<bool, 10> shownFields() const;
    std::vector<Column_Dialog_Row> userRows() const;

    // The twelve fixed rows in table order (name .. unique number, front photo, back
    // photo); the photos have no check box.
    std::array<QLabel *, 12> labels{};
    std::array<QComboBox *, 12> combos{};
    std::array<QCheckBox *, 10> checks{};
    QLabel *Pass_proj_name = nullptr, *Pass_proj_path = nullptr, *Pass_excel_file = nullptr;
    QGroupBox *Column_Box = nullptr, *New_Ctrl_Box = nullptr;
    // The user-added rows: caption, check box and combo of each.
    struct User_Row_Widgets {
        QLineEdit *caption = nullptr;
        QCheckBox *check = nullptr;
        QComboBox *combo = nullptr;
    };
    std::vector<User_Row_Widgets> view_array_value;

private:
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    void Reset_All_Combo_Box(const QStringList &captions);
    void Set_Checkbox_State(int side);
    void Create_Dynamic_Control(const Column_Dialog_Side &side);
    void Reset_Dynamic_Control();
    void comboBoxSelectionDidChange(QComboBox *combo);
    void disableRow(int row);

    SKTDocument &m_doc;
    bool loading = false;
    QStringList table_col_name_arr;
};
