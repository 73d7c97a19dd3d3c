// Times the setup sheet's page alone, in memory (no file is written or read
// but the NC program's): the large job (500 tools with 40-segment profiles,
// 300 holders) and twice that job, with the sheet of the previous launch to
// compare with, as at every launch but the first. The NC program selects
// every tool with G43 H over G54 ... G59.
//
//   bench_setup_sheet [FOLDER] [RUNS]   (the NC program is written there;
//                                        default: the current folder, 41 runs)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_data.h"
#include "export/sheet/setup_sheet.h"
#include "host_state.h"
#include "platform/ansi.h"
#include "platform/files.h"

namespace {

void Measure(const std::wstring& folder, int scale, int runs) {
  standin::Job job = bench::MakeToolJob(scale);
  const std::wstring nc_file = folder + L"sheet-bench.NC";
  quenlo::platform::ReplaceFileContents(nc_file, bench::ProgramSelectingEveryTool(job));
  standin::InstallJob(job);

  const quenlo::ToolModel model = quenlo::BuildToolModel();
  quenlo::LinkSettings s;
  s.nc_file = nc_file;
  s.prj = folder + L"プロジェクト.prjx";
  static quenlo::AxisRow offsets[quenlo::kWcsRows], references[quenlo::kRefRows];
  for (int r = 0; r < 7; ++r) offsets[r] = {10.0 * r, 20.5, -30.25, 0, 0, 0, 0, 0, 0};
  quenlo::sheet::SheetInputs in;
  in.settings = &s;
  in.tools = &model;
  in.work_offsets = offsets;
  in.references = references;
  in.stock.shape = quenlo::kBoxShape;
  in.stock.size_x = in.stock.size_y = 200;
  in.stock.size_z = 50;
  in.nc = quenlo::nc_check::ReadNcFileWithFacts(nc_file, true);
  const std::string previous = quenlo::sheet::BuildSetupSheet(in);
  in.previous = previous;

  // As a launch makes it: in two parts, the stock's section added, written
  // from where it was made.
  size_t bytes = 0;
  const double ms = bench::MedianMs(runs, [&] {
    quenlo::sheet::SheetParts parts = quenlo::sheet::BuildSheetParts(in);
    quenlo::sheet::CompleteSheet(parts, in);
    bytes = parts.head.size();
  });
  std::printf("job x%d (%zu tools): the page %zu bytes, built in %.3f ms (median of %d)\n", scale,
              model.records.size(), bytes, ms, runs);
  quenlo::platform::RemoveFile(nc_file);
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring folder = argc > 1 ? quenlo::platform::FromUtf8(argv[1]) : L".";
  if (!folder.empty() && folder.back() != L'/' && folder.back() != L'\\') folder += quenlo::platform::kPathSeparator;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 41;
  Measure(folder, 1, runs);
  Measure(folder, 2, runs);
  return 0;
}
