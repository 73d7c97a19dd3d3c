// The stock set-up of a machine group, as the project writer and the panel's
// work-origin step read it.
#pragma once

#include <string>

#include "host/machine_group.h"

namespace quenlo {

struct StockSetup {
  int shape = 0;  // 0 box, 1 bar, 2 solid, 3 file; other values are left alone
  double size_x = 0, size_y = 0, size_z = 0;
  double origin[3] = {0, 0, 0};
  short origin_code = 0;
  int solid_id = 0;
  std::wstring file_path;
};

// The stock set-up of `group`; an empty set-up for null.
StockSetup ReadStockSetup(const op_group* group);

}  // namespace quenlo
