// Times the tool file writer on a generated job (5,000 operations over 500
// tools with 40-segment profiles, 300 holders, 500 D and 500 H numbers) and on
// the same job doubled, against one plain write of the same bytes.
//
//   bench_tool_file [FOLDER]   (the files are written there; default: the
//                               current folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_data.h"
#include "export/tools/tool_file_content.h"
#include "export/tools/tool_file_writer.h"
#include "host_state.h"
#include "job.h"
#include "platform/ansi.h"
#include "platform/files.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
double BestMilliseconds(int runs, F f) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

void Measure(const std::wstring& folder, int scale) {
  standin::InstallJob(bench::MakeToolJob(scale));
  const std::wstring tool_path = folder + L"bench.tol";
  const std::wstring copy_path = folder + L"bench-copy.tol";
  const int runs = 5;

  std::string bytes;
  double build = BestMilliseconds(runs, [&] {
    bytes.clear();
    quenlo::BuildToolFile(bytes);
  });
  double writer = BestMilliseconds(runs, [&] { quenlo::WriteToolFile(tool_path); });
  std::string written;
  quenlo::platform::ReadWholeFile(tool_path, written);
  double single = BestMilliseconds(runs, [&] { quenlo::platform::ReplaceFileContents(copy_path, bytes); });

  std::printf("job x%d (%d operations, %d tools, %d holders): writer %.2f ms (bytes built in %.2f ms), "
              "%zu bytes written%s; one write of the same bytes %.2f ms\n",
              scale, 5000 * scale, 500 * scale, 300 * scale, writer, build, written.size(),
              written == bytes ? "" : " (DIFFERS from the built bytes)", single);
  quenlo::platform::RemoveFile(tool_path);
  quenlo::platform::RemoveFile(copy_path);
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring folder = argc > 1 ? quenlo::platform::FromUtf8(argv[1]) : L".";
  if (!folder.empty() && folder.back() != L'/' && folder.back() != L'\\') folder += quenlo::platform::kPathSeparator;
  Measure(folder, 1);
  Measure(folder, 2);
  return 0;
}
