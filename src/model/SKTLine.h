#pragma once
// SKTLine: one straight segment, kept as the bounds plus two direction flags that say
// which corner of the bounds is the start.
#include "SKTGraphic.h"

class SKTLine : public SKTGraphic {
public:
    static std::shared_ptr<SKTLine> create() { return std::static_pointer_cast<SKTLine>(SKTGraphic::create(GraphicKind::Line)); }

    QPointF beginPoint() const;
    QPointF endPoint() const;
    void setBeginPoint(const QPointF &p);
    void setEndPoint(const QPointF &p);
    // The bounds of the segment from `begin` to `end`; the flags (when given) say whether
    // the end lies strictly right of / below the begin.
    static QRectF boundsWithBeginPoint(const QPointF &begin, const QPointF &end, bool *pointsRight, bool *pointsDown);

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return true; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    void setColor(const QColor &color) override { setStrokeColor(color); }

    QVariantMap properties() override;
    void initWithProperties(const QVariantMap &properties) override;
    QStringList keysForValuesToObserveForUndo() const override;

    bool _pointsRight{};  // the segment starts at the left edge of the bounds
    bool _pointsDown{};   // the segment starts at the top edge of the bounds

private:
    friend class SKTGraphic;
    SKTLine() : SKTGraphic(GraphicKind::Line) {}
};

extern const QString SKTLineBeginPointKey;  // "beginPoint"
extern const QString SKTLineEndPointKey;    // "endPoint"
