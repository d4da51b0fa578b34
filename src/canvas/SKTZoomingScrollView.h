#pragma once
// The scroll view that holds a card view: a zoom pop-up at the left end of the
// horizontal scroll bar, the card centred on a grey gradient with a drop shadow.
#include <QScrollArea>
#include <array>

class QComboBox;
class SKTRuler;
class ZoomableCardWidget;

class SKTZoomingScrollView : public QScrollArea {
    Q_OBJECT
public:
    struct ZoomStep {
        const char *label;
        double factor;
    };
    static const std::array<ZoomStep, 11> &zoomSteps();
    // Row of the zoom table for a factor (the nearest one).
    static int zoomIndexForFactor(double factor);

    explicit SKTZoomingScrollView(QWidget *parent = nullptr);

    void setCardView(ZoomableCardWidget *view);
    ZoomableCardWidget *cardView() const { return m_card; }
    // The shape of the card's white base and its shadow: 0 rectangle, 1 rounded
    // rectangle, 2 ellipse.
    void setCardShape(int shape);
    int cardShape() const { return m_cardShape; }

    double factor() const { return m_factor; }
    void setFactor(double factor);
    QComboBox *factorPopUp() const { return m_popUp; }

    // Rulers along the top and left edges.
    void setRulersVisible(bool visible);
    bool rulersVisible() const { return m_rulersVisible; }
    SKTRuler *horizontalRuler() const { return m_hRuler; }
    SKTRuler *verticalRuler() const { return m_vRuler; }

signals:
    // The user chose a factor in the pop-up.
    void factorChosen(double factor);

protected:
    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void paintBackground();

    ZoomableCardWidget *m_card = nullptr;
    QComboBox *m_popUp = nullptr;
    double m_factor = 1.0;
    int m_cardShape = 0;
    bool m_rulersVisible = false;
    SKTRuler *m_hRuler = nullptr;
    SKTRuler *m_vRuler = nullptr;
    void layoutRulers();
};
