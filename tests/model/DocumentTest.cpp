#include "SKTDocument.h"
#include "SKTGraphicList.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
GraphicPtr shapeAt(double x)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_bounds = QRectF(x, 0, 10, 10);
    return g;
}
} // namespace

TEST(Document, SidesExistEmptyFromTheStart)
{
    SKTDocument doc;
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_TRUE(doc.graphics_back().isEmpty());
    EXPECT_TRUE(doc.graphics_temp().isEmpty());
    EXPECT_EQ(SKTDocument::canvasSize(true, {10, 10}), QSizeF(243, 154));
    EXPECT_EQ(SKTDocument::canvasSize(false, {10, 10}), QSizeF(10, 10));
}

TEST(Document, InsertAndRemoveAtIndexes)
{
    SKTDocument doc;
    GraphicPtr a = shapeAt(1), b = shapeAt(2), c = shapeAt(3), d = shapeAt(4);
    ASSERT_TRUE(doc.insertGraphics({a, b}, {0, 1}));
    // Indexes are taken in ascending order, each after the insertions before it.
    ASSERT_TRUE(doc.insertGraphics({d, c}, {3, 0}));
    EXPECT_EQ(doc.graphics().items(), (std::vector<GraphicPtr>{c, a, b, d}));

    EXPECT_FALSE(doc.insertGraphics({shapeAt(5)}, {9}));
    EXPECT_FALSE(doc.insertGraphics({a}, {0}));  // already there
    EXPECT_FALSE(doc.removeGraphicsAtIndexes({1, 4}));
    EXPECT_EQ(doc.graphics().count(), 4);

    ASSERT_TRUE(doc.removeGraphicsAtIndexes({3, 0}));
    EXPECT_EQ(doc.graphics().items(), (std::vector<GraphicPtr>{a, b}));
    EXPECT_EQ(c->owner(), nullptr);

    doc.Clear_All_Undo_Redo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_TRUE(doc.isUndoRegistrationEnabled());
}

TEST(Document, MakesTheWindowControllerOncePerFactory)
{
    int made = 0;
    Window_Controller_Factory factory([&](SKTDocument &) { ++made; });
    SKTDocument first, second;
    first.makeWindowControllers(factory);
    first.makeWindowControllers(factory);
    second.makeWindowControllers(factory);
    EXPECT_EQ(made, 1);
    // A factory made anew makes its own controller once.
    Window_Controller_Factory another([&](SKTDocument &) { made += 10; });
    first.makeWindowControllers(another);
    second.makeWindowControllers(another);
    EXPECT_EQ(made, 11);
}

TEST(GraphicList, SignalsCarryIndexesAndDrawingBounds)
{
    SKTGraphicList list;
    QSignalSpy inserted(&list, &SKTGraphicList::inserted);
    QSignalSpy removed(&list, &SKTGraphicList::removed);
    QSignalSpy changed(&list, &SKTGraphicList::changed);

    GraphicPtr a = shapeAt(0);
    list.insert(a);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][0].toInt(), 0);
    EXPECT_EQ(a->owner(), &list);

    a->setXPosition(100);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<SKTGraphic *>(), a.get());
    EXPECT_EQ(changed[0][1].toRectF(), QRectF(-4, -4, 19, 19));
    EXPECT_EQ(changed[0][2].toRectF(), QRectF(96, -4, 19, 19));

    GraphicPtr out = list.removeAt(0);
    EXPECT_EQ(out, a);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(a->owner(), nullptr);
    a->setXPosition(5);  // no longer reported
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(list.removeAt(0), nullptr);
}

TEST(GraphicList, IdentitySurvivesInsertionAtTheTopAndMoves)
{
    SKTGraphicList list;
    GraphicPtr a = shapeAt(1), b = shapeAt(2), selected = shapeAt(3);
    list.insert(selected);
    list.insert(a);
    list.insert(b);
    EXPECT_EQ(list.indexOf(selected.get()), 2);
    EXPECT_EQ(list.at(list.indexOf(selected.get())), selected);
    EXPECT_FALSE(list.insert(selected));

    QSignalSpy moved(&list, &SKTGraphicList::moved);
    ASSERT_TRUE(list.move(2, 0));
    EXPECT_EQ(list.items(), (std::vector<GraphicPtr>{selected, b, a}));
    EXPECT_EQ(moved.size(), 1);
    EXPECT_FALSE(list.move(0, 3));

    QSignalSpy reset(&list, &SKTGraphicList::reset);
    list.replaceAll({a});
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(selected->owner(), nullptr);
    EXPECT_EQ(a->owner(), &list);
    EXPECT_EQ(list.indexOf(selected.get()), -1);
}

TEST(Document, ASideIsCopiedOntoTheOtherWithControlsOfItsOwn)
{
    SKTDocument doc;
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->_bounds = QRectF(5, 0, 10, 10);
    image->_contents = Picture(QImage(3, 3, QImage::Format_ARGB32));
    doc.graphics().insert(image);
    doc.graphics().insert(SKTGraphic::create(GraphicKind::Text));
    doc.graphics_back().insert(shapeAt(9));
    doc.Front_card_Prop.setCard_Name("Pass");
    doc.Back_card_Prop.setCard_Side_Name("B");
    doc.m_columnChoices.excel_cb_value11 = 4;

    doc.copySideToOther(0);
    ASSERT_EQ(doc.graphics_back().count(), 2);
    EXPECT_EQ(doc.graphics_back().at(0)->kind(), GraphicKind::Text) << "the source's order";
    for (const GraphicPtr &g : doc.graphics_back().items()) EXPECT_FALSE(doc.graphics().contains(g.get()));
    EXPECT_EQ(doc.graphics_back().at(1)->_contents.image().cacheKey(), image->_contents.image().cacheKey());
    doc.graphics_back().at(1)->setBounds({0, 0, 1, 1});
    EXPECT_EQ(image->bounds(), QRectF(5, 0, 10, 10));
    EXPECT_EQ(doc.Back_card_Prop.Card_Name(), "Pass");
    EXPECT_EQ(doc.Back_card_Prop.Card_Side_Name(), "B");
    EXPECT_EQ(doc.m_columnChoices.excel_cb_value12, 4);

    doc.graphics_back().clear();
    doc.copySideToOther(1);
    EXPECT_TRUE(doc.graphics().isEmpty()) << "an empty side empties the other";
    EXPECT_EQ(doc.Front_card_Prop.Card_Side_Name(), "F");
}

TEST(Document, PrintInfoStartsA4PortraitAndIsStoredOnlyWhenItDiffers)
{
    SKTDocument doc;
    const Document_Print_Info start = doc.printInfo();
    EXPECT_EQ(start.printer, "");
    EXPECT_EQ(start.layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(start.layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(start.layout.margins(QPageLayout::Point), QMarginsF());

    QSignalSpy told(&doc, &SKTDocument::printInfoChanged);
    const Document_Print_Info a5{"Desk", QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                                     QMarginsF(5, 6, 7, 8), QPageLayout::Point)};
    struct Row {
        Document_Print_Info given;
        bool stored;
        int told;
    };
    Document_Print_Info otherPrinter = a5;
    otherPrinter.printer = "Hall";
    Document_Print_Info otherMargins = otherPrinter;
    otherMargins.layout.setMargins(QMarginsF(5, 6, 7, 9));
    const Row rows[] = {
        {a5, true, 1},
        {a5, false, 1},  // the same again: nothing stored, nobody told
        {otherPrinter, true, 2},
        {otherMargins, true, 3},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(doc.setPrintInfo(r.given), r.stored);
        EXPECT_EQ(told.count(), r.told);
        EXPECT_TRUE(doc.printInfo() == r.given);
    }
    // printInfo is a copy: changing it leaves the document's.
    Document_Print_Info copy = doc.printInfo();
    copy.printer = "Elsewhere";
    EXPECT_EQ(doc.printInfo().printer, "Hall");
}
