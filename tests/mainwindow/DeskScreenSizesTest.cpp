// The desk on the screens it is used on: every caption of the visitor panels shows
// whole and every command is one click away, with no overflow menu.
#include "Profile_Panel.h"
#include "SKTWindowController.h"
#include "Shots.h"
#include "TestWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
// The room a line edit gives its text, as its style lays it out.
int textRoom(const QLineEdit &box)
{
    QStyleOptionFrame frame;
    frame.initFrom(&box);
    frame.rect = box.rect();
    frame.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &box);
    const QRect contents =
        box.style()->subElementRect(QStyle::SE_LineEditContents, &frame, &box).marginsRemoved(box.textMargins());
    return contents.width() - 2 * 2;  // the line edit's own margin on each side
}
} // namespace

TEST(DeskScreenSizes, CaptionsShowWholeAndEveryCommandIsOneClickAway)
{
    TestWindow w;
    w.document.Start_Card_Option = Card_Mode::Visitor;
    Set_Field_Captions(Caption_Wording::General_ID_Card);
    w.controller.Select_front_side();
    QMainWindow *window = w.controller.ui.window;
    window->setWindowState(Qt::WindowNoState);  // sized by hand, not maximised
    window->show();
    // Narrower and wider again: the bars go to rows of their own and come back.
    for (const QSize screen : {QSize(1920, 1080), QSize(1366, 768), QSize(1440, 900), QSize(1920, 1080)}) {
        window->setGeometry(QRect(QPoint(0, 0), screen));
        QApplication::processEvents();
        const QString size = QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());
        testsupport::saveShot(*window, QStringLiteral("desk_") + size);
        ASSERT_EQ(window->width(), screen.width()) << qPrintable(size);
        EXPECT_FALSE(window->toolBarBreak(w.controller.ui.viewBar) && window->toolBarBreak(w.controller.ui.deskBar))
            << qPrintable(size + ": two rows, not three");

        int commands = 0;
        for (QToolBar *bar : {w.controller.ui.commandBar, w.controller.ui.viewBar, w.controller.ui.deskBar}) {
            const auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
            EXPECT_FALSE(more && more->isVisible()) << qPrintable(size + " " + bar->objectName());
            for (QAction *a : bar->actions()) {
                if (a->isSeparator()) continue;
                ++commands;
                if (!a->isVisible()) continue;  // a command of another mode
                const QWidget *button = bar->widgetForAction(a);
                ASSERT_NE(button, nullptr) << qPrintable(a->text());
                EXPECT_TRUE(button->isVisible()) << qPrintable(size + " " + a->text());
                EXPECT_TRUE(QRect(QPoint(0, 0), screen)
                                .contains(QRect(button->mapTo(window, QPoint(0, 0)), button->size())))
                    << qPrintable(size + " " + a->text());
            }
        }
        EXPECT_EQ(commands, 35) << "every command of the desk, the series commands too";

        for (Profile_Panel *panel : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ}) {
            ASSERT_NE(panel, nullptr);
            for (const Profile_Panel::Field_Boxes &f : panel->fields) {
                const QLineEdit &caption = *f.label;
                ASSERT_FALSE(caption.text().isEmpty());
                EXPECT_GE(textRoom(caption), caption.fontMetrics().horizontalAdvance(caption.text()))
                    << qPrintable(size + " " + caption.text());
            }
        }
    }
}
