#include "program_watch.h"

#include <string>

#include "host_state.h"
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

HINSTANCE WINAPI WatchedShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                                      INT show) {
  HINSTANCE h = g_real_shell_execute(owner, verb, file, parameters, folder, show);
  ReportStart(file ? file : L"", parameters ? parameters : L"", reinterpret_cast<INT_PTR>(h) > 32);
  return h;
}

// Replaces the module's import of SHELL32!ShellExecuteW in its import table.
void RouteShellExecute(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0) return;
  for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + imp->Name), "shell32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk
                                                                                        : imp->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<const char*>(by_name->Name), "ShellExecuteW") != 0) continue;
      DWORD old = 0;
      if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old)) return;
      if (!g_real_shell_execute) g_real_shell_execute = reinterpret_cast<ShellExecuteWFn>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&WatchedShellExecuteW);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
    }
  }
}
#endif

}  // namespace

void WatchProgramStarts(void* add_in) {
  quenlo::platform::SetProgramStartObserver(&ReportStart);
#ifdef _WIN32
  if (add_in) RouteShellExecute(static_cast<HMODULE>(add_in));
#else
  (void)add_in;
#endif
}

}  // namespace standin
