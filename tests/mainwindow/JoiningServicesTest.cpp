// Services of the main window other windows use: the window title and the focus.
#include "DocumentUndo.h"
#include "Globals.h"
#include "SKTGraphicView.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <gtest/gtest.h>

TEST(JoiningServices, TheTitleNamesTheFileOnlyWhenItExists)
{
    TestWindow w;
    const QString appName = App_Name;
    App_Name = "Card App";
    w.document.Front_card_Prop.setCard_Name("Gate Pass");
    w.document.Project_File_Name.clear();
    w.controller.Set_Log_Name_In_Title();
    EXPECT_EQ(w.controller.window()->windowTitle(), "Card App ( Gate Pass )");
    const QString file = testsupport::testHome() + "/Front Desk.zcd";
    w.document.Project_File_Name = file;
    EXPECT_EQ(w.document.displayName(), "Card App ( Gate Pass )") << "no such file yet";
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_EQ(w.document.displayName(), "Card App ( Gate Pass - Front Desk.zcd )");
    w.controller.Set_Log_Name_In_Title();
    EXPECT_EQ(w.controller.window()->windowTitle(), "Card App ( Gate Pass - Front Desk.zcd )");
    w.document.Project_File_Name.clear();
    App_Name = appName;
}

TEST(JoiningServices, SetFocusActivatesTheWindowAndFocusesTheBox)
{
    TestWindow w;
    QLineEdit *name_value = Visitor_Panel_Sync(w.controller.document).Text_Box("Fup_Name");
    ASSERT_NE(name_value, nullptr);
    name_value->setEnabled(true);
    w.controller.ui.Visitor_Panel_Area->show();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    w.controller.SetFocus(name_value);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), w.controller.window());
    EXPECT_EQ(QApplication::focusWidget(), name_value);
    w.controller.SetFocus(nullptr);  // nothing to focus: nothing happens
    EXPECT_EQ(QApplication::focusWidget(), name_value);
}

TEST(JoiningServices, CreatingAControlIsOneGroupOfTheDocumentsRecord)
{
    TestWindow w;
    Document_Undo &undo = w.document.undoManager();
    undo.removeAllActions();
    SKTGraphic *g = w.controller._graphicView->createGraphicOfClass(GraphicKind::Shape, std::nullopt, true,
                                                                    {10, 10, 40, 30}, Card_Side::Front, "", "");
    ASSERT_NE(g, nullptr);
    undo.checkpoint();
    EXPECT_EQ(undo.undoCount(), 1);
    const QColor made = g->_fillColor;
    g->setFillColor(Qt::green);  // a group of its own
    undo.checkpoint();
    EXPECT_EQ(undo.undoCount(), 2);
    undo.undo();
    EXPECT_EQ(g->_fillColor, made);
    undo.undo();
    EXPECT_TRUE(w.front().isEmpty());

    // A creation taken back leaves no step behind, and the step before it stays.
    GraphicPtr kept = w.add(w.front(), GraphicKind::Shape, {0, 0, 5, 5});
    undo.checkpoint();
    const int before = undo.undoCount();
    w.controller.Begin_Creation_Undo_Group();
    GraphicPtr taken = SKTGraphic::create(GraphicKind::Shape);
    w.front().insert(taken, 0);
    w.controller.End_Creation_Undo_Group(true);
    EXPECT_FALSE(w.front().contains(taken.get()));
    EXPECT_TRUE(w.front().contains(kept.get()));
    EXPECT_EQ(undo.undoCount(), before);
    EXPECT_EQ(undo.redoCount(), 0);
    // Nothing recorded in the group (a back-side creation): nothing is undone.
    w.controller.Begin_Creation_Undo_Group();
    w.controller.End_Creation_Undo_Group(true);
    EXPECT_TRUE(w.front().contains(kept.get()));
    EXPECT_EQ(undo.undoCount(), before);
}
