#pragma once
// The picture adjustments of a window that previews an adjusted photo (the camera and
// cropping windows): grey scale, sepia, invert and the two flips, the hue, saturation,
// brightness, contrast, sharpness, exposure, blur, transparency and rotation sliders
// with their values beside them, and Reset. A window holds them as a base and puts the
// box where its layout wants it.
#include "PictureAdjuster.h"
#include "WidgetDecls.h"

#include <functional>

class QGridLayout;
class QString;

class Adjustment_Controls {
public:
    // Makes the box; changed runs after each change of a box or a slider by the user.
    QGroupBox *Build_Adjustment_Box(const std::function<void()> &changed);
    // The values shown, for the adjustment chain (the hue in degrees on its slider).
    ImageAdjustments Current_Adjustments() const;
    // Neutral values everywhere, without running changed.
    void Reset_Image_Editing_Controls();

    QGroupBox *Image_Edit_Prop_Box = nullptr;
    QCheckBox *Image_Gray_Scale_chk = nullptr, *Image_Sepia_chk = nullptr, *Image_Invert_chk = nullptr,
              *Image_FIV_chk = nullptr, *Image_FIH_chk = nullptr;
    QSlider *Hue_slidr = nullptr, *Sat_slidr = nullptr, *Brt_slidr = nullptr, *Con_slidr = nullptr,
            *shrp_slidr = nullptr, *ev_slidr = nullptr, *blr_slidr = nullptr, *Trsp_slidr = nullptr,
            *Rotate_slidr = nullptr;
    QPushButton *image_reset_btn = nullptr;

private:
    QSlider *Add_Slider(QGridLayout *grid, int row, const QString &label, int low, int high, double scale,
                        const std::function<void()> &changed);
};
