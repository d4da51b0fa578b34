#pragma once
// Outline dash codes and fill kind codes shared by the card and its controls.
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <utility>
#include <QString>
#include <QVector>

// Dash lengths in points for a dash code: "S" (or any unknown code) none, "DA" 8 2,
// "DO" 4 6, "DD" 24 10 6 10, "DDD" 24 8 8 8 8 8.
QVector<qreal> Dash_Lengths_For_Code(const QString &code);

// Sets the pen's dash pattern for the code. Qt counts dashes in pen widths, so the
// point lengths are divided by the width (a width of 0 is a one-pixel cosmetic pen).
void Apply_Dash_Code(QPen &pen, const QString &code);

// Clamps an opacity to 0..1; values above 1 (the 100.0 of a new control) are opaque,
// a value that is not a number is transparent.
inline double Clamp_Opacity(double alpha) { return !(alpha > 0) ? 0 : (alpha > 1 ? 1 : alpha); }

// The end points of a gradient at an angle (degrees, counter-clockwise on screen, 0
// from left to right) across a rectangle: the line through the centre at that angle,
// long enough to reach the rectangle's corners.
std::pair<QPointF, QPointF> Gradient_End_Points(const QRectF &rect, double angleDegrees);

class SKTGraphic;
class QPainter;
struct DrawContext;
// Fills the path with the control's fill kind: "G" a gradient from fill_Grad_clr1 to
// fill_Grad_clr2 at fill_grad_angle over a base of fill_Grad_clr1, "H" the hatch
// background colour with the pattern "<fill_hatch_type>.png" of the context's fill style
// folder tiled over it, anything else the solid fill colour; all at the control's fill
// opacity.
void Fill_Path_With_Control_Fill(QPainter &painter, const QPainterPath &path, SKTGraphic &graphic,
                                 const DrawContext &context);
// The control's outline pen: stroke colour (with its opacity), width, dash code and cap.
QPen Control_Stroke_Pen(SKTGraphic &graphic);
// A hatch pattern picture by name, "<folder><name>.png" (cached; safe on any thread);
// null when there is none of that name.
QImage Hatch_Pattern_Picture(const QString &folder, const QString &name);
