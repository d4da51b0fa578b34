// The visitor passes: one design in a horizontal and a vertical card, both sides.
#include "Build.h"

namespace templates {

namespace {

const QString kCategory = QStringLiteral("Visitor");

const TextStyle kTitle{QStringLiteral("Liberation Sans-Bold"), 17, colour::white, 2, 3};
const TextStyle kCaption{QStringLiteral("Liberation Sans"), 6, colour::caption, 0};
const TextStyle kValue{QStringLiteral("Liberation Sans-Bold"), 7, colour::ink, 0};
const TextStyle kName{QStringLiteral("Liberation Sans-Bold"), 8, colour::navy, 0};
const TextStyle kFooter{QStringLiteral("Liberation Sans"), 5.5, colour::white, 2};
const TextStyle kBackHeader{QStringLiteral("Liberation Sans-Bold"), 8, colour::white, 2, 1.5};
const TextStyle kNote{QStringLiteral("Liberation Sans"), 6.5, colour::ink, 0, 0, 0};
const TextStyle kSmallCaption{QStringLiteral("Liberation Sans"), 5.5, colour::caption, 2};

struct Row {
    const char *word;
    const char *caption;
    const char *value;
};
// The visitor's details in the order of the pass, with the visitor-pass captions.
const Row kRows[] = {
    {"Name", "Name :", "Visitor Name"},
    {"Company", "Company Name :", "Company Name"},
    {"CompanySlogan", "Purpose :", "Meeting"},
    {"Website", "Person to Meet :", "Person Name"},
    {"Date", "Date :", "01/06/2025"},
    {"Time", "Time :", "10:30 AM"},
    {"UniqueNo", "Visitor No. :", "V-000123"},
};

// The rows in a column: captions from x, values from x + captionWidth.
void rows(Side &s, double x, double y, double captionWidth, double valueWidth, double rowHeight)
{
    for (const Row &r : kRows) {
        const bool name = QLatin1String(r.word) == QLatin1String("Name");
        s.field(QLatin1String(r.word), QLatin1String(r.caption), QRectF(x, y, captionWidth, rowHeight), kCaption,
                QLatin1String(r.value), QRectF(x + captionWidth, y, valueWidth, rowHeight), name ? kName : kValue);
        y += rowHeight;
    }
}

void header(Side &s, double width, double height)
{
    s.band(QRectF(0, 0, width, height), colour::navy, colour::teal, 0);
    s.band(QRectF(0, height, width, 2.5), colour::amber);
}

void footer(Side &s, const QSizeF &card, const QString &text)
{
    const double h = 13;
    s.band(QRectF(0, card.height() - h, card.width(), h), colour::navy, colour::teal, 0);
    s.text(QRectF(0, card.height() - h, card.width(), h), text, kFooter);
}

const QString kFrontFooter = QStringLiteral("Please wear this pass visibly at all times");
const QString kBackFooter = QStringLiteral("Reception  \u2022  Security Desk");
const char *const kInstructions[] = {
    "This pass is valid only for the date shown and is not transferable.",
    "Please return it to the reception desk when you leave.",
    "If found, kindly hand it in at the reception or the security desk.",
};

// The instructions as a bulleted list, each item in a box of its own.
void instructions(Side &s, double x, double y, double width, double itemHeight)
{
    for (const char *item : kInstructions) {
        s.text(QRectF(x, y, 8, itemHeight), QStringLiteral("\u2022"), kNote);
        s.text(QRectF(x + 8, y, width - 8, itemHeight), QLatin1String(item), kNote);
        y += itemHeight;
    }
}

Template horizontal()
{
    Template t;
    t.category = kCategory;
    t.name = QStringLiteral("Visitor Pass (h)");
    t.card.name = QStringLiteral("Visitor Pass");
    t.card.size = kCR80Horizontal;
    const QSizeF c = t.card.size;

    Side &f = t.front;
    header(f, c.width(), 34);
    f.text(QRectF(0, 3, c.width(), 28), QStringLiteral("VISITOR"), kTitle);
    f.photo(QRectF(12, 46, 56, 70), QStringLiteral("Fup_Photo"));
    rows(f, 78, 43, 58, 103, 13);
    footer(f, c, kFrontFooter);

    Side &b = t.back;
    b.band(QRectF(0, 0, c.width(), 22), colour::navy, colour::teal, 0);
    b.text(QRectF(0, 0, c.width(), 22), QStringLiteral("RETURN INSTRUCTIONS"), kBackHeader);
    instructions(b, 14, 32, c.width() - 28, 12);
    b.signLine(17, 120.5, 76, QStringLiteral("Time Out"), kSmallCaption);
    b.signature(QRectF(150, 90, 76, 30), QStringLiteral("Authorised Signatory"), kSmallCaption);
    footer(b, c, kBackFooter);
    return t;
}

Template vertical()
{
    Template t;
    t.category = kCategory;
    t.name = QStringLiteral("Visitor Pass (v)");
    t.card.name = QStringLiteral("Visitor Pass");
    t.card.size = kCR80Vertical;
    const QSizeF c = t.card.size;

    Side &f = t.front;
    header(f, c.width(), 38);
    f.text(QRectF(0, 4, c.width(), 30), QStringLiteral("VISITOR"), kTitle);
    f.photo(QRectF(49, 50, 56, 70), QStringLiteral("Fup_Photo"));
    rows(f, 10, 126, 58, 80, 12.5);
    footer(f, c, kFrontFooter);

    Side &b = t.back;
    b.band(QRectF(0, 0, c.width(), 24), colour::navy, colour::teal, 0);
    b.text(QRectF(0, 0, c.width(), 24), QStringLiteral("RETURN INSTRUCTIONS"), kBackHeader);
    instructions(b, 12, 36, c.width() - 24, 24);
    b.signLine(39, 138, 76, QStringLiteral("Time Out"), kSmallCaption);
    b.signature(QRectF(39, 164, 76, 30), QStringLiteral("Authorised Signatory"), kSmallCaption);
    footer(b, c, kBackFooter);
    return t;
}

} // namespace

std::vector<Template> Visitor_Pass_Templates()
{
    std::vector<Template> out;
    out.push_back(horizontal());
    out.push_back(vertical());
    return out;
}

} // namespace templates
