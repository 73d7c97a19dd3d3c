// The NC program as a Fanuc-style control reads it, reduced to what the
// hand-off to the simulator must carry: the tools selected by T words, the
// length and radius offsets called with H and D, and the work offsets
// selected, less the offsets that the program sets itself before it uses
// them (G10, offset variables). The reading is conservative: whatever it
// cannot be sure of it leaves out, so that a correct program never yields a
// use it does not make.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace quenlo::nc_check {

enum class NcWord {
  kTool,        // T n
  kLength,      // H n with G43, G43.1, G43.4, G43.5, G43.7 or G44 (in the block, or the last H)
  kRadius,      // D n with G41, G42, G41.2 ... G42.6 (in the block, or the last D)
  kWorkOffset,  // G54..G59, G54.1 P1..P300, G54.2 P1..P8: `number` is the work-offset table row
};

struct NcUse {
  NcWord word;
  int number;
  int line;  // from 1: the block of the first use, or for a D or H taken from an earlier block, that block
};

struct NcReading {
  // The first use of each tool, offset and work offset that the program does
  // not set itself before it, ordered by line.
  std::vector<NcUse> uses;
  // The first use of each offset that the program sets itself before it (what
  // `uses` leaves out), ordered by line: for pages that show what the program
  // selects, not for the check.
  std::vector<NcUse> set_uses;
  // False for text that is no program the control could read: UTF-16 (a byte
  // order mark, or NUL bytes between the characters), or no block at all
  // that holds an address outside comments and junk.
  bool readable = false;
};

// T words are read only when `read_tool_words` is set.
NcReading ReadNcProgram(std::string_view program, bool read_tool_words);

// The same for the program in a file, read in pieces of about `piece` bytes
// (a program of millions of blocks is never held whole; tests read in small
// pieces). Nothing when the file cannot be opened or read.
inline constexpr size_t kNcPiece = 256 * 1024;
std::optional<NcReading> ReadNcFile(std::wstring_view path, bool read_tool_words, size_t piece = kNcPiece);

}  // namespace quenlo::nc_check
