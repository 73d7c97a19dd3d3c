// The work origin derived from the host's stock set-up and a work offset.
#pragma once

#include "export/project/stock_setup.h"

namespace quenlo::ui {

// The origin for the stock's origin code 0..8: the stock's origin point moved
// to the marked corner or centre of the box (nothing, the whole size or half
// of it taken off per axis), plus the offset's X, Y, Z. False, with `part`
// untouched, for any other code.
bool WorkOriginFromStock(const StockSetup& stock, const double offset[3], double part[3]);

}  // namespace quenlo::ui
