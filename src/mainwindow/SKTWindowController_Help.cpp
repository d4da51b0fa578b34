// Help, web links, the banner strip and the promotion window of our other products.
#include "SKTWindowController.h"

#include "HelpWindow.h"
#include "Log.h"
#include "Maker_Links.h"
#include "Promotion_Form.h"
#include "Repeat_Image.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>
#include <exception>

namespace {
// The help toolbar item is never smaller than this.
constexpr QSize kHelpItemMinimum(42, 27);
} // namespace

void SKTWindowController::connectHelpAndLinks()
{
    if (ui.banner) ui.banner->setTile(banner_image.image());
    if (QAction *help = ui.command(QStringLiteral("Help"))) {
        connect(help, &QAction::triggered, this, &SKTWindowController::Help_Button);
        if (QWidget *item = ui.commandWidget(help)) item->setMinimumSize(kHelpItemMinimum);
    }
    auto *row = ui.link_row ? qobject_cast<QBoxLayout *>(ui.link_row->layout()) : nullptr;
    if (!row) return;
    auto addButton = [this, row](const QString &name, const QString &label, auto slot) {
        auto *b = new QToolButton;
        b->setObjectName(name);
        b->setText(label);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        row->addWidget(b);
    };
    row->addWidget(new QLabel(tr("Our other products:")));
    for (const Promotion_Product &p : Promotion_Products(App_Name)) {
        const QString key = p.key;
        addButton(QStringLiteral("promotion_") + key, p.title, [this, key] { Open_Promotion_Window(key); });
    }
    row->addStretch(1);
    struct Link {
        const char *name, *label;
        Maker_Link link;
    };
    for (const Link &l : {Link{"Website_1", "Our Website", Maker_Link::Website_1},
                          Link{"Support_Mail", "Support", Maker_Link::Support_Mail},
                          Link{"Reseller_Mail", "Partners", Maker_Link::Reseller_Mail},
                          Link{"FaceBook", "Share", Maker_Link::Facebook_Share},
                          Link{"Twitter", "Post", Maker_Link::Twitter_Share},
                          Link{"FB_Like", "Like", Maker_Link::Facebook_Like},
                          Link{"Share_It_Dl", "Comments", Maker_Link::Comments_Page}})
        addButton(QLatin1String(l.name), tr(l.label), [link = l.link] { Open_Link(Maker_Link_Url(link)); });
}

void SKTWindowController::Help_Button()
{
    try {
        Help_Support &help = Help_Window();
        help.exec();
        help.hide();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

int SKTWindowController::Open_Promotion_Window(const QString &software_type)
{
    Promotion_Form &form = Promotion_Window();
    form.software_type = software_type;
    form.setBackgroundPattern(promotion_pattern_image.image());
    return form.Open_Promotion_Window();
}

Help_Support &SKTWindowController::Help_Window()
{
    if (!m_help) m_help = new Help_Support(ui.window);
    return *m_help;
}

Promotion_Form &SKTWindowController::Promotion_Window()
{
    if (!m_promotion) m_promotion = new Promotion_Form(ui.window);
    return *m_promotion;
}
