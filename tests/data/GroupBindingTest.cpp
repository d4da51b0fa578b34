// Group mode on the design: cells, column binding of both sides, row values, list.
#include "GroupBinding.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace group_binding_test {

namespace {

using namespace GroupBinding;

// A design holding three people in the columns Name, Title, Photo.
void loadPeople(SKTDocument &doc)
{
    doc.m_spreadsheet.column_titles = {"Name", "Title", "Photo"};
    doc.setListData({{"1", "Ann", "Boss", "/p/ann.png"}, {"2", "Bob", "", "/p/bob.png", "spare"}, {"3", "Cy"}});
}

GraphicPtr addControl(SKTDocument &doc, int side, GraphicKind kind, const QString &id, bool visible = true)
{
    GraphicPtr g = SKTGraphic::create(kind);
    g->control_ID = id;
    g->Set_Ctrl_Is_Visible(visible);
    doc.sideList(side).insert(g, doc.sideList(side).count());
    return g;
}

Maker makerFor(SKTDocument &doc, QStringList *log)
{
    return [&doc, log](int side, const QString &id, const QString &value, bool picture) {
        *log << QString("%1:%2").arg(side).arg(id);
        GraphicPtr g = addControl(doc, side, picture ? GraphicKind::Image : GraphicKind::Text, id);
        if (picture) g->Set_Control_File_path(value);
        else g->Set_text_value(value);
        return g.get();
    };
}

// A field's column choice follows a new binding of its control; the other side's
// control of the field on the old column (typed by hand when there was none) follows
// too; the photo's choice is its side's.
TEST(GroupBinding, TheColumnChoiceFollowsANewBinding)
{
    struct Row {
        const char *what, *id;
        int side, source, column;  // the control's new binding
        bool changed;
        int name, photoFront, photoBack, otherSideColumn;  // afterwards
    } rows[] = {
        {"name to Title", "Fup_Name", 0, Data_Source_Spreadsheet, 2, true, 2, 3, -1, 2},
        {"name on the back to Title", "Fup_Name", 1, Data_Source_Spreadsheet, 2, true, 2, 3, -1, 2},
        {"name to its own column", "Fup_Name", 0, Data_Source_Spreadsheet, 1, false, 1, 3, -1, 1},
        {"name typed by hand", "Fup_Name", 0, Data_Source_Manual, -1, true, -1, 3, -1, -1},
        {"name to a series", "Fup_Name", 0, Data_Source_Series, -1, true, -1, 3, -1, -1},
        {"front photo to a cropped column", "Fup_Photo", 0, Data_Source_Spreadsheet, 4, true, 1, 4, -1, 3},
        {"back photo without a column", "Fup_Photo", 1, Data_Source_Spreadsheet, 4, true, 1, 3, 4, -1},
        {"a field without a column (the other side's text typed by hand takes it)", "Fup_Title", 0,
         Data_Source_Spreadsheet, 2, true, 1, 3, -1, 2},
        {"a field without a column typed by hand", "Fup_Title", 0, Data_Source_Manual, -1, false, 1, 3, -1, -1},
        {"a user-added text", "F_field1", 0, Data_Source_Spreadsheet, 2, false, 1, 3, -1, -1},
    };
    for (const Row &r : rows) {
        SKTDocument doc;
        loadPeople(doc);
        doc.m_columnChoices.excel_cb_value1 = 1;
        doc.m_columnChoices.excel_cb_value11 = 3;
        const bool photo = QLatin1String(r.id) == QLatin1String(kPhotoID);
        const GraphicKind kind = photo ? GraphicKind::Image : GraphicKind::Text;
        GraphicPtr here = addControl(doc, r.side, kind, r.id);
        GraphicPtr there = addControl(doc, 1 - r.side, kind, r.id);
        const int old = photo ? (r.side == 0 ? 3 : -1) : (QLatin1String(r.id) == QLatin1String("Fup_Name") ? 1 : -1);
        Bind(*there, old, true);
        here->Set_Data_source_type(r.source);
        if (r.source == Data_Source_Spreadsheet) here->Set_Excel_binding_Index(r.column);
        EXPECT_EQ(Column_Follows_Binding(doc, r.side, *here), r.changed) << r.what;
        EXPECT_EQ(doc.m_columnChoices.excel_cb_value1, r.name) << r.what;
        EXPECT_EQ(doc.m_columnChoices.excel_cb_value11, r.photoFront) << r.what;
        EXPECT_EQ(doc.m_columnChoices.excel_cb_value12, r.photoBack) << r.what;
        EXPECT_EQ(there->excel_col_indx, r.otherSideColumn) << r.what;
    }
}

// The other side's control of the field follows only from the old column: one bound to
// another column or to a series keeps its own source.
TEST(GroupBinding, TheOtherSideKeepsASourceOfItsOwn)
{
    struct Row {
        const char *what;
        int source, column;  // the back's binding before
        int sourceAfter, columnAfter;
    } rows[] = {
        {"the old column", Data_Source_Spreadsheet, 1, Data_Source_Spreadsheet, 2},
        {"another column", Data_Source_Spreadsheet, 3, Data_Source_Spreadsheet, 3},
        {"a series", Data_Source_Series, -1, Data_Source_Series, -1},
    };
    for (const Row &r : rows) {
        SKTDocument doc;
        loadPeople(doc);
        doc.m_columnChoices.excel_cb_value1 = 1;
        GraphicPtr front = addControl(doc, 0, GraphicKind::Text, "Fup_Name");
        GraphicPtr back = addControl(doc, 1, GraphicKind::Text, "Fup_Name");
        back->Set_Data_source_type(r.source);
        back->Set_Excel_binding_Index(r.column);
        Bind(*front, 2, true);
        EXPECT_TRUE(Column_Follows_Binding(doc, 0, *front)) << r.what;
        EXPECT_EQ(back->data_source_type_val(), r.sourceAfter) << r.what;
        EXPECT_EQ(back->excel_col_indx, r.columnAfter) << r.what;
    }
}

TEST(GroupBinding, CellTexts)
{
    SKTDocument doc;
    loadPeople(doc);
    struct Row {
        int row, column;
        QString text, picture;
    } rows[] = {
        {0, 1, "Ann", "Ann"},       {1, 2, "", ""},
        {2, 2, "Text here", ""},    {0, 3, "/p/ann.png", "/p/ann.png"},
        {0, 0, "Text here", ""},    {0, -1, "Text here", ""},
        {0, 4, "Text here", ""},    {3, 1, "Text here", ""},
        {-1, 1, "Text here", ""},   {1, 4, "Text here", ""},  // a cell past the table's columns
    };
    for (const Row &r : rows) {
        EXPECT_EQ(Cell_Text(doc, r.row, r.column), r.text) << r.row << "," << r.column;
        EXPECT_EQ(Picture_Cell(doc, r.row, r.column), r.picture) << r.row << "," << r.column;
    }
}

TEST(GroupBinding, AddModeMakesFrontControlsBoundToTheirColumns)
{
    SKTDocument doc;
    loadPeople(doc);
    doc.m_columnChoices.excel_cb_value1 = 1;
    doc.m_columnChoices.excel_cb_value2 = 2;
    doc.m_columnChoices.excel_cb_value11 = 3;
    doc.m_columnChoices.excel_cb_value12 = 3;
    GraphicPtr back = addControl(doc, 1, GraphicKind::Text, "Fup_Title", false);  // only on the back
    back->setDrawingStroke(true);
    back->setDrawingFill(true);
    QStringList made;
    Update_Excel_Column_Binding(doc, Binding_Apply::Add_Missing, makerFor(doc, &made));
    EXPECT_EQ(made, QStringList({"0:Fup_Name", "0:Fup_Photo", "1:Fup_Photo"}));
    SKTGraphic *name = Find_Control(doc.graphics(), "Fup_Name");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->data_source_type_val(), 2);
    EXPECT_TRUE(name->excel_binding);
    EXPECT_EQ(name->excel_col_indx, 1);
    EXPECT_EQ(name->Text_Value, "Ann");
    EXPECT_EQ(Find_Control(doc.graphics(), "Fup_Title"), nullptr);
    SKTGraphic *title = Find_Control(doc.graphics_back(), "Fup_Title");
    EXPECT_EQ(title->excel_col_indx, 2);
    EXPECT_EQ(title->Text_Value, "Boss");
    EXPECT_FALSE(title->ctrl_is_visible);  // keeps its visibility
    EXPECT_FALSE(title->isDrawingStroke());
    EXPECT_FALSE(title->isDrawingFill());
    EXPECT_TRUE(Find_Control(doc.graphics(), "Fup_Photo")->ctrl_is_visible);
    EXPECT_EQ(Find_Control(doc.graphics_back(), "Fup_Photo")->FilePath(), "/p/ann.png");

    // Reopened: "U" binds what is there and makes nothing.
    made.clear();
    doc.m_columnChoices.excel_cb_value3 = 1;
    Update_Excel_Column_Binding(doc, Binding_Apply::Update_Only, makerFor(doc, &made));
    EXPECT_EQ(made, QStringList());
    EXPECT_EQ(doc.graphics().count(), 2);
    EXPECT_EQ(doc.graphics_back().count(), 2);
}

// A photo control already on the card takes the row's picture, not only its path: the
// card and the panel's photo box following it show the person.
TEST(GroupBinding, APlacedPhotoShowsTheRowsPicture)
{
    QTemporaryDir dir;
    const QString red = dir.filePath("red.png"), blue = dir.filePath("blue.png");
    for (const auto &[path, colour] : {std::pair{red, Qt::red}, std::pair{blue, Qt::blue}}) {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path));
    }
    SKTDocument doc;
    doc.m_spreadsheet.column_titles = {"Name", "Photo"};
    doc.setListData({{"1", "Ann", red}});
    doc.m_columnChoices.excel_cb_value11 = 2;
    GraphicPtr photo = addControl(doc, 0, GraphicKind::Image, "Fup_Photo");
    static_cast<SKTImage &>(*photo).setFilePath(blue, true);
    ASSERT_EQ(photo->_contents.image().pixelColor(0, 0), QColor(Qt::blue));
    Update_Excel_Column_Binding(doc, Binding_Apply::Update_Only, {});
    EXPECT_EQ(photo->FilePath(), red);
    EXPECT_EQ(photo->_contents.image().pixelColor(0, 0), QColor(Qt::red));
}

TEST(GroupBinding, OnlyChosenFieldsGetControls)
{
    SKTDocument doc;
    loadPeople(doc);
    doc.m_columnChoices.excel_cb_value1 = 1;
    QStringList made;
    Update_Excel_Column_Binding(doc, Binding_Apply::Add_Missing, makerFor(doc, &made));
    EXPECT_EQ(made, QStringList({"0:Fup_Name"}));
}

TEST(GroupBinding, UnboundColumnClearsTheBinding)
{
    SKTDocument doc;
    loadPeople(doc);
    GraphicPtr g = addControl(doc, 0, GraphicKind::Text, "Fup_Name");
    Bind(*g, 2, false);
    EXPECT_EQ(g->excel_col_indx, 2);
    EXPECT_FALSE(g->ctrl_is_visible);
    Bind(*g, -1, true);
    EXPECT_EQ(g->data_source_type_val(), 0);
    EXPECT_FALSE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, -1);
    EXPECT_TRUE(g->ctrl_is_visible);
}

TEST(GroupBinding, RowListEntries)
{
    SKTDocument doc;
    EXPECT_EQ(Row_List_Entries(doc), QStringList());
    loadPeople(doc);
    EXPECT_EQ(Row_List_Entries(doc), QStringList());  // no name column
    doc.m_columnChoices.excel_cb_value1 = 1;
    EXPECT_EQ(Row_List_Entries(doc), QStringList({"1 - Ann", "2 - Bob", "3 - Cy"}));
    doc.m_columnChoices.excel_cb_value1 = 3;
    EXPECT_EQ(Row_List_Entries(doc), QStringList({"1 - /p/ann.png", "2 - /p/bob.png", "3 - "}));
    doc.m_columnChoices.excel_cb_value1 = 4;  // not a column of the table
    EXPECT_EQ(Row_List_Entries(doc), QStringList());
}

} // namespace

namespace {
struct Field_State {
    bool exists;
    bool visible;
    int column;  // -1 unbound
    QString text;
    bool operator==(const Field_State &) const = default;
};
Field_State stateOf(SKTDocument &doc, int side, const QString &id)
{
    SKTGraphic *g = Find_Control(doc.sideList(side), id);
    if (!g) return {false, false, -1, {}};
    return {true, g->ctrl_is_visible, g->data_source_type_val() == 2 ? g->excel_col_indx : -1,
            g->kind() == GraphicKind::Image ? g->FilePath() : g->Text_Value};
}
} // namespace

TEST(GroupBinding, ColumnDialogChoicesOnOneSide)
{
    // Each row: the field's column, its show box, whether the front and back have its
    // control before; then the front and the back after the choices of the front.
    struct Row {
        const char *id;
        int DesignColumnChoices::*choice;
        int column;
        bool shown;
        bool frontBefore, backBefore;
        Field_State front, back;
    } rows[] = {
        // a column: made where missing, bound and shown as the box says
        {"Fup_Name", &DesignColumnChoices::excel_cb_value1, 1, true, false, false, {true, true, 1, "Ann"}, {false, false, -1, {}}},
        {"Fup_Title", &DesignColumnChoices::excel_cb_value2, 2, false, true, true, {true, false, 2, "Boss"}, {true, true, 2, "old"}},
        // no column, show box off: hidden and unbound on the side edited only
        {"Fup_Company", &DesignColumnChoices::excel_cb_value3, -1, false, true, true, {true, false, -1, "old"}, {true, true, 2, "old"}},
        // no column, show box on: both sides unbound, visibility kept
        {"Fup_Address", &DesignColumnChoices::excel_cb_value5, -1, true, true, true, {true, true, -1, "old"}, {true, true, -1, "old"}},
        // no column, show box on, no control on the side: a plain "Text here"
        {"Fup_PhoneNO", &DesignColumnChoices::excel_cb_value6, -1, true, false, true, {true, true, -1, "Text here"}, {true, true, 2, "old"}},
    };
    for (const Row &r : rows) {
        SKTDocument doc;
        loadPeople(doc);
        doc.m_columnChoices.*r.choice = r.column;
        for (int side : {0, 1}) {
            if (!(side == 0 ? r.frontBefore : r.backBefore)) continue;
            GraphicPtr g = addControl(doc, side, GraphicKind::Text, r.id);
            g->Set_text_value("old");
            Bind(*g, 2, true);
        }
        std::array<bool, 10> shown{};
        for (size_t f = 0; f < Fixed_Fields().size(); ++f)
            if (QLatin1String(Fixed_Fields()[f].id) == QLatin1String(r.id)) shown[f] = r.shown;
        QStringList made;
        Update_Excel_Column_Binding_Update_Column(doc, 0, shown, makerFor(doc, &made));
        EXPECT_EQ(stateOf(doc, 0, r.id), r.front) << r.id;
        EXPECT_EQ(stateOf(doc, 1, r.id), r.back) << r.id;
    }
}

TEST(GroupBinding, ColumnDialogPhotosFollowTheirOwnColumns)
{
    SKTDocument doc;
    loadPeople(doc);
    GraphicPtr back = addControl(doc, 1, GraphicKind::Image, "Fup_Photo");
    Bind(*back, 3, true);
    doc.m_columnChoices.excel_cb_value11 = 3;  // front photo column; back none
    QStringList made;
    Update_Excel_Column_Binding_Update_Column(doc, 0, {}, makerFor(doc, &made));
    EXPECT_EQ(made, QStringList({"0:Fup_Photo"}));
    EXPECT_EQ(stateOf(doc, 0, "Fup_Photo"), (Field_State{true, true, 3, "/p/ann.png"}));
    EXPECT_EQ(stateOf(doc, 1, "Fup_Photo").column, -1) << "the back's photo is unbound";
}

} // namespace group_binding_test
