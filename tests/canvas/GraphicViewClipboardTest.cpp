#include "AsLoadedAdjuster.h"
#include "CardViewHost.h"
#include "Globals.h"
#include "Plist.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTGrid.h"
#include "SKTImage.h"
#include "SKTZoomingScrollView.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace {
using C = SKTGraphicView::Command;

// A host that hands out placement points in 20-point steps and image IDs, and records
// snapshots and the window commands it is asked for.
struct ClipHost : CardViewHost {
    Card_Mode mode = Card_Mode::Opened;
    Card_Mode Design_Mode() const override { return mode; }
    int undoSnapshots = 0;
    int nextPoint = 10;
    int imageIDs = 0;
    int pasteButtonUpdates = 0;
    std::vector<WindowCommand> windowCommands;
    void Card_Base_Drawing(QPainter &, const QRectF &) override {}
    void Card_Border_Drawing(QPainter &, const QRectF &) override {}
    void Insert_In_Undo_Redo() override { ++undoSnapshots; }
    QPointF Control_New_Point(Card_Side) override
    {
        nextPoint += 20;
        return QPointF(nextPoint, nextPoint);
    }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic%1").arg(++imageIDs); }
    void Set_Paste_Button_Status() override { ++pasteButtonUpdates; }
    void Run_Window_Command(WindowCommand c) override { windowCommands.push_back(c); }
};

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.setHost(&host);
        view.setCardSize({243, 154});
        view.bindGraphics(&list);
        view.setGrid(&grid);
        QGuiApplication::clipboard()->clear();
        testsupport::boxes().clear();
    }
    // A new control on top of the side.
    SKTGraphic *add(GraphicKind kind, const QRectF &r, bool locked = false)
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->setBounds(r);
        g->ctrl_is_locked = locked;
        list.insert(g, 0);
        return g.get();
    }
    std::vector<SKTGraphic *> order() const
    {
        std::vector<SKTGraphic *> v;
        for (const GraphicPtr &g : list.items()) v.push_back(g.get());
        return v;
    }
    static void setClipboard(QMimeData *data) { QGuiApplication::clipboard()->setMimeData(data); }

    ClipHost host;
    SKTGraphicList list;
    SKTGrid grid;
    SKTGraphicView view{asLoaded()};
};
} // namespace

TEST_F(ClipboardTest, CopyPutsTheControlsWithPdfTiffAndPng)
{
    SKTGraphic *shape = add(GraphicKind::Shape, {20, 30, 40, 20});
    view.selectGraphics({shape});
    view.runCommand(C::Copy);
    EXPECT_EQ(host.undoSnapshots, 0) << "a copy changes no side";
    EXPECT_EQ(host.pasteButtonUpdates, 1);

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    const auto root = Plist_From_Bytes(data->data(SKTGraphicView::SKTGraphicViewPasteboardType));
    ASSERT_TRUE(root.has_value());
    ASSERT_EQ(root->toList().size(), 1);
    EXPECT_TRUE(data->data("application/pdf").startsWith("%PDF"));
    const QImage tiff = QImage::fromData(data->data("image/tiff"), "TIFF");
    const QImage png = QImage::fromData(data->data("image/png"), "PNG");
    ASSERT_FALSE(tiff.isNull());
    EXPECT_EQ(tiff.size(), png.size());
    EXPECT_GE(tiff.width(), 40);
    EXPECT_TRUE(SKTGraphicView::clipboardHoldsControls());

    // Nothing selected: the clipboard is left alone.
    view.deselectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    view.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

TEST_F(ClipboardTest, PastingOwnCopyGoesToTheNextFreePointsEachTime)
{
    SKTGraphic *source = add(GraphicKind::Text, {20, 30, 70, 20}, true);
    source->control_ID = QStringLiteral("Fup_Name");
    view.selectGraphics({source});
    view.copy();

    view.runCommand(C::Paste);
    ASSERT_EQ(list.count(), 2);
    SKTGraphic *first = list.at(0).get();
    EXPECT_EQ(first->bounds(), QRectF(30, 30, 70, 20)) << "not on top of the copied control";
    EXPECT_TRUE(first->control_ID.isEmpty());
    EXPECT_FALSE(first->ctrl_is_locked);
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{first});
    EXPECT_EQ(view.Selected_Graphic(), first);
    EXPECT_EQ(host.undoSnapshots, 2) << "one before the paste, one after";

    view.runCommand(C::Paste);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(0)->bounds(), QRectF(50, 50, 70, 20));
    EXPECT_EQ(list.at(1).get(), first);
    EXPECT_EQ(source->bounds(), QRectF(20, 30, 70, 20));
}

TEST_F(ClipboardTest, DataFromElsewhereKeepsItsPlacesOnTheFirstPasteOnly)
{
    SKTGraphicList otherList;
    SKTGraphicView other{asLoaded()};
    other.bindGraphics(&otherList);
    for (QRectF r : {QRectF(5, 6, 10, 10), QRectF(100, 60, 20, 20)}) {
        GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
        g->setBounds(r);
        otherList.insert(g, 0);
    }
    other.selectAll();
    other.copy();

    ASSERT_TRUE(view.paste());
    ASSERT_EQ(list.count(), 2);
    // Clipboard order is selection order: the topmost first, inserted on top.
    EXPECT_EQ(list.at(0)->bounds(), QRectF(100, 60, 20, 20));
    EXPECT_EQ(list.at(1)->bounds(), QRectF(5, 6, 10, 10));

    ASSERT_TRUE(view.paste());
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.at(0)->bounds(), QRectF(30, 30, 20, 20));
    EXPECT_EQ(list.at(1)->bounds(), QRectF(50, 50, 10, 10)) << "each later control at a point of its own";
    EXPECT_EQ(view.selectionIndexes(), (std::vector<int>{0, 1}));
}

TEST_F(ClipboardTest, PastedImagesTakeNewIDsAndGroupModeDropsSpreadsheetBindings)
{
    auto image = SKTImage::initWithPath({40, 40}, Resource_Path + "no.png");
    image->control_ID = QStringLiteral("Fup_Photo");
    list.insert(image, 0);
    SKTGraphic *text = add(GraphicKind::Text, {10, 10, 70, 20});
    text->Set_Data_source_type(2);
    text->Set_Excel_binding(true);
    text->Set_Excel_binding_Index(3);
    text->Set_Batch_List_Name(QStringLiteral("Names"));
    SKTGraphic *barcode = add(GraphicKind::Barcode, {10, 60, 20, 20});
    barcode->Set_Data_source_type(2);
    barcode->Set_Excel_binding_Index(2);
    view.selectAll();
    view.copy();

    host.mode = Card_Mode::Group;
    ASSERT_TRUE(view.paste());
    ASSERT_EQ(list.count(), 6);
    SKTGraphic *pastedBarcode = list.at(0).get();
    SKTGraphic *pastedText = list.at(1).get();
    SKTGraphic *pastedImage = list.at(2).get();
    EXPECT_EQ(pastedImage->control_ID, "F_Pic1");
    EXPECT_FALSE(pastedImage->_contents.isNull()) << "the picture reloads from its file";
    EXPECT_EQ(pastedText->data_source_type, 0);
    EXPECT_FALSE(pastedText->excel_binding);
    EXPECT_EQ(pastedText->excel_col_indx, -1);
    EXPECT_EQ(pastedText->batch_list_index, -1);
    EXPECT_EQ(pastedText->batch_list_name, "");
    EXPECT_EQ(pastedBarcode->data_source_type, 2) << "only text and image controls lose the binding";
    EXPECT_EQ(pastedBarcode->excel_col_indx, 2);

    host.mode = Card_Mode::Opened;
    ASSERT_TRUE(view.paste());
    EXPECT_EQ(list.at(2)->control_ID, "") << "outside visitor and group mode an image gets no ID";
    EXPECT_EQ(host.imageIDs, 1);
}

// The visitor's photo cut (or copied) and pasted onto a side that has no photo is the
// photo again, under its own ID; a copy pasted while the side keeps its photo is not.
TEST_F(ClipboardTest, ThePhotoPastedOntoASideWithoutOneIsThePhotoAgain)
{
    const struct Case {
        const char *what;
        Card_Mode mode;
        const char *photoID;  // the photo's ID ("" for none)
        bool withText;        // a text is cut with it, above it
        bool cut;             // cut; else copied
        bool photoGone;       // after a copy: the photo deleted before the paste
        const char *idTaken;  // an unmarked picture put on the side meanwhile has this ID
        bool pastedIsPhoto;
        const char *pastedID;
    } cases[] = {
        {"Fup_Photo cut and pasted back", Card_Mode::Visitor, "Fup_Photo", false, true, false, nullptr, true, "Fup_Photo"},
        {"a photo without an ID cut and pasted back", Card_Mode::Visitor, "", false, true, false, nullptr, true, ""},
        {"the photo cut with a text", Card_Mode::Visitor, "Fup_Photo", true, true, false, nullptr, true, "Fup_Photo"},
        {"in group mode", Card_Mode::Group, "Fup_Photo", false, true, false, nullptr, true, "Fup_Photo"},
        {"a template's photo", Card_Mode::Opened, "Fup_Photo", false, true, false, nullptr, true, "Fup_Photo"},
        {"copied, deleted, pasted", Card_Mode::Visitor, "Fup_Photo", false, false, true, nullptr, true, "Fup_Photo"},
        {"copied while the photo stays", Card_Mode::Visitor, "Fup_Photo", false, false, false, nullptr, false, "F_Pic1"},
        {"a template's photo copied while it stays", Card_Mode::Opened, "Fup_Photo", false, false, false, nullptr, false, ""},
        {"cut, its ID taken meanwhile", Card_Mode::Visitor, "Fup_Photo", false, true, false, "Fup_Photo", true, "F_Pic1"},
        {"cut, another ID put meanwhile", Card_Mode::Visitor, "Fup_Photo", false, true, false, "F_Pic7", true, "Fup_Photo"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QGuiApplication::clipboard()->clear();
        list.replaceAll({});
        host.mode = c.mode;
        host.imageIDs = 0;
        SKTGraphic *photo = add(GraphicKind::Image, {20, 30, 40, 50});
        photo->control_ID = c.photoID;
        photo->Set_Visitor_Photo_Mark(true);
        std::vector<SKTGraphic *> chosen{photo};
        if (c.withText) chosen.insert(chosen.begin(), add(GraphicKind::Text, {80, 30, 40, 20}));
        view.selectGraphics(chosen);
        view.runCommand(c.cut ? C::Cut : C::Copy);
        if (c.photoGone) {
            view.selectGraphics({photo});
            view.runCommand(C::Delete);
        }
        if (c.idTaken) add(GraphicKind::Image, {100, 100, 20, 20})->control_ID = c.idTaken;
        view.runCommand(C::Paste);
        SKTGraphic *pasted = view.Selected_Graphic();
        if (c.withText) pasted = list.at(1).get();
        ASSERT_TRUE(pasted && pasted->kind() == GraphicKind::Image);
        EXPECT_EQ(pasted->Is_Visitor_Photo(), c.pastedIsPhoto);
        EXPECT_EQ(pasted->control_ID, c.pastedID);
        int marks = 0;
        for (const GraphicPtr &g : list.items()) marks += g->Is_Visitor_Photo();
        EXPECT_EQ(marks, 1) << "one photo on the side";
    }
}

TEST_F(ClipboardTest, CutRefusesALockedSelectionAndChangesNothing)
{
    SKTGraphic *a = add(GraphicKind::Shape, {10, 10, 20, 20});
    SKTGraphic *locked = add(GraphicKind::Shape, {50, 10, 20, 20}, true);
    view.selectGraphics({a, locked});
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    view.runCommand(C::Cut);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nSelected control is locked."});
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_EQ(host.undoSnapshots, 0);

    view.selectGraphics({a});
    EXPECT_TRUE(view.cut());
    EXPECT_EQ(order(), std::vector<SKTGraphic *>{locked});
    EXPECT_TRUE(SKTGraphicView::clipboardHoldsControls());
    EXPECT_TRUE(view.paste());
    EXPECT_EQ(list.count(), 2);
}

TEST_F(ClipboardTest, ForeignClipboardData)
{
    add(GraphicKind::Shape, {10, 10, 20, 20});

    QGuiApplication::clipboard()->setText(QStringLiteral("plain text"));
    EXPECT_FALSE(view.paste());
    EXPECT_EQ(list.count(), 1);

    auto *files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(Resource_Path + "no.png")});
    setClipboard(files);
    EXPECT_FALSE(view.paste()) << "file names paste nothing";
    EXPECT_EQ(list.count(), 1);

    // A PNG alone becomes a picture control at (50, 50).
    QImage picture(30, 12, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    auto *pngOnly = new QMimeData;
    pngOnly->setData("image/png", png);
    setClipboard(pngOnly);
    EXPECT_FALSE(view.validateCommand(C::Paste)) << "the Paste item needs controls on the clipboard";
    ASSERT_TRUE(view.paste());
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0)->kind(), GraphicKind::Image);
    EXPECT_EQ(list.at(0)->bounds(), QRectF(50, 50, 30, 12));
    EXPECT_EQ(view.selectionIndexes(), std::vector<int>{0});

    // Private data that is not a list of archives: the error of code 2, nothing pasted.
    auto *bad = new QMimeData;
    bad->setData(SKTGraphicView::SKTGraphicViewPasteboardType, Plist_To_Bytes(QVariantMap{{"a", 1}}));
    setClipboard(bad);
    const SKTError expected = SKTErrorWithCode(2);
    EXPECT_FALSE(view.paste());
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"\n" + expected.localizedDescription + "\n" + expected.localizedFailureReason});

    // A list whose items do not all read back: the readable ones are pasted.
    auto *mixed = new QMimeData;
    GraphicPtr good = SKTGraphic::create(GraphicKind::Line);
    good->setBounds({1, 2, 30, 0});
    const QVariantList items{QStringLiteral("not an archive"),
                             Plist_From_Bytes(SKTGraphic::pasteboardDataWithGraphics({good}))->toList().front()};
    mixed->setData(SKTGraphicView::SKTGraphicViewPasteboardType, Plist_To_Bytes(items, PlistFormat::Binary));
    setClipboard(mixed);
    ASSERT_TRUE(view.paste());
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(0)->kind(), GraphicKind::Line);
}

TEST_F(ClipboardTest, AlignmentAgainstTheFirstSelectedOrTheCard)
{
    SKTGraphic *c = add(GraphicKind::Shape, {100, 80, 30, 10});
    SKTGraphic *locked = add(GraphicKind::Shape, {60, 70, 10, 10}, true);
    SKTGraphic *b = add(GraphicKind::Shape, {40, 50, 20, 40});
    SKTGraphic *first = add(GraphicKind::Shape, {10, 20, 50, 30});  // topmost
    view.selectGraphics({c, locked, b, first});

    EXPECT_TRUE(view.alignLeftEdges());
    EXPECT_EQ(first->bounds(), QRectF(10, 20, 50, 30));
    EXPECT_EQ(b->bounds(), QRectF(10, 50, 20, 40));
    EXPECT_EQ(c->bounds(), QRectF(10, 80, 30, 10));
    EXPECT_EQ(locked->bounds(), QRectF(60, 70, 10, 10));
    EXPECT_FALSE(view.alignLeftEdges()) << "nothing left to move";

    view.alignRightEdges();
    EXPECT_EQ(b->xPosition(), 40);
    EXPECT_EQ(c->xPosition(), 30);
    view.alignBottomEdges();
    EXPECT_EQ(b->yPosition(), 10);
    EXPECT_EQ(c->yPosition(), 40);
    view.alignVerticalCenters();
    EXPECT_EQ(b->bounds().center().y(), 35);
    view.alignHorizontalCenters();
    EXPECT_EQ(c->bounds().center().x(), 35);
    view.alignTopEdges();
    EXPECT_EQ(c->yPosition(), 20);
    EXPECT_EQ(locked->bounds(), QRectF(60, 70, 10, 10));

    // A locked first control still serves as the reference.
    first->ctrl_is_locked = true;
    b->setBounds({200, 100, 20, 40});
    view.alignLeftEdges();
    EXPECT_EQ(b->xPosition(), 10);

    // One control: against the card (243 x 154).
    view.selectGraphics({c});
    view.alignRightEdges();
    EXPECT_EQ(c->xPosition(), 213);
    view.alignBottomEdges();
    EXPECT_EQ(c->yPosition(), 144);
    view.alignLeftEdges();
    view.alignTopEdges();
    EXPECT_EQ(c->bounds().topLeft(), QPointF(0, 0));
    view.alignformCenter();
    EXPECT_EQ(c->bounds().center(), QPointF(121.5, 77));
    view.selectGraphics({locked});
    EXPECT_FALSE(view.alignLeftEdges());

    // Centring on the card moves every unlocked selected control, the first included.
    first->ctrl_is_locked = false;
    view.selectGraphics({first, b, locked});
    view.alignformCenter();
    EXPECT_EQ(first->bounds().center(), QPointF(121.5, 77));
    EXPECT_EQ(b->bounds().center(), QPointF(121.5, 77));
    EXPECT_EQ(locked->bounds(), QRectF(60, 70, 10, 10));

    // Through the command: one snapshot after a change, none without.
    host.undoSnapshots = 0;
    view.runCommand(C::AlignTopEdges);
    EXPECT_EQ(host.undoSnapshots, 1);
    view.runCommand(C::AlignTopEdges);
    EXPECT_EQ(host.undoSnapshots, 1);
}

TEST_F(ClipboardTest, SameSizeGridAndPrintFlag)
{
    SKTGraphic *barcode = add(GraphicKind::Barcode, {100, 100, 60, 30});
    SKTGraphic *locked = add(GraphicKind::Shape, {60, 70, 10, 10}, true);
    SKTGraphic *b = add(GraphicKind::Shape, {40, 50, 20, 40});
    SKTGraphic *first = add(GraphicKind::Shape, {12, 20, 50, 30});
    view.selectGraphics({first, b, locked, barcode});
    EXPECT_TRUE(view.makeSameWidth());
    EXPECT_TRUE(view.makeSameHeight());
    EXPECT_EQ(b->bounds(), QRectF(40, 50, 50, 30));
    EXPECT_EQ(locked->bounds(), QRectF(60, 70, 10, 10));
    EXPECT_EQ(barcode->bounds(), QRectF(100, 100, 60, 30)) << "a barcode keeps its picture's size";

    grid.setSpacing(10);
    EXPECT_TRUE(view.alignWithGrid());
    EXPECT_EQ(first->bounds(), QRectF(10, 20, 50, 30));
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, barcode->bounds()) << "the picture frame follows";
    EXPECT_EQ(locked->bounds(), QRectF(60, 70, 10, 10));

    EXPECT_TRUE(view.print_contol_or_not(1));
    EXPECT_EQ(first->print_object, 1);
    EXPECT_EQ(locked->print_object, 0);

    EXPECT_TRUE(view.Frame_main_Pic_Wdith_Changed(10));
    EXPECT_NEAR(first->width(), 28.34645669291, 1e-9);
    EXPECT_EQ(barcode->width(), 60);
}

TEST_F(ClipboardTest, BringToFrontAndSendToBackMoveTheSelectionAsABlock)
{
    std::vector<SKTGraphic *> g(6);
    for (int i = 5; i >= 0; --i) g[size_t(i)] = add(GraphicKind::Shape, {double(i) * 10, 10, 10, 10});
    ASSERT_EQ(order(), g);

    view.selectGraphics({g[5], g[2]});
    view.setSelected_Graphic(g[2]);
    view.runCommand(C::BringToFront);
    EXPECT_EQ(order(), (std::vector<SKTGraphic *>{g[2], g[5], g[0], g[1], g[3], g[4]}));
    EXPECT_EQ(view.selectionIndexes(), (std::vector<int>{0, 1}));
    EXPECT_EQ(view.Selected_Graphic(), g[2]);
    EXPECT_EQ(host.undoSnapshots, 1);
    view.runCommand(C::BringToFront);
    EXPECT_EQ(host.undoSnapshots, 1) << "already in front: no change, no snapshot";

    view.runCommand(C::SendToBack);
    EXPECT_EQ(order(), (std::vector<SKTGraphic *>{g[0], g[1], g[3], g[4], g[2], g[5]}));
    EXPECT_EQ(view.selectionIndexes(), (std::vector<int>{4, 5}));

    g[5]->ctrl_is_locked = true;
    EXPECT_FALSE(view.bringToFront());
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nSelected control is locked."});
    EXPECT_EQ(order(), (std::vector<SKTGraphic *>{g[0], g[1], g[3], g[4], g[2], g[5]}));
}

TEST_F(ClipboardTest, ContextMenuItemsAndTheirEnabling)
{
    std::unique_ptr<QMenu> menu(view.makeContextMenu());
    EXPECT_EQ(menu->title(), "Contextual Menu");
    const QList<QAction *> items = menu->actions();
    ASSERT_EQ(items.size(), 21);
    const QStringList titles{"Cut", "Copy", "Paste", "", "Delete", "", "Bring to Front", "Send to Back", "",
                             "Lock", "Unlock", "", "Card Properties", "Card Background", "", "Show/Hide Grid",
                             "", "Export ID Card", "Export as Template", "Mail ID Card", "Print ID Card"};
    for (int i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->isSeparator(), titles[i].isEmpty()) << i;
        if (!titles[i].isEmpty()) {
            EXPECT_EQ(items[i]->text(), titles[i]);
        }
        EXPECT_TRUE(items[i]->shortcut().isEmpty());
    }
    auto enabled = [&](const char *title) {
        view.validateMenu(menu.get());
        for (QAction *a : items)
            if (a->text() == QLatin1String(title)) return a->isEnabled();
        ADD_FAILURE() << title;
        return false;
    };

    // Nothing selected, nothing of ours on the clipboard.
    for (const char *t : {"Cut", "Copy", "Paste", "Delete", "Bring to Front", "Send to Back", "Lock", "Unlock"})
        EXPECT_FALSE(enabled(t)) << t;
    for (const char *t : {"Card Properties", "Show/Hide Grid", "Export ID Card", "Print ID Card"})
        EXPECT_TRUE(enabled(t)) << t;

    SKTGraphic *a = add(GraphicKind::Shape, {10, 10, 20, 20});
    SKTGraphic *locked = add(GraphicKind::Shape, {50, 10, 20, 20}, true);
    view.selectGraphics({a});
    view.setSelected_Graphic(a);
    for (const char *t : {"Cut", "Copy", "Delete", "Bring to Front", "Send to Back", "Lock"})
        EXPECT_TRUE(enabled(t)) << t;
    EXPECT_FALSE(enabled("Unlock"));
    view.copy();
    EXPECT_TRUE(enabled("Paste"));

    // The current control is locked.
    view.selectGraphics({a, locked});
    view.setSelected_Graphic(locked);
    for (const char *t : {"Cut", "Paste", "Delete", "Bring to Front", "Send to Back", "Lock"})
        EXPECT_FALSE(enabled(t)) << t;
    EXPECT_TRUE(enabled("Copy"));
    EXPECT_TRUE(enabled("Unlock"));

    // Multi-selection commands, natural size, grid alignment.
    EXPECT_TRUE(view.validateCommand(C::MakeSameWidth));
    view.selectGraphics({a});
    EXPECT_FALSE(view.validateCommand(C::AlignLeftEdges));
    EXPECT_FALSE(view.validateCommand(C::MakeNaturalSize)) << "a square shape has its natural size";
    a->setWidth(40);
    EXPECT_TRUE(view.validateCommand(C::MakeNaturalSize));
    grid.setSpacing(0);
    EXPECT_FALSE(view.validateCommand(C::AlignWithGrid));

    // The window's items go to the host; the view's own run on the view.
    for (QAction *item : items)
        if (item->text() == QLatin1String("Unlock") || item->text() == QLatin1String("Print ID Card")) item->trigger();
    EXPECT_EQ(host.windowCommands, (std::vector<CardViewHost::WindowCommand>{CardViewHost::WindowCommand::Unlock,
                                                                             CardViewHost::WindowCommand::PrintCard}));
    const bool shown = grid.isAlwaysShown();
    items[15]->trigger();
    EXPECT_EQ(grid.isAlwaysShown(), !shown);
}

TEST(GraphicViewRulers, RulerItemTitleFollowsTheRulers)
{
    SKTZoomingScrollView scroll;
    auto *view = new SKTGraphicView(asLoaded());
    scroll.setCardView(view);
    scroll.setRulersVisible(false);
    QString title;
    EXPECT_TRUE(view->validateCommand(C::ShowOrHideRulers, &title));
    EXPECT_EQ(title, "Show Ruler");
    view->runCommand(C::ShowOrHideRulers);
    EXPECT_TRUE(scroll.rulersVisible());
    view->validateCommand(C::ShowOrHideRulers, &title);
    EXPECT_EQ(title, "Hide Ruler");
}
