#include "Shape_Control.h"

#include "Rotation.h"
#include "StrokeStyles.h"

#include <QPainter>
#include <cmath>

namespace {
QPainterPath windingPath()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    return path;
}
} // namespace

int Shape_Control::Double_Star_Points(int type)
{
    return (type >= 1 && type <= 5) ? 5 + 2 * type : type;  // 7, 9, 11, 13, 15
}

int Shape_Control::Polygon_Sides(int type)
{
    return (type >= 2 && type <= 5) ? 2 * type + 6 : type;  // 10, 12, 14, 16
}

QPainterPath Shape_Control::Rectangle_path() const
{
    QPainterPath path = windingPath();
    path.addRect(bounds());
    return path;
}

QPainterPath Shape_Control::Circle_path() const
{
    QPainterPath path = windingPath();
    path.addEllipse(bounds());
    return path;
}

QPainterPath Shape_Control::Rounded_Rectangle_path() const
{
    QPainterPath path = windingPath();
    path.addRoundedRect(bounds(), cor_rad_val, cor_rad_val, Qt::AbsoluteSize);
    return path;
}

QPainterPath Shape_Control::Triangle_path() const
{
    const float x = float(bounds().x()), y = float(bounds().y()), w = float(bounds().width()),
                h = float(bounds().height());
    QPainterPath path = windingPath();
    path.moveTo(x, y + h);
    path.lineTo(x + w / 2.0f, y);
    path.lineTo(x + w, y + h);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Diamond_path() const
{
    const float x = float(bounds().x()), y = float(bounds().y()), w = float(bounds().width()),
                h = float(bounds().height());
    QPainterPath path = windingPath();
    path.moveTo(x, y + h / 2.0f);
    path.lineTo(x + w / 2.0f, y);
    path.lineTo(x + w, y + h / 2.0f);
    path.lineTo(x + w / 2.0f, y + h);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Custom_Polygon() const
{
    const double x = bounds().x(), y = bounds().y(), w = bounds().width(), h = bounds().height();
    QPainterPath path = windingPath();
    path.moveTo(x, y);
    path.lineTo(x + w / 2, y + h / 4);
    path.lineTo(x + w, y);
    path.lineTo(x + 3 * w / 4, y + h / 2);
    path.lineTo(x + w, y + h);
    path.lineTo(x + w / 2, y + 3 * h / 4);
    path.lineTo(x, y + h);
    path.lineTo(x + w / 4, y + h / 2);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Polygon_With_Diffrent_Sides(int sides) const
{
    QPainterPath path = windingPath();
    if (sides <= 0) return path;
    const double rx = bounds().width() / 2, ry = bounds().height() / 2;
    const double cx = bounds().x() + rx, cy = bounds().y() + ry;
    const double step = 4 * M_PI / sides;
    double a = -M_PI / 2;
    for (int i = 0; i < sides; ++i, a += step) {
        const QPointF v(float(cx + rx * std::cos(a)), float(cy + ry * std::sin(a)));
        if (i == 0) path.moveTo(v);
        else path.lineTo(v);
    }
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::bezierPathForDrawing() const
{
    const QString &t = _shape_type;
    QPainterPath path = windingPath();
    if (t == QLatin1String("R")) path = Rectangle_path();
    else if (t == QLatin1String("C")) path = Circle_path();
    else if (t == QLatin1String("RR")) path = Rounded_Rectangle_path();
    else if (t == QLatin1String("T")) path = Triangle_path();
    else if (t == QLatin1String("D")) path = Diamond_path();
    else if (t == QLatin1String("S")) path = Polygon_With_Diffrent_Sides(5);
    else if (t == QLatin1String("DS")) path = Polygon_With_Diffrent_Sides(Double_Star_Points(double_star_type));
    else if (t == QLatin1String("P"))
        path = polygon_type == 1 ? Custom_Polygon() : Polygon_With_Diffrent_Sides(Polygon_Sides(polygon_type));
    // Turned about the centre of the bounds (not of the outline's own box), so a
    // rotated star stays inside the rotated bounds that the drawing bounds cover.
    const QRectF b = bounds();
    const QPointF centre(float(b.x() + b.width() / 2), float(b.y() + b.height() / 2));
    QPainterPath rotated = rotatedPath(path, text_rotation, centre);
    rotated.setFillRule(Qt::WindingFill);
    return rotated;
}

bool Shape_Control::isContentsUnderPoint(QPointF point) const { return bezierPathForDrawing().contains(point); }

void Shape_Control::drawContentsInView(QPainter &painter, bool, const DrawContext &context)
{
    if (!ctrl_is_visible) return;
    const QPainterPath path = bezierPathForDrawing();
    if (path.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDrawingFill()) Fill_Path_With_Control_Fill(painter, path, *this, context);
    if (isDrawingStroke()) {
        QPen pen = Control_Stroke_Pen(*this);
        pen.setCapStyle(Qt::FlatCap);  // a shape's outline has butt ends whatever the line cap field says
        painter.strokePath(path, pen);
    }
    painter.restore();
}
