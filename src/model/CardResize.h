#pragma once
// Card sizes of the preset table and the controls' rescale when the card size changes.
// Pure arithmetic: no window, no process-wide value.
#include "GraphicKind.h"
#include "SKTGraphic.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

// The size in millimetres of row `row` of a category's preset table ("PVC Card": seven
// rows, any other category: eight), width first for preset "H" and height first for
// "V". No row or a row outside the table gives 30 x 30.
QSizeF Get_My_card_Size(const QString &category, const QString &preset, int row);

// The width and height percentages, in single precision, by which a card of the old
// size grows into the new one; none when the size is the same or the old one is empty.
std::optional<std::pair<float, float>> Card_Resize_Percentages(float oldWidth, float oldHeight, float newWidth,
                                                               float newHeight);

// A control's bounds moved and sized by the percentages, in single precision: the
// origin and size grow by them, except that a barcode keeps its size and a text
// control keeps at least 50 x 20 points.
QRectF Rescaled_Control_Bounds(const QRectF &bounds, GraphicKind kind, float percentWidth, float percentHeight);

// Gives each control its rescaled bounds.
void Chane_control_size_location_for_both_side(const std::vector<GraphicPtr> &graphics, float percentWidth,
                                               float percentHeight);

// Rescales the front controls and then the back controls from the old card size to
// the new one (the font size flag is not used: text keeps its font size).
void Set_Control_Location_Size_IF_Card_Size_Change(float oldWidth, float oldHeight, float newWidth, float newHeight,
                                                   char changeFontSize, const std::vector<GraphicPtr> &front,
                                                   const std::vector<GraphicPtr> &back);
