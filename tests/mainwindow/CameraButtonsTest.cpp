// The camera buttons of the visitor panel and of the image tab, with the synthetic
// camera: the picture taken and stored goes into the card's image control.
#include "Camera.h"
#include "CameraCapture.h"
#include "ControlPanels.h"
#include "Globals.h"
#include "Profile_Dialog.h"
#include "Profile_Panel.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "SyntheticCamera.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace camera_buttons_test {

namespace {

struct Window : TestWindow {
    SyntheticCamera camera{runner};
    Window() { testsupport::boxes().clear(); }
    SKTGraphic *onFront(const QString &id) const { return controller._graphicView->Selcect_Ctrl_With_ID(id); }
};

} // namespace

TEST(CameraButtons, TheVisitorPanelsCameraMakesThePhotoControl)
{
    Window w;
    Front_Profile_Panel_OBJ->Open_Camera_btn->click();
    ASSERT_EQ(w.camera.openings, 1);
    SKTGraphic *photo = w.onFront("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    const QString stored = Camera_Folder_Path + "/dozo_user_save.png";
    EXPECT_EQ(photo->FilePath(), stored);
    EXPECT_EQ(Front_Profile_Panel_OBJ->image_path_val->text(), stored);
    const QImage written(stored);
    ASSERT_EQ(written.size(), QSize(640, 480));
    const QRgb c = written.pixel(300, 100);
    EXPECT_TRUE(qRed(c) > qGreen(c) && qGreen(c) > qBlue(c)) << "stored as adjusted: sepia";

    // The next picture gets the next name and goes into the same control.
    Front_Profile_Panel_OBJ->Open_Camera_btn->click();
    EXPECT_EQ(w.onFront("Fup_Photo")->FilePath(), Camera_Folder_Path + "/dozo_user_save_2.png");
    EXPECT_EQ(w.front().count(), 1);
}

TEST(CameraButtons, TheImageTabsCameraWantsOneImageControl)
{
    Window w;
    GraphicPtr a = w.add(w.front(), GraphicKind::Image, {10, 10, 40, 40});
    GraphicPtr b = w.add(w.front(), GraphicKind::Image, {60, 10, 40, 40});
    const QString placeholder = a->FilePath();
    w.controller.Undo_Redo_Clear();
    w.controller.Insert_In_Undo_Redo();
    w.controller._graphicView->selectGraphics({a.get(), b.get()});
    w.controller.Set_Selected_Graphic(a.get());
    w.controller.Show_RHS_Properties(a.get());
    w.controller.controlPanels->image.camera->click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select only one image control to 'Capture Image'."});
    EXPECT_EQ(w.camera.openings, 0);

    w.controller._graphicView->selectGraphics({b.get()});
    w.controller.Set_Selected_Graphic(b.get());
    w.controller.Show_RHS_Properties(b.get());
    const int steps = w.controller.Get_Undo_Count();
    w.controller.controlPanels->image.camera->click();
    EXPECT_EQ(w.camera.openings, 1);
    EXPECT_EQ(b->FilePath(), Camera_Folder_Path + "/dozo_user_save.png");
    EXPECT_EQ(static_cast<SKTImage &>(*b).Text_Value, b->FilePath());
    EXPECT_EQ(a->FilePath(), placeholder);
    EXPECT_EQ(w.controller.Get_Undo_Count(), steps + 1) << "one undo step";
}

TEST(CameraButtons, TheProfileDialogsCameraFillsThePhotoField)
{
    Window w;
    struct Seen {
        bool enabled = false;
        QString path;
        bool used = false;
    };
    for (Profile_Dialog *dialog : {&w.controller.profiles().User_profile_Window(), &w.controller.profiles().Show_User_Profile_Window()}) {
        Seen seen;
        w.runner.answer<Profile_Dialog>([&](Profile_Dialog &d) {
            seen.enabled = d.Camera_btn->isEnabled();
            d.Camera_btn->click();
            seen.path = d.image_path->text();
            seen.used = d.image_USE->isChecked();
            d.Cancel_btn->click();
        });
        dialog->load_side = "F";
        dialog->Open_Wnd(0);
        w.runner.remove<Profile_Dialog>();
        EXPECT_TRUE(seen.enabled);
        EXPECT_TRUE(seen.used);
        EXPECT_EQ(seen.path, Camera_Folder_Path + (w.camera.openings == 1 ? "/dozo_user_save.png" : "/dozo_user_save_2.png"));
    }
    EXPECT_EQ(w.camera.openings, 2);
    EXPECT_EQ(w.front().count(), 0) << "the dialog's picture reaches the card only on OK";
}

} // namespace camera_buttons_test
