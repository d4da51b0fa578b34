#include "SeriesServices.h"

#include "LayoutParts.h"
#include "Shared_Dialogs.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

std::shared_ptr<void> Series_Please_Wait(QWidget *over) { return std::make_shared<PleaseWait_Scope>(over); }

std::shared_ptr<void> SeriesServices::wait(QWidget *over) const
{
    return pleaseWait ? pleaseWait(over) : Series_Please_Wait(over);
}

void SeriesServices::exported(QWidget *over, const QString &path, const QString &message) const
{
    if (openExported) openExported(over, path, message);
    else Open_Export_Log::Open_Export_File_Box(Export_Open_Offer{path, {}, message, {}}, over);
}

SeriesImport::AlertAnswer Show_Apply_All_Alert(QWidget *parent, const QString &message, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Warning, QString(), message, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> added;
    for (const QString &b : buttons) added << box.addButton(b, QMessageBox::AcceptRole);
    auto *check = new QCheckBox(QObject::tr("Apply to All"));
    box.setCheckBox(check);
    box.exec();
    return {int(added.indexOf(box.clickedButton())), check->isChecked()};
}

SeriesDialog::SeriesDialog(QWidget *parent)
    : QDialog(parent)
{
    setModal(true);
    Paint_Window_Background(*this);
}

int SeriesDialog::runModal()
{
    if (whileOpen) QTimer::singleShot(0, this, [this] { whileOpen(*this); });
    return Run_Then_Hide(*this);
}
