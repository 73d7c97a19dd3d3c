#include "export/tools/tool_records.h"

#include "common/numbers.h"
#include "common/one_line.h"
#include "export/tools/profile_encoding.h"
#include "host/folders.h"
#include "platform/ansi.h"

namespace quenlo {
namespace {

using namespace Cnc::Tool;

std::shared_ptr<const TlProfile> ProfileOf(const std::shared_ptr<const TlAssemblyItem>& item) {
  if (!item) return nullptr;
  TlProfileResult result = item->GetProfile();
  return result.status == 0 ? result.profile : nullptr;
}

// What every record takes from its operation.
ToolRecord RecordOf(const operation& op, int cycle, int holder_index) {
  ToolRecord record;
  record.number = op.tl.tool_number;
  record.cycle = cycle;
  record.holder_index = holder_index;
  record.comment = op.tl.comment;
  record.diameter = op.tl.diameter;
  record.d_number = op.tl.d_number;
  record.h_number = op.tl.h_number;
  return record;
}

}  // namespace

bool MillingRecord(const operation& op, const TlAssembly& assembly, const tp_tool& converted, int cycle,
                   int holder_index, ToolRecord& record) {
  std::shared_ptr<const TlProfile> profile = ProfileOf(assembly.GetMillTool());
  if (!profile) return false;
  record = RecordOf(op, cycle, holder_index);
  record.length = converted.overall_length;
  record.profile =
      MillProfilePieces(*profile, MillLineRule{converted.type_code, converted.size_s, converted.overall_length});
  record.projection = assembly.GetToolProjection(IsMetric());
  return true;
}

bool TurningRecord(const operation& op, const IToolSystem* tools, int cycle, int holder_index, ToolRecord& record) {
  std::shared_ptr<const TlToolLathe> tool;
  if (!tools || !tools->GetLatheTool(op.tl.tool_id, tool) || !tool) return false;
  std::shared_ptr<const TlProfile> profile = ProfileOf(tool->GetMainInsert());
  if (!profile) return false;
  record = RecordOf(op, cycle, holder_index);
  record.turning = true;
  record.length = tool->GetOverallLength();
  record.profile = ProfilePieces(*profile);
  return true;
}

// A comment stays on its record's line: line breaks in it become blanks.
void AppendToolRecord(std::string& out, const ToolRecord& record) {
  out += 'T';
  AppendD(out, record.number);
  out += record.turning ? " USERDEFBITE " : " USERDEFTOOL ";
  AppendF(out, record.length);
  out += ' ';
  AppendD(out, record.cycle);
  AppendProfile(out, record.profile);
  out += " /";
  AppendD(out, record.holder_index);
  out += " #";
  out += platform::ToAnsi(OneLine(record.comment));
  out += '\n';
}

}  // namespace quenlo
