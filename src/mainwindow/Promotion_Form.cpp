#include "Promotion_Form.h"

#include "Globals.h"
#include "Log.h"
#include "Repeat_Image.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

QColor Promotion_Form::backgroundColour()
{
    return QColor::fromRgbF(0.9450980392156862f, 0.9568627450980393f, 0.9803921568627451f, 1.0f);
}

Promotion_Form::Promotion_Form(QWidget *parent) : QDialog(parent), m_products(Promotion_Products(App_Name))
{
    setObjectName(QStringLiteral("Promotion_Form"));
    setWindowTitle(tr("Our Other Products"));
    setWindowModality(Qt::ApplicationModal);
    for (const Promotion_Product &p : m_products) {
        QImage picture(Resource_Path + p.picture);
        if (picture.isNull()) Show_NSLog_Message(QStringLiteral("Missing picture ") + p.picture);
        m_pictures[p.key] = picture;
    }

    QPalette pal = palette();
    pal.setColor(QPalette::Window, backgroundColour());
    setPalette(pal);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_pattern = new Repeat_Image;
    m_pattern->setObjectName(QStringLiteral("Promotion_Pattern"));
    outer->addWidget(m_pattern);

    auto *content = new QVBoxLayout(m_pattern);
    content->setContentsMargins(20, 20, 20, 16);
    content->setSpacing(12);
    auto *top = new QHBoxLayout;
    bundle_image = new QLabel;
    bundle_image->setObjectName(QStringLiteral("bundle_image"));
    bundle_image->setFixedSize(128, 128);
    bundle_image->setAlignment(Qt::AlignCenter);
    top->addWidget(bundle_image, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    Software_title = new QLabel;
    Software_title->setObjectName(QStringLiteral("Software_title"));
    QFont titleFont = Software_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    Software_title->setFont(titleFont);
    short_descp = new QLabel;
    short_descp->setObjectName(QStringLiteral("short_descp"));
    QFont shortFont = short_descp->font();
    shortFont.setBold(true);
    short_descp->setFont(shortFont);
    long_descp = new QLabel;
    long_descp->setObjectName(QStringLiteral("long_descp"));
    long_descp->setWordWrap(true);
    long_descp->setMinimumWidth(360);
    texts->addWidget(Software_title);
    texts->addWidget(short_descp);
    texts->addWidget(long_descp);
    texts->addStretch(1);
    top->addLayout(texts, 1);
    content->addLayout(top);

    auto *actions = new QHBoxLayout;
    struct Action {
        const char *label;
        void (Promotion_Form::*slot)();
    };
    for (const Action &a : {Action{"Send Me Details", &Promotion_Form::Mail_Clicked},
                            Action{"Contact Us", &Promotion_Form::Contact_us_Clicked},
                            Action{"Order Now", &Promotion_Form::Order_Clicked},
                            Action{"Watch Videos", &Promotion_Form::youtube_Clicked}}) {
        auto *b = new QPushButton(tr(a.label));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, a.slot);
        actions->addWidget(b);
    }
    actions->addStretch(1);
    content->addLayout(actions);

    auto *bottom = new QHBoxLayout;
    website_1 = new QPushButton(QStringLiteral("example.com"));
    website_1->setObjectName(QStringLiteral("website_1"));
    support_id = new QPushButton(QStringLiteral("support@example.com"));
    support_id->setObjectName(QStringLiteral("support_id"));
    for (QPushButton *b : {website_1, support_id}) {
        styleLinkButton(b);
        bottom->addWidget(b);
    }
    connect(website_1, &QPushButton::clicked, this, [this] { Open_Link(Maker_Link_Url(Maker_Link::Website_1)); });
    connect(support_id, &QPushButton::clicked, this, [this] { Open_Link(Maker_Link_Url(Maker_Link::Support_Mail)); });
    bottom->addStretch(1);
    auto *ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Promotion_Form::OK_Clicked);
    bottom->addWidget(ok);
    content->addLayout(bottom);
}

void Promotion_Form::styleLinkButton(QPushButton *button)
{
    // Bold system font of size 11, blue and underlined, on the window's colour.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setBold(true);
    font.setPointSize(11);
    font.setUnderline(true);
    button->setFont(font);
    QPalette pal = button->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::ButtonText, Qt::blue);
        pal.setColor(group, QPalette::Button, backgroundColour());
        pal.setColor(group, QPalette::Window, backgroundColour());
    }
    button->setPalette(pal);
    button->setFlat(true);
    button->setAutoFillBackground(true);
    button->setAutoDefault(false);
    button->setCursor(Qt::OpenHandCursor);
}

void Promotion_Form::setBackgroundPattern(const QImage &pattern) { m_pattern->setTile(pattern); }

const Promotion_Product *Promotion_Form::product() const
{
    for (const Promotion_Product &p : m_products)
        if (p.key == software_type) return &p;
    return nullptr;
}

int Promotion_Form::Open_Promotion_Window()
{
    try {
        if (const Promotion_Product *p = product()) {
            const QImage &picture = m_pictures[p->key];
            bundle_image->setPixmap(picture.isNull() ? QPixmap()
                                                     : QPixmap::fromImage(picture.scaled(bundle_image->size(), Qt::KeepAspectRatio,
                                                                                         Qt::SmoothTransformation)));
            Software_title->setText(p->title);
            short_descp->setText(p->shortText);
            long_descp->setText(p->longText);
        }
        const int result = exec();
        hide();
        return result;
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        hide();
        return 0;
    }
}

void Promotion_Form::Open_Link(const QString &url)
{
    try {
        ::Open_Link(url);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Promotion_Form::Mail_Clicked()
{
    const Promotion_Product *p = product();
    Open_Link(p ? p->mailLink : QString());
}

void Promotion_Form::Contact_us_Clicked()
{
    const Promotion_Product *p = product();
    Open_Link(p ? p->contactLink : QString());
}

void Promotion_Form::Order_Clicked()
{
    const Promotion_Product *p = product();
    Open_Link(p ? p->orderLink : QString());
}

void Promotion_Form::youtube_Clicked() { Open_Link(Maker_Link_Url(Maker_Link::Video_Channel)); }
