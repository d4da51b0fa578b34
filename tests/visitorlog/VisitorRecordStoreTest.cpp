// The visitor database connection on its own.
#include "Globals.h"
#include "Helpers.h"
#include "VisitorRecordStore.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(VisitorRecordStore, AMissingDatabaseIsNeverCreatedEmpty)
{
    Check_Path_And_Create_VISITOR_Files();
    QFile::remove(Database_Path);
    VisitorRecordStore store;
    EXPECT_FALSE(store.Open_DB_Connection());
    EXPECT_FALSE(QFile::exists(Database_Path));
    EXPECT_EQ(store.visitor_db, nullptr);
    EXPECT_FALSE(store.Close_DB_Connection());
    QString reason;
    EXPECT_FALSE(store.Insert_Visitor_Record(Visitor_Record{}, &reason)) << "no connection, no insert";
    EXPECT_FALSE(reason.isEmpty());
    Check_Path_And_Create_VISITOR_Files();
    EXPECT_TRUE(store.Open_DB_Connection());
    EXPECT_TRUE(store.Close_DB_Connection());
    EXPECT_FALSE(store.Close_DB_Connection()) << "a second close does nothing";
}
