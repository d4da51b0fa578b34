#pragma once
// The help and support window: the help document, the support and partner mail and
// our web sites.
#include <QDialog>

class QPushButton;

class Help_Support : public QDialog {
    Q_OBJECT
public:
    explicit Help_Support(QWidget *parent = nullptr);

    QPushButton *help_file_btn = nullptr;

    // Opens the help document "Help.pdf" of the resources folder with the default
    // application, or says "Help file does not exist!".
    void HelpFilePressed();
};
