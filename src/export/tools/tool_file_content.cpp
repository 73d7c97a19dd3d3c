#include "export/tools/tool_file_content.h"

#include "export/tools/holder_section.h"
#include "export/tools/offset_sections.h"
#include "export/tools/operation_walk.h"
#include "export/tools/tool_record_pass.h"
#include "export/tools/tool_records.h"

namespace quenlo {

ToolModel BuildToolModel() {
  const Cnc::Tool::IToolSystem* tools = Cnc::Tool::GetToolSystem();
  ToolModel model;
  operation op;

  // One walk feeds the three passes: each sees every operation in list order,
  // as a walk of its own would show it, and the host copies each operation
  // out once instead of three times.
  op.op_idn = 0;
  ToolRecordPass records(tools, model.records);
  OffsetPass radii(tools, OffsetKind::kRadius, model.radii);
  OffsetPass lengths(tools, OffsetKind::kLength, model.lengths);
  WalkOperations(op, [&](const operation& o) {
    records.Visit(o);
    radii.Visit(o);
    lengths.Visit(o);
  });
  model.has_turning = records.saw_turning();
  // A lathe job's tool file has no offset or holder sections.
  model.closing_sections = !op_is_lathe(op.opcode);
  if (model.closing_sections) model.holders = HolderRecords(records.holders(), tools);
  return model;
}

void AppendToolFile(std::string& out, const ToolModel& model) {
  for (const ToolRecord& record : model.records) AppendToolRecord(out, record);
  if (!model.closing_sections) return;
  AppendOffsetSection(out, OffsetKind::kRadius, model.radii);
  AppendOffsetSection(out, OffsetKind::kLength, model.lengths);
  AppendHolderSection(out, model.holders);
}

void BuildToolFile(std::string& out) { AppendToolFile(out, BuildToolModel()); }

ToolFileNumbers NumbersOf(const ToolModel& model) {
  ToolFileNumbers numbers;
  for (const ToolRecord& record : model.records) numbers.tools.insert(record.number);
  numbers.has_turning = model.has_turning;
  if (!model.closing_sections) return numbers;
  for (const OffsetEntry& e : model.radii) numbers.radii.insert(e.number);
  for (const OffsetEntry& e : model.lengths) numbers.lengths.insert(e.number);
  return numbers;
}

}  // namespace quenlo
