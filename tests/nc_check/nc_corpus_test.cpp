// Whole programs as posts and people write them for Fanuc-style controls
// (tests/nc_check/corpus/*.nc), each checked against the set-up its header
// comments give:
//   (QUENLO TOOLS 1 2 5)           milling tools with the same D and H numbers
//   (QUENLO OFFSETS G54 G54.1P3)   work-offset rows that hold a value (the rest are zero)
//   (QUENLO FINDINGS T7@23 G56@30) the findings, word and line, in order (none: no line)
//   (QUENLO NOT H21 G55)           words a check that ignored what the program sets would report
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "nc_check/nc_check.h"
#include "nc_check/nc_findings.h"
#include "platform/ansi.h"
#include "support/test_host.h"
#include "tools/tool_job.h"

namespace quenlo::nc_check {
namespace {

using namespace tool_job;

struct Case {
  std::vector<int> tools;
  std::vector<std::wstring> offsets, findings, not_findings;
};

std::vector<std::wstring> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::wstring> words;
  for (std::string w; in >> w;) words.push_back(platform::FromUtf8(w));
  return words;
}

Case ReadHeader(const std::string& program) {
  Case c;
  const std::string tag = "(QUENLO ";
  for (size_t at = program.find(tag); at != std::string::npos; at = program.find(tag, at + 1)) {
    const size_t close = program.find(')', at);
    std::istringstream line(program.substr(at + tag.size(), close - at - tag.size()));
    std::string kind, rest;
    line >> kind;
    std::getline(line, rest);
    if (kind == "TOOLS")
      for (const std::wstring& t : Words(rest)) c.tools.push_back(std::stoi(t));
    else if (kind == "OFFSETS") c.offsets = Words(rest);
    else if (kind == "FINDINGS") c.findings = Words(rest);
    else if (kind == "NOT") c.not_findings = Words(rest);
    else ADD_FAILURE() << "unknown header " << kind;
  }
  return c;
}

int RowOf(const std::wstring& name) {
  for (int row = 1; row < kWcsRows; ++row)
    if (WordName({NcWord::kWorkOffset, row, 0}) == name) return row;
  ADD_FAILURE() << "no work offset " << platform::ToUtf8(name);
  return 0;
}

// "T7（23行目）: ..." as "T7@23".
std::wstring Short(const std::wstring& finding) {
  const size_t open = finding.find(L'（'), close = finding.find(L"行目）");
  if (open == std::wstring::npos || close == std::wstring::npos) return finding;
  return finding.substr(0, open) + L"@" + finding.substr(open + 1, close - open - 1);
}

TEST(NcCorpus, EachProgramGivesExactlyItsFindings) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(QUENLO_SOURCE_DIR "/tests/nc_check/corpus"))
    if (entry.path().extension() == ".nc") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  int correct = 0;
  for (const std::filesystem::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::string program = testing_support::ReadBytes(file.wstring());
    const Case c = ReadHeader(program);
    Job job;
    for (int t : c.tools) {
      job.assemblies.push_back(Assembly(1000 + t, 75, json::array({Line(0, 0, 5, 0)})));
      job.operations.push_back(Op(1, t, 1000 + t, {{"diameter", 10}, {"d_number", t}, {"h_number", t}}));
    }
    testing_support::TempDir dir;
    ASSERT_TRUE(testing_support::InstallJob(job.Text(), dir.path()));
    static AxisRow table[kWcsRows];
    for (AxisRow& row : table) row = AxisRow{};
    for (const std::wstring& name : c.offsets) table[RowOf(name)][2] = -100;
    std::vector<std::wstring> got;
    for (const std::wstring& finding : CheckNcProgram(file.wstring(), table)) got.push_back(Short(finding));
    EXPECT_EQ(got, c.findings);
    for (const std::wstring& word : c.not_findings)
      for (const std::wstring& finding : got)
        EXPECT_NE(finding.substr(0, finding.find(L'@')), word);
    correct += c.findings.empty();
  }
  EXPECT_GE(files.size(), 40u);
  EXPECT_GE(correct * 2, static_cast<int>(files.size()));
}

}  // namespace
}  // namespace quenlo::nc_check
