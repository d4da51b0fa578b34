#pragma once
// The profile record of one card side: for each profile field its value, caption,
// the IDs of the card controls that show them, and its series or spreadsheet source.
#include <QString>
#include <array>
#include <optional>

// The record's field stems, in record order: ten text fields, then the photo.
enum class Profile_Stem {
    Name, Title, Company_name, slogan, address, phone, fax, email, website, unique, image
};
constexpr int kProfileStemCount = 11;
constexpr int kProfileTextStemCount = 10;  // all but the photo

// One field of the record; for the stem Name: Name, Name_id, Name_label, ...
struct Profile_Field {
    QString value;        // the value (for the photo: the picture's path)
    QString id;           // ID of the control that shows the value
    QString label;        // the caption
    QString label_id;     // ID of the control that shows the caption
    char ds = 0;          // bound to a series
    QString ds_name;      // series name
    int ds_indx = 0;      // series index
    char xl = 0;          // bound to a spreadsheet column
    int xl_col_indx = 0;  // spreadsheet column index
};

class User_Profile_Class {
public:
    // Sets nothing of its own: IDs stay empty until Reset_All_Values.
    User_Profile_Class() = default;

    // Control IDs "Fup_<word>" and caption IDs "Fup_lbl_<word>" for every field;
    // every value and series name emptied; every series and column index 0.
    // Captions and binding flags are left as they are.
    void Reset_All_Values();

    Profile_Field &field(Profile_Stem stem) { return m_fields[size_t(stem)]; }
    const Profile_Field &field(Profile_Stem stem) const { return m_fields[size_t(stem)]; }
    Profile_Field &operator[](Profile_Stem stem) { return field(stem); }
    const Profile_Field &operator[](Profile_Stem stem) const { return field(stem); }
    std::array<Profile_Field, kProfileStemCount> &fields() { return m_fields; }
    const std::array<Profile_Field, kProfileStemCount> &fields() const { return m_fields; }

    char image_USE = 0;                 // the record uses a photo
    char Fill_User_Profile_Enable = 0;  // the record is filled onto the card

    // The stem's name in the record ("Company_name") and its word in control IDs
    // ("Company"), and the two default control IDs made from the word.
    static QString Stem_Name(Profile_Stem stem);
    static QString Field_Word(Profile_Stem stem);
    static QString Default_Value_ID(Profile_Stem stem);    // "Fup_Company"
    static QString Default_Caption_ID(Profile_Stem stem);  // "Fup_lbl_Company"
    static std::optional<Profile_Stem> Stem_From_Name(const QString &stemName);

private:
    std::array<Profile_Field, kProfileStemCount> m_fields;
};
