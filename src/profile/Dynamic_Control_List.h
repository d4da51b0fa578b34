#pragma once
// The list of a card side's user-added controls (captions, values and photos of the
// panel rows, and image-tool pictures): one entry of five strings per control. Group
// mode binds the listed controls to spreadsheet columns; reading a design rebuilds the
// panel rows from it.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class Profile_Data_Source;
class Profile_Panel;
class SKTGraphic;
class SKTGraphicList;

struct Dynamic_Ctrl_Entry {
    QString id;
    QString value;    // a text's value; an image's source path (Get_Original_Path_Of_Image_Control)
    QString visible;  // "Y" or "N"
    QString column;   // spreadsheet column ("%d") or "-1"
    QString kind;     // "T" text, "P" photo
    QStringList toList() const { return {id, value, visible, column, kind}; }
};
using Dynamic_Ctrl_List = std::vector<Dynamic_Ctrl_Entry>;

// The control's text path when both its file path and its text path name existing
// files; "" otherwise.
QString Get_Original_Path_Of_Image_Control(const SKTGraphic &g);

enum class Dynamic_List_Source {
    Panel,        // the panel's rows after an add: values, photos and image-tool pictures
    Design_File,  // after a design is read: captions, values and photos
};
// The entries of the side's text and image controls in side order.
Dynamic_Ctrl_List Build_Dynamic_Control_List(const SKTGraphicList &side, Dynamic_List_Source source);

// The column of the first entry with the ID; -1 when none.
int Get_Col_Index_of_Dynamic_Control(const Dynamic_Ctrl_List &list, const QString &ctrl_id);

// Pushes the listed values into the panel rows and the card controls: mode "S" only
// the entries with the ID, any other mode every entry. Entries without a panel row are
// left alone (their controls keep picture and path).
void Update_Value_For_Dynamic_Control(const Dynamic_Ctrl_List &list, const QString &mode, const QString &ctrl_id,
                                      Profile_Panel &panel, SKTGraphicList &side, Profile_Data_Source &source);

// The rows of the panel made again from a list filled by the design reader: the
// entries from the last to the first, a caption with the value of the same key, a
// photo with its path; a caption without its value still takes a row of its own.
void Create_Control_For_Visitor_Mode_Side(const Dynamic_Ctrl_List &list, Profile_Panel &panel);
