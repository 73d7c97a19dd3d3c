#include "export/tools/offset_sections.h"

#include "common/numbers.h"
#include "export/tools/op_classes.h"
#include "host/folders.h"

namespace quenlo {

// A tool the tool system does not know adds no entry and leaves its number free.
void OffsetPass::Visit(const operation& op) {
  const int number = kind_ == OffsetKind::kRadius ? op.tl.d_number : op.tl.h_number;
  if (!IsMillingOpCode(op.opcode) || taken_.count(number) || !tools_) return;
  std::shared_ptr<const Cnc::Tool::TlAssembly> assembly;
  if (!tools_->GetAssembly(op.tl.tool_id, assembly) || !assembly) return;
  taken_.insert(number);
  double value = kind_ == OffsetKind::kRadius
                     ? op.tl.diameter / 2
                     : assembly->GetToolProjection(IsMetric()) + assembly->GetTotalHolderLength();
  entries_.push_back({number, value});
}

void AppendOffsetSection(std::string& out, OffsetKind kind, const std::vector<OffsetEntry>& entries) {
  for (const OffsetEntry& e : entries) {
    out += kind == OffsetKind::kRadius ? 'D' : 'H';
    AppendD(out, e.number);
    out += ' ';
    AppendF(out, e.value);
    out += '\n';
  }
}

}  // namespace quenlo
