#pragma once
// SKTText: a block of text drawn from the control's rich text (Text_contents) with
// its own font, colour, alignment, case, kerning, shadow and rotation.
#include "SKTGraphic.h"

#include <QSizeF>
#include <mutex>

class SKTText : public SKTGraphic {
public:
    static std::shared_ptr<SKTText> create() { return std::static_pointer_cast<SKTText>(SKTGraphic::create(GraphicKind::Text)); }

    bool canSetDrawingStroke() const override { return false; }
    // With a shadow, also the area the shadow may reach: the text's rectangle moved by
    // the shadow's offset and grown by its blur.
    QRectF drawingBounds() const override;

    QVariantMap properties() override;
    void initWithProperties(const QVariantMap &properties) override;
    QStringList keysForValuesToObserveForUndo() const override;

    // Draws, turned by text_rotation about the bounds' centre: the background, the
    // trimmed text (with its shadow) and the frame. Text that trims to nothing draws
    // the background only. While the control is being created only a thin frame just
    // outside the bounds is drawn.
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context) override;

    // The text as drawn: the rich text's string trimmed, in the case of
    // text_transfrom_case. The stored text is never changed.
    QString drawnText();
    // The drawing font: text_ctrl_font, or `defaultFont` when there is none.
    QFont drawingFont(const QFont &defaultFont) const;
    // The size the drawn text takes when its lines wrap at the bounds' width: the
    // widest line and the height of all lines (the default font being the
    // application's of the moment).
    QSizeF naturalSize();
    // An unlocked control takes its natural size, origin kept.
    void makeNaturalSize() override;
    // Gives the control its natural height (origin and width kept); the bounds change
    // is not the user's, so undo does not record it.
    void setHeightToMatchContents();
    // For an editor of the rich text to call when an edit is done: the height follows
    // the text on the next turn of the event loop. Set_text_value does not call it, so
    // values from panels and data sources keep the designed bounds.
    void textStorageDidProcessEditing();

    // How many times the text has been laid out for drawing. The layout is kept and
    // drawn again until the text, its font, case, kerning, alignment or the bounds'
    // size change.
    int layoutsMade() const { return m_layoutsMade; }

    std::optional<TextRecord> contents_val;  // rich text taken from a properties dictionary

private:
    friend class SKTGraphic;
    SKTText() : SKTGraphic(GraphicKind::Text) {}
    struct DrawnLayout;
    // The layout for the present text and settings, made when they changed.
    const DrawnLayout &drawnLayout(const QFont &defaultFont);
    std::mutex m_layoutMutex;  // drawing may run on any thread
    std::shared_ptr<DrawnLayout> m_drawnLayout;
    int m_layoutsMade = 0;
    // Expires with the control, so that a deferred height change can tell it is gone.
    std::shared_ptr<char> m_lifetime = std::make_shared<char>();
};

extern const QString SKTTextContentsKey;  // "contents"
