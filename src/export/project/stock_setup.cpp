#include "export/project/stock_setup.h"

namespace quenlo {

StockSetup ReadStockSetup(const op_group* group) {
  StockSetup s;
  if (!group) return s;
  const op_group_stock& g = group->stock;
  s.shape = g.shape;
  s.size_x = g.size[0];
  s.size_y = g.size[1];
  s.size_z = g.size[2];
  for (int i = 0; i < 3; ++i) s.origin[i] = g.origin[i];
  s.origin_code = g.origin_code;
  s.solid_id = g.solid_id;
  s.file_path = g.file_path;
  return s;
}

}  // namespace quenlo
