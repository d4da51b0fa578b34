#pragma once
// What the invitation wizard hands back on OK: the texts and picture files of the
// invitation, and the photo with the adjustments it was shown with.
#include "Picture.h"
#include "PictureAdjuster.h"

#include <QString>

struct Invitation_Values {
    QString Invite_Title, Invite_To, Invite_Message, Invite_Date, Invite_Time, Invite_Venue, Invite_From;
    QString Invite_BG_IMG;         // background picture of the front
    QString Invite_Frame_Pic_IMG;  // photo placed in the frame
    QString Invite_Frame_IMG;      // frame picture over the whole card
    ImageAdjustments photo_adjustments;  // the photo's settings in the wizard
    Picture Main_Photo_image;      // the photo as the wizard showed it
    bool main_photo_ds_batch = false;    // a photo was chosen
};
