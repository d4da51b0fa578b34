#include "SKTZoomingScrollView.h"

#include "Globals.h"
#include "SKTRuler.h"
#include "ZoomableCardWidget.h"

#include <QComboBox>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <cmath>

const std::array<SKTZoomingScrollView::ZoomStep, 11> &SKTZoomingScrollView::zoomSteps()
{
    static const std::array<ZoomStep, 11> steps{{{"25%", 0.25},
                                                 {"50%", 0.5},
                                                 {"75%", 0.75},
                                                 {"100%", 1.0},
                                                 {"125%", 1.25},
                                                 {"150%", 1.5},
                                                 {"200%", 2.0},
                                                 {"400%", 4.0},
                                                 {"600%", 6.0},
                                                 {"800%", 8.0},
                                                 {"1000%", 10.0}}};
    return steps;
}

int SKTZoomingScrollView::zoomIndexForFactor(double factor)
{
    int best = 3;
    double bestDistance = 1e9;
    for (int i = 0; i < int(zoomSteps().size()); ++i) {
        const double d = std::abs(zoomSteps()[i].factor - factor);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

SKTZoomingScrollView::SKTZoomingScrollView(QWidget *parent) : QScrollArea(parent)
{
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(false);

    m_popUp = new QComboBox(this);
    QFont small = m_popUp->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_popUp->setFont(small);
    for (const ZoomStep &s : zoomSteps()) m_popUp->addItem(tr(s.label), s.factor);
    m_popUp->setCurrentIndex(3);
    m_popUp->setFocusPolicy(Qt::NoFocus);
    m_popUp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_popUp->setFixedWidth(m_popUp->sizeHint().width());
    addScrollBarWidget(m_popUp, Qt::AlignLeft);
    m_hRuler = new SKTRuler(Qt::Horizontal, this);
    m_vRuler = new SKTRuler(Qt::Vertical, this);
    m_hRuler->hide();
    m_vRuler->hide();
    connect(m_popUp, &QComboBox::activated, this, [this](int row) {
        const double f = zoomSteps()[row].factor;
        setFactor(f);
        emit factorChosen(f);
    });
}

void SKTZoomingScrollView::setCardView(ZoomableCardWidget *view)
{
    m_card = view;
    setWidget(view);
    // The card shows the white card shape painted behind it, not a filled widget.
    view->setAutoFillBackground(false);
    view->setZoomFactor(m_factor);
    m_hRuler->setCardView(view);
    m_vRuler->setCardView(view);
    connect(view, &ZoomableCardWidget::geometryForZoomChanged, m_hRuler, qOverload<>(&QWidget::update));
    connect(view, &ZoomableCardWidget::geometryForZoomChanged, m_vRuler, qOverload<>(&QWidget::update));
    connect(view, &ZoomableCardWidget::geometryForZoomChanged, viewport(), qOverload<>(&QWidget::update));
}

void SKTZoomingScrollView::setFactor(double factor)
{
    if (factor <= 0) return;
    m_factor = factor;
    const int row = zoomIndexForFactor(factor);
    if (std::abs(zoomSteps()[row].factor - factor) < 1e-9) m_popUp->setCurrentIndex(row);
    if (m_card) m_card->setZoomFactor(factor);
    viewport()->update();
}

bool SKTZoomingScrollView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        paintBackground();
        return true;
    }
    return QScrollArea::viewportEvent(event);
}

void SKTZoomingScrollView::setCardShape(int shape)
{
    if (m_cardShape == shape) return;
    m_cardShape = shape;
    viewport()->update();
}

void SKTZoomingScrollView::paintBackground()
{
    QPainter p(viewport());
    const QRectF area = viewport()->rect();
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, QColor::fromRgbF(0.88f, 0.88f, 0.88f));
    g.setColorAt(1, QColor::fromRgbF(0.78f, 0.78f, 0.78f));
    p.fillRect(area, g);
    if (!m_card) return;

    // The card's white shape with a soft shadow below and to the right.
    const QRectF card = QRectF(m_card->geometry());
    auto shapeOf = [&](const QRectF &r) {
        QPainterPath path;
        const double radius = 10 * m_factor;
        if (m_cardShape == 1)
            path.addRoundedRect(r, radius, radius);
        else if (m_cardShape == 2)
            path.addEllipse(r);
        else
            path.addRect(r);
        return path;
    };
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const int blur = 15;
    for (int i = blur; i > 0; i -= 3) {
        p.setBrush(QColor(0, 0, 0, int(40.0 * (blur - i + 1) / blur / 3)));
        p.drawPath(shapeOf(card.translated(3, 3).adjusted(-i / 2.0, -i / 2.0, i / 2.0, i / 2.0)));
    }
    p.setBrush(Qt::white);
    p.drawPath(shapeOf(card));
}

void SKTZoomingScrollView::setRulersVisible(bool visible)
{
    m_rulersVisible = visible;
    setViewportMargins(visible ? SKTRuler::kThickness : 0, visible ? SKTRuler::kThickness : 0, 0, 0);
    m_hRuler->setVisible(visible);
    m_vRuler->setVisible(visible);
    layoutRulers();
}

void SKTZoomingScrollView::layoutRulers()
{
    if (!m_rulersVisible) return;
    const QRect vp = viewport()->geometry();
    m_hRuler->setGeometry(vp.left(), vp.top() - SKTRuler::kThickness, vp.width(), SKTRuler::kThickness);
    m_vRuler->setGeometry(vp.left() - SKTRuler::kThickness, vp.top(), SKTRuler::kThickness, vp.height());
    m_hRuler->update();
    m_vRuler->update();
}

void SKTZoomingScrollView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    layoutRulers();
}

void SKTZoomingScrollView::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    m_hRuler->update();
    m_vRuler->update();
}
