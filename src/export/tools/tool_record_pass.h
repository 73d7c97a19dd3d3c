// Pass 1 of the tool file: one record per distinct tool number, in the order
// in which operations first use the number, and the holder list of the
// milling operations. A number is taken by the first operation whose tool the
// tool system knows, even when that tool then gives no profile and so no record.
#pragma once

#include <unordered_set>
#include <vector>

#include "export/tools/holder_list.h"
#include "export/tools/tool_model.h"
#include "host/operations.h"
#include "host/tool_library.h"

namespace quenlo {

// The holder index of turning records written before any milling operation
// has found a holder: no holder.
inline constexpr int kNoHolderIndex = -1;

class ToolRecordPass {
 public:
  ToolRecordPass(const Cnc::Tool::IToolSystem* tools, std::vector<ToolRecord>& records)
      : tools_(tools), records_(records) {}

  // One operation of the walk.
  void Visit(const operation& op);

  const HolderList& holders() const { return holders_; }
  // Whether the job turns at all.
  bool saw_turning() const { return saw_turning_; }

 private:
  // The cycle number of the next record: 0, 1, ..., 11, 0, ...
  int NextCycle();
  void VisitMilling(const operation& op);
  void VisitTurning(const operation& op);

  const Cnc::Tool::IToolSystem* tools_;
  std::vector<ToolRecord>& records_;
  std::unordered_set<int> taken_;  // tool numbers taken by an operation
  HolderList holders_;
  int cycle_ = -1;
  int holder_index_ = kNoHolderIndex;
  bool saw_turning_ = false;
};

}  // namespace quenlo
