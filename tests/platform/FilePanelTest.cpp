// Where a file panel opens: the folder asked for, else the last folder chosen in, else home.
#include "Dialogs.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FilePanel, OpensInTheLastFolderUsedElseHome)
{
    QTemporaryDir temp;
    const QString pictures = temp.path() + "/pictures", out = temp.path() + "/out";
    ASSERT_TRUE(QDir().mkpath(pictures) && QDir().mkpath(out));
    QStringList answer;
    QString openedIn;
    Set_File_Panel_Answerer([&](const FilePanelRequest &r) {
        openedIn = r.directory;
        return answer;
    });
    struct Step {
        FilePanelRequest::Kind kind;
        QString asked;         // the folder the caller names
        QStringList chosen;    // the user's answer
        QString expectedStart; // where the panel opened
    };
    const Step steps[] = {
        {FilePanelRequest::OpenFile, {}, {pictures + "/a.png"}, {}},  // whatever came before
        {FilePanelRequest::SaveFile, {}, {}, pictures},               // cancelled: remembers nothing
        {FilePanelRequest::OpenFile, "/usr", {}, "/usr"},
        {FilePanelRequest::OpenFolder, {}, {out}, pictures},
        {FilePanelRequest::SaveFile, {}, {}, out},                    // a chosen folder is itself the folder
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        FilePanelRequest r;
        r.kind = steps[i].kind;
        r.directory = steps[i].asked;
        answer = steps[i].chosen;
        EXPECT_EQ(Run_File_Panel(r), steps[i].chosen) << i;
        if (!steps[i].expectedStart.isEmpty()) {
            EXPECT_EQ(openedIn, steps[i].expectedStart) << i;
        }
    }
    // A folder that went away: home, never the root.
    ASSERT_TRUE(QDir(out).removeRecursively());
    answer.clear();
    Run_File_Panel(FilePanelRequest{});
    EXPECT_EQ(openedIn, QDir::homePath());
    testsupport::installRecordingAnswerer();
}
