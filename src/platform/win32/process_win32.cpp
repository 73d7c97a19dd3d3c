// Program start on Windows: ShellExecuteW with the verb "open", no working
// folder, SW_SHOWNORMAL. The add-in neither waits for the program nor watches it.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/process.h"

namespace quenlo::platform {

void NotifyProgramStart(std::wstring_view exe, std::wstring_view parameters, bool started);

StartResult StartProgram(void* owner, std::wstring_view exe, std::wstring_view parameters) {
  std::wstring file(exe), params(parameters);
  HINSTANCE h = ShellExecuteW(static_cast<HWND>(owner), L"open", file.c_str(), params.c_str(), nullptr,
                              SW_SHOWNORMAL);
  auto code = reinterpret_cast<INT_PTR>(h);
  StartResult result;
  if (code > 32) {
    result = StartResult::kStarted;
  } else if (code == SE_ERR_FNF || code == SE_ERR_PNF) {
    result = StartResult::kNotFound;
  } else if (code == SE_ERR_ACCESSDENIED || code == ERROR_BAD_FORMAT) {
    result = StartResult::kNotExecutable;
  } else if (code == SE_ERR_NOASSOC || code == SE_ERR_ASSOCINCOMPLETE) {
    result = StartResult::kNoAssociation;
  } else {
    result = StartResult::kFailed;
  }
  NotifyProgramStart(exe, parameters, result == StartResult::kStarted);
  return result;
}

void KeepThisLibraryLoaded() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&KeepThisLibraryLoaded), &self);
}

}  // namespace quenlo::platform
