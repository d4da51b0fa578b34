#include "Mail_Recipients.h"

#include "Helpers.h"

bool isValidEmail(const QString &address)
{
    const QString t = Trim_Str(address);
    if (t.size() < 6) return false;
    if (t.count(u'@') != 1 || !t.contains(u'.')) return false;
    for (const QChar c : t)
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) return false;
    return true;
}

Recipient_List Parse_Recipients(const QString &text)
{
    Recipient_List list;
    const QString whole = Trim_Str(text);
    for (const QString &piece : whole.toLower().split(u',')) {
        const QString item = Trim_Str(piece);
        if (item.isEmpty()) continue;
        if (!isValidEmail(item)) {
            list.recipients.clear();
            list.error = QStringLiteral("Recipient E-mail address is invalid or incomplete.\n\"%1\"").arg(item);
            return list;
        }
        list.recipients << item;
    }
    if (list.recipients.isEmpty()) list.error = QStringLiteral("Please specify the Recipient E-mail address.");
    return list;
}
