#include "SKTText.h"

#include "CardTextLayout.h"
#include "DropShadow.h"
#include "Helpers.h"
#include "Rotation.h"
#include "StrokeStyles.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

const QString SKTTextContentsKey = QStringLiteral("contents");

QVariantMap SKTText::properties()
{
    QVariantMap p = SKTGraphic::properties();
    p.insert(SKTTextContentsKey, QVariant::fromValue(Text_contents()));
    return p;
}

void SKTText::initWithProperties(const QVariantMap &properties)
{
    SKTGraphic::initWithProperties(properties);
    const QVariant v = properties.value(SKTTextContentsKey);
    if (v.metaType() == QMetaType::fromType<TextRecord>()) contents_val = v.value<TextRecord>();
}

// ---- Text as drawn ----

namespace {
// The text Text_contents() holds, read without making the rich text (whose default
// font is a look-up in the font database).
const QString &contentsText(const SKTGraphic &g) { return g._Text_contents ? g._Text_contents->text : g.Text_Value; }
} // namespace

QString SKTText::drawnText() { return Text_With_Case(Trim_Str(contentsText(*this)), text_transfrom_case); }

QFont SKTText::drawingFont(const QFont &defaultFont) const { return text_ctrl_font ? *text_ctrl_font : defaultFont; }

QSizeF SKTText::naturalSize() { return naturalSize(Application_Default_Font()); }

QSizeF SKTText::naturalSize(const QFont &defaultFont)
{
    // Measured as drawn (font, case, kerning and trimming), so the size fits what is seen.
    CardTextLayout layout(drawnText(), drawingFont(defaultFont), text_alignmnet, text_kerning);
    layout.layOut(bounds().width());
    return QSizeF(std::ceil(layout.usedWidth()), layout.height());
}

void SKTText::makeNaturalSize()
{
    if (ctrl_is_locked) return;
    setBounds(QRectF(bounds().topLeft(), naturalSize()));
}

// ---- Drawing ----

namespace {
// A token of the running thread that expires with it. A text layout holds the fonts
// of the thread that made it, and those go when the thread ends, so a layout is drawn
// again only on its own thread.
std::shared_ptr<const char> currentThreadToken()
{
    thread_local const std::shared_ptr<const char> token = std::make_shared<const char>();
    return token;
}
} // namespace

// The drawn text laid out once for what it depends on. The lines wrap at the box's
// width and stop once they pass the card's reach below the box's top, so a long text
// costs only what a card can show.
struct SKTText::DrawnLayout {
    // What the layout was made from.
    QString source;
    int caseCode;
    QFont font;
    int alignment;
    float kerning;
    QSizeF boxSize;
    double reach;

    std::weak_ptr<const char> thread;  // the thread that made it

    QString text;  // as drawn: trimmed, in its case
    std::unique_ptr<CardTextLayout> lines;
    QRectF linesArea;  // of the lines, the first one's top left at (0, 0)

    // Made for the present text and settings, in some font on some thread.
    bool madeForText(const SKTText &g, const QString &src) const
    {
        return source == src && caseCode == g.text_transfrom_case && alignment == g.text_alignmnet &&
               std::memcmp(&kerning, &g.text_kerning, sizeof kerning) == 0 && boxSize == g.bounds().size() &&
               reach == g.linesReach();
    }
    bool madeFrom(const SKTText &g, const QString &src, const QFont &f) const
    {
        return thread.lock() == currentThreadToken() && font == f && madeForText(g, src);
    }
};

const SKTText::DrawnLayout &SKTText::drawnLayout(const QFont &defaultFont) const
{
    const QString &source = contentsText(*this);
    const QFont font = drawingFont(defaultFont);
    if (m_drawnLayout && m_drawnLayout->madeFrom(*this, source, font)) return *m_drawnLayout;
    ++m_layoutsMade;
    const QSizeF box = bounds().size();
    auto d = std::make_shared<DrawnLayout>(
        DrawnLayout{source, text_transfrom_case, font, text_alignmnet, text_kerning, box, linesReach(),
                    currentThreadToken(), Text_With_Case(Trim_Str(source), text_transfrom_case), nullptr, QRectF()});
    if (!d->text.isEmpty()) {
        d->lines = std::make_unique<CardTextLayout>(d->text, font, text_alignmnet, text_kerning);
        d->lines->layOut(box.width(), d->reach);
        d->linesArea = d->lines->linesRect(QPointF(0, 0));
    }
    m_drawnLayout = std::move(d);
    return *m_drawnLayout;
}

double SKTText::linesReach() const
{
    // Whatever the rotation about the box's centre, a line further below the box's top
    // than the box's height and the card's diagonal lies off a card the centre is on.
    const QRectF card = cardBounds();
    return bounds().height() + std::hypot(card.width(), card.height());
}

QPointF SKTText::linesOrigin(const DrawnLayout &drawn) const
{
    const QRectF b = bounds();
    const double room = b.height() - drawn.lines->height();
    double top = b.y();
    // Lines that need more height than the box has run down from its top. A line may
    // pass the box by rounding, not by a visible amount.
    if (room > -0.01) {
        if (text_alignmnet_Vert == 1)
            top = b.y() + room;
        else if (text_alignmnet_Vert == 2)
            top = b.y() + room / 2;
    }
    return QPointF(float(b.x()), float(top));
}

QRectF SKTText::drawingBounds() const
{
    QRectF r = SKTGraphic::drawingBounds();
    const QRectF b = bounds();
    QRectF text = Rotated_Path_Rect(b, text_rotation);
    QRectF lines;
    {
        // The lines as drawn, where the vertical alignment puts them.
        std::lock_guard lock(m_layoutMutex);
        const DrawnLayout *drawn = nullptr;
        if (text_ctrl_font)
            drawn = &drawnLayout(*text_ctrl_font);
        else if (m_drawnLayout && m_drawnLayout->madeForText(*this, contentsText(*this)))
            drawn = m_drawnLayout.get();
        if (drawn && drawn->lines) lines = drawn->linesArea.translated(linesOrigin(*drawn));
    }
    if (!lines.isEmpty() && !b.contains(lines)) {
        const QTransform rotation = RotationTransform(text_rotation, float(b.x() + b.width() / 2), float(b.y() + b.height() / 2));
        text = text.united(rotation.mapRect(lines));
        const double margin = SKTGraphicHandleHalfWidth + 1;
        r = r.united(text.adjusted(-margin, -margin, margin, margin));
    }
    if (!Drawing_Shadow) return r;
    // As the shadow is drawn: the lines' rectangle grown by 2, then by twice the blur
    // and 2 more, moved by the offset (its y counts upward).
    const double reach = 2 * std::max(0.0, double(Shadow_blur)) + 4 + 1;
    return r.united(text.translated(Shadow_offset_X, -Shadow_offset_Y).adjusted(-reach, -reach, reach, reach));
}

void SKTText::drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context)
{
    if (!ctrl_is_visible) return;
    const QPainterPath outline = Rotated_Control_Path();
    const QRectF b = bounds();
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    if (isBeingCreateOrEdited) {
        QPen knob(QColor(0, 0, 0, 128), 1.0);
        painter.setPen(knob);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(b.adjusted(-1, -1, 1, 1));
        painter.restore();
        return;
    }

    if (isDrawingFill()) {
        // The hatch kind has no meaning for text: its background is the plain colour.
        if (fill_type() == QLatin1String("H"))
            painter.fillPath(outline, fillColor());
        else
            Fill_Path_With_Control_Fill(painter, outline, *this, context);
    }

    std::lock_guard lock(m_layoutMutex);
    const DrawnLayout &drawn = drawnLayout(text_ctrl_font ? *text_ctrl_font : context.defaultFont());
    if (drawn.text.isEmpty()) {
        painter.restore();
        return;
    }

    const CardTextLayout &layout = *drawn.lines;
    const QPointF origin = linesOrigin(drawn);

    const QTransform rotation = RotationTransform(text_rotation, float(b.x() + b.width() / 2), float(b.y() + b.height() / 2));
    auto paintText = [&](QPainter &p) {
        p.save();
        p.setTransform(rotation, true);
        layout.draw(p, origin);
        p.restore();
    };

    if (Drawing_Shadow) {
        // The shadow colour takes the shadow's opacity and keeps it. The offset's y
        // counts upward on the card, whatever the rotation.
        QColor shadow = Shadow_Color.isValid() ? Shadow_Color : QColor(Qt::black);
        shadow.setAlphaF(float(Clamp_Opacity(Shadow_transparency)));
        Shadow_Color = shadow;
        const QRectF area = rotation.mapRect(layout.linesRect(origin)).adjusted(-2, -2, 2, 2);
        Draw_Drop_Shadow(painter, area, shadow, Shadow_blur, QPointF(Shadow_offset_X, -Shadow_offset_Y), paintText);
    }

    painter.setPen(txt_clr.isValid() ? txt_clr : QColor(Qt::black));
    paintText(painter);

    if (isDrawingStroke()) {
        painter.setPen(Control_Stroke_Pen(*this));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(outline);
    }
    painter.restore();
}
