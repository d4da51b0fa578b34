#pragma once
// GoogleTest prints a QString as its quoted text.
#include <QString>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
