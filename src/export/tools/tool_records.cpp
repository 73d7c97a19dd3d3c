#include "export/tools/tool_records.h"

#include "common/numbers.h"
#include "common/one_line.h"
#include "export/tools/profile_encoding.h"
#include "platform/ansi.h"

namespace quenlo {
namespace {

using namespace Cnc::Tool;

void AppendHead(std::string& out, int tool_number, const char* kind, double length, int cycle) {
  out += 'T';
  AppendD(out, tool_number);
  out += ' ';
  out += kind;
  out += ' ';
  AppendF(out, length);
  out += ' ';
  AppendD(out, cycle);
}

// A comment stays on its record's line: line breaks in it become blanks.
void AppendTail(std::string& out, int holder_index, const std::wstring& comment) {
  out += " /";
  AppendD(out, holder_index);
  out += " #";
  out += platform::ToAnsi(OneLine(comment));
  out += '\n';
}

std::shared_ptr<const TlProfile> ProfileOf(const std::shared_ptr<const TlAssemblyItem>& item) {
  if (!item) return nullptr;
  TlProfileResult result = item->GetProfile();
  return result.status == 0 ? result.profile : nullptr;
}

}  // namespace

bool AppendMillingRecord(std::string& out, const operation& op, const TlAssembly& assembly, const tp_tool& converted,
                         int cycle, int holder_index) {
  std::shared_ptr<const TlProfile> profile = ProfileOf(assembly.GetMillTool());
  if (!profile) return false;
  AppendHead(out, op.tl.tool_number, "USERDEFTOOL", converted.overall_length, cycle);
  AppendMillProfile(out, *profile, MillLineRule{converted.type_code, converted.size_s, converted.overall_length});
  AppendTail(out, holder_index, op.tl.comment);
  return true;
}

bool AppendTurningRecord(std::string& out, const operation& op, const IToolSystem* tools, int cycle,
                         int holder_index) {
  std::shared_ptr<const TlToolLathe> tool;
  if (!tools || !tools->GetLatheTool(op.tl.tool_id, tool) || !tool) return false;
  std::shared_ptr<const TlProfile> profile = ProfileOf(tool->GetMainInsert());
  if (!profile) return false;
  AppendHead(out, op.tl.tool_number, "USERDEFBITE", tool->GetOverallLength(), cycle);
  AppendProfile(out, *profile);
  AppendTail(out, holder_index, op.tl.comment);
  return true;
}

}  // namespace quenlo
