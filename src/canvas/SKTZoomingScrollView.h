#pragma once
// The scroll view that holds a card view: a zoom pop-up at the left end of the
// horizontal scroll bar, the card centred on a grey gradient with a drop shadow.
#include <QScrollArea>
#include <array>

class QComboBox;
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

    double factor() const { return m_factor; }
    void setFactor(double factor);
    QComboBox *factorPopUp() const { return m_popUp; }

signals:
    // The user chose a factor in the pop-up.
    void factorChosen(double factor);

protected:
    bool viewportEvent(QEvent *event) override;

private:
    void paintBackground();

    ZoomableCardWidget *m_card = nullptr;
    QComboBox *m_popUp = nullptr;
    double m_factor = 1.0;
};
