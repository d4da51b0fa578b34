#include "CardResize.h"

#include <algorithm>

QSizeF Get_My_card_Size(const QString &category, const QString &preset, int row)
{
    static const double pvc[7][2] = {{3.37, 2.13}, {3.31, 2.06}, {3.62, 2.38}, {3.88, 2.62},
                                     {3.5, 1.75},  {3.25, 2.34}, {2.88, 2.12}};
    static const double other[8][2] = {{3.94, 4.09}, {2.36, 1.58}, {2.95, 1.58}, {2.95, 1.58},
                                       {3.54, 2.13}, {3.54, 2.36}, {2.36, 3.54}, {5.91, 4.96}};
    const bool isPvc = category == QLatin1String("PVC Card");
    const int rows = isPvc ? 7 : 8;
    // No row, or a row outside the table: the 30 x 30 of "no preset".
    float first = 30, second = 30;
    if (row >= 0 && row < rows) {
        const double *pair = isPvc ? pvc[row] : other[row];
        first = float(pair[0] * 25.4);
        second = float(pair[1] * 25.4);
    }
    if (preset == QLatin1String("V")) return QSizeF(second, first);
    return QSizeF(first, second);
}

std::optional<std::pair<float, float>> Card_Resize_Percentages(float oldWidth, float oldHeight, float newWidth,
                                                               float newHeight)
{
    if (newWidth == oldWidth && newHeight == oldHeight) return std::nullopt;
    // Percentages of an empty card mean nothing.
    if (!(oldWidth > 0) || !(oldHeight > 0)) return std::nullopt;
    return std::pair((newWidth - oldWidth) * 100.0f / oldWidth, (newHeight - oldHeight) * 100.0f / oldHeight);
}

QRectF Rescaled_Control_Bounds(const QRectF &bounds, GraphicKind kind, float pw, float ph)
{
    const float x = float(bounds.x()), y = float(bounds.y());
    float w = float(bounds.width()), h = float(bounds.height());
    const float nx = x + x * pw / 100.0f, ny = y + y * ph / 100.0f;
    if (kind != GraphicKind::Barcode) {
        w = w + w * pw / 100.0f;
        h = h + h * ph / 100.0f;
    }
    if (kind == GraphicKind::Text) {
        w = std::max(w, 50.0f);
        h = std::max(h, 20.0f);
    }
    return QRectF(nx, ny, w, h);
}

void Chane_control_size_location_for_both_side(const std::vector<GraphicPtr> &graphics, float pw, float ph)
{
    for (const GraphicPtr &g : graphics) {
        g->setBounds(Rescaled_Control_Bounds(QRectF(g->xPosition(), g->yPosition(), g->width(), g->height()),
                                             g->kind(), pw, ph));
        // A barcode's picture frame goes along to the control's new place.
        if (g->kind() == GraphicKind::Barcode) g->Set_Barcode_image_control_bounds(g->bounds());
    }
}

void Set_Control_Location_Size_IF_Card_Size_Change(float oldWidth, float oldHeight, float newWidth, float newHeight,
                                                   char, const std::vector<GraphicPtr> &front,
                                                   const std::vector<GraphicPtr> &back)
{
    const auto percent = Card_Resize_Percentages(oldWidth, oldHeight, newWidth, newHeight);
    if (!percent) return;
    Chane_control_size_location_for_both_side(front, percent->first, percent->second);
    Chane_control_size_location_for_both_side(back, percent->first, percent->second);
}
