#include "export/tools/tool_file_content.h"

#include "export/tools/holder_section.h"
#include "export/tools/offset_sections.h"
#include "export/tools/operation_walk.h"
#include "export/tools/tool_record_pass.h"

namespace quenlo {

void BuildToolFile(std::string& out, ToolFileNumbers* numbers) {
  const Cnc::Tool::IToolSystem* tools = Cnc::Tool::GetToolSystem();
  operation op;

  op.op_idn = 0;
  ToolRecordPass records(tools, out);
  WalkOperations(op, [&](const operation& o) { records.Visit(o); });
  if (numbers) {
    numbers->tools = records.written();
    numbers->has_turning = records.saw_turning();
  }
  if (op_is_lathe(op.opcode)) return;

  op.op_idn = 0;
  OffsetSection radii(tools, OffsetKind::kRadius);
  WalkOperations(op, [&](const operation& o) { radii.Visit(o); });
  OffsetSection lengths(tools, OffsetKind::kLength);
  WalkOperations(op, [&](const operation& o) { lengths.Visit(o); });

  if (numbers) {
    numbers->radii = radii.written();
    numbers->lengths = lengths.written();
  }
  out += radii.text();
  out += lengths.text();
  AppendHolderSection(out, records.holders(), tools);
}

}  // namespace quenlo
