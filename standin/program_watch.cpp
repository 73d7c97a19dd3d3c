#include "program_watch.h"

#include <string>

#include "host/dialog.h"
#include "host_state.h"
#include "import_route.h"
#include "platform/ansi.h"
#include "platform/process.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace standin {
namespace {

void ReportStart(std::wstring_view exe, std::wstring_view parameters, bool started) {
  Report(std::string(started ? "started: " : "start failed: ") + quenlo::platform::ToUtf8(exe) + " " +
         quenlo::platform::ToUtf8(parameters));
}

#ifdef _WIN32
using ShellExecuteWFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
ShellExecuteWFn g_real_shell_execute = nullptr;

std::string Quoted(LPCWSTR text) { return text ? "\"" + quenlo::platform::ToUtf8(text) + "\"" : "none"; }

// How the add-in asked: verb, working folder, show state and owner window.
void ReportShellCall(HWND owner, LPCWSTR verb, LPCWSTR folder, INT show) {
  HostWindow* frame = get_MainFrame();
  std::string whose = "another window";
  if (!owner)
    whose = "none";
  else if (frame && owner == frame->GetSafeHwnd())
    whose = "the main window";
  Report("shell execute: verb " + Quoted(verb) + ", folder " + Quoted(folder) + ", show " + std::to_string(show) +
         ", owner " + whose);
}

HINSTANCE WINAPI WatchedShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                                      INT show) {
  ReportShellCall(owner, verb, folder, show);
  HINSTANCE h = g_real_shell_execute(owner, verb, file, parameters, folder, show);
  ReportStart(file ? file : L"", parameters ? parameters : L"", reinterpret_cast<INT_PTR>(h) > 32);
  return h;
}
#endif

}  // namespace

void WatchProgramStarts(void* add_in) {
  quenlo::platform::SetProgramStartObserver(&ReportStart);
#ifdef _WIN32
  if (add_in) {
    void* real = RouteImport(add_in, "shell32.dll", "ShellExecuteW", reinterpret_cast<void*>(&WatchedShellExecuteW));
    if (real && !g_real_shell_execute) g_real_shell_execute = reinterpret_cast<ShellExecuteWFn>(real);
  }
#else
  (void)add_in;
#endif
}

}  // namespace standin
