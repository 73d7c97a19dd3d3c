// Times the whole launch after the panel closes (tool file, project file with
// the STL of a solid stock, simulator start, store) on a large job (5,000
// operations over 500 tools with 40-segment profiles, 300 holders, 500 D and
// 500 H, a 20,000-line template, all 316 work-offset rows set) and on twice
// that job, against the floor: one write of each output's bytes. Also the
// opening of the panel with that full store against opening it with none.
//
// The launch is the difference between a whole run that ends in 起動 and one
// that ends in キャンセル (the same reads, the same panel); the two take turns.
// The simulator it starts is this program, which writes its process id to a
// file and returns. Each measurement that starts it then waits, untimed, until
// it has ended: under Wine a process takes a good part of a second of
// processor time to start and end, which would otherwise fall on the
// measurements after it.
//
// The setup sheet's share: a launch that writes it against one with
// setup_sheet=0 in the store, taking turns; the job's NC program selects every
// tool and G54 ... G59, and each launch finds the sheet of the one before.
// Every timed launch must have written its files (each is made stale before
// it); otherwise the program says which and reports no figure.
//
//   bench_launch [FOLDER] [RUNS]   (default: the current folder, 7 runs)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "bench_data.h"
#include "entry/entry_points.h"
#include "export/project/project_writer.h"
#include "export/tools/tool_file_writer.h"
#include "host_state.h"
#include "panel_script.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/settings_store.h"
#include "simulator/simulator_launch.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <climits>
#endif

namespace {

constexpr char kPidFileVariable[] = "QUENLO_BENCH_SIMULATOR_PID";
constexpr wchar_t kPidFileVariableW[] = L"QUENLO_BENCH_SIMULATOR_PID";

// Started as the simulator: say who we are and end.
int ActAsSimulator() {
#ifdef _WIN32
  const unsigned long pid = GetCurrentProcessId();
  wchar_t file[32768];
  const DWORD length = GetEnvironmentVariableW(kPidFileVariableW, file, 32768);
  if (length == 0 || length >= 32768) return 0;
  const std::wstring path(file, length);
#else
  const unsigned long pid = static_cast<unsigned long>(getpid());
  const char* file = std::getenv(kPidFileVariable);
  if (!file) return 0;
  const std::wstring path = quenlo::platform::FromUtf8(file);
#endif
  quenlo::platform::ReplaceFileContents(path, std::to_string(pid));
  return 0;
}

// Waits until the simulator that was started last has written its process id
// and ended (for at most ten seconds in all).
void WaitForSimulator(const std::wstring& pid_file) {
  // Waited for without sleeping: a processor left idle is slow to come back,
  // and the next measurement would pay for it.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::string text;
  while (!quenlo::platform::ReadWholeFile(pid_file, text) && std::chrono::steady_clock::now() < give_up)
    std::this_thread::yield();
  quenlo::platform::RemoveFile(pid_file);
  const unsigned long pid = std::strtoul(text.c_str(), nullptr, 10);
  if (pid == 0) return;
#ifdef _WIN32
  if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid)) {
    while (WaitForSingleObject(process, 0) == WAIT_TIMEOUT && std::chrono::steady_clock::now() < give_up)
      std::this_thread::yield();
    CloseHandle(process);
  }
#else
  // Ended, or a zombie: the simulator is the grandchild of this program, and
  // an init that reaps nothing (some containers) leaves it one.
  auto running = [pid] {
    if (kill(static_cast<pid_t>(pid), 0) != 0) return false;
    std::string stat;
    quenlo::platform::ReadWholeFile(L"/proc/" + std::to_wstring(pid) + L"/stat", stat);
    const size_t name_end = stat.rfind(')');
    return name_end == std::string::npos || stat.compare(name_end, 3, ") Z") != 0;
  };
  while (running() && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
#endif
}

std::wstring ThisProgram() {
#ifdef _WIN32
  wchar_t path[32768];
  DWORD n = GetModuleFileNameW(nullptr, path, 32768);
  return std::wstring(path, n);
#else
  char path[PATH_MAX];
  return realpath("/proc/self/exe", path) ? quenlo::platform::FromUtf8(path) : L"";
#endif
}

// One whole run of the add-in with the panel played by `script`.
void RunWith(const char* script) {
  standin::Host().script = std::make_unique<standin::PanelScript>(standin::PanelScript::Parse(script));
  ::Run(0);
}

std::string Bytes(const std::wstring& path) {
  std::string bytes;
  quenlo::platform::ReadWholeFile(path, bytes);
  return bytes;
}

void Measure(const std::wstring& parent, int scale, int runs) {
  const std::string job_name = scale == 1 ? "large job" : "large job x2";
  const std::wstring base = bench::MakeFolder(parent, L"起動ベンチ" + std::to_wstring(scale));
  const std::wstring user = bench::MakeFolder(base, L"ユーザー");
  const std::wstring addins = bench::MakeFolder(base, L"アドイン");
  standin::Job job = bench::MakeToolJob(scale);
  job.user_folder = user;
  job.addin_folder = addins.substr(0, addins.size() - 1);
  job.machine_group->nc_file = base + L"部品.NC";
  job.machine_group->stock.shape = 2;  // solid
  job.machine_group->stock.size[0] = job.machine_group->stock.size[1] = 200;
  job.machine_group->stock.size[2] = 50;
  job.machine_group->stock.solid.kind = standin::Solid::Kind::kCylinder;
  job.machine_group->stock.solid.radius = 100;
  job.machine_group->stock.solid.height = 50;
  // One stock block, as in a simulator's own template: every ".wrkjig.path"
  // line met writes the STL file again, so a template of several blocks
  // would time as many STL writes against the floor's one.
  quenlo::platform::ReplaceFileContents(addins + L"default_template.prj", bench::MakeTemplate(20000 * scale, 1));
  standin::InstallJob(job);

  const std::wstring exe = ThisProgram();
  const std::wstring pid_file = base + L"simulator.pid";
  quenlo::platform::RemoveFile(pid_file);
#ifdef _WIN32
  SetEnvironmentVariableW(kPidFileVariableW, pid_file.c_str());
#else
  setenv(kPidFileVariable, quenlo::platform::ToUtf8(pid_file).c_str(), 1);
#endif
  const auto values = bench::FullStoreValues(base, exe, 1);
  // The NC check is off, as the launch's figures are of what follows the
  // panel; one pair of launches times the sheet with the check on.
  auto store_full = [&](bool nc_check = false) {
    quenlo::StoreWrite w;
    for (const auto& [key, value] : values) w.Set(key, value);
    w.Set(L"nc_check", nc_check ? L"1" : L"0");
    w.Set(L"setup_sheet", L"1");
    w.Commit();
  };
  const std::wstring store = *quenlo::GetStorePath();
  store_full();

  const std::wstring tol = base + L"工具ファイル_1.tol", prj = base + L"プロジェクト_1.prjx";
  const std::wstring stl = job.machine_group->nc_file + L".stl";
  const std::wstring sheet = base + L"プロジェクト_1.setup.html";
  // The NC program: every tool once, with its length offset, over G54 ... G59.
  quenlo::platform::ReplaceFileContents(job.machine_group->nc_file, bench::ProgramSelectingEveryTool(job));

  // Every launch that is timed must have written its files: a folder that
  // cannot be written (under Wine at another code page than 932 its Japanese
  // name cannot be) would time launches that wrote nothing.
  const std::string stale = "stale";
  std::string sheet_bytes;
  auto make_stale = [&](bool with_sheet) {
    quenlo::platform::ReplaceFileContents(tol, stale);
    quenlo::platform::ReplaceFileContents(prj, stale);
    // The previous sheet, as a launch finds it, marked so that its replacement shows.
    if (with_sheet) quenlo::platform::ReplaceFileContents(sheet, sheet_bytes + stale);
  };
  auto written = [&](bool with_sheet, const char* what) {
    const std::string t = Bytes(tol), p = Bytes(prj), h = Bytes(sheet);
    const bool ok = !t.empty() && t != stale && !p.empty() && p != stale &&
                    (!with_sheet || (h.size() > stale.size() && h.compare(h.size() - stale.size(), stale.size(), stale) != 0));
    if (!ok) {
      std::fprintf(stderr, "bench_launch: %s did not write its files (tool file, project file%s) in %s\n", what,
                   with_sheet ? ", setup sheet" : "", quenlo::platform::ToUtf8(base).c_str());
      std::exit(1);
    }
  };

  make_stale(false);
  RunWith("click launch\n");
  WaitForSimulator(pid_file);
  written(true, "the first launch");
  sheet_bytes = Bytes(sheet);
  const std::string tol_bytes = Bytes(tol), prj_bytes = Bytes(prj), stl_bytes = Bytes(stl), store_bytes = Bytes(store);

  // The floor: one write of each output's bytes.
  const std::wstring copy = base + L"床";
  auto write_once = [&](const std::wstring& extension, const std::string& bytes) {
    return bench::MedianMs(1, [&] { quenlo::platform::ReplaceFileContents(copy + extension, bytes); });
  };
  quenlo::LinkSettings s;
  s.nc_file = job.machine_group->nc_file;
  s.tol = tol;
  s.prj = prj;
  s.exe = exe;
  // Everything takes turns, so that ours and the floor meet the same disk: a
  // run ending in 起動, one ending in キャンセル, one with no store, the floor,
  // and each step alone.
  std::vector<double> cancelled, empty_store, floor_tol, floor_prj, floor_stl, floor_store, tool_file, project_file,
      start, store_write, without_sheet, floor_sheet, checked_without_sheet;
  // A launch with the sheet and the same launch without it, in turns that
  // change which goes first; the sheet's share is the median of the pairs'
  // differences, which the disk's slower and faster moments touch alike.
  // The launch with the sheet is the one without it and that share.
  std::vector<double> sheet_share, checked_sheet_share;
  auto sheet_pair = [&](std::vector<double>& without, std::vector<double>& share, bool with_first) {
    auto launch = [&](bool sheet) {
      quenlo::StoreWrite set;
      set.Set(L"setup_sheet", sheet ? L"1" : L"0");
      set.Commit();
      make_stale(true);
      const double ms = bench::MedianMs(1, [] { RunWith("click launch\n"); });
      WaitForSimulator(pid_file);
      written(sheet, sheet ? "a launch" : "a launch with setup_sheet=0");
      if (!sheet) without.push_back(ms);
      return ms;
    };
    const double first = launch(with_first), second = launch(!with_first);
    share.push_back(with_first ? first - second : second - first);
  };
  for (int i = 0; i < runs; ++i) {
    sheet_pair(without_sheet, sheet_share, i % 2 == 0);
    // The same with the NC check on, as the add-in is by default: the sheet
    // then takes the NC program as the check read it.
    store_full(true);
    sheet_pair(checked_without_sheet, checked_sheet_share, i % 2 == 1);
    store_full();
    floor_sheet.push_back(write_once(L".html", sheet_bytes));
    cancelled.push_back(bench::MedianMs(1, [] { RunWith("click cancel\n"); }));
    quenlo::platform::RemoveFile(store);
    empty_store.push_back(bench::MedianMs(1, [] { RunWith("click cancel\n"); }));
    store_full();
    floor_tol.push_back(write_once(L".tol", tol_bytes));
    floor_prj.push_back(write_once(L".prjx", prj_bytes));
    floor_stl.push_back(write_once(L".stl", stl_bytes));
    floor_store.push_back(write_once(L".ini", store_bytes));
    tool_file.push_back(bench::MedianMs(1, [&] { quenlo::WriteToolFile(tol); }));
    project_file.push_back(bench::MedianMs(1, [&] { quenlo::WriteProjectFile(s); }));
    start.push_back(bench::MedianMs(1, [&] { quenlo::LaunchSimulator(exe, prj); }));
    WaitForSimulator(pid_file);
    store_write.push_back(bench::MedianMs(1, store_full));
  }
  using bench::Median;
  const double floor = Median(floor_tol) + Median(floor_prj) + Median(floor_stl) + Median(floor_store);

  const double without = Median(without_sheet) - Median(cancelled);
  const double checked_without = Median(checked_without_sheet) - Median(cancelled);
  const double launch = without + Median(sheet_share);
  std::printf("%s: tool file %zu bytes, project file %zu bytes, STL %zu bytes, store %zu bytes, setup sheet %zu "
              "bytes; medians of %d\n",
              job_name.c_str(), tol_bytes.size(), prj_bytes.size(), stl_bytes.size(), store_bytes.size(),
              sheet_bytes.size(), runs);
  bench::PrintRow(job_name, "launch after the panel closes", launch, "floor: one write of each output", floor);
  // What the add-in does itself: under Wine the program start alone, inside
  // ShellExecuteW, costs about twice the floor.
  bench::PrintRow(job_name, "the same less the simulator start", launch - Median(start),
                  "floor: one write of each output", floor);
  bench::PrintRow(job_name, "tool file", Median(tool_file), "one write of its bytes", Median(floor_tol));
  bench::PrintRow(job_name, "project file and STL", Median(project_file), "one write of each",
                  Median(floor_prj) + Median(floor_stl));
  bench::PrintRow(job_name, "store (339 writes)", Median(store_write), "one write of its bytes", Median(floor_store));
  bench::PrintRow(job_name, "simulator start", Median(start), "-", 0);
  bench::PrintRow(job_name, "launch with the setup sheet", launch, "the same, setup_sheet=0", without);
  bench::PrintRow(job_name, "setup sheet (launch less the same without)", Median(sheet_share),
                  "one write of its bytes", Median(floor_sheet));
  bench::PrintRow(job_name, "launch with the setup sheet, NC check on", checked_without + Median(checked_sheet_share),
                  "the same, setup_sheet=0", checked_without);
  bench::PrintRow(job_name, "run ending in cancel, full store", Median(cancelled), "the same, no store",
                  Median(empty_store));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "-prjf") return ActAsSimulator();
  const std::wstring parent = argc > 1 ? quenlo::platform::FromUtf8(argv[1]) : L".";
  const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
  bench::PrintHeader();
  Measure(parent, 1, runs);
  Measure(parent, 2, runs);
  return 0;
}
