#include "Profile_Filler.h"

#include "Globals.h"
#include "Log.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicView.h"
#include "Visitor_Panel_Sync.h"

#include <QFileInfo>
#include <exception>

namespace {
void writeControl(const Profile_Fill_Target &t, const QString &id, const QString &text, GraphicKind kind)
{
    const bool missing = t.view->Selcect_Ctrl_With_ID(id) == nullptr;
    const QRectF rect = missing && t.default_rect ? t.default_rect(id, text) : QRectF();
    t.view->ReplaceGraphicText(kind, missing, rect, t.card_side, text, id);
}

void setTool(const Profile_Fill_Target &t, int tool)
{
    if (t.set_tool) t.set_tool(tool);
}

void bindSelected(const Profile_Fill_Target &t, const Profile_Field &field)
{
    if (SKTGraphic *g = t.view->Selected_Graphic()) Bind_Profile_Control(*g, field);
}

void fillPhoto(const User_Profile_Class &r, const Profile_Fill_Target &t)
{
    const Profile_Field &photo = r[Profile_Stem::image];
    if (t.kind == Profile_Fill_Target::Kind::Scratch) {
        const QString path = photo.value.isEmpty() ? t.no_image_path : photo.value;
        setTool(t, 8);
        Library_Selected_Image = path;
        writeControl(t, photo.id, path, GraphicKind::Image);
        bindSelected(t, photo);
        return;
    }
    if (!r.image_USE) {
        // A record without a photo hides the side's photo control, front and back alike.
        if (SKTGraphic *g = t.view->Selcect_Ctrl_With_ID(photo.id)) g->Set_Ctrl_Is_Visible(false);
        return;
    }
    const bool usable = QFileInfo(photo.value).isFile() || photo.ds || photo.xl;
    if (usable) {
        setTool(t, 8);
        Library_Selected_Image = photo.value;
        writeControl(t, photo.id, photo.value, GraphicKind::Image);
    }
    t.view->Set_Selection_Index_According_ID(photo.id);
    bindSelected(t, photo);
}

// The values, the photo and the captions; the writing is one step, so the view takes
// no snapshots of its own meanwhile.
void writeRecord(const User_Profile_Class &r, const Profile_Fill_Target &t)
{
    const SKTGraphicView::Snapshot_Hold hold(*t.view);
    t.view->Hide_all_Text_control_FUP_Control();
    setTool(t, 2);
    for (int i = 0; i < kProfileTextStemCount; ++i) {
        const Profile_Field &f = r[Profile_Stem(i)];
        if (f.value.isEmpty()) continue;
        writeControl(t, f.id, f.value, GraphicKind::Text);
        bindSelected(t, f);
    }
    fillPhoto(r, t);
    setTool(t, 2);
    for (int i = 0; i < kProfileTextStemCount; ++i) {
        const Profile_Field &f = r[Profile_Stem(i)];
        if (!f.label.isEmpty()) writeControl(t, f.label_id, f.label, GraphicKind::Text);
    }
}
} // namespace

void Bind_Profile_Control(SKTGraphic &g, const Profile_Field &field)
{
    // The kind clears the binding fields of the other kinds.
    if (field.ds) {
        g.Set_Data_source_type(Data_Source_Series);
        g.Set_Batch_List_Name(field.ds_name);
        g.Set_Batch_List_Index(field.ds_indx);
    } else if (field.xl) {
        g.Set_Data_source_type(Data_Source_Spreadsheet);
        g.Set_Excel_binding_Index(field.xl_col_indx);
    } else {
        g.Set_Data_source_type(Data_Source_Manual);
    }
}

void Fill_User_profile_info_side(const User_Profile_Class &r, const Profile_Fill_Target &t)
{
    const bool scratch = t.kind == Profile_Fill_Target::Kind::Scratch;
    if (!scratch) {
        if (t.combo_step) t.combo_step();
        if (!t.confirmed) return;
    }
    if (!t.view) return;
    try {
        writeRecord(r, t);
        if (!scratch && t.record_undo) t.record_undo();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

// ---- The design's sides ----

Profile_Filling::Profile_Filling(const SKTDocument &document, Profile_Filling_Window &window)
    : m_document(document), m_window(window)
{
}

Profile_Fill_Target Profile_Filling::Target(Profile_Fill_Target::Kind kind) const
{
    const int side = kind == Profile_Fill_Target::Kind::Back ? 1 : kind == Profile_Fill_Target::Kind::Scratch ? 2 : 0;
    Profile_Fill_Target t;
    t.kind = kind;
    t.view = m_window.Filling_View(side);
    t.card_side = side == 1 ? Card_Side::Back : Card_Side::Front;
    t.no_image_path = m_window.Filling_No_Image_Path();
    t.default_rect = [&doc = m_document](const QString &id, const QString &) {
        return Visitor_Sample_Rect(doc.Front_card_Prop.Card_Size(), id);
    };
    t.set_tool = [&w = m_window](int tool) { w.Filling_Set_Tool(tool); };
    t.combo_step = [&w = m_window] { w.Filling_Data_Source_List(); };
    const int recorded = side == 1 ? 1 : 0;
    t.record_undo = [&w = m_window, recorded] { w.Filling_Record_Side(recorded); };
    t.confirmed = m_window.Filling_Profile_Confirmed();
    return t;
}

void Profile_Filling::Fill_Front(const User_Profile_Class &record) const
{
    Fill_User_profile_info_side(record, Target(Profile_Fill_Target::Kind::Front));
}

void Profile_Filling::Fill_Back(const User_Profile_Class &record) const
{
    Fill_User_profile_info_side(record, Target(Profile_Fill_Target::Kind::Back));
}

void Profile_Filling::Fill_Scratch(const User_Profile_Class &record) const
{
    Fill_User_profile_info_side(record, Target(Profile_Fill_Target::Kind::Scratch));
}
