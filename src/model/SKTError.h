#pragma once
// Errors of the card model and canvas: a domain, a code and two user-facing texts.
//   2  clipboard data that is not an array of control archives
//   3  nothing to render as TIFF (no controls, or their drawing bounds are empty)
#include <QString>

extern const QString SKTErrorDomain;  // "SKTErrorDomain"

struct SKTError {
    QString domain;
    int code = 0;
    QString localizedDescription;
    QString localizedFailureReason;
};

// An error of SKTErrorDomain with the code. Its texts come from the "SKTError"
// translation context under "description<code>" and "failureReason<code>", falling
// back to a general sentence and "An unknown error occurred.".
SKTError SKTErrorWithCode(int code);
