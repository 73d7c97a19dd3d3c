// Starting the simulator: the parameter text, how Windows splits it, and the
// stand-in simulator started for real, on both builds (ShellExecuteW under
// Wine, the POSIX start here); starts that cannot happen are shown once.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/ansi.h"
#include "platform/files.h"
#include "platform/process.h"
#include "registry_fixture.h"
#include "simulator/simulator_launch.h"
#include "support/test_host.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#endif

namespace simulator_test {
namespace {

using quenlo::platform::SplitWindowsArguments;
using quenlo::platform::ToUtf8;
using testing_support::TempDir;

std::vector<std::wstring> Args(std::initializer_list<const wchar_t*> list) { return {list.begin(), list.end()}; }

TEST(SimulatorParameters, ProjectPathInQuotes) {
  std::wstring text = quenlo::SimulatorParameters(L"D:\\work\\part1.prjx");
  EXPECT_EQ(text, L"-prjf \"D:\\work\\part1.prjx\"");
  EXPECT_EQ(text.size() - 8, 18u);  // between the two quotes
  std::wstring long_prj(9000, L'x');
  EXPECT_EQ(quenlo::SimulatorParameters(long_prj).size(), 9008u);  // nothing is cut
}

TEST(SplitWindowsArguments, AsTheWindowsRuntimeSplits) {
  EXPECT_EQ(SplitWindowsArguments(L"-prjf \"D:\\my work\\部品 1.prjx\""),
            Args({L"-prjf", L"D:\\my work\\部品 1.prjx"}));
  EXPECT_EQ(SplitWindowsArguments(L"  a\tb  "), Args({L"a", L"b"}));
  EXPECT_EQ(SplitWindowsArguments(L"\"\" x"), Args({L"", L"x"}));
  EXPECT_EQ(SplitWindowsArguments(L"a\\\\b \\\\\\\"c \"d\"\"e\""), Args({L"a\\\\b", L"\\\"c", L"d\"e"}));
  EXPECT_EQ(SplitWindowsArguments(L"\"C:\\dir\\\\\" next"), Args({L"C:\\dir\\", L"next"}));
  // A project folder that ends in a backslash escapes the closing quote, as on Windows.
  EXPECT_EQ(SplitWindowsArguments(L"-prjf \"C:\\dir\\\""), Args({L"-prjf", L"C:\\dir\""}));
}

void SetLog(const std::wstring& path) {
#ifdef _WIN32
  SetEnvironmentVariableW(L"TARVIK_STANDIN_LOG", path.c_str());
#else
  setenv("TARVIK_STANDIN_LOG", ToUtf8(path).c_str(), 1);
#endif
}

// The stand-in simulator's log, once it has written it (it runs on its own).
std::string WaitForLog(const std::wstring& path) {
  for (int i = 0; i < 200; ++i) {
    std::string text;
    if (quenlo::platform::ReadWholeFile(path, text) && text.find("\nerror: ") != std::string::npos) return text;
    if (text.find("\nloaded\n") != std::string::npos) return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return "";
}

struct Started {
  std::wstring exe, parameters;
  bool started = false;
  int count = 0;
};
Started g_seen;

void Observe(std::wstring_view exe, std::wstring_view parameters, bool started) {
  g_seen = Started{std::wstring(exe), std::wstring(parameters), started, g_seen.count + 1};
}

class Launch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::InstallJob(R"({"format": "quenlo-job/1"})", dir.path()));
    g_seen = Started{};
    quenlo::platform::SetProgramStartObserver(&Observe);
    SetLog(log);
  }
  void TearDown() override { quenlo::platform::SetProgramStartObserver(nullptr); }

  TempDir dir;
  std::wstring log = dir / L"standin.log";
};

TEST_F(Launch, ProjectWithBlanksAndJapaneseReachesTheSimulatorAsOneArgument) {
  std::wstring prj = dir / L"my 部品 folder\\part 1.prjx";
  quenlo::LaunchSimulator(StandinSimulatorPath(), prj);
  EXPECT_TRUE(testing_support::Messages().empty());
  EXPECT_EQ(g_seen.count, 1);
  EXPECT_TRUE(g_seen.started);
  EXPECT_EQ(g_seen.exe, StandinSimulatorPath());
  EXPECT_EQ(g_seen.parameters, L"-prjf \"" + prj + L"\"");
  std::string text = WaitForLog(log);
  EXPECT_NE(text.find("argument 1: -prjf\nargument 2: " + ToUtf8(prj) + "\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("argument 3"), std::string::npos) << text;
  EXPECT_NE(text.find("error: project file not found"), std::string::npos) << text;
#ifndef _WIN32
  // The simulator was never our child: nothing is left to reap.
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
#endif
}

#ifndef _WIN32
TEST_F(Launch, StartsWhereTheHostIgnoresChildSignals) {
  auto previous = signal(SIGCHLD, SIG_IGN);
  quenlo::LaunchSimulator(StandinSimulatorPath(), dir / L"a.prjx");
  signal(SIGCHLD, previous);
  EXPECT_TRUE(testing_support::Messages().empty());
  EXPECT_TRUE(g_seen.started);
  EXPECT_NE(WaitForLog(log).find("argument 2: " + ToUtf8(dir / L"a.prjx") + "\n"), std::string::npos);
}
#endif

#ifndef _WIN32
// A bare program name is looked up folder by folder on PATH: a folder where
// the name is only a data file, or that does not exist, is passed over; a
// name that no folder holds as a program is shown as not startable.
TEST_F(Launch, ABareNameIsLookedUpOnThePath) {
  const char* path = std::getenv("PATH");
  const std::string saved = path ? path : "";
  const std::wstring exe = StandinSimulatorPath();
  const size_t cut = exe.find_last_of(L'/');
  ASSERT_NE(cut, std::wstring::npos);
  const std::wstring name = exe.substr(cut + 1);
  testing_support::WriteBytes(dir / name, "not a program\n");
  const std::string here = ToUtf8(dir.path().substr(0, dir.path().size() - 1));

  setenv("PATH", (here + ":/no such folder:" + ToUtf8(exe.substr(0, cut))).c_str(), 1);
  quenlo::LaunchSimulator(name, dir / L"a.prjx");
  EXPECT_TRUE(testing_support::Messages().empty());
  EXPECT_TRUE(g_seen.started);
  EXPECT_NE(WaitForLog(log).find("argument 2: " + ToUtf8(dir / L"a.prjx") + "\n"), std::string::npos);

  for (const std::string& folders : {here, std::string("/no such folder")}) {
    ASSERT_TRUE(testing_support::InstallJob(R"({"format": "quenlo-job/1"})", dir.path()));
    setenv("PATH", folders.c_str(), 1);
    quenlo::LaunchSimulator(name, dir / L"a.prjx");
    std::vector<std::string> messages = testing_support::Messages();
    ASSERT_EQ(messages.size(), 1u) << folders;
    EXPECT_EQ(messages[0], "message: シミュレーターを起動できません: " + ToUtf8(name));
  }
  setenv("PATH", saved.c_str(), 1);
}
#endif

TEST_F(Launch, ProjectOf9000CharactersIsPassedWhole) {
  std::wstring prj = dir / (std::wstring(9000 - dir.path().size() - 5, L'p') + L".prjx");
  ASSERT_EQ(prj.size(), 9000u);
  quenlo::LaunchSimulator(StandinSimulatorPath(), prj);
  EXPECT_TRUE(testing_support::Messages().empty());
  std::string text = WaitForLog(log);
  EXPECT_NE(text.find("argument 2: " + ToUtf8(prj) + "\n"), std::string::npos) << text.substr(0, 300);
}

TEST_F(Launch, AProgramThatCannotStartIsShownOnceByName) {
  std::wstring data_file = dir / L"simulator.notaprogram";
  testing_support::WriteBytes(data_file, "not a program\n");
  const std::wstring cases[] = {
      L"",                                    // no executable at all
      dir / L"シミュレータ\\missing.exe",     // no such file
      dir.path(),                             // a folder
      data_file,                              // not a program, no association
  };
  for (const std::wstring& exe : cases) {
    ASSERT_TRUE(testing_support::InstallJob(R"({"format": "quenlo-job/1"})", dir.path()));
    quenlo::LaunchSimulator(exe, dir / L"a.prjx");
    std::vector<std::string> messages = testing_support::Messages();
    ASSERT_EQ(messages.size(), 1u) << ToUtf8(exe);
    EXPECT_EQ(messages[0], "message: シミュレーターを起動できません: " + ToUtf8(exe));
  }
  EXPECT_FALSE(quenlo::platform::GetPathKind(log) == quenlo::platform::PathKind::kFile);
}

}  // namespace
}  // namespace simulator_test
