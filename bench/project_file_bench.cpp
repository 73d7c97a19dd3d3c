// Time of the project-file rewrite on a large template that holds every key,
// against copying the same template with no keys and writing its bytes in one
// write. Two sizes show how the time grows.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_data.h"
#include "export/project/project_rules.h"
#include "export/project/project_writer.h"
#include "export/project/template_rewrite.h"
#include "host_state.h"
#include "job.h"
#include "platform/ansi.h"
#include "platform/files.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
double BestMs(F&& f, int repeats = 15) {
  double best = 1e300;
  for (int r = 0; r < repeats; ++r) {
    auto start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main() {
  standin::Job job;
  standin::JobError error;
  const std::string json = R"({"format":"quenlo-job/1","host":{"addin_folder":"."},)"
                           R"("machine_group":{"stock":{"shape":"box","size":[100,50,20],"origin_code":0}}})";
  if (!standin::ParseJob(json, L"bench-job.json", job, error)) {
    std::fprintf(stderr, "%s\n", error.message.c_str());
    return 2;
  }
  standin::InstallJob(job);

  quenlo::LinkSettings s;
  s.nc_file = L"D:\\NC\\部品1.NC";
  s.tol = L"D:\\NC\\工具.tol";
  s.mch = L"C:\\machines\\vmc.mch";
  s.wrk = L"C:\\stock\\part.wrk";
  s.prj = L"bench-output.prjx";
  for (int n = 0; n < quenlo::kWcsRows; ++n)
    for (int i = 0; i < 9; ++i) quenlo::WcsTable[n][i] = n * 1.5 + i * 0.001;
  for (int n = 0; n < quenlo::kRefRows; ++n)
    for (int i = 0; i < 9; ++i) quenlo::RefTable[n][i] = -n * 2.25 - i;
  quenlo::StockSetup stock = quenlo::ReadStockSetup(GroupsMachineGroup(nullptr));
  quenlo::KeyRules rules =
      quenlo::BuildProjectRules({s, quenlo::WcsTable, quenlo::RefTable, stock, L"unused.stl", nullptr});
  quenlo::KeyRules no_rules;

  std::printf("%8s %6s %10s %11s %14s %9s %9s %13s\n", "lines", "keys", "bytes", "rewrite ms", "rewrite ns/ln",
              "copy ms", "write ms", "full call ms");
  for (int lines : {20000, 40000}) {
    std::string tpl = bench::MakeTemplate(lines, 8);
    std::string out;
    double rewrite = BestMs([&] { out = quenlo::RewriteTemplate(tpl, rules); });
    double copy = BestMs([&] { quenlo::RewriteTemplate(tpl, no_rules); });
    double write = BestMs([&] { quenlo::platform::ReplaceFileContents(s.prj, out); });
    quenlo::platform::ReplaceFileContents(std::wstring(L".") + quenlo::platform::kPathSeparator +
                                              L"default_template.prj",
                                          tpl);
    double full = BestMs([&] { quenlo::WriteProjectFile(s); });
    std::printf("%8d %6zu %10zu %11.2f %14.0f %9.2f %9.2f %13.2f\n", lines, rules.size(), out.size(), rewrite,
                rewrite * 1e6 / lines, copy, write, full);
  }
  quenlo::platform::RemoveFile(s.prj);
  quenlo::platform::RemoveFile(std::wstring(L".") + quenlo::platform::kPathSeparator + L"default_template.prj");
  return 0;
}
