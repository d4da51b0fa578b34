#include "WidgetPresenters.h"

#include "Dialogs.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Paths.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
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

// A file panel that takes every name typed in it as a plain name of its folder. Qt's own
// panel takes a name beginning with ":" for a path of Qt's resources: it hands such a
// name back without its folder (":z"), or in the root folder ("::z" gives "/::z"), and
// an open panel finds no such file.
class Plain_Name_Panel : public QFileDialog
{
public:
    Plain_Name_Panel(QWidget *parent, const QString &title, const QString &folder)
        : QFileDialog(parent, title, folder)
    {
        // After the panel's own check of the name box, which finds no such file.
        if (auto *box = findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            connect(box, &QLineEdit::textChanged, this, [this] { enablePlainNames(); });
    }
    // The files chosen, each in its folder.
    QStringList chosen() const { return m_chosen; }

protected:
    void accept() override
    {
        m_chosen = selectedFiles();
        const QString folder = directory().absolutePath();
        const QStringList typed = typedNames();
        const bool plain = std::any_of(typed.begin(), typed.end(), [](const QString &n) { return n.startsWith(u':'); });
        if (!plain) return QFileDialog::accept();
        // Every name typed, as it was typed, in the folder (a path typed stays that path).
        m_chosen.clear();
        for (const QString &name : typed) m_chosen << (name.startsWith(u'/') ? name : Path_Join(folder, name));
        if (fileMode() != Directory && m_chosen.size() == 1 && QFileInfo(m_chosen.front()).isDir())
            return setDirectory(m_chosen.front());  // a folder's name typed opens it, as any other
        const bool there = std::all_of(m_chosen.begin(), m_chosen.end(), [this](const QString &file) {
            const QFileInfo info(file);
            if (fileMode() == Directory) return info.isDir();
            return fileMode() == AnyFile || info.isFile();
        });
        if (!there) return QFileDialog::accept();  // the panel says what it did not find
        QDialog::accept();
    }

private:
    // The accept button, for names beginning with a colon, as for any other name: a save
    // panel takes any name; an open panel the files (or folders) of its folder typed.
    void enablePlainNames()
    {
        const QStringList typed = typedNames();
        if (std::none_of(typed.begin(), typed.end(), [](const QString &n) { return n.startsWith(u':'); })) return;
        const QString folder = directory().absolutePath();
        const bool there = std::all_of(typed.begin(), typed.end(), [&](const QString &name) {
            const QFileInfo info(name.startsWith(u'/') ? name : Path_Join(folder, name));
            if (acceptMode() == AcceptSave) return true;
            return fileMode() == Directory ? info.isDir() : info.exists();
        });
        auto *buttons = findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QPushButton *accept = buttons ? buttons->button(acceptMode() == AcceptSave ? QDialogButtonBox::Save
                                                                                   : QDialogButtonBox::Open)
                                      : nullptr;
        if (accept && there) accept->setEnabled(true);
    }

    // The names in the name box, split as the panel splits them: the whole text, or each
    // name between double quotes ("a" "b") when it holds any.
    QStringList typedNames() const
    {
        const auto *box = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        const QString text = box ? box->text() : QString();
        if (text.isEmpty()) return {};
        if (!text.contains(u'"')) return {text};
        QStringList names;
        const QStringList parts = text.split(u'"');
        for (int i = 1; i < parts.size(); i += 2) names << parts[i];
        return names;
    }

    QStringList m_chosen;
};

// The panel's answer: the files chosen and, for a save panel with the format choice, the
// extension of the format chosen. The platform layer completes a saved name and asks
// about the file it writes (this panel's own question would be about another name).
QStringList showPanel(const FilePanelRequest &r)
{
    Plain_Name_Panel panel(QApplication::activeWindow(), r.title, r.directory);
    const QString filter = filterFor(r.extensions);
    const bool formatChoice = r.kind == FilePanelRequest::SaveFile && r.formatChoice && !r.extensions.isEmpty();
    switch (r.kind) {
    case FilePanelRequest::OpenFile: panel.setFileMode(QFileDialog::ExistingFile); break;
    case FilePanelRequest::OpenFiles: panel.setFileMode(QFileDialog::ExistingFiles); break;
    case FilePanelRequest::OpenFolder:
        panel.setFileMode(QFileDialog::Directory);
        panel.setOption(QFileDialog::ShowDirsOnly);
        break;
    case FilePanelRequest::SaveFile:
        panel.setAcceptMode(QFileDialog::AcceptSave);
        panel.setOption(QFileDialog::DontConfirmOverwrite);
        break;
    }
    QString start = r.suggestedName;
    if (formatChoice) {
        const QString extension = r.extensions.contains(r.chosenExtension) ? r.chosenExtension : r.extensions.front();
        Setup_Save_Format_Choice(panel, r.extensions, extension);
        start = Name_With_Extension(r.suggestedName, extension);
    } else if (r.kind != FilePanelRequest::OpenFolder && !filter.isEmpty()) {
        panel.setNameFilter(filter);
    }
    if (r.kind == FilePanelRequest::SaveFile && !start.isEmpty()) panel.selectFile(Path_Join(r.directory, start));
    if (panel.exec() != QDialog::Accepted || panel.chosen().isEmpty()) return {};
    if (!formatChoice) return panel.chosen();
    const QString chosen = r.extensions.value(panel.nameFilters().indexOf(panel.selectedNameFilter()),
                                              r.extensions.front());
    return {panel.chosen().front(), chosen};
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
        if (!typed.isEmpty())
            panel.selectFile(Path_Join(panel.directory().absolutePath(),
                                       Name_With_Extension(QFileInfo(typed.front()).fileName(), extension)));
    });
}

void Install_Widget_Presenters()
{
    Set_MessageBox_Presenter(showBox);
    Set_File_Panel_Presenter(showPanel);
    Set_Open_Url_Presenter(openWithDesktop);
}
