// The per-card value engine: use flags and card counts, values of series and cells,
// the backup and restore around a run, cards made on several threads, card N as PDF.
#include "AsLoadedAdjuster.h"
#include "BarcodeEngine.h"
#include "CardValueEngine.h"
#include "Globals.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"
#include "SKTText.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

#include "QStringPrinter.h"

namespace {

class Engine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    void series(const QString &name, const QByteArray &content)
    {
        QFile f(folder.filePath(name + ".txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    CardValueEngine engine() const { return CardValueEngine(folder.path()); }

    static GraphicPtr bound(GraphicKind kind, int source, const QString &name, int index)
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->_bounds = QRectF(10, 10, 80, 20);
        g->Set_Data_source_type(source);
        if (source == 1) {
            g->Set_Batch_List_Name(name);
            g->Set_Batch_List_Index(index);
        } else if (source == 2) {
            g->Set_Excel_binding_Index(index);
        }
        return g;
    }
    static void add(SKTDocument &doc, int side, const GraphicPtr &g) { doc.sideList(side).insert(g, doc.sideList(side).count()); }

    QTemporaryDir folder;
};

RenderResources resources() { return Application_Render_Resources(asLoaded()); }

std::vector<KeyedArchive> archives(const SKTGraphicList &side)
{
    std::vector<KeyedArchive> out;
    for (const GraphicPtr &g : side.items()) out.push_back(g->encode());
    return out;
}

} // namespace

TEST_F(Engine, CardCounts)
{
    series("five", "1\n2\n3\n4\n5");
    series("three", "a\nb\nc");
    series("four", "w\nx\ny\nz");
    struct Case {
        const char *what;
        std::vector<GraphicPtr> front;
        int rows;
        bool useSeries, useExcel;
        int cards;
    };
    const std::vector<Case> cases = {
        {"nothing bound", {SKTGraphic::create(GraphicKind::Text)}, 3, false, false, 1},
        {"series of 5 and 3", {bound(GraphicKind::Text, 1, "five", 1), bound(GraphicKind::Text, 1, "three", 2)}, 0, true, false, 5},
        {"10 rows and 4 values", {bound(GraphicKind::Text, 1, "four", 0), bound(GraphicKind::Image, 2, "", 1)}, 10, true, true, 10},
        {"column without rows", {bound(GraphicKind::Text, 2, "", 1)}, 0, false, false, 1},
        {"left out of batches", {[] { GraphicPtr g = bound(GraphicKind::Text, 1, "five", 1); g->print_object = 1; return g; }()}, 0, false, false, 1},
        {"not a value kind", {bound(GraphicKind::Shape, 1, "five", 1)}, 0, false, false, 1},
        {"series without index", {bound(GraphicKind::Text, 1, "five", -1)}, 0, false, false, 1},
        {"column -1", {bound(GraphicKind::Text, 2, "", -1)}, 3, false, false, 1},
    };
    for (const Case &c : cases) {
        SKTDocument doc;
        for (const GraphicPtr &g : c.front) add(doc, 0, g);
        for (int r = 0; r < c.rows; ++r) doc.Create_List_By_Array({QString("n%1").arg(r)}, 1);
        CardValueEngine e = engine();
        e.Check_Series_Or_Excel_Use_or_not(doc);
        EXPECT_EQ(e.Use_Data_Sheet_Values(), c.useSeries) << c.what;
        EXPECT_EQ(e.Use_Excel_Binding_Values(), c.useExcel) << c.what;
        EXPECT_EQ(e.Total_Batch_Excel_Card(), c.cards) << c.what;
    }
}

// A run leaves out a source turned off and takes it back when turned on again; a source
// the design does not use stays off, ticked or not.
TEST_F(Engine, ARunUsesOnlyTheTickedSourcesOfTheDesign)
{
    series("four", "w\nx\ny\nz");
    struct Step {
        bool series, excel, useSeries, useExcel;
        int cards;
    };
    const std::vector<Step> seriesOnly = {{true, true, true, false, 4}, {false, true, false, false, 1}, {true, true, true, false, 4}};
    const std::vector<Step> sheetOnly = {{true, true, false, true, 10}, {true, false, false, false, 1}, {true, true, false, true, 10}};
    for (int source : {1, 2}) {
        SKTDocument doc;
        add(doc, 0, bound(GraphicKind::Text, source, "four", source == 1 ? 0 : 1));
        for (int r = 0; r < 10; ++r) doc.Create_List_By_Array({QString("n%1").arg(r)}, 1);
        CardValueEngine e = engine();
        e.Check_Series_Or_Excel_Use_or_not(doc);
        for (const Step &s : source == 1 ? seriesOnly : sheetOnly) {
            e.Use_Only_Sources(s.series, s.excel);
            EXPECT_EQ(std::tuple(e.Use_Data_Sheet_Values(), e.Use_Excel_Binding_Values(), e.Total_Batch_Excel_Card()),
                      std::tuple(s.useSeries, s.useExcel, s.cards))
                << source << s.series << s.excel;
        }
    }
}

TEST_F(Engine, BackSideCountsOnlyOnTwoSidedCards)
{
    series("five", "1\n2\n3\n4\n5");
    for (const char *sides : {"1", "2"}) {
        SKTDocument doc;
        doc.Front_card_Prop.setCard_Side(sides);
        add(doc, 1, bound(GraphicKind::Text, 1, "five", 0));
        CardValueEngine e = engine();
        e.Check_Series_Or_Excel_Use_or_not(doc);
        EXPECT_EQ(e.Total_Batch_Excel_Card(), QString(sides) == "2" ? 5 : 1) << sides;
    }
}

TEST_F(Engine, ShortSeriesGivesEmptyValuesPastItsEnd)
{
    series("five", "1\n2\n3\n4\n5");
    series("three", "A\nB\nC");  // Code 39 takes upper-case letters
    SKTDocument doc;
    GraphicPtr text = bound(GraphicKind::Text, 1, "three", 1);
    text->Set_text_value("design");
    GraphicPtr image = bound(GraphicKind::Image, 1, "three", 1);
    GraphicPtr barcode = bound(GraphicKind::Barcode, 1, "three", 1);
    barcode->bar_image_ctrl_bounds = QRectF(100, 50, 60, 40);
    for (const GraphicPtr &g : {bound(GraphicKind::Text, 1, "five", 0), text, image, barcode}) add(doc, 0, g);
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    e.Create_Design_Backup_Array(doc, resources());
    ASSERT_EQ(e.Total_Batch_Excel_Card(), 5);

    struct Row {
        int card;
        QString five, three;
        bool barcodePicture;
        // What the card is named for: a value that is no picture file, a barcode without
        // a value; a blank text and an empty picture path are values like any other.
        QStringList missing;
    };
    for (const Row &r : std::vector<Row>{{0, "1", "A", true, {"photo \"A\" cannot be read"}},
                                         {2, "3", "C", true, {"photo \"C\" cannot be read"}},
                                         {3, "4", "", false, {"no barcode value"}},
                                         {4, "5", "", false, {"no barcode value"}}}) {
        SideCopy copy = e.Side_Copy(0);
        QStringList missing;
        e.Assign_Batch_Values_To_Control(copy.controls, r.card, &missing);
        EXPECT_EQ(missing, r.missing) << r.card;
        EXPECT_EQ(copy.controls[0]->Text_Value, r.five) << r.card;
        EXPECT_EQ(copy.controls[1]->Text_Value, r.three) << r.card;
        EXPECT_EQ(copy.controls[2]->_file_path, r.three) << r.card;
        EXPECT_EQ(!copy.controls[3]->_barcode_image.isNull(), r.barcodePicture) << r.card;
        // The card's own Code 39 picture of the value, centred in its frame; no picture: no size.
        const QSizeF size = copy.controls[3]->_barcode_image.size();
        if (r.barcodePicture) {
            EXPECT_GT(size.width(), 0) << r.card;
        }
        EXPECT_EQ(copy.controls[3]->bounds(),
                  r.barcodePicture ? QRectF(130 - size.width() / 2, 70 - size.height() / 2, size.width(), size.height())
                                   : QRectF(10, 10, 0, 0))
            << r.card;
    }
    EXPECT_EQ(text->Text_Value, "design");  // the live design is not filled
}

TEST_F(Engine, SeriesDeletedAfterBinding)
{
    series("gone", "x\ny");
    SKTDocument doc;
    GraphicPtr barcode = bound(GraphicKind::Barcode, 1, "gone", 0);
    barcode->linear_font_val = "12345";
    GraphicPtr noData = bound(GraphicKind::Barcode, 1, "gone", 0);
    noData->linear_font_val = noData->two_d_font_val = "";
    noData->linear_or_2d = 1;
    barcode->two_d_font_val = "";
    for (const GraphicPtr &g : {bound(GraphicKind::Text, 1, "gone", 0), bound(GraphicKind::Image, 1, "gone", 0), barcode, noData})
        add(doc, 0, g);
    doc.graphics().at(0)->Set_text_value("design");
    ASSERT_TRUE(QFile::remove(folder.filePath("gone.txt")));
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    e.Create_Design_Backup_Array(doc, resources());
    SideCopy copy = e.Side_Copy(0);
    e.Assign_Batch_Values_To_Control(copy.controls, 0);
    EXPECT_EQ(copy.controls[0]->Text_Value, "");
    EXPECT_EQ(copy.controls[1]->_file_path, "");
    EXPECT_FALSE(copy.controls[2]->_barcode_image.isNull());  // its own data
    EXPECT_TRUE(copy.controls[3]->_barcode_image.isNull());
}

TEST_F(Engine, SeriesFileValues)
{
    const std::vector<std::pair<QByteArray, QStringList>> files = {
        {"\n\nA\n\nB\n\n", {"A", "", "B"}},
        {" one \r\ntwo", {"one ", "two"}},  // CR LF, like LF and CR alone, ends a line
        {"", {""}},
        {"\xc3\xa9t\xc3\xa9", {"\u00e9t\u00e9"}},
    };
    CardValueEngine e = engine();
    for (const auto &[content, values] : files) {
        series("s", content);
        EXPECT_EQ(e.Series_Values("s"), values) << content.constData();
    }
    EXPECT_EQ(e.Series_Values("missing"), std::nullopt);

    const std::vector<std::pair<QByteArray, QString>> first = {{" A \nB", " A "}, {"\n\nA", ""}, {"only", "only"}};
    for (const auto &[content, value] : first) {
        series("f", content);
        EXPECT_EQ(e.Get_First_Value_Of_Dataset("f"), value) << content.constData();
    }
    EXPECT_EQ(e.Get_First_Value_Of_Dataset("missing"), "");
}

TEST_F(Engine, SeriesListAndLookupByName)
{
    for (const char *name : {"names.txt", "Names.txt", "b.txt", "c.TXT", "d.csv", ".txt"}) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(folder.path()).mkdir("dir.txt"));
    CardValueEngine e = engine();
    ASSERT_EQ(e.Get_datasheet_File_Name_Array(), (QStringList{"Names", "b", "c", "names"}));
    const std::vector<std::pair<QString, int>> lookups = {
        {"names", 3}, {"Names", 0}, {"NAMES", 0}, {"C", 2}, {"d", -1}, {"", -1}, {"dir", -1},
    };
    for (const auto &[name, index] : lookups) EXPECT_EQ(e.Get_Data_SetIndex_According_Name(name), index) << qPrintable(name);
    EXPECT_TRUE(CardValueEngine("/no/such/folder").Get_datasheet_File_Name_Array().isEmpty());

    // Two series differing in case are two files: each control gets its own.
    series("names", "lower");
    series("Names", "upper");
    SKTDocument doc;
    add(doc, 0, bound(GraphicKind::Text, 1, "names", 3));
    add(doc, 0, bound(GraphicKind::Text, 1, "Names", 0));
    e.Check_Series_Or_Excel_Use_or_not(doc);
    e.Create_Design_Backup_Array(doc, resources());
    SideCopy copy = e.Side_Copy(0);
    e.Assign_Batch_Values_To_Control(copy.controls, 0);
    EXPECT_EQ(copy.controls[0]->Text_Value, "lower");
    EXPECT_EQ(copy.controls[1]->Text_Value, "upper");
}

TEST_F(Engine, InUseTest)
{
    series("used", "v");
    series("free", "v");
    SKTDocument doc;
    add(doc, 1, bound(GraphicKind::Text, 1, "used", 1));
    doc.Front_card_Prop.setCard_Side("1");
    CardValueEngine e = engine();
    EXPECT_FALSE(e.Check_Batch_File_In_Use_Validation("used", doc));  // one-sided card
    doc.Front_card_Prop.setCard_Side("2");
    EXPECT_TRUE(e.Check_Batch_File_In_Use_Validation("used", doc));
    EXPECT_FALSE(e.Check_Batch_File_In_Use_Validation("USED", doc));
    EXPECT_FALSE(e.Check_Batch_File_In_Use_Validation("free", doc));
    QFile::remove(folder.filePath("used.txt"));
    EXPECT_FALSE(e.Check_Batch_File_In_Use_Validation("used", doc));
}

TEST_F(Engine, SpreadsheetValues)
{
    SKTDocument doc;
    doc.Add_ColList_Column("Name");
    doc.Add_ColList_Column("Town");
    doc.Create_List_By_Array({" Ann ", ""}, 2);
    doc.Create_List_By_Array({"Bob", "Rome"}, 2);
    GraphicPtr number = bound(GraphicKind::Text, 2, "", 0);
    GraphicPtr town = bound(GraphicKind::Text, 2, "", 2);
    GraphicPtr kept = bound(GraphicKind::Text, 2, "", 1);
    kept->print_object = 1;
    kept->Set_text_value("design");
    for (const GraphicPtr &g : {number, town, kept}) add(doc, 0, g);

    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    const std::vector<std::tuple<int, int, QString>> cells = {
        {0, 0, "1"}, {0, 1, "Ann"}, {1, 2, "Rome"}, {2, 1, ""}, {-1, 1, ""}, {0, -1, ""}, {0, 7, ""},
    };
    for (const auto &[card, column, value] : cells) EXPECT_EQ(e.Get_sel_row_col_value_of_Excel(card, column), value) << card << column;
    e.Create_Design_Backup_Array(doc, resources());
    SideCopy copy = e.Side_Copy(0);
    e.Assign_Batch_Values_To_Control(copy.controls, 0);
    EXPECT_EQ(copy.controls[0]->Text_Value, "1");
    EXPECT_EQ(copy.controls[1]->Text_Value, "");
    EXPECT_EQ(copy.controls[2]->Text_Value, "design");

    const std::vector<std::pair<int, QString>> first = {{0, "1"}, {1, "Ann"}, {2, " "}, {5, " "}};
    for (const auto &[column, value] : first) EXPECT_EQ(CardValueEngine::Get_First_Value_Of_Excel_Binding(doc, column), value) << column;
    // The cell a binding shows: in group mode the picked row's, trimmed (an empty cell
    // empty); in any other mode, or with no row picked, the first row's.
    const std::vector<std::tuple<Card_Mode, int, int, QString>> shown = {
        {Card_Mode::Group, 1, 2, "Rome"}, {Card_Mode::Group, 0, 2, ""},    {Card_Mode::Group, -1, 2, " "},
        {Card_Mode::Visitor, 1, 2, " "},  {Card_Mode::Opened, 1, 1, "Ann"},
    };
    for (const auto &[mode, row, column, value] : shown) {
        doc.Start_Card_Option = mode;
        doc.Mark_List_New_Selection(row);
        EXPECT_EQ(CardValueEngine::Column_Value_Shown(doc, column), value) << int(mode) << " row " << row << " column " << column;
    }
    EXPECT_EQ(CardValueEngine::Get_Excel_Column_Name_Of_Index(doc, 2), "Town");
    EXPECT_EQ(CardValueEngine::Get_Excel_Column_Name_Of_Index(doc, 0), "S.No.");
    EXPECT_EQ(CardValueEngine::Get_Excel_Column_Name_Of_Index(doc, 3), "");
    doc.Clear_ListData();
    EXPECT_EQ(CardValueEngine::Get_First_Value_Of_Excel_Binding(doc, 1), "");
    // Reads on an empty table are bounds-checked.
    e.Check_Series_Or_Excel_Use_or_not(doc);
    EXPECT_EQ(e.Get_sel_row_col_value_of_Excel(0, 1), "");
    EXPECT_EQ(e.Get_sel_row_col_value_of_dataset(0, 0), "");
}

namespace {
// One control of every kind on each side, the texts and pictures bound.
void everyKind(SKTDocument &doc, int side)
{
    int i = 0;
    for (GraphicKind kind : {GraphicKind::Line, GraphicKind::Text, GraphicKind::Shape, GraphicKind::Image,
                             GraphicKind::Signature, GraphicKind::Barcode}) {
        GraphicPtr g = SKTGraphic::create(kind);
        g->_bounds = QRectF(5 + 12 * i, 5 + 8 * i, 60, 18);
        g->ctrl_is_visible = true;
        if (kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode) {
            g->Set_Data_source_type(2);
            g->Set_Excel_binding_Index(1);
            g->bar_image_ctrl_bounds = QRectF(20, 20, 100, 50);
        }
        if (kind == GraphicKind::Text) g->Set_text_value(side == 0 ? "front design" : "back design");
        doc.sideList(side).insert(g, doc.sideList(side).count());
        ++i;
    }
}

void tenRows(SKTDocument &doc)
{
    doc.Add_ColList_Column("Name");
    for (int r = 0; r < 10; ++r) doc.Create_List_By_Array({QString("Person%1").arg(r)}, 1);
}
} // namespace

TEST_F(Engine, RunFindsNothingToRestoreAndRestoresAChangedDesign)
{
    SKTDocument doc;
    doc.Front_card_Prop.setCard_Side("2");
    everyKind(doc, 0);
    everyKind(doc, 1);
    tenRows(doc);
    const std::vector<KeyedArchive> front = archives(doc.graphics()), back = archives(doc.graphics_back());
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    bool reset = false;
    {
        BatchRunGuard guard(e, doc, resources(), -1, true, [&] { reset = true; });
        ASSERT_TRUE(guard.active());
        EXPECT_TRUE(e.Redraw_Held());
        EXPECT_FALSE(e.Set_data_table_value_to_card(3, Card_Side::Front).isNull());
        EXPECT_FALSE(e.Set_data_table_value_to_card(3, Card_Side::Back).isNull());
        EXPECT_FALSE(e.Create_Card_Design_Again(doc));  // nothing to undo
        // A design changed during the run is put back at its end.
        doc.graphics().at(1)->Set_text_value("changed");
        doc.graphics_back().at(5)->setXPosition(99);
    }
    EXPECT_TRUE(reset);
    EXPECT_FALSE(e.Redraw_Held());
    EXPECT_EQ(archives(doc.graphics()), front);
    EXPECT_EQ(archives(doc.graphics_back()), back);
    EXPECT_EQ(doc.graphics_back().at(5)->bar_image_ctrl_bounds, doc.graphics_back().at(5)->bounds());
}

// The visitor's photo is a mark of one control: a side put back after the run has it
// on the same control, whichever it was, and a side whose photo alone moved during the
// run is put back too.
TEST_F(Engine, ADesignPutBackKeepsEachSidesPhoto)
{
    auto picture = [](const QString &id, double y) {
        GraphicPtr g = SKTGraphic::create(GraphicKind::Image);
        g->control_ID = id;
        g->_bounds = QRectF(10, y, 40, 40);
        return g;
    };
    const struct Case {
        const char *what;
        int photo;        // the index of the photo before the run (-1: none)
        bool textChanged; // the run leaves a text changed
        int photoDuring;  // the photo the run leaves (-2: as before)
    } cases[] = {
        {"the photo without an ID, a text changed", 1, true, -2},
        {"the Fup_Photo below the logo, a text changed", 2, true, -2},
        {"no photo, a text changed", -1, true, -2},
        {"only the photo moved to another picture", 2, false, 1},
        {"only the photo taken away", 1, false, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SKTDocument doc;
        doc.Front_card_Prop.setCard_Side("2");
        for (int side : {0, 1}) {
            add(doc, side, bound(GraphicKind::Text, 0, "", -1));
            doc.sideList(side).at(0)->Set_text_value("Ann");
            add(doc, side, picture("", 60));
            add(doc, side, picture("Fup_Photo", 110));
        }
        for (int side : {0, 1})
            doc.Set_Visitor_Photo(side, c.photo < 0 ? nullptr : doc.sideList(side).at(c.photo).get());
        CardValueEngine e = engine();
        e.Check_Series_Or_Excel_Use_or_not(doc);
        {
            BatchRunGuard guard(e, doc, resources(), -1, true, nullptr);
            ASSERT_TRUE(guard.active());
            for (int side : {0, 1}) {
                if (c.textChanged) doc.sideList(side).at(0)->Set_text_value("card 3");
                if (c.photoDuring != -2)
                    doc.Set_Visitor_Photo(side, c.photoDuring < 0 ? nullptr : doc.sideList(side).at(c.photoDuring).get());
            }
        }
        for (int side : {0, 1}) {
            const SKTGraphicList &controls = doc.sideList(side);
            ASSERT_EQ(controls.count(), 3);
            EXPECT_EQ(controls.at(0)->Text_Value, "Ann") << side;
            const SKTGraphic *photo = doc.Visitor_Photo(side);
            EXPECT_EQ(photo ? controls.indexOf(photo) : -1, c.photo) << side;
        }
    }
}

TEST_F(Engine, RunStoppedByAnExceptionRestoresEverything)
{
    SKTDocument doc;
    everyKind(doc, 0);
    tenRows(doc);
    const std::vector<KeyedArchive> front = archives(doc.graphics());
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    int resets = 0;
    try {
        BatchRunGuard guard(e, doc, resources(), -1, true, [&] { ++resets; });
        // A second run is refused while one is active.
        BatchRunGuard second(e, doc, resources(), -1, false);
        EXPECT_FALSE(second.active());
        doc.graphics().at(1)->Set_text_value("half filled");
        throw std::runtime_error("mid-card");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(e.Redraw_Held());
    EXPECT_FALSE(e.isRunning());
    EXPECT_EQ(archives(doc.graphics()), front);
}

TEST_F(Engine, WorkersMakeTheSameCardsAsTheGuiThread)
{
    SKTDocument doc;
    everyKind(doc, 0);
    tenRows(doc);
    series("ids", QByteArray("0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n19\n20\n21\n22\n23\n24\n25\n26\n27\n28\n29\n30\n31\n32\n33\n34\n35\n36\n37\n38\n39"));
    GraphicPtr id = bound(GraphicKind::Text, 1, "ids", 0);
    id->ctrl_is_visible = true;
    id->_bounds = QRectF(120, 100, 100, 30);
    add(doc, 0, id);
    const std::vector<KeyedArchive> front = archives(doc.graphics());
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    ASSERT_EQ(e.Total_Batch_Excel_Card(), 40);
    BatchRunGuard guard(e, doc, resources(), -1, true);

    std::vector<QImage> alone(40), parallel(40);
    for (int n = 0; n < 40; ++n) alone[size_t(n)] = Rendered_Side_Image(e.Set_data_table_value_to_card(n, Card_Side::Front), 144);
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w)
        workers.emplace_back([&, w] {
            for (int n = w; n < 40; n += 4) parallel[size_t(n)] = Rendered_Side_Image(e.Set_data_table_value_to_card(n, Card_Side::Front), 144);
        });
    for (std::thread &t : workers) t.join();
    for (int n = 0; n < 40; ++n) {
        ASSERT_FALSE(alone[size_t(n)].isNull());
        EXPECT_TRUE(parallel[size_t(n)] == alone[size_t(n)]) << "card " << n;
    }
    EXPECT_FALSE(alone[0] == alone[1]);
    EXPECT_EQ(archives(doc.graphics()), front);
}

TEST_F(Engine, GroupModeFillsTheSideNotShownFromTheSelectedRow)
{
    SKTDocument doc;
    doc.Start_Card_Option = Card_Mode::Group;
    doc.Front_card_Prop.setCard_Side("2");
    everyKind(doc, 0);
    everyKind(doc, 1);
    tenRows(doc);
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    e.Set_Front_Back_Value_To_Print_Export_Mail(doc, resources(), 2);
    EXPECT_EQ(e.Side_Copy(1).controls[1]->Text_Value, "Person2");
    EXPECT_EQ(e.Side_Copy(0).controls[1]->Text_Value, "front design");
    EXPECT_EQ(doc.graphics_back().at(1)->Text_Value, "back design");
    // The back shown: the front is the side filled; the first row counts too.
    doc.Card_Front_Or_Back = 1;
    e.Set_Front_Back_Value_To_Print_Export_Mail(doc, resources(), 0);
    EXPECT_EQ(e.Side_Copy(0).controls[1]->Text_Value, "Person0");
    EXPECT_EQ(e.Side_Copy(1).controls[1]->Text_Value, "back design");
    // No row selected, or not in group mode: nothing filled.
    e.Set_Front_Back_Value_To_Print_Export_Mail(doc, resources(), -1);
    EXPECT_EQ(e.Side_Copy(0).controls[1]->Text_Value, "front design");
    doc.Start_Card_Option = Card_Mode::Opened;
    e.Set_Front_Back_Value_To_Print_Export_Mail(doc, resources(), 3);
    EXPECT_EQ(e.Side_Copy(0).controls[1]->Text_Value, "front design");
}

// A group design whose side's photo is the logo (a photo button put the photo there)
// and whose name text was left without its binding: each card of a run shows its own
// row in both, as the window shows the row picked, and the stand-in for a row without
// a photo, whoever the design showed.
TEST_F(Engine, GroupModeCardsShowEachRowInTheSidesPhoto)
{
    const auto flat = [&](const char *name, QColor colour) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder.filePath(name);
        image.save(path);
        return path;
    };
    const QString red = flat("a.png", Qt::red), green = flat("c.png", Qt::green), standIn = flat("no.png", Qt::magenta);
    const struct Row {
        QString name, photo;
        QString logo;  // what the card's logo names
        QRgb pixel;    // the logo's middle on the card
    } rows[] = {{"Ann", red, red, qRgb(255, 0, 0)},
                {"Bob", "", standIn, qRgb(255, 0, 255)},
                {"Cy", " " + green + " ", green, qRgb(0, 255, 0)}};
    SKTDocument doc;
    doc.Start_Card_Option = Card_Mode::Group;
    doc.Add_ColList_Column("Name");
    doc.Add_ColList_Column("Photo");
    for (const Row &r : rows) doc.Create_List_By_Array({r.name, r.photo}, 2);
    doc.m_columnChoices.excel_cb_value1 = 1;
    doc.m_columnChoices.excel_cb_value11 = 2;
    GraphicPtr name = SKTGraphic::create(GraphicKind::Text);
    name->control_ID = "Fup_Name";
    name->_bounds = QRectF(10, 60, 80, 20);
    name->Set_text_value("Cy");
    add(doc, 0, name);
    add(doc, 0, bound(GraphicKind::Image, 2, "", 2));
    GraphicPtr logo = SKTGraphic::create(GraphicKind::Image);
    logo->_bounds = QRectF(100, 10, 40, 30);
    static_cast<SKTImage &>(*logo).setFilePath(green, true);
    add(doc, 0, logo);
    doc.Set_Visitor_Photo(0, logo.get());
    // A text of no field, not bound: the design's own words on every card.
    GraphicPtr slogan = SKTGraphic::create(GraphicKind::Text);
    slogan->control_ID = "F_field1";
    slogan->_bounds = QRectF(10, 90, 80, 20);
    slogan->Set_text_value("Welcome");
    add(doc, 0, slogan);
    CardValueEngine e(folder.path(), standIn);
    e.Check_Series_Or_Excel_Use_or_not(doc);
    ASSERT_EQ(e.Total_Batch_Excel_Card(), 3);
    BatchRunGuard guard(e, doc, resources(), 2, false);
    for (int n = 0; n < 3; ++n) {
        const SideCopy card = e.Card_Copy(n, Card_Side::Front);
        ASSERT_EQ(card.controls.size(), 4u);
        EXPECT_EQ(card.controls[0]->Text_Value, rows[n].name) << n;
        EXPECT_EQ(card.controls[2]->FilePath(), rows[n].logo) << n;
        EXPECT_EQ(card.controls[3]->Text_Value, "Welcome") << n;
        const RenderedSide side = e.Set_data_table_value_to_card(n, Card_Side::Front);
        EXPECT_EQ(side.missing, QStringList()) << n << ": a row without a photo shows the stand-in, unnamed";
        const QImage image = Rendered_Side_Image(side, 72);
        EXPECT_EQ(image.pixel(120, 25), rows[n].pixel) << n;
    }
    EXPECT_EQ(logo->FilePath(), green) << "the design keeps the row the window shows";
}

TEST_F(Engine, CardNAsPdfShowsRowNsName)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    SKTDocument doc;
    tenRows(doc);
    GraphicPtr name = bound(GraphicKind::Text, 2, "", 1);
    name->ctrl_is_visible = true;
    name->_bounds = QRectF(10, 10, 200, 40);
    add(doc, 0, name);
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    e.Create_Design_Backup_Array(doc, resources());
    for (int n : {0, 7}) {
        const QString path = folder.filePath(QString("card%1.pdf").arg(n));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Rendered_Side_PDF(e.Set_data_table_value_to_card(n, Card_Side::Front)));
        f.close();
        QProcess p;
        p.setWorkingDirectory(folder.path());  // the reader may leave files where it runs
        p.start(pdftotext, {path, "-"});
        ASSERT_TRUE(testsupport::checkerFinished(p));
        EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QString("Person%1").arg(n));
    }
}

namespace card_value_engine_test {
// Each word of the side with its top left, as pdftotext -bbox reads them.
std::vector<std::string> pdfWords(const RenderedSide &side, const QString &folder)
{
    QFile f(folder + "/words.pdf");
    if (!f.open(QIODevice::WriteOnly) || f.write(Rendered_Side_PDF(side)) <= 0) return {"not written"};
    f.close();
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-bbox", f.fileName(), "-"});
    if (!testsupport::checkerFinished(p)) return {"checker did not start"};
    std::vector<std::string> words;
    static const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back(QString("%1 %2,%3").arg(m.captured(3), m.captured(1), m.captured(2)).toStdString());
    }
    return words;
}
} // namespace card_value_engine_test

TEST_F(Engine, ACardsTextIsDrawnFromItsDesignAndItsValueAlone)
{
    using card_value_engine_test::pdfWords;
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    // A name box one line high, middle-aligned, bound to the rows; the design opens
    // showing the long (three-line) value.
    const QString shortValue = "Ida Holm", longValue = "Bartholomew Alexander Fitzgerald";
    SKTDocument doc;
    doc.Add_ColList_Column("Name");
    for (const QString &value : {shortValue, longValue}) doc.Create_List_By_Array({value}, 1);
    GraphicPtr name = bound(GraphicKind::Text, 2, "", 1);
    name->text_ctrl_font = Font_With_Name("Liberation Sans", 12);
    name->Set_text_value(shortValue);
    name->_bounds = QRectF(10, 20, 80, static_cast<SKTText &>(*name).naturalSize().height());
    name->Text_Value = longValue;
    add(doc, 0, name);
    const auto card = [&](int row) {
        CardValueEngine e = engine();
        e.Check_Series_Or_Excel_Use_or_not(doc);
        e.Create_Design_Backup_Array(doc, resources());
        return pdfWords(e.Set_data_table_value_to_card(row, Card_Side::Front), folder.path());
    };
    const std::vector<std::string> shortCard = card(0), longCard = card(1);
    ASSERT_EQ(shortCard.size(), 2u);
    ASSERT_EQ(longCard.size(), 3u) << "the value equal to the screen's is whole";
    EXPECT_EQ(longCard[0].substr(longCard[0].find(',')), shortCard[0].substr(shortCard[0].find(',')))
        << "the first line stands where a one-line value stands";

    const QRectF designed = name->bounds();
    const std::vector<std::pair<const char *, std::function<void()>>> before = {
        {"the screen showed the short value", [&] { name->Set_text_value(shortValue); }},
        {"the screen showed the long value", [&] { name->Set_text_value(longValue); }},
        {"saved and reopened, or undone and redone",
         [&] {
             doc.sideList(0).removeAt(0);
             name = SKTGraphic::decode(name->encode());
             add(doc, 0, name);
         }},
    };
    for (const auto &[what, step] : before) {
        step();
        QCoreApplication::processEvents();
        EXPECT_EQ(name->bounds(), designed) << what;
        EXPECT_EQ(card(0), shortCard) << what;
        EXPECT_EQ(card(1), longCard) << what;
    }
    EXPECT_EQ(pdfWords(Render_Side_Drawing(doc.graphics().items(), doc.cardBounds(), nullptr, resources()), folder.path()),
              longCard)
        << "the screen shows the long value whole, where the cards do";
}

TEST_F(Engine, MirroredSide)
{
    SKTDocument doc;
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->_bounds = QRectF(0, 0, 20, 10);
    shape->ctrl_is_visible = true;
    shape->setDrawingFill(true);
    shape->setFillColor(Qt::red);
    shape->setDrawingStroke(false);
    add(doc, 0, shape);
    const RenderedSide side = Render_Side_Picture(doc.graphics().items(), QRectF(0, 0, 100, 50), nullptr, resources());
    struct Case {
        Side_Mirror mirror;
        QPoint red, clear;
    };
    for (const Case &c : std::vector<Case>{{Side_Mirror::None, {5, 5}, {95, 5}},
                                           {Side_Mirror::Horizontal, {95, 5}, {5, 5}},
                                           {Side_Mirror::Vertical, {5, 45}, {5, 5}}}) {
        const QImage image = Rendered_Side_Image(side, 72, c.mirror);
        ASSERT_EQ(image.size(), QSize(100, 50));
        EXPECT_EQ(image.pixelColor(c.red), QColor(Qt::red)) << int(c.mirror);
        EXPECT_EQ(image.pixelColor(c.clear).alpha(), 0) << int(c.mirror);
    }
}

TEST_F(Engine, MirroredSideIsTheWholePictureTurnedOver)
{
    SKTDocument doc;
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->_bounds = QRectF(10, 5, 30, 20);
    shape->ctrl_is_visible = true;
    shape->setDrawingFill(true);
    shape->setFillColor(Qt::blue);
    shape->setDrawingStroke(false);
    add(doc, 0, shape);
    const RenderedSide side = Render_Side_Picture(doc.graphics().items(), QRectF(0, 0, 100, 50), nullptr, resources());
    const QImage plain = Rendered_Side_Image(side, 144);
    ASSERT_EQ(plain.size(), QSize(200, 100));
    EXPECT_EQ(plain.pixelColor(50, 30), QColor(Qt::blue));  // the shape's centre
    EXPECT_EQ(plain.pixelColor(190, 90).alpha(), 0);
    EXPECT_TRUE(Rendered_Side_Image(side, 144, Side_Mirror::Horizontal) == plain.mirrored(true, false));
    EXPECT_TRUE(Rendered_Side_Image(side, 144, Side_Mirror::Vertical) == plain.mirrored(false, true));
    EXPECT_EQ(plain.dotsPerMeterX(), 5669);  // 144 dpi

    // Nothing to draw from a null side, at no resolution, or into no room.
    EXPECT_TRUE(Rendered_Side_Image(RenderedSide(), 72).isNull());
    EXPECT_TRUE(Rendered_Side_Image(side, 0).isNull());
    EXPECT_EQ(Rendered_Side_Image(side, 0.5).size(), QSize(1, 1));  // a low resolution is still one
    EXPECT_TRUE(Rendered_Side_PDF(RenderedSide()).isEmpty());
    EXPECT_TRUE(Render_Side_Picture({}, QRectF(), nullptr, resources()).isNull());
    QImage untouched(10, 10, QImage::Format_ARGB32);
    untouched.fill(Qt::white);
    {
        QPainter painter(&untouched);
        Draw_Rendered_Side(painter, side, QRectF(0, 0, 0, 10));
        Draw_Rendered_Side(painter, RenderedSide(), QRectF(0, 0, 10, 10));
    }
    EXPECT_EQ(untouched.pixelColor(5, 5), QColor(Qt::white));
    // A side smaller than a pixel still gets one.
    const RenderedSide tiny = Render_Side_Picture({}, QRectF(0, 0, 0.5, 0.5), nullptr, resources());
    EXPECT_EQ(Rendered_Side_Image(tiny, 72).size(), QSize(1, 1));
}

TEST_F(Engine, ABarcodeWithoutAFrameKeepsItsPlaceRowAfterRow)
{
    // A barcode read from a design file has no picture frame: the pictures of the rows
    // are centred where the control stands, and stay there row after row.
    SKTDocument doc;
    for (const char *row : {"A1", "BBBBBBBB22", "C"}) doc.Create_List_By_Array({row}, 1);
    GraphicPtr barcode = bound(GraphicKind::Barcode, 2, "", 1);
    barcode->Set_Excel_binding(true);
    barcode->_bounds = QRectF(200, 100, 80, 20);
    ASSERT_TRUE(barcode->bar_image_ctrl_bounds.isEmpty());
    add(doc, 0, barcode);
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    for (int row : {0, 1, 2, 0}) {
        e.Assign_Batch_Values_To_Control(doc.graphics().items(), row);
        const QSizeF size = barcode->_barcode_image.size();
        ASSERT_GT(size.width(), 0) << row;
        EXPECT_EQ(barcode->bounds(), QRectF(240 - size.width() / 2, 110 - size.height() / 2, size.width(), size.height()))
            << row;
    }
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, QRectF(200, 100, 80, 20));
}

TEST_F(Engine, CardsNameWhatTheyCouldNotTake)
{
    // A photo column and an EAN-13 barcode column; the cells say what each card lacks.
    const QString photo = folder.filePath("a.png");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(photo));
    QFile bytes(folder.filePath("noise.png"));
    ASSERT_TRUE(bytes.open(QIODevice::WriteOnly));
    bytes.write("not a picture at all");
    bytes.close();
    SKTDocument doc;
    doc.Add_ColList_Column("Photo");
    doc.Add_ColList_Column("Code");
    struct Row {
        QString photo, code;
        QStringList missing;
    } rows[] = {
        {photo, "590123412345", {}},
        {folder.filePath("gone.jpg"), "590123412345", {"photo \"gone.jpg\" cannot be read"}},
        {folder.filePath("noise.png"), "abc", {"photo \"noise.png\" cannot be read", "barcode value \"abc\" refused"}},
        {"", "", {"no barcode value"}},
        {photo, "5901234123457890", {"barcode value \"5901234123457890\" refused"}},
    };
    for (const Row &r : rows) doc.Create_List_By_Array({r.photo, r.code}, 2);
    add(doc, 0, bound(GraphicKind::Image, 2, "", 1));
    GraphicPtr code = bound(GraphicKind::Barcode, 2, "", 2);
    code->barcode_font_index = int(Barcode_Symbology_Titles().indexOf("EAN-13"));
    ASSERT_GE(code->barcode_font_index, 0);
    code->bar_image_ctrl_bounds = QRectF(10, 40, 120, 60);
    add(doc, 0, code);
    CardValueEngine e = engine();
    e.Check_Series_Or_Excel_Use_or_not(doc);
    e.Create_Design_Backup_Array(doc, resources());
    for (int card = 0; card < int(std::size(rows)); ++card) {
        EXPECT_EQ(e.Set_data_table_value_to_card(card, Card_Side::Front).missing, rows[card].missing) << card;
        SideCopy copy = e.Side_Copy(0);
        QStringList missing;
        e.Assign_Batch_Values_To_Control(copy.controls, card, &missing);
        EXPECT_EQ(missing, rows[card].missing) << card;
    }
}
