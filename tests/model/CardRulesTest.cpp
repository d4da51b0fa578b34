// Rules the card keeps whatever changes it: which control of a side is the visitor's
// photo, and that the texts of one group column show one cell.
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"
#include "UndoHistory.h"

#include <gtest/gtest.h>
#include <functional>
#include <thread>
#include <tuple>

#include "QStringPrinter.h"

namespace card_rules_test {

namespace {

GraphicPtr put(SKTGraphicList &side, GraphicKind kind, const QString &id)
{
    GraphicPtr g = SKTGraphic::create(kind);
    g->control_ID = id;
    g->setBounds({0, 10.0 * side.count(), 40, 20});
    side.insert(g, side.count());
    return g;
}

GraphicPtr image(SKTGraphicList &side, const QString &id) { return put(side, GraphicKind::Image, id); }

// The ID of the side's photo, "<none>" for none, "<two>" when more than one is marked.
QString photoOf(const SKTDocument &doc, int side)
{
    int marked = 0;
    for (const GraphicPtr &g : (side == 1 ? doc.graphics_back() : doc.graphics()).items()) marked += g->Is_Visitor_Photo();
    if (marked > 1) return "<two>";
    const SKTGraphic *photo = doc.Visitor_Photo(side);
    return photo ? photo->control_ID : QStringLiteral("<none>");
}

} // namespace

// A loaded design's photo on either side: its "Fup_Photo" wherever it stands, else its
// first picture without an ID; a picture with another ID never.
TEST(CardRules, ADesignsPhotoOnEitherSide)
{
    const struct Row {
        QStringList ids;  // the side's image controls, in order ("-" a text)
        int photo;        // the position of the photo, -1 none
    } rows[] = {{{"", "Fup_Photo"}, 1}, {{"Logo", "", ""}, 1}, {{"-", ""}, 1},
                {{"Logo", "F_Pic1"}, -1}, {{"-"}, -1},     {{}, -1}};
    for (int side : {0, 1})
        for (const Row &r : rows) {
            SCOPED_TRACE(r.ids.join(',').toStdString() + (side ? " on the back" : " on the front"));
            SKTDocument doc;
            SKTGraphicList &controls = doc.sideList(side);
            for (const QString &id : r.ids) put(controls, id == "-" ? GraphicKind::Text : GraphicKind::Image, id == "-" ? "" : id);
            doc.Take_Visitor_Photos_From_Design();
            EXPECT_EQ(doc.Visitor_Photo(side), r.photo < 0 ? nullptr : controls.at(r.photo).get());
            EXPECT_EQ(doc.Visitor_Photo(1 - side), nullptr) << "the other side";
        }
}

// The photo is changed by events only: a "Fup_Photo" put on the side, the photo buttons,
// a Delete, an undo; the unnamed picture a design gave it never comes back by itself.
TEST(CardRules, ThePhotoChangesByEventsOnly)
{
    for (int side : {0, 1}) {
        SCOPED_TRACE(side ? "back" : "front");
        SKTDocument doc;
        SKTGraphicList &controls = doc.sideList(side);
        GraphicPtr unnamed = image(controls, ""), logo = image(controls, "Logo");
        GraphicPtr fup;
        SideSnapshot withLogo;
        const struct Step {
            const char *what;
            std::function<void()> act;
            QString photo;
        } steps[] = {
            {"a design read", [&] { doc.Take_Visitor_Photos_From_Design(); }, ""},
            {"a Fup_Photo put on the side", [&] { fup = image(controls, "Fup_Photo"); }, "Fup_Photo"},
            {"the Fup_Photo deleted", [&] { controls.remove(fup.get()); }, "<none>"},
            {"the unnamed picture changed",
             [&] { static_cast<SKTImage &>(*unnamed).setFilePath(Resource_Path + "banner.png", true); }, "<none>"},
            {"the photo buttons fill the logo", [&] { doc.Set_Visitor_Photo(side, logo.get()); }, "Logo"},
            {"a snapshot taken", [&] { withLogo = Side_Snapshot(controls.items()); }, "Logo"},
            {"the logo deleted", [&] { controls.remove(logo.get()); }, "<none>"},
            {"undone", [&] { controls.replaceAll(Controls_From_Snapshot(withLogo)); }, "Logo"},
            {"a Fup_Photo changed while the side has a photo",
             [&] { static_cast<SKTImage &>(*fup).setFilePath(Resource_Path + "banner.png", true); }, "Logo"},
            {"the photo taken off by the buttons' setter", [&] { doc.Set_Visitor_Photo(side, nullptr); }, "<none>"},
            {"a Fup_Photo put back by the undo of its removal", [&] { controls.insert(fup, 0); }, "Fup_Photo"},
        };
        for (const Step &s : steps) {
            s.act();
            EXPECT_EQ(photoOf(doc, side), s.photo) << s.what;
            EXPECT_EQ(photoOf(doc, 1 - side), "<none>") << s.what << ": the other side";
        }
        EXPECT_EQ(withLogo.photo, 1) << "the logo's place in the snapshot";
        SideSnapshot none = withLogo;
        none.photo = -1;
        EXPECT_NE(none, withLogo) << "two states that differ by their photo only are two states";
    }
}

// A side without a photo takes its "Fup_Photo" when that changes (a side whose
// designer's photo was given its ID later).
TEST(CardRules, ASideWithoutAPhotoTakesItsFupPhotoWhenItChanges)
{
    SKTDocument doc;
    GraphicPtr g = image(doc.graphics(), "");
    ASSERT_EQ(doc.Visitor_Photo(0), nullptr);
    g->control_ID = "Fup_Photo";
    static_cast<SKTImage &>(*g).setFilePath(Resource_Path + "banner.png", true);
    EXPECT_EQ(doc.Visitor_Photo(0), g.get());
}

// Copy to Other Side: the copy of the side's photo is the other side's photo.
TEST(CardRules, ACopiedSideKeepsItsPhoto)
{
    SKTDocument doc;
    image(doc.graphics(), "Fup_Photo");
    GraphicPtr logo = image(doc.graphics(), "Logo");
    doc.Set_Visitor_Photo(0, logo.get());
    image(doc.graphics_back(), "Fup_Photo");
    doc.copySideToOther(0);
    EXPECT_EQ(photoOf(doc, 1), "Logo");
    EXPECT_EQ(doc.Visitor_Photo(1), doc.graphics_back().at(1).get());
    EXPECT_EQ(photoOf(doc, 0), "Logo");
}

// In group mode the texts of one column on one side show one cell, whatever changed one
// of them; "Text here" and an empty text are one value.
TEST(CardRules, TheTextsOfOneColumnShowOneCell)
{
    const auto bound = [](SKTGraphicList &side, int column, const QString &text) {
        GraphicPtr g = put(side, GraphicKind::Text, "");
        if (column >= 0) {
            g->Set_Data_source_type(Data_Source_Spreadsheet);
            g->Set_Excel_binding_Index(column);
        }
        g->Set_text_value(text);
        return g;
    };
    const struct Row {
        const char *what;
        Card_Mode mode;
        std::function<void(SKTGraphic &a, SKTDocument &)> change;
        QString a, b, otherColumn, manual, back, added;
    } rows[] = {
        {"typed", Card_Mode::Group, [](SKTGraphic &a, SKTDocument &) { a.Set_text_value("Tab Two"); }, "Tab Two",
         "Tab Two", "Ann", "Acme", "Acme", "Tab Two"},
        {"emptied", Card_Mode::Group, [](SKTGraphic &a, SKTDocument &) { a.Set_text_value("Text here"); },
         "Text here", "Text here", "Ann", "Acme", "Acme", "Text here"},
        {"moved", Card_Mode::Group, [](SKTGraphic &a, SKTDocument &) { a.setBounds({5, 5, 40, 20}); }, "Acme",
         "Acme", "Ann", "Acme", "Acme", "Acme"},
        {"in visitor mode", Card_Mode::Visitor, [](SKTGraphic &a, SKTDocument &) { a.Set_text_value("Tab Two"); },
         "Tab Two", "Acme", "Ann", "Acme", "Acme", "Old"},
        {"on another thread", Card_Mode::Group,
         [](SKTGraphic &a, SKTDocument &) { std::thread([&a] { a.Set_text_value("Far"); }).join(); }, "Far", "Acme",
         "Ann", "Acme", "Acme", "Far"},
    };
    for (const Row &r : rows) {
        SKTDocument doc;
        doc.Start_Card_Option = r.mode;
        GraphicPtr a = bound(doc.graphics(), 2, "Acme"), b = bound(doc.graphics(), 2, "Acme");
        GraphicPtr c = bound(doc.graphics(), 1, "Ann"), manual = bound(doc.graphics(), -1, "Acme");
        GraphicPtr back = bound(doc.graphics_back(), 2, "Acme");
        r.change(*a, doc);
        EXPECT_EQ(a->Text_Value, r.a) << r.what;
        EXPECT_EQ(b->Text_Value, r.b) << r.what;
        EXPECT_EQ(c->Text_Value, r.otherColumn) << r.what;
        EXPECT_EQ(manual->Text_Value, r.manual) << r.what;
        EXPECT_EQ(back->Text_Value, r.back) << r.what << ": the other side";
        // A text of the column put on the side (a paste) shows the cell the side shows.
        GraphicPtr added = SKTGraphic::create(GraphicKind::Text);
        added->Set_Data_source_type(Data_Source_Spreadsheet);
        added->Set_Excel_binding_Index(2);
        added->Set_text_value("Old");
        doc.graphics().insert(added);
        EXPECT_EQ(added->Text_Value, r.added) << r.what << ": put on the side";
    }
    // The first column of the sheet is a column like the others; an emptied text next
    // to an empty one is not changed over.
    SKTDocument doc;
    doc.Start_Card_Option = Card_Mode::Group;
    GraphicPtr first = bound(doc.graphics(), 1, "Ann"), second = bound(doc.graphics(), 1, "Ann");
    first->Set_text_value("Ann Typed");
    EXPECT_EQ(second->Text_Value, "Ann Typed");
    GraphicPtr a = bound(doc.graphics(), 3, ""), b = bound(doc.graphics(), 3, "");
    a->Set_text_value("Text here");
    EXPECT_EQ(b->Text_Value, "");
    for (const auto &[x, y, same] : {std::tuple{"", "Text here", true}, {"Text here", "", true}, {"", "", true},
                                     {"a", "A", false}, {"Text here", "text here", false}})
        EXPECT_EQ(SKTDocument::Same_Cell_Value(x, y), same) << x << " / " << y;
}

} // namespace card_rules_test
