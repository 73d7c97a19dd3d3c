// The panel script parser: any UTF-8 text gives actions of one word each, in
// line order, with the line numbers the text has, and nothing of a comment.
#include <string>

#include "fuzz_check.h"
#include "panel_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  standin::PanelScript script = standin::PanelScript::Parse(text);
  int lines = 1;
  for (char c : text) lines += c == '\n';
  int previous = 0;
  for (const standin::ScriptLine& line : script.lines()) {
    FUZZ_CHECK(line.number > previous && line.number <= lines);
    previous = line.number;
    FUZZ_CHECK(!line.action.empty() && line.action[0] != L'#');
    FUZZ_CHECK(line.action.find_first_of(L" \t\n") == std::wstring::npos);
    FUZZ_CHECK(line.target.find_first_of(L" \t\n") == std::wstring::npos);
    FUZZ_CHECK(line.argument.find(L'\n') == std::wstring::npos);
    if (!line.argument.empty()) FUZZ_CHECK(line.argument.front() != L' ' && line.argument.back() != L' ');
  }
  standin::PanelScript twice = standin::PanelScript::Parse(text);
  twice.Append(script);
  FUZZ_CHECK(twice.lines().size() == 2 * script.lines().size());
  return 0;
}
