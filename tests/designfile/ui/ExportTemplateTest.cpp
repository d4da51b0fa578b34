#include "Export_Template.h"
#include "Globals.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(ExportTemplate, NameChecks)
{
    Export_Template nameDialog;
    Export_Template *dialog = &nameDialog;
    QDir().mkpath(Export_Template::userTemplateFolder());
    QFile existing(Export_Template::userTemplateFolder() + "/Badge.zcd");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    auto &boxes = testsupport::boxes();
    boxes.clear();

    dialog->setResult(0);  // as a run of the dialog starts
    dialog->template_passed.clear();
    dialog->template_name->setText("   ");
    dialog->OKPressed();
    EXPECT_EQ(boxes.take(), QStringList{"\nPlease enter template name."});
    EXPECT_EQ(dialog->result(), 0);

    export_template_name.clear();
    dialog->template_name->setText(" Badge ");
    boxes.answerNext(0);  // No: keep the dialog open
    dialog->OKPressed();
    EXPECT_TRUE(export_template_name.isEmpty());
    boxes.answerNext(1);
    dialog->OKPressed();
    EXPECT_EQ(export_template_name, "Badge");
    EXPECT_EQ(boxes.take().size(), 2);

    // Renaming another template onto an existing name is refused without a question.
    export_template_name.clear();
    dialog->template_passed = "Other";
    dialog->OKPressed();
    EXPECT_EQ(boxes.take(), QStringList{"\nTemplate with this name already exists."});
    EXPECT_TRUE(export_template_name.isEmpty());

    // Reserved characters at the ends are stripped, an inner "/" becomes "_".
    dialog->template_passed.clear();
    dialog->template_name->setText("<Visitor/Pass>");
    dialog->OKPressed();
    EXPECT_EQ(export_template_name, "Visitor_Pass");
}
