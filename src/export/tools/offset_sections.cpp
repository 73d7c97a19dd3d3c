#include "export/tools/offset_sections.h"

#include "common/numbers.h"
#include "export/tools/op_classes.h"
#include "host/folders.h"

namespace quenlo {

// A tool the tool system does not know adds no line and leaves its number free.
void OffsetSection::Visit(const operation& op) {
  const int number = kind_ == OffsetKind::kRadius ? op.tl.d_number : op.tl.h_number;
  if (!IsMillingOpCode(op.opcode) || written_.count(number) || !tools_) return;
  std::shared_ptr<const Cnc::Tool::TlAssembly> assembly;
  if (!tools_->GetAssembly(op.tl.tool_id, assembly) || !assembly) return;
  written_.insert(number);
  double value = kind_ == OffsetKind::kRadius
                     ? op.tl.diameter / 2
                     : assembly->GetToolProjection(IsMetric()) + assembly->GetTotalHolderLength();
  text_ += kind_ == OffsetKind::kRadius ? 'D' : 'H';
  AppendD(text_, number);
  text_ += ' ';
  AppendF(text_, value);
  text_ += '\n';
}

}  // namespace quenlo
