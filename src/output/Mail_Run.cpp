#include "Mail_Run.h"

QString Calculate_Pause_Time(long long milliseconds)
{
    const long long s = milliseconds / 1000;
    const long long h = s / 3600, m = (s % 3600) / 60, r = s % 60;
    const QString hours = (h <= 1 ? QStringLiteral("%1 Hour ") : QStringLiteral("%1 Hours ")).arg(h);
    const QString minutes = (m <= 1 ? QStringLiteral("%1 Minute ") : QStringLiteral("%1 Minutes ")).arg(m);
    const QString seconds = (r <= 1 ? QStringLiteral("%1 Second.") : QStringLiteral("%1 Seconds.")).arg(r);
    QString text = QStringLiteral("Pausing the process for ");
    if (h >= 1) return text + hours + minutes + seconds;
    if (m >= 1) return text + minutes + seconds;
    return text + seconds;
}
