// The visitor's photo through the undo history and the clipboard, on bundled templates:
// the photo buttons' step is one undo step that holds the photo, and a photo cut and
// pasted back is the photo again in the card, the photo box and the record.
#include "HistoryDesk.h"

#include <functional>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace photo_steps_test {

namespace {
using C = SKTGraphicView::Command;

// The picture without an ID beside the photo (the logo); nullptr when there is none.
SKTGraphic *logoOf(HistoryDesk &d)
{
    for (const GraphicPtr &g : d.document.sideList(d.document.currentSide()).items())
        if (g->kind() == GraphicKind::Image && g->control_ID.isEmpty()) return g.get();
    return nullptr;
}

QString nameOnCard(HistoryDesk &d)
{
    SKTGraphic *g = d.currentView().Selcect_Ctrl_With_ID("Fup_Name");
    return g ? g->Text_Value : QStringLiteral("<none>");
}
} // namespace

// Type "Ann", put a face into the logo with a photo button, type one key more, Undo: the
// name is "Ann" again and the logo, with the face, is still the photo of card, box and
// record. The button's step is one undo step.
TEST(PhotoSteps, ThePhotoButtonsStepIsOneUndoStepThatHoldsThePhoto)
{
    const QString face = Own_Picture("face", QColor(200, 40, 40)), second = Own_Picture("second", QColor(20, 40, 200));
    auto deletePhoto = [](HistoryDesk &d) {
        d.click(d.currentView().Selcect_Ctrl_With_ID("Fup_Photo"));
        d.command(C::Delete);
        d.clickEmptyPlace();
    };
    auto clickLogo = [](HistoryDesk &d) { d.click(logoOf(d)); };
    auto fromFile = [&](HistoryDesk &d) { d.photoFromFile(face); };
    auto camera = [&](HistoryDesk &d) { d.camera(face); };
    const struct Form {
        const char *what;
        std::function<void(HistoryDesk &)> before, button, after;
        QString photo;  // the photo's picture at the end
    } forms[] = {
        {"the photo deleted, Photo from File...", deletePhoto, fromFile, nullptr, face},
        {"the logo clicked, Photo from File...", clickLogo, fromFile, nullptr, face},
        {"the photo deleted, Camera...", deletePhoto, camera, nullptr, face},
        {"the logo clicked, Camera...", clickLogo, camera, nullptr, face},
        {"the photo deleted, Photo from File..., then the Image tab", deletePhoto, fromFile,
         [&](HistoryDesk &d) {
             d.click(logoOf(d));
             d.browseOnImageTab(logoOf(d), second);
         },
         second},
    };
    for (const char *design : {"General ID (h)", "Student ID (h)"})
        for (const Form &f : forms) {
            SCOPED_TRACE(std::string(design) + ", " + f.what);
            HistoryDesk d;
            ASSERT_TRUE(d.open(Bundled_Template(design)));
            SKTGraphic *logo = logoOf(d);
            ASSERT_NE(logo, nullptr);
            d.typeInto(0, "Ann");
            f.before(d);
            const int steps = d.history.undoCount(0);
            f.button(d);
            EXPECT_EQ(d.history.undoCount(0), steps + 1) << "one step";
            EXPECT_EQ(d.history.Ucontrol.back().photo, d.present(0).photo) << "the step holds the photo";
            EXPECT_TRUE(d.history.Ucontrol.back() == d.present(0)) << "the step holds the card as it is";
            if (f.after) f.after(d);
            ASSERT_EQ(logo->FilePath(), f.photo) << "the face went into the logo";
            ASSERT_EQ(d.document.Visitor_Photo(0), logo);
            d.typeInto(0, "Anne");
            d.undo();
            EXPECT_EQ(nameOnCard(d), "Ann");
            SKTGraphic *photo = d.document.Visitor_Photo(0);
            EXPECT_TRUE(photo && photo->control_ID.isEmpty() && photo->FilePath() == f.photo);
            EXPECT_EQ(d.fp().image_path_val->text(), f.photo) << "the box after the Undo";
            d.addToDatabase();
            ASSERT_EQ(d.visits.size(), 1u);
            EXPECT_EQ(d.visits.back().photo[0], f.photo) << "recorded";
            d.redo();
            EXPECT_EQ(nameOnCard(d), "Anne");
            d.addToDatabase();
            EXPECT_EQ(d.visits.back().photo[0], f.photo) << "recorded after the Redo";
        }
}

// Cut and Paste of the photo (its face put in on the Image tab): the pasted picture is the
// photo, under its own ID, in the box and the record, through Undo and Redo of the paste.
// A copy pasted while the photo stays is another picture.
TEST(PhotoSteps, ThePhotoCutAndPastedBackIsThePhotoOfBoxAndRecord)
{
    const QString face = Own_Picture("face", QColor(200, 40, 40));
    const struct Case {
        const char *design;
        bool cut;
        QString pastedID;
        bool pastedIsPhoto;
    } cases[] = {
        {"Visitor Pass (h)", true, "Fup_Photo", true},
        {"Invitation (h)", true, "", true},
        {"Visitor Pass (h)", false, "F_Pic1", false},
        {"Invitation (h)", false, "F_Pic1", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.design) + (c.cut ? ", cut" : ", copied"));
        HistoryDesk d;
        ASSERT_TRUE(d.open(Bundled_Template(c.design)));
        SKTGraphic *photo = d.document.Visitor_Photo(0);
        ASSERT_NE(photo, nullptr);
        d.click(photo);
        d.browseOnImageTab(photo, face);
        ASSERT_EQ(d.fp().image_path_val->text(), face);
        d.click(photo);
        d.command(c.cut ? C::Cut : C::Copy);
        if (c.cut) {
            EXPECT_EQ(d.document.Visitor_Photo(0), nullptr);
            EXPECT_EQ(d.fp().image_path_val->text(), "");
        }
        d.command(C::Paste);
        SKTGraphic *pasted = d.currentView().Selected_Graphic();
        ASSERT_TRUE(pasted && (c.cut || pasted != photo));  // a cut photo is gone
        EXPECT_EQ(pasted->FilePath(), face);
        EXPECT_EQ(pasted->control_ID, c.pastedID);
        EXPECT_EQ(d.document.Visitor_Photo(0), c.pastedIsPhoto ? pasted : photo);
        EXPECT_EQ(d.fp().image_path_val->text(), face);
        d.addToDatabase();
        ASSERT_EQ(d.visits.size(), 1u);
        EXPECT_EQ(d.visits.back().photo[0], face) << "recorded";
        if (!c.cut) continue;
        d.undo();
        EXPECT_EQ(d.document.Visitor_Photo(0), nullptr) << "the paste undone";
        d.redo();
        SKTGraphic *back = d.document.Visitor_Photo(0);
        EXPECT_TRUE(back && back->FilePath() == face && back->control_ID == c.pastedID) << "the paste redone";
        d.addToDatabase();
        EXPECT_EQ(d.visits.back().photo[0], face) << "recorded after the Redo";
    }
}

// Copy to Other Side after a photo button put the face into the logo: the side keeps
// the logo as its photo and the copy's photo is the copy of the logo, in card, box and
// record, whatever picture the design itself would name.
TEST(PhotoSteps, CopyToOtherSideKeepsThePhotoAButtonNamed)
{
    const QString face = Own_Picture("face", QColor(200, 40, 40));
    for (const char *design : {"General ID (h)", "Student ID (h)"}) {
        SCOPED_TRACE(design);
        HistoryDesk d;
        ASSERT_TRUE(d.open(Bundled_Template(design)));
        d.document.Front_card_Prop.setCard_Side("2");
        SKTGraphic *logo = logoOf(d);
        ASSERT_NE(logo, nullptr);
        d.click(logo);
        d.photoFromFile(face);
        ASSERT_EQ(d.document.Visitor_Photo(0), logo);
        ASSERT_NE(d.currentView().Selcect_Ctrl_With_ID("Fup_Photo"), nullptr) << "the design's own photo stays";
        const int at = d.front().indexOf(logo);
        d.copyToOtherSide();
        EXPECT_EQ(d.document.Visitor_Photo(0), logo) << "the front keeps its photo";
        SKTGraphic *copy = d.document.Visitor_Photo(1);
        EXPECT_TRUE(copy && d.back().indexOf(copy) == at && copy->FilePath() == face) << "the copy's is the logo's copy";
        d.addToDatabase();
        ASSERT_EQ(d.visits.size(), 1u);
        EXPECT_EQ(d.visits.back().photo[0], face);
        EXPECT_EQ(d.visits.back().photo[1], face);
    }
}

} // namespace photo_steps_test
