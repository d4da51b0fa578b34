#include "SKTError.h"

#include <QCoreApplication>

const QString SKTErrorDomain = QStringLiteral("SKTErrorDomain");

namespace {
QString translatedOr(const QString &key, const QString &fallback)
{
    const QByteArray source = key.toUtf8();
    const QString text = QCoreApplication::translate("SKTError", source.constData());
    return text == key ? fallback : text;
}
} // namespace

SKTError SKTErrorWithCode(int code)
{
    SKTError error;
    error.domain = SKTErrorDomain;
    error.code = code;
    error.localizedDescription = translatedOr(QStringLiteral("description%1").arg(code),
                                              QStringLiteral("The operation could not be completed."));
    error.localizedFailureReason =
        translatedOr(QStringLiteral("failureReason%1").arg(code), QStringLiteral("An unknown error occurred."));
    return error;
}
