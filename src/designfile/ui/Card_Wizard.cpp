#include "Card_Wizard.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

Card_Wizard::Card_Wizard(Wizard_Collaborators with, QWidget *parent) : QDialog(parent), m_with(std::move(with))
{
    setWindowTitle(tr("Card Wizard"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    page = new Wizard_Card_Page(m_with.pvc_sizes, m_with.paper_sizes);
    layout->addWidget(page);
    auto *row = new QHBoxLayout;
    libraryButton = new QPushButton(tr("Background from Library..."));
    libraryButton->setObjectName(QStringLiteral("Card_Image_Library_Btn"));
    pictureName = new QLabel;
    profileButton = new QPushButton(tr("Profile..."));
    row->addWidget(libraryButton);
    row->addWidget(pictureName, 1);
    row->addWidget(profileButton);
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(libraryButton, &QPushButton::clicked, this, &Card_Wizard::Card_Image_Library_Btn);
    connect(profileButton, &QPushButton::clicked, this, &Card_Wizard::Profile_Btn);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(1); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(0); });
    resize(520, 560);
}

void Card_Wizard::reset()
{
    page->select(QStringLiteral("PVC Card"), QStringLiteral("Horizontal"), 0, 0);
    m_picture.clear();
    pictureName->clear();
    m_profileOk = false;
}

int Card_Wizard::Open_Wnd()
{
    reset();
    return Run_Wizard(*this);
}

void Card_Wizard::Card_Image_Library_Btn()
{
    Pick_Library_Picture(m_with, m_picture, *pictureName);
}

int Card_Wizard::Profile_Btn()
{
    if (!m_with.open_profile) return 0;
    const int result = m_with.open_profile(page->sidesValue());
    if (result == 1) m_profileOk = true;
    return result;
}

void Card_Wizard::paintEvent(QPaintEvent *) { Paint_Wizard_Pattern(*this, m_with.pattern); }
