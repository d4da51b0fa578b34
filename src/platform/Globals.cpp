#include "Globals.h"

#include <QFontDatabase>
#include <QStringList>

QString Resource_Path;
QString Created_Resource_Path;
QString Database_Path;
QString Cropped_Img_Path;
QString print_profile_path;
QString Data_Folder_Path;
QString Camera_Folder_Path;
QString Library_Selected_Image;

QString Title_Name = QStringLiteral("Name :"), Title_Title = QStringLiteral("Position / Title :"),
        Title_Company_name = QStringLiteral("Company Name :"), Title_slogan = QStringLiteral("Company Slogan :"),
        Title_address = QStringLiteral("Address :"), Title_phone = QStringLiteral("Phone No. :"),
        Title_fax = QStringLiteral("Fax No. :"), Title_email = QStringLiteral("Email Id :"),
        Title_website = QStringLiteral("Website :"), Title_unique = QStringLiteral("Unique No. :"),
        Title_image = QStringLiteral("Photo :"), Title_Date = QStringLiteral("Date :"), Title_Time = QStringLiteral("Time :");
QString App_Name = QStringLiteral("DOZO ID Card");
QString default_file_name = QStringLiteral("Untitled");

const QString design_file_EXT = QStringLiteral("zcd");
char Not_Draw_Only_Prop_Change = 0;
char copy_card_design = 0;

QString export_template_name;
int export_card_counter = 1;

QFont DEFAULT_FONT;
QString Text_Ctrl_Font = QStringLiteral("Arial");
int Text_Ctrl_Font_Size = 12;

std::atomic<char> yes_no_msg_val{0};
int Measument_Unit_Is = 2;
int last_unit_val = 2;
std::atomic<qint64> mLastActivity_Time{-1};

double MM_to_Points_Convert(double mm) { return mm * kPointsPerMM; }
double Points_to_MM_Convert(double points) { return points / kPointsPerMM; }

double Get_Unit_Convertor(int from, int into)
{
    auto toMM = [](int unit) {
        switch (unit) {
        case 0: return 25.4;  // inch
        case 1: return 10.0;  // cm
        default: return 1.0;  // mm
        }
    };
    return toMM(from) / toMM(into);
}

QFont Font_With_Name(const QString &name, double pointSize)
{
    static const struct { const char *from, *to; } twins[] = {
        {"Helvetica", "Liberation Sans"}, {"Arial", "Liberation Sans"},
        {"Helvetica Neue", "Liberation Sans"}, {"Lucida Grande", "DejaVu Sans"},
        {"Times", "Liberation Serif"}, {"Times New Roman", "Liberation Serif"},
        {"Courier", "Liberation Mono"}, {"Courier New", "Liberation Mono"},
        // The other platform's own interface font: this desktop's own (DEFAULT_FONT).
        {".AppleSystemUIFont", ""},
    };
    QString family = name.trimmed();
    QString style;
    const QStringList families = QFontDatabase::families();
    if (!families.contains(family) && family.contains(u'-')) {
        // "Family-Style" names, e.g. "Arial-BoldMT".
        style = family.section(u'-', 1);
        family = family.section(u'-', 0, 0);
    }
    if (!families.contains(family)) {
        for (const auto &t : twins)
            if (family.compare(QLatin1String(t.from), Qt::CaseInsensitive) == 0) family = QLatin1String(t.to);
    }
    // setFamily keeps the name as it is; QFont's constructor would split it at commas.
    QFont f = DEFAULT_FONT;
    if (!family.isEmpty()) {
        f = QFont();
        f.setFamily(family);
    }
    if (style.contains(QLatin1String("Bold"), Qt::CaseInsensitive)) f.setBold(true);
    if (style.contains(QLatin1String("Italic"), Qt::CaseInsensitive) ||
        style.contains(QLatin1String("Oblique"), Qt::CaseInsensitive))
        f.setItalic(true);
    f.setPointSizeF(pointSize > 0 ? pointSize : 12.0);
    return f;
}

void Set_Field_Captions(Caption_Wording wording)
{
    // One row per caption; the columns are the general ID card, visitor pass and
    // student card wordings.
    static const struct { QString *caption; const char *text[3]; } rows[] = {
        {&Title_Name, {"Name :", "Name :", "Name :"}},
        {&Title_Title, {"Position / Title :", "Position / Title :", "Father's Name :"}},
        {&Title_Company_name, {"Company Name :", "Company Name :", "Institution :"}},
        {&Title_slogan, {"Company Slogan :", "Purpose :", "Class / Section :"}},
        {&Title_address, {"Address :", "Address :", "Address :"}},
        {&Title_phone, {"Phone No. :", "Phone No. :", "Phone No. :"}},
        {&Title_fax, {"Fax No. :", "Visitor Type :", "DOB :"}},
        {&Title_email, {"Email Id :", "Email Id :", "Session :"}},
        {&Title_website, {"Website :", "Person to Meet :", "Department :"}},
        {&Title_unique, {"Unique No. :", "Visitor No. :", "Registration No. :"}},
        {&Title_image, {"Photo :", "Photo :", "Photo :"}},
        {&Title_Date, {"Date :", "Date :", "Date :"}},
        {&Title_Time, {"Time :", "Time :", "Time :"}},
    };
    const int column = int(wording);
    for (const auto &r : rows) *r.caption = QString::fromUtf8(r.text[column]);
}
