#pragma once
// The list import wizard: values from a spreadsheet, a text, rich-text or CSV file, a
// pasted list or a folder of images, written as a new series (file_name_required 1)
// or handed to the value list that opened it.
#include "SeriesServices.h"
#include "WidgetDecls.h"

class Import_Excel;
class Import_Excel_DataSheet;

class Import_Wizard : public SeriesDialog {
    Q_OBJECT
public:
    explicit Import_Wizard(SeriesServices services, QWidget *parent = nullptr);

    void Open_Wnd();
    void Choose_Source(int option);  // 0 spreadsheet, 1 text file, 2 pasted list, 3 image folder
    void Browse_Excel_Pressed();
    void Browse_Text_Pressed();
    void Browse_Image_Pressed();
    void OKPressed();

    // The imports; true when done (the wizard then closes).
    bool Create_And_Save_Text_Data_Sheet(const QString &path);
    bool Create_And_Save_Manual_Paste_data_Sheet();
    bool Create_And_Save_Image_data_Sheet(const QString &folder);

    int file_name_required = 0;
    int file_name_Insert = 0;
    int import_option = 0;
    std::function<void(const QString &)> Create_Value_List;
    std::function<void()> Fill_List;

    QRadioButton *Excel_RD = nullptr, *Text_RD = nullptr, *Mnul_RD = nullptr, *Image_RD = nullptr;
    QLineEdit *Excel_path = nullptr, *Text_path = nullptr, *Image_path = nullptr;
    QLineEdit *Text_file_name = nullptr, *Manual_file_name = nullptr, *Image_file_name = nullptr;
    QPushButton *Excel_btn = nullptr, *Text_btn = nullptr, *Image_btn = nullptr;
    QPlainTextEdit *ManualEdit = nullptr;
    QPushButton *ok = nullptr, *cancel = nullptr, *help = nullptr;

    // The spreadsheet windows it opens (made on first use).
    Import_Excel &excelWindow();
    Import_Excel_DataSheet &columnsWindow();

private:
    // The name of a new series from the field: cleaned, or nullopt after the message.
    std::optional<QString> seriesName(QLineEdit *field);
    // Hands the values on: written as the series `name`, or to the value list.
    bool deliver(const std::optional<QString> &name, const QStringList &values);

    SeriesServices m_services;
    Import_Excel *m_excel = nullptr;
    Import_Excel_DataSheet *m_columns = nullptr;
};
