// Sheet layout: rows and columns that fit, auto-centred gaps, and where the cells lie.
#include "PageGeometry.h"

#include <gtest/gtest.h>

namespace page_geometry_test {

namespace {

constexpr double kMM = 2.834645669291;

// A4 as the printer layer reports it (whole points), margins 0, a CR80 card.
Page_Layout_Input a4Card(int rows, int cols, double gapMM = 0)
{
    Page_Layout_Input in;
    in.paperWidth = 595;
    in.paperHeight = 842;
    in.cardWidth = 85.6 * kMM;
    in.cardHeight = 54 * kMM;
    in.horzGap = in.vertGap = gapMM * kMM;
    in.rows = rows;
    in.cols = cols;
    in.side = Run_Sides::Front;
    return in;
}

} // namespace

TEST(PageGeometry, RowsAndColumnsThatFit)
{
    struct Row {
        int rows, cols;
        double gapMM;
        bool autoCenter, fit;
        QString side, algn;
        int wantRows, wantCols;
        double wantHorz, wantVert;
    } rows[] = {
        {6, 3, 0, false, false, "F", "UD", 5, 2, 0, 0},
        {6, 3, 5, false, false, "F", "UD", 5, 2, 5 * kMM, 5 * kMM},
        {5, 2, 5, false, false, "F", "UD", 5, 2, 5 * kMM, 5 * kMM},
        // A count that fits is never raised.
        {1, 1, 0, false, false, "F", "UD", 1, 1, 0, 0},
        {5, 2, 0, true, false, "F", "UD", 5, 2, 36.5708, 12.7752},
        // Auto-centre with too many cells: what fits, no gap.
        {6, 3, 0, true, false, "F", "UD", 5, 2, 0, 0},
        {4, 4, 5, false, true, "F", "UD", 1, 1, 0, 0},
        {4, 4, 5, false, false, "BOTH", "DU", 1, 1, 0, 0},
        {4, 4, 5, false, false, "BOTH", "DD", 1, 1, 0, 0},
        // A front-above-back pair is two cards high: two rows fit.
        {5, 2, 0, false, false, "BOTH", "UD", 2, 2, 0, 0},
        {5, 3, 0, false, false, "BOTH", "L", 5, 1, 0, 0},
        // A typed gap that pushes the second column past the paper.
        {1, 2, 39, false, false, "F", "UD", 1, 1, 39 * kMM, 39 * kMM},
        {1, 2, 38, false, false, "F", "UD", 1, 2, 38 * kMM, 38 * kMM},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &r = rows[i];
        Page_Layout_Input in = a4Card(r.rows, r.cols, r.gapMM);
        in.autoCenter = r.autoCenter;
        in.fitToFrame = r.fit;
        in.side = Run_Sides_Of_Code(r.side).value();
        in.algn = Sides_Arrangement_Of_Code(r.algn).value();
        const Page_Layout l = Compute_Page_Layout(in);
        EXPECT_EQ(l.rows, r.wantRows) << "row " << i;
        EXPECT_EQ(l.cols, r.wantCols) << "row " << i;
        EXPECT_NEAR(l.horzGap, r.wantHorz, 0.005) << "row " << i;
        EXPECT_NEAR(l.vertGap, r.wantVert, 0.005) << "row " << i;
    }
}

TEST(PageGeometry, CardWiderThanThePaperKeepsOneCell)
{
    for (bool centred : {false, true}) {
        Page_Layout_Input in = a4Card(3, 3);
        in.cardWidth = 700;
        in.cardHeight = 900;
        in.autoCenter = centred;
        const Page_Layout l = Compute_Page_Layout(in);
        EXPECT_EQ(l.rows, 1) << centred;
        EXPECT_EQ(l.cols, 1) << centred;
    }
}

TEST(PageGeometry, CellSizeBySideArrangement)
{
    struct Row {
        QString side, algn;
        double sideMM;
        bool fit;
        double wantW, wantH, wantSide;
    } rows[] = {
        {"F", "UD", 2, false, 242.6457, 153.0709, 0},
        {"BOTH", "UD", 2, false, 242.6457, 2 * 153.0709 + 2 * kMM, 2 * kMM},
        {"BOTH", "U", 0, false, 242.6457, 2 * 153.0709, 0},
        {"BOTH", "L", 2, false, 2 * 242.6457 + 2 * kMM, 153.0709, 2 * kMM},
        {"BOTH", "DD", 2, false, 242.6457, 153.0709, 0},
        {"F", "UD", 0, true, 575, 822, 0},  // the printable area of 10 pt margins
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        Page_Layout_Input in = a4Card(1, 1);
        in.leftMar = in.riteMar = in.topMar = in.botMar = 10;
        in.side = Run_Sides_Of_Code(rows[i].side).value();
        in.algn = Sides_Arrangement_Of_Code(rows[i].algn).value();
        in.sideMar = rows[i].sideMM * kMM;
        in.fitToFrame = rows[i].fit;
        const Page_Layout l = Compute_Page_Layout(in);
        EXPECT_NEAR(l.labelWidth, rows[i].wantW, 0.001) << "row " << i;
        EXPECT_NEAR(l.labelHeight, rows[i].wantH, 0.001) << "row " << i;
        EXPECT_NEAR(l.sideMar, rows[i].wantSide, 0.001) << "row " << i;
    }
}

TEST(PageGeometry, AutoCentredCellsInTopLeftCoordinates)
{
    Page_Layout_Input in = a4Card(5, 2);
    in.autoCenter = true;
    const Page_Layout l = Compute_Page_Layout(in);
    const std::vector<Cell_Place> places = Cell_Places(l);
    ASSERT_EQ(places.size(), 10u);
    const double lefts[] = {36.57, 315.79};
    const double tops[] = {12.77, 178.62, 344.47, 510.31, 676.16};
    for (const Cell_Place &p : places) {
        const QRectF r = To_Top_Left(p.first, 842);
        EXPECT_NEAR(r.left(), lefts[p.col - 1], 0.01) << p.row << "," << p.col;
        EXPECT_NEAR(r.top(), tops[p.row - 1], 0.01) << p.row << "," << p.col;
    }
}

TEST(PageGeometry, BlockPlacedByAlignment)
{
    struct Row {
        int align;
        double left, top;  // of the first cell, top-left coordinates
    } rows[] = {
        {1, 0, 0},           {2, 54.85, 0},       {3, 109.71, 0},
        {4, 0, 38.32},       {5, 54.85, 38.32},   {6, 109.71, 38.32},
        {7, 0, 76.65},       {8, 54.85, 76.65},   {9, 109.71, 76.65},
    };
    for (const Row &r : rows) {
        const Page_Layout l = Compute_Page_Layout(a4Card(5, 2), r.align);
        const QRectF first = To_Top_Left(Cell_Places(l).front().first, 842);
        EXPECT_NEAR(first.left(), r.left, 0.01) << "alignment " << r.align;
        EXPECT_NEAR(first.top(), r.top, 0.01) << "alignment " << r.align;
    }
    // Alignment 1 with no gaps: cell (r, c) at ((c - 1) x card width, (r - 1) x card height).
    for (const Cell_Place &p : Cell_Places(Compute_Page_Layout(a4Card(5, 2), 1))) {
        const QRectF r = To_Top_Left(p.first, 842);
        EXPECT_NEAR(r.left(), (p.col - 1) * 242.65, 0.01);
        EXPECT_NEAR(r.top(), (p.row - 1) * 153.07, 0.01);
    }
}

TEST(PageGeometry, MarginsMoveTheBlock)
{
    Page_Layout_Input in = a4Card(2, 2, 5);
    in.leftMar = 20;
    in.riteMar = 30;
    in.topMar = 40;
    in.botMar = 50;
    struct Row {
        int align;
        double left, top;
    } rows[] = {
        {1, 20, 40},
        {5, 20 + (545 - (2 * 242.6457 + 5 * kMM)) / 2, 40 + (752 - (2 * 153.0709 + 5 * kMM)) / 2},
        {9, 595 - 30 - (2 * 242.6457 + 5 * kMM), 842 - 50 - (2 * 153.0709 + 5 * kMM)},
    };
    for (const Row &r : rows) {
        const QRectF first = To_Top_Left(Cell_Places(Compute_Page_Layout(in, r.align)).front().first, 842);
        EXPECT_NEAR(first.left(), r.left, 0.001) << "alignment " << r.align;
        EXPECT_NEAR(first.top(), r.top, 0.001) << "alignment " << r.align;
    }
    // The second cell of a row starts one card and one gap further right.
    const std::vector<Cell_Place> places = Cell_Places(Compute_Page_Layout(in, 1));
    EXPECT_NEAR(places[1].first.left() - places[0].first.left(), 242.6457 + 5 * kMM, 0.001);
    EXPECT_NEAR(places[0].first.top() - places[2].first.top(), 153.0709 + 5 * kMM, 0.001);
}

TEST(PageGeometry, CardsOfAPairCell)
{
    // A cell 100 points wide with a side gap of 10: halves of 45, the back 55 to the right.
    Page_Layout l;
    l.paperWidth = 300;
    l.paperHeight = 300;
    l.labelWidth = 100;
    l.labelHeight = 60;
    l.sideMar = 10;
    l.side = Run_Sides::Both;
    struct Row {
        QString algn;
        QRectF first, second;  // relative to the cell's lower-left corner
    } rows[] = {
        {"L", {0, 0, 45, 60}, {55, 0, 45, 60}},
        {"U", {0, 35, 100, 25}, {0, 0, 100, 25}},
        {"UD", {0, 35, 100, 25}, {0, 0, 100, 25}},
        {"DU", {0, 0, 100, 60}, {0, 0, 100, 60}},
    };
    for (const Row &r : rows) {
        l.algn = Sides_Arrangement_Of_Code(r.algn).value();
        const Cell_Place p = Cell_Places(l).front();
        EXPECT_EQ(p.first.translated(-p.cell.topLeft()), r.first) << r.algn.toStdString();
        EXPECT_EQ(p.second.translated(-p.cell.topLeft()), r.second) << r.algn.toStdString();
        EXPECT_TRUE(p.hasSecond);
    }
}

TEST(PageGeometry, SidesArrangementsByThePrintWindowsNames)
{
    const struct {
        const char *code;
        Sides_Arrangement arrangement;
        bool duplex;
    } rows[] = {{"UD", Sides_Arrangement::Above_Back_Turned, false}, {"U", Sides_Arrangement::Above, false},
                {"L", Sides_Arrangement::Beside, false},         {"DU", Sides_Arrangement::Duplex, true},
                {"DD", Sides_Arrangement::Duplex_Back_Turned, true}};
    for (const auto &r : rows) {
        EXPECT_EQ(Sides_Arrangement_Of_Code(r.code), r.arrangement) << r.code;
        Page_Layout both, front;
        both.algn = front.algn = r.arrangement;
        front.side = Run_Sides::Front;
        EXPECT_EQ(both.duplex(), r.duplex) << r.code;
        EXPECT_FALSE(front.duplex()) << r.code << ": one side is never duplex";
    }
    for (const char *code : {"", "ud", "D", "UU", "BOTH"}) EXPECT_FALSE(Sides_Arrangement_Of_Code(code)) << code;
}

} // namespace page_geometry_test
