#include "Card_Wizard.h"
#include "Globals.h"
#include "Invitation_Wizard.h"
#include "PhotoPictureAdjuster.h"
#include "Start_Card.h"
#include "Shots.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const QStringList kPvc = {"CR80-Credit Card Size", "CR79", "CR90-Over Sized", "CR100-Military Size", "CR50", "CR60", "CR70"};
const QStringList kPaper = {"Durable 1458 - Name Badge", "Durable 1452 - Name Badge", "Durable 1453 - Name Badge",
                            "Durable 1454 - Name Badge", "Durable 1455 - Name Badge", "Durable 1456 - Name Badge",
                            "Durable 1457 - Name Badge", "Durable 1459 - Name Badge"};

struct Fakes {
    std::optional<QString> library;
    QStringList profileCalls;
    int profileAnswer = 1;
    Wizard_Collaborators with(const PictureAdjuster *adjuster = nullptr)
    {
        Wizard_Collaborators w;
        w.pvc_sizes = kPvc;
        w.paper_sizes = kPaper;
        w.choose_library_picture = [this] { return library; };
        w.open_profile = [this](const QString &sides) {
            profileCalls << sides;
            return profileAnswer;
        };
        w.adjuster = adjuster;
        return w;
    }
};
} // namespace

TEST(WizardCardPage, PresetSizesInPoints)
{
    struct Row {
        const char *category, *orientation;
        int row;
        double width, height;
    } rows[] = {
        {"PVC Card", "V", 0, 153.36, 242.64},
        {"PVC Card", "H", 0, 242.64, 153.36},
        {"Paper Card", "H", 7, 425.52, 357.12},
        {"PVC Card", "H", -1, 85.04, 85.04},  // no row: 30 x 30 mm
    };
    for (const Row &r : rows) {
        const QSizeF s = Wizard_Card_Size_Points(r.category, r.orientation, r.row);
        EXPECT_NEAR(s.width(), r.width, 0.01) << r.category << r.orientation << r.row;
        EXPECT_NEAR(s.height(), r.height, 0.01) << r.category << r.orientation << r.row;
    }
}

TEST(CardWizard, CardSidesLibraryAndProfile)
{
    Fakes fakes;
    Card_Wizard w(fakes.with());
    w.reset();
    EXPECT_EQ(w.page->sizes->count(), 7);
    EXPECT_EQ(w.page->sizes->currentRow(), 0);
    w.page->select("PVC Card", "Vertical", 0, 1);
    const Wizard_Card_Choice c = w.card();
    EXPECT_NEAR(c.size.width(), 153.36, 0.01);
    EXPECT_NEAR(c.size.height(), 242.64, 0.01);
    EXPECT_EQ(c.sides, "1");
    EXPECT_EQ(c.orientation, "V");
    EXPECT_EQ(c.preset, "CR80-Credit Card Size");
    EXPECT_EQ(w.Profile_Btn(), 1);
    w.page->sides->setCurrentRow(0);
    EXPECT_EQ(w.card().sides, "2");
    w.Profile_Btn();
    EXPECT_EQ(fakes.profileCalls, (QStringList{"1", "2"}));
    EXPECT_TRUE(w.profileConfirmed());

    // Paper sizes follow the category, first row selected.
    w.page->category->setCurrentText("Paper Card");
    EXPECT_EQ(w.page->sizes->count(), 8);
    EXPECT_EQ(w.page->sizes->currentRow(), 0);

    fakes.library = std::nullopt;
    w.Card_Image_Library_Btn();
    EXPECT_EQ(w.picturePath(), "");
    fakes.library = "/pics/Background/Blue.png";
    w.Card_Image_Library_Btn();
    EXPECT_EQ(w.picturePath(), "/pics/Background/Blue.png");
    EXPECT_EQ(w.pictureName->text(), "Blue.png");
    w.reset();
    EXPECT_EQ(w.picturePath(), "");
    EXPECT_FALSE(w.profileConfirmed());
}

TEST(InvitationWizard, DefaultsValuesAndPreview)
{
    Fakes fakes;
    PhotoPictureAdjuster adjuster;
    Invitation_Wizard w(fakes.with(&adjuster));
    const Wizard_Card_Choice c = w.card();
    EXPECT_EQ(c.category, "Paper Card");
    EXPECT_EQ(c.orientation, "H");
    EXPECT_EQ(c.row, 7);
    EXPECT_EQ(c.sides, "1");
    EXPECT_NEAR(c.size.width(), 425.52, 0.01);
    EXPECT_NEAR(c.size.height(), 357.12, 0.01);
    EXPECT_EQ(w.values().main_photo_ds_batch, false);

    QTemporaryDir dir;
    // Red top left; the other quarters green, blue and grey.
    QImage red(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            red.setPixel(x, y, y < 4 ? (x < 4 ? qRgb(255, 0, 0) : qRgb(0, 200, 0)) : (x < 4 ? qRgb(0, 0, 180) : qRgb(90, 90, 90)));
    const QString photo = dir.filePath("red.png");
    ASSERT_TRUE(red.save(photo));
    w.setPhoto(photo);
    Invitation_Values v = w.values();
    EXPECT_TRUE(v.main_photo_ds_batch);
    EXPECT_EQ(v.Invite_Frame_Pic_IMG, photo);
    EXPECT_EQ(v.photo_adjustments.transparency, 100);
    // Neutral settings: the preview is its source, pixel for pixel.
    EXPECT_EQ(v.Main_Photo_image.image().convertToFormat(QImage::Format_ARGB32), red);

    w.Image_Gray_Scale_chk->setChecked(true);
    const QRgb grey = w.values().Main_Photo_image.image().pixel(3, 3);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(qGreen(grey), qBlue(grey));
    w.Image_Gray_Scale_chk->setChecked(false);
    w.Image_Sepia_chk->setChecked(true);
    w.Rotate_slidr->setValue(4550);  // 45.5 degrees, cut to 45
    v = w.values();
    EXPECT_TRUE(v.photo_adjustments.sepia);
    EXPECT_FALSE(v.photo_adjustments.grayScale);
    EXPECT_EQ(v.photo_adjustments.rotation, 45);

    fakes.library = "/pics/Background/Party.jpg";
    w.Background_Library_Btn();
    w.Title->setText("Birthday");
    w.Time->setText("7 pm");
    w.Message->setPlainText("Come\nalong");
    v = w.values();
    EXPECT_EQ(v.Invite_BG_IMG, "/pics/Background/Party.jpg");
    EXPECT_EQ(v.Invite_Title, "Birthday");
    EXPECT_EQ(v.Invite_Time, "7 pm");
    EXPECT_EQ(v.Invite_Message, "Come\nalong");

    w.reset();
    v = w.values();
    EXPECT_EQ(v.Invite_Title, "");
    EXPECT_EQ(v.Invite_BG_IMG, "");
    EXPECT_FALSE(v.main_photo_ds_batch);
    EXPECT_FALSE(v.photo_adjustments.sepia);
}

// A file that does not open as a picture (or is gone, is cut short, or is past the size
// bound) is refused with a message; the photo and frame chosen before stay.
TEST(InvitationWizard, AFileThatIsNoPictureIsRefusedAndTheChoiceBeforeStays)
{
    Fakes fakes;
    PhotoPictureAdjuster adjuster;
    Wizard_Collaborators with = fakes.with(&adjuster);
    QStringList chosen;
    with.choose_picture_file = [&](const QString &) { return chosen.isEmpty() ? QString() : chosen.takeFirst(); };
    Invitation_Wizard w(with);
    QTemporaryDir dir;
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    const QString photo = dir.filePath("red.png");
    ASSERT_TRUE(red.save(photo));
    const QString notes = dir.filePath("notes.png");
    QFile f(notes);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    const QString half = testsupport::jpegCutInHalf("half.jpg"), huge = testsupport::jpegPastTheSizeBound("huge.jpg");
    testsupport::boxes().clear();
    chosen = {photo, notes, dir.filePath("gone.png"), half, huge, photo, notes, half, huge};
    for (int i = 0; i < 5; ++i) w.Photo_Browse_Btn();
    for (int i = 0; i < 4; ++i) w.Frame_Browse_Btn();
    EXPECT_EQ(testsupport::boxes().take(), QStringList(7, "\nThe chosen file could not be opened as a picture."));
    const Invitation_Values v = w.values();
    EXPECT_EQ(v.Invite_Frame_Pic_IMG, photo);
    EXPECT_EQ(v.Main_Photo_image.image().pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(v.Invite_Frame_IMG, photo);
    EXPECT_EQ(w.frameName->text(), "red.png");
}

TEST(StartCard, ProfileButtonAndRoads)
{
    QTemporaryDir dir;
    const QString savedResources = Resource_Path, savedCreated = Created_Resource_Path;
    Resource_Path = dir.path() + "/res/";
    Created_Resource_Path = dir.path() + "/data/";
    QDir().mkpath(Resource_Path + "Templates/Visitor");
    const QString pass = Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd";
    QFile f(pass);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    QStringList profileCalls;
    Start_Card gallery([&](const QString &sides) {
        profileCalls << sides;
        return 1;
    });
    struct Road {
        QPushButton *Start_Card::*button;
        Start_Road road;
        int result;
    } roads[] = {
        {&Start_Card::cardWizardButton, Start_Road::Card_Wizard, 1},
        {&Start_Card::invitationWizardButton, Start_Road::Invitation_Wizard, 1},
        {&Start_Card::openButton, Start_Road::Open, 1},
        {&Start_Card::cancelButton, Start_Road::Cancel, 0},
    };
    for (const Road &r : roads) {
        QTimer::singleShot(0, &gallery, [&] {
            // Blank card first: no profile for it.
            EXPECT_FALSE(gallery.profileButton->isEnabled());
            gallery.list()->setCurrentRow(1);
            EXPECT_TRUE(gallery.profileButton->isEnabled());
            gallery.profileButton->click();
            (gallery.*r.button)->click();
        });
        EXPECT_EQ(gallery.Open_Wnd(), r.result);
        EXPECT_EQ(gallery.road(), r.road);
        EXPECT_EQ(gallery.selectedTemplatePath(), r.road == Start_Road::Open ? pass : QString());
    }
    EXPECT_EQ(profileCalls, (QStringList{"2", "2", "2", "2"}));

    // A template whose file has gone offers no profile.
    QTimer::singleShot(0, &gallery, [&] {
        gallery.list()->setCurrentRow(1);
        QFile::remove(pass);
        gallery.updateProfileButton();
        EXPECT_FALSE(gallery.profileButton->isEnabled());
        gallery.cancelButton->click();
    });
    gallery.Open_Wnd();
    Resource_Path = savedResources;
    Created_Resource_Path = savedCreated;
}

// The start window's zoom on the shipped templates: the thumbnails and the cells with
// their names under them grow with the slider.
TEST(StartCard, ZoomSliderSizesTheShippedTemplates)
{
    Start_Card gallery([](const QString &) { return 0; });
    QList<QSize> sizes;
    QTimer::singleShot(0, &gallery, [&] {
        auto *slider = gallery.findChild<QSlider *>();
        ASSERT_TRUE(slider);
        EXPECT_TRUE(slider->isEnabled());
        sizes << gallery.list()->iconSize() << gallery.list()->gridSize();
        QTest::keyClick(slider, Qt::Key_End);
        sizes << gallery.list()->iconSize() << gallery.list()->gridSize();
        testsupport::saveShot(gallery, QStringLiteral("start-window-zoom"));
        gallery.cancelButton->click();
    });
    gallery.resize(900, 600);
    gallery.Open_Wnd();
    EXPECT_EQ(sizes, QList<QSize>({{160, 110}, {190, 150}, {256, 176}, {286, 216}}));
}
