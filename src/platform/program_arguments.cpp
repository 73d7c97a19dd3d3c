// Windows parameter text to arguments, and the program-start observer; shared
// by both program-start back ends.
#include "platform/process.h"

namespace quenlo::platform {
namespace {

ProgramStartObserver g_observer = nullptr;

}  // namespace

std::vector<std::wstring> SplitWindowsArguments(std::wstring_view text) {
  std::vector<std::wstring> args;
  size_t i = 0;
  const size_t n = text.size();
  for (;;) {
    while (i < n && (text[i] == L' ' || text[i] == L'\t')) ++i;
    if (i >= n) break;
    std::wstring arg;
    bool quoted = false;
    while (i < n) {
      wchar_t c = text[i];
      if (!quoted && (c == L' ' || c == L'\t')) break;
      if (c == L'\\') {
        size_t count = 0;
        while (i < n && text[i] == L'\\') {
          ++count;
          ++i;
        }
        if (i < n && text[i] == L'"') {
          arg.append(count / 2, L'\\');
          if (count % 2 == 1) {
            arg.push_back(L'"');
            ++i;
          }
        } else {
          arg.append(count, L'\\');
        }
        continue;
      }
      if (c == L'"') {
        if (quoted && i + 1 < n && text[i + 1] == L'"') {
          arg.push_back(L'"');
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg.push_back(c);
      ++i;
    }
    args.push_back(arg);
  }
  return args;
}

void SetProgramStartObserver(ProgramStartObserver observer) { g_observer = observer; }

void NotifyProgramStart(std::wstring_view exe, std::wstring_view parameters, bool started) {
  if (g_observer) g_observer(exe, parameters, started);
}

}  // namespace quenlo::platform
