#include "User_Profile_Class.h"

#include <gtest/gtest.h>

TEST(UserProfile, NewRecordHoldsNothing)
{
    User_Profile_Class record;
    for (const Profile_Field &f : record.fields()) {
        EXPECT_TRUE(f.id.isEmpty());
        EXPECT_TRUE(f.label_id.isEmpty());
        EXPECT_EQ(f.ds, 0);
        EXPECT_EQ(f.xl_col_indx, 0);
    }
}

TEST(UserProfile, ResetSetsIdsAndEmptiesValuesAndSources)
{
    User_Profile_Class record;
    for (Profile_Field &f : record.fields()) {
        f.value = "v";
        f.id = "other";
        f.label = "Caption :";
        f.ds_name = "List";
        f.ds_indx = 3;
        f.xl_col_indx = 4;
    }
    record.Reset_All_Values();

    const char *words[] = {"Name", "Title", "Company", "CompanySlogan", "Address", "PhoneNO",
                           "FaxNo", "EmailID", "Website", "UniqueNo", "Photo"};
    for (int i = 0; i < kProfileStemCount; ++i) {
        const Profile_Field &f = record.fields()[i];
        EXPECT_EQ(f.id, QString("Fup_") + words[i]);
        EXPECT_EQ(f.label_id, QString("Fup_lbl_") + words[i]);
        EXPECT_TRUE(f.value.isEmpty());
        EXPECT_TRUE(f.ds_name.isEmpty());
        EXPECT_EQ(f.ds_indx, 0);
        EXPECT_EQ(f.xl_col_indx, 0);
        EXPECT_EQ(f.label, "Caption :");  // captions are not part of the reset
    }
    EXPECT_EQ(record[Profile_Stem::Company_name].id, "Fup_Company");
    EXPECT_EQ(record[Profile_Stem::image].label_id, "Fup_lbl_Photo");
}
