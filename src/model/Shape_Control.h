#pragma once
// Shape_Control: rectangle, circle, rounded rectangle, triangle, diamond, stars and
// polygons, chosen by _shape_type.
#include "SKTGraphic.h"

class Shape_Control : public SKTGraphic {
public:
    static std::shared_ptr<Shape_Control> create()
    {
        return std::static_pointer_cast<Shape_Control>(SKTGraphic::create(GraphicKind::Shape));
    }

private:
    friend class SKTGraphic;
    Shape_Control() : SKTGraphic(GraphicKind::Shape) {}
};
