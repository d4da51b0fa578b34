#include "User_Profile_Class.h"

namespace {
struct Stem_Names {
    const char *stem;  // name in the record
    const char *word;  // word in the control IDs
};
constexpr std::array<Stem_Names, kProfileStemCount> kStems = {{
    {"Name", "Name"},
    {"Title", "Title"},
    {"Company_name", "Company"},
    {"slogan", "CompanySlogan"},
    {"address", "Address"},
    {"phone", "PhoneNO"},
    {"fax", "FaxNo"},
    {"email", "EmailID"},
    {"website", "Website"},
    {"unique", "UniqueNo"},
    {"image", "Photo"},
}};
} // namespace

QString User_Profile_Class::Stem_Name(Profile_Stem stem) { return QLatin1String(kStems[size_t(stem)].stem); }
QString User_Profile_Class::Field_Word(Profile_Stem stem) { return QLatin1String(kStems[size_t(stem)].word); }
QString User_Profile_Class::Default_Value_ID(Profile_Stem stem) { return QStringLiteral("Fup_") + Field_Word(stem); }
QString User_Profile_Class::Default_Caption_ID(Profile_Stem stem)
{
    return QStringLiteral("Fup_lbl_") + Field_Word(stem);
}

std::optional<Profile_Stem> User_Profile_Class::Stem_From_Name(const QString &stemName)
{
    for (size_t i = 0; i < kStems.size(); ++i)
        if (stemName == QLatin1String(kStems[i].stem)) return Profile_Stem(i);
    return std::nullopt;
}

void User_Profile_Class::Reset_All_Values()
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const auto stem = Profile_Stem(i);
        Profile_Field &f = m_fields[i];
        f.id = Default_Value_ID(stem);
        f.label_id = Default_Caption_ID(stem);
        f.value.clear();
        f.ds_name.clear();
        f.ds_indx = 0;
        f.xl_col_indx = 0;
    }
}
