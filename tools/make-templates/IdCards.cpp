// The general ID card and the student card, each in a horizontal and a vertical
// card: one layout, filled from a description of the card.
#include "Build.h"

namespace templates {

namespace {

const TextStyle kCaption{QStringLiteral("Liberation Sans"), 6, colour::caption, 0};
const TextStyle kValue{QStringLiteral("Liberation Sans-Bold"), 7, colour::ink, 0};
const TextStyle kName{QStringLiteral("Liberation Sans-Bold"), 8, colour::navy, 0};
const TextStyle kSignCaption{QStringLiteral("Liberation Sans"), 5, colour::caption, 2};

struct IdRow {
    QString word;  // field word of the IDs ("Name" gives "Fup_lbl_Name" and "Fup_Name"); empty: free texts
    QString caption;
    QString value;
};

struct IdDesign {
    QString category;
    QString name;       // template name without the orientation
    QColor header1, header2, accent;
    QString logo;       // resources-relative picture
    QString title;      // value of the header's title
    QString titleId;    // its control ID
    QString subtitle;
    QString subtitleId;
    bool subtitleCaps = false;  // spaced capitals
    std::vector<IdRow> rows;
    QString signCaption;
};

void addRows(Side &s, const IdDesign &d, double x, double y, double captionWidth, double valueWidth, double h)
{
    for (const IdRow &r : d.rows) {
        const TextStyle &valueStyle = r.word == QLatin1String("Name") ? kName : kValue;
        const QRectF caption(x, y, captionWidth, h), value(x + captionWidth, y, valueWidth, h);
        if (r.word.isEmpty()) {
            s.text(caption, r.caption, kCaption);
            s.text(value, r.value, valueStyle);
        } else {
            s.field(r.word, r.caption, caption, kCaption, r.value, value, valueStyle);
        }
        y += h;
    }
}

// The header: a band with the logo, the title and the subtitle beside it.
void addHeader(Side &s, const IdDesign &d, double width, double height)
{
    s.band(QRectF(0, 0, width, height), d.header1, d.header2, 0);
    s.band(QRectF(0, height, width, 2.5), d.accent);
    const double logo = height - 12;
    s.picture(QRectF(8, 6, logo, logo), d.logo);
    const double x = 14 + logo, w = width - x - 6;
    const TextStyle title{QStringLiteral("Liberation Sans-Bold"), width > 200 ? 11.0 : 9.5, colour::white, 0};
    const TextStyle sub{QStringLiteral("Liberation Sans"), d.subtitleCaps ? 5.5 : 6.0, d.accent, 0,
                        d.subtitleCaps ? 1.0 : 0.0};
    s.text(QRectF(x, 5, w, height / 2 - 3), d.title, title, d.titleId);
    s.text(QRectF(x, height / 2 + 1, w, height / 2 - 6), d.subtitle, sub, d.subtitleId);
}

Template horizontal(const IdDesign &d)
{
    Template t;
    t.category = d.category;
    t.name = d.name + QStringLiteral(" (h)");
    t.card.name = d.name;
    t.card.sides = QStringLiteral("1");
    t.card.size = kCR80Horizontal;
    const QSizeF c = t.card.size;

    Side &f = t.front;
    addHeader(f, d, c.width(), 38);
    f.photo(QRectF(12, 49, 56, 70), QStringLiteral("Fup_Photo"));
    addRows(f, d, 78, 46, 60, 99, 13);
    f.signature(QRectF(166, 112, 60, 20), d.signCaption, kSignCaption);
    f.band(QRectF(0, c.height() - 7, c.width(), 7), d.header1, d.header2, 0);
    return t;
}

Template vertical(const IdDesign &d)
{
    Template t;
    t.category = d.category;
    t.name = d.name + QStringLiteral(" (v)");
    t.card.name = d.name;
    t.card.sides = QStringLiteral("1");
    t.card.size = kCR80Vertical;
    const QSizeF c = t.card.size;

    Side &f = t.front;
    addHeader(f, d, c.width(), 40);
    f.photo(QRectF(49, 50, 56, 70), QStringLiteral("Fup_Photo"));
    addRows(f, d, 10, 127, 56, 80, 12.5);
    f.signature(QRectF(82, 199, 56, 19), d.signCaption, kSignCaption);
    f.band(QRectF(0, c.height() - 7, c.width(), 7), d.header1, d.header2, 0);
    return t;
}

IdDesign generalId()
{
    IdDesign d;
    d.category = QStringLiteral("Corporate");
    d.name = QStringLiteral("General ID");
    d.header1 = colour::navy;
    d.header2 = colour::blue;
    d.accent = colour::paleTeal;
    d.logo = QStringLiteral("LibraryImage/Business/Company_Logo.png");
    d.title = QStringLiteral("COMPANY NAME");
    d.titleId = QStringLiteral("Fup_Company");
    d.subtitle = QStringLiteral("Your company slogan here");
    d.subtitleId = QStringLiteral("Fup_CompanySlogan");
    // The general ID card's captions.
    d.rows = {
        {QStringLiteral("Name"), QStringLiteral("Name :"), QStringLiteral("Your Name")},
        {QStringLiteral("Title"), QStringLiteral("Position / Title :"), QStringLiteral("Sales Manager")},
        {QStringLiteral("UniqueNo"), QStringLiteral("Unique No. :"), QStringLiteral("EMP-00123")},
        {QStringLiteral("PhoneNO"), QStringLiteral("Phone No. :"), QStringLiteral("+1 555 0100")},
        {QStringLiteral("EmailID"), QStringLiteral("Email Id :"), QStringLiteral("name@company.com")},
    };
    d.signCaption = QStringLiteral("Authorised Signature");
    return d;
}

IdDesign studentId()
{
    IdDesign d;
    d.category = QStringLiteral("Education");
    d.name = QStringLiteral("Student ID");
    d.header1 = colour::darkTeal;
    d.header2 = colour::teal;
    d.accent = colour::amber;
    d.logo = QStringLiteral("LibraryImage/Symbols/Shield.png");
    d.title = QStringLiteral("SCHOOL NAME");
    d.titleId = QStringLiteral("Fup_Company");
    d.subtitle = QStringLiteral("STUDENT IDENTITY CARD");
    d.subtitleCaps = true;
    d.rows = {
        {QStringLiteral("Name"), QStringLiteral("Name :"), QStringLiteral("Student Name")},
        {QStringLiteral("Title"), QStringLiteral("Class / Course :"), QStringLiteral("Grade 10 - B")},
        {QStringLiteral("UniqueNo"), QStringLiteral("Roll No. :"), QStringLiteral("2025-0147")},
        {QStringLiteral("PhoneNO"), QStringLiteral("Phone No. :"), QStringLiteral("+1 555 0100")},
        {QString(), QStringLiteral("Valid Until :"), QStringLiteral("31/05/2026")},
    };
    d.signCaption = QStringLiteral("Principal");
    return d;
}

} // namespace

std::vector<Template> Id_Card_Templates()
{
    std::vector<Template> out;
    for (const IdDesign &d : {generalId(), studentId()}) {
        out.push_back(horizontal(d));
        out.push_back(vertical(d));
    }
    return out;
}

} // namespace templates
