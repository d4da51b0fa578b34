#pragma once
// SKTBarcode: shows the barcode picture that the barcode engine renders from the
// control's own barcode settings.
#include "BarcodeEngine.h"
#include "SKTGraphic.h"

#include <optional>

class SKTBarcode : public SKTGraphic {
public:
    static std::shared_ptr<SKTBarcode> create()
    {
        return std::static_pointer_cast<SKTBarcode>(SKTGraphic::create(GraphicKind::Barcode));
    }
    // A barcode control with the default settings, rendered ("0123" with its header and
    // footer) and centred on the point at its picture's size. The picture argument is
    // not used.
    static std::shared_ptr<SKTBarcode> initWithPosition(const QPointF &point, const Picture &contents);

    // Makes the drawn picture the current barcode picture.
    void barcode_image_var_assign();

    // The latest barcode picture at its own size from the bounds' origin, unsmoothed
    // (its vector form painted as vector); no fill and no border.
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context) override;

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }

private:
    friend class SKTGraphic;
    SKTBarcode() : SKTGraphic(GraphicKind::Barcode) {}
};

// The control's barcode settings (a missing font or colour reads as its default; the
// drawing-fill flag is the transparent background).
Barcode_Settings Barcode_Settings_Of(const SKTGraphic &g);
// Writes the settings into the control, reporting the change: the transparent flag
// becomes the drawing-fill flag and the fill colour clear (transparent), white (a
// two-dimensional symbol) or the background colour (linear).
void Put_Barcode_Settings(SKTGraphic &g, const Barcode_Settings &s);
// Renders the control's barcode from its settings with the value given (its own value
// when none) and its header and footer: the control takes the picture and its size. No
// picture (a blank or invalid value) clears the picture and keeps the bounds.
void Render_Barcode(SKTGraphic &g, const std::optional<QString> &value = std::nullopt);
