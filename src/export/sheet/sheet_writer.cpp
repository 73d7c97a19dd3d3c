#include "export/sheet/sheet_writer.h"

#include <cstring>

#include "common/messages.h"
#include "common/numbers.h"
#include "export/project/project_rules.h"
#include "export/sheet/setup_sheet.h"
#include "export/sheet/sheet_data.h"
#include "export/sheet/sheet_thread.h"
#include "host/dialog.h"
#include "platform/files.h"

namespace quenlo::sheet {
namespace {

void Take(StockBox& box, const double p[3]) {
  for (int i = 0; i < 3; ++i) {
    if (!box.known || p[i] < box.min[i]) box.min[i] = p[i];
    if (!box.known || p[i] > box.max[i]) box.max[i] = p[i];
  }
  box.known = true;
}

// The extent of an STL mesh, binary or ASCII.
StockBox MeshBox(const std::string& stl) {
  StockBox box;
  uint32_t count = 0;
  if (stl.size() >= 84) std::memcpy(&count, stl.data() + 80, 4);
  if (stl.size() >= 84 && stl.size() == 84 + 50ull * count) {
    for (uint32_t t = 0; t < count; ++t)
      for (int v = 0; v < 3; ++v) {
        float f[3];
        std::memcpy(f, stl.data() + 84 + 50ull * t + 12 + 12 * v, sizeof f);
        const double p[3] = {f[0], f[1], f[2]};
        Take(box, p);
      }
    return box;
  }
  for (size_t at = stl.find("vertex"); at != std::string::npos; at = stl.find("vertex", at)) {
    at += 6;
    double p[3];
    size_t pos = at;
    float value = 0;
    bool ok = true;
    for (double& c : p) {
      ok = ok && ScanFloat(stl, pos, value);
      c = value;
    }
    if (ok) Take(box, p);
  }
  return box;
}

// What the page needs from files: the NC program (as the check read it, or
// read here when the check did not run) and the sheet it replaces. Files
// only, no host: this runs beside the launch's writers.
void ReadSheetFiles(const std::wstring& path, SheetInputs& in, std::string& previous) {
  in.nc = in.check.program ? *in.check.program
                           : nc_check::ReadNcFileWithFacts(in.settings->nc_file, !in.tools->has_turning);
  // Of the sheet it replaces only the data block is read, which stands at the
  // page's end (some 200 bytes a tool): the page's last part is read, and
  // the whole page only when the block begins before that part.
  const size_t end = 65536 + 512 * in.tools->records.size();
  bool read = platform::ReadFileEnd(path, end, previous);
  if (read && previous.size() >= end && !HoldsDataBlock(previous)) read = platform::ReadWholeFile(path, previous);
  if (read) in.previous = previous;
}

}  // namespace

SheetWriting::SheetWriting(const LinkSettings& settings, const ToolModel& tools,
                           const nc_check::CheckOutcome& check) {
  try {
    path_ = SetupSheetPath(settings.prj);
    in_.settings = &settings;
    in_.tools = &tools;
    in_.work_offsets = WcsTable;
    in_.references = RefTable;
    in_.check = check;
    in_.launched = platform::Now();
  } catch (...) {
    return;  // out of memory: Write says the sheet was not written
  }
  auto build = [this] {
    try {
      ReadSheetFiles(path_, in_, previous_);
      parts_ = BuildSheetParts(in_);
      built_ = true;
    } catch (...) {
      built_ = false;  // out of memory: Write says the sheet was not written
    }
  };
  // The page is most of the sheet's work and needs no host: it is made while
  // the tool and project files are written, which mostly wait for the disk.
  // Without a thread it is made here.
  try {
    on_thread_ = StartOnSheetThread(build);
  } catch (...) {
    on_thread_ = false;  // out of memory for the task
  }
  if (!on_thread_) build();
}

SheetWriting::~SheetWriting() {
  if (on_thread_) WaitForSheetThread();
}

void SheetWriting::Write() {
  if (on_thread_) WaitForSheetThread();
  on_thread_ = false;
  bool written = false;
  try {
    if (built_) {
      in_.stock = ReadStockSetup(GroupsMachineGroup(nullptr));
      std::string stl;
      if (in_.stock.shape == kSolidShape && platform::ReadWholeFile(StockStlPath(in_.settings->nc_file), stl))
        in_.solid = MeshBox(stl);
      CompleteSheet(parts_, in_);
      // Replaced in one step, but not synced before the rename: the page is
      // for people and written again at every launch, and a sync would cost
      // the launch as much as one of the files the simulator needs.
      written = platform::ReplaceFileContents(path_, parts_.head.view(), false);
    }
  } catch (...) {
    written = false;  // out of memory, or a host call that threw: the launch goes on
  }
  if (!written) AfxMessageBox(messages::kSheetUnwritable + path_);
}

std::wstring SetupSheetPath(const std::wstring& project_file) {
  const size_t name = project_file.find_last_of(L"\\/");
  const size_t dot = project_file.rfind(L'.');
  const bool has_extension = dot != std::wstring::npos && (name == std::wstring::npos || dot > name);
  return (has_extension ? project_file.substr(0, dot) : project_file) + L".setup.html";
}

}  // namespace quenlo::sheet
