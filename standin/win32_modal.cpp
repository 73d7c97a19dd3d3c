#ifdef _WIN32
#include "win32_modal.h"

#include <set>
#include <vector>


namespace standin {
namespace {

struct Answering {
  std::function<void(HWND, int)> answer;
  std::function<void()> tick;
  std::set<HWND> seen;
  int count = 0;
};
Answering* g_answering = nullptr;

bool IsDialogWindow(HWND w) {
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  return std::wstring(cls) == L"#32770" && IsWindowVisible(w);
}

BOOL CALLBACK CollectWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Runs inside the modal loop: hands over each dialog window that is new.
void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_answering) return;
  for (HWND w : ThreadWindows()) {
    if (!IsDialogWindow(w) || g_answering->seen.count(w)) continue;
    g_answering->seen.insert(w);
    g_answering->answer(w, g_answering->count++);
  }
  if (g_answering->tick) g_answering->tick();
}

}  // namespace

int RunAnswered(const std::function<int()>& open, const std::function<void(HWND, int)>& answer,
                const std::function<void()>& tick) {
  Answering answering;
  answering.answer = answer;
  answering.tick = tick;
  for (HWND w : ThreadWindows()) answering.seen.insert(w);  // the panel itself, and any window before
  Answering* outer = g_answering;
  g_answering = &answering;
  UINT_PTR timer = SetTimer(nullptr, 0, 30, Look);
  int result = open();
  KillTimer(nullptr, timer);
  g_answering = outer;
  return result;
}

std::wstring WindowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

int AnsweredMessageBox(HWND owner, const std::wstring& text, UINT type, int yes_no_answer) {
  const bool yes_no = (type & MB_TYPEMASK) == MB_YESNO;
  return RunAnswered([&] { return MessageBoxW(owner, text.c_str(), L"Quenlo", type); },
                     [&](HWND box, int) {
                       WPARAM id = yes_no ? static_cast<WPARAM>(yes_no_answer) : IDOK;
                       PostMessageW(box, WM_COMMAND, id, 0);
                     });
}

}  // namespace standin
#endif
