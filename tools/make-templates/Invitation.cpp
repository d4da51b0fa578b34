// The invitation: a paper card on a background picture. Its texts carry the IDs the
// invitation layout gives them ("PARTY_TITLE" ...), so they read as one.
#include "Build.h"

namespace templates {

namespace {

Template invitation()
{
    Template t;
    t.category = QStringLiteral("Misc");
    t.name = QStringLiteral("Invitation (h)");
    t.card.name = QStringLiteral("Invitation");
    t.card.size = kInvitationCard;
    t.card.sides = QStringLiteral("1");
    t.card.paper = true;
    t.card.sizeIndex = 7;  // 5.91 x 4.96 inch
    t.card.subCategory = QStringLiteral("Durable 1459 - Name Badge");
    t.card.backgroundPicture = QStringLiteral("Background/Soft_Gradient.jpg");
    const QSizeF c = t.card.size;
    const double w = c.width();

    const TextStyle title{QStringLiteral("Liberation Serif-BoldItalic"), 30, colour::navy, 2};
    const TextStyle to{QStringLiteral("Liberation Serif-Italic"), 14, colour::ink, 2};
    const TextStyle message{QStringLiteral("Liberation Serif"), 11.5, colour::ink, 2, 0, 0};
    const TextStyle date{QStringLiteral("Liberation Sans-Bold"), 13, colour::navy, 2, 0.5};
    const TextStyle time{QStringLiteral("Liberation Sans"), 11.5, colour::darkTeal, 2};
    const TextStyle venue{QStringLiteral("Liberation Sans"), 10.5, colour::ink, 2};
    const TextStyle from{QStringLiteral("Liberation Serif-Italic"), 11, colour::caption, 2};

    Side &f = t.front;
    f.shape(QStringLiteral("RR"), QRectF(14, 14, w - 28, c.height() - 28), {}, colour::teal, 1.2, 8);
    f.shape(QStringLiteral("RR"), QRectF(19, 19, w - 38, c.height() - 38), {}, colour::amber, 0.6, 5);
    f.picture(QRectF(w / 2 - 18, 30, 36, 36), QStringLiteral("LibraryImage/Symbols/Star_Badge.png"));
    f.text(QRectF(40, 70, w - 80, 42), QStringLiteral("You're Invited"), title, QStringLiteral("PARTY_TITLE"));
    f.text(QRectF(40, 119, w - 80, 20), QStringLiteral("Dear Guest,"), to, QStringLiteral("PARTY_TO"));
    f.text(QRectF(60, 147, w - 120, 46),
           QStringLiteral("We are delighted to invite you to celebrate the opening of our new office. "
                          "Please join us for an evening of good company, music and refreshments."),
           message, QStringLiteral("PARTY_MSG"));
    f.band(QRectF(w / 2 - 30, 203, 60, 1.2), colour::amber);
    f.text(QRectF(40, 212, w - 80, 20), QStringLiteral("Saturday, 14 June 2025"), date, QStringLiteral("PARTY_DATE"));
    f.text(QRectF(40, 232, w - 80, 16), QStringLiteral("at 7:00 PM"), time, QStringLiteral("PARTY_TIME"));
    f.text(QRectF(40, 256, w - 80, 30), QStringLiteral("Venue:\nThe Grand Hall, 21 Park Street"), venue,
           QStringLiteral("PARTY_VENUE"));
    f.text(QRectF(40, 295, w - 80, 30), QStringLiteral("From:\nThe Organising Committee"), from,
           QStringLiteral("PARTY_FROM"));
    return t;
}

} // namespace

std::vector<Template> Invitation_Templates()
{
    std::vector<Template> out;
    out.push_back(invitation());
    return out;
}

} // namespace templates
