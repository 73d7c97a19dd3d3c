#include "export/tools/tool_record_pass.h"

#include "export/tools/op_classes.h"
#include "export/tools/tool_records.h"

namespace quenlo {

int ToolRecordPass::NextCycle() {
  if (++cycle_ > 11) cycle_ = 0;
  return cycle_;
}

void ToolRecordPass::Visit(const operation& op) {
  if (IsTurningOpCode(op.opcode)) saw_turning_ = true;
  if (taken_.count(op.tl.tool_number)) return;
  if (IsMillingOpCode(op.opcode)) {
    VisitMilling(op);
  } else if (IsTurningOpCode(op.opcode)) {
    VisitTurning(op);
  } else {
    NextCycle();
  }
}

// A tool the tool system does not know writes no record and gathers no holder
// (there is no legacy record to match it by); its number stays free for a
// later operation. Like any operation of pass 1 it takes a cycle number.
void ToolRecordPass::VisitMilling(const operation& op) {
  std::shared_ptr<const Cnc::Tool::TlAssembly> assembly;
  if (!tools_ || !tools_->GetAssembly(op.tl.tool_id, assembly) || !assembly) {
    NextCycle();
    return;
  }
  taken_.insert(op.tl.tool_number);
  const tp_tool converted = Cnc::Tool::TpToolConverter::ToOld(*assembly);
  holder_index_ = GatherHolder(holders_, op, converted);
  const int cycle = NextCycle();
  ToolRecord record;
  if (MillingRecord(op, *assembly, converted, cycle, holder_index_, record)) records_.push_back(std::move(record));
}

void ToolRecordPass::VisitTurning(const operation& op) {
  {
    Cnc::Tool::TlMgr manager;
    std::shared_ptr<Cnc::Tool::ILTool> known;
    if (!manager.Find(op.tl.tool_id, known)) return;
  }
  taken_.insert(op.tl.tool_number);
  const int cycle = NextCycle();
  ToolRecord record;
  if (TurningRecord(op, tools_, cycle, holder_index_, record)) records_.push_back(std::move(record));
}

}  // namespace quenlo
