#pragma once
// A ruler beside a card view: tick marks in points from the card's origin, and up to
// three echo lines that follow a control while it is moved or resized.
#include <QWidget>
#include <array>

class ZoomableCardWidget;

class SKTRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 20;
    SKTRuler(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setCardView(ZoomableCardWidget *view) { m_view = view; update(); }
    Qt::Orientation orientation() const { return m_orientation; }

    // Echo line positions in card points; -1 hides a line.
    void setEchoLines(const std::array<double, 3> &lines);
    std::array<double, 3> echoLines() const { return m_echo; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double cardToRuler(double cardCoordinate) const;

    Qt::Orientation m_orientation;
    ZoomableCardWidget *m_view = nullptr;
    std::array<double, 3> m_echo{-1, -1, -1};
};
