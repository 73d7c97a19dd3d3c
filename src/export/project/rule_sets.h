// The groups of keys of the project template, each appended in the order in
// which the rewrite tries them.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "export/project/key_rule.h"
#include "export/project/stock_setup.h"
#include "settings/link_settings.h"

namespace quenlo {

// ".ncdfile ", ".ncdfile1", ".tolfiles1 ", ".mchfile", ".wrkfile".
void AppendPathRules(const LinkSettings& s, KeyRules& rules);

// ".setting.workform", for a box or a bar.
void AppendStockKindRule(const StockSetup& stock, KeyRules& rules);
// The stock keys of the stock's shape; none for a shape outside 0..3.
// `write_stl` is done each time a solid stock's ".wrkjig.path" is met.
void AppendStockRules(const StockSetup& stock, const std::wstring& stl_path, std::function<void()> write_stl,
                      KeyRules& rules);
// ".setting.StockDef 0", for every shape.
void AppendStockDefRule(const StockSetup& stock, KeyRules& rules);
// The corner of a box stock as the project places it; nothing for an origin
// code outside 0..8.
std::optional<std::array<double, 3>> BoxPosition(const StockSetup& stock);

// Work origin, rotary-axis centres and ".setting.initial_tool_fromM".
void AppendOriginRules(const LinkSettings& s, KeyRules& rules);
// The initial position (row 0) and the four reference-return positions.
void AppendPositionRules(const AxisRow (&ref)[kRefRows], KeyRules& rules);
// The work-offset headers 1..315 over rows 0..314.
void AppendWorkOffsetRules(const AxisRow (&wcs)[kWcsRows], KeyRules& rules);

}  // namespace quenlo
