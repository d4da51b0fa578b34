#include "SKTText.h"

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
