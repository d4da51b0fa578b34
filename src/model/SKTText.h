#pragma once
// SKTText: a block of text drawn from the control's rich text (Text_contents) with
// its own font, colour, alignment, case, kerning, shadow and rotation.
#include "SKTGraphic.h"

class SKTText : public SKTGraphic {
public:
    static std::shared_ptr<SKTText> create() { return std::static_pointer_cast<SKTText>(SKTGraphic::create(GraphicKind::Text)); }

    bool canSetDrawingStroke() const override { return false; }

    QVariantMap properties() override;
    void initWithProperties(const QVariantMap &properties) override;
    QStringList keysForValuesToObserveForUndo() const override;

    std::optional<TextRecord> contents_val;  // rich text taken from a properties dictionary

private:
    friend class SKTGraphic;
    SKTText() : SKTGraphic(GraphicKind::Text) {}
};

extern const QString SKTTextContentsKey;  // "contents"
