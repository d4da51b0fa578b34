#include "Dialogs.h"
#include "QStringPrinter.h"
#include "TestSupport.h"
#include "WidgetPresenters.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

TEST(SaveFormatChoice, NamesTakeTheChosenExtension)
{
    const struct { const char *name, *extension, *expected; } rows[] = {
        {"visits.xlsx", "txt", "visits.txt"}, {"visits", "xlsx", "visits.xlsx"},
        {"my.visits.txt", "xlsx", "my.visits.xlsx"}, {"/a.b/visits", "txt", "/a.b/visits.txt"},
        {".hidden", "txt", ".hidden.txt"},
    };
    for (const auto &r : rows) EXPECT_EQ(Name_With_Extension(r.name, r.extension), r.expected) << r.name;
}

TEST(SaveFormatChoice, ChoosingTxtRenamesTheTypedName)
{
    QTemporaryDir dir;
    QFileDialog panel(nullptr, "Save", dir.path());
    panel.setOption(QFileDialog::DontUseNativeDialog);
    panel.setAcceptMode(QFileDialog::AcceptSave);
    Setup_Save_Format_Choice(panel, {"xlsx", "txt"});
    EXPECT_EQ(panel.nameFilters(), QStringList({"xlsx (*.xlsx)", "txt (*.txt)"}));
    panel.selectFile("visits.xlsx");
    panel.selectNameFilter("txt (*.txt)");
    emit panel.filterSelected("txt (*.txt)");
    ASSERT_FALSE(panel.selectedFiles().isEmpty());
    EXPECT_EQ(QFileInfo(panel.selectedFiles().front()).fileName(), "visits.txt");
    EXPECT_EQ(panel.selectedNameFilter(), "txt (*.txt)");
    // The panel adds no extension of its own: the name typed is completed, and asked
    // about, by the platform layer.
    EXPECT_EQ(panel.defaultSuffix(), "");
}

// The person's save panel, a real panel driven as a person would: it asks nothing of its
// own (the one question about the written name is the platform layer's), hands back the
// format chosen, and opens with the format and name it is given.
TEST(SaveFormatChoice, ThePersonsPanelAsksNothingAndKeepsTheFormat)
{
    const QStringList pictures{"jpg", "png"};
    const struct Row {
        QStringList extensions;
        const char *chosen, *suggested;  // what the panel is given
        const char *planted;             // a file there under the written name
        int filter;                      // the format the person chooses (-1: as it opens)
        const char *typed;               // the name the person types (empty: as it opens)
        const char *startName, *startFilter, *written;
        bool asked;                      // the platform layer's question
    } rows[] = {
        {{"zcd"}, "", "Card", "Badge.zcd", -1, "Badge.zcd", "Card", "Files (*.zcd *.ZCD)", "Badge.zcd", true},
        {pictures, "", "pq.jpg", "pq.png", 1, "pq.png", "pq.jpg", "jpg (*.jpg)", "pq.png", true},
        {pictures, "", "pq.jpg", "", 1, "own.txt", "pq.jpg", "jpg (*.jpg)", "own.png", false},
        {pictures, "png", "pq.png", "", -1, "", "pq.png", "png (*.png)", "pq.png", false},
        {{"xlsx", "txt"}, "txt", "vt.txt", "", -1, "", "vt.txt", "txt (*.txt)", "vt.txt", false},
    };
    Install_Widget_Presenters();
    Set_File_Panel_Answerer({});
    for (const Row &r : rows) {
        QTemporaryDir folder;
        if (*r.planted) QFile(folder.filePath(r.planted)).open(QIODevice::WriteOnly);
        QStringList ownQuestions;
        QString startName, startFilter;
        bool driven = false;
        QTimer person;
        QObject::connect(&person, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                ownQuestions << box->text();
                box->done(QMessageBox::No);
                return;
            }
            auto *panel = qobject_cast<QFileDialog *>(modal);
            if (!panel) return;
            if (driven) {  // still open after its own question: given up
                panel->reject();
                return;
            }
            driven = true;
            auto *name = panel->findChild<QLineEdit *>("fileNameEdit");
            auto *formats = panel->findChild<QComboBox *>("fileTypeCombo");
            ASSERT_TRUE(name && formats);
            startName = name->text();
            startFilter = panel->selectedNameFilter();
            if (r.filter >= 0) {
                formats->setCurrentIndex(r.filter);
                emit formats->activated(r.filter);
                emit formats->textActivated(formats->currentText());
            }
            if (*r.typed) name->setText(r.typed);
            QMetaObject::invokeMethod(panel, "accept", Qt::QueuedConnection);
        });
        person.start(20);
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(1);
        FilePanelRequest request;
        request.kind = FilePanelRequest::SaveFile;
        request.directory = folder.path();
        request.extensions = r.extensions;
        request.formatChoice = r.extensions.size() > 1;
        request.chosenExtension = r.chosen;
        request.suggestedName = r.suggested;
        const Save_Panel_Choice choice = Ask_Save_Panel(request);
        person.stop();
        EXPECT_EQ(ownQuestions, QStringList()) << r.written;
        EXPECT_EQ(startName, r.startName) << r.written;
        EXPECT_EQ(startFilter, r.startFilter) << r.written;
        EXPECT_EQ(choice.path, folder.filePath(r.written));
        EXPECT_EQ(testsupport::boxes().take(),
                  r.asked ? QStringList{QString(r.written) + " already exists. Do you want to replace it?"}
                          : QStringList());
    }
    testsupport::installRecordingAnswerer();
}
