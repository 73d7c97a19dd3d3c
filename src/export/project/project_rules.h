// All keys of the project template, in the order in which the rewrite tries
// them on every line.
#pragma once

#include <functional>
#include <string>

#include "export/project/key_rule.h"
#include "export/project/stock_setup.h"
#include "settings/link_settings.h"

namespace quenlo {

struct ProjectInputs {
  const LinkSettings& settings;
  const AxisRow (&wcs)[kWcsRows];
  const AxisRow (&ref)[kRefRows];
  StockSetup stock;
  std::wstring stl_path;             // where a solid stock's STL file goes
  std::function<void()> write_stl;   // writes it; done each time its key is met
};

KeyRules BuildProjectRules(const ProjectInputs& in);

// The record's paths that the project file names (its path keys).
inline constexpr std::wstring LinkSettings::*kProjectFilePaths[] = {&LinkSettings::nc_file, &LinkSettings::tol,
                                                                    &LinkSettings::mch, &LinkSettings::wrk};

// The STL file of a solid stock: the NC file with ".stl" appended.
std::wstring StockStlPath(const std::wstring& nc_file);

}  // namespace quenlo
