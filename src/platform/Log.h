#pragma once
#include <QString>

// Writes the text to the log (standard error) when it is not empty.
void Show_NSLog_Message(const QString &text);
