#pragma once
// The card canvas's grid: a spacing and a colour, whether it is shown, and whether
// points snap to it. One grid serves all card views; they redraw on changed().
#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>

class QPainter;

class SKTGrid : public QObject {
    Q_OBJECT
public:
    explicit SKTGrid(QObject *parent = nullptr);

    QColor color() const { return _color; }
    void setColor(const QColor &color);
    double spacing() const { return _spacing; }
    void setSpacing(double spacing);  // no change when equal to the present spacing

    bool isAlwaysShown() const { return _isAlwaysShown; }
    // Every call reports a change, also with the value already held, so that the
    // grid settings can write colour or spacing and then call setAlwaysShown(true).
    void setAlwaysShown(bool shown);
    bool isConstraining() const { return _isConstraining; }
    void setConstraining(bool constraining);

    bool isUsable() const { return _spacing > 0; }
    bool canSetColor() const { return _isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return _isAlwaysShown || _isConstraining; }
    bool canAlign() const { return isUsable(); }

    // The point moved to the nearest grid lines (halves upward) when the grid is
    // usable and constraining; otherwise the point itself.
    QPointF constrainedPoint(QPointF point) const;
    // Origin and far corner each moved to the nearest grid lines. Callers check
    // canAlign() first.
    QRectF alignedRect(const QRectF &rect) const;

    // Draws every grid line that crosses `dirty` (card points), with a hairline pen in
    // the grid colour, when the grid is usable and shown.
    void drawRect(QPainter &painter, const QRectF &dirty) const;

signals:
    // Any of colour, spacing, shown or constraining was set.
    void changed();
    // The shown state took a new value (the main window enables align-with-grid).
    void alwaysShownChanged(bool shown);

private:
    double snapped(double c) const;

    QColor _color;
    double _spacing = 9.0;
    bool _isAlwaysShown = false;
    bool _isConstraining = false;
};
