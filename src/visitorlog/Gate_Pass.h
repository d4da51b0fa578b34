#pragma once
// The gate pass of one visit: a bordered page with the heading "Visitor Details", a
// grey band with the visitor number and the time of the visit, the photo, the front
// and back details as caption and value rows, and the other details. The pass is one
// drawing over a plain value; it paints into any painter whose units are points (a
// screen, a picture at any resolution, a PDF page, a printer).
#include "Picture.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <array>

class QPainter;

// The details fields, in the order of their column stems "VName" ... "EntryTime".
enum Gate_Pass_Field {
    Pass_Name, Pass_Position, Pass_CompanyName, Pass_Slogan, Pass_Address, Pass_Phone, Pass_Fax, Pass_Email,
    Pass_Website, Pass_UniqueNo, Pass_Date, Pass_Time,
    kGatePassFieldCount
};

struct Gate_Pass_Row {
    QString caption, value;
    bool operator==(const Gate_Pass_Row &) const = default;
};

struct Gate_Pass_Data {
    std::array<Gate_Pass_Row, kGatePassFieldCount> front, back;  // front's Pass_UniqueNo is the band's number
    QString date_time_detail;   // the visit's stamp
    QString other_detail_info;  // the visitor's added fields, one line each
    Picture photo;              // none for no photo
};

// Line steps of the pass, in points.
constexpr double kGatePassRowStep = 15;        // a row
constexpr double kGatePassSeparatorStep = 19;  // a separator: 2, the line, 2, then 15

// Draws the whole pass into `page` (painter units are points).
void Draw_Gate_Pass(QPainter &painter, const QRectF &page, const Gate_Pass_Data &data);

// The page of a pass whose details panel is `boxWidth` wide: width boxWidth + 100,
// height the height of `details` (lines split at "\r\n") set as one block in
// Verdana-Bold 12 points, plus 80.
QRectF Gate_Pass_Page_Rect(double boxWidth, const QString &details);
// The size of the page before any visit has been shown: A4 in points.
inline QRectF Gate_Pass_Default_Page_Rect() { return QRectF(0, 0, 595, 842); }

// The pass as a vector picture of the page's size.
Picture Gate_Pass_Picture(const Gate_Pass_Data &data, const QRectF &page);
// The pass as pixels at `dpi`: ceil(dpi x points / 72) each way, the resolution stored.
QImage Gate_Pass_Image(const Gate_Pass_Data &data, const QRectF &page, double dpi);
// A one-page PDF of the page's size holding the pass as vectors; empty on failure.
QByteArray Gate_Pass_PDF(const Gate_Pass_Data &data, const QRectF &page);
