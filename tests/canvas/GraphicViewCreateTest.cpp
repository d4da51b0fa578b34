#include "AsLoadedAdjuster.h"
#include "CardViewHost.h"
#include "Globals.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "OutsideFolder.h"
#include "SKTGraphicView.h"
#include "ScopedFlag.h"
#include "TestSupport.h"

#include <QMimeData>
#include <gtest/gtest.h>

namespace {
// A host that hands out placement points in 20-point steps and records what it is asked.
struct CreationHost : CardViewHost {
    Card_Mode mode = Card_Mode::Visitor;
    int tool = 0;
    int undoSnapshots = 0;
    int nextPoint = 10;
    QStringList columnsAskedFor;
    void Card_Base_Drawing(QPainter &, const QRectF &) override {}
    void Card_Border_Drawing(QPainter &, const QRectF &) override {}
    int Selected_Control_Tool() const override { return tool; }
    Card_Mode Design_Mode() const override { return mode; }
    void Set_Selected_Control_Tool(int t) override { tool = t; }
    void Insert_In_Undo_Redo() override { ++undoSnapshots; }
    QPointF Control_New_Point(Card_Side) override
    {
        nextPoint += 20;
        return QPointF(nextPoint, nextPoint);
    }
    int Get_Excel_Coulmn_Index_According_ID(const QString &id) override
    {
        columnsAskedFor << id;
        return id == QLatin1String("Fup_Name") ? 4 : -1;
    }
};

class GraphicViewCreateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.setHost(&host);
        view.setCardSize({243, 154});
        view.bindGraphics(&list);
    }
    SKTGraphic *byID(GraphicKind kind, const QString &id, const QString &value = QString(),
                     QRectF rect = QRectF(100, 60, 30, 30))
    {
        return view.createGraphicOfClass(kind, std::nullopt, true, rect, Card_Side::Front, value, id);
    }

    CreationHost host;
    SKTGraphicList list;
    SKTGraphicView view{asLoaded()};
};
} // namespace

TEST_F(GraphicViewCreateTest, AnIDOfATextOrImageControlIsCreatedOnce)
{
    SKTGraphic *text = byID(GraphicKind::Text, "Fup_Name", "Ann");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->bounds(), QRectF(100, 60, 70, 20)) << "an ID keeps the origin; text is always 70 x 20";
    EXPECT_EQ(text->Text_Value, "Ann");
    EXPECT_FALSE(text->isDrawingFill());
    EXPECT_FALSE(text->isDrawingStroke());
    EXPECT_EQ(host.undoSnapshots, 2);
    EXPECT_EQ(host.tool, 0);

    EXPECT_EQ(byID(GraphicKind::Text, "Fup_Name", "Bob"), nullptr);
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(text->Text_Value, "Ann");
    // Replacing updates the one there, shows it and makes it current.
    text->Set_Ctrl_Is_Visible(false);
    view.setSelected_Graphic(nullptr);
    view.ReplaceGraphicText(GraphicKind::Text, true, QRectF(0, 0, 10, 10), Card_Side::Front, "Bob", "Fup_Name");
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(text->Text_Value, "Bob");
    EXPECT_TRUE(text->ctrl_is_visible);
    EXPECT_EQ(text->bounds().topLeft(), QPointF(100, 60));
    EXPECT_EQ(view.Selected_Graphic(), text);
    // An empty value leaves the text.
    view.ReplaceGraphicText(GraphicKind::Text, true, QRectF(), Card_Side::Front, "", "Fup_Name");
    EXPECT_EQ(text->Text_Value, "Bob");

    // Other kinds are never found by ID, so each call makes one more.
    byID(GraphicKind::Shape, "F_shape");
    byID(GraphicKind::Shape, "F_shape");
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(view.Selcect_Ctrl_With_ID("F_shape"), nullptr);
    EXPECT_EQ(view.Selcect_Ctrl_With_ID(""), nullptr);
}

TEST_F(GraphicViewCreateTest, PlacementWithAndWithoutARectangle)
{
    // A rectangle without an ID goes to the next free point at its own size.
    SKTGraphic *a = byID(GraphicKind::Shape, "", QString(), QRectF(100, 60, 30, 40));
    EXPECT_EQ(a->bounds(), QRectF(30, 30, 30, 40));
    SKTGraphic *b = view.createGraphicOfClass(GraphicKind::Line, std::nullopt, false, QRectF(), Card_Side::Front, "", "");
    EXPECT_EQ(b->bounds(), QRectF(50, 50, 50, 50));
    EXPECT_EQ(list.at(0).get(), b) << "new controls go on top";
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{b});

    // With snapping on, both corners land on the grid.
    SKTGrid grid;
    grid.setSpacing(20);
    grid.setConstraining(true);
    view.setGrid(&grid);
    SKTGraphic *snapped = byID(GraphicKind::Shape, "grid", QString(), QRectF(33, 47, 50, 50));
    EXPECT_EQ(snapped->bounds(), QRectF(40, 40, 40, 60));
    view.setGrid(nullptr);
}

TEST_F(GraphicViewCreateTest, ProfileFillingTakesNoSnapshots)
{
    {
        const SKTGraphicView::Snapshot_Hold hold(view);
        byID(GraphicKind::Text, "Fup_Title", "Boss");
        view.ReplaceGraphicText(GraphicKind::Text, true, QRectF(), Card_Side::Front, "Chief", "Fup_Title");
    }
    EXPECT_EQ(host.undoSnapshots, 0);
    EXPECT_EQ(list.at(0)->Text_Value, "Chief");
    byID(GraphicKind::Shape, "");
    EXPECT_EQ(host.undoSnapshots, 2) << "a control made after the hold is a step";
}

TEST_F(GraphicViewCreateTest, ANewTextTakesTheDesignsTextFontAndColour)
{
    SKTDocument document;
    document.All_Text_font = QFont("Liberation Serif", 21);
    document.All_Text_clr = Qt::darkGreen;
    view.bindGraphics(&document.graphics());
    SKTGraphic *g = byID(GraphicKind::Text, "Free", "x");
    EXPECT_EQ(g->text_ctrl_font->pointSize(), 21);
    EXPECT_EQ(g->txt_clr, QColor(Qt::darkGreen));
    view.bindGraphics(nullptr);
}

TEST_F(GraphicViewCreateTest, GroupModeBindsProfileTextsToTheirColumn)
{
    host.mode = Card_Mode::Group;
    SKTGraphic *name = byID(GraphicKind::Text, "Fup_Name", "Ann");
    EXPECT_EQ(name->data_source_type, 2);
    EXPECT_TRUE(name->excel_binding);
    EXPECT_EQ(name->excel_col_indx, 4);
    SKTGraphic *title = byID(GraphicKind::Text, "Fup_Title", "Boss");
    EXPECT_EQ(title->data_source_type, 0) << "no column chosen";
    byID(GraphicKind::Text, "F_Photo1_field", "x");
    byID(GraphicKind::Text, "Free", "x");
    EXPECT_EQ(host.columnsAskedFor, (QStringList{"Fup_Name", "Fup_Title"})) << "photos and free texts are not bound";

    host.mode = Card_Mode::Visitor;
    EXPECT_EQ(byID(GraphicKind::Text, "F_field2", "y")->data_source_type, 0);
}

TEST_F(GraphicViewCreateTest, InvitationTextsAreAlignedAndSized)
{
    const Scoped_Value<QFont> deskFont(DEFAULT_FONT, QFont(QStringLiteral("DejaVu Sans"), 11));
    SKTGraphic *title = byID(GraphicKind::Text, "PARTY_TITLE", "Wedding");
    SKTGraphic *from = byID(GraphicKind::Text, "PARTY_FROM", "Us");
    EXPECT_EQ(title->text_alignmnet, 2);
    EXPECT_EQ(from->text_alignmnet, 1);
    ASSERT_TRUE(title->text_ctrl_font.has_value());
    EXPECT_EQ(title->text_ctrl_font->pointSizeF(), 18);
    EXPECT_EQ(title->Text_contents().font.pointSizeF(), 18);
    EXPECT_EQ(title->text_ctrl_font->family(), "DejaVu Sans") << "the desktop's own font, not another platform's";
}

TEST_F(GraphicViewCreateTest, LookUpsHidingAndBulkOperationsByID)
{
    SKTGraphic *name = byID(GraphicKind::Text, "Fup_Name", "Ann");
    SKTGraphic *caption = byID(GraphicKind::Text, "Fup_lbl_Photo", "Photo :");
    SKTGraphic *photo = byID(GraphicKind::Image, "Fup_Photo");
    SKTGraphic *shape = byID(GraphicKind::Shape, "Fup_Time");
    SKTGraphic *free = byID(GraphicKind::Text, "Other", "x");
    EXPECT_EQ(view.Selcect_Ctrl_With_ID("Fup_Photo"), photo);
    EXPECT_EQ(view.Selcect_Ctrl_With_ID("Fup_Time"), nullptr) << "a shape is not found";

    view.Hide_all_Text_control_FUP_Control();
    EXPECT_FALSE(name->ctrl_is_visible);
    EXPECT_FALSE(caption->ctrl_is_visible);
    EXPECT_TRUE(photo->ctrl_is_visible) << "the photo keeps its visibility";
    EXPECT_TRUE(shape->ctrl_is_visible);
    EXPECT_TRUE(free->ctrl_is_visible);

    view.Set_Selection_Index_According_ID("Fup_Time");
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{shape}) << "any kind is selected by ID";
    EXPECT_EQ(view.Selected_Graphic(), shape);
    EXPECT_FALSE(view.There_Is_Any_Lock_Contrl());
    shape->ctrl_is_locked = true;
    EXPECT_TRUE(view.There_Is_Any_Lock_Contrl());
    view.Set_Selection_Index_According_ID("Nobody");
    EXPECT_EQ(view.Selected_Graphic(), nullptr);
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{shape}) << "the selection stays";

    view.delete_all_control();
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(view.There_Is_Any_Lock_Contrl());
}

TEST_F(GraphicViewCreateTest, NewPicturesFromAFileOrTheClipboard)
{
    EXPECT_FALSE(view.makeNewImageFromContentsOfFile(Resource_Path + "README.md", {20, 20}));
    EXPECT_FALSE(view.makeNewImageFromContentsOfFile(Resource_Path + "missing.png", {20, 20}));
    ASSERT_TRUE(view.makeNewImageFromContentsOfFile(Resource_Path + "no.png", {80, 80}));
    SKTGraphic *fromFile = list.at(0).get();
    EXPECT_EQ(fromFile->kind(), GraphicKind::Image);
    EXPECT_EQ(fromFile->bounds().center(), QPointF(80, 80));
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{fromFile});
    EXPECT_EQ(fromFile->FilePath(), Resource_Path + "no.png") << "a saved design finds the picture again";

    QMimeData empty;
    EXPECT_FALSE(view.makeNewImageFromPasteboard(&empty, {20, 20}));
    QMimeData data;
    QImage image(40, 10, QImage::Format_ARGB32);
    image.fill(Qt::red);
    data.setImageData(image);
    ASSERT_TRUE(view.makeNewImageFromPasteboard(&data, {60, 60}));
    // The pasted picture lies on the card from the point (a tall one placed above the
    // point would be wholly off the card).
    EXPECT_EQ(list.at(0)->bounds(), QRectF(60, 60, 40, 10));
    EXPECT_EQ(list.count(), 2);
    // The pasted picture is kept as a file of its own, which the control names.
    const QImage kept(list.at(0)->FilePath());
    EXPECT_EQ(kept.size(), QSize(40, 10));
    EXPECT_TRUE(list.at(0)->FilePath().startsWith(Created_Resource_Path));
}

// A link under a pasted picture's name, to a file elsewhere or leading nowhere, takes
// the name: the picture goes under the next one and nothing outside the folder changes.
TEST_F(GraphicViewCreateTest, APastedPictureNeverGoesThroughALink)
{
    const QString folder = Created_Resource_Path + "Images_save_by_user";
    for (const char *pointsTo : {"thesis.odt", "autostart.desktop"}) {
        const testsupport::OutsideFolder outside;
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(outside.link(folder + "/Pasted_Picture_1.png", pointsTo));
        QMimeData data;
        QImage image(40, 10, QImage::Format_ARGB32);
        image.fill(Qt::red);
        data.setImageData(image);
        ASSERT_TRUE(view.makeNewImageFromPasteboard(&data, {60, 60}));
        EXPECT_EQ(list.at(0)->FilePath(), folder + "/Pasted_Picture_2.png") << pointsTo;
        EXPECT_EQ(outside.contents(), "thesis.odt=thesis;") << pointsTo;
    }
}
