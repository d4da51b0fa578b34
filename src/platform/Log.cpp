#include "Log.h"

#include <QDebug>

void Show_NSLog_Message(const QString &text)
{
    if (text.isEmpty()) return;
    qInfo().noquote() << text;
}
