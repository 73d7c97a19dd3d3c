// Times the NC program check on a generated program of 1,000,000 blocks
// (about 30 MB: moves; every 5,000 blocks a tool change, its H on a
// positioning line and G43 without H, G41 D, a G10 and an offset variable set,
// G55 or G56; comments) against one plain read of the same file. The check
// includes that read, the tool file's walk in memory and the comparison; it
// should stay within 2.5 times the read.
//
//   bench_nc_check [FOLDER]   (the program is written there; default: the
//                              current folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "host_state.h"
#include "job.h"
#include "nc_check/nc_check.h"
#include "nc_check/nc_reader.h"
#include "platform/ansi.h"
#include "platform/files.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBlocks = 1000000;
constexpr int kTools = 40;

// A milling job with tools 1..kTools (D and H numbers equal to the tool number).
standin::Job MakeJob() {
  standin::Job job;
  job.code_page = 932;
  job.machine_group.emplace();
  for (int t = 1; t <= kTools; ++t) {
    standin::Assembly a;
    a.id = 1000 + t;
    a.overall_length = 75;
    a.profile.present = true;
    standin::ProfileSegment s;
    s.kind = 'L';
    s.end[0] = 5;
    a.profile.segments.push_back(s);
    job.assemblies.push_back(a);
    standin::Operation op;
    op.type = 1;
    op.tool.tool_number = t;
    op.tool.tool_id = 1000 + t;
    op.tool.d_number = t;
    op.tool.h_number = t;
    job.machine_group->operations.push_back(op);
  }
  return job;
}

std::string MakeProgram() {
  std::string p = "%\r\nO1000(ベンチマーク)\r\nG90 G54 G00 X0 Y0\r\n";
  char line[96];
  for (int i = 0; i < kBlocks - 4; ++i) {  // with the three opening blocks and the closing %
    if (i % 5000 == 0) {
      const int t = 1 + (i / 5000) % kTools;
      std::snprintf(line, sizeof line, "T%d M06\r\n", t);
    } else if (i % 5000 == 1) {
      std::snprintf(line, sizeof line, "G00 X0. Y0. H%d (工具長補正)\r\n", 1 + (i / 5000) % kTools);
    } else if (i % 5000 == 2) {
      std::snprintf(line, sizeof line, "G43 Z50.\r\n");
    } else if (i % 5000 == 3) {
      std::snprintf(line, sizeof line, "G41 D%d X10. Y10.\r\n", 1 + (i / 5000) % kTools);
    } else if (i % 5000 == 4) {
      std::snprintf(line, sizeof line, "G10 L2 P2 X-%d.5 Y-200. Z-350.\r\n", i % 400);
    } else if (i % 5000 == 5) {
      std::snprintf(line, sizeof line, "#5261=-%d.25\r\n", i % 400);
    } else if (i % 5000 == 6) {
      std::snprintf(line, sizeof line, "G%d G00 X0. Y0.\r\n", 55 + (i / 5000) % 2);
    } else {
      std::snprintf(line, sizeof line, "G01 X%d.%03d Y-%d.%03d F800.\r\n", i % 200, i % 1000, i % 90, (i * 7) % 1000);
    }
    p += line;
  }
  p += "%\r\n";
  return p;
}

double Milliseconds(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring folder = argc > 1 ? quenlo::platform::FromUtf8(argv[1]) : L".";
  if (!folder.empty() && folder.back() != L'/' && folder.back() != L'\\') folder += quenlo::platform::kPathSeparator;
  const std::wstring path = folder + L"bench_nc_check.nc";
  standin::InstallJob(MakeJob());
  const std::string program = MakeProgram();
  if (!quenlo::platform::ReplaceFileContents(path, program)) {
    std::fprintf(stderr, "cannot write the program\n");
    return 1;
  }
  static quenlo::AxisRow table[quenlo::kWcsRows];
  table[1][0] = 100;  // G54

  // Read and check by turns, so that both meet the same load on a shared
  // machine; the ratio is the median of the rounds' ratios.
  const int rounds = 9;
  std::string bytes;
  size_t findings = 0;
  double best_read = 1e300, best_check = 1e300, best_parse = 1e300;
  std::vector<double> ratios;
  for (int i = 0; i < rounds; ++i) {
    auto start = Clock::now();
    quenlo::platform::ReadWholeFile(path, bytes);
    const double read = Milliseconds(start);
    start = Clock::now();
    findings = quenlo::nc_check::CheckNcProgram(path, table).size();
    const double check = Milliseconds(start);
    start = Clock::now();
    findings += quenlo::nc_check::ReadNcProgram(bytes, true).uses.size() * 0;
    best_parse = std::min(best_parse, Milliseconds(start));
    best_read = std::min(best_read, read);
    best_check = std::min(best_check, check);
    ratios.push_back(check / read);
  }
  std::sort(ratios.begin(), ratios.end());
  std::printf("program: %d blocks, %zu bytes; one read %.2f ms (best); check %.2f ms (best); "
              "check / read %.2f (median of %d rounds), %zu findings; reading the program in memory %.2f ms (best)\n",
              kBlocks, program.size(), best_read, best_check, ratios[rounds / 2], rounds, findings, best_parse);
  quenlo::platform::RemoveFile(path);
  return 0;
}
