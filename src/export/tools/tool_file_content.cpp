#include "export/tools/tool_file_content.h"

#include "export/tools/holder_section.h"
#include "export/tools/offset_sections.h"
#include "export/tools/operation_walk.h"
#include "export/tools/tool_record_pass.h"

namespace quenlo {

void BuildToolFile(std::string& out, ToolFileNumbers* numbers) {
  const Cnc::Tool::IToolSystem* tools = Cnc::Tool::GetToolSystem();
  operation op;

  // One walk feeds the three passes: each sees every operation in list order,
  // as a walk of its own would show it, and the host copies each operation
  // out once instead of three times.
  op.op_idn = 0;
  ToolRecordPass records(tools, out);
  OffsetSection radii(tools, OffsetKind::kRadius);
  OffsetSection lengths(tools, OffsetKind::kLength);
  WalkOperations(op, [&](const operation& o) {
    records.Visit(o);
    radii.Visit(o);
    lengths.Visit(o);
  });
  if (numbers) {
    numbers->tools = records.written();
    numbers->has_turning = records.saw_turning();
  }
  // A lathe job's tool file has no offset or holder sections.
  if (op_is_lathe(op.opcode)) return;

  if (numbers) {
    numbers->radii = radii.written();
    numbers->lengths = lengths.written();
  }
  out += radii.text();
  out += lengths.text();
  AppendHolderSection(out, records.holders(), tools);
}

}  // namespace quenlo
