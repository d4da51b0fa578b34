// The series, spreadsheet and group-mode windows fit the area a 1366 x 768 laptop
// screen leaves a window: each of them with long texts where a text can be long, the
// group-mode wizard with every page.
#include "BatchWizard.h"
#include "Data_From_Excel.h"
#include "Generate_List.h"
#include "Globals.h"
#include "Group_Mode_Wizard.h"
#include "Import_Wizard.h"
#include "SKTDocument.h"
#include "SeriesDialogs.h"
#include "SheetImport.h"
#include "Shots.h"
#include "SmallScreen.h"
#include "TestSupport.h"
#include "Update_XL_Column.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QStackedWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using testsupport::fitsSmallScreen;

TEST(SmallScreen, DataWindowsFit)
{
    const QString home = testsupport::testHome();
    const QString longPath = home + "/" + QString(30, 'p') + "/" + QString(200, 'q') + ".xlsx";
    QDir().mkpath(home + "/DataSet");
    SeriesServices services;
    services.folder = home + "/DataSet";
    services.templateFolder = Resource_Path;
    Group_Wizard_Services group;
    group.dataFolder = home + "/";
    group.templatesFolder = Resource_Path + "Templates";
    group.userTemplatesFolder = home + "/Templates/User";
    SKTDocument doc;
    for (int k = 0; k < 40; ++k) doc.Add_ColList_Column(QStringLiteral("Column title %1").arg(k));
    for (int r = 0; r < 60; ++r) doc.Create_List_By_Array(QStringList(40, QString(30, 'v')), 40);

    const std::pair<const char *, std::function<std::unique_ptr<QWidget>()>> windows[] = {
        {"series-wizard", [&] { return std::make_unique<BatchWizard>(services); }},
        {"generate-list", [&] { return std::make_unique<Generate_List>(services); }},
        {"import-wizard", [&] { return std::make_unique<Import_Wizard>(services); }},
        {"import-values", [&] { return std::make_unique<Import_Excel>(nullptr, [](const QString &) {}); }},
        {"import-columns", [&] { return std::make_unique<Import_Excel_DataSheet>(services); }},
        {"series-number", [] { return std::make_unique<Load_Num_Info>(); }},
        {"series-value", [] { return std::make_unique<Update_Ex_Num>(); }},
        {"new-folder", [&] { return std::make_unique<CreateFolder>(home + "/Group"); }},
        {"series-values", [&] { return std::make_unique<View_Data_Series>(services.folder); }},
        {"spreadsheet-source", [&] { return std::make_unique<Data_From_Excel>(doc); }},
        {"group-wizard",
         [&] {
             auto wizard = std::make_unique<Group_Mode_Wizard>(group);
             wizard->Pass_proj_name->setText(QString(120, 'n'));
             wizard->Pass_proj_path->setText(longPath);
             wizard->Pass_excel_file->setText(longPath);
             return wizard;
         }},
        {"update-column",
         [&] {
             auto dialog = std::make_unique<Update_XL_Column>(doc);
             Column_Dialog_Side side;
             side.captions = QStringList(10, QStringLiteral("Position / Title :"));
             side.projectName = QString(120, 'n');
             side.projectPath = longPath;
             side.excelFile = longPath;
             for (int k = 1; k <= 30; ++k) side.userRows.push_back({QStringLiteral("F_field%1").arg(k), true, -1});
             dialog->Fill(side);
             return dialog;
         }},
    };
    for (const auto &[name, make] : windows) {
        std::unique_ptr<QWidget> window = make();
        EXPECT_TRUE(fitsSmallScreen(*window)) << name;
        testsupport::saveShownShot(*window, QStringLiteral("win-%1").arg(name));
    }
}

TEST(SmallScreen, GroupWizardFitsOnEachPage)
{
    const QString home = testsupport::testHome();
    Group_Wizard_Services group;
    group.dataFolder = home + "/";
    group.templatesFolder = Resource_Path + "Templates";
    group.userTemplatesFolder = home + "/Templates/User";
    Group_Mode_Wizard wizard(group);
    wizard.show();
    const QSize opened = wizard.size();
    for (int page = 0; page < wizard.pages->count(); ++page) {
        wizard.pages->setCurrentIndex(page);
        QCoreApplication::processEvents();
        EXPECT_TRUE(fitsSmallScreen(wizard)) << "page " << page;
        EXPECT_EQ(wizard.size(), opened) << "page " << page;
        testsupport::saveShot(wizard, QStringLiteral("win-group-wizard-page-%1").arg(page + 1));
    }
}
