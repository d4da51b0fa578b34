#include "Grid_Wizard.h"
#include "SKTGrid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QSlider>
#include <gtest/gtest.h>

TEST(Grid, WhatCanBeSetFollowsTheSettings)
{
    SKTGrid grid;
    grid.setConstraining(false);
    grid.setAlwaysShown(false);
    grid.setSpacing(9);
    EXPECT_TRUE(grid.isUsable());
    EXPECT_FALSE(grid.canSetColor());
    EXPECT_FALSE(grid.canSetSpacing());
    grid.setConstraining(true);
    EXPECT_TRUE(grid.canSetSpacing());
    grid.setSpacing(0);
    EXPECT_FALSE(grid.isUsable());
    EXPECT_FALSE(grid.canAlign());
    grid.setAlwaysShown(true);
    EXPECT_FALSE(grid.canSetColor());
}

TEST(Grid, SnapsHalvesUpwardOnlyWhenUsableAndConstraining)
{
    SKTGrid grid;
    EXPECT_EQ(grid.constrainedPoint({13.5, 13.4}), QPointF(13.5, 13.4));  // not constraining
    grid.setConstraining(true);
    EXPECT_EQ(grid.constrainedPoint({13.5, 13.4}), QPointF(18, 9));
    EXPECT_EQ(grid.constrainedPoint({-4.5, -4.6}), QPointF(0, -9));
    grid.setSpacing(0);
    EXPECT_EQ(grid.constrainedPoint({13.5, 13.4}), QPointF(13.5, 13.4));
}

TEST(Grid, AlignedRectRoundsOriginAndFarCorner)
{
    SKTGrid grid;  // aligning does not depend on snapping
    EXPECT_EQ(grid.alignedRect({4, 4, 10, 10}), QRectF(0, 0, 18, 18));
    EXPECT_EQ(grid.alignedRect({5, 13, 3, 1}), QRectF(9, 9, 0, 9));
}

TEST(Grid, EveryCallOfSetAlwaysShownReportsAChange)
{
    SKTGrid grid;
    QSignalSpy changed(&grid, &SKTGrid::changed);
    QSignalSpy shown(&grid, &SKTGrid::alwaysShownChanged);
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(true);
    EXPECT_EQ(changed.count(), 2);
    ASSERT_EQ(shown.count(), 1);
    EXPECT_TRUE(shown.at(0).at(0).toBool());
    grid.setAlwaysShown(false);
    ASSERT_EQ(shown.count(), 2);
    EXPECT_FALSE(shown.at(1).at(0).toBool());
    grid.setSpacing(9.0);  // unchanged: no report
    EXPECT_EQ(changed.count(), 3);
}

namespace {
QImage drawn(const SKTGrid &grid, const QRectF &dirty, double scale = 1)
{
    QImage image(1000, 1000, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    grid.drawRect(p, dirty);
    return image;
}
bool isGridColour(const QImage &image, int x, int y) { return image.pixelColor(x, y) == Qt::red; }
} // namespace

// A small area redrawn far from the origin still gets all of its lines.
TEST(Grid, DrawsEveryLineCrossingADirtyRectAwayFromTheOrigin)
{
    SKTGrid grid;
    grid.setColor(Qt::red);
    grid.setAlwaysShown(true);
    const QImage image = drawn(grid, QRectF(900, 900, 20, 20));  // lines at 909 and 918
    for (int line : {909, 918}) {
        EXPECT_TRUE(isGridColour(image, line, 905)) << line;
        EXPECT_TRUE(isGridColour(image, 905, line)) << line;
    }
    EXPECT_FALSE(isGridColour(image, 913, 913));
    EXPECT_FALSE(isGridColour(image, 909, 880));  // nothing outside the area
    EXPECT_FALSE(isGridColour(image, 927, 905));
}

TEST(Grid, LinesStayOnePixelWideWhenZoomed)
{
    SKTGrid grid;
    grid.setColor(Qt::red);
    grid.setAlwaysShown(true);
    const QImage image = drawn(grid, QRectF(0, 0, 100, 100), 4);  // line 1 at x = 36 pixels
    EXPECT_TRUE(isGridColour(image, 36, 10));
    EXPECT_FALSE(isGridColour(image, 34, 10));
    EXPECT_FALSE(isGridColour(image, 38, 10));
}

TEST(Grid, DrawsNothingWhenHiddenOrUnusable)
{
    SKTGrid grid;
    grid.setColor(Qt::red);
    EXPECT_FALSE(isGridColour(drawn(grid, QRectF(0, 0, 100, 100)), 9, 50));
    grid.setAlwaysShown(true);
    grid.setSpacing(0);
    EXPECT_FALSE(isGridColour(drawn(grid, QRectF(0, 0, 100, 100)), 9, 50));
}

TEST(GridWizard, ControlsEditTheGrid)
{
    SKTGrid grid;
    grid.setSpacing(12);
    Grid_Wizard dialog;
    Grid_Wizard *wizard = &dialog;
    wizard->setGrid(&grid);
    EXPECT_FALSE(wizard->showCheck()->isChecked());
    EXPECT_FALSE(wizard->optionsBox()->isEnabled());
    EXPECT_EQ(wizard->spacingSlider()->value(), 12);

    wizard->showCheck()->setChecked(true);
    EXPECT_TRUE(grid.isAlwaysShown());
    EXPECT_TRUE(wizard->optionsBox()->isEnabled());

    wizard->snapCheck()->setChecked(true);
    EXPECT_TRUE(grid.isConstraining());

    // A colour or spacing change writes the grid and shows it, redrawing even when shown.
    QSignalSpy changed(&grid, &SKTGrid::changed);
    wizard->spacingSlider()->setValue(20);
    EXPECT_EQ(grid.spacing(), 20.0);
    wizard->Grid_Color_Changed(Qt::blue);
    EXPECT_EQ(grid.color(), QColor(Qt::blue));
    EXPECT_TRUE(grid.isAlwaysShown());
    EXPECT_EQ(changed.count(), 4);

    wizard->showCheck()->setChecked(false);
    EXPECT_FALSE(grid.isAlwaysShown());
    EXPECT_FALSE(wizard->optionsBox()->isEnabled());
    wizard->setGrid(nullptr);
}
