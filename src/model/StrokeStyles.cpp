#include "StrokeStyles.h"

QVector<qreal> Dash_Lengths_For_Code(const QString &code)
{
    if (code == QLatin1String("DA")) return {8, 2};
    if (code == QLatin1String("DO")) return {4, 6};
    if (code == QLatin1String("DD")) return {24, 10, 6, 10};
    if (code == QLatin1String("DDD")) return {24, 8, 8, 8, 8, 8};
    return {};
}

void Apply_Dash_Code(QPen &pen, const QString &code)
{
    QVector<qreal> lengths = Dash_Lengths_For_Code(code);
    if (lengths.isEmpty()) {
        pen.setStyle(Qt::SolidLine);
        return;
    }
    const qreal width = pen.widthF() > 0 ? pen.widthF() : 1.0;
    for (qreal &l : lengths) l /= width;
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern(lengths);
    pen.setDashOffset(0);
}
