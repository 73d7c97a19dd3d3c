// The holders of a tool file: gathered from the milling operations in the
// order in which they are first met. An entry's index (from 0) is the holder
// number that the tool file uses.
#pragma once

#include <vector>

#include "host/operations.h"
#include "host/tool_library.h"

namespace quenlo {

struct HolderEntry {
  double dia = 0;              // first level's diameter, 0 without holder data
  double length = 0;           // first level's length, 0 without holder data
  unsigned char is_user = 0;   // 1: written with its profile
  int holder_id = 0;           // the host's holder number
  int tool_id = 0;             // the tool that first brought the holder in
};

using HolderList = std::vector<HolderEntry>;

// The entry that `holder` matches: by number (`holder_number`) when the host
// tells its holders apart by number, otherwise by the exact holder diameter
// and length of the tool's legacy record. -1 when none does.
int FindHolderEntry(const HolderList& list, const tp_holder& holder, int holder_number, const tp_tool& converted);

// The index of the operation's holder, appending an entry when the holder is
// not in the list yet. `converted` is the legacy record of the operation's tool.
int GatherHolder(HolderList& list, const operation& op, const tp_tool& converted);

}  // namespace quenlo
