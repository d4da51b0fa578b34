// A design file given to the program: found among the arguments, opened as Open opens
// one picked in its panel, the start gallery only when it cannot be read.
#include "AppMain.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QFile>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Saves a design with one front control as `name` in the test home.
QString savedDesign(const QString &name)
{
    TestWindow author;
    author.add(author.front(), GraphicKind::Shape, {10, 10, 40, 20});
    author.document.Front_card_Prop.setCard_Name(QStringLiteral("Gate Pass"));
    author.document.Project_File_Name = testsupport::testHome() + u'/' + name;
    EXPECT_TRUE(author.controller.Save_project_file(false, false, Card_Mode::Opened));
    const QString path = author.document.Project_File_Name;
    author.document.Project_File_Name.clear();
    return path;
}

// Counts the start gallery's runs; it answers with a blank card.
struct GalleryWatch {
    int runs = 0;
    explicit GalleryWatch(testsupport::ScriptedRunner &runner)
    {
        testsupport::answerStartWindow(runner, [this] {
            ++runs;
            return Start_Choice(Start_Road::Open);
        });
    }
};

} // namespace

TEST(ProgramEntry, DesignPathFromArguments)
{
    const struct {
        QStringList arguments;
        QString expected;
    } cases[] = {
        {{"dozo-idcard"}, ""},
        {{"dozo-idcard", "/cards/gate.zcd"}, "/cards/gate.zcd"},
        {{"dozo-idcard", "gate.zcd"}, "/home/user/gate.zcd"},
        {{"dozo-idcard", "../shared/My Pass.zcd"}, "/home/shared/My Pass.zcd"},
        {{"dozo-idcard", "--reverse", "", "/cards/a.zcd", "/cards/b.zcd"}, "/cards/a.zcd"},
        {{"dozo-idcard", "-style"}, ""},
        {{"dozo-idcard", ":gate.zcd"}, "/home/user/:gate.zcd"},  // a plain name
        {{"dozo-idcard", "/cards/:gate.zcd"}, "/cards/:gate.zcd"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Design_Path_From_Arguments(c.arguments, QStringLiteral("/home/user")).toStdString(),
                  c.expected.toStdString())
            << c.arguments.join(u' ').toStdString();
}

TEST(ProgramEntry, AGivenDesignOpensWithoutTheGallery)
{
    const QString path = savedDesign(QStringLiteral("entry.zcd"));
    testsupport::ScriptedRunner runner;
    GalleryWatch gallery(runner);
    testsupport::boxes().clear();
    PhotoPictureAdjuster adjuster;
    SKTDocument document;
    SKTWindowController controller(document, adjuster, nullptr, &runner);
    controller.showWindow(path);
    ASSERT_TRUE(controller.isSetUp());
    EXPECT_TRUE(controller.window()->isVisible());
    // The design opens from the event loop, as a command does.
    QTRY_COMPARE(document.Project_File_Name, path);
    ASSERT_EQ(document.graphics().count(), 1);
    EXPECT_EQ(document.graphics().at(0)->kind(), GraphicKind::Shape);
    EXPECT_EQ(document.Front_card_Prop.Card_Name(), QStringLiteral("Gate Pass"));
    EXPECT_EQ(controller.window()->windowTitle(), QStringLiteral("DOZO ID Card ( Gate Pass - entry.zcd )"));
    EXPECT_EQ(document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_EQ(controller.Get_Undo_Count(), 1);
    EXPECT_EQ(gallery.runs, 0);
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    document.Project_File_Name.clear();
}

TEST(ProgramEntry, AFileThatCannotBeReadIsReportedThenTheGallery)
{
    const QString broken = testsupport::testHome() + QStringLiteral("/entry-broken.zcd");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a design");
    f.close();
    // A design of a card far longer than any the size tab makes.
    const QString huge = savedDesign(QStringLiteral("huge.zcd"));
    {
        QFile design(huge);
        ASSERT_TRUE(design.open(QIODevice::ReadOnly));
        QByteArray bytes = design.readAll();
        design.close();
        const QByteArray field = "<string>Card_Size</string>";
        const qsizetype at = bytes.indexOf(field);
        ASSERT_GE(at, 0);
        const qsizetype from = bytes.indexOf("<string>", at + field.size()) + 8, to = bytes.indexOf("</string>", from);
        bytes.replace(from, to - from, "{360000, 154}");
        ASSERT_TRUE(design.open(QIODevice::WriteOnly | QIODevice::Truncate));
        design.write(bytes);
    }
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {testsupport::testHome() + QStringLiteral("/no such design.zcd"), "\n\"no such design.zcd\" could not be opened."},
        {broken, "\n\"entry-broken.zcd\" is not a design file."},
        {huge, "\n\"huge.zcd\" holds a card of 127000.0 x 54.3 mm, but a card side can be at most 10000 mm long; the "
               "design can't be opened."},
    };
    for (const auto &c : cases) {
        testsupport::boxes().clear();
        TestWindow w;
        GalleryWatch gallery(w.runner);
        w.controller.Start_With_Design(c.path);
        EXPECT_EQ(testsupport::boxes().take(), QStringList{c.message});
        EXPECT_EQ(gallery.runs, 1) << "the start gallery follows the message";
        EXPECT_TRUE(w.document.Project_File_Name.isEmpty());
        ASSERT_EQ(w.document.graphics().count(), 1) << "the gallery's blank card with the visitor's photo";
        EXPECT_EQ(w.document.graphics().at(0)->control_ID, QStringLiteral("Fup_Photo"));
    }
}
