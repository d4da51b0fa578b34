#pragma once
// Draws a card side (its controls with the card's base and border) outside any window:
// to a painter (a printer, for instance), to PDF, to an image, and a selection of
// controls to TIFF. Only what is meant for output is drawn: hidden controls and
// controls marked not to print (print_object 1) are left out, and no handles.
//
// Coordinates are card points, y down. The rendering devices made here carry 72 dots
// per inch, so that a font's point size is a size in card points there too.
#include "RenderResources.h"
#include "SKTError.h"
#include "SKTGraphic.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

class Card_Property;
class QPainter;

class SKTRenderingView {
public:
    // `frame` is the card rectangle (the whole card from (0, 0)). `cardProperty` gives
    // the base and border, drawn with `resources`; with none only the controls are
    // drawn. The view keeps the pointer: the caller keeps the record alive while the
    // view is used. Nothing else is read, so a view may be used on any thread.
    SKTRenderingView(const QRectF &frame, std::vector<GraphicPtr> graphics, const Card_Property *cardProperty,
                     const RenderResources &resources, const QString &printJobTitle);

    QRectF frame() const { return m_frame; }
    const std::vector<GraphicPtr> &graphics() const { return m_graphics; }
    QString printJobTitle() const { return m_printJobTitle; }

    // Base, then the controls from the last index to index 0 (index 0 ends on top),
    // then border and watermark; clipped to `dirty`. A failure is logged and ends the
    // drawing; it never shows a message box.
    void drawRect(QPainter &painter, const QRectF &dirty) const;
    // PDF of the rectangle: one page of the rectangle's size in points, no margins.
    // Empty when the PDF cannot be made (logged).
    QByteArray dataWithPDFInsideRect(const QRectF &rect) const;
    // The frame as an image of `scale` pixels per point (its resolution says 72 x scale
    // dots per inch), transparent where nothing is drawn. A size that is not a whole
    // number of pixels is rounded up and the card stretched to fill the last pixels.
    // Null, with nothing allocated, when the image would be over the picture bound
    // (kLargestPicturePixels; logged).
    QImage imageRepresentation(double scale = 1.0) const;

    // PDF of a side with the card frame, titled "Print".
    static QByteArray pdfDataWithGraphics_data(const std::vector<GraphicPtr> &graphics, const QRectF &frame,
                                               const Card_Property *cardProperty,
                                               const RenderResources &resources);
    // An image of a side with the card frame at `scale` pixels per point; null on
    // failure (logged).
    static QImage image_From_Card_Graphics(const std::vector<GraphicPtr> &graphics, const QRectF &frame,
                                           const Card_Property *cardProperty,
                                           const RenderResources &resources, double scale = 1.0);
    // TIFF of a selection of controls: an image as big as the union of their drawing
    // bounds with the controls drawn relative to its corner, each clipped to its own
    // drawing bounds; no base, no border, no visibility or print checks. Empty with
    // error code 3 when there is nothing to draw.
    static QByteArray tiffDataWithGraphics(const std::vector<GraphicPtr> &graphics, const DrawContext &context,
                                           SKTError *error = nullptr, double scale = 1.0);
    // TIFF bytes of an image; empty when it cannot be written (logged).
    static QByteArray Tiff_Data_From_Image(const QImage &image);

private:
    QRectF m_frame;
    std::vector<GraphicPtr> m_graphics;
    const Card_Property *m_cardProperty;
    RenderResources m_resources;
    QString m_printJobTitle;
};
