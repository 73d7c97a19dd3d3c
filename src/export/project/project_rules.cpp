#include "export/project/project_rules.h"

#include "export/project/rule_sets.h"

namespace quenlo {

KeyRules BuildProjectRules(const ProjectInputs& in) {
  KeyRules rules;
  rules.reserve(400);
  AppendPathRules(in.settings, rules);
  AppendStockKindRule(in.stock, rules);
  AppendStockRules(in.stock, in.stl_path, in.write_stl, rules);
  AppendOriginRules(in.settings, rules);
  AppendPositionRules(in.ref, rules);
  AppendWorkOffsetRules(in.wcs, rules);
  AppendStockDefRule(in.stock, rules);
  return rules;
}

std::wstring StockStlPath(const std::wstring& nc_file) { return nc_file + L".stl"; }

}  // namespace quenlo
