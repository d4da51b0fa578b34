#include "Maker_Links.h"

#include "Dialogs.h"
#include "Helpers.h"
#include "Log.h"

#include <QUrl>

namespace {
const QString kProductSite = QStringLiteral("https://example.com/dozo-id-card/");

struct Product_Text {
    const char *key, *title, *shortText, *longText, *picture;
    const char *mailAddress, *mailSubject, *mailBody;
    const char *orderLink;
};

// Our other products. Their mail bodies end with our signature line; the contact
// mail is the same for all three.
const Product_Text kProducts[] = {
    {"B", "Stripewell Barcode Studio", "Barcodes for labels, stock and shipping",
     "Design linear and two-dimensional barcodes, number them in series or fill them from a spreadsheet, and "
     "print them on sheets of labels or export them as pictures for your own documents.",
     "promo_barcode.png", "stripewell@example.com", "Stripewell Barcode Studio",
     "Hello,\nPlease send me more details about Stripewell Barcode Studio: the symbologies it makes, the label "
     "sheets it prints on and its price.\nThank you.",
     "https://example.com/stripewell/order"},
    {"L", "Labelkin Label Designer", "Labels for shelves, jars and parcels",
     "Lay out labels with text, shapes and pictures, print a sheet of one label or a different label in every "
     "place, and keep your designs as templates for the next batch.",
     "promo_labels.png", "labelkin@example.com", "Labelkin Label Designer",
     "Hello,\nPlease send me more details about Labelkin Label Designer: the label sizes it knows, how it prints "
     "a sheet and its price.\nThank you.",
     "https://example.com/labelkin/order"},
    {"C", "Parchwell Certificate Maker", "Certificates and awards in minutes",
     "Choose a border and a seal, type the names of everyone who takes part or read them from a list, and print "
     "one certificate for each of them on plain or pre-printed paper.",
     "promo_certificates.png", "parchwell@example.com", "Parchwell Certificate Maker",
     "Hello,\nPlease send me more details about Parchwell Certificate Maker: the designs it offers, how it "
     "prints names from a list and its price.\nThank you.",
     "https://example.com/parchwell/order"},
};

const char *kContactAddress = "contact@example.com";
const char *kContactSubject = "Question from a user of ";
// Its one placeholder takes the application's name.
const char *kContactBody = "Hello,\nI use %1 and would like to know more about your other products.\nRegards";

QString mailLink(const QString &address, const QString &subject, const QString &body)
{
    return QStringLiteral("mailto:") + address + QStringLiteral("?subject=") + Mail_Link_Text(subject) +
           QStringLiteral("&body=") + Mail_Link_Text(body);
}

QString shared(const char *page, const char *parameter)
{
    return QLatin1String(page) + QLatin1String(parameter) + QLatin1String("=") +
           QString::fromLatin1(QUrl::toPercentEncoding(kProductSite));
}

// The partner mail's body: the greeting, the request between two lines of "=", and
// the three kinds of partnership joined by "[and / or]".
QString resellerBody()
{
    const QString rule(30, u'=');
    const QString body = QStringLiteral("Hello,\n") + rule +
                         QStringLiteral("\nPlease write your business name and contact information here:\n\n") + rule +
                         QStringLiteral("\nI am interested in:\n"
                                        "1. Becoming an affiliate and earning commission on every sale [and / or]\n"
                                        "2. Becoming a reseller and buying several copies at a discount [and / or]\n"
                                        "3. Advanced partnership options (please specify)");
    // "=", "[" and "]" have no place of their own in a mail link: they travel encoded.
    QString text = Mail_Link_Text(body);
    text.replace(u'=', QStringLiteral("%3D"));
    text.replace(u'[', QStringLiteral("%5B"));
    text.replace(u']', QStringLiteral("%5D"));
    return text;
}
} // namespace

QString Mail_Link_Text(const QString &text)
{
    QString s = Trim_Str(text);
    s = Replace_char_in_string(s, QStringLiteral("\n"), QStringLiteral("%0A%0A"));
    return Replace_char_in_string(s, QStringLiteral(" "), QStringLiteral("%20"));
}

std::vector<Promotion_Product> Promotion_Products(const QString &appName)
{
    std::vector<Promotion_Product> products;
    for (const Product_Text &p : kProducts)
        products.push_back({QLatin1String(p.key), QString::fromUtf8(p.title), QString::fromUtf8(p.shortText),
                            QString::fromUtf8(p.longText), QLatin1String(p.picture),
                            mailLink(QLatin1String(p.mailAddress), QString::fromUtf8(p.mailSubject),
                                     QString::fromUtf8(p.mailBody)),
                            mailLink(QLatin1String(kContactAddress), QLatin1String(kContactSubject) + appName,
                                     QString::fromUtf8(kContactBody).arg(appName)),
                            QLatin1String(p.orderLink)});
    return products;
}

QString Maker_Link_Url(Maker_Link link)
{
    switch (link) {
    case Maker_Link::Support_Mail: return QStringLiteral("mailto:support@example.com");
    case Maker_Link::Reseller_Mail:
        return QStringLiteral("mailto:partners@example.com?subject=Affiliate/Partnership%20Enquiry&body=") +
               resellerBody();
    case Maker_Link::Website_1: return QStringLiteral("https://example.com/");
    case Maker_Link::Website_2: return kProductSite;
    case Maker_Link::Website_3: return QStringLiteral("https://example.org/dozo-id-card/");
    case Maker_Link::Facebook_Share: return shared("https://social.example.org/share", "?u");
    case Maker_Link::Twitter_Share: return shared("https://social.example.org/post", "?url");
    case Maker_Link::Facebook_Like: return shared("https://social.example.org/like", "?href");
    case Maker_Link::Comments_Page: return kProductSite + QStringLiteral("comments");
    case Maker_Link::Video_Channel: return QStringLiteral("https://example.org/videos/dozo");
    }
    return {};
}

bool Open_Link(const QString &url)
{
    const bool opened = Open_With_Default_Application(url);
    if (!opened) Show_NSLog_Message(QStringLiteral("Cannot open the link \"%1\"").arg(url));
    return opened;
}
