#pragma once
// The data-source section of the property panel for the selected text or image
// control: the source ("Manual", "Series" and, while a spreadsheet is loaded,
// "Excel"), the series or column, a button that shows the series or the spreadsheet
// and a help button. Choosing a source or a value rebinds the selected controls and
// puts the source's first value on the card at once (a column's value of the person
// picked, in group mode), as one undo step.
#include <QString>
#include <QWidget>
#include <vector>

class QComboBox;
class QPushButton;
class SKTDocument;
class SKTGraphic;

// What the section asks of the main window.
class DataSourceHost {
public:
    virtual ~DataSourceHost() = default;
    virtual SKTDocument &Source_Document() = 0;
    // The folder of the series files.
    virtual QString Series_Folder() const = 0;
    // The control the panels show and the selected controls of the side shown.
    virtual SKTGraphic *Source_Selected_Graphic() const = 0;
    virtual std::vector<SKTGraphic *> Source_Selected_Graphics() const = 0;
    // Before a change (the undo base of the side shown) and after it (one snapshot).
    virtual void Source_Change_Begins() = 0;
    virtual void Source_Change_Done() = 0;
    // The panels show the control's text or picture path again.
    virtual void Show_Control_Value(SKTGraphic &g) = 0;
    // A control was bound anew (a series, a column, or typed by hand).
    virtual void Source_Bound(SKTGraphic &) {}
    // The series viewer for a series, the spreadsheet source window, the long message.
    virtual void View_Series(const QString &name) = 0;
    virtual void Open_Spreadsheet_Window() = 0;
    virtual void Show_Long_Message(const QString &title, const QString &text) = 0;
};

class DataSourceSection : public QWidget {
    Q_OBJECT
public:
    explicit DataSourceSection(DataSourceHost &host, QWidget *parent = nullptr);

    // Shows the control's source (panels being filled: no rebinding meanwhile).
    void showControl(SKTGraphic *g);
    // The same for a text or image control; any other control, or none, shows "Manual".
    void Show_Data_Source_Of(SKTGraphic *g);

    // ---- Combo services, also for other source combos ----
    void Fill_Data_Set_File_Name_In_Combo(QComboBox *combo) const;
    void Fill_Excel_Col_Name_In_Combo(QComboBox *combo) const;
    void Update_Dataset_If_Datasource_Is_Series(QComboBox *source, QComboBox *value) const;
    void Update_Excel_Column_If_Datasource_Is_Excel(QComboBox *source) const;
    // Adds "Excel" to a combo of exactly two items; removes it from one of exactly three.
    static void Add_Excel_Col_Name_In_Combo(QComboBox *combo);
    static void Remove_Excel_Col_Name_In_Combo(QComboBox *combo);

    // ---- Commands ----
    void View_batch_Series_Button();
    void Data_Source_Help_Button();
    // Rebinds the selected controls to source type t (0 manual, 1 series, 2 column)
    // with the series name or column k (-1: the source alone changed).
    void Change_Data_Source_To_selected_Control(int t, const QString &name, int k);

    static const QString kHelpTitle;  // "Batch Processing Settings Help :"
    static const QString kHelpText;

    QComboBox *Data_source_type = nullptr;
    QComboBox *Batch_Series = nullptr;
    QPushButton *view_series_btn = nullptr;
    QPushButton *help_btn = nullptr;

private:
    void sourceChosen(int index);
    void valueChosen(int index);
    void setUpForSource(int index);
    void rebind(SKTGraphic &g, int t, const QString &name, int k, QString *value) const;
    bool spreadsheetLoaded() const;

    DataSourceHost &m_host;
};
