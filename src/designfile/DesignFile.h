#pragma once
// The design file (extension "zcd"): a whole design, both card sides with their card
// properties and controls, the bound spreadsheet and the group-mode column choices,
// as an XML property list holding one flat array of strings. docs/design-file.md
// describes the layout.
//
// The data lives in a plain struct; the main window fills it from its state before
// saving and takes its state from it after reading.
#include "Card_Property.h"
#include "SKTGraphic.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// The spreadsheet a design is bound to, with the rows taken from it.
struct DesignSpreadsheet {
    QString Excel_Source_Path;      // the workbook's path
    int Excel_Sheet_Number = 1;     // 1-based worksheet number
    bool contains_header = true;    // the sheet's first row holds the column titles
    bool Excel_Binding_Use = false; // the design is bound to the spreadsheet
    QStringList column_titles;      // titles of spreadsheet columns 1 .. N
    // One entry per row, indexed by column number: [0] the row number ("Extension"),
    // [k] the cell of column k ("Column%d").
    QList<QStringList> rows;

    bool operator==(const DesignSpreadsheet &) const = default;
};

// The spreadsheet column of each profile field in group mode; -1 for none.
struct DesignColumnChoices {
    int excel_cb_value1 = -1;   // name
    int excel_cb_value2 = -1;   // title
    int excel_cb_value3 = -1;   // company name
    int excel_cb_value4 = -1;   // company slogan
    int excel_cb_value5 = -1;   // address
    int excel_cb_value6 = -1;   // phone
    int excel_cb_value7 = -1;   // fax
    int excel_cb_value8 = -1;   // e-mail
    int excel_cb_value9 = -1;   // website
    int excel_cb_value10 = -1;  // unique number
    int excel_cb_value11 = -1;  // front photo
    int excel_cb_value12 = -1;  // back photo
    int excel_cb_value_f_man = -1;  // manual front photo
    int excel_cb_value_b_man = -1;  // manual back photo

    bool operator==(const DesignColumnChoices &) const = default;
};

struct DesignData {
    // "L" a design, "T" a template, "G" a group-mode project.
    QString mode = QStringLiteral("L");
    Card_Property front_card;  // Card_Side_Name "F"
    Card_Property back_card;
    // Each side's controls in side order: index 0 is the topmost.
    std::vector<GraphicPtr> front_controls;
    std::vector<GraphicPtr> back_controls;
    DesignSpreadsheet spreadsheet;
    DesignColumnChoices columns;
};

// The text that starts every design file, and the format version this program writes.
extern const QString kDesignFileMagic;  // "DOZO-ID-CARD-DESIGN"
constexpr int kDesignFileVersion = 1;

// The flat array of a design, and back. Reading fills `data` only when the whole array
// is a sound design; otherwise it returns false with a message for the user in *error.
QStringList Design_To_Array(const DesignData &data);
bool Design_From_Array(const QStringList &array, DesignData &data, QString *error);

// Writes the design whole: a temporary file beside the target, renamed over it, so a
// failed save leaves the previous file as it was. False with a message on failure.
bool Write_Design_File(const QString &path, const DesignData &data, QString *error);
// Reads a design. A file that can't be read, is not a design, comes from a later
// version or is damaged gives false with a message, and `data` is left untouched.
// Picture paths into an application bundle's resources are re-pointed into
// Resource_Path; image, signature and card background pictures are loaded from their
// paths (barcode pictures are left for the caller to regenerate).
bool Read_Design_File(const QString &path, DesignData &data, QString *error);
