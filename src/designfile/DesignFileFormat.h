#pragma once
// Section names and shared tables of the design file's flat array (writer and reader).
#include "DesignFile.h"

#include <QString>
#include <vector>

namespace designfile {

inline const QString kModeSection = QStringLiteral("MODE");
inline const QString kCardSection = QStringLiteral("CARD");
inline const QString kSpreadsheetSection = QStringLiteral("SPREADSHEET");
inline const QString kColumnTitlesSection = QStringLiteral("COLUMN_TITLES");
inline const QString kRowsSection = QStringLiteral("ROWS");
inline const QString kColumnChoicesSection = QStringLiteral("COLUMN_CHOICES");
inline const QString kControlsSection = QStringLiteral("CONTROLS");
inline const QString kControlTag = QStringLiteral("CONTROL");
inline const QString kEndTag = QStringLiteral("END");
inline const QString kFrontSide = QStringLiteral("F");
inline const QString kBackSide = QStringLiteral("B");

// A rich-text field is stored as three pairs: its text under the field's name, its
// font and its colour under the name with these suffixes.
inline const QString kTextFontSuffix = QStringLiteral(".font");
inline const QString kTextColorSuffix = QStringLiteral(".color");

struct ColumnChoiceField {
    QString name;
    int DesignColumnChoices::*member;
};
// The column choices in file order.
const std::vector<ColumnChoiceField> &Column_Choice_Fields();

// The modes a design file stores: an opened design ("L"), a template ("T") or a group
// project ("G").
bool Is_Design_Mode(Card_Mode mode);

} // namespace designfile
