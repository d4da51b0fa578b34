#pragma once
// The card wizard: a new card's size and sides, a background picture from the image
// library and the profile to write on it.
#include "Wizard_Card_Page.h"

#include <QDialog>

class QLabel;
class QPushButton;

class Card_Wizard : public QDialog {
    Q_OBJECT
public:
    explicit Card_Wizard(Wizard_Collaborators with, QWidget *parent = nullptr);

    // Runs the wizard from its first state; 1 for OK, 0 for Cancel.
    int Open_Wnd();
    void reset();

    // The image library in mode "B"; its choice becomes the picture path.
    void Card_Image_Library_Btn();
    // The two-side profile dialog for the selected sides; 1 once it ends with OK.
    int Profile_Btn();

    Wizard_Card_Choice card() const { return page->choice(); }
    QString picturePath() const { return m_picture; }
    bool profileConfirmed() const { return m_profileOk; }

    Wizard_Card_Page *page = nullptr;
    QPushButton *libraryButton = nullptr, *profileButton = nullptr;
    QLabel *pictureName = nullptr;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Wizard_Collaborators m_with;
    QString m_picture;
    bool m_profileOk = false;
};
