#include "Path_Label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace {
// The narrowest a path label becomes.
constexpr int kShortestWidth = 120;
} // namespace

Path_Label::Path_Label(QWidget *parent) : QLabel(parent) {}

QSize Path_Label::minimumSizeHint() const
{
    const QSize whole = QLabel::minimumSizeHint();
    return {std::min(whole.width(), kShortestWidth), whole.height()};
}

QString Path_Label::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

bool Path_Label::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip && !text().isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(e);
}

void Path_Label::paintEvent(QPaintEvent *e)
{
    if (shownText() == text()) return QLabel::paintEvent(e);
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}
