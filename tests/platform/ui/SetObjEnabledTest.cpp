// Enabling and disabling real widgets, group boxes passing the flag on.
#include "Helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(SetObjEnabled, GroupBoxSwitchesEveryControlInside)
{
    QGroupBox box;
    auto *layout = new QVBoxLayout(&box);
    auto *label = new QLabel("Name");
    auto *field = new QLineEdit;
    auto *button = new QPushButton("Go");
    auto *inner = new QGroupBox;
    auto *check = new QCheckBox(inner);
    auto *container = new QWidget;
    auto *spin = new QSpinBox(container);
    for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(field), static_cast<QWidget *>(button),
                       static_cast<QWidget *>(inner), container})
        layout->addWidget(w);

    button->setEnabled(false);  // switched off on its own before
    SetObjEnabled(&box, false);
    for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(field), static_cast<QWidget *>(check),
                       static_cast<QWidget *>(spin)})
        EXPECT_FALSE(w->isEnabled());
    // Enabling the box enables each control again, nested ones and earlier ones too;
    // the parent being enabled is not enough for a control switched off explicitly.
    SetObjEnabled(&box, true);
    for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(field), static_cast<QWidget *>(button),
                       static_cast<QWidget *>(check), static_cast<QWidget *>(spin)})
        EXPECT_TRUE(w->isEnabled());

    QAction action("Act");
    SetObjEnabled(&action, false);
    EXPECT_FALSE(action.isEnabled());
    SetObjEnabled(nullptr, true);  // nothing to do, no crash
}
