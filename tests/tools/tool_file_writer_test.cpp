// Writing the tool file: the file is complete or not there, and a failure is
// shown to the user once, in Japanese, naming the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "export/tools/tool_file_writer.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "tool_job.h"

namespace quenlo {
namespace {

using namespace tool_job;
using testing_support::FileExists;
using testing_support::Messages;
using testing_support::ReadBytes;
using testing_support::TempDir;

std::string FailureMessage(const std::wstring& path) {
  return "message: " + platform::ToUtf8(L"工具ファイル「" + path + L"」を保存できませんでした。");
}

size_t EntriesIn(const std::wstring& folder) {
  size_t n = 0;
  for (auto it = std::filesystem::directory_iterator(std::filesystem::path(folder));
       it != std::filesystem::directory_iterator(); ++it)
    ++n;
  return n;
}

Job SmallJob() {
  Job job;
  job.assemblies.push_back(Assembly(1, 10, json::array({Line(0, 0, 1, 2)})));
  job.operations.push_back(Op(1, 1, 1, {{"comment", "x"}}));
  return job;
}

TEST(ToolFileWriter, EmptyMachineGroupGivesAnEmptyFile) {
  TempDir dir;
  for (const char* job : {R"({"format":"quenlo-job/1","machine_group":{}})",
                          R"({"format":"quenlo-job/1","machine_group":{"operations":[]}})"}) {
    ASSERT_TRUE(testing_support::InstallJob(job, dir.path()));
    testing_support::WriteBytes(dir / L"t.tol", "old contents");
    WriteToolFile(dir / L"t.tol");
    EXPECT_TRUE(FileExists(dir / L"t.tol"));
    EXPECT_EQ(ReadBytes(dir / L"t.tol"), "");
    EXPECT_TRUE(Messages().empty());
  }
}

TEST(ToolFileWriter, ReplacesAnOldFileAndLeavesNothingBeside) {
  TempDir dir;
  ASSERT_TRUE(testing_support::InstallJob(SmallJob().Text(), dir.path()));
  const std::wstring path = dir / L"工具 ファイル.tol";
  ASSERT_TRUE(platform::ReplaceFileContents(path, std::string(100000, 'z')));
  WriteToolFile(path);
  EXPECT_EQ(ReadBytes(path), "T1 USERDEFTOOL 10.000000 0 1 2 /0 #x\nD0 0.000000\nH0 0.000000\n");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
  EXPECT_TRUE(Messages().empty());
}

TEST(ToolFileWriter, PathsThatCannotBeWrittenAreReportedOnce) {
  TempDir dir;
  ASSERT_TRUE(testing_support::InstallJob(SmallJob().Text(), dir.path()));
  platform::MakeDirectory(dir / L"folder.tol");
  const std::wstring sep(1, platform::kPathSeparator);
  for (const std::wstring& path :
       {dir / (L"missing" + sep + L"t.tol"), dir / L"folder.tol", std::wstring(), dir / L"folder.tol" + sep}) {
    testing_support::InstallJob(SmallJob().Text(), dir.path());  // clears the transcript
    WriteToolFile(path);
    EXPECT_EQ(Messages(), std::vector<std::string>{FailureMessage(path)});
    EXPECT_FALSE(FileExists(path));
  }
  EXPECT_EQ(platform::GetPathKind(dir / L"folder.tol"), platform::PathKind::kDirectory);
  EXPECT_EQ(EntriesIn(dir / L"folder.tol"), 0u);
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

}  // namespace
}  // namespace quenlo
