#include "ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColorWell::ColorWell(QColor color, QWidget *parent) : QToolButton(parent), m_color(color)
{
    setIconSize(QSize(36, 16));
    paintSwatch();
    connect(this, &QToolButton::clicked, this, &ColorWell::choose);
}

void ColorWell::setColor(const QColor &color)
{
    m_color = color;
    paintSwatch();
}

void ColorWell::choose()
{
    const QColor c = QColorDialog::getColor(m_color, this, QString(), QColorDialog::ShowAlphaChannel);
    if (!c.isValid() || c == m_color) return;
    setColor(c);
    emit colorChanged(c);
}

void ColorWell::paintSwatch()
{
    QPixmap pm(iconSize());
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.fillRect(pm.rect(), m_color.isValid() ? m_color : QColor(Qt::white));
    p.setPen(Qt::gray);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    p.end();
    setIcon(QIcon(pm));
}
