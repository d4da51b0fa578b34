// Where a file panel opens: the folder asked for, else the last folder chosen in, else home;
// and the name a save panel writes, asked about.
#include "AnotherUser.h"
#include "Dialogs.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>

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

// A save panel's question is about the file the name typed is written as, a link there
// of any kind counting as a file; only the very name typed goes through a link, and only
// to a file that is there.
TEST(FilePanel, ASavePanelAsksAboutTheNameItWrites)
{
    enum Planted { Nothing, File, LinkToFile, LinkToNowhere };
    const QStringList pictures{"jpg", "bmp", "png", "tiff"};
    struct Row {
        QStringList answer;  // the name typed, and a format chosen
        QStringList extensions;
        Planted planted;     // under the written name
        int yes;             // the question's answer
        const char *written;
        bool asked, refused;
        File_Link links;
    } rows[] = {
        {{"Badge"}, {"zcd"}, File, 0, "Badge.zcd", true, true, File_Link::Replace},
        {{"f.txt"}, {"zcd"}, LinkToFile, 1, "f.txt.zcd", true, false, File_Link::Replace},
        {{"mine.ZCD"}, {"zcd"}, LinkToFile, 1, "mine.ZCD", true, false, File_Link::Write_Through},
        {{"gone.zcd"}, {"zcd"}, LinkToNowhere, 1, "gone.zcd", true, false, File_Link::Replace},
        {{"shot3"}, pictures, LinkToNowhere, 1, "shot3.jpg", true, false, File_Link::Replace},
        {{"own.txt"}, pictures, File, 0, "own.jpg", true, true, File_Link::Replace},
        {{"pic.png", "bmp"}, pictures, Nothing, 0, "pic.bmp", false, false, File_Link::Replace},
        {{"pic.png"}, pictures, Nothing, 0, "pic.png", false, false, File_Link::Write_Through},
        {{"notes"}, {}, File, 1, "notes", true, false, File_Link::Write_Through},
    };
    for (const Row &r : rows) {
        QTemporaryDir folder, outside;
        QFile(outside.filePath("thesis.odt")).open(QIODevice::WriteOnly);
        const QString written = folder.filePath(r.written);
        if (r.planted == File) QFile(written).open(QIODevice::WriteOnly);
        if (r.planted == LinkToFile) {
            ASSERT_TRUE(QFile::link(outside.filePath("thesis.odt"), written));
        }
        if (r.planted == LinkToNowhere) {
            ASSERT_TRUE(QFile::link(outside.filePath("autostart.desktop"), written));
        }
        QStringList answer{folder.filePath(r.answer.front())};
        answer += r.answer.mid(1);
        Set_File_Panel_Answerer([&](const FilePanelRequest &) { return std::exchange(answer, {}); });
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(r.yes);
        FilePanelRequest request;
        request.kind = FilePanelRequest::SaveFile;
        request.extensions = r.extensions;
        request.formatChoice = r.extensions.size() > 1;
        const Save_Panel_Choice choice = Ask_Save_Panel(request);
        EXPECT_EQ(choice.path, written) << r.written;
        EXPECT_EQ(testsupport::boxes().take(),
                  r.asked ? QStringList{QString(r.written) + " already exists. Do you want to replace it?"} : QStringList())
            << r.written;
        EXPECT_EQ(choice.refused, r.refused) << r.written;
        EXPECT_EQ(choice.links, r.links) << r.written;
    }
    testsupport::installRecordingAnswerer();
}

// After No the panel comes again in the refused name's folder, with that name and the
// format it was to be written in.
TEST(FilePanel, APanelRefusedComesBackWithTheFormatChosen)
{
    const struct Row {
        QStringList answer;  // the name typed, and the format chosen
        QStringList extensions;
        const char *refused, *format;  // what the second panel is given
    } rows[] = {
        {{"pq.png", "png"}, {"jpg", "bmp", "png", "tiff"}, "pq.png", "png"},
        {{"vt.TXT"}, {"xlsx", "txt"}, "vt.TXT", "txt"},
        {{"Badge"}, {"zcd"}, "Badge.zcd", ""},
    };
    for (const Row &r : rows) {
        QTemporaryDir folder;
        QFile(folder.filePath(r.refused)).open(QIODevice::WriteOnly);
        std::vector<FilePanelRequest> asked;
        Set_File_Panel_Answerer([&](const FilePanelRequest &request) {
            asked.push_back(request);
            QStringList answer{folder.filePath(r.answer.front())};
            return asked.size() == 1 ? answer + r.answer.mid(1) : QStringList();
        });
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(0);
        FilePanelRequest request;
        request.directory = QDir::homePath();
        request.extensions = r.extensions;
        request.formatChoice = r.extensions.size() > 1;
        const Save_Panel_Choice choice = Run_Save_Panel(request);
        EXPECT_EQ(choice.path, "") << r.refused;
        EXPECT_FALSE(choice.refused) << r.refused;
        ASSERT_EQ(asked.size(), 2u) << r.refused;
        EXPECT_EQ(asked[1].directory, folder.path()) << r.refused;
        EXPECT_EQ(asked[1].suggestedName, r.refused);
        EXPECT_EQ(asked[1].chosenExtension, r.format) << r.refused;
        // The same through the panel every window runs: Cancel after the refused name
        // returns no name at all.
        asked.clear();
        testsupport::boxes().answerNext(0);
        request.kind = FilePanelRequest::SaveFile;
        EXPECT_EQ(Run_File_Panel(request), QStringList()) << r.refused;
        EXPECT_EQ(asked.size(), 2u) << r.refused;
    }
    testsupport::installRecordingAnswerer();
}

// Another user's file or link in a shared folder (as /tmp is) under a name a save panel's
// choice writes cannot be replaced: the panel says so at once, asks nothing, and comes
// again. As root: the panel acts as another user.
TEST(FilePanel, AnotherUsersFileInASharedFolderIsRefusedWithoutAQuestion)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's files needs root";
    const testsupport::Test_Users_File thesis("thesis.odt", "thesis");
    ASSERT_TRUE(thesis.made());
    const struct Row {
        const char *typed;
        QStringList extensions;
        bool sides;        // the choice writes "<name>_Front" and "<name>_Back"
        const char *planted, *kind;
    } rows[] = {
        {"Badge", {"zcd"}, false, "Badge.zcd", "file"},
        {"Badge.zcd", {"zcd"}, false, "Badge.zcd", "link"},
        {"shot", {"jpg", "png"}, false, "shot.jpg", "link"},
        {"Card", {"png"}, true, "Card_Back.png", "link"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.typed);
        const testsupport::Shared_Folder shared;
        ASSERT_TRUE(QLatin1String(r.kind) == "file" ? shared.plantFile(r.planted, "theirs")
                                                   : shared.plantLink(r.planted, thesis.path()));
        int panels = 0;
        Set_File_Panel_Answerer([&](const FilePanelRequest &) {
            return ++panels == 1 ? QStringList{shared.filePath(r.typed)} : QStringList();
        });
        testsupport::boxes().clear();
        FilePanelRequest request;
        request.extensions = r.extensions;
        request.formatChoice = r.extensions.size() > 1;
        if (r.sides)
            request.writtenFiles = [](const QString &path) {
                const QString stem = path.chopped(4);
                return QStringList{stem + "_Front.png", stem + "_Back.png"};
            };
        Save_Panel_Choice choice;
        {
            const testsupport::Acting_As_Test_User user;
            ASSERT_TRUE(user.acting());
            choice = Run_Save_Panel(request);
        }
        EXPECT_EQ(choice.path, "");
        EXPECT_EQ(panels, 2);
        EXPECT_EQ(testsupport::boxes().take(),
                  QStringList{QString("\nUnable to save the file \"%1\".\n\n\"%2\" in this shared folder is another "
                                      "user's %3, which only they can replace. Please choose another name.")
                                  .arg(shared.filePath(r.planted), r.planted, r.kind)});
        EXPECT_EQ(QFileInfo(shared.filePath(r.planted)).isSymLink(), QLatin1String(r.kind) == "link");
    }
    EXPECT_EQ(thesis.bytes(), "thesis");
    testsupport::installRecordingAnswerer();
}
