// quenlo-host JOB [--script FILE] [--do ACTION]... [--version N] [--fault KIND:N | --fault count] [--headless]
//   [--timing]
//
// The stand-in CAM host: loads the job, loads the add-in, answers its
// handshake, runs it, and plays the user on its panel with a panel script.
// Reports, a line each, what the host saw. Exit status 0 after a completed
// run, 2 for a bad job file or script. --fault fails the Nth file operation
// of a kind (file_faults.h) and reports the count of each kind at the end.
// --headless keeps the panel a model without windows on Windows too (as on
// the native build): runs that test files, not the panel, start in a fraction
// of the time a real window takes under Wine. --timing reports when the
// panel was shown, counted from the call of Run.
//
// On Windows the add-in is the Tarvik.dll in the job's add-in folder, as the
// CAM host loads it from there; a job whose add-in folder holds none runs the
// one built beside the host program. Its version, as the host reports it,
// is read from the library's version resource.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <memory>

#include "add_in.h"
#include "file_faults.h"
#include "fixed_clock.h"
#include "host_state.h"
#include "panel_script.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "program_watch.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include "entry/entry_points.h"
#include "quenlo_version.h"
#endif

namespace standin {

#ifdef _WIN32
std::wstring AddInPath() {
  std::wstring folder = Host().job.addin_folder;
  if (!folder.empty()) {
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    if (GetFileAttributesW((folder + L"Tarvik.dll").c_str()) != INVALID_FILE_ATTRIBUTES) return folder + L"Tarvik.dll";
  }
  wchar_t self[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  folder.assign(self, n);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"Tarvik.dll";
}

// "major.minor.patch" of the file version in the library's version resource,
// empty when it has none.
std::string FileVersion(const std::wstring& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return "";
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info)
    return "";
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS));
}

bool LoadAddIn(AddIn& add_in, std::string& error) {
  std::wstring path = AddInPath();
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) {
    error = "cannot load Tarvik.dll (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  WatchProgramStarts(module);
  add_in.module = module;
  add_in.version = FileVersion(path);
  add_in.m_version = reinterpret_cast<int (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module, "m_version")));
  add_in.m_main = reinterpret_cast<int (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module, "m_main")));
  add_in.Run = reinterpret_cast<int (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module, "Run")));
  if (!add_in.m_version || !add_in.m_main || !add_in.Run) {
    error = "Tarvik.dll does not export m_version, m_main and Run";
    return false;
  }
  return true;
}
#else
bool LoadAddIn(AddIn& add_in, std::string&) {
  WatchProgramStarts(nullptr);
  add_in.version = QUENLO_VERSION_TEXT;
  add_in.m_version = &::m_version;
  add_in.m_main = &::m_main;
  add_in.Run = &::Run;
  return true;
}
#endif

}  // namespace standin

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: quenlo-host JOB [--script FILE] [--do ACTION]... [--version N] [--fault KIND:N | --fault "
               "count] [--headless] [--timing]\n");
  return 2;
}

std::wstring Wide(const char* arg) { return quenlo::platform::FromUtf8(arg); }

int RunHost(const std::wstring& job_path, const std::wstring& script_path, const std::string& extra_actions,
            int version, const standin::FaultPlan& faults, bool headless, bool timing) {
  standin::Job job;
  standin::JobError error;
  if (!standin::LoadJobFile(job_path, job, error)) {
    std::fprintf(stderr, "quenlo-host: %s\n", error.message.c_str());
    return 2;
  }
  standin::InstallJob(job);
  standin::HostState& host = standin::Host();
  host.echo = true;
#ifdef _WIN32
  host.real_windows = !headless;  // the panel in a real function-panel window
#else
  (void)headless;  // the native build has no real windows
#endif
  standin::PanelScript script;
  if (!script_path.empty()) {
    std::string text;
    if (!quenlo::platform::ReadWholeFile(script_path, text)) {
      std::fprintf(stderr, "quenlo-host: %s: cannot read the panel script\n",
                   quenlo::platform::ToUtf8(script_path).c_str());
      return 2;
    }
    script = standin::PanelScript::Parse(text);
  }
  script.Append(standin::PanelScript::Parse(extra_actions));
  host.script = std::make_unique<standin::PanelScript>(script);

  standin::AddIn add_in;
  std::string load_error;
  if (!standin::LoadAddIn(add_in, load_error)) {
    std::fprintf(stderr, "quenlo-host: %s\n", load_error.c_str());
    return 2;
  }
  if (faults.active) {
    standin::InjectFileFaults(faults, add_in.module);
    // Counted at the program's end: the add-in removes a replaced file's old
    // bytes in the background after Run returns, and is done at exit.
    std::atexit(standin::ReportFileOperations);
  }
  standin::Report("add-in: Tarvik.dll " + (add_in.version.empty() ? "without a version resource" : add_in.version));
  if (!standin::FixClockFromEnvironment(add_in.module)) {
    std::fprintf(stderr, "quenlo-host: QUENLO_CLOCK: expected YYYY-MM-DD hh:mm:ss\n");
    return 2;
  }
  standin::Report("version: " + std::to_string(add_in.m_version(version)));
  if (timing) host.run_started = std::chrono::steady_clock::now();
  int result = add_in.Run(0);
  standin::Report("run: returned " + std::to_string(result));
  return host.script->failed() ? 2 : 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** wargv) {
  // The transcript is UTF-8 lines ending in LF, as on every build.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(quenlo::platform::ToUtf8(wargv[i]));
#else
int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
#endif
  std::wstring job, script;
  std::string actions;
  int version = 2800;
  standin::FaultPlan faults;
  bool headless = false, timing = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool has_value = i + 1 < args.size();
    if (a == "--script" && has_value) {
      script = Wide(args[++i].c_str());
    } else if (a == "--do" && has_value) {
      actions += args[++i] + "\n";
    } else if (a == "--version" && has_value) {
      version = std::atoi(args[++i].c_str());
    } else if (a == "--fault" && has_value) {
      if (!standin::ParseFaultPlan(args[++i], faults)) return Usage();
    } else if (a == "--headless") {
      headless = true;
    } else if (a == "--timing") {
      timing = true;
    } else if (!a.empty() && a[0] != '-' && job.empty()) {
      job = Wide(a.c_str());
    } else {
      return Usage();
    }
  }
  if (job.empty()) return Usage();
  return RunHost(job, script, actions, version, faults, headless, timing);
}
