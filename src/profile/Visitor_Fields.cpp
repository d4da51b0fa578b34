#include "Visitor_Fields.h"

#include "Globals.h"

const QString Visitor_Photo_ID = QStringLiteral("Fup_Photo");

const std::array<Visitor_Field, kVisitorFieldCount> &Visitor_Fixed_Fields()
{
    static const std::array<Visitor_Field, kVisitorFieldCount> fields{{
        {"name", "Fup_Name", "Fup_lbl_Name", &Title_Name},
        {"title", "Fup_Title", "Fup_lbl_Title", &Title_Title},
        {"comp_name", "Fup_Company", "Fup_lbl_Company", &Title_Company_name},
        {"slogan", "Fup_CompanySlogan", "Fup_lbl_CompanySlogan", &Title_slogan},
        {"address", "Fup_Address", "Fup_lbl_Address", &Title_address},
        {"phone", "Fup_PhoneNO", "Fup_lbl_PhoneNO", &Title_phone},
        {"fax", "Fup_FaxNo", "Fup_lbl_FaxNo", &Title_fax},
        {"email", "Fup_EmailID", "Fup_lbl_EmailID", &Title_email},
        {"website", "Fup_Website", "Fup_lbl_Website", &Title_website},
        {"unique", "Fup_UniqueNo", "Fup_lbl_UniqueNo", &Title_unique},
        {"date", "Fup_Date", "Fup_lbl_Date", &Title_Date},
        {"time", "Fup_Time", "Fup_lbl_Time", &Title_Time},
    }};
    return fields;
}

int Visitor_Field_Of_ID(const QString &id, bool *isCaption)
{
    const auto &fields = Visitor_Fixed_Fields();
    for (int i = 0; i < kVisitorFieldCount; ++i) {
        const bool value = id == QLatin1String(fields[i].value_id);
        if (value || id == QLatin1String(fields[i].caption_id)) {
            if (isCaption) *isCaption = !value;
            return i;
        }
    }
    return -1;
}

QString Row_Pairing_Key(const QString &id) { return id.mid(7).trimmed(); }

QString Row_Partner_ID(const QString &id)
{
    if (Is_User_Caption_ID(id)) return QStringLiteral("F_field") + Row_Pairing_Key(id);
    if (Is_User_Value_ID(id)) return QStringLiteral("F_label") + Row_Pairing_Key(id);
    return QString();
}

bool Is_Fixed_Field_ID(const QString &id) { return id.contains(QLatin1String("Fup_")); }
bool Is_Visitor_Photo_ID(const QString &id) { return id == Visitor_Photo_ID; }

QString Box_Text_Of_Card_Text(const QString &cardText, const QString &boxNow)
{
    const QLatin1String placeholder("Text here");
    if (cardText != placeholder) return cardText;
    return boxNow == placeholder ? boxNow : QString();
}
bool Is_User_Caption_ID(const QString &id) { return id.contains(QLatin1String("_label")); }
bool Is_User_Value_ID(const QString &id) { return id.contains(QLatin1String("_field")); }
bool Is_User_Photo_ID(const QString &id) { return id.contains(QLatin1String("F_Photo")); }
