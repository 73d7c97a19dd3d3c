// Writing the setup sheet at a launch: after the tool and project files, before
// the simulator starts, beside the project file.
#pragma once

#include <string>

#include "export/sheet/setup_sheet.h"
#include "export/tools/tool_model.h"
#include "nc_check/nc_check.h"
#include "settings/link_settings.h"

namespace quenlo::sheet {

// The project file's path with its extension replaced: C:\job\part1.prjx ->
// C:\job\part1.setup.html (a name without extension gets it added).
std::wstring SetupSheetPath(const std::wstring& project_file);

// The sheet of one launch, started once the tool file's bytes are made: the
// page, but for the stock, is built on the sheet's thread (from the tool
// model, the settings, the NC file and the sheet it replaces, none of which
// changes meanwhile) while the launch writes the tool and project files;
// Write then adds the stock, whose STL file is written by then, and replaces
// the sheet in one step. A failure is shown in one message; the launch goes
// on. A sheet that is not to be written (a writer failed) is dropped unwritten.
class SheetWriting {
 public:
  // `settings` and `tools` must outlive this.
  SheetWriting(const LinkSettings& settings, const ToolModel& tools, const nc_check::CheckOutcome& check);
  ~SheetWriting();
  SheetWriting(const SheetWriting&) = delete;
  SheetWriting& operator=(const SheetWriting&) = delete;

  void Write();

 private:
  std::wstring path_;
  SheetInputs in_;
  std::string previous_;
  SheetParts parts_;
  bool built_ = false;
  bool on_thread_ = false;  // the page is being made on the sheet's thread
};

}  // namespace quenlo::sheet
