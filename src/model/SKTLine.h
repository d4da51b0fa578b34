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

    bool canMakeNaturalSize() const override { return false; }

    // From the begin point to the end point; never rotated.
    QPainterPath bezierPathForDrawing() const override;
    // Strokes the segment with the stroke colour, width, dash code and cap style; a
    // hidden line draws nothing.
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context) override;
    // Within Line_Hit_Tolerance() of the segment, so that horizontal and vertical lines
    // (whose bounds are empty) can be clicked too.
    bool isContentsUnderPoint(QPointF point) const override;
    // Half the stroke width, and never less than 3 points.
    double Line_Hit_Tolerance() const;
    // 1 on the begin handle (it wins where both overlap), 2 on the end handle, else 0.
    int handleUnderPoint(QPointF point) const override;
    void drawHandlesInView(QPainter &painter, bool locked) const override;
    // Handle 1 moves the begin point, handle 2 the end point; the handle never changes
    // (dragging an end across the other turns the direction flags instead).
    int resizeByMovingHandle(int handle, QPointF point) override;
    int creationSizingHandle() const override { return 2; }

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
