#pragma once
// The twelve fixed text fields of the visitor entry panels: their panel word, the IDs
// of the card controls that show the value and the caption, and the caption text.
#include <QString>
#include <QStringList>
#include <array>

struct Visitor_Field {
    const char *word;        // panel word: name, title, comp_name, ...
    const char *value_id;    // "Fup_Name", ...
    const char *caption_id;  // "Fup_lbl_Name", ...
    QString *caption;        // the caption global (Title_Name, ...)
};

constexpr int kVisitorFieldCount = 12;
constexpr int kDateField = 10;
constexpr int kTimeField = 11;
const std::array<Visitor_Field, kVisitorFieldCount> &Visitor_Fixed_Fields();

// The field whose value or caption ID this is (-1 for none); `isCaption` tells which.
int Visitor_Field_Of_ID(const QString &id, bool *isCaption = nullptr);

extern const QString Visitor_Photo_ID;  // "Fup_Photo"

// ---- The vocabulary of user-added rows ----
// The pairing key: the ID less its 7-character prefix ("F_label", "F_field", "B_label",
// "B_field"), trimmed. A caption and a value pair when their keys are equal.
QString Row_Pairing_Key(const QString &id);
// The partner of a user-added caption ("F_field" + key) or value ("F_label" + key);
// "" for other IDs.
QString Row_Partner_ID(const QString &id);
bool Is_Fixed_Field_ID(const QString &id);   // contains "Fup_"
bool Is_Visitor_Photo_ID(const QString &id); // equals "Fup_Photo"
bool Is_User_Caption_ID(const QString &id);  // contains "_label"
bool Is_User_Value_ID(const QString &id);    // contains "_field"
bool Is_User_Photo_ID(const QString &id);    // contains "F_Photo"

// What a panel box shows of its card text, for every road that sets a box from the card
// (a read of the side, a pick or fill, the follower, undo and redo, a tick, a paste): the
// placeholder "Text here" that an emptied box or an empty cell leaves on the card is an
// empty box, unless the box holds those very words (typed by the clerk). A record or a
// row stores what the box shows, so the placeholder is never stored as a value.
QString Box_Text_Of_Card_Text(const QString &cardText, const QString &boxNow = QString());

// What the clerk put into a panel that a refresh of the same design (Undo, Redo, a side
// copied onto the other) reads before it empties the boxes: the boxes that hold the
// words "Text here" as typed (on the card they read as an emptied box) and the Manual
// ticks of the date and the time.
struct Panel_Typing {
    QStringList textHere;  // the control IDs of those boxes
    bool dateManual = false, timeManual = false;
};
