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
// the panel's folder, an open panel finds the file typed, a folder's name typed opens it
// (nothing chosen), a path typed beside such a name stays that path, and nothing is
// written in the working folder.
TEST(PlainNamePanel, ANameBeginningWithAColonKeepsThePanelsFolder)
{
    const QStringList pictures{"jpg", "png"};
    const struct Row {
        FilePanelRequest::Kind kind;
        QStringList extensions;
        const char *suggested;  // the name the panel opens with
        const char *typed;      // typed over it (empty: as it opens)
        int filter;             // the format chosen after typing (-1: none)
        QStringList answer;     // names in the folder ("" for the folder itself, "@/name" in the other)
        const char *opens = "";  // the folder the panel moves into and stays open in
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
        // A folder of the panel's folder typed: the panel opens it and chooses nothing.
        {FilePanelRequest::SaveFile, {"zcd"}, "", ":Pictures", -1, {}, ":Pictures"},
        {FilePanelRequest::SaveFile, {"zcd"}, "", "::Pictures", -1, {}, "::Pictures"},
        {FilePanelRequest::SaveFile, pictures, "Card.jpg", ":Pictures", -1, {}, ":Pictures"},
        {FilePanelRequest::OpenFile, {"zcd"}, "", ":Pictures", -1, {}, ":Pictures"},
        {FilePanelRequest::OpenFiles, {"zcd"}, "", "::Pictures", -1, {}, "::Pictures"},
        // A path typed ("@" the path of another folder) stays that path, beside a name
        // beginning with a colon or with its last part beginning with one.
        {FilePanelRequest::OpenFiles, {"zcd"}, "", "\":Old.zcd\" \"@/New.zcd\"", -1, {":Old.zcd", "@/New.zcd"}},
        {FilePanelRequest::OpenFiles, {"zcd"}, "", "\"@/::Far.zcd\" \"::x.zcd\"", -1, {"@/::Far.zcd", "::x.zcd"}},
        {FilePanelRequest::OpenFile, {"zcd"}, "", "@/::Far.zcd", -1, {"@/::Far.zcd"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", "@/::y", -1, {"@/::y.zcd"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", "@/:y", -1, {"@/:y.zcd"}},
        {FilePanelRequest::OpenFolder, {}, "", "@/::Deep", -1, {"@/::Deep"}},
        {FilePanelRequest::SaveFile, {"zcd"}, "", "@/::Deep", -1, {}, "@/::Deep"},
    };
    Install_Widget_Presenters();
    Set_File_Panel_Answerer({});
    for (const Row &r : rows) {
        SCOPED_TRACE((r.typed + QString("|") + r.suggested).toStdString());
        testsupport::WorkingFolder work;
        QTemporaryDir folder, other;
        QDir().mkpath(Path_Join(other.path(), "::Deep"));
        for (const char *name : {"New.zcd", "::Far.zcd"}) QFile(Path_Join(other.path(), name)).open(QIODevice::WriteOnly);
        // A name in the panel's folder, or "@/name" in the other folder.
        const auto placed = [&](const QString &name) {
            return name.startsWith(u'@') ? other.path() + name.mid(1) : Path_Join(folder.path(), name);
        };
        for (const char *name : {"sub", ":Pictures", "::Pictures"}) QDir().mkpath(Path_Join(folder.path(), name));
        for (const char *name : {":Old.zcd", "New.zcd", "::x.zcd", ":a:b.zcd"})
            QFile(Path_Join(folder.path(), name)).open(QIODevice::WriteOnly);
        QStringList boxes;
        QString startFolder, givenUpIn;
        bool driven = false;
        int waited = 0;
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
                givenUpIn = panel->directory().absolutePath();
                panel->reject();
                return;
            }
            // A person types into a panel that lists its folder (three folders in every
            // kind): a listing that comes later would put its own choice in the name box.
            // And types where the keys go, the name box of the panel in front: a box
            // without the keys takes the names of the files its panel selects for it.
            auto *list = panel->findChild<QListView *>("listView");
            auto *name = panel->findChild<QLineEdit *>("fileNameEdit");
            const bool ready = list && list->model()->rowCount(list->rootIndex()) >= 3 && name && name->hasFocus();
            if (!ready && ++waited < 500) return;  // ten seconds at most, then it is given up
            driven = true;
            if (!ready) return panel->reject();
            startFolder = panel->directory().absolutePath();
            if (*r.typed) name->setText(QString(r.typed).replace(u'@', other.path()));
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
        for (const QString &name : r.answer) expected << placed(name);
        EXPECT_EQ(answer.join(u'|'), expected.join(u'|'));
        EXPECT_EQ(givenUpIn, *r.opens ? placed(r.opens) : QString());
        EXPECT_EQ(startFolder, folder.path());
        EXPECT_TRUE(acceptEnabled);
        EXPECT_EQ(boxes.join(u'|'), "");
        EXPECT_EQ(work.written().join(u'|'), "");
    }
    testsupport::installRecordingAnswerer();
}
