#pragma once
// Process-wide values of the application, kept in one place. They are written at
// start-up (or by the command that owns them) and read everywhere else.
#include <QFont>
#include <QString>
#include <atomic>

// Paths. Resource_Path is the application's read-only data ("resources/" beside the
// executable); Created_Resource_Path is the per-user data folder. Both end with "/".
extern QString Resource_Path;
extern QString Created_Resource_Path;
// Set by Check_Path_And_Create_Files; the folders have no trailing "/" (use Path_Join).
extern QString Database_Path;       // the visitor database file
extern QString Cropped_Img_Path;    // folder of cropped pictures
extern QString print_profile_path;  // folder of print profiles
extern QString Data_Folder_Path;    // folder of series files ("DataSet")

extern QString Camera_Folder_Path;  // folder of camera pictures (named by "idcardcampics.txt")
// Path of the picture last chosen in the image library.
extern QString Library_Selected_Image;

extern QString App_Name;
extern QString default_file_name;   // name of a design that has none yet

// The extension of design files (the open design lives in the document).
extern const QString design_file_EXT;     // "zcd"
extern char Not_Draw_Only_Prop_Change;    // 1 while controls or lists load: handlers neither regenerate nor redraw
extern char copy_card_design;             // 1 while a side is being copied onto the other side

// The template name accepted by the export-as-template dialog.
extern QString export_template_name;
// Number proposed in the name "Card_%d" of the next card export (from 1).
extern int export_card_counter;

// E-mail sender settings in use, copied from the e-mail settings store. The password
// is not among them: whoever needs it reads it from Preferences at that moment.

// The captions of the profile fields, in one of three wordings by card kind. They
// start in the general ID card wording.
extern QString Title_Name, Title_Title, Title_Company_name, Title_slogan, Title_address, Title_phone, Title_fax,
    Title_email, Title_website, Title_unique, Title_image, Title_Date, Title_Time;
enum class Caption_Wording { General_ID_Card, Visitor, Student };
// Replaces all thirteen captions at once with the wording's texts.
void Set_Field_Captions(Caption_Wording wording);

// Default text font of new text controls and new card properties.
extern QFont DEFAULT_FONT;
extern QString Text_Ctrl_Font;
extern int Text_Ctrl_Font_Size;

// Answer of the last Yes/No box (1 Yes, 0 No). A mirror only: the message box
// functions return their own answer.
extern std::atomic<char> yes_no_msg_val;

// Card state shared by the canvas and the main window.
extern int Measument_Unit_Is;                    // 0 inch, 1 cm, other mm
extern int last_unit_val;

// Start mark of Calculate_Time_Taken, in seconds since the epoch (-1: not set yet).
extern std::atomic<qint64> mLastActivity_Time;

// Unit conversion between millimetres and points (72 per inch).
constexpr double kPointsPerMM = 2.834645669291;
double MM_to_Points_Convert(double mm);
double Points_to_MM_Convert(double points);
// Factor that turns a length in unit `from` into unit `into` (0 inch, 1 cm, 2 mm).
double Get_Unit_Convertor(int from, int into);

// A font made from a family (or "Family-Style" name) and a point size; names used by
// other platforms resolve to installed metric twins, their interface font to the
// desktop's own (DEFAULT_FONT).
QFont Font_With_Name(const QString &name, double pointSize);
