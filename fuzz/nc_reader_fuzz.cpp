// The NC reader behind the check before a launch: any bytes give a list of
// first uses in the order of the program, each once, with numbers a control
// could select and lines within the program; reading T words adds tool uses
// and changes nothing else.
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "nc_check/nc_reader.h"

using quenlo::nc_check::NcUse;
using quenlo::nc_check::NcWord;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view program(reinterpret_cast<const char*>(data), size);
  int breaks = 0;
  for (char c : program) breaks += c == '\n' || c == '\r';
  const std::vector<NcUse> with_tools = quenlo::nc_check::ReadNcUses(program, true);
  const std::vector<NcUse> without = quenlo::nc_check::ReadNcUses(program, false);

  std::set<std::pair<int, int>> seen;
  int last_line = 1;
  std::vector<NcUse> not_tools;
  for (const NcUse& use : with_tools) {
    FUZZ_CHECK(seen.insert({static_cast<int>(use.word), use.number}).second);
    FUZZ_CHECK(use.line >= last_line && use.line <= breaks + 1);
    last_line = use.line;
    if (use.word == NcWord::kWorkOffset)
      FUZZ_CHECK(use.number >= 1 && use.number <= 314);
    else
      FUZZ_CHECK(use.number >= 1 && use.number <= 999999999);
    if (use.word != NcWord::kTool) not_tools.push_back(use);
  }
  FUZZ_CHECK(not_tools.size() == without.size());
  for (size_t i = 0; i < without.size(); ++i)
    FUZZ_CHECK(without[i].word == not_tools[i].word && without[i].number == not_tools[i].number &&
               without[i].line == not_tools[i].line);
  return 0;
}
