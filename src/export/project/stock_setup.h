// The stock set-up of a machine group, as the project writer and the panel's
// work-origin step read it.
#pragma once

#include <string>

#include "host/machine_group.h"

namespace quenlo {

// The host's stock shapes.
inline constexpr int kBoxShape = 0, kBarShape = 1, kSolidShape = 2, kFileShape = 3;

struct StockSetup {
  int shape = 0;  // kBoxShape ... kFileShape; other values are left alone
  double size_x = 0, size_y = 0, size_z = 0;
  double origin[3] = {0, 0, 0};
  short origin_code = 0;
  int solid_id = 0;
  std::wstring file_path;
};

// The stock set-up of `group`; an empty set-up for null.
StockSetup ReadStockSetup(const op_group* group);

}  // namespace quenlo
