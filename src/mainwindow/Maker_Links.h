#pragma once
// Our web addresses and mail links in one table: the three products the promotion
// window presents, the support and partner mail, the web sites, the share, like and
// comments pages and the video channel. Every address lies under example.com or
// example.org.
#include <QString>
#include <vector>

// One product of ours that the promotion window presents.
struct Promotion_Product {
    QString key;          // one letter, set as the window's software_type
    QString title;
    QString shortText;
    QString longText;
    QString picture;      // PNG of the resources folder
    QString mailLink;     // a prepared mail asking about the product
    QString contactLink;  // a mail to us, its subject ending with the application's name
    QString orderLink;    // the order page, as it stands
};

// The three products, with their links built for the application's name `appName`.
std::vector<Promotion_Product> Promotion_Products(const QString &appName);

// A mail text made ready for a "mailto:" link: trimmed (Trim_Str), then every line
// break turned into "%0A%0A" and every blank into "%20".
QString Mail_Link_Text(const QString &text);

// The links of the help and link buttons.
enum class Maker_Link {
    Support_Mail,
    Reseller_Mail,
    Website_1,  // our own site
    Website_2,  // the product's site
    Website_3,  // the product's second site
    Facebook_Share,
    Twitter_Share,
    Facebook_Like,
    Comments_Page,
    Video_Channel,
};
QString Maker_Link_Url(Maker_Link link);

// Opens the link with the default application; a failure is logged, never shown.
bool Open_Link(const QString &url);
