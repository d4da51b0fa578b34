#pragma once
// SKTBarcode: shows the barcode picture that the barcode generator renders into it.
#include "SKTGraphic.h"

class SKTBarcode : public SKTGraphic {
public:
    static std::shared_ptr<SKTBarcode> create()
    {
        return std::static_pointer_cast<SKTBarcode>(SKTGraphic::create(GraphicKind::Barcode));
    }
    // A barcode control centred on the point at the size of its barcode picture (none
    // yet, so zero size). The picture argument is not used.
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
