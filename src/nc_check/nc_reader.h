// The NC program as a Fanuc-style control reads it, reduced to what the
// hand-off to the simulator must carry: the tools selected by T words, the
// length and radius offsets called with H and D, and the work offsets
// selected. The reading is conservative: whatever it cannot be sure of it
// leaves out, so that a correct program never yields a use it does not make.
#pragma once

#include <string_view>
#include <vector>

namespace quenlo::nc_check {

enum class NcWord {
  kTool,        // T n
  kLength,      // H n in a block with G43, G43.4, G43.5 or G44
  kRadius,      // D n in a block with G41 or G42
  kWorkOffset,  // G54..G59, G54.1 P1..P300, G54.2 P1..P8: `number` is the work-offset table row
};

struct NcUse {
  NcWord word;
  int number;
  int line;  // where it is first used, from 1
};

// The first use of each tool, offset and work offset, in the order of the
// program. T words are read only when `read_tool_words` is set.
std::vector<NcUse> ReadNcUses(std::string_view program, bool read_tool_words);

}  // namespace quenlo::nc_check
