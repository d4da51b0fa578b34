#pragma once
// Outline dash codes and fill kind codes shared by the card and its controls.
#include <QPen>
#include <QString>
#include <QVector>

// Dash lengths in points for a dash code: "S" (or any unknown code) none, "DA" 8 2,
// "DO" 4 6, "DD" 24 10 6 10, "DDD" 24 8 8 8 8 8.
QVector<qreal> Dash_Lengths_For_Code(const QString &code);

// Sets the pen's dash pattern for the code. Qt counts dashes in pen widths, so the
// point lengths are divided by the width (a width of 0 is a one-pixel cosmetic pen).
void Apply_Dash_Code(QPen &pen, const QString &code);

// Clamps an opacity to 0..1; values above 1 (the 100.0 of a new control) are opaque.
inline double Clamp_Opacity(double alpha) { return alpha < 0 ? 0 : (alpha > 1 ? 1 : alpha); }
