#include "export/tools/holder_list.h"

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
  return entry;
}

}  // namespace

int FindHolderEntry(const HolderList& list, const tp_holder& holder, int holder_number, const tp_tool& converted) {
  for (size_t i = 0; i < list.size(); ++i) {
    const HolderEntry& e = list[i];
    bool match = holder.by_number != 0 ? e.holder_id == holder_number
                                       : e.dia == converted.holder_dia && e.length == converted.holder_length;
    if (match) return static_cast<int>(i);
  }
  return -1;
}

int GatherHolder(HolderList& list, const operation& op, const tp_tool& converted) {
  tp_holder holder;
  HolderGetHolder(op.holder_number, &holder);
  int found = FindHolderEntry(list, holder, op.holder_number, converted);
  if (found >= 0) return found;
  list.push_back(NewEntry(holder, op));
  return static_cast<int>(list.size() - 1);
}

}  // namespace quenlo
