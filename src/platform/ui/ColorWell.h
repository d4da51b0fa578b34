#pragma once
// A colour button: shows its colour and opens a colour dialog when clicked.
#include <QColor>
#include <QToolButton>

class ColorWell : public QToolButton {
    Q_OBJECT
public:
    explicit ColorWell(QColor color = Qt::black, QWidget *parent = nullptr);
    QColor color() const { return m_color; }
    // Sets the colour without emitting colorChanged.
    void setColor(const QColor &color);

signals:
    void colorChanged(const QColor &color);

private:
    void choose();
    void paintSwatch();
    QColor m_color;
};
