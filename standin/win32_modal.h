// Modal windows that the panel opens (file dialogs, message boxes) answered as
// the script says: while `open` runs its modal loop, every new dialog window
// of the thread is handed to `answer` once, shortly after it appeared.
#pragma once
#ifdef _WIN32

#include <windows.h>

#include <functional>
#include <string>

namespace standin {

// `answer` gets each new window and how many came before it in this call;
// `tick`, when given, is called every 30 ms while the modal loop runs.
int RunAnswered(const std::function<int()>& open, const std::function<void(HWND, int)>& answer,
                const std::function<void()>& tick = {});

// A message box owned by `owner`, answered: OK, or for a Yes/No box the
// answer given (IDYES or IDNO). Returns the button pressed.
int AnsweredMessageBox(HWND owner, const std::wstring& text, UINT type, int yes_no_answer);

// The text of a window or of one of its controls.
std::wstring WindowText(HWND window);

}  // namespace standin

#endif
