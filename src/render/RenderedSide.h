#pragma once
// A card side rendered once as a vector drawing (a QPicture of the side in card points
// from the card's corner) with its size in points, to be played wherever the card
// goes: rasterised for picture files, written as PDF, drawn into a print cell. Playing
// it mirrored is a painter transform.
#include "RenderResources.h"
#include "SKTGraphic.h"

#include <QByteArray>
#include <QImage>
#include <QPicture>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <memory>
#include <vector>

class Card_Property;
class QPainter;

// The side's own controls kept for drawing: played straight onto any painter, so
// pictures inside (photos, barcode rasters) are never encoded into a recording.
struct Side_Drawing {
    virtual ~Side_Drawing() = default;
    // Draws the side from (0, 0), y down, in points, nothing outside the side.
    virtual void draw(QPainter &painter) const = 0;
};

struct RenderedSide {
    QPicture picture;  // drawn from (0, 0), y down, in points (when there is no drawing)
    QSizeF size;       // the card's size in points
    std::shared_ptr<const Side_Drawing> drawing;  // drawn instead of the picture when set
    // What the side was made without, one short phrase each ("photo \"a.jpg\" cannot be
    // read"); empty when the side is whole.
    QStringList missing;
    bool isNull() const { return size.isEmpty(); }
};

enum class Side_Mirror { None, Horizontal, Vertical };

// Records the side as SKTRenderingView draws it (base, controls meant for output,
// border). A null side when the frame is empty.
RenderedSide Render_Side_Picture(const std::vector<GraphicPtr> &graphics, const QRectF &frame,
                                 const Card_Property *cardProperty, const RenderResources &resources);
// The side drawn from its controls when it is played: the controls (and `keepAlive`,
// which owns whatever they need, such as their owner) stay with the side and must not
// change while it lives. A null side when the frame is empty.
RenderedSide Render_Side_Drawing(std::vector<GraphicPtr> graphics, const QRectF &frame, const Card_Property *cardProperty,
                                 const RenderResources &resources, std::shared_ptr<const void> keepAlive = {});
// Plays the side scaled into `target`, mirrored left to right or top to bottom when asked.
void Draw_Rendered_Side(QPainter &painter, const RenderedSide &side, const QRectF &target,
                        Side_Mirror mirror = Side_Mirror::None);
// The side as pixels at `dpi` (ceil(points x dpi / 72) pixels, transparent ground,
// resolution recorded); null for a null side, and null with nothing allocated for a
// picture over the bound of PictureLimit.h (logged).
QImage Rendered_Side_Image(const RenderedSide &side, double dpi, Side_Mirror mirror = Side_Mirror::None);
// A one-page PDF of the side's size; empty on failure (logged).
QByteArray Rendered_Side_PDF(const RenderedSide &side, Side_Mirror mirror = Side_Mirror::None);
