// The card values of an open design: the engine follows the series folder, one batch
// run at a time, the run starts from the design's selected row.
#include "AsLoadedAdjuster.h"
#include "CardValues.h"
#include "RunUnderWay.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writeSeries(const QTemporaryDir &dir, const char *name, const QByteArray &values)
{
    QFile f(dir.filePath(QString::fromLatin1(name) + ".txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(values);
}

GraphicPtr boundText(SKTDocument &doc, int side, int source, const QString &series, int index)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
    g->_bounds = QRectF(10, 10, 80, 20);
    g->Set_Data_source_type(source);
    if (source == 1) {
        g->Set_Batch_List_Name(series);
        g->Set_Batch_List_Index(index);
    } else {
        g->Set_Excel_binding_Index(index);
    }
    g->Set_text_value("design");
    doc.sideList(side).insert(g, doc.sideList(side).count());
    return g;
}
} // namespace

TEST(CardValues, TheEngineAndItsRunStayWhileTheFolderStays)
{
    QTemporaryDir a, b;
    writeSeries(a, "Ids", "1\n2\n3\n4");
    writeSeries(b, "Ids", "x\ny");
    SKTDocument doc;
    boundText(doc, 0, 1, "Ids", 0);
    QString folder = a.path();
    Card_Values values(doc, [&] { return folder; });

    values.Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(values.Engine().Total_Batch_Excel_Card(), 4);
    int resets = 0;
    {
        std::unique_ptr<BatchRunGuard> run = values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), true,
                                                                    [&] { ++resets; });
        ASSERT_TRUE(run);
        EXPECT_TRUE(values.Engine().isRunning());
        EXPECT_TRUE(values.Engine().Redraw_Held());
        EXPECT_EQ(values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), false, [&] { ++resets; }), nullptr)
            << "one run at a time";
        EXPECT_EQ(resets, 0);
    }
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(values.Engine().isRunning());

    // Another folder while a run holds the engine: the run keeps it to its end; then a
    // fresh engine over the new folder's series.
    {
        const std::unique_ptr<BatchRunGuard> run =
            values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), false, {});
        ASSERT_TRUE(run);
        folder = b.path();
        EXPECT_TRUE(values.Engine().isRunning()) << "the run's engine stays while it runs";
        EXPECT_EQ(values.Engine().Total_Batch_Excel_Card(), 4);
        EXPECT_EQ(values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), false, {}), nullptr)
            << "still one run at a time";
    }
    EXPECT_FALSE(values.Engine().isRunning());
    EXPECT_EQ(values.Engine().Total_Batch_Excel_Card(), 1) << "nothing counted yet";
    values.Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(values.Engine().Total_Batch_Excel_Card(), 2);
}

TEST(CardValues, AGroupRunFillsTheSideNotShownFromTheSelectedRow)
{
    SKTDocument doc;
    doc.Front_card_Prop.setCard_Side("2");
    doc.Add_ColList_Column("Name");
    for (const char *name : {"Ann", "Bob", "Cy"}) doc.Create_List_By_Array({QString::fromLatin1(name)}, 1);
    boundText(doc, 1, 2, "", 1);
    doc.Start_Card_Option = Card_Mode::Group;
    doc.Mark_List_New_Selection(1);
    Card_Values values(doc, [] { return QStringLiteral("/no/such/folder"); });
    const std::unique_ptr<BatchRunGuard> run = values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), false, {});
    ASSERT_TRUE(run);
    EXPECT_EQ(values.Engine().Total_Batch_Excel_Card(), 3);
    EXPECT_EQ(values.Engine().Side_Copy(1).controls.at(0)->Text_Value, "Bob");
    EXPECT_EQ(doc.graphics_back().at(0)->Text_Value, "design");
}

TEST(CardValues, ABatchRunPutsTheDesignBack)
{
    SKTDocument doc;
    doc.Add_ColList_Column("Name");
    for (const char *n : {"Ann", "Bob"}) doc.Create_List_By_Array({n}, 1);
    GraphicPtr text = boundText(doc, 0, 2, "", 1);
    Card_Values values(doc, [] { return QStringLiteral("/no/such/folder"); });
    const RenderResources resources = Application_Render_Resources(asLoaded());
    {
        std::unique_ptr<BatchRunGuard> run = values.Begin_Batch_Run(resources, true, {});
        ASSERT_TRUE(run);
        EXPECT_FALSE(values.Begin_Batch_Run(resources, false, {}));  // one run at a time
        EXPECT_EQ(values.Engine().Total_Batch_Excel_Card(), 2);
        EXPECT_FALSE(values.Engine().Set_data_table_value_to_card(1, Card_Side::Front).isNull());
        EXPECT_TRUE(values.Engine().Redraw_Held());
    }
    EXPECT_FALSE(values.Engine().Redraw_Held());
    EXPECT_EQ(text->Text_Value, "design");
}

// A second run asked for while one holds the engine is refused before anything is
// recounted: the running one's cards and values stay as they were taken, and the user
// is told why.
TEST(CardValues, ARefusedSecondRunLeavesTheRunningOnesValues)
{
    QTemporaryDir dir;
    writeSeries(dir, "Ids", "1\n2");
    SKTDocument doc;
    boundText(doc, 0, 1, "Ids", 0);
    Card_Values values(doc, [&] { return dir.path(); });
    std::unique_ptr<BatchRunGuard> run = values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), false, {});
    ASSERT_TRUE(run);
    EXPECT_TRUE(values.Run_Under_Way());
    writeSeries(dir, "Ids", "a\nb\nCy");
    testsupport::boxes().clear();
    EXPECT_EQ(values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), false, {}), nullptr);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\n" + Run_Under_Way_Text()});
    const CardValueEngine &engine = values.Engine();
    EXPECT_EQ(engine.Total_Batch_Excel_Card(), 2);
    EXPECT_EQ(engine.Get_sel_row_col_value_of_dataset(0, 0), "1");
    EXPECT_EQ(engine.Get_sel_row_col_value_of_dataset(2, 0), "");
    run.reset();
    EXPECT_FALSE(values.Run_Under_Way());
}
