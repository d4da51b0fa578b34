#pragma once
// The spreadsheet import windows: the worksheets of one xlsx workbook, its first
// row's cells as the columns to choose, and a header-row box. Import_Excel fills the
// design's row table (mode "E") or hands the chosen cells to a value list (mode "D");
// Import_Excel_DataSheet writes the chosen columns as series.
#include "SeriesServices.h"
#include "SpreadsheetWriter.h"
#include "WidgetDecls.h"

class SKTDocument;

class Sheet_Import_Window : public SeriesDialog {
    Q_OBJECT
public:
    explicit Sheet_Import_Window(QWidget *parent = nullptr);

    // The column entries as listed (ticks and edited names included).
    QList<SeriesImport::ColumnEntry> entries() const;
    void Select_ALL_Pressed() { setAll(true); }
    void Clear_All_Pressed() { setAll(false); }
    // Picks worksheet `index` (0 for "sheet1") and lists its columns.
    void Choose_Sheet(int index);

    QLabel *file_path = nullptr;
    QCheckBox *contains_header = nullptr;
    QComboBox *Sheet_ComboBox = nullptr;
    QTableWidget *ColList = nullptr;
    QPushButton *select_all = nullptr, *clear_all = nullptr, *ok = nullptr, *cancel = nullptr;

protected:
    // Opens the workbook and lists its sheets and the first sheet's columns.
    void Load_file_Func(const QString &path);
    // Every row of the chosen sheet (empty when the workbook cannot be read).
    SheetRows Read_Rows();
    // The checks of OK: "There is no column.", "No column is selected.".
    bool Check_Columns() const;
    void setEditableHeaders(bool shown);
    QVBoxLayout *body = nullptr;  // subclasses add their settings here
    SpreadsheetWriter m_reader;
    std::function<std::shared_ptr<void>(QWidget *)> m_wait;

private:
    void listColumns(const QStringList &firstRow);
    void setAll(bool state);
    QString m_path;
    QList<int> m_columns;  // worksheet column of each listed row
};

class Import_Excel : public Sheet_Import_Window {
    Q_OBJECT
public:
    // `doc` receives the rows in mode "E"; `values` the cells in mode "D".
    Import_Excel(SKTDocument *doc, std::function<void(const QString &)> values, QWidget *parent = nullptr);
    // 1 after OK, 0 after Cancel.
    int Open_excel_Wnd(const QString &path);
    void OKPressed();

    QString open_mode = QStringLiteral("D");
    std::function<std::shared_ptr<void>(QWidget *)> &pleaseWait() { return m_wait; }

private:
    SKTDocument *m_doc;
    std::function<void(const QString &)> m_values;
};

class Import_Excel_DataSheet : public Sheet_Import_Window {
    Q_OBJECT
public:
    explicit Import_Excel_DataSheet(SeriesServices services, QWidget *parent = nullptr);
    void Open_excel_datasheet_Wnd(const QString &path);
    void OKPressed();
    void Each_Col_RD_Click();
    void Fill_Col_RD_Click();
    void Fill_Type_CellClick(int option);  // 0 new, 1 replace, 2 append

    int file_name_Insert = 0;
    std::function<void()> Fill_List;
    // The alerts with "Apply to All" (a person answers them unless replaced).
    SeriesImport::AlertFunction alert;

    QRadioButton *Each_col_RD = nullptr, *Fill_col_RD = nullptr;
    QGroupBox *fill_box = nullptr;
    QRadioButton *fill_type[3] = {};
    QLineEdit *list_name = nullptr;
    QComboBox *List_ComboBox = nullptr;
    int fill_col_option = 0;

private:
    SeriesServices m_services;
};
