#pragma once
// The export-as-template dialog: asks for the name of a user template.
#include <QDialog>

class QLineEdit;

class Export_Template : public QDialog {
    Q_OBJECT
public:
    explicit Export_Template(QWidget *parent = nullptr);

    // template_passed holds a template's present name when renaming, "" otherwise.
    QLineEdit *template_name = nullptr;
    QString template_passed;

    // Runs the dialog; 1 with the accepted name in export_template_name, 0 for Cancel.
    int Open_Wnd(const QString &title);
    // The OK button's checks; ends the run with 1 when the name is accepted.
    void OKPressed();

    // The user template folder ("Templates/User" in the data folder).
    static QString userTemplateFolder();
};
