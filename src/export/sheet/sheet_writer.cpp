#include "export/sheet/sheet_writer.h"

#include <cstring>
#include <optional>

#include "common/messages.h"
#include "common/numbers.h"
#include "export/project/project_rules.h"
#include "export/sheet/setup_sheet.h"
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

bool TryWriteSheet(const std::wstring& path, const LinkSettings& s, const ToolModel& tools,
                   const nc_check::CheckOutcome& check) {
  SheetInputs in;
  in.settings = &s;
  in.tools = &tools;
  in.work_offsets = WcsTable;
  in.references = RefTable;
  in.check = check;
  in.stock = ReadStockSetup(GroupsMachineGroup(nullptr));
  std::string stl;
  if (in.stock.shape == kSolidShape && platform::ReadWholeFile(StockStlPath(s.nc_file), stl)) in.solid = MeshBox(stl);
  in.nc.tools_read = !tools.has_turning;
  std::optional<nc_check::NcReading> reading;
  in.nc.found = platform::ReadFileFacts(s.nc_file, in.nc.facts) &&
                (reading = nc_check::ReadNcFile(s.nc_file, in.nc.tools_read)).has_value();
  if (in.nc.found) in.nc.reading = std::move(*reading);
  std::string previous;
  if (platform::ReadWholeFile(path, previous)) in.previous = previous;
  in.launched = platform::Now();
  // Replaced in one step, but not synced before the rename: the page is for
  // people and written again at every launch, and a sync would cost the
  // launch as much as one of the files the simulator needs.
  return platform::ReplaceFileContents(path, BuildSetupSheet(in), false);
}

}  // namespace

std::wstring SetupSheetPath(const std::wstring& project_file) {
  const size_t name = project_file.find_last_of(L"\\/");
  const size_t dot = project_file.rfind(L'.');
  const bool has_extension = dot != std::wstring::npos && (name == std::wstring::npos || dot > name);
  return (has_extension ? project_file.substr(0, dot) : project_file) + L".setup.html";
}

void WriteSetupSheet(const LinkSettings& settings, const ToolModel& tools, const nc_check::CheckOutcome& check) {
  const std::wstring path = SetupSheetPath(settings.prj);
  bool written = false;
  try {
    written = TryWriteSheet(path, settings, tools, check);
  } catch (...) {
    written = false;  // out of memory, or a host call that threw: the launch goes on
  }
  if (!written) AfxMessageBox(messages::kSheetUnwritable + path);
}

}  // namespace quenlo::sheet
