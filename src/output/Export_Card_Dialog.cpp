#include "Export_Card_Dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

const QStringList &Export_Card_Dialog::fileTypes()
{
    static const QStringList types{QStringLiteral("PNG"), QStringLiteral("JPEG"), QStringLiteral("BMP"),
                                   QStringLiteral("TIFF"), QStringLiteral("PDF")};
    return types;
}

Export_Card_Dialog::Export_Card_Dialog(bool twoSided, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Export Card"));
    setStyleSheet(QStringLiteral("QDialog { background-color: rgb(241, 244, 250); }"));
    sideGroup = new QButtonGroup(this);
    auto *sides = new QHBoxLayout;
    const char *names[] = {"Both", "Front", "Back"};
    for (int i = 0; i < 3; ++i) {
        auto *rb = new QRadioButton(tr(names[i]));
        sideGroup->addButton(rb, i);
        sides->addWidget(rb);
        rb->setEnabled(twoSided || i == 1);
    }
    sideGroup->button(twoSided ? 0 : 1)->setChecked(true);
    combinedChk = new QCheckBox(tr("Both sides combined into one picture"));
    sideBySideChk = new QCheckBox(tr("Side by side (else one above the other)"));
    fileTypePopup = new QComboBox;
    fileTypePopup->addItems(fileTypes());

    auto *form = new QFormLayout;
    form->addRow(tr("Card side:"), sides);
    form->addRow(QString(), combinedChk);
    form->addRow(QString(), sideBySideChk);
    form->addRow(tr("File type:"), fileTypePopup);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(sideGroup, &QButtonGroup::idClicked, this, [this](int) { sideChanged(); });
    connect(combinedChk, &QCheckBox::toggled, this, [this](bool) { sideChanged(); });
    sideChanged();
}

void Export_Card_Dialog::sideChanged()
{
    const bool both = sideGroup->checkedId() == 0;
    combinedChk->setEnabled(both);
    sideBySideChk->setEnabled(both && combinedChk->isChecked());
}

Export_Card_Options Export_Card_Dialog::options() const
{
    Export_Card_Options o;
    switch (sideGroup->checkedId()) {
    case 0:
        o.layout = !combinedChk->isChecked() ? Export_Layout::Both
                   : sideBySideChk->isChecked() ? Export_Layout::Combined_Side_By_Side
                                                : Export_Layout::Combined_Above;
        break;
    case 2: o.layout = Export_Layout::Back; break;
    default: o.layout = Export_Layout::Front; break;
    }
    o.extension = fileTypePopup->currentText() == QLatin1String("JPEG") ? QStringLiteral("jpg")
                                                                       : fileTypePopup->currentText().toLower();
    return o;
}
