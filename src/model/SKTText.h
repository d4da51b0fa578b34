#pragma once
// SKTText: a block of text drawn from the control's rich text (Text_contents) with
// its own font, colour, alignment, case, kerning, shadow and rotation.
#include "SKTGraphic.h"

#include <QSizeF>
#include <optional>
#include <mutex>

class SKTText : public SKTGraphic {
public:
    static std::shared_ptr<SKTText> create() { return std::static_pointer_cast<SKTText>(SKTGraphic::create(GraphicKind::Text)); }

    bool canSetDrawingStroke() const override { return false; }
    // Also the lines below the bounds when the text needs more room than the box has;
    // with a shadow, also the area the shadow may reach: the text's rectangle moved by
    // the shadow's offset and grown by its blur. Without a font of its own the lines
    // count once the control was drawn.
    QRectF drawingBounds() const override;

    QVariantMap properties() override;
    void initWithProperties(const QVariantMap &properties) override;

    // Draws, turned by text_rotation about the bounds' centre: the background, the
    // trimmed text (with its shadow) and the frame. The lines wrap at the bounds' width;
    // lines that fit the bounds are placed by the vertical alignment, lines that need
    // more height run down from the bounds' top; the bounds never change. Text that
    // trims to nothing draws the background only. While the control is being created
    // only a thin frame just outside the bounds is drawn.
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context) override;

    // The text as drawn: the rich text's string trimmed, in the case of
    // text_transfrom_case. The stored text is never changed.
    QString drawnText();
    // The drawing font: text_ctrl_font, or `defaultFont` when there is none.
    QFont drawingFont(const QFont &defaultFont) const;
    // The size the drawn text takes when its lines wrap at the bounds' width: the
    // widest line and the height of all lines (the default font being the
    // application's of the moment, or `defaultFont`).
    QSizeF naturalSize();
    QSizeF naturalSize(const QFont &defaultFont);
    // An unlocked control takes its natural size, origin kept.
    void makeNaturalSize() override;

    // How many times the text has been laid out for drawing. The layout is kept and
    // drawn again until the text, its font, case, kerning, alignment or the bounds'
    // size change.
    int layoutsMade() const { return m_layoutsMade; }

    std::optional<TextRecord> contents_val;  // rich text taken from a properties dictionary

private:
    friend class SKTGraphic;
    SKTText() : SKTGraphic(GraphicKind::Text) {}
    struct DrawnLayout;
    // The layout for the present text and settings, made when they changed. The caller
    // holds m_layoutMutex.
    const DrawnLayout &drawnLayout(const QFont &defaultFont) const;
    // The top left of the first line: the bounds' left, below the top by the vertical
    // offset of the lines when they fit the bounds, else the bounds' top left.
    QPointF linesOrigin(const DrawnLayout &drawn) const;
    // How far below the box's top its lines are laid out: past it no line meets the card.
    double linesReach() const;
    mutable std::mutex m_layoutMutex;  // drawing may run on any thread
    mutable std::shared_ptr<DrawnLayout> m_drawnLayout;
    mutable int m_layoutsMade = 0;
};

extern const QString SKTTextContentsKey;  // "contents"
