// The data-source section in the main window: binding the selected text shows the
// first value at once, one undo puts the typed value back.
#include "DataSourceSection.h"
#include "Globals.h"
#include "SKTGraphicView.h"
#include "TestWindow.h"

#include <QComboBox>
#include <QFile>
#include <QTabWidget>
#include <gtest/gtest.h>

TEST(DataSource, BindingShowsTheFirstValueAndUndoPutsTheTypedValueBack)
{
    TestWindow w;
    QFile f(Data_Folder_Path + "/Staff.txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Ann\nBob\n");
    f.close();
    GraphicPtr text = w.add(w.front(), GraphicKind::Text, QRectF(10, 10, 100, 20));
    text->Set_text_value("typed");
    w.controller._graphicView->selectGraphics({text.get()});
    w.controller.Set_Selected_Graphic(text.get());
    w.controller.Show_RHS_Properties(text.get());
    // The text's tabs include the data source.
    bool shown = false;
    for (int i = 0; i < w.controller.ui.sett_tab->count(); ++i) shown = shown || w.controller.ui.sett_tab->tabText(i) == "Data Source";
    EXPECT_TRUE(shown);

    DataSourceSection &section = *w.controller.dataSourceSection;
    section.Data_source_type->setCurrentIndex(1);
    const int staff = section.Batch_Series->findText("Staff");
    ASSERT_EQ(staff, 0);
    section.Batch_Series->setCurrentIndex(staff);
    emit section.Batch_Series->activated(staff);
    EXPECT_EQ(text->Text_Value, "Ann");
    EXPECT_EQ(text->batch_list_name, "Staff");

    w.controller.Undo_Action_Perform();
    SKTGraphic *restored = w.top(w.front());
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->Text_Value, "typed");
}
