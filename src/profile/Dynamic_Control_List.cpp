#include "Dynamic_Control_List.h"

#include "Globals.h"
#include "Log.h"
#include "Profile_Data_Source.h"
#include "Profile_Panel.h"
#include "ScopedFlag.h"
#include "Visitor_Fields.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace {
const QString kTextHere = QStringLiteral("Text here");

bool isFile(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

} // namespace

QString Get_Original_Path_Of_Image_Control(const SKTGraphic &g)
{
    return isFile(g.FilePath()) && isFile(g.Text_Value) ? g.Text_Value : QString();
}

Dynamic_Ctrl_List Build_Dynamic_Control_List(const SKTGraphicList &side, Dynamic_List_Source source)
{
    Dynamic_Ctrl_List list;
    for (const GraphicPtr &g : side.items()) {
        const bool text = g->kind() == GraphicKind::Text;
        if (!text && g->kind() != GraphicKind::Image) continue;
        const QString &id = g->control_ID;
        if (id.isEmpty() || id.contains(QLatin1String("Fup_"))) continue;
        if (id.contains(QLatin1String(source == Dynamic_List_Source::Panel ? "_label" : "F_Pic"))) continue;
        Dynamic_Ctrl_Entry e;
        e.id = id;
        e.value = text ? g->Text_Value : Get_Original_Path_Of_Image_Control(*g);
        e.visible = g->ctrl_is_visible ? QStringLiteral("Y") : QStringLiteral("N");
        e.column = g->data_source_type_val() == Data_Source_Spreadsheet ? QString::number(g->excel_col_indx) : QStringLiteral("-1");
        e.kind = text ? QStringLiteral("T") : QStringLiteral("P");
        list.push_back(e);
    }
    return list;
}

int Get_Col_Index_of_Dynamic_Control(const Dynamic_Ctrl_List &list, const QString &ctrl_id)
{
    for (const Dynamic_Ctrl_Entry &e : list)
        if (e.id == ctrl_id) return e.column.toInt();
    return -1;
}

void Update_Value_For_Dynamic_Control(const Dynamic_Ctrl_List &list, const QString &mode, const QString &ctrl_id,
                                      Profile_Panel &panel, SKTGraphicList &side, Profile_Data_Source &source)
{
    const Scoped_Flag quiet(Not_Draw_Only_Prop_Change);
    const bool single = mode == QLatin1String("S");
    for (const Dynamic_Ctrl_Entry &e : list) {
        if (single && e.id != ctrl_id) continue;
        Show_NSLog_Message(QStringLiteral("ID : %1 - VAL : %2 - VISIBLE : %3 - INDX : %4")
                               .arg(e.id, e.value, e.visible, e.column));
        QCheckBox *chk = panel.Get_Dynamic_Chk_Box(e.id);
        QLineEdit *box = panel.Get_Dynamic_Text_Box(e.id);
        // An image-tool picture has no row: its control keeps its picture and path.
        if (!chk && !box) continue;
        QString text = box ? box->text() : QString();
        Show_NSLog_Message(text);
        const int column = e.column.toInt();
        if (e.column != QLatin1String("-1")) text = source.Get_Excel_Table_Item_Text(0, column);
        const bool visible = e.visible == QLatin1String("Y");
        if (chk) chk->setChecked(visible);
        if (e.kind == QLatin1String("P")) {
            if (text == kTextHere) text.clear();
            panel.Set_Dynamic_Pic_Ctrl_Image(panel.Get_Dynamic_Photo_Ctrl(e.id), panel.Picture_For_Row_Path(text));
        }
        source.Check_and_create_control_for_group_mode(side, e.id, text, e.kind, column, visible, true, false);
        if (box) {
            box->setText(e.kind == QLatin1String("P") ? text : Box_Text_Of_Card_Text(text, box->text()));
            box->setEnabled(chk && chk->isChecked());
        }
    }
}

void Create_Control_For_Visitor_Mode_Side(const Dynamic_Ctrl_List &list, Profile_Panel &panel)
{
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const Dynamic_Ctrl_Entry &e = *it;
        const bool visible = e.visible == QLatin1String("Y");
        if (e.kind == QLatin1String("T")) {
            panel.txt_or_image_ctrl = 0;
            if (!Is_User_Caption_ID(e.id)) continue;  // values come with their caption
            const QString key = Row_Pairing_Key(e.id);
            panel.Add_label_control(e.id, Box_Text_Of_Card_Text(e.value), visible);
            for (const Dynamic_Ctrl_Entry &v : list)
                if (Is_User_Value_ID(v.id) && Row_Pairing_Key(v.id) == key) {
                    panel.Add_Value_control(v.id, Box_Text_Of_Card_Text(v.value), v.visible == QLatin1String("Y"));
                    break;
                }
            // A caption without its value still takes its row: the next row goes below it.
            panel.Increment_in_position();
            continue;
        }
        panel.txt_or_image_ctrl = 1;
        panel.Add_Image_control(e.id, e.value, visible);
        panel.Add_Value_control(e.id, e.value, visible);
        panel.Increment_in_position();
    }
}

void Profile_Data_Source::Check_and_create_control_for_group_mode(SKTGraphicList &side, const QString &ctrl_id,
                                                                  const QString &value, const QString &kind, int,
                                                                  bool visible, bool, bool)
{
    for (const GraphicPtr &g : side.items()) {
        if (g->control_ID != ctrl_id) continue;
        if (g->kind() == GraphicKind::Image) {
            // No picture named: the control keeps the one it has.
            if (kind == QLatin1String("P") && !value.isEmpty())
                static_cast<SKTImage *>(g.get())->setFilePath(value, true);
        } else if (g->kind() == GraphicKind::Text) {
            g->Set_text_value(value.isEmpty() ? kTextHere : value);
        }
        g->Set_Ctrl_Is_Visible(visible);
        return;
    }
}
