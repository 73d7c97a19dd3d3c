#include "export/tools/holder_list.h"

#include <cmath>

namespace quenlo {
namespace {

constexpr wchar_t kDefaultHolderName[] = L"デフォルトホルダ";

HolderEntry NewEntry(const tp_holder& holder, const operation& op) {
  HolderEntry entry;
  if (holder.num_levels > 0 && !holder.levels.empty()) {
    entry.dia = holder.levels[0][0];
    entry.length = holder.levels[0][2];
  }
  entry.is_user = holder.num_levels != 0 && holder.name != kDefaultHolderName ? 1 : 0;
  entry.holder_id = op.holder_number;
  entry.tool_id = op.tl.tool_id;
  entry.name = holder.name;
  return entry;
}

}  // namespace

int HolderList::Find(const tp_holder& holder, int holder_number, const tp_tool& converted) const {
  if (holder.by_number != 0) {
    auto found = by_number_.find(holder_number);
    return found == by_number_.end() ? -1 : found->second;
  }
  // Sizes match when they are equal: a size that is not a number matches none
  // (and is not in the index), and 0 and -0 are one size.
  if (std::isnan(converted.holder_dia) || std::isnan(converted.holder_length)) return -1;
  auto found = by_size_.find({converted.holder_dia, converted.holder_length});
  return found == by_size_.end() ? -1 : found->second;
}

int HolderList::Add(const HolderEntry& entry) {
  const int index = static_cast<int>(entries_.size());
  entries_.push_back(entry);
  by_number_.emplace(entry.holder_id, index);  // the first of a number stays
  if (!std::isnan(entry.dia) && !std::isnan(entry.length))
    by_size_.emplace(std::make_pair(entry.dia, entry.length), index);
  return index;
}

int GatherHolder(HolderList& list, const operation& op, const tp_tool& converted) {
  tp_holder holder;
  HolderGetHolder(op.holder_number, &holder);
  int found = list.Find(holder, op.holder_number, converted);
  if (found >= 0) return found;
  return list.Add(NewEntry(holder, op));
}

}  // namespace quenlo
