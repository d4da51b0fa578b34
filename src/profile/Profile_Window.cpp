#include "Profile_Window.h"

#include "Globals.h"
#include "MessageBox.h"
#include "Profile_Data_Source.h"
#include "Profile_Dialog.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"

#include <QComboBox>
#include <algorithm>
#include <exception>
#include <vector>

namespace {
bool bindable(const SKTGraphic &g)
{
    const GraphicKind k = g.kind();
    return (k == GraphicKind::Image || k == GraphicKind::Text || k == GraphicKind::Barcode) &&
           g.data_source_type_val() == Data_Source_Spreadsheet;
}

// The wizard's photo settings on the card's photo control.
void applyAdjustments(SKTImage &img, const ImageAdjustments &a)
{
    img.setFlippedHorizontally(a.flipHorizontally);
    img.setFlippedVertically(a.flipVertically);
    img.setAdjustment(&SKTGraphic::invert_clr, a.invert);
    img.setAdjustment(&SKTGraphic::gray_Scale, a.grayScale);
    img.setAdjustment(&SKTGraphic::Sepia, a.sepia);
    img.setAdjustment(&SKTGraphic::img_trnsp_val, float(a.transparency));
    img.setAdjustment(&SKTGraphic::hue_val, float(a.hue));
    img.setAdjustment(&SKTGraphic::sat_val, float(a.saturation));
    img.setAdjustment(&SKTGraphic::brt_val, float(a.brightness));
    img.setAdjustment(&SKTGraphic::con_val, float(a.contrast));
    img.setAdjustment(&SKTGraphic::srp_val, float(a.sharpness));
    img.setAdjustment(&SKTGraphic::ev_val, float(a.exposure));
    img.setAdjustment(&SKTGraphic::blr_val, float(a.blur));
    img.setAdjustment(&SKTGraphic::rotate_image, float(a.rotation));
}

void dropOn(SKTGraphicList &side, bool keepProfileControls)
{
    for (const GraphicPtr &g : side.items())
        if (bindable(*g) && !(keepProfileControls && g->control_ID.contains(QLatin1String("Fup_"))))
            Drop_Excel_Binding(*g);
}
} // namespace

void Drop_Excel_Binding(SKTGraphic &g)
{
    g.Set_Data_source_type(Data_Source_Manual);  // no column, no series
}

int Open_User_Profile_Window(char flag, const QString &side, const QString &sides, const Profile_Window_Context &c)
{
    QString letter = side.trimmed();
    int result = 0;
    if (!letter.isEmpty()) {
        if (c.one_side) {
            c.one_side->load_side = letter;
            result = c.one_side->Open_Wnd(flag);
        }
    } else if (c.two_sides) {
        if (sides == QLatin1String("1")) letter = QStringLiteral("F");
        c.two_sides->load_side = letter;
        result = c.two_sides->Open_Wnd(c.profile_confirmed ? 1 : 0);
    }
    if (c.combo_step) c.combo_step();
    if (!c.source || c.source->Calculate_Excel_table_rows() < 1 || !c.source->Browse_Excel_AGAIN()) return result;
    // A new spreadsheet: the bindings made to the old one are dropped.
    try {
        if (c.data_source_combo && c.data_source_combo->currentIndex() == 2) {
            c.data_source_combo->setCurrentIndex(0);
            c.data_source_combo->setCurrentIndex(2);
        }
        if (c.current_side) dropOn(*c.current_side, true);
        const bool otherUsesSheet = c.current_is_back ? c.source->Check_Front_Side_Excel_Binding_Is_Used()
                                                      : sides == QLatin1String("2") &&
                                                            c.source->Check_Back_Side_Excel_Binding_Is_Used();
        if (c.other_side && otherUsesSheet) dropOn(*c.other_side, false);
    } catch (const std::exception &e) {
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
    return result;
}

void Fill_Party_Invidation_Details(const Invitation_Values &v, SKTGraphicView &front, QSizeF card, QPointF location,
                                   const std::function<void(int)> &set_tool)
{
    auto tool = [&](int t) {
        if (set_tool) set_tool(t);
    };
    std::vector<const SKTGraphic *> texts;  // laid out here
    auto make = [&](GraphicKind kind, float x, float y, float w, float h, const QString &value, const char *id) {
        if (kind == GraphicKind::Image) Library_Selected_Image = value;
        SKTGraphic *g = front.createGraphicOfClass(kind, std::nullopt, true, QRectF(x, y, w, h), Card_Side::Front,
                                                   value, QLatin1String(id));
        // The laid-out rectangle is the control's, text included.
        if (g) g->setBounds(QRectF(x, y, w, h));
        if (g && kind == GraphicKind::Text) texts.push_back(g);
        return g;
    };
    tool(2);
    const float W = float(card.width()), H = float(card.height());
    const float w = W - 80, x0 = (W - w) / 2, yp = (H - 250) / 2;
    float y = 40;
    if (!v.Invite_Title.isEmpty()) {
        make(GraphicKind::Text, x0, y, w, 30, v.Invite_Title, "PARTY_TITLE");
        y += 50;
    }
    const float x = 30;
    if (!v.Invite_To.isEmpty()) {
        make(GraphicKind::Text, x, y, w, 20, QStringLiteral("Dear ") + v.Invite_To + QStringLiteral(","), "PARTY_TO");
        y += 30;
    }
    if (!v.Invite_Message.isEmpty()) {
        make(GraphicKind::Text, 50, y, w, 80, v.Invite_Message, "PARTY_MSG");
        y += 80;
    }
    if (!v.Invite_Date.isEmpty()) {
        QString date = v.Invite_Date;
        if (!v.Invite_Time.isEmpty()) date += QStringLiteral(" at ") + v.Invite_Time;
        make(GraphicKind::Text, x, y, w, 20, date, "PARTY_DATE");
        y += 30;
    } else if (!v.Invite_Time.isEmpty()) {
        make(GraphicKind::Text, x, y, w, 20, QStringLiteral("AT ") + v.Invite_Time, "PARTY_TIME");
        y += 60;
    } else {
        y += 30;
    }
    if (!v.Invite_Venue.isEmpty()) {
        make(GraphicKind::Text, x, y, w, 60, QStringLiteral("Venue:\n") + v.Invite_Venue, "PARTY_VENUE");
        y += 70;
    } else {
        y += 20;
    }
    if (!v.Invite_From.isEmpty()) make(GraphicKind::Text, x0, y, w, 40, QStringLiteral("From:\n") + v.Invite_From, "PARTY_FROM");
    if (!v.Invite_Frame_Pic_IMG.isEmpty()) {
        tool(8);
        if (auto *img = dynamic_cast<SKTImage *>(make(GraphicKind::Image, x0, yp, w, 250, v.Invite_Frame_Pic_IMG, "PARTY_IMAGE"))) {
            applyAdjustments(*img, v.photo_adjustments);
            // The photo spans the middle of the card, where the texts stand: it goes
            // under them, so that what was typed stays readable.
            if (SKTGraphicList *list = front.graphicsList()) {
                int lowest = -1;
                for (const SKTGraphic *t : texts) lowest = std::max(lowest, list->indexOf(t));
                if (lowest > list->indexOf(img)) list->move(list->indexOf(img), lowest);
            }
        }
    }
    if (!v.Invite_Frame_IMG.isEmpty()) {
        tool(8);
        make(GraphicKind::Image, float(location.x()), float(location.y()), W, H, v.Invite_Frame_IMG, "PARTY_IMAGE_BG");
    }
}
