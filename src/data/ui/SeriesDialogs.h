#pragma once
// The small series dialogs: the replace-values prompt, the series value dialog, the
// project folder dialog and the series viewer.
#include "SeriesServices.h"
#include "WidgetDecls.h"

#include <QStringList>

// Whether values coming in replace the listed ones: Yes 1, No 0 (added after them),
// Cancel 2 (the command is dropped).
class Load_Num_Info : public SeriesDialog {
    Q_OBJECT
public:
    explicit Load_Num_Info(QWidget *parent = nullptr);
    int Open_Wnd() { return runModal(); }
    void YESPressed() { done(1); }
    void NOPressed() { done(0); }
    void CancelPressed() { done(2); }

    QPushButton *yes = nullptr, *no = nullptr, *cancel = nullptr;

protected:
    void reject() override { CancelPressed(); }
};

// Edits one value: OK with the text unchanged closes; an empty value (trimmed) is
// refused with "Please enter a valid value."; otherwise the trimmed value is the result.
class Update_Ex_Num : public SeriesDialog {
    Q_OBJECT
public:
    explicit Update_Ex_Num(QWidget *parent = nullptr);
    // Runs the dialog on the value; the new value after OK (nullopt after Cancel or
    // when nothing was changed).
    std::optional<QString> Open_Wnd(const QString &value, int row);
    void OKPressed();
    void CancelPressed();

    QLineEdit *m_ex_num_str = nullptr;
    QString m_s_number;
    int m_ex_num_index = -1;
    QPushButton *ok = nullptr, *cancel = nullptr;

private:
    std::optional<QString> m_result;
};

// Creates a project folder below "Group_Excel_Data" of the data folder, inside one of
// the listed parent folders. add_new_folder is "parent/name" after success, "" after
// Cancel.
class CreateFolder : public SeriesDialog {
    Q_OBJECT
public:
    CreateFolder(QString projectRoot, QWidget *parent = nullptr);
    // Lists the parents (relative paths) and runs the dialog; the modal code.
    int Open_Wnd(const QStringList &parents);
    void OKPressed();
    void CancelPressed();

    QLineEdit *folder_name = nullptr;
    QComboBox *folder_combo = nullptr;
    QPushButton *ok = nullptr, *cancel = nullptr;
    QString add_new_folder;

private:
    QString m_root;
};

// Shows the values of a series: every value not empty after trimming, and
// "Total Rows : %d".
class View_Data_Series : public SeriesDialog {
    Q_OBJECT
public:
    View_Data_Series(QString seriesFolder, QWidget *parent = nullptr);
    void Open_Wnd(const QString &name);
    // Reads the series into the list (done by Open_Wnd before the window runs).
    void Load(const QString &name);

    QLabel *series_name = nullptr;
    QListWidget *List = nullptr;
    QLabel *list_count = nullptr;
    QPushButton *ok = nullptr;

private:
    QString m_folder;
};
