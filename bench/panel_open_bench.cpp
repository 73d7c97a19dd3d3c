// Times the opening of the panel as the user meets it: whole runs of the
// stand-in host, `quenlo-host JOB --do "click cancel" --timing`, with a full
// store (339 keys, long Japanese paths, every row set) against no store. The
// host reports when the panel was shown, counted from its call of Run: on the
// Windows build the real dialog in its function-panel window, initialised
// (the 315 + 5 entries of the work-offset selector among it) and drawn; also
// timed with --headless, the panel without windows. The runs take turns.
//
//   bench_panel_open [FOLDER] [RUNS]   (default: the current folder, 11 runs)
//
// quenlo-host is looked for beside this program.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_data.h"
#include "host_state.h"
#include "job.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/settings_store.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#endif

namespace {

std::wstring ProgramFolder() {
#ifdef _WIN32
  wchar_t path[32768];
  std::wstring self(path, GetModuleFileNameW(nullptr, path, 32768));
#else
  char path[PATH_MAX];
  std::wstring self = realpath("/proc/self/exe", path) ? quenlo::platform::FromUtf8(path) : L"";
#endif
  return self.substr(0, self.find_last_of(L"\\/") + 1);
}

struct Timed {
  double shown_ms = -1;  // from Run to the panel shown, as the host reports it
  double whole_ms = 0;   // the whole host process
};

// One run of the host; the "panel shown" line of its transcript.
Timed RunHost(const std::wstring& command) {
  Timed t;
  const auto start = std::chrono::steady_clock::now();
#ifdef _WIN32
  FILE* out = _wpopen(command.c_str(), L"rb");
#else
  FILE* out = popen(quenlo::platform::ToUtf8(command).c_str(), "r");
#endif
  if (!out) return t;
  char line[4096];
  while (std::fgets(line, sizeof line, out))
    if (std::sscanf(line, "panel shown: %lf ms after Run", &t.shown_ms) != 1) continue;
#ifdef _WIN32
  _pclose(out);
#else
  pclose(out);
#endif
  t.whole_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return t;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace

int main(int argc, char** argv) {
  const std::wstring parent = argc > 1 ? quenlo::platform::FromUtf8(argv[1]) : L".";
  const int runs = argc > 2 ? std::atoi(argv[2]) : 11;
  const std::wstring base = bench::MakeFolder(parent, L"パネルベンチ");
  bench::MakeFolder(base, L"user");
  bench::MakeFolder(base, L"addins");
  const std::wstring job_path = base + L"job.json";
  quenlo::platform::ReplaceFileContents(job_path, R"({ "format": "quenlo-job/1",
  "host": { "user_folder": "user/", "addin_folder": "addins", "code_page": 932 },
  "machine_group": {
    "nc": { "file": "部品.NC", "prefix": "", "suffix": ".NC" },
    "stock": { "shape": "box", "size": [100, 50, 20], "origin": [0, 0, 0], "origin_code": 0 } } }
)");
  standin::Job job;
  standin::JobError error;
  if (!standin::LoadJobFile(job_path, job, error)) {
    std::fprintf(stderr, "bench_panel_open: %s\n", error.message.c_str());
    return 2;
  }
  standin::InstallJob(job);
  const std::wstring store = *quenlo::GetStorePath();
  const std::wstring folder = ProgramFolder();
#ifdef _WIN32
  const std::wstring host = folder + L"quenlo-host.exe";
  const std::wstring simulator = folder + L"tarvik-standin.exe";
#else
  const std::wstring host = folder + L"quenlo-host";
  const std::wstring simulator = folder + L"tarvik-standin";
#endif
  const auto values = bench::FullStoreValues(base, simulator, 1);
  auto store_full = [&] {
    quenlo::StoreWrite w;
    for (const auto& [key, value] : values) w.Set(key, value);
    w.Commit();
  };
  std::wstring command = Quoted(host) + L" " + Quoted(job_path) + L" --do \"click cancel\" --timing";
#ifdef _WIN32
  command = L"\"" + command + L"\"";  // cmd /c takes off the outer quotes
#endif
  const std::wstring headless = command.substr(0, command.size() - 1) + L" --headless" + command.back();

  // Taking turns: each way with the full store, then each with none.
  struct Way {
    const char* what;
    std::wstring command;
    std::vector<double> shown[2], whole[2];  // [0] full store, [1] none
  };
  std::vector<Way> ways;
#ifdef _WIN32
  ways.push_back({"the real panel", command, {}, {}});
  ways.push_back({"the panel headless", headless, {}, {}});
#else
  ways.push_back({"the panel (headless on this build)", command, {}, {}});
#endif
  RunHost(command);  // a first run out of the figures: the files in the cache
  for (int i = 0; i < runs; ++i) {
    for (int with_store = 0; with_store < 2; ++with_store) {
      if (with_store == 0)
        store_full();
      else
        quenlo::platform::RemoveFile(store);
      for (Way& way : ways) {
        Timed t = RunHost(way.command);
        if (t.shown_ms < 0) {
          std::fprintf(stderr, "bench_panel_open: the host reported no panel shown\n");
          return 1;
        }
        way.shown[with_store].push_back(t.shown_ms);
        way.whole[with_store].push_back(t.whole_ms);
      }
    }
  }
  bench::PrintHeader();
  std::printf("panel opening: whole runs of quenlo-host ending in cancel; medians of %d\n", runs);
  for (const Way& way : ways) {
    bench::PrintRow("full store (339 keys)", std::string("Run to ") + way.what + " shown",
                    bench::Median(way.shown[0]), "no store", bench::Median(way.shown[1]));
    bench::PrintRow("full store (339 keys)", std::string("whole run, ") + way.what,
                    bench::Median(way.whole[0]), "no store", bench::Median(way.whole[1]));
  }
  return 0;
}
