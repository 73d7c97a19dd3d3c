// The holders of a tool file: gathered from the milling operations in the
// order in which they are first met. An entry's index (from 0) is the holder
// number that the tool file uses.
#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <utility>
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
  std::wstring name;           // as the host names it
};

// The entries, and for each way of matching one the first entry it finds, so
// that a job of many tools and holders is gathered in time linear in its size.
class HolderList {
 public:
  size_t size() const { return entries_.size(); }
  const HolderEntry& operator[](size_t index) const { return entries_[index]; }

  // The first entry that `holder` matches: by number (`holder_number`) when
  // the host tells its holders apart by number, otherwise by the exact holder
  // diameter and length of the tool's legacy record. -1 when none does.
  int Find(const tp_holder& holder, int holder_number, const tp_tool& converted) const;

  // Appends an entry; its index.
  int Add(const HolderEntry& entry);

 private:
  std::vector<HolderEntry> entries_;
  std::unordered_map<int, int> by_number_;                // holder number: first entry
  std::map<std::pair<double, double>, int> by_size_;      // diameter and length: first entry
};

// The index of the operation's holder, appending an entry when the holder is
// not in the list yet. `converted` is the legacy record of the operation's tool.
int GatherHolder(HolderList& list, const operation& op, const tp_tool& converted);

}  // namespace quenlo
