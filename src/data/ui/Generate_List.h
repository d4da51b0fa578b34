#pragma once
// The value generator window: sequential, constant or random values, written as a new
// series (file_name_required 1) or handed to the value list that opened it.
#include "SeriesServices.h"
#include "WidgetDecls.h"

class Generate_List : public SeriesDialog {
    Q_OBJECT
public:
    explicit Generate_List(SeriesServices services, QWidget *parent = nullptr);

    // Resets the fields and runs the window; the modal code (1 after OK).
    int Open_Wnd();
    void OKPressed();
    void CancelPressed() { done(0); }
    void Choose_Rule(int rule);  // 0 sequential, 1 constant, 2 random

    int file_name_required = 0;
    int file_name_Insert = 0;
    // Where the values go when no file is written, and the list refill after OK.
    std::function<void(const QString &)> Create_Value_List;
    std::function<void()> Fill_List;
    // 32 random bits per call (the system's generator unless replaced).
    std::function<quint32()> random;

    QRadioButton *radioButton_Sequntial = nullptr, *radioButton_Constant = nullptr, *radioButton_Random = nullptr;
    QLineEdit *seq_file_name = nullptr, *const_file_name = nullptr, *rndm_file_name = nullptr;
    QLineEdit *prefix_txt = nullptr, *suffix_txt = nullptr, *from_txt = nullptr, *to_txt = nullptr;
    QCheckBox *manage_digit_chk = nullptr;
    QPushButton *help_btn = nullptr;
    QLineEdit *value_txt = nullptr, *count_txt = nullptr;
    QLineEdit *rand_prefix_txt = nullptr, *rand_suffix_txt = nullptr, *rand_length_txt = nullptr,
              *rand_count_txt = nullptr;
    QSpinBox *count_stepper = nullptr, *rand_length_stepper = nullptr, *rand_count_stepper = nullptr;
    QPushButton *ok = nullptr, *cancel = nullptr;

    static const QString kHelpTitle, kHelpText;

private:
    void typed(QLineEdit *field);
    void Help_btn_Pressed();

    SeriesServices m_services;
    int m_rule = 0;
};
