#pragma once
// The smallest screen a desk is used on: a 1366 x 768 laptop screen with a desktop
// panel leaves 1366 x 728 for a window's frame, its title bar included. A window fits
// when its smallest size, with room for the frame a window manager adds, is inside it.
#include <QLayout>
#include <QSize>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace testsupport {

inline constexpr QSize kSmallScreenArea{1366, 728};
// A window manager's frame: a border on each side and the title bar above.
inline constexpr QSize kWindowFrame{2 * 4, 32 + 4};

// The size the window cannot be made smaller than: its minimum, or what its layout asks
// for when none is set.
inline QSize smallestSize(const QWidget &window)
{
    QSize smallest = window.minimumSize();
    if (const QLayout *layout = window.layout(); layout && layout->sizeConstraint() != QLayout::SetNoConstraint)
        smallest = smallest.expandedTo(layout->totalMinimumSize());
    else
        smallest = smallest.expandedTo(window.minimumSizeHint());
    return smallest;
}

// Passes when the window, framed, fits the small screen's available area.
inline ::testing::AssertionResult fitsSmallScreen(const QWidget &window)
{
    const QSize framed = smallestSize(window) + kWindowFrame;
    if (framed.width() <= kSmallScreenArea.width() && framed.height() <= kSmallScreenArea.height())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << qPrintable(window.windowTitle()) << " (" << qPrintable(window.metaObject()->className())
           << ") needs " << framed.width() << " x " << framed.height() << " with its frame, over "
           << kSmallScreenArea.width() << " x " << kSmallScreenArea.height();
}

}  // namespace testsupport
