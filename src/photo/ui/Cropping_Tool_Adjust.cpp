// The cropping window's picture adjustments: grey, sepia, invert and the two flips,
// the eight sliders and the rotation, their reset, and the adjusted picture on show,
// which Crop cuts and whose settings every row of Crop All is adjusted with.
#include "Cropping_Tool.h"

#include "AdjustmentChain.h"
#include "MessageBox.h"
#include "PictureView.h"
#include "SelectionCanvas.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QPushButton>
#include <QVBoxLayout>

void Cropping_Tool::buildAdjustments()
{
    Build_Adjustment_Box([this] { Update_Image_With_Settings(); });
    connect(image_reset_btn, &QPushButton::clicked, this, &Cropping_Tool::Image_reset_Button);

    auto *cropLayout = qobject_cast<QHBoxLayout *>(screens->widget(1)->layout());
    auto *right = qobject_cast<QVBoxLayout *>(cropLayout->itemAt(1)->layout());
    right->insertWidget(right->count() - 1, Image_Edit_Prop_Box);
}

void Cropping_Tool::Update_Image_With_Settings()
{
    if (!On_Gui_Thread("Update_Image_With_Settings"))
        return;
    if (User_Picture_PREVIEW.isNull()) {
        User_Picture = QImage();
        Modified_image->setPicture({});
        return;
    }
    const Picture adjusted = Get_Processed_Image_Full_Combined(User_Picture_PREVIEW, Current_Adjustments(), true);
    User_Picture = adjusted.image();
    Modified_image->setPicture(adjusted);
    canvas->arrangeCanvas();
}

void Cropping_Tool::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1)
        return;
    Reset_Image_Editing_Controls();
    Update_Image_With_Settings();
}
