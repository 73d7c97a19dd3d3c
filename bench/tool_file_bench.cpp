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

#include "export/tools/tool_file_content.h"
#include "export/tools/tool_file_writer.h"
#include "host_state.h"
#include "job.h"
#include "platform/ansi.h"
#include "platform/files.h"

namespace {

using Clock = std::chrono::steady_clock;

standin::Profile MakeProfile(int segments, double scale) {
  standin::Profile profile;
  profile.present = true;
  for (int i = 0; i < segments; ++i) {
    standin::ProfileSegment s;
    s.kind = i % 5 == 4 ? 'A' : 'L';
    s.start[0] = scale * i / 7.0;
    s.start[1] = scale * i;
    s.end[0] = scale * (i + 1) / 7.0;
    s.end[1] = scale * (i + 1) + 0.125;
    s.radius = 0.5 + i / 3.0;
    s.direction = i % 2 ? 1 : -1;
    profile.segments.push_back(s);
  }
  return profile;
}

// `scale` times the base job: 5,000 operations, 500 tools, 300 holders.
standin::Job MakeJob(int scale) {
  const int tools = 500 * scale, holders = 300 * scale, operations = 5000 * scale;
  standin::Job job;
  job.code_page = 932;
  job.machine_group.emplace();
  for (int t = 0; t < tools; ++t) {
    standin::Assembly a;
    a.id = 10000 + t;
    a.type_code = static_cast<short>(t % 3 == 0 ? 24 : t % 3 == 1 ? 13 : 1);
    a.size_s = 2 + t % 7;
    a.overall_length = 50 + t % 100;
    a.holder_dia = 40 + t % holders;
    a.holder_length = 60;
    a.projection = 30.5 + t % 20;
    a.total_holder_length = 80;
    a.profile = MakeProfile(40, 1 + t % 9);
    a.holder_profile = MakeProfile(40, 2);
    job.assemblies.push_back(a);
  }
  for (int h = 0; h < holders; ++h) {
    standin::Holder holder;
    holder.number = h;
    holder.by_number = h % 2 == 0;
    holder.name = h % 3 == 0 ? L"デフォルトホルダ" : L"ホルダ" + std::to_wstring(h);
    holder.levels.push_back({40.0 + h, 0, 60});
    job.holders.push_back(holder);
  }
  for (int i = 0; i < operations; ++i) {
    const int t = (i * 7) % tools;
    standin::Operation op;
    op.type = static_cast<short>(1 + i % 50);
    op.holder_number = t % holders;
    op.tool.tool_number = t + 1;
    op.tool.tool_id = 10000 + t;
    op.tool.diameter = 1 + t % 20;
    op.tool.d_number = t + 1;
    op.tool.h_number = t + 1;
    op.tool.comment = L"工具 " + std::to_wstring(t + 1) + L" φ" + std::to_wstring(1 + t % 20);
    job.machine_group->operations.push_back(op);
  }
  return job;
}

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
  standin::InstallJob(MakeJob(scale));
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
