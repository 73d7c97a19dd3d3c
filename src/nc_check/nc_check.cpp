#include "nc_check/nc_check.h"

#include "common/messages.h"
#include "export/tools/tool_file_content.h"
#include "nc_check/nc_findings.h"

namespace quenlo::nc_check {
namespace {

std::wstring CannotRead(const std::wstring& nc_file) { return messages::NcFileUnreadable(nc_file); }

}  // namespace

NcFileReading ReadNcFileWithFacts(const std::wstring& nc_file, bool tools_read) {
  NcFileReading file;
  file.tools_read = tools_read;
  if (!platform::ReadFileFacts(nc_file, file.facts)) return file;
  std::optional<NcReading> reading = ReadNcFile(nc_file, tools_read);
  if (!reading) return file;
  file.found = true;
  file.reading = std::move(*reading);
  return file;
}

std::vector<std::wstring> CheckNcProgram(const std::wstring& nc_file, const AxisRow* work_offsets,
                                         NcFileReading* read) {
  // The tool model that the tool file is written from: the check knows no
  // rules of its own about which operation brings which number.
  ToolFileNumbers hand_off = NumbersOf(BuildToolModel());
  NcFileReading file = ReadNcFileWithFacts(nc_file, !hand_off.has_turning);
  std::vector<std::wstring> findings;
  if (!file.found || !file.reading.readable)
    findings = {CannotRead(nc_file)};
  else
    findings = FindMissing(file.reading.uses, hand_off, work_offsets);
  if (read) *read = std::move(file);
  return findings;
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
