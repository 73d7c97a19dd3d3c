// The host's machine group: the active NC job's group of operations, with the
// stock set-up that the project writer and the panel's work-origin step read.
#pragma once

#include <string>

#include "host/host_api.h"

// The stock set-up members of a machine group.
struct op_group_stock {
  int shape = 0;             // 0 box, 1 bar, 2 solid, 3 file; the host may hold other values
  double size[3] = {0, 0, 0};
  double origin[3] = {0, 0, 0};
  short origin_code = 0;     // which point of the box the origin marks
  int solid_id = 0;          // the stock solid, for wr_stl
  std::wstring file_path;    // the stock file of a file stock
};

struct op_group {
  op_group_stock stock;
};

// The active machine group, or null when the host has none.
HOST_API op_group* OMgetActiveMachineGroup(bool active);
// The machine group of `group`, or the active one for null.
HOST_API op_group* GroupsMachineGroup(op_group* group);
