#pragma once
// E-mail addresses as the mail windows accept them.
#include <QString>
#include <QStringList>

// After trimming (Trim_Str): at least 6 characters, exactly one "@", at least one ".",
// and no blank or control character inside (an address never carries a header line).
bool isValidEmail(const QString &address);

struct Recipient_List {
    QStringList recipients;  // lower case, trimmed, in text order
    QString error;           // the message to show when the list is refused
};
// The comma-separated recipients of a mail window. Empty items (a comma at the end)
// are passed over; one invalid item refuses the whole list, naming it.
Recipient_List Parse_Recipients(const QString &text);
