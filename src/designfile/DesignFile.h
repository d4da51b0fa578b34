#pragma once
// The design file (extension "zcd"): a whole design, both card sides with their card
// properties and controls, the bound spreadsheet and the group-mode column choices,
// as an XML property list holding one flat array of strings. docs/design-file.md
// describes the layout.
//
// Saving writes the design of a document; reading fills a plain struct, which the
// caller then puts in place of the open design.
#include "CardModes.h"
#include "Card_Property.h"
#include "DesignChoices.h"
#include "FileWrite.h"
#include "SKTGraphic.h"

class SKTDocument;

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

struct DesignData {
    // A design (Opened, stored "L"), a template ("T") or a group-mode project ("G").
    Card_Mode mode = Card_Mode::Opened;
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

// Picture paths into Resource_Path are stored in the form every copy of the program
// reads into its own resources (Stored_Resource_Path).
//
// Writes the design whole: a temporary file beside the target, renamed over it, so a
// failed save leaves the previous file as it was. False with a message on failure,
// naming the reason where it is known (the system's own, e.g. "No space left on device.").
// `links`: what a link at the path gets (a name completed by the program replaces it).
bool Write_Design_File(const QString &path, const DesignData &data, QString *error,
                       File_Link links = File_Link::Write_Through);
// The document's design as a file of the kind `mode` (a design, a template, a group project);
// both sides are stored with the document's card size.
DesignData Design_Of_Document(const SKTDocument &document, Card_Mode mode);
bool Write_Design_File(const QString &path, const SKTDocument &document, Card_Mode mode, QString *error,
                       File_Link links = File_Link::Write_Through);
// Puts a design that was read in place of the document's: both sides' controls and card
// properties, the column choices and, with `withRows`, the spreadsheet and its rows.
// The scratch side is emptied.
void Put_Design_In_Document(DesignData &data, SKTDocument &document, bool withRows);
// Reads a design. A file that can't be read, is not a design, comes from a later
// version, is damaged or holds a card side longer than kLargestCardSideMM gives false
// with a message naming the file, and `data` is left untouched.
// Picture paths into the resources of some copy of the program (Repoint_Resource_Path)
// are re-pointed into Resource_Path; image, signature and card background pictures are
// loaded from their paths (barcode pictures are left for the caller to regenerate).
bool Read_Design_File(const QString &path, DesignData &data, QString *error);
