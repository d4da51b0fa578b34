#!/bin/bash
# Lists the mutable process-wide values of src/ (heuristic, one per line): namespace-scope
# variables defined without const, static data members and function-local statics without
# const. A statement defining several values (the captions of Globals.cpp) is one line.
cd "${1:-.}"
{
  # namespace-scope definitions (column 0, not const/constexpr, not functions, not types)
  grep -rnE '^(static |inline |thread_local )*(std::atomic<[^>]*>|[A-Za-z_][A-Za-z_0-9:]*(<[^;()]*>)?\*?) +\*?[A-Za-z_][A-Za-z_0-9]*( *(=|\{)[^;]*)?;' src --include=*.cpp \
    | grep -vE ':(const|constexpr|using|typedef|return|extern|class|struct|enum|namespace|template|friend|Q_|#)' | grep -vE '\bconst\b|constexpr'
  # static members and function-local statics without const
  grep -rnE '^\s+static (inline )?(std::|Q|[a-z]|[A-Z])[^(]*[A-Za-z_0-9>]\s+\*?[A-Za-z_][A-Za-z_0-9]*( *(=|\{).*)?;' src --include=*.cpp --include=*.h \
    | grep -vE '\bconst\b|constexpr|static_assert'
  grep -rnE '^\s+static (inline )?std::function' src --include=*.h | grep -v const
} | sort -u
