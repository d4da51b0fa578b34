#include "Scroll_Panel.h"

#include <QAbstractSpinBox>
#include <QChildEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace {
// The room a window manager's frame takes: a border on each side and the title bar.
constexpr QSize kFrameRoom{2 * 4, 32 + 4};

// A field whose value the wheel turns: a slider (not a scroll bar), a list or a number.
bool turnedByWheel(const QWidget &w)
{
    if (qobject_cast<const QScrollBar *>(&w)) return false;
    return qobject_cast<const QAbstractSlider *>(&w) || qobject_cast<const QComboBox *>(&w) ||
           qobject_cast<const QAbstractSpinBox *>(&w);
}

// Watches every widget of a scroll area's page, those added later too: a wheel over an
// unfocused field goes to the page instead, and no widget takes the focus by the wheel.
class Page_Wheel : public QObject {
public:
    explicit Page_Wheel(QAbstractScrollArea &area) : QObject(&area), m_area(area) { watch(area.viewport()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w) return false;
        switch (event->type()) {
        case QEvent::ChildAdded:
        case QEvent::ChildPolished:
            if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child())) watch(child);
            return false;
        case QEvent::Polish:
            // After the widget's own constructor, which may have set its policy.
            noWheelFocus(*w);
            return false;
        case QEvent::Wheel:
            if (!turnedByWheel(*w) || w->hasFocus()) return false;
            toPage(*static_cast<QWheelEvent *>(event));
            return true;
        default:
            return false;
        }
    }

private:
    // The widget and all under it, except windows of their own (a list's pop-up).
    void watch(QWidget *w)
    {
        if (w->isWindow()) return;
        w->installEventFilter(this);
        noWheelFocus(*w);
        for (QObject *child : w->children())
            if (auto *cw = qobject_cast<QWidget *>(child)) watch(cw);
    }

    static void noWheelFocus(QWidget &w)
    {
        if (w.focusPolicy() == Qt::WheelFocus) w.setFocusPolicy(Qt::StrongFocus);
    }

    // The page scrolls as for a wheel over its empty part.
    void toPage(const QWheelEvent &e)
    {
        QWidget *viewport = m_area.viewport();
        QWheelEvent onPage(viewport->mapFromGlobal(e.globalPosition()), e.globalPosition(), e.pixelDelta(),
                           e.angleDelta(), e.buttons(), e.modifiers(), e.phase(), e.inverted(), e.source(),
                           e.pointingDevice());
        QCoreApplication::sendEvent(viewport, &onPage);
    }

    QAbstractScrollArea &m_area;
};
} // namespace

Scroll_Panel::Scroll_Panel(QWidget *content, int smallestHeight, QWidget *parent)
    : QScrollArea(parent), m_smallestHeight(smallestHeight)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(content);
    Wheel_Scrolls_Page(*this);
}

QSize Scroll_Panel::sizeHint() const
{
    const QWidget *content = widget();
    if (!content) return QScrollArea::sizeHint();
    const int frame = 2 * frameWidth();
    return content->sizeHint().expandedTo(content->minimumSizeHint()) + QSize(frame, frame);
}

QSize Scroll_Panel::minimumSizeHint() const
{
    const QWidget *content = widget();
    if (!content) return QScrollArea::minimumSizeHint();
    // Room for the vertical scroll bar beside the content's smallest width, so that
    // shrinking the height never hides a part of a line.
    const int frame = 2 * frameWidth();
    const int bar = verticalScrollBar()->sizeHint().width();
    const QSize content_min = content->minimumSizeHint();
    if (m_smallestHeight == kFewLines) {
        const QSize few = QScrollArea::minimumSizeHint();
        return {std::max(few.width(), content_min.width() + bar + frame), few.height()};
    }
    return {content_min.width() + bar + frame, std::min(m_smallestHeight, content_min.height()) + frame};
}

Scroll_Panel *Scrolling(QLayout *layout, int smallestHeight)
{
    auto *content = new QWidget;
    layout->setContentsMargins(0, 0, 0, 0);
    content->setLayout(layout);
    return new Scroll_Panel(content, smallestHeight);
}

Scroll_Panel *Scrolling_Page(QWidget *page)
{
    return new Scroll_Panel(page, Scroll_Panel::kFewLines);
}

void Wheel_Scrolls_Page(QAbstractScrollArea &area)
{
    for (QObject *child : area.children())
        if (dynamic_cast<Page_Wheel *>(child)) return;
    new Page_Wheel(area);
}

QSize Opening_Size_Within(const QSize &wanted, const QSize &smallest, const QSize &available)
{
    return wanted.boundedTo(available - kFrameRoom).expandedTo(smallest);
}

void Open_Within_Screen(QWidget &window, QSize wanted)
{
    if (QLayout *layout = window.layout()) layout->activate();
    const QScreen *screen = window.screen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1366, 728);
    if (!wanted.isValid()) wanted = window.sizeHint();
    window.resize(Opening_Size_Within(wanted, window.minimumSizeHint(), available));
}
