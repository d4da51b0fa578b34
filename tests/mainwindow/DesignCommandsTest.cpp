#include "AnotherUser.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "CompletedName.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include "Export_Template.h"
#include "Grid_Wizard.h"
#include "Shared_Dialogs.h"
#include "Start_Card.h"
#include <QFileInfo>
#include <functional>
#include <iostream>
#include <gtest/gtest.h>

namespace design_commands_test {

namespace {
struct Window : TestWindow {
};

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A visitor design shows the time of the visit, read when it is opened: the file
// without its clock times.
QByteArray withoutClockTimes(QByteArray bytes)
{
    return QString::fromUtf8(bytes).replace(QRegularExpression(QStringLiteral("\\b\\d\\d:\\d\\d:\\d\\d\\b")),
                                            QStringLiteral("hh:mm:ss")).toUtf8();
}
} // namespace

TEST(DesignCommands, SaveAndReopenBothSides)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    GraphicPtr text = w.add(w.document.graphics_back(), GraphicKind::Text, {20, 30, 80, 20});
    text->Set_text_value("Visitor");
    text->control_ID = "Fup_Name";
    w.document.Front_card_Prop.setCard_Name("Gate Pass");
    w.document.Back_card_Prop.setCard_fill_chk(true);

    const QString path = testsupport::testHome() + "/gate.zcd";
    testsupport::queueFilePanelAnswer({testsupport::testHome() + "/gate"});
    testsupport::boxes().clear();
    ASSERT_TRUE(w.controller.Save_project_file(false, true, Card_Mode::Opened));
    EXPECT_EQ(w.document.Project_File_Name, path) << "the extension is added";
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nDesign has been saved successfully."});
    EXPECT_TRUE(w.controller.window()->windowTitle().contains("gate.zcd"));

    Window other;
    ASSERT_EQ(other.controller.Read_and_load_design_Log_NEW_METHOD(path, Card_Mode::Opened, true), 1);
    ASSERT_EQ(other.document.graphics().count(), 1);
    ASSERT_EQ(other.document.graphics_back().count(), 1);
    EXPECT_EQ(other.document.graphics_back().at(0)->Text_Value, "Visitor");
    EXPECT_EQ(other.document.graphics_back().at(0)->control_ID, "Fup_Name");
    EXPECT_EQ(other.document.Front_card_Prop.Card_Name(), "Gate Pass");
    EXPECT_TRUE(other.document.Back_card_Prop.Card_fill_chk());
    // Saved again unchanged, the file is the same.
    const QByteArray first = contents(path);
    ASSERT_TRUE(other.controller.Save_project_file(false, false, Card_Mode::Opened));
    EXPECT_EQ(contents(path), first);
}

TEST(DesignCommands, BrokenFileLeavesTheDesignAlone)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    const QString path = testsupport::testHome() + "/broken.zcd";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<?xml version=\"1.0\"?><plist><array><string>DOZO");
    f.close();
    testsupport::boxes().clear();
    EXPECT_EQ(w.controller.Read_and_load_design_Log_NEW_METHOD(path, Card_Mode::Opened, true), 0);
    EXPECT_EQ(testsupport::boxes().take().size(), 1);
    EXPECT_EQ(w.document.graphics().count(), 1);
    EXPECT_TRUE(w.document.Project_File_Name.isEmpty());
}

TEST(DesignCommands, AFailedSaveAsKeepsTheDesignsFile)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    const QString path = testsupport::testHome() + "/kept.zcd";
    w.document.Project_File_Name = path;
    ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));

    testsupport::queueFilePanelAnswer({testsupport::testHome() + "/no such folder/other.zcd"});
    testsupport::boxes().clear();
    EXPECT_FALSE(w.controller.Save_project_file(true, true, Card_Mode::Opened));
    EXPECT_EQ(testsupport::boxes().take().size(), 1) << "the failure is reported";
    EXPECT_EQ(w.document.Project_File_Name, path) << "the next Save still goes to the design's own file";
    EXPECT_TRUE(w.controller.window()->windowTitle().contains("kept.zcd"));
    w.document.Project_File_Name.clear();
}

// Save As typed "Badge" writes "Badge.zcd": that is the file asked about, and a link there
// is replaced. Save As onto another user's link in a shared folder (as /tmp is) is
// refused at once, with no replace question first; the panel comes again, and the design
// keeps its name. As root: the save acts as another user.
TEST(DesignCommands, SaveAsAsksAboutTheFileItWritesAndRefusesAnotherUsersLinkAtOnce)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    testsupport::Check_Completed_Name("Badge", "Badge.zcd", [&] {
        w.controller.Save_project_file(true, false, Card_Mode::Opened);
        w.document.Project_File_Name.clear();
    });
    if (::geteuid() != 0) {
        std::cout << "Not run: another user's link, which needs root\n";
        return;
    }
    const testsupport::Test_Users_File thesis("thesis.odt", "thesis");
    ASSERT_TRUE(thesis.made());
    const testsupport::Shared_Folder shared;
    ASSERT_TRUE(shared.plantLink("Badge.zcd", thesis.path()));
    testsupport::clearFilePanels();
    testsupport::queueFilePanelAnswer({shared.filePath("Badge.zcd")});
    testsupport::boxes().clear();
    {
        const testsupport::Acting_As_Test_User user;
        ASSERT_TRUE(user.acting());
        EXPECT_FALSE(w.controller.Save_project_file(true, false, Card_Mode::Opened));
    }
    const QString refused = QString("\nUnable to save the file \"%1\".\n\n\"%2\" in this shared folder is another "
                                    "user's link, which only they can replace. Please choose another name.")
                                .arg(shared.filePath("Badge.zcd"), "Badge.zcd");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{refused});
    EXPECT_EQ(testsupport::filePanelRequests().size(), 2) << "the panel comes again";
    EXPECT_EQ(w.document.Project_File_Name, "");
    EXPECT_EQ(thesis.bytes(), "thesis");
    EXPECT_TRUE(QFileInfo(shared.filePath("Badge.zcd")).isSymLink());
}

TEST(DesignCommands, CancelledPanelsAndQuestionsChangeNothing)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    w.controller.Insert_In_Undo_Redo();  // a change of the user's: Open asks first
    testsupport::clearFilePanels();
    EXPECT_FALSE(w.controller.Save_project_file(true, true, Card_Mode::Opened)) << "a cancelled save panel writes nothing";

    testsupport::clearFilePanels();
    testsupport::boxes().clear();
    testsupport::boxes().answerNext(kAlertCancel);
    w.controller.Open_Design();
    EXPECT_TRUE(testsupport::filePanelRequests().isEmpty()) << "Cancel at the save question stops Open";
    testsupport::boxes().answerNext(kAlertNo);
    w.controller.Open_Design();  // the panel is cancelled
    EXPECT_EQ(w.document.graphics().count(), 1);

    testsupport::boxes().answerNext(kAlertNo);
    testsupport::boxes().answerNext(0);  // No to leaving
    w.controller.Exit_App();
    EXPECT_EQ(testsupport::boxes().take().back(), "\nDo you really want to exit?");
}

TEST(DesignCommands, TemplateFromTheStartWindow)
{
    Window author;
    author.add(author.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    const QString path = testsupport::testHome() + "/Badge (h).zcd";
    author.document.Project_File_Name = path;
    ASSERT_TRUE(author.controller.Save_project_file(false, false, Card_Mode::Template));

    Window w;
    testsupport::answerStartWindow(w.runner, [&]() -> std::optional<QString> { return path; });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    w.runner.remove<Start_Card>();
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_EQ(w.document.graphics().count(), 2) << "the template's control and the visitor's photo";
    ASSERT_NE(w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Photo"), nullptr);
    EXPECT_EQ(w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Photo")->kind(), GraphicKind::Image);
    EXPECT_EQ(w.controller.Get_Undo_Count(), 1);
    EXPECT_EQ(w.document.Selected_Template_Path, path);
    EXPECT_TRUE(w.document.Project_File_Name.isEmpty()) << "a template opens untitled";
}

TEST(DesignCommands, ExportAsTemplateWritesTemplateAndPreviewForTheGallery)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    w.document.Project_File_Name = testsupport::testHome() + "/kept.zcd";
    QTimer::singleShot(0, [&w] {
        w.controller.Template_Name_Window().template_name->setText("Desk Pass");
        w.controller.Template_Name_Window().OKPressed();
        if (w.controller.Template_Name_Window().isVisible()) w.controller.Template_Name_Window().done(0);
    });
    testsupport::boxes().clear();
    w.controller.Export_As_Template_Clicked();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nTemplate exported successfully."});
    const QString folder = Export_Template::userTemplateFolder();
    EXPECT_TRUE(QFileInfo::exists(folder + "/Desk Pass.zcd"));
    const QImage preview(folder + "/Desk Pass.png");
    EXPECT_EQ(preview.size(), QSize(243, 308)) << "a two-sided landscape card: front above back";
    EXPECT_EQ(w.document.Project_File_Name, testsupport::testHome() + "/kept.zcd") << "the open design keeps its name";
    EXPECT_TRUE(Start_Card::templatesOfCategory("User").contains(folder + "/Desk Pass.zcd"));
    EXPECT_EQ(Start_Card::templateCategories().back(), "User");
}

TEST(DesignCommands, ExportAsTemplateWritesNothingWhenThePreviewCannotBeEncoded)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 0, 40, 1});
    w.document.Front_card_Prop.setCard_Side("1");
    w.controller.SetDocumentCanvasSize({1000001, 1});  // wider than a PNG picture may be
    QTimer::singleShot(0, [&w] {
        w.controller.Template_Name_Window().template_name->setText("Wide Pass");
        w.controller.Template_Name_Window().OKPressed();
    });
    testsupport::boxes().clear();
    w.controller.Export_As_Template_Clicked();
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("preview could not be made")) << shown[0].toStdString();
    const QString folder = Export_Template::userTemplateFolder();
    EXPECT_FALSE(QFileInfo::exists(folder + "/Wide Pass.zcd"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/Wide Pass.png"));
}

TEST(DesignCommands, OrientationChangeOfAnUneditedTemplateLoadsItsTwin)
{
    Window author;
    const QString folder = testsupport::testHome() + "/Mixed Case Folder";
    QDir().mkpath(folder);
    author.add(author.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    author.document.Project_File_Name = folder + "/Badge (h).zcd";
    ASSERT_TRUE(author.controller.Save_project_file(false, false, Card_Mode::Template));
    author.add(author.document.graphics(), GraphicKind::Shape, {50, 50, 10, 10});
    author.controller.SetDocumentCanvasSize({154, 243});
    author.document.Project_File_Name = folder + "/Badge (V).zcd";
    ASSERT_TRUE(author.controller.Save_project_file(false, false, Card_Mode::Template));

    Window w;
    testsupport::answerStartWindow(w.runner, [&]() -> std::optional<QString> { return folder + "/Badge (h).zcd"; });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    w.runner.remove<Start_Card>();
    w.controller.Card_Control_Size_Change_or_not({154, 243}, "Vertical", "PVC Card", 0);
    EXPECT_EQ(w.document.graphics().count(), 2) << "the vertical twin was loaded";
    EXPECT_EQ(w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Photo"), nullptr)
        << "the twin is read as it was saved";
    EXPECT_EQ(w.document.Selected_Template_Path, folder + "/Badge (V).zcd");

    // After an edit the same change only rescales.
    w.controller.Insert_In_Undo_Redo();
    w.document.Front_card_Prop.setCard_Preset("Vertical");
    const QRectF before = w.document.graphics().at(0)->bounds();
    w.controller.Card_Control_Size_Change_or_not({243, 154}, "Horizontal", "PVC Card", 0);
    EXPECT_EQ(w.document.graphics().count(), 2);
    EXPECT_NE(w.document.graphics().at(0)->bounds(), before);
}

// A user's day: a built-in template opens, is edited, saved under a new name, closed,
// and opens again as it was saved.
TEST(DesignCommands, TemplateEditedSavedClosedAndReopened)
{
    const QString pass = Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd";
    ASSERT_TRUE(QFileInfo::exists(pass));
    Window w;
    testsupport::answerStartWindow(w.runner, [&]() -> std::optional<QString> { return pass; });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    SKTGraphic *name = w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Name");
    ASSERT_NE(name, nullptr);
    name->Set_text_value("Ada Lovelace");
    name->setXPosition(name->xPosition() + 5);

    const QString saved = testsupport::testHome() + "/front desk.zcd";
    testsupport::queueFilePanelAnswer({saved});
    ASSERT_TRUE(w.controller.Save_project_file(true, false, Card_Mode::Opened));
    const QByteArray bytes = contents(saved);

    // Close: no save question needed, then the gallery offers a blank card.
    testsupport::boxes().clear();
    testsupport::boxes().answerNext(kAlertNo);
    testsupport::answerStartWindow(w.runner, []() -> std::optional<QString> { return QString(); });
    w.controller.Close_Design();
    EXPECT_EQ(w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Name"), nullptr);

    testsupport::boxes().answerNext(kAlertNo);
    testsupport::queueFilePanelAnswer({saved});
    w.controller.Open_Design();
    w.runner.remove<Start_Card>();
    SKTGraphic *back = w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Name");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Text_Value, "Ada Lovelace");
    EXPECT_EQ(w.document.Project_File_Name, saved);
    ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
    EXPECT_EQ(withoutClockTimes(contents(saved)), withoutClockTimes(bytes)) << "reopened unchanged";
}

namespace {
// Whether the please-wait sheet is showing now.
bool pleaseWaitShown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (dynamic_cast<PleaseWait_Modeless *>(w) && w->isVisible()) return true;
    return false;
}
} // namespace

TEST(DesignCommands, OpenReadsBehindThePleaseWaitSheet)
{
    Window w;
    w.add(w.document.graphics(), GraphicKind::Shape, {10, 10, 40, 20});
    const QString saved = testsupport::testHome() + "/sheet.zcd";
    testsupport::queueFilePanelAnswer({saved});
    ASSERT_TRUE(w.controller.Save_project_file(true, false, Card_Mode::Opened));

    // While the reader puts the controls in place the sheet is up.
    int resetsUnderSheet = 0, resets = 0;
    QObject::connect(&w.document.graphics(), &SKTGraphicList::reset, [&] {
        ++resets;
        if (pleaseWaitShown()) ++resetsUnderSheet;
    });
    testsupport::boxes().answerNext(kAlertNo);
    testsupport::queueFilePanelAnswer({saved});
    w.controller.Open_Design();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(resetsUnderSheet, 1);
    EXPECT_FALSE(pleaseWaitShown()) << "gone once the design is open";

    // A refused file: the sheet is gone before its message.
    const QString broken = testsupport::testHome() + "/broken.zcd";
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a design");
    f.close();
    QStringList shown;
    std::vector<bool> sheetAtMessage;
    Set_MessageBox_Answerer([&](MessageBoxKind, const QString &text) {
        shown << text;
        sheetAtMessage.push_back(pleaseWaitShown());
        return kAlertNo;
    });
    testsupport::queueFilePanelAnswer({broken});
    w.controller.Open_Design();
    testsupport::installRecordingAnswerer();
    // The design just opened is unchanged: no save question, only the refusal.
    ASSERT_EQ(shown.size(), 1) << shown.join('|').toStdString();
    EXPECT_EQ(sheetAtMessage, std::vector<bool>({false}));
    EXPECT_EQ(shown[0], "\n\"broken.zcd\" is not a design file.");
    EXPECT_EQ(w.document.graphics().count(), 1) << "the open design stays";
}

TEST(DesignCommands, GridAndTemplateNameDialogsBelongToTheMainWindow)
{
    Window w;
    struct Case {
        const char *name;
        std::function<QDialog *()> open;
    };
    const std::vector<Case> cases = {
        {"grid", [&] { return static_cast<QDialog *>(&w.controller.Grid_Window()); }},
        {"template name", [&] { return static_cast<QDialog *>(&w.controller.Template_Name_Window()); }},
    };
    for (const Case &c : cases) {
        QDialog *first = c.open();
        EXPECT_EQ(first, c.open()) << c.name << ": made once";
        EXPECT_EQ(first->parentWidget(), w.controller.ui.window) << c.name;
    }
    // The Grid command's dialog edits this window's grid.
    QTimer::singleShot(0, [&] {
        Grid_Wizard &grid = w.controller.Grid_Window();
        EXPECT_EQ(grid.grid(), &w.controller._grid);
        grid.done(0);
    });
    w.command("Grid")->trigger();
}

} // namespace design_commands_test
