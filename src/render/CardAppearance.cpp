#include "CardAppearance.h"

#include "Card_Property.h"
#include "Globals.h"
#include "Log.h"
#include "PointText.h"
#include "StrokeStyles.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTextLayout>

namespace {
QColor withOpacity(QColor c, double alpha)
{
    if (!c.isValid()) c = Qt::white;
    c.setAlphaF(float(Clamp_Opacity(alpha) * c.alphaF()));
    return c;
}

void drawBackgroundPicture(QPainter &p, const Card_Property &prop, const QRectF &card, double alpha)
{
    QImage img = prop.Card_BG_Image().image();
    if (img.isNull() && !prop.Card_BG_Image_Path().isEmpty()) img = QImage(prop.Card_BG_Image_Path());
    if (img.isNull()) return;
    p.setOpacity(Clamp_Opacity(alpha));
    if (prop.Card_BG_Image_Layout() == QLatin1String("Tile")) {
        const QSizeF pts = prop.Card_BG_Image().isNull() ? QSizeF(img.size()) : prop.Card_BG_Image().size();
        QBrush brush(img);
        QTransform t;
        t.translate(card.left(), card.top());
        t.scale(pts.width() / img.width(), pts.height() / img.height());
        brush.setTransform(t);
        p.fillRect(card, brush);
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(card, img);
    }
    p.setOpacity(1.0);
}
} // namespace

int Card_Shape_Number(const QString &shapeCode)
{
    if (shapeCode == QLatin1String("RR")) return 1;
    if (shapeCode == QLatin1String("E")) return 2;
    return 0;
}

QPainterPath Card_Shape_Path(const QString &shapeCode, const QRectF &card)
{
    QPainterPath path;
    switch (Card_Shape_Number(shapeCode)) {
    case 1: path.addRoundedRect(card, 10, 10); break;
    case 2: path.addEllipse(card); break;
    default: path.addRect(card); break;
    }
    return path;
}

void Draw_Card_Base(QPainter &p, const Card_Property &prop, const QRectF &card, const RenderResources &resources)
{
    if (!prop.Card_fill_chk()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = Card_Shape_Path(prop.Card_Shape(), card);
    p.setClipPath(shape, Qt::IntersectClip);
    const double alpha = prop.Card_alpha_Stepper();
    const QString style = prop.Card_fill_style();
    if (style == QLatin1String("G")) {
        const auto [from, to] = Gradient_End_Points(card, prop.Card_grad_Stepper());
        QLinearGradient g(from, to);
        g.setColorAt(0, withOpacity(prop.Card_fill_Grd_1_clr(), alpha));
        g.setColorAt(1, withOpacity(prop.Card_fill_Grd_2_clr(), alpha));
        p.fillPath(shape, g);
    } else if (style == QLatin1String("H")) {
        p.fillPath(shape, withOpacity(prop.Card_hatch_bk_clr(), alpha));
        const QImage hatch = Hatch_Pattern_Picture(resources.fillStyleFolder, prop.Card_hatch_style());
        if (!hatch.isNull()) {
            QBrush brush(hatch);
            brush.setTransform(QTransform::fromTranslate(card.left(), card.top()));
            p.setOpacity(Clamp_Opacity(alpha));
            p.fillPath(shape, brush);
            p.setOpacity(1);
        }
    } else if (style == QLatin1String("I")) {
        drawBackgroundPicture(p, prop, card, alpha);
    } else {
        // The solid colour carries its own transparency (the panel stores it so).
        QColor c = prop.Card_fill_clr();
        p.fillPath(shape, c.isValid() ? c : QColor(Qt::white));
    }
    p.restore();
}

void Draw_Card_Border(QPainter &p, const Card_Property &prop, const QRectF &card, const RenderResources &resources)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (prop.Card_border_chk() && prop.Card_bor_Stepper() > 0) {
        const double w = prop.Card_bor_Stepper();
        QPen pen(prop.Card_bordr_clr().isValid() ? prop.Card_bordr_clr() : QColor(Qt::black), w);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setCapStyle(Qt::FlatCap);
        Apply_Dash_Code(pen, prop.Card_border_style());
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // Inset by half the width so the whole line lies on the card.
        p.drawPath(Card_Shape_Path(prop.Card_Shape(), card.adjusted(w / 2, w / 2, -w / 2, -w / 2)));
    }
    if (prop.Watermark_Used() && !prop.Watermark_Text().isEmpty()) {
        const QFont font = prop.Watermark_Font() ? *prop.Watermark_Font()
                                                   : Font_With_Name(resources.defaultFontName, resources.defaultFontSize);
        QColor c = prop.Watermark_Color().isValid() ? prop.Watermark_Color() : QColor(Qt::black);
        c.setAlphaF(float(Clamp_Opacity(prop.Watermark_Transp())));
        p.setPen(c);
        // Laid out in points like the card's text, whatever resolution the target
        // records: a 300 dpi picture or a printer shows the same size as the canvas.
        QTextLayout layout(prop.Watermark_Text(), Point_Layout_Font(font, 0));
        QTextOption option(Qt::AlignLeft);
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (line.isValid()) line.setPosition(QPointF(0, 0));
        layout.endLayout();
        if (line.isValid()) {
            const double textHeight = line.height();
            double top = card.top();
            if (prop.Watermark_Alignment() == 1) top += (card.height() - textHeight) / 2;
            else if (prop.Watermark_Alignment() == 2) top += card.height() - textHeight;
            const double left = card.left() + (card.width() - line.naturalTextWidth()) / 2;
            layout.draw(&p, QPointF(left, top));
        }
    }
    p.restore();
}
