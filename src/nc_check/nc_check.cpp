#include "nc_check/nc_check.h"

#include "common/messages.h"
#include "export/tools/tool_file_content.h"
#include "nc_check/nc_findings.h"
#include "nc_check/nc_reader.h"

namespace quenlo::nc_check {
namespace {

std::wstring CannotRead(const std::wstring& nc_file) { return messages::NcFileUnreadable(nc_file); }

}  // namespace

std::vector<std::wstring> CheckNcProgram(const std::wstring& nc_file, const AxisRow* work_offsets) {
  // The tool model that the tool file is written from: the check knows no
  // rules of its own about which operation brings which number.
  ToolFileNumbers hand_off = NumbersOf(BuildToolModel());
  const std::optional<NcReading> reading = ReadNcFile(nc_file, !hand_off.has_turning);
  if (!reading || !reading->readable) return {CannotRead(nc_file)};
  return FindMissing(reading->uses, hand_off, work_offsets);
}

std::vector<std::wstring> ListedFindings(const std::vector<std::wstring>& findings) {
  std::vector<std::wstring> lines;
  for (size_t i = 0; i < findings.size() && i < kListedFindings; ++i) lines.push_back(findings[i]);
  if (findings.size() > kListedFindings)
    lines.push_back(messages::MoreFindings(findings.size() - kListedFindings));
  return lines;
}

std::wstring LaunchQuestion(const std::vector<std::wstring>& findings) {
  std::wstring text = messages::kCheckFound;
  for (const std::wstring& line : ListedFindings(findings)) text += line + L"\n";
  text += messages::kLaunchAnyway;
  return text;
}

}  // namespace quenlo::nc_check
