// The setup sheet (セットアップシート): one self-contained HTML page for the
// operator at the machine, written at every launch beside the project file.
// It shows what the simulator was handed, from the same data: the NC file,
// the check's findings, the tools drawn from the tool model's profiles, the
// work offsets the program selects, the stock, and what changed since the
// previous launch (read from the data block of the sheet it replaces).
#pragma once

#include <string>
#include <string_view>

#include "export/project/stock_setup.h"
#include "export/sheet/page_text.h"
#include "export/tools/tool_model.h"
#include "nc_check/nc_check.h"
#include "nc_check/nc_reader.h"
#include "platform/clock.h"
#include "settings/link_settings.h"

namespace quenlo::sheet {

// The extent of a solid stock's mesh, when there is one.
struct StockBox {
  bool known = false;
  double min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
};

struct SheetInputs {
  const LinkSettings* settings = nullptr;
  const ToolModel* tools = nullptr;
  const AxisRow* work_offsets = nullptr;  // kWcsRows rows
  const AxisRow* references = nullptr;    // kRefRows rows
  StockSetup stock;
  StockBox solid;
  nc_check::NcFileReading nc;
  nc_check::CheckOutcome check;
  platform::LocalTime launched;
  std::string_view previous;  // the bytes of the sheet this one replaces (empty: none)
};

// The page's bytes: the same inputs give the same bytes.
std::string BuildSetupSheet(const SheetInputs& in);

// The same in two steps, for a launch that makes the page while it writes the
// tool and project files: the stock's section needs the STL file that the
// project writer makes.
// BuildSheetParts reads neither `stock` nor `solid`; CompleteSheet reads those,
// `settings` and `references`, and leaves the whole page in `head`.
struct SheetParts {
  PageText head;  // up to the stock's section
  PageText tail;  // after it
};
SheetParts BuildSheetParts(const SheetInputs& in);
void CompleteSheet(SheetParts& parts, const SheetInputs& in);

}  // namespace quenlo::sheet
