// Which control is the visitor's photo is one fact of the side: every road that shows
// a picture in the photo box, and the record of the visit, read the same control.
#include "PanelDesk.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "UndoHistory.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace visitor_photo_test {

namespace {

// A picture of its own, of one colour, under the test's home.
QString picture(const char *name, QColor colour)
{
    const QString path = testsupport::testHome() + "/" + name + ".png";
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

struct Desk : PanelDesk {
    int side = 0;
    QString recorded = "<not recorded>";

    explicit Desk(int s) : side(s)
    {
        Set_Field_Captions(Caption_Wording::General_ID_Card);
        record = [this] { recorded = panel().image_path_val->text(); };
    }
    Profile_Panel &panel() { return side == 1 ? bp() : fp(); }
    SKTGraphicList &controls() { return document.sideList(side); }
    SKTGraphicView &cardView() { return view(side); }
    // A picture control of the design, as a design file or a tool puts it on the side.
    SKTGraphic *put(const QString &id, const QString &path)
    {
        auto g = std::static_pointer_cast<SKTImage>(SKTGraphic::create(GraphicKind::Image));
        g->control_ID = id;
        g->setBounds({10, 10 + 50.0 * controls().count(), 40, 40});
        g->setFilePath(path, true);
        controls().insert(g, controls().count());
        return g.get();
    }
    // The design read in and shown for live entry on the side.
    void load()
    {
        desk.Rebuild_From_Card();
        desk.Show_Single_Mode_Front_Panel();
        showSide(side);
    }
    void click(SKTGraphic *g)
    {
        cardView().selectGraphics({g});
        cardView().setSelected_Graphic(g);
        desk.Control_Selected(g);
    }
    void clickEmptyPlace() { Show_Properties(nullptr); }
    void deleteControl(SKTGraphic *g)
    {
        cardView().selectGraphics({g});
        cardView().deleteSelection();
    }
    // The Image tab's Browse...: a new picture for the control.
    static void browseOnImageTab(SKTGraphic *g, const QString &path) { static_cast<SKTImage *>(g)->setFilePath(path, true); }
    void photoFromFile(const QString &path)
    {
        testsupport::queueFilePanelAnswer({path});
        panel().Browse_image_Btn_Clicked();
    }
    // Undo as the window does it: the side's controls come back from the snapshot.
    void undoTo(const SideSnapshot &before)
    {
        desk.Refresh_After_Undo();
        const std::vector<GraphicPtr> restored = Controls_From_Snapshot(before);
        controls().replaceAll(restored);
        for (const GraphicPtr &g : restored) desk.Show_Control_After_Undo(g.get());
    }
    SKTGraphic *at(int index) { return controls().at(index).get(); }
    void addToDatabase() { desk.Add_Visitor_Record_To_DB(); }
};

} // namespace

// The photo box before a record shows the side's photo or nothing, and the record
// stores that, whatever another road showed in the box before.
TEST(VisitorPhoto, TheRecordStoresTheSidesPhotoAndNothingElse)
{
    const QString face = picture("face", QColor(200, 40, 40)), second = picture("second", QColor(20, 40, 200));
    const QString building = Resource_Path + "LibraryImage/Business/Building.png";
    const struct Road {
        const char *what;
        // Puts the side's design, with its photo, on the card and walks the road; the
        // photo box the road shows before the record.
        std::function<void(Desk &)> walk;
        QString shown, recorded;
    } roads[] = {
        {"a library picture clicked after the photo was deleted",
         [&](Desk &d) {
             SKTGraphic *photo = d.put("Fup_Photo", face);
             d.load();
             d.deleteControl(photo);
             SKTGraphic *library = d.put(d.side ? "B_Pic2" : "F_Pic2", building);
             d.clickEmptyPlace();
             d.click(library);
         },
         building, ""},
        {"a photo row's picture clicked after the photo was deleted",
         [&](Desk &d) {
             SKTGraphic *photo = d.put("Fup_Photo", face);
             d.load();
             d.deleteControl(photo);
             d.panel().txt_or_image_ctrl = 1;
             d.panel().Add_label_btn->click();
             // The deleted photo is gone; a new control may take its address.
             SKTGraphic *row = nullptr;
             for (const GraphicPtr &g : d.controls().items())
                 if (g->kind() == GraphicKind::Image && g->control_ID != "Fup_Photo") row = g.get();
             ASSERT_NE(row, nullptr);
             ASSERT_NE(d.panel().Get_Dynamic_Text_Box(row->control_ID), nullptr) << row->control_ID.toStdString();
             Desk::browseOnImageTab(row, second);
             d.click(row);
         },
         second, ""},
        {"Photo from File... into a photo row selected on the card",
         [&](Desk &d) {
             d.put("Fup_Photo", face);
             d.load();
             d.panel().txt_or_image_ctrl = 1;
             d.panel().Add_label_btn->click();
             SKTGraphic *row = d.at(0);
             ASSERT_NE(d.panel().Get_Dynamic_Text_Box(row->control_ID), nullptr) << row->control_ID.toStdString();
             d.click(row);
             d.photoFromFile(second);
             ASSERT_EQ(row->FilePath(), second);
         },
         second, face},
        {"Photo from File... into the logo after a Delete, then the Image tab",
         [&](Desk &d) {
             SKTGraphic *photo = d.put("Fup_Photo", building);
             SKTGraphic *logo = d.put("", Resource_Path + "banner.png");
             d.load();
             d.deleteControl(photo);
             d.clickEmptyPlace();
             d.photoFromFile(face);
             ASSERT_EQ(logo->FilePath(), face);
             ASSERT_EQ(d.panel().image_path_val->text(), face);
             d.click(logo);
             Desk::browseOnImageTab(logo, second);
         },
         second, second},
        {"a photo without an ID deleted, then undone",
         [&](Desk &d) {
             SKTGraphic *photo = d.put("", building);
             d.load();
             Desk::browseOnImageTab(photo, face);
             ASSERT_EQ(d.panel().image_path_val->text(), face);
             const SideSnapshot before = Side_Snapshot(d.controls().items());
             d.click(photo);
             d.deleteControl(photo);
             ASSERT_EQ(d.panel().image_path_val->text(), "");
             d.undoTo(before);
             ASSERT_EQ(d.at(0)->FilePath(), face) << "the card shows the face again";
             d.clickEmptyPlace();
             d.click(d.at(0));
         },
         face, face},
        {"a photo with its ID deleted, then undone",
         [&](Desk &d) {
             SKTGraphic *photo = d.put("Fup_Photo", face);
             d.put("", Resource_Path + "banner.png");
             d.load();
             const SideSnapshot before = Side_Snapshot(d.controls().items());
             d.deleteControl(photo);
             d.undoTo(before);
         },
         face, face},
    };
    for (int side : {0, 1})
        for (const Road &r : roads) {
            SCOPED_TRACE(std::string(r.what) + (side ? ", back" : ", front"));
            Desk d(side);
            r.walk(d);
            if (::testing::Test::HasFatalFailure()) return;
            EXPECT_EQ(d.panel().image_path_val->text(), r.shown) << "shown";
            d.addToDatabase();
            EXPECT_EQ(d.recorded, r.recorded) << "recorded";
            EXPECT_EQ(d.panel().image_path_val->text(), r.recorded) << "the box after the record";
        }
}

} // namespace visitor_photo_test
