#include "Dialogs.h"
#include "Paths.h"
#include "QStringPrinter.h"
#include "TestSupport.h"
#include "WidgetPresenters.h"
#include "WorkingFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

// The person's panels, real panels driven as a person would, with names beginning with
// one colon or more (or holding them) typed or suggested: the answer is that very name in
// the panel's folder, an open panel finds the file typed, and nothing is written in the
// working folder.
TEST(PlainNamePanel, ANameBeginningWithAColonKeepsThePanelsFolder)
{
    const QStringList pictures{"jpg", "png"};
    const struct Row {
        FilePanelRequest::Kind kind;
        QStringList extensions;
        const char *suggested;  // the name the panel opens with
        const char *typed;      // typed over it (empty: as it opens)
        int filter;             // the format chosen after typing (-1: none)
        QStringList answer;     // names in the folder ("" for the folder itself)
    } rows[] = {
        {FilePanelRequest::SaveFile, {"zcd"}, "", ":Card", -1, {":Card.zcd"}},
        {FilePanelRequest::SaveFile, {"zcd"}, ":Card.zcd", "", -1, {":Card.zcd"}},
        {FilePanelRequest::SaveFile, {}, "", ":", -1, {":"}},
        {FilePanelRequest::SaveFile, pictures, ":Card.jpg", "", -1, {":Card.jpg"}},
        {FilePanelRequest::SaveFile, pictures, "Card.jpg", ":Card.jpg", 1, {":Card.png"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", "sub/:Card", -1, {"sub/:Card.zcd"}},
        {FilePanelRequest::OpenFile, {"zcd"}, "", ":Old.zcd", -1, {":Old.zcd"}},
        {FilePanelRequest::OpenFiles, {"zcd"}, "", ":Old.zcd", -1, {":Old.zcd"}},
        {FilePanelRequest::OpenFolder, {}, "", ":Pictures", -1, {":Pictures"}},
        // Two colons or more: Qt would answer them in the root folder ("/::z").
        {FilePanelRequest::SaveFile, {"zcd"}, "", "::", -1, {"::.zcd"}},
        {FilePanelRequest::SaveFile, {}, "", "::", -1, {"::"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", ":::x", -1, {":::x.zcd"}},
        {FilePanelRequest::SaveFile, {"png"}, "", "::z", -1, {"::z.png"}},
        {FilePanelRequest::SaveFile, {"xlsx"}, "", "::log", -1, {"::log.xlsx"}},
        {FilePanelRequest::SaveFile, pictures, "Card.jpg", "::cam", -1, {"::cam.jpg"}},
        {FilePanelRequest::SaveFile, pictures, "Card.jpg", "::z.jpg", 1, {"::z.png"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "::Card.zcd", "", -1, {"::Card.zcd"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", ":a:b", -1, {":a:b.zcd"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", "a::", -1, {"a::.zcd"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", "sub/::z", -1, {"sub/::z.zcd"}},
        {FilePanelRequest::OpenFile, {"zcd"}, "", "::x.zcd", -1, {"::x.zcd"}},
        {FilePanelRequest::OpenFile, {"zcd"}, "", ":a:b.zcd", -1, {":a:b.zcd"}},
        {FilePanelRequest::OpenFiles, {"zcd"}, "", "\"::x.zcd\" \":Old.zcd\"", -1, {"::x.zcd", ":Old.zcd"}},
        {FilePanelRequest::OpenFolder, {}, "", "::Pictures", -1, {"::Pictures"}},
    };
    Install_Widget_Presenters();
    Set_File_Panel_Answerer({});
    for (const Row &r : rows) {
        SCOPED_TRACE((r.typed + QString("|") + r.suggested).toStdString());
        testsupport::WorkingFolder work;
        QTemporaryDir folder;
        for (const char *name : {"sub", ":Pictures", "::Pictures"}) QDir().mkpath(Path_Join(folder.path(), name));
        for (const char *name : {":Old.zcd", "New.zcd", "::x.zcd", ":a:b.zcd"})
            QFile(Path_Join(folder.path(), name)).open(QIODevice::WriteOnly);
        QStringList boxes;
        QString startFolder;
        bool driven = false;
        bool acceptEnabled = false;
        QTimer person;
        QObject::connect(&person, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                boxes << box->text();
                box->done(QMessageBox::No);
                return;
            }
            auto *panel = qobject_cast<QFileDialog *>(modal);
            if (!panel) return;
            if (driven) {  // still open after the accept: given up
                panel->reject();
                return;
            }
            // A person types into a panel that lists its folder (three folders in every
            // kind): a listing that comes later would put its own choice in the name box.
            auto *list = panel->findChild<QListView *>("listView");
            if (!list || list->model()->rowCount(list->rootIndex()) < 3) return;
            driven = true;
            startFolder = panel->directory().absolutePath();
            auto *name = panel->findChild<QLineEdit *>("fileNameEdit");
            ASSERT_TRUE(name);
            if (*r.typed) name->setText(r.typed);
            // The name typed can be accepted with the button, as any other.
            auto *buttons = panel->findChild<QDialogButtonBox *>("buttonBox");
            ASSERT_TRUE(buttons);
            for (QAbstractButton *b : buttons->buttons())
                if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole) acceptEnabled = b->isEnabled();
            if (r.filter >= 0) {
                auto *formats = panel->findChild<QComboBox *>("fileTypeCombo");
                formats->setCurrentIndex(r.filter);
                emit formats->activated(r.filter);
                emit formats->textActivated(formats->currentText());
            }
            QMetaObject::invokeMethod(panel, "accept", Qt::QueuedConnection);
        });
        person.start(20);
        FilePanelRequest request;
        request.kind = r.kind;
        request.directory = folder.path();
        request.extensions = r.extensions;
        request.formatChoice = r.extensions.size() > 1;
        request.suggestedName = r.suggested;
        const QStringList answer = r.kind == FilePanelRequest::SaveFile ? QStringList{Ask_Save_Panel(request).path}
                                                                         : Run_File_Panel(request);
        person.stop();
        QStringList expected;
        for (const QString &name : r.answer) expected << Path_Join(folder.path(), name);
        EXPECT_EQ(answer.join(u'|'), expected.join(u'|'));
        EXPECT_EQ(startFolder, folder.path());
        EXPECT_TRUE(acceptEnabled);
        EXPECT_EQ(boxes.join(u'|'), "");
        EXPECT_EQ(work.written().join(u'|'), "");
    }
    testsupport::installRecordingAnswerer();
}
