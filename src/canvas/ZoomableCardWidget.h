#pragma once
// A widget that shows a card of a given size in points at a zoom factor; its pixel
// size is the card size times the factor.
#include <QSizeF>
#include <QWidget>

class ZoomableCardWidget : public QWidget {
    Q_OBJECT
public:
    explicit ZoomableCardWidget(QWidget *parent = nullptr) : QWidget(parent) {}

    QSizeF cardSize() const { return m_cardSize; }
    void setCardSize(QSizeF size)
    {
        m_cardSize = size;
        updateGeometryForZoom();
    }
    double zoomFactor() const { return m_zoom; }
    void setZoomFactor(double factor)
    {
        if (factor <= 0) return;
        m_zoom = factor;
        updateGeometryForZoom();
    }
    // Card rectangle in widget pixels.
    QRectF cardRectInWidget() const { return QRectF(QPointF(0, 0), m_cardSize * m_zoom); }

signals:
    void geometryForZoomChanged();

protected:
    void updateGeometryForZoom()
    {
        setFixedSize((m_cardSize * m_zoom).toSize().expandedTo(QSize(1, 1)));
        update();
        emit geometryForZoomChanged();
    }

private:
    QSizeF m_cardSize{243, 154};
    double m_zoom = 1.0;
};
