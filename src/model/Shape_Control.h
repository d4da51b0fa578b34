#pragma once
// Shape_Control: rectangle, circle, rounded rectangle, triangle, diamond, stars and
// polygons, chosen by _shape_type. Outlines use the non-zero winding rule, so the
// middle of a star is inside it.
#include "SKTGraphic.h"

class Shape_Control : public SKTGraphic {
public:
    static std::shared_ptr<Shape_Control> create()
    {
        return std::static_pointer_cast<Shape_Control>(SKTGraphic::create(GraphicKind::Shape));
    }

    // The outline for the shape code, turned by text_rotation about the centre of the
    // bounds. An unknown code or a point count of 0 or less gives an empty path.
    QPainterPath bezierPathForDrawing() const override;

    // Unrotated outlines in card coordinates, built from the current bounds.
    QPainterPath Rectangle_path() const;
    QPainterPath Circle_path() const;
    QPainterPath Rounded_Rectangle_path() const;  // radius cor_rad_val in x and y
    QPainterPath Triangle_path() const;           // apex at the middle of the top edge
    QPainterPath Diamond_path() const;            // through the middles of the edges
    QPainterPath Custom_Polygon() const;          // four-point star, points in the corners
    // N vertices on the ellipse inscribed in the bounds, from the middle of the top
    // edge, each two spacings of N after the last: an odd N is a star with N points, an
    // even N a polygon with N/2 corners traced twice.
    QPainterPath Polygon_With_Diffrent_Sides(int sides) const;

    // Inside the rotated outline (fill or no fill).
    bool isContentsUnderPoint(QPointF point) const override;
    // Fill (when drawing fill) then outline (when stroking); a hidden shape draws nothing.
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context) override;

    // The point count N of the double star and of the polygon for their type numbers.
    static int Double_Star_Points(int doubleStarType);
    static int Polygon_Sides(int polygonType);

private:
    friend class SKTGraphic;
    Shape_Control() : SKTGraphic(GraphicKind::Shape) {}
};
