// Group mode has one current row: the list's selection, the card on either side, the
// panel's boxes and the row's Save agree on it whatever road fills the card again; a
// row's Save stores what was changed on the row and nothing else; a row's photo goes to
// the control its save reads. The plain cases, then a seeded random walk over the
// desk's events that checks the same after every step.
#include "GroupBinding.h"
#include "GroupDesk.h"
#include "GroupProjectFixture.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTImage.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sstream>

#include "QStringPrinter.h"

namespace group_current_row_test {

namespace {

using group_project::kPeople;

QString face(const char *name, QColor colour)
{
    const QString path = testsupport::testHome() + "/" + name + ".png";
    if (!QFileInfo::exists(path)) {
        QImage image(12, 16, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path);
    }
    return path;
}

// The five people with a front photo column (4) and a back photo column (5): Bob has
// no photo, Dee none on the back.
QList<QStringList> peopleWithPhotos()
{
    const QString a = face("a", Qt::red), c = face("c", Qt::green), d = face("d", Qt::blue);
    const QString ab = face("ab", Qt::magenta), cb = face("cb", Qt::darkCyan);
    return {kPeople[0] + QStringList{a, ab}, kPeople[1] + QStringList{"", ""}, kPeople[2] + QStringList{c, cb},
            kPeople[3] + QStringList{d, ""}, kPeople[4] + QStringList{a, cb}};
}

// The project of five people on a desk: the name on both sides, the company and a photo
// with a company logo beside it on the front, the unique number and a photo on the back;
// each side's photo has its own column (4 and 5). Saved and read again as Open reads it.
struct Project : group_project::Group_Project_Fixture {
    GroupDesk w;
    QList<QStringList> rows = peopleWithPhotos();

    Group_Row_List &list() override { return w.list(); }
    SKTGraphicView &cardView(int side) override { return w.view(side); }

    bool setUp()
    {
        group_project::placeFields(w.document);
        for (int side : {0, 1}) {
            GraphicPtr photo = w.add(w.document.sideList(side), GraphicKind::Image, {170, 20, 60, 80});
            photo->control_ID = "Fup_Photo";
        }
        GraphicPtr logo = w.add(w.front(), GraphicKind::Image, {170, 110, 40, 30});
        logo->control_ID = "Company_Logo";
        static_cast<SKTImage &>(*logo).setFilePath(face("logo", Qt::yellow), true);
        Set_Project(w.document, rows, {"Name", "Company", "Unique", "Photo", "Back photo"});
        w.document.m_columnChoices.excel_cb_value11 = 4;
        w.document.m_columnChoices.excel_cb_value12 = 5;
        if (!w.save()) return false;
        w.document.m_spreadsheet = DesignSpreadsheet();
        w.document.m_columnChoices = DesignColumnChoices();
        w.document.setListData({});
        w.document.Start_Card_Option = Card_Mode::Visitor;
        if (!w.open(path)) return false;
        testsupport::boxes().clear();
        return true;
    }

    int side() { return w.document.currentSide(); }
    GraphicPtr field(int s, const QString &id, double y) { return group_project::addField(w.document, s, id, y); }
    SKTGraphic *control(const char *id) { return cardView(side()).Selcect_Ctrl_With_ID(id); }
    Profile_Panel &panel() { return *Profile_Panel_Of_Side(side()); }
    void pick(int row) { list().GroupList->setCurrentRow(row); }
    void type(const char *id, const QString &text)
    {
        QLineEdit *box = panel().Text_Box_For_ID(id);
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
    }
    void select(SKTGraphic *g)
    {
        SKTGraphicView &view = cardView(side());
        view.selectGraphics(g ? std::vector<SKTGraphic *>{g} : std::vector<SKTGraphic *>{});
        view.setSelected_Graphic(g);
        if (g) w.panels.Control_Selected(g);
    }
    void photoFromFile(const QString &file)
    {
        testsupport::queueFilePanelAnswer({file});
        panel().Browse_image_Btn_Clicked();
    }
    void deleteControl(SKTGraphic *g)
    {
        select(g);
        cardView(side()).deleteSelection();
    }
    // A card text bound on the Data Source tab, as the tab binds it: its field follows,
    // then a text bound to a column shows the current row's cell of it.
    void bind(SKTGraphic &g, int column)
    {
        GroupBinding::Bind(g, column, g.ctrl_is_visible);
        w.group.Column_Follows_Binding(g);
        if (column > -1) g.Set_text_value(GroupBinding::Cell_Text(w.document, w.document.listSelection(), column));
    }
    void save() { QTest::mouseClick(list().save_btn, Qt::LeftButton); }
};

struct GroupCurrentRow : ::testing::Test, Project {
    void SetUp() override { ASSERT_TRUE(setUp()); }
};

// Copy to Other Side from either side while the fifth person is shown: the copy shows
// that person, the list keeps the row, and a Save with nothing changed writes nothing.
TEST_F(GroupCurrentRow, CopyToOtherSideKeepsTheRowShown)
{
    for (int source : {0, 1}) {
        pick(4);
        w.showSide(source);
        w.copyToOtherSide();
        const int destination = 1 - source;
        ASSERT_EQ(side(), destination) << source;
        EXPECT_EQ(list().GroupList->currentRow(), 4) << source;
        EXPECT_EQ(w.document.listSelection(), 4) << source;
        EXPECT_EQ(cardText(destination, "Fup_Name"), rows[4][1]) << source;
        EXPECT_EQ(panelText(destination, "Fup_Name"), rows[4][1]) << source;
        save();
        EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nRecord saved successfully."})) << source;
        EXPECT_EQ(w.document.ListData(), rows) << source << ": no row is written over";
        EXPECT_EQ(fileRows(), rows) << source;
        // Typed on the copy, the row shown takes it.
        type("Fup_Name", "Eva");
        save();
        testsupport::boxes().clear();
        QStringList eve = rows[4];
        eve[1] = "Eva";
        ASSERT_EQ(panelText(destination, "Fup_Name"), "Eva") << source;
        EXPECT_EQ(w.document.ListData().at(4), eve) << source;
        EXPECT_EQ(w.document.ListData().at(0), rows[0]) << source;
        rows[4] = eve;
    }
}

// A photo button that fills a picture other than "Fup_Photo" makes it the side's photo:
// a row picked afterwards shows its own photo there, and its Save with nothing changed
// keeps the row's photo.
TEST_F(GroupCurrentRow, APhotoButtonsPictureTakesEachRowsPhoto)
{
    const QString typedFace = face("typed", Qt::cyan), standIn = w.No_Image_Path();
    const struct Road {
        const char *what;
        std::function<void(Project &)> walk;
    } roads[] = {
        {"the logo clicked", [](Project &p) { p.select(p.control("Company_Logo")); }},
        {"the photo deleted first",
         [](Project &p) {
             p.deleteControl(p.control("Fup_Photo"));
             p.select(nullptr);
         }},
    };
    for (const Road &road : roads) {
        Project p;
        ASSERT_TRUE(p.setUp()) << road.what;
        p.pick(0);
        road.walk(p);
        p.photoFromFile(typedFace);
        SKTGraphic *logo = p.control("Company_Logo");
        ASSERT_EQ(p.w.document.Visitor_Photo(0), logo) << road.what;
        p.save();
        EXPECT_EQ(p.w.document.ListData().at(0).at(4), typedFace) << road.what;
        const struct Shown {
            int row;
            QString logo, box;
        } shown[] = {{1, standIn, ""}, {2, p.rows[2][4], p.rows[2][4]}, {3, p.rows[3][4], p.rows[3][4]}};
        for (const Shown &s : shown) {
            p.pick(s.row);
            EXPECT_EQ(logo->FilePath(), s.logo) << road.what << ", row " << s.row;
            EXPECT_EQ(p.panel().image_path_val->text(), s.box) << road.what << ", row " << s.row;
            p.save();
            EXPECT_EQ(p.w.document.ListData().at(s.row), p.rows[s.row]) << road.what << ", row " << s.row;
        }
        EXPECT_EQ(p.fileRows().mid(1), p.rows.mid(1)) << road.what;
        testsupport::boxes().clear();
    }
}

// A side without a field's control (the photo, or a text deleted) shows nothing of its
// cell, and a row's Save keeps that cell while it stores what was typed.
TEST_F(GroupCurrentRow, ACellWithoutItsControlOnTheSideIsKept)
{
    const struct Road {
        int side;
        const char *deleted, *typedInto;
        int typedColumn;
    } roads[] = {{0, "Fup_Photo", "Fup_Company", 2}, {1, "Fup_Name", "Fup_UniqueNo", 3}, {1, "Fup_Photo", "Fup_Name", 1}};
    for (const Road &r : roads) {
        Project p;
        ASSERT_TRUE(p.setUp()) << r.deleted;
        p.w.showSide(r.side);
        p.pick(1);
        p.deleteControl(p.control(r.deleted));
        p.select(nullptr);
        for (int row : {2, 3}) {
            p.pick(row);
            p.save();
            EXPECT_EQ(p.w.document.ListData(), p.rows) << r.deleted << ", row " << row << " saved with nothing typed";
            p.type(r.typedInto, "Typed");
            p.save();
            p.rows[row][r.typedColumn] = "Typed";
            EXPECT_EQ(p.w.document.ListData(), p.rows) << r.deleted << ", row " << row;
            EXPECT_EQ(p.fileRows(), p.rows) << r.deleted << ", row " << row;
        }
        testsupport::boxes().clear();
    }
}

// A text made Manual on the Data Source tab and bound to a column again is that column's
// text: the fill, the list and the row's Save take it.
TEST_F(GroupCurrentRow, ATextBoundAgainAfterManualIsItsColumnsText)
{
    const struct Row {
        const char *id;
        int column;
        int DesignColumnChoices::*choice;
        QString typed;
    } fields[] = {{"Fup_Company", 2, &DesignColumnChoices::excel_cb_value3, "New Co"},
                  {"Fup_Name", 1, &DesignColumnChoices::excel_cb_value1, "Cyrus"}};
    for (const Row &f : fields) {
        pick(2);
        SKTGraphic *g = control(f.id);
        ASSERT_NE(g, nullptr) << f.id;
        bind(*g, -1);
        EXPECT_EQ(w.document.m_columnChoices.*f.choice, -1) << f.id;
        // Without a name column the list names no row.
        EXPECT_EQ(list().GroupList->count(), f.column == 1 ? 0 : 5) << f.id;
        bind(*g, f.column);
        EXPECT_EQ(w.document.m_columnChoices.*f.choice, f.column) << f.id;
        EXPECT_EQ(list().GroupList->count(), 5) << f.id;
        EXPECT_EQ(list().GroupList->currentRow(), 2) << f.id;
        EXPECT_EQ(cardText(0, f.id), rows[2][f.column]) << f.id;
        type(f.id, f.typed);
        save();
        EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nRecord saved successfully."})) << f.id;
        rows[2][f.column] = f.typed;
        EXPECT_EQ(w.document.ListData().at(2), rows[2]) << f.id;
        EXPECT_EQ(fileRows().at(2), rows[2]) << f.id;
        pick(3);
        pick(2);
        EXPECT_EQ(panelText(0, f.id), f.typed) << f.id;
    }
}

// The box of a field whose text was deleted from the side is not what the card shows:
// the text of its column typed into another box is what a row's Save stores.
TEST_F(GroupCurrentRow, ABoxWithoutItsTextOnTheCardStoresNothing)
{
    pick(2);
    bind(*control("Fup_Company"), 1);
    deleteControl(control("Fup_Name"));
    select(nullptr);
    type("Fup_Company", "Cyrus");
    save();
    rows[2][1] = "Cyrus";
    EXPECT_EQ(w.document.ListData(), rows);
    EXPECT_EQ(fileRows(), rows);
}

// So too for a user-added field: its text deleted from the card, its row's box shows
// nothing of the card, and a row's Save keeps its cell.
TEST_F(GroupCurrentRow, AUserAddedFieldsCellWithoutItsTextIsKept)
{
    list().GroupList->setCurrentRow(-1);
    field(0, "F_label1", 80)->Set_text_value("Badge :");
    GroupBinding::Bind(*field(0, "F_field1", 100), 3, true);
    ASSERT_TRUE(w.save());
    ASSERT_TRUE(w.open(path));
    pick(1);
    deleteControl(control("F_field1"));
    select(nullptr);
    for (int row : {2, 3}) {
        pick(row);
        save();
        EXPECT_EQ(w.document.ListData(), rows) << row;
        EXPECT_EQ(fileRows(), rows) << row;
    }
}

// A binding undone on the card gives the field back the column its text is bound to
// again: the list, the fill and the row's Save follow it.
TEST_F(GroupCurrentRow, AnUndoneBindingIsTheFieldsColumnAgain)
{
    pick(2);
    SKTGraphic *name = control("Fup_Name");
    ASSERT_NE(name, nullptr);
    bind(*name, -1);
    w.Record_Undo(0);
    ASSERT_EQ(w.document.m_columnChoices.excel_cb_value1, -1);
    ASSERT_TRUE(w.undoStep());
    EXPECT_EQ(w.document.m_columnChoices.excel_cb_value1, 1);
    EXPECT_EQ(entries(), QStringList({"1 - Ann", "2 - Bob", "3 - Cy", "4 - Dee", "5 - Eve"}));
    EXPECT_EQ(list().GroupList->currentRow(), 2);
    EXPECT_EQ(cardText(0, "Fup_Name"), "Cy");
    type("Fup_Name", "Cyrus");
    save();
    rows[2][1] = "Cyrus";
    EXPECT_EQ(fileRows(), rows);
}

// A multi-line cell nobody changed keeps its lines: a box holds one line, and a row's
// Save stores only what was changed on the row.
TEST_F(GroupCurrentRow, ACellNobodyChangedKeepsWhatABoxCannotHold)
{
    rows[2][2] = "Corp\nWest wing";
    w.document.setListData(rows);
    pick(2);
    type("Fup_Name", "Cyrus");
    save();
    rows[2][1] = "Cyrus";
    EXPECT_EQ(w.document.ListData(), rows);
    EXPECT_EQ(fileRows(), rows);
}

// Picking a row is no undo step: a change undone after another row was picked gives the
// card back with the row picked, not the one the change was typed on.
TEST_F(GroupCurrentRow, UndoAfterAPickShowsTheRowPicked)
{
    pick(2);
    type("Fup_Company", "Typed");
    pick(3);
    ASSERT_TRUE(w.undoStep());
    EXPECT_EQ(list().GroupList->currentRow(), 3);
    EXPECT_EQ(cardText(0, "Fup_Company"), "Dart");
    EXPECT_EQ(panelText(0, "Fup_Company"), "Dart");
    save();
    EXPECT_EQ(w.document.ListData(), rows);
}

// ---- The random walk ----

enum class Event {
    Pick, Type, CardText, Bind, Copy, SwitchSide, PhotoOnPhoto, PhotoOnLogo, PhotoOnNothing, Delete, Undo, Redo,
    Save, SaveNext, Count
};
const char *const kEventNames[] = {"pick row",  "type into a box",     "change a text on the card", "bind on the Data Source tab",
                                   "Copy to Other Side", "switch sides", "Photo from File... on the photo",
                                   "Photo from File... on the logo", "Photo from File... with nothing selected", "Delete",
                                   "Undo", "Redo", "Save", "Save & Next"};
struct Step {
    Event event;
    int a, b;
};
std::string describe(const Step &s)
{
    std::ostringstream out;
    out << kEventNames[int(s.event)] << " (" << s.a << ", " << s.b << ")";
    return out.str();
}

const char *const kTextIds[] = {"Fup_Name", "Fup_Company", "Fup_UniqueNo"};
QString valueOf(int n) { return n % 5 == 0 ? QString() : QStringLiteral("V%1").arg(n); }
// "Text here" and an empty text are one value on the card.
QString plain(const QString &text) { return text == GroupBinding::kTextHere ? QString() : text; }

// The walk on a new desk: the first failing check, or "" when every step held.
std::string walk(const std::vector<Step> &steps, size_t *failedAt)
{
    auto p = std::make_unique<Project>();
    if (!p->setUp()) return "the project could not be set up";
    const QString faces[] = {face("w1", Qt::darkRed), face("w2", Qt::darkGreen)};
    // Nothing changed on the side shown since the row was last put on it.
    bool untouched = true;
    // The value last typed into a ticked box of a text bound to a column: the Save right
    // after it stores it there.
    std::optional<std::pair<int, QString>> typed;
    for (size_t i = 0; i < steps.size(); ++i) {
        *failedAt = i;
        const Step &s = steps[i];
        Project &d = *p;
        const int side = d.side();
        const QList<QStringList> before = d.w.document.ListData();
        const int current = d.w.document.listSelection();
        std::optional<std::pair<int, QString>> typedNow;
        bool refilled = false;
        switch (s.event) {
        case Event::Pick:
            d.list().Mark_Group_List_New_Selection(s.a % 5);
            refilled = true;
            break;
        case Event::Type: {
            const char *id = kTextIds[s.a % 3];
            QLineEdit *box = d.panel().Text_Box_For_ID(id);
            SKTGraphic *g = d.control(id);
            if (!box || !g) break;
            d.type(id, valueOf(s.b));
            const QCheckBox *chk = d.panel().Chk_Box_For_ID(id);
            const int column = d.w.group.Column_Of(id);
            if (chk && chk->isChecked() && column >= 1) typedNow = std::make_pair(column, valueOf(s.b));
            break;
        }
        case Event::CardText:
            if (SKTGraphic *g = d.control(kTextIds[s.a % 3])) g->Set_text_value(valueOf(s.b));
            break;
        case Event::Bind:
            if (SKTGraphic *g = d.control(kTextIds[s.a % 3])) {
                // Manual, or one of the sheet's columns (the row number is never one).
                const int columns[] = {-1, 1, 2, 3};
                d.bind(*g, columns[s.b % 4]);
                d.w.Record_Undo(side);
            }
            break;
        case Event::Copy:
            d.w.copyToOtherSide();
            refilled = true;
            break;
        case Event::SwitchSide:
            d.w.showSide(1 - side);
            refilled = true;
            break;
        case Event::PhotoOnPhoto:
        case Event::PhotoOnLogo:
        case Event::PhotoOnNothing: {
            SKTGraphic *target = s.event == Event::PhotoOnPhoto  ? d.w.document.Visitor_Photo(side)
                                 : s.event == Event::PhotoOnLogo ? d.control("Company_Logo")
                                                                 : nullptr;
            if (s.event != Event::PhotoOnNothing && !target) break;
            d.select(target);
            d.photoFromFile(faces[s.b % 2]);
            d.select(nullptr);
            break;
        }
        case Event::Delete: {
            const std::vector<GraphicPtr> items = d.w.document.sideList(side).items();
            if (items.empty()) break;
            d.deleteControl(items[size_t(s.a) % items.size()].get());
            d.w.Record_Undo(side);
            break;
        }
        case Event::Undo:
            d.w.undoStep();
            break;
        case Event::Redo:
            d.w.redoStep();
            break;
        case Event::Save:
        case Event::SaveNext: {
            if (s.event == Event::Save)
                d.save();
            else
                QTest::mouseClick(d.list().save_next_btn, Qt::LeftButton);
            const QList<QStringList> after = d.w.document.ListData();
            for (int r = 0; r < before.size(); ++r) {
                if (r == current) continue;
                if (after.value(r) != before.at(r))
                    return "a Save wrote row " + std::to_string(r) + ", not the current row " + std::to_string(current);
            }
            if (untouched && current >= 0 && after.value(current) != before.value(current))
                return "a Save with nothing changed wrote row " + std::to_string(current);
            if (typed && current >= 0 && after.value(current).value(typed->first) != typed->second)
                return "the Save did not store the typed \"" + typed->second.toStdString() + "\" in column " +
                       std::to_string(typed->first);
            refilled = true;
            break;
        }
        case Event::Count:
            break;
        }
        testsupport::boxes().clear();
        typed = typedNow;
        // Any other step may have changed the side.
        untouched = refilled;

        // The list shows the current row.
        const int row = d.w.document.listSelection();
        if (d.list().GroupList->count() > 0 && d.list().GroupList->currentRow() != row)
            return "the list shows row " + std::to_string(d.list().GroupList->currentRow()) + ", the current row is " +
                   std::to_string(row);
        const int shown = d.side();
        const DesignColumnChoices &choices = d.w.document.m_columnChoices;
        // Every text of one column shows one cell.
        QMap<int, QString> cellOf;
        for (const GraphicPtr &g : d.w.document.sideList(shown).items()) {
            if (g->kind() != GraphicKind::Text || g->data_source_type_val() != Data_Source_Spreadsheet) continue;
            const QString text = plain(g->Text_Value);
            if (cellOf.contains(g->excel_col_indx) && cellOf[g->excel_col_indx] != text)
                return "two texts of column " + std::to_string(g->excel_col_indx) + " show \"" +
                       cellOf[g->excel_col_indx].toStdString() + "\" and \"" + text.toStdString() + "\"";
            cellOf[g->excel_col_indx] = text;
        }
        // A text bound to a column is its field's text of that column, for the fill, the
        // save and the column dialog alike.
        for (int side : {0, 1})
            for (const GraphicPtr &g : d.w.document.sideList(side).items())
                for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields())
                    if (g->kind() == GraphicKind::Text && g->control_ID == QLatin1String(f.id) &&
                        g->data_source_type_val() == Data_Source_Spreadsheet && g->excel_col_indx >= 1 &&
                        choices.*f.column != g->excel_col_indx)
                        return std::string(f.id) + " on side " + std::to_string(side) + " is bound to column " +
                               std::to_string(g->excel_col_indx) + ", its field's column is " +
                               std::to_string(choices.*f.column);
        if (!untouched || row < 0) continue;
        // The side shown holds the current row, as its Save would write it.
        for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields()) {
            const int column = choices.*f.column;
            SKTGraphic *g = GroupBinding::Find_Control(d.w.document.sideList(shown), QLatin1String(f.id));
            if (!g || column < 1) continue;
            const QString want = plain(GroupBinding::Cell_Text(d.w.document, row, column));
            if (plain(g->Text_Value) != want)
                return std::string(f.id) + " shows \"" + g->Text_Value.toStdString() + "\", row " + std::to_string(row) +
                       " holds \"" + want.toStdString() + "\"";
        }
        const int photoColumn = shown == 1 ? choices.excel_cb_value12 : choices.excel_cb_value11;
        if (const SKTGraphic *photo = d.w.document.Visitor_Photo(shown); photo && photoColumn >= 1) {
            const QString cell = GroupBinding::Picture_Cell(d.w.document, row, photoColumn);
            const QString want = cell.isEmpty() ? d.w.No_Image_Path() : cell;
            if (photo->FilePath() != want)
                return "the photo shows " + photo->FilePath().toStdString() + ", row " + std::to_string(row) +
                       " holds " + cell.toStdString();
        }
    }
    return {};
}

std::vector<Step> randomSteps(unsigned seed, int count)
{
    std::mt19937 random(seed);
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back({Event(random() % int(Event::Count)), int(random() % 97), int(random() % 97)});
    return steps;
}

// The shortest failing sequence found by leaving out one step, or two steps in a row
// (a side switched and back), for as long as the walk still fails.
std::vector<Step> shrink(std::vector<Step> steps)
{
    size_t at = 0;
    for (bool smaller = true; smaller;) {
        smaller = false;
        for (size_t width : {size_t(1), size_t(2)})
            for (size_t i = 0; i + width <= steps.size();) {
                std::vector<Step> fewer = steps;
                fewer.erase(fewer.begin() + long(i), fewer.begin() + long(i + width));
                if (!walk(fewer, &at).empty()) {
                    steps = fewer;
                    smaller = true;
                } else {
                    ++i;
                }
            }
    }
    return steps;
}

TEST(GroupWalk, EveryStepKeepsOneCurrentRow)
{
    const unsigned first = qEnvironmentVariableIsSet("GROUP_WALK_SEED") ? qEnvironmentVariableIntValue("GROUP_WALK_SEED") : 1;
    const int walks = qEnvironmentVariableIsSet("GROUP_WALKS") ? qEnvironmentVariableIntValue("GROUP_WALKS") : 12;
    for (unsigned seed = first; seed < first + unsigned(walks); ++seed) {
        std::vector<Step> steps = randomSteps(seed, 250);
        size_t at = 0;
        const std::string failure = walk(steps, &at);
        if (failure.empty()) continue;
        steps.resize(at + 1);
        const std::vector<Step> shortest = shrink(steps);
        std::string sequence;
        for (const Step &s : shortest) sequence += "\n  " + describe(s);
        ADD_FAILURE() << "seed " << seed << ": " << failure << "\nshortest failing sequence:" << sequence
                      << "\nthere: " << walk(shortest, &at);
        return;
    }
}

} // namespace

} // namespace group_current_row_test
