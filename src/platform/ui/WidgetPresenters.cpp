#include "WidgetPresenters.h"

#include "Dialogs.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

namespace {
int showBox(MessageBoxKind kind, const QString &text)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // No widgets to show a box with: the log is the only place left.
        Show_NSLog_Message(text);
        return kind == MessageBoxKind::YesNoCancel ? kAlertCancel : 0;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(App_Name);
    box.setText(text);
    box.setIcon(kind == MessageBoxKind::YesNoCancel ? QMessageBox::Warning : QMessageBox::NoIcon);
    switch (kind) {
    case MessageBoxKind::Ok:
        box.addButton(QObject::tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        return 0;
    case MessageBoxKind::YesNo: {
        QPushButton *yes = box.addButton(QObject::tr("Yes"), QMessageBox::YesRole);
        box.addButton(QObject::tr("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? 1 : 0;
    }
    case MessageBoxKind::YesNoCancel: {
        QPushButton *yes = box.addButton(QObject::tr("Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QObject::tr("No"), QMessageBox::NoRole);
        QPushButton *cancel = box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == yes) return kAlertYes;
        if (box.clickedButton() == no) return kAlertNo;
        return kAlertCancel;
    }
    case MessageBoxKind::KeepReplace:
    case MessageBoxKind::Message:
    case MessageBoxKind::OpenExported:
        // Windows of their own show these; a plain box only tells.
        box.addButton(QObject::tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        return kind == MessageBoxKind::KeepReplace ? 4 : 0;  // a keep/replace question writes nothing
    }
    return 0;
}

QString filterFor(const QStringList &extensions)
{
    if (extensions.isEmpty()) return {};
    QStringList patterns;
    for (const QString &e : extensions) patterns << QStringLiteral("*.") + e << QStringLiteral("*.") + e.toUpper();
    return QObject::tr("Files (%1)").arg(patterns.join(u' '));
}

QString formatFilter(const QString &extension) { return QStringLiteral("%1 (*.%1)").arg(extension); }

// A save panel with the format choice: the name typed and the extension of the format
// chosen. The platform layer completes the name and asks about the file it writes.
QStringList saveWithFormatChoice(QWidget *parent, const FilePanelRequest &r)
{
    QFileDialog panel(parent, r.title, r.directory);
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setOption(QFileDialog::DontConfirmOverwrite);
    const QString start = r.extensions.contains(r.chosenExtension) ? r.chosenExtension : r.extensions.front();
    Setup_Save_Format_Choice(panel, r.extensions, start);
    panel.selectFile(Name_With_Extension(r.suggestedName, start));
    if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty()) return {};
    const QString chosen = r.extensions.value(panel.nameFilters().indexOf(panel.selectedNameFilter()),
                                              r.extensions.front());
    return {panel.selectedFiles().front(), chosen};
}

QStringList showPanel(const FilePanelRequest &r)
{
    QStringList result;
    QWidget *parent = QApplication::activeWindow();
    const QString filter = filterFor(r.extensions);
    switch (r.kind) {
    case FilePanelRequest::OpenFile: {
        const QString f = QFileDialog::getOpenFileName(parent, r.title, r.directory, filter);
        if (!f.isEmpty()) result << f;
        break;
    }
    case FilePanelRequest::OpenFiles:
        result = QFileDialog::getOpenFileNames(parent, r.title, r.directory, filter);
        break;
    case FilePanelRequest::OpenFolder: {
        const QString f = QFileDialog::getExistingDirectory(parent, r.title, r.directory);
        if (!f.isEmpty()) result << f;
        break;
    }
    case FilePanelRequest::SaveFile: {
        // The name as typed: the platform layer completes it and asks about the file it
        // writes (this panel's own question would be about another name).
        if (r.formatChoice && !r.extensions.isEmpty()) {
            result = saveWithFormatChoice(parent, r);
            break;
        }
        const QString start = r.suggestedName.isEmpty() ? r.directory : r.directory + u'/' + r.suggestedName;
        const QString f =
            QFileDialog::getSaveFileName(parent, r.title, start, filter, nullptr, QFileDialog::DontConfirmOverwrite);
        if (!f.isEmpty()) result << f;
        break;
    }
    }
    return result;
}

bool openWithDesktop(const QString &pathOrUrl)
{
    return QDesktopServices::openUrl(Url_For_Opening(pathOrUrl));
}
} // namespace

void Setup_Save_Format_Choice(QFileDialog &panel, const QStringList &extensions, const QString &selected)
{
    QStringList filters;
    for (const QString &e : extensions) filters << formatFilter(e);
    panel.setNameFilters(filters);
    panel.selectNameFilter(filters.value(std::max<qsizetype>(extensions.indexOf(selected), 0)));
    QObject::connect(&panel, &QFileDialog::filterSelected, &panel, [&panel, extensions, filters](const QString &filter) {
        const QString extension = extensions.value(filters.indexOf(filter));
        if (extension.isEmpty()) return;
        const QStringList typed = panel.selectedFiles();
        if (!typed.isEmpty()) panel.selectFile(Name_With_Extension(QFileInfo(typed.front()).fileName(), extension));
    });
}

void Install_Widget_Presenters()
{
    Set_MessageBox_Presenter(showBox);
    Set_File_Panel_Presenter(showPanel);
    Set_Open_Url_Presenter(openWithDesktop);
}
