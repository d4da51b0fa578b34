#include "RenderedSide.h"

#include "Card_Property.h"
#include "Log.h"
#include "PictureLimit.h"
#include "SKTRenderingView.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <optional>

RenderedSide Render_Side_Picture(const std::vector<GraphicPtr> &graphics, const QRectF &frame,
                                 const Card_Property *cardProperty, const RenderResources &resources)
{
    RenderedSide side;
    if (frame.isEmpty()) return side;
    side.size = frame.size();
    const SKTRenderingView view(frame, graphics, cardProperty, resources, QStringLiteral("Print"));
    QPainter painter(&side.picture);
    painter.translate(-frame.topLeft());
    view.drawRect(painter, frame);
    painter.end();
    side.picture.setBoundingRect(QRect(QPoint(0, 0), side.size.toSize()));
    return side;
}

namespace {
class Control_Drawing final : public Side_Drawing {
public:
    Control_Drawing(std::vector<GraphicPtr> graphics, const QRectF &frame, const Card_Property *cardProperty,
                    const RenderResources &resources, std::shared_ptr<const void> keepAlive)
        : m_keepAlive(std::move(keepAlive)),
          m_cardProperty(cardProperty ? std::optional<Card_Property>(*cardProperty) : std::nullopt),
          m_view(frame, std::move(graphics), m_cardProperty ? &*m_cardProperty : nullptr, resources,
                 QStringLiteral("Print")),
          m_frame(frame)
    {
    }
    void draw(QPainter &painter) const override
    {
        painter.save();
        painter.translate(-m_frame.topLeft());
        m_view.drawRect(painter, m_frame);
        painter.restore();
    }

private:
    std::shared_ptr<const void> m_keepAlive;
    std::optional<Card_Property> m_cardProperty;
    SKTRenderingView m_view;
    QRectF m_frame;
};
} // namespace

RenderedSide Render_Side_Drawing(std::vector<GraphicPtr> graphics, const QRectF &frame, const Card_Property *cardProperty,
                                 const RenderResources &resources, std::shared_ptr<const void> keepAlive)
{
    RenderedSide side;
    if (frame.isEmpty()) return side;
    side.size = frame.size();
    side.drawing = std::make_shared<Control_Drawing>(std::move(graphics), frame, cardProperty, resources,
                                                     std::move(keepAlive));
    return side;
}

void Draw_Rendered_Side(QPainter &painter, const RenderedSide &side, const QRectF &target, Side_Mirror mirror)
{
    if (side.isNull() || target.isEmpty()) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / side.size.width(), target.height() / side.size.height());
    if (mirror == Side_Mirror::Horizontal) {
        painter.translate(side.size.width(), 0);
        painter.scale(-1, 1);
    } else if (mirror == Side_Mirror::Vertical) {
        painter.translate(0, side.size.height());
        painter.scale(1, -1);
    }
    if (side.drawing) {
        // The drawing clips itself to the side (one clip fewer in every state a PDF
        // page writes).
        side.drawing->draw(painter);
        painter.restore();
        return;
    }
    painter.setClipRect(QRectF(QPointF(0, 0), side.size), Qt::IntersectClip);
    // A picture plays scaled by the target's resolution over its own (a 600 dpi image
    // would show it 6.25 times too large); the transform above already scales.
    if (const QPaintDevice *device = painter.device()) {
        if (device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
            painter.scale(double(side.picture.logicalDpiX()) / device->logicalDpiX(),
                          double(side.picture.logicalDpiY()) / device->logicalDpiY());
    }
    painter.drawPicture(QPointF(0, 0), side.picture);
    painter.restore();
}

QImage Rendered_Side_Image(const RenderedSide &side, double dpi, Side_Mirror mirror)
{
    if (side.isNull() || !(dpi > 0)) return {};
    const QSizeF wanted = Picture_Pixels(side.size, dpi / 72.0);
    if (!Picture_Size_Allowed(wanted)) {
        Show_NSLog_Message(QStringLiteral("The card is too large to be made into a picture: %1.").arg(Picture_Too_Large_Text(wanted)));
        return {};
    }
    const QSize pixels = wanted.toSize();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        Show_NSLog_Message(QStringLiteral("No image could be made for the card."));
        return {};
    }
    image.fill(Qt::transparent);
    const int dpm = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Draw_Rendered_Side(painter, side, QRectF(QPointF(0, 0), QSizeF(pixels)), mirror);
    }
    return image;
}

QByteArray Rendered_Side_PDF(const RenderedSide &side, Side_Mirror mirror)
{
    if (side.isNull()) return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(side.size, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        Show_NSLog_Message(QStringLiteral("The card could not be written as PDF."));
        return {};
    }
    Draw_Rendered_Side(painter, side, QRectF(QPointF(0, 0), side.size), mirror);
    painter.end();
    return data;
}
