#include "SeriesServices.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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
    // The dialogs' own background.
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(p);
    setAutoFillBackground(true);
}

int SeriesDialog::runModal()
{
    if (whileOpen) QTimer::singleShot(0, this, [this] { whileOpen(*this); });
    const int code = exec();
    hide();
    return code;
}
