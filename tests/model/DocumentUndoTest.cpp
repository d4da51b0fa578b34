// The document's own undo record of the front side: inverses of inserts and removals,
// the first old value of each changed key per group, redo, and the presentable names.
#include "DocumentUndo.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"
#include "SKTLine.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {
GraphicPtr addShape(SKTDocument &doc, QRectF r = {10, 10, 40, 20})
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->setBounds(r);
    doc.insertGraphic(g, 0);
    return g;
}
} // namespace

TEST(DocumentUndo, FillColourChangedTwiceInAGroupUndoesToTheOneBefore)
{
    SKTDocument doc;
    GraphicPtr g = addShape(doc);
    g->setFillColor(Qt::red);
    doc.undoManager().checkpoint();  // the insertion's group ends
    Document_Undo &undo = doc.undoManager();
    ASSERT_EQ(undo.undoCount(), 1);

    g->setFillColor(Qt::green);
    g->setFillColor(Qt::blue);
    EXPECT_EQ(undo._undoGroupPresentablePropertyName(), std::optional<QString>(""));
    EXPECT_FALSE(undo._undoGroupHasChangesToMultipleProperties());
    undo.checkpoint();
    EXPECT_EQ(undo.undoCount(), 2);

    undo.undo();
    EXPECT_EQ(g->_fillColor, QColor(Qt::red));
    EXPECT_EQ(undo.redoCount(), 1);
    undo.redo();
    EXPECT_EQ(g->_fillColor, QColor(Qt::blue));
    EXPECT_EQ(undo.undoCount(), 2);
    EXPECT_EQ(undo.redoCount(), 0);

    // Both steps back: the colour, then the insertion itself.
    undo.undo();
    undo.undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    undo.redo();
    ASSERT_EQ(doc.graphics().count(), 1);
    EXPECT_EQ(doc.graphics().at(0).get(), g.get());
}

TEST(DocumentUndo, AControlInsertedInTheGroupRecordsNoPropertyEntry)
{
    SKTDocument doc;
    Document_Undo &undo = doc.undoManager();
    GraphicPtr g = addShape(doc);
    g->setFillColor(Qt::green);
    g->setBounds({0, 0, 90, 90});
    EXPECT_EQ(undo._undoGroupPresentablePropertyName(), std::nullopt) << "no property entry";
    undo.checkpoint();
    ASSERT_EQ(undo.undoCount(), 1);
    undo.undo();
    EXPECT_TRUE(doc.graphics().isEmpty()) << "the insertion is undone as a whole";
    undo.redo();
    EXPECT_EQ(doc.graphics().count(), 1);
    EXPECT_EQ(g->bounds(), QRectF(0, 0, 90, 90));
}

TEST(DocumentUndo, RecordingOffRecordsNothingAndClearingEmptiesIt)
{
    SKTDocument doc;
    Document_Undo &undo = doc.undoManager();
    doc.Enable_Disable_Undo_Registraion(false);
    GraphicPtr g = addShape(doc);
    g->setFillColor(Qt::green);
    doc.removeGraphicAtIndex(0);
    undo.checkpoint();
    EXPECT_EQ(undo.undoCount(), 0);
    EXPECT_FALSE(undo.canUndo());

    doc.Enable_Disable_Undo_Registraion(true);
    addShape(doc);
    addShape(doc);
    EXPECT_EQ(undo.undoCount(), 1);
    doc.Clear_All_Undo_Redo();
    EXPECT_EQ(undo.undoCount(), 0);
    EXPECT_EQ(undo.redoCount(), 0);
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_TRUE(doc.isUndoRegistrationEnabled());
}

TEST(DocumentUndo, RemovalsComeBackAtTheirIndexesAndTheGroupEndsWithTheEventLoop)
{
    SKTDocument doc;
    Document_Undo &undo = doc.undoManager();
    GraphicPtr a = addShape(doc), b = addShape(doc), c = addShape(doc);  // c, b, a
    QCoreApplication::processEvents();  // the checkpoint of the turn
    ASSERT_EQ(undo.undoCount(), 1);
    doc.removeGraphicsAtIndexes({0, 2});
    QCoreApplication::processEvents();
    EXPECT_EQ(undo.undoCount(), 2);
    // Every turn ends its own group, not only the first.
    GraphicPtr d = addShape(doc);
    QCoreApplication::processEvents();
    EXPECT_EQ(undo.undoCount(), 3);
    undo.undo();
    undo.undo();
    ASSERT_EQ(doc.graphics().count(), 3);
    EXPECT_EQ(doc.graphics().at(0).get(), c.get());
    EXPECT_EQ(doc.graphics().at(1).get(), b.get());
    EXPECT_EQ(doc.graphics().at(2).get(), a.get());
    // Back and scratch sides are not recorded.
    doc.graphics_back().insert(SKTGraphic::create(GraphicKind::Text));
    EXPECT_EQ(undo.undoCount(), 1);
}

TEST(DocumentUndo, PresentableNamesAndTheMultiplePropertiesFlag)
{
    auto line = SKTGraphic::create(GraphicKind::Line);
    auto image = SKTGraphic::create(GraphicKind::Image);
    auto shape = SKTGraphic::create(GraphicKind::Shape);
    const struct {
        SKTGraphic *g;
        const char *key;
        QString name;
    } rows[] = {
        {shape.get(), "fillColor", ""},
        {shape.get(), "bounds", ""},
        {line.get(), "beginPoint", "Beginpoint"},
        {line.get(), "endPoint", "Endpoint"},
        {line.get(), "bounds", QString()},
        {image.get(), "flippedHorizontally", "Horizontal Flipping"},
        {image.get(), "flippedVertically", "Vertical Flipping"},
        {image.get(), "contents", ""},
        {shape.get(), "contents", QString()},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString name = Presentable_Property_Name(*rows[i].g, rows[i].key);
        EXPECT_EQ(name, rows[i].name) << "row " << i;
        EXPECT_EQ(name.isNull(), rows[i].name.isNull()) << "row " << i;
    }

    SKTDocument doc;
    Document_Undo &undo = doc.undoManager();
    doc.insertGraphic(image, 0);
    doc.insertGraphic(line, 0);
    undo.checkpoint();
    static_cast<SKTImage &>(*image).setFlippedHorizontally(true);
    static_cast<SKTImage &>(*image).setFlippedHorizontally(false);
    EXPECT_EQ(undo._undoGroupPresentablePropertyName(), std::optional<QString>("Horizontal Flipping"));
    static_cast<SKTLine &>(*line).setEndPoint({200, 100});
    EXPECT_EQ(undo._undoGroupPresentablePropertyName(), std::nullopt);
    EXPECT_TRUE(undo._undoGroupHasChangesToMultipleProperties());
    undo.checkpoint();
    EXPECT_FALSE(undo._undoGroupHasChangesToMultipleProperties());
}

TEST(DocumentUndo, KeyedGetAndSetForTheObservedKeys)
{
    auto line = std::static_pointer_cast<SKTLine>(SKTGraphic::create(GraphicKind::Line));
    line->setBounds({10, 20, 30, 40});
    EXPECT_EQ(Undo_Key_Value(*line, "beginPoint"), std::optional<UndoValue>(QPointF(40, 60)));
    EXPECT_TRUE(Set_Undo_Key_Value(*line, "endPoint", QPointF(70, 5)));
    EXPECT_EQ(line->endPoint(), QPointF(70, 5));
    EXPECT_FALSE(Set_Undo_Key_Value(*line, "endPoint", 3.0)) << "a value of another type";
    EXPECT_FALSE(Set_Undo_Key_Value(*line, "contents", Picture())) << "a key the line lacks";
    EXPECT_EQ(Undo_Key_Value(*line, "nothing"), std::nullopt);
    EXPECT_TRUE(Set_Undo_Key_Value(*line, "strokeWidth", 4.5));
    EXPECT_EQ(line->strokeWidth(), 4.5);
    EXPECT_TRUE(Set_Undo_Key_Value(*line, "drawingStroke", false));
    EXPECT_FALSE(line->_isDrawingStroke);

    // An undone image picture comes back through the keyed set.
    SKTDocument doc;
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    QImage red(4, 4, QImage::Format_ARGB32);
    red.fill(Qt::red);
    image->_contents = Picture(red);
    doc.insertGraphic(image, 0);
    doc.undoManager().checkpoint();
    QImage blue(4, 4, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(Set_Undo_Key_Value(*image, "contents", Picture(blue)));
    doc.undoManager().undo();
    EXPECT_EQ(image->_contents.image().pixel(0, 0), QColor(Qt::red).rgba());
}

TEST(DocumentUndo, AnEmptyExplicitGroupUndoesNothingBeforeIt)
{
    SKTDocument doc;
    Document_Undo &undo = doc.undoManager();
    GraphicPtr g = addShape(doc);
    undo.checkpoint();
    undo.undoNestedGroup();  // the last group came from no grouping
    EXPECT_EQ(doc.graphics().count(), 1);
    undo.beginUndoGrouping();
    undo.endUndoGrouping();
    undo.undoNestedGroup();
    EXPECT_EQ(doc.graphics().count(), 1);
    undo.beginUndoGrouping();
    GraphicPtr h = addShape(doc);
    undo.checkpoint();  // no effect inside an explicit group
    h->setFillColor(Qt::red);
    undo.endUndoGrouping();
    EXPECT_EQ(undo.undoCount(), 2);
    undo.setRegistrationEnabled(false);
    undo.undoNestedGroup();
    undo.setRegistrationEnabled(true);
    EXPECT_EQ(doc.graphics().count(), 1);
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_EQ(undo.redoCount(), 0);

    // Recording on, the undone group can be redone; inside a grouping neither undo nor
    // redo runs.
    undo.beginUndoGrouping();
    addShape(doc);
    undo.endUndoGrouping();
    undo.undoNestedGroup();
    EXPECT_EQ(doc.graphics().count(), 1);
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_EQ(undo.redoCount(), 1);
    undo.beginUndoGrouping();
    undo.redo();
    undo.undo();
    EXPECT_EQ(doc.graphics().count(), 1);
    EXPECT_EQ(undo.redoCount(), 1);
    undo.endUndoGrouping();
    undo.redo();
    EXPECT_EQ(doc.graphics().count(), 2);
}

// An explicit grouping ends the group still open before it, and nesting keeps one group
// until the outer end.
TEST(DocumentUndo, AGroupingBeginsAGroupOfItsOwn)
{
    SKTDocument doc;
    Document_Undo &undo = doc.undoManager();
    GraphicPtr g = addShape(doc);
    undo.checkpoint();
    g->setFillColor(Qt::green);  // open, not yet ended
    undo.beginUndoGrouping();
    undo.beginUndoGrouping();
    g->setStrokeWidth(7);
    undo.endUndoGrouping();
    g->setFillColor(Qt::blue);
    undo.endUndoGrouping();
    EXPECT_EQ(undo.undoCount(), 3);
    undo.undoNestedGroup();
    EXPECT_EQ(g->_fillColor, QColor(Qt::green));
    EXPECT_NE(g->_strokeWidth, 7.0);
    EXPECT_EQ(undo.undoCount(), 2);
    undo.undo();
    EXPECT_NE(g->_fillColor, QColor(Qt::green));
    EXPECT_EQ(doc.graphics().count(), 1);
}

// The record keeps the last kLevelsOfUndo groups.
TEST(DocumentUndo, TheOldestGroupsGoPastTheLimit)
{
    SKTDocument doc;
    Document_Undo &undo = doc.undoManager();
    GraphicPtr g = addShape(doc);
    undo.checkpoint();
    const double made = g->_strokeWidth;
    for (int i = 1; i <= Document_Undo::kLevelsOfUndo; ++i) {
        g->setStrokeWidth(made + i);
        undo.checkpoint();
    }
    EXPECT_EQ(undo.undoCount(), Document_Undo::kLevelsOfUndo) << "the insertion went first";
    while (undo.canUndo()) undo.undo();
    EXPECT_EQ(doc.graphics().count(), 1);
    EXPECT_EQ(g->_strokeWidth, made);
}
