// The standard's QR tables, embedded from tables/*.csv when CMake configures.
#include "QrEncoder.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace {

const QrVersionRow kVersions[] = {
#include "QrVersions.inc"
};

struct AlignmentRow {
    int version;
    std::array<int, 7> centres;
};
const AlignmentRow kAlignment[] = {
#include "QrAlignment.inc"
};

} // namespace

const QrVersionRow &QR_Version_Row(int version, QR_Level level)
{
    const int l = int(level);
    const QrVersionRow &row = kVersions[(version - 1) * 4 + l];
    assert(row.version == version && row.level == "LMQH"[l]);
    return row;
}

QR_Level QR_Level_From_Index(int index) { return QR_Level(std::clamp(index, 0, 3)); }

std::vector<int> QR_Alignment_Centres(int version)
{
    std::vector<int> centres;
    for (int c : kAlignment[version - 1].centres)
        if (c > 0) centres.push_back(c);
    return centres;
}
