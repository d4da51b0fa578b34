#pragma once
// Data Matrix grids as grey pictures for the readers of tests/support/BarcodeReaders.h.
#include "BarcodeReaders.h"
#include "DataMatrixSymbol.h"

namespace dmtest {

// The grid drawn at 4 points a module at 72 dpi, with a quiet zone of 3 modules.
inline QImage scan(const DataMatrixGrid &grid) { return readers::Grey_Page(Render_DataMatrix(grid, 4, 72).image(), 12); }

} // namespace dmtest
