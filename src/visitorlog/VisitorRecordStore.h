#pragma once
// The visitor database: one row of the table "Visitor_Records" per recorded visit.
// The connection is opened at the start of each command and closed at its end; no
// handle stays open between commands. Texts are bound as statement parameters, so a
// value is stored exactly as it was typed, quotes and all.
#include <QString>
#include <array>

struct sqlite3;

// The value columns of one side, in the order of every statement ("_B" on the back).
enum Visitor_Value_Column {
    VName, Position, CompanyName, Slogan, Address, Phone, Fax, Email, Website, UniqueNo,
    Use_Date, EntryDate, Use_Time, EntryTime, Other,
    kVisitorValueColumnCount
};
// The caption columns of one side: the value column's name followed by "_lb".
enum Visitor_Caption_Column {
    VName_lb, Position_lb, CompanyName_lb, Slogan_lb, Address_lb, Phone_lb, Fax_lb, Email_lb, Website_lb,
    UniqueNo_lb, EntryDate_lb, EntryTime_lb,
    kVisitorCaptionColumnCount
};

struct Visitor_Side_Record {
    std::array<QString, kVisitorValueColumnCount> values;      // indexed by Visitor_Value_Column
    std::array<QString, kVisitorCaptionColumnCount> captions;  // indexed by Visitor_Caption_Column
};

struct Visitor_Record {
    QString Photo;            // path of the visitor's photo; empty for none
    QString Date_Time_Stamp;  // "yyyy-MM-dd HH:mm:ss", local time
    Visitor_Side_Record front, back;
};

// Column names of one side: "VName" ... for the front, "VName_B" ... for the back.
QString Visitor_Value_Column_Name(int column, bool back);
QString Visitor_Caption_Column_Name(int column, bool back);

class VisitorRecordStore {
public:
    VisitorRecordStore() = default;
    VisitorRecordStore(const VisitorRecordStore &) = delete;
    VisitorRecordStore &operator=(const VisitorRecordStore &) = delete;
    ~VisitorRecordStore() { Close_DB_Connection(); }

    // Database_Path.
    QString Get_Visitor_DB_Path() const;
    // Opens the existing database file for reading and writing (a missing file is never
    // created). False, with the handle cleared and the reason logged, when it fails.
    bool Open_DB_Connection();
    // Closes the handle when one is set: true; false when none was set.
    bool Close_DB_Connection();
    // Inserts one row on the open connection. False with the database's reason in
    // `error` (also logged) when there is no connection or the insert fails.
    bool Insert_Visitor_Record(const Visitor_Record &record, QString *error = nullptr);

    sqlite3 *visitor_db = nullptr;
};
