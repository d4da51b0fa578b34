// A rendered side keeps its size on every target, whatever resolution the target
// records: a 600 dpi picture, a 72 dpi PDF page.
#include "RenderedSide.h"

#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace {
RenderedSide cornerSide()
{
    RenderedSide s;
    s.size = QSizeF(240, 150);
    QPainter p(&s.picture);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Qt::white));
    p.drawRect(QRectF(QPointF(), s.size));
    p.setBrush(QColor(Qt::black));
    p.drawRect(QRectF(0, 0, 24, 15));  // a tenth of each edge
    return s;
}

TEST(RenderedSideScale, TheSideFillsTheTargetAtAnyResolution)
{
    struct Row {
        double dpi;
        QPoint blackTo;  // the last black pixel of the corner
        QPoint whiteFrom;
    };
    for (const Row &r : {Row{72, {23, 14}, {25, 16}}, Row{300, {99, 61}, {101, 63}}, Row{600, {199, 124}, {201, 126}}}) {
        const QImage image = Rendered_Side_Image(cornerSide(), r.dpi);
        EXPECT_EQ(image.pixelColor(r.blackTo), QColor(Qt::black)) << r.dpi;
        EXPECT_EQ(image.pixelColor(r.whiteFrom), QColor(Qt::white)) << r.dpi;
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::white)) << r.dpi;
    }
}

TEST(RenderedSideScale, ADeviceOfAnotherResolutionDrawsTheSameSize)
{
    QImage image(480, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(11811);  // 300 dpi recorded before drawing
    image.setDotsPerMeterY(11811);
    {
        QPainter p(&image);
        Draw_Rendered_Side(p, cornerSide(), QRectF(0, 0, 480, 300));
    }
    EXPECT_EQ(image.pixelColor(47, 29), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(49, 31), QColor(Qt::white));
}
} // namespace
