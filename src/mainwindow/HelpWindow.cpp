#include "HelpWindow.h"

#include "Globals.h"
#include "Helpers.h"
#include "Maker_Links.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Help_Support::Help_Support(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Help and Support"));
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(10);
    auto *title = new QLabel(tr("Help and Support"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);
    layout->addWidget(title);
    auto *note = new QLabel(tr("The help document explains every window of %1 step by step. "
                               "For anything it does not answer, write to us.")
                                .arg(App_Name));
    note->setWordWrap(true);
    note->setMinimumWidth(340);
    layout->addWidget(note);

    help_file_btn = new QPushButton(tr("Open the Help Document"));
    help_file_btn->setObjectName(QStringLiteral("help_file_btn"));
    connect(help_file_btn, &QPushButton::clicked, this, &Help_Support::HelpFilePressed);
    layout->addWidget(help_file_btn);
    struct Link {
        const char *label;
        Maker_Link link;
    };
    for (const Link &l : {Link{"E-mail Support", Maker_Link::Support_Mail},
                          Link{"Become a Partner", Maker_Link::Reseller_Mail},
                          Link{"Our Website", Maker_Link::Website_1},
                          Link{"Product Page", Maker_Link::Website_2},
                          Link{"Product Page (Second Site)", Maker_Link::Website_3}}) {
        auto *b = new QPushButton(tr(l.label));
        b->setAutoDefault(false);
        const Maker_Link link = l.link;
        connect(b, &QPushButton::clicked, this, [link] { Open_Link(Maker_Link_Url(link)); });
        layout->addWidget(b);
    }
    layout->addSpacing(6);
    auto *close = new QPushButton(tr("Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, [this] { done(1); });
    layout->addWidget(close, 0, Qt::AlignRight);
}

void Help_Support::HelpFilePressed() { Open_Help_File(); }
