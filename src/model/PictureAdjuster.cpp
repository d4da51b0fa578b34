#include "PictureAdjuster.h"

#include "SKTGraphic.h"

ImageAdjustments Image_Adjustments_Of(const SKTGraphic &g)
{
    return {g._isFlippedHorizontally, g._isFlippedVertically, g.invert_clr, g.gray_Scale, g.Sepia,
            g.img_trnsp_val, g.hue_val, g.sat_val, g.brt_val, g.con_val, g.srp_val, g.ev_val, g.blr_val,
            g.rotate_image};
}
