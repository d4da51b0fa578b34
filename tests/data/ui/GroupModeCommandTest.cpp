// The "Group Mode" command on a design: a new project whose template cannot be read
// leaves the design as it was and saves nothing.
#include "../Checkers.h"
#include "GroupDesk.h"
#include "Group_Mode_Wizard.h"
#include "Template_Gallery.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// Five people in a workbook written by openpyxl; "" when it could not be written.
QString people()
{
    const QString book = testsupport::testHome() + "/people.xlsx";
    const QString error = checkers::python(
        "import sys, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
        "for r in [['Name', 'Title', 'Company'], ['Ann Lee', 'Boss', 'Acme'], ['Bob Ray', 'Clerk', 'Acme'],"
        " ['Cy Oh', 'Cook', 'Inn'], ['Di Fox', 'Driver', 'Cabs'], ['Ed Sun', 'Editor', 'Press']]: ws.append(r)\n"
        "wb.save(sys.argv[1])",
        {book});
    return error.isEmpty() ? book : QString();
}

// Fills the project page with a new project and goes on to the template page.
void newProject(Group_Mode_Wizard &w, const QString &book)
{
    w.start_new_btn->click();
    w.proj_name->setText("Staff");
    w.excel_path->setText(book);
    w.ok_btn->click();
}

TEST(GroupModeCommand, TemplateThatFailsToLoadSavesNothing)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
    GroupDesk w;
    w.document.Start_Card_Option = Card_Mode::Visitor;
    testsupport::boxes().clear();
    const QString book = people();
    const QString user = Created_Resource_Path + "Templates/User/";
    QDir().mkpath(user);
    QImage preview(40, 30, QImage::Format_RGB32);
    preview.fill(Qt::red);
    ASSERT_TRUE(preview.save(user + "Broken.png"));
    QFile broken(user + "Broken.zcd");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a design");
    broken.close();
    const int controls = w.front().count();
    Group_Mode_Wizard &wizard = w.group.Group_Mode_Window();
    QStringList during;
    wizard.whileOpen = [&](SeriesDialog &) {
        newProject(wizard, book);
        wizard.gallery->cat_cmbo_bx->setCurrentIndex(1);
        wizard.ok_btn->click();
        wizard.columnCombos[0]->setCurrentIndex(1);
        testsupport::boxes().take();
        wizard.ok_btn->click();
        during = testsupport::boxes().take();
        EXPECT_EQ(wizard.next_counter, 2) << "the wizard stays on the column page";
        wizard.cancel_btn->click();
    };
    w.group.Group_Mode_Clicked();
    EXPECT_EQ(during.size(), 1) << "the reader's message";
    EXPECT_FALSE(QFileInfo::exists(Created_Resource_Path + "Group_Excel_Data/All/Staff.zcd"));
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_TRUE(w.document.ListData().isEmpty());
    EXPECT_EQ(w.front().count(), controls);
}

} // namespace
