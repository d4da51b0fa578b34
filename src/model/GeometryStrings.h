#pragma once
// Points and rectangles as text, in the form "{x, y}" and "{{x, y}, {w, h}}".
// Reading takes the numbers in order and reads missing ones as 0.
#include <QPointF>
#include <QRectF>
#include <QString>

QString Point_To_String(const QPointF &p);
QString Rect_To_String(const QRectF &r);
QPointF Point_From_String(const QString &s);
QRectF Rect_From_String(const QString &s);
