#include "SKTText.h"

#include "CardTextLayout.h"
#include "DropShadow.h"
#include "Helpers.h"
#include "Rotation.h"
#include "StrokeStyles.h"
#include "TsanHandoff.h"

#include <QCoreApplication>
#include <QPainter>
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

QStringList SKTText::keysForValuesToObserveForUndo() const
{
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    // While the height follows the text, that bounds change is not the user's.
    if (_boundsBeingChangedToMatchContents) keys.removeAll(SKTGraphicBoundsKey);
    return keys;
}

QRectF SKTText::drawingBounds() const
{
    QRectF r = SKTGraphic::drawingBounds();
    if (!Drawing_Shadow) return r;
    // As the shadow is drawn: the lines' rectangle grown by 2, then by twice the blur
    // and 2 more, moved by the offset (its y counts upward).
    const double reach = 2 * std::max(0.0, double(Shadow_blur)) + 4 + 1;
    const QRectF text = Rotated_Path_Rect(bounds(), text_rotation);
    return r.united(text.translated(Shadow_offset_X, -Shadow_offset_Y).adjusted(-reach, -reach, reach, reach));
}

// ---- Text as drawn ----

namespace {
// The text Text_contents() holds, read without making the rich text (whose default
// font is a look-up in the font database).
const QString &contentsText(const SKTGraphic &g) { return g._Text_contents ? g._Text_contents->text : g.Text_Value; }
} // namespace

QString SKTText::drawnText() { return Text_With_Case(Trim_Str(contentsText(*this)), text_transfrom_case); }

QFont SKTText::drawingFont(const QFont &defaultFont) const { return text_ctrl_font ? *text_ctrl_font : defaultFont; }

QSizeF SKTText::naturalSize()
{
    // Measured as drawn (font, case, kerning and trimming), so the size fits what is seen.
    CardTextLayout layout(drawnText(), drawingFont(Application_Default_Font()), text_alignmnet, text_kerning);
    layout.layOut(bounds().width());
    return QSizeF(std::ceil(layout.usedWidth()), layout.height());
}

void SKTText::makeNaturalSize()
{
    if (ctrl_is_locked) return;
    setBounds(QRectF(bounds().topLeft(), naturalSize()));
}

void SKTText::setHeightToMatchContents()
{
    const QRectF b = bounds();
    const double h = naturalSize().height();
    _boundsBeingChangedToMatchContents = true;
    setBounds(QRectF(b.x(), b.y(), b.width(), h));
    _boundsBeingChangedToMatchContents = false;
}

void SKTText::textStorageDidProcessEditing()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) return;
    // Queued to the application's thread, also when the text was set on a worker.
    QMetaObject::invokeMethod(
        app,
        Handed_Over(app, [this, alive = std::weak_ptr<char>(m_lifetime)] {
            if (alive.lock()) setHeightToMatchContents();
        }),
        Qt::QueuedConnection);
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

// The drawn text laid out once for what it depends on. Lines stop at the bottom of the
// box, so a long text costs only what the box shows.
struct SKTText::DrawnLayout {
    // What the layout was made from.
    QString source;
    int caseCode;
    QFont font;
    int alignment;
    float kerning;
    QSizeF boxSize;
    int vertical;

    std::weak_ptr<const char> thread;  // the thread that made it

    QString text;  // as drawn: trimmed, in its case
    double unwrappedHeight = 0;
    std::unique_ptr<CardTextLayout> lines;

    bool madeFrom(const SKTText &g, const QString &src, const QFont &f) const
    {
        return thread.lock() == currentThreadToken() && source == src && caseCode == g.text_transfrom_case && font == f && alignment == g.text_alignmnet &&
               std::memcmp(&kerning, &g.text_kerning, sizeof kerning) == 0 && boxSize == g.bounds().size() &&
               vertical == g.text_alignmnet_Vert;
    }
};

const SKTText::DrawnLayout &SKTText::drawnLayout(const QFont &defaultFont)
{
    const QString &source = contentsText(*this);
    const QFont font = drawingFont(defaultFont);
    if (m_drawnLayout && m_drawnLayout->madeFrom(*this, source, font)) return *m_drawnLayout;
    ++m_layoutsMade;
    const QSizeF box = bounds().size();
    auto d = std::make_shared<DrawnLayout>(
        DrawnLayout{source, text_transfrom_case, font, text_alignmnet, text_kerning, box, text_alignmnet_Vert,
                    currentThreadToken(), drawnText(), 0, nullptr});
    if (!d->text.isEmpty()) {
        // The lines start below the box's top by the vertical offset (which needs the
        // height of the unwrapped text) and end at its bottom.
        double offset = 0;
        if (text_alignmnet_Vert == 1 || text_alignmnet_Vert == 2) {
            CardTextLayout unwrapped(d->text, font, text_alignmnet, text_kerning);
            unwrapped.layOut(0);
            d->unwrappedHeight = unwrapped.height();
            offset = box.height() - d->unwrappedHeight;
            if (text_alignmnet_Vert == 2) offset /= 2;
        }
        d->lines = std::make_unique<CardTextLayout>(d->text, font, text_alignmnet, text_kerning);
        d->lines->layOut(box.width(), box.height() - offset);
    }
    m_drawnLayout = std::move(d);
    return *m_drawnLayout;
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
    const double th = drawn.unwrappedHeight;
    double top = b.y();
    if (text_alignmnet_Vert == 1)
        top = b.y() + (b.height() - th);
    else if (text_alignmnet_Vert == 2)
        top = b.y() + (b.height() - th) / 2;
    const QPointF origin(float(b.x()), float(top));

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
