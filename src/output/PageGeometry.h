#pragma once
// The sheet layout of a print job, as pure functions: how many rows and columns of
// card cells fit the paper, the gaps between them, and where every cell and card lies.
//
// Lengths are points. The layout is worked out with the origin at the lower left of
// the paper and y upward (rows are counted from the top of the sheet, columns from
// the left); To_Top_Left turns a rectangle into Qt's page coordinates once, at the end.
#include "CardModes.h"

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

// How both sides of a card lie on the sheet: one above the other with the back turned
// ("UD") or upright ("U"), side by side ("L"), or on the two faces of a duplex sheet
// with the back upright ("DU") or turned ("DD"). The letters are the print window's
// names of the choices, in the order it lists them.
enum class Sides_Arrangement { Above_Back_Turned, Above, Beside, Duplex, Duplex_Back_Turned };
std::optional<Sides_Arrangement> Sides_Arrangement_Of_Code(const QString &code);

// The paper, its margins and the sides arrangement: what the print window's input and
// the computed layout share.
struct Page_Sheet {
    double paperWidth = 0, paperHeight = 0;
    double leftMar = 0, riteMar = 0, topMar = 0, botMar = 0;
    Run_Sides side = Run_Sides::Both;
    Sides_Arrangement algn = Sides_Arrangement::Above_Back_Turned;  // for both sides
};

// What the print window hands to the layout computation.
struct Page_Layout_Input : Page_Sheet {
    double cardWidth = 0, cardHeight = 0;
    double horzGap = 0, vertGap = 0, sideMar = 0;
    int rows = 1, cols = 1;
    bool autoCenter = false;
    bool fitToFrame = false;
};

// The settings the printing view and the sample sheet draw from.
struct Page_Layout : Page_Sheet {
    double labelWidth = 0, labelHeight = 0;  // one cell
    double horzGap = 0, vertGap = 0, sideMar = 0;
    int rows = 1, cols = 1;
    int align = 1;  // 1 top left ... 9 bottom right, unused with autoCenter
    bool autoCenter = false;
    bool oneSideTurned = false;  // a single printed side upside down

    bool duplex() const;  // both sides on the two faces of the sheet
    int cellsPerPage() const { return rows * cols; }
};

// Rows, columns, gaps and the cell size for the input (fit to frame and duplex force
// one cell and no gaps; rows and columns that do not fit are lowered, never raised).
Page_Layout Compute_Page_Layout(const Page_Layout_Input &in, int align = 1);

// The card rectangles of one cell: the first (front, or the one side printed) and,
// for both sides, the second (the back). Lower-left coordinates.
struct Cell_Place {
    int row = 1, col = 1;  // from 1, rows from the top
    QRectF cell;
    QRectF first, second;
    bool hasSecond = false;
};

// The size of one card inside a cell.
QSizeF Card_Size_In_Cell(const Page_Layout &layout);
// Every cell of a sheet, row by row from the top, left to right.
std::vector<Cell_Place> Cell_Places(const Page_Layout &layout);
// The rectangle in top-left page coordinates (y_top = H - y - h).
QRectF To_Top_Left(const QRectF &r, double paperHeight);
