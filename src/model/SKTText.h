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
    // Also the lines where the vertical offset puts them, below (or above) the bounds
    // when the text needs more room than the box has; with a shadow, also the area the
    // shadow may reach: the text's rectangle moved by the shadow's offset and grown by
    // its blur. Without a font of its own the lines count once the control was laid
    // out (drawn, or its height matched to the text).
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
    // application's of the moment, or `defaultFont`).
    QSizeF naturalSize();
    QSizeF naturalSize(const QFont &defaultFont);
    // An unlocked control takes its natural size, origin kept.
    void makeNaturalSize() override;
    // Bounds of another height are the height given to the text.
    void setBounds(const QRectF &bounds) override;
    // Gives the control its natural height (origin and width kept), never less than the
    // height it was given (drawn, typed or restored), so a value that fits keeps its
    // place beside its caption; the bounds change is not the user's, so undo does not
    // record it. With `defaultFont` for a text
    // without a font of its own it reads no application values, so a thread that owns
    // a copy of a card may match its texts before drawing them.
    void setHeightToMatchContents();
    void setHeightToMatchContents(const QFont &defaultFont);
    // The height follows the text on the next turn of the event loop. A card side calls
    // it when Set_text_value changes the text (a run's copy of a card matches its
    // texts before drawing instead); an editor of the rich text when an edit is done.
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
    // The layout for the present text and settings, made when they changed. The caller
    // holds m_layoutMutex.
    const DrawnLayout &drawnLayout(const QFont &defaultFont) const;
    // The top left of the first line: the bounds' left, below the top by the vertical
    // offset of the layout's unwrapped text.
    QPointF linesOrigin(const DrawnLayout &drawn) const;
    mutable std::mutex m_layoutMutex;  // drawing may run on any thread
    mutable std::shared_ptr<DrawnLayout> m_drawnLayout;
    mutable int m_layoutsMade = 0;
    // Expires with the control, so that a deferred height change can tell it is gone.
    std::shared_ptr<char> m_lifetime = std::make_shared<char>();
    // The height given to the text before its height first followed its value.
    std::optional<double> m_heightGiven;
};

extern const QString SKTTextContentsKey;  // "contents"
