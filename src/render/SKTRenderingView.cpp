#include "SKTRenderingView.h"

#include "CardAppearance.h"
#include "Card_Property.h"
#include "Log.h"
#include "PictureLimit.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <exception>

namespace {
constexpr double kPointsPerInch = 72.0;
constexpr double kInchesPerMeter = 1.0 / 0.0254;

void setDotsPerInch(QImage &image, double dpi)
{
    image.setDotsPerMeterX(int(std::lround(dpi * kInchesPerMeter)));
    image.setDotsPerMeterY(int(std::lround(dpi * kInchesPerMeter)));
}

// A transparent image of the rectangle at `scale` pixels per point, 72 dots per inch
// while it is painted (see the header). Null, with nothing allocated, for an image over
// the picture bound (logged).
QImage blankImage(const QRectF &rect, double scale)
{
    const QSizeF pixels = Picture_Pixels(rect.size(), scale);
    if (!Picture_Size_Allowed(pixels)) {
        Show_NSLog_Message(QStringLiteral("The card is too large to be made into a picture: %1.").arg(Picture_Too_Large_Text(pixels)));
        return {};
    }
    QImage image(pixels.toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    setDotsPerInch(image, kPointsPerInch);
    return image;
}

void logFailure(const char *what, const std::exception *e)
{
    Show_NSLog_Message(QStringLiteral("%1: %2").arg(QLatin1String(what),
                                                    e ? QString::fromLocal8Bit(e->what()) : QStringLiteral("unknown error")));
}
} // namespace

SKTRenderingView::SKTRenderingView(const QRectF &frame, std::vector<GraphicPtr> graphics,
                                   const Card_Property *cardProperty, const RenderResources &resources,
                                   const QString &printJobTitle)
    : m_frame(frame), m_graphics(std::move(graphics)), m_cardProperty(cardProperty), m_resources(resources),
      m_printJobTitle(printJobTitle)
{
}

void SKTRenderingView::drawRect(QPainter &painter, const QRectF &dirty) const
{
    painter.save();
    // With no clip of the caller's (and not being recorded), each control's clip is one
    // rectangle, its bounds within the side, replacing the last control's. A PDF page
    // then writes one clip per control: a clip set within a saved state is written
    // again, with the whole painter state, for every clip left when the state is
    // restored.
    const QPaintDevice *device = painter.device();
    const bool replaceClips = !painter.hasClipping() && !(device && device->devType() == QInternal::Picture);
    try {
        painter.setClipRect(dirty, Qt::IntersectClip);
        if (m_cardProperty) Draw_Card_Base(painter, *m_cardProperty, m_frame, m_resources);
        for (auto it = m_graphics.rbegin(); it != m_graphics.rend(); ++it) {
            SKTGraphic *g = it->get();
            if (!g || g->print_object != 0 || !g->ctrl_is_visible) continue;
            // Clipped to its drawing bounds as the card view clips it: text running out
            // of its box is cut where the screen cuts it.
            if (replaceClips) {
                painter.setClipRect(g->drawingBounds() & dirty, Qt::ReplaceClip);
                painter.save();
            } else {
                painter.save();
                painter.setClipRect(g->drawingBounds(), Qt::IntersectClip);
            }
            g->drawContentsInView(painter, false, m_resources);
            painter.restore();
        }
        if (replaceClips) painter.setClipRect(dirty, Qt::ReplaceClip);
        if (m_cardProperty) Draw_Card_Border(painter, *m_cardProperty, m_frame, m_resources);
    } catch (const std::exception &e) {
        logFailure("Drawing the card failed", &e);
    } catch (...) {
        logFailure("Drawing the card failed", nullptr);
    }
    painter.restore();
}

QByteArray SKTRenderingView::dataWithPDFInsideRect(const QRectF &rect) const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(int(kPointsPerInch));
        writer.setTitle(m_printJobTitle);
        writer.setCreator(m_resources.creator);
        const QPageSize page(rect.size(), QPageSize::Point, QString(), QPageSize::ExactMatch);
        if (!writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)))) {
            Show_NSLog_Message(QStringLiteral("The PDF page of the card could not be set up."));
            return {};
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            Show_NSLog_Message(QStringLiteral("The PDF of the card could not be started."));
            return {};
        }
        painter.translate(-rect.topLeft());
        drawRect(painter, rect);
        painter.end();
    }
    return data;
}

QImage SKTRenderingView::imageRepresentation(double scale) const
{
    if (!(scale > 0)) return {};
    QImage image = blankImage(m_frame, scale);
    if (image.isNull()) {
        Show_NSLog_Message(QStringLiteral("No image could be made for the card."));
        return {};
    }
    {
        // The image has whole pixels (the size rounded up): the card is stretched by the
        // fraction of a pixel so that it covers the last row and column too.
        QPainter painter(&image);
        painter.scale(m_frame.width() > 0 ? image.width() / m_frame.width() : scale,
                      m_frame.height() > 0 ? image.height() / m_frame.height() : scale);
        painter.translate(-m_frame.topLeft());
        drawRect(painter, m_frame);
    }
    setDotsPerInch(image, kPointsPerInch * scale);
    return image;
}

QByteArray SKTRenderingView::pdfDataWithGraphics_data(const std::vector<GraphicPtr> &graphics, const QRectF &frame,
                                                      const Card_Property *cardProperty,
                                                      const RenderResources &resources)
{
    const SKTRenderingView view(frame, graphics, cardProperty, resources, QStringLiteral("Print"));
    return view.dataWithPDFInsideRect(view.frame());
}

QImage SKTRenderingView::image_From_Card_Graphics(const std::vector<GraphicPtr> &graphics, const QRectF &frame,
                                                  const Card_Property *cardProperty, const RenderResources &resources,
                                                  double scale)
{
    try {
        const SKTRenderingView view(frame, graphics, cardProperty, resources, QStringLiteral("Print"));
        return view.imageRepresentation(scale);
    } catch (const std::exception &e) {
        logFailure("Making the card image failed", &e);
    } catch (...) {
        logFailure("Making the card image failed", nullptr);
    }
    return {};
}

QByteArray SKTRenderingView::tiffDataWithGraphics(const std::vector<GraphicPtr> &graphics, const DrawContext &context,
                                                  SKTError *error,
                                                  double scale)
{
    bool any = false;
    for (const GraphicPtr &g : graphics) any = any || g;
    // The union of no controls would be the whole card; an empty selection has nothing to show.
    const QRectF united = any ? SKTGraphic::drawingBoundsOfGraphics(graphics) : QRectF();
    if (united.isEmpty() || !(scale > 0)) {
        if (error) *error = SKTErrorWithCode(3);
        return {};
    }
    QImage image = blankImage(united, scale);
    if (image.isNull()) {
        Show_NSLog_Message(QStringLiteral("No image could be made for the selected controls."));
        return {};
    }
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        // Drawn relative to the union's corner, so controls away from the card's corner
        // land inside the image.
        painter.translate(-united.topLeft());
        try {
            for (auto it = graphics.rbegin(); it != graphics.rend(); ++it) {
                if (!*it) continue;
                painter.save();
                painter.setClipRect((*it)->drawingBounds(), Qt::IntersectClip);
                (*it)->drawContentsInView(painter, false, context);
                painter.restore();
            }
        } catch (const std::exception &e) {
            logFailure("Drawing the selected controls failed", &e);
        } catch (...) {
            logFailure("Drawing the selected controls failed", nullptr);
        }
    }
    setDotsPerInch(image, kPointsPerInch * scale);
    return Tiff_Data_From_Image(image);
}

QByteArray SKTRenderingView::Tiff_Data_From_Image(const QImage &image)
{
    if (image.isNull()) return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(image)) {
        Show_NSLog_Message(QStringLiteral("The TIFF image could not be written: %1").arg(writer.errorString()));
        return {};
    }
    return data;
}
