#include "Scroll_Panel.h"

#include <QLayout>
#include <QScreen>
#include <QScrollBar>

namespace {
// The room a window manager's frame takes: a border on each side and the title bar.
constexpr QSize kFrameRoom{2 * 4, 32 + 4};
} // namespace

Scroll_Panel::Scroll_Panel(QWidget *content, int smallestHeight, QWidget *parent)
    : QScrollArea(parent), m_smallestHeight(smallestHeight)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(content);
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
