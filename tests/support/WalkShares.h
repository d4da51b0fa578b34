#pragma once
// A seeded walk's seeds shared out over several tests, so that each has room within a
// test's time limit on a slow machine. The first seed and the number of seeds come from
// the environment (`seedVariable`, `countVariable`) or the defaults.
#include <QtGlobal>
#include <algorithm>

namespace testsupport {

struct Walk_Seeds {
    unsigned first = 0;
    int count = 0;
};

inline Walk_Seeds Walk_Share(int share, int shares, const char *seedVariable, unsigned firstSeed,
                             const char *countVariable, int seeds)
{
    const unsigned start = qEnvironmentVariableIsSet(seedVariable) ? unsigned(qEnvironmentVariableIntValue(seedVariable)) : firstSeed;
    const int all = qEnvironmentVariableIsSet(countVariable) ? qEnvironmentVariableIntValue(countVariable) : seeds;
    const int each = (all + shares - 1) / shares;
    return {start + unsigned(share * each), std::max(0, std::min(each, all - share * each))};
}

} // namespace testsupport
