#include <gtest/gtest.h>

#include <algorithm>

#include "entry/entry_points.h"
#include "headless_window.h"
#include "host/resources.h"
#include "host_state.h"
#include "panel_script.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "platform/process.h"
#include "settings/link_settings.h"
#include "settings/settings_store.h"
#include "support/file_opens.h"
#include "support/test_host.h"
#include "ui/control_ids.h"
#include "ui/panel_template.h"

namespace quenlo {
namespace {

using testing_support::FileExists;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

constexpr char kJobHead[] = R"({"format":"quenlo-job/1","host":{"user_folder":"user/","addin_folder":"addins"},)";

class LinkRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ClearTables();
    platform::MakeDirectory(dir_ / L"user");
  }
  // Installs a job with the given machine group and a panel script.
  void Start(const std::string& machine_group, const std::string& script, const char* head = kJobHead) {
    ASSERT_TRUE(testing_support::InstallJob(std::string(head) + R"("machine_group":)" + machine_group + "}",
                                            dir_.path()));
    // Files that a launch writes go to the test's own folder.
    std::string text = script;
    for (size_t at; (at = text.find("@DIR@")) != std::string::npos;)
      text.replace(at, 5, platform::ToUtf8(dir_.path()));
    standin::Host().script = std::make_unique<standin::PanelScript>(standin::PanelScript::Parse(text));
  }
  std::wstring Sep() const { return std::wstring(1, platform::kPathSeparator); }
  std::wstring StoreFolder() const { return dir_ / L"user" + Sep() + L"Halvorn"; }
  std::wstring StoreFile() const { return StoreFolder() + Sep() + L"TARVIK.ini"; }
  std::string Store() const { return ReadBytes(StoreFile()); }
  std::wstring Shown(int control) const { return standin::Host().last_window->GetItemText(control); }
  bool Saw(const std::string& line) const {
    const auto& t = testing_support::Transcript();
    return std::find(t.begin(), t.end(), line) != t.end();
  }
  // A start line of the host: "started: ..." or "start failed: ...".
  bool TriedToStart() const {
    for (const std::string& line : testing_support::Transcript())
      if (line.rfind("start", 0) == 0) return true;
    return false;
  }
  TempDir dir_;
};

const char kGroup[] = R"({"nc":{"file":"D:\\NC\\main.NC","prefix":"D:\\NC\\","suffix":".NC"}})";
const char kFillAndLaunch[] =
    "type exe C:\\Tarvik\\Tarvik.exe\ntype mch m.mch\ntype prj @DIR@p.prjx\ntype tol @DIR@t.tol\n"
    "type wcs.x 12.5\ntype ref.w -3\ntype part_y 0.1\nclick launch\n";

TEST(EntryPoints, VersionHandshake) {
  for (int v : {2800, 2850, 2899}) EXPECT_EQ(m_version(v), v);
  for (int v : {2900, 2799, -2850, 0, 280000}) EXPECT_EQ(m_version(v), 2800);
}

TEST_F(LinkRunTest, MMainRunsTheLinkWithAnActiveMachineGroup) {
  Start(kGroup, kFillAndLaunch);
  EXPECT_EQ(m_main(7), 0);
  EXPECT_TRUE(Saw("panel docked: Quenlo for Tarvik/Pellast"));
  EXPECT_TRUE(Saw("panel removed"));
  EXPECT_NE(Store().find("\r\nxyz 0=12.5 0 0 0 0 0 0 0 0\r\n"), std::string::npos);
}

TEST_F(LinkRunTest, NoMachineGroupShowsTheMessageAndTouchesNothing) {
  ASSERT_TRUE(testing_support::InstallJob(std::string(kJobHead) + R"("machine_group":null})", dir_.path()));
  EXPECT_EQ(m_main(7), 0);
  EXPECT_EQ(testing_support::Messages(), std::vector<std::string>{"message: マシングループがありません"});
  EXPECT_FALSE(Saw("panel docked: Quenlo for Tarvik/Pellast"));
  EXPECT_EQ(platform::GetPathKind(StoreFolder()), platform::PathKind::kMissing);
}

TEST_F(LinkRunTest, RunPutsThePreviousResourceSourceBack) {
  ResourceModule other{L"host", {}};
  AfxSetResourceHandle(&other);
  Start(kGroup, "click cancel\n");
  EXPECT_EQ(::Run(0), 0);
  EXPECT_TRUE(Saw("panel docked: Quenlo for Tarvik/Pellast"));  // the template came from the add-in
  EXPECT_EQ(AfxGetResourceHandle(), &other);
  AfxSetResourceHandle(&ui::AddinResources());  // already current: left as it is
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(AfxGetResourceHandle(), &ui::AddinResources());
  AfxSetResourceHandle(nullptr);
}

TEST_F(LinkRunTest, LaunchStoresEverySettingInOrder) {
  Start(kGroup, kFillAndLaunch);
  EXPECT_EQ(::Run(0), 0);
  EXPECT_TRUE(Saw("panel removed"));
  std::string store = Store();
  std::vector<std::string> keys;
  for (size_t pos = 0; pos < store.size();) {
    size_t end = store.find("\r\n", pos);
    std::string line = store.substr(pos, end - pos);
    if (line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
    pos = end + 2;
  }
  ASSERT_EQ(keys.size(), 339u);
  std::vector<std::string> head(keys.begin(), keys.begin() + 18);
  EXPECT_EQ(head, (std::vector<std::string>{"mch", "exe", "prj", "tol", "wrk", "from_wrk_st", "part_x", "part_y",
                                            "part_z", "a_axis_y", "a_axis_z", "b_axis_x", "b_axis_z", "c_axis_x",
                                            "c_axis_y", "ref_from_m", "ref_num", "wcs_num"}));
  EXPECT_EQ(keys[18], "xyz 0");
  EXPECT_EQ(keys[333], "xyz 315");
  EXPECT_EQ(keys[334], "ref 0");
  EXPECT_EQ(keys[338], "ref 4");
  EXPECT_NE(store.find("\r\nexe=C:\\Tarvik\\Tarvik.exe\r\n"), std::string::npos);
  EXPECT_NE(store.find("\r\npart_y=0.1\r\n"), std::string::npos);
  EXPECT_NE(store.find("\r\nxyz 0=12.5 0 0 0 0 0 0 0 0\r\n"), std::string::npos);
  EXPECT_NE(store.find("\r\nref 0=0 0 0 0 0 0 0 0 -3\r\n"), std::string::npos);
  EXPECT_NE(store.find("\r\nwrk=\r\n"), std::string::npos);  // an empty stock file does not stop a launch
}

TEST_F(LinkRunTest, TheNextRunOpensWithTheStoredSettings) {
  Start(kGroup, kFillAndLaunch);
  ::Run(0);
  testing_support::ClearTables();
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kMchEdit), L"m.mch");
  EXPECT_EQ(Shown(ui::kExeCombo), L"C:\\Tarvik\\Tarvik.exe");
  EXPECT_EQ(Shown(ui::kWcsEdits[0]), L"12.5");
  EXPECT_EQ(Shown(ui::kRefEdits[8]), L"-3");
  EXPECT_EQ(WcsTable[0][0], 12.5);
  EXPECT_EQ(RefTable[0][8], -3.0);
}

TEST_F(LinkRunTest, NothingIsStoredWithoutAConfirmedCompleteLaunch) {
  const char* endings[] = {
      "type exe e\ntype mch m\ntype prj p\nclick launch\n",  // no tool file
      "type exe e\ntype mch m\ntype prj p\ntype tol t\nclick cancel\n",
      "type exe e\ntype mch m\ntype prj p\ntype tol t\nclose\n",
      "type exe e\ntype mch m\ntype prj p\ntype tol t\nhide-panel\nclick launch\n",
      "type exe e\ntype mch m\ntype prj p\ntype tol t\n",  // the script ends: the panel is hidden
  };
  for (const char* script : endings) {
    Start(kGroup, script);
    EXPECT_EQ(::Run(0), 0);
    EXPECT_FALSE(FileExists(StoreFile())) << script;
    EXPECT_TRUE(Saw("panel removed")) << script;
  }
  // A cancelled run leaves an existing store exactly as it was.
  WriteBytes(StoreFile(), "[Settings]\r\nmch=kept\r\n");
  Start(kGroup, "type mch changed\nclick cancel\n");
  ::Run(0);
  EXPECT_EQ(Store(), "[Settings]\r\nmch=kept\r\n");
}

TEST_F(LinkRunTest, TheNcFileComesFromTheFirstFlaggedOperation) {
  std::string ops = R"({"nc":{"file":"D:\\NC\\main.NC","prefix":"D:\\NC\\","suffix":".NC"},"operations":[
      {"type":1,"tool":{"number":1,"id":1},"nc_name":"E:\\other\\skip.nci"},
      {"type":1,"tool":{"number":2,"id":2},"nc_name":"E:\\work\\job1.nci","names_nc":true},
      {"type":1,"tool":{"number":3,"id":3},"nc_name":"E:\\work\\late.nci","names_nc":true}]})";
  Start(ops, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kNcEdit), L"D:\\NC\\job1.NC");
  Start(R"({"nc":{"file":"D:\\NC\\main.NC","prefix":"D:\\rev.2\\","suffix":".NC"},"operations":[
      {"type":1,"tool":{"number":2,"id":2},"nc_name":"E:\\w\\part","names_nc":1}]})", "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kNcEdit), L"D:\\rev.2\\part.NC");
  Start(kGroup, "click cancel\n");  // no operations at all
  ::Run(0);
  EXPECT_EQ(Shown(ui::kNcEdit), L"D:\\NC\\main.NC");
  // Operations, but none that names the NC file: the host's NC file, not the
  // last operation's name.
  Start(R"({"nc":{"file":"D:\\NC\\main.NC","prefix":"D:\\NC\\","suffix":".NC"},"operations":[
      {"type":1,"tool":{"number":1,"id":1},"nc_name":"E:\\w\\first.nci","names_nc":false},
      {"type":1,"tool":{"number":2,"id":2},"nc_name":"E:\\w\\last.nci","names_nc":0}]})", "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kNcEdit), L"D:\\NC\\main.NC");
}

// The host's function panel is missing: the wait ends after the first
// pumped message, and a launch happens only when that message was the launch.
TEST_F(LinkRunTest, WithoutAFunctionPanelTheWaitEndsAfterOneMessage) {
  constexpr char kNoPanel[] =
      R"({"format":"quenlo-job/1","host":{"user_folder":"user/","addin_folder":"addins","function_panel":false},)";
  Start(kGroup, "type mch changed\nshow mch\nclick cancel\n", kNoPanel);
  EXPECT_EQ(::Run(0), 0);
  EXPECT_TRUE(Saw("panel removed"));
  EXPECT_EQ(Shown(ui::kMchEdit), L"changed");  // the first message was handled ...
  for (const std::string& line : testing_support::Transcript())
    EXPECT_NE(line.rfind("shown: ", 0), 0u) << line;  // ... the second never came
  EXPECT_FALSE(FileExists(StoreFile()));

  Start(kGroup, kFillAndLaunch);  // with a panel: fills the store
  ::Run(0);
  WriteBytes(StoreFile(), "");
  platform::RemoveFile(dir_ / L"t.tol");
  Start(kGroup, kFillAndLaunch, kNoPanel);  // the first message is a typed text: no launch
  ::Run(0);
  EXPECT_EQ(Store(), "");
  EXPECT_FALSE(FileExists(dir_ / L"t.tol"));

  Start(kGroup, kFillAndLaunch);
  ::Run(0);
  platform::RemoveFile(dir_ / L"t.tol");
  Start(kGroup, "click launch\ntype mch never\n", kNoPanel);  // the launch comes first
  ::Run(0);
  EXPECT_TRUE(FileExists(dir_ / L"t.tol"));
  EXPECT_NE(Store().find("\r\nmch=m.mch\r\n"), std::string::npos);
}

// Whatever fails inside the run is shown once, and nothing leaves the export.
TEST_F(LinkRunTest, AFailureInsideTheRunIsShownOnceAndRunReturns) {
  Start(kGroup, "click cancel\n",
        R"({"format":"quenlo-job/1","host":{"user_folder":"user/","addin_folder":"addins","operation_walk_throws":true},)");
  EXPECT_EQ(::Run(0), 0);
  EXPECT_EQ(testing_support::Messages(),
            std::vector<std::string>{"message: 予期しないエラーのため、処理を中止しました。\n(operation list unavailable)"});
  EXPECT_FALSE(FileExists(StoreFile()));
}

int g_starts = 0;
void CountStart(std::wstring_view, std::wstring_view, bool) { ++g_starts; }

// A launch with the tool path empty writes no tool or project file, starts
// nothing and stores nothing, although the template is there.
TEST_F(LinkRunTest, ALaunchWithoutAToolPathDoesNothing) {
  platform::MakeDirectory(dir_ / L"addins");
  WriteBytes(dir_ / L"addins" + Sep() + L"default_template.prj", ".ncdfile x\r\n");
  g_starts = 0;
  platform::SetProgramStartObserver(&CountStart);
  Start(kGroup, "type exe C:\\Tarvik\\Tarvik.exe\ntype mch m.mch\ntype prj @DIR@p.prjx\nclick launch\n");
  ::Run(0);
  platform::SetProgramStartObserver(nullptr);
  EXPECT_EQ(g_starts, 0);
  EXPECT_FALSE(FileExists(dir_ / L"p.prjx"));
  EXPECT_FALSE(FileExists(StoreFile()));
}

// A first run: no store file, and every one of the 336 reads gives its
// default, whatever the module's tables held before.
TEST_F(LinkRunTest, AFirstRunReadsEveryDefault) {
  for (auto& row : WcsTable) row.fill(7);
  for (auto& row : RefTable) row.fill(7);
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(platform::GetPathKind(StoreFolder()), platform::PathKind::kDirectory);
  EXPECT_FALSE(FileExists(StoreFile()));
  for (int n = 0; n < kWcsRows; ++n) EXPECT_EQ(WcsTable[n], AxisRow{}) << n;
  for (int n = 0; n < kRefRows; ++n) EXPECT_EQ(RefTable[n], AxisRow{}) << n;
  for (int id : {ui::kMchEdit, ui::kPrjEdit, ui::kTolEdit, ui::kWrkEdit, ui::kExeCombo})
    EXPECT_EQ(Shown(id), L"") << id;
  for (int id : {ui::kPartX, ui::kPartY, ui::kPartZ, ui::kAAxisY, ui::kAAxisZ, ui::kBAxisX, ui::kBAxisZ,
                 ui::kCAxisX, ui::kCAxisY})
    EXPECT_EQ(Shown(id), L"0") << id;
  EXPECT_EQ(standin::Host().last_window->GetCheck(ui::kRefFromMachine), 0);
  EXPECT_EQ(standin::Host().last_window->GetCheck(ui::kFromWorkStock), 0);
}

// Row 315 has no entry in the list, and is read and stored like every row.
TEST_F(LinkRunTest, Row315IsReadAndStored) {
  platform::MakeDirectory(StoreFolder());
  WriteBytes(StoreFile(), "[Settings]\r\nxyz 315=1 2 3 4 5 6 7 8 9.5\r\nxyz 314=-1\r\n");
  Start(kGroup, kFillAndLaunch);
  ::Run(0);
  EXPECT_EQ(WcsTable[315], (AxisRow{1, 2, 3, 4, 5, 6, 7, 8, 9.5}));
  EXPECT_EQ(WcsTable[314], (AxisRow{-1, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_NE(Store().find("\r\nxyz 315=1 2 3 4 5 6 7 8 9.5\r\n"), std::string::npos);
}

// The edits of a cancelled run live on only in the module's tables; the next
// run reloads the tables and the fields from the store.
TEST_F(LinkRunTest, ACancelledRunIsForgottenByTheNextRun) {
  Start(kGroup, kFillAndLaunch);
  ::Run(0);
  Start(kGroup, "type mch other.mch\ntype wcs.x 99\nselect wcs 5\ntype wcs.y 42\nselect ref 2\ntype ref.z 8\n"
                "select wcs 0\nclick cancel\n");
  ::Run(0);
  ASSERT_EQ(WcsTable[5][1], 42);  // folded by the row changes of the cancelled run
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kMchEdit), L"m.mch");
  EXPECT_EQ(Shown(ui::kWcsEdits[0]), L"12.5");
  EXPECT_EQ(WcsTable[0][0], 12.5);
  EXPECT_EQ(WcsTable[5], AxisRow{});
  EXPECT_EQ(RefTable[2], AxisRow{});
}

// A scalar goes into the store with six significant digits and comes back
// as the typed work origin (part_manual) of the next run.
TEST_F(LinkRunTest, AScalarRoundTripsWithSixDigits) {
  Start(kGroup, std::string(kFillAndLaunch).replace(std::string(kFillAndLaunch).find("click"), 0,
                                                    "type part_x 123.456789\ntype c_axis_y 0.00001\n"));
  ::Run(0);
  EXPECT_NE(Store().find("\r\npart_x=123.457\r\n"), std::string::npos);
  EXPECT_NE(Store().find("\r\nc_axis_y=1e-05\r\n"), std::string::npos);
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kPartX), L"123.457");  // the typed origin, part_manual
  EXPECT_EQ(Shown(ui::kCAxisY), L"1e-05");
}


// A refused box stops the launch and the tools-only save: the panel stays
// open, nothing is written or stored.
TEST_F(LinkRunTest, ARefusedBoxStopsTheCommand) {
  Start(kGroup, "type exe e\ntype mch m\ntype prj @DIR@p\ntype tol @DIR@t\ntype part_x abc\ntype part_y 7\nclick launch\n"
                "type part_x 1\ntype wcs.z 4.9e-324\nclick launch\nclick save-tools\n");
  ::Run(0);
  auto messages = testing_support::Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "message: 数値を入力してください。"), 3);
  EXPECT_FALSE(testing_support::FileExists(StoreFile()));
  EXPECT_FALSE(testing_support::FileExists(dir_ / L"t"));
  EXPECT_FALSE(testing_support::FileExists(dir_ / L"p"));
}

TEST_F(LinkRunTest, AStoreWithJunkReadsWhatItCanAndDefaultsTheRest) {
  platform::MakeDirectory(StoreFolder());
  WriteBytes(StoreFile(),
             "garbage\r\n[settings]\r\nno equals\r\nMCH = \"C:\\my machines\\m.mch\" \r\nmch=second\r\n"
             "xyz 1=1 2 abc 4\r\nxyz 2=5\r\nref 1=text\r\nwcs_num=12x\r\nb_axis_x=2.5mm\r\n");
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kMchEdit), L"C:\\my machines\\m.mch");
  EXPECT_EQ(WcsTable[1], (AxisRow{1, 2, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(WcsTable[2], (AxisRow{5, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(RefTable[1], AxisRow{});
  EXPECT_EQ(Shown(ui::kBAxisX), L"2.5");
  // Whatever index the store held, the panel opens on the first row.
  EXPECT_EQ(standin::Host().last_window->GetCurSel(ui::kWcsCombo), 0);
}

// Each required path left empty in turn: one message names it, the panel
// stays open until the script ends, and nothing is written, started or stored.
TEST_F(LinkRunTest, ALaunchWithARequiredFieldEmptyNamesItAndDoesNothing) {
  const std::pair<const char*, const char*> fields[] = {
      {"exe", "実行形式"}, {"mch", "機械定義"}, {"nc_file", "NCファイル"}, {"prj", "プロジェクトファイル"},
      {"tol", "工具ファイル"}};
  for (const auto& [field, name] : fields) {
    std::string script = "type exe e\ntype mch m\ntype prj @DIR@p.prjx\ntype tol @DIR@t.tol\ntype " +
                         std::string(field) + " \nclick launch\n";
    Start(kGroup, script);
    EXPECT_EQ(::Run(0), 0);
    EXPECT_EQ(testing_support::Messages(),
              std::vector<std::string>{std::string("message: 起動するには次の項目を入力してください：") + name});
    EXPECT_TRUE(Saw("panel removed"));  // by the script's end, not by the launch
    EXPECT_FALSE(FileExists(StoreFile())) << field;
    EXPECT_FALSE(FileExists(dir_ / L"t.tol")) << field;
    EXPECT_FALSE(FileExists(dir_ / L"p.prjx")) << field;
    EXPECT_FALSE(TriedToStart()) << field;
  }
}

// The tool file, the project file, the start, the store, in that order; a
// file that cannot be written means no start, one message that says so, and
// the settings stored all the same.
TEST_F(LinkRunTest, AFileThatCannotBeWrittenStartsNoSimulator) {
  const std::wstring sep(1, platform::kPathSeparator);
  std::string missing = platform::ToUtf8(dir_ / L"missing" + sep);
  platform::MakeDirectory(dir_ / L"addins");
  WriteBytes(dir_ / L"addins" + sep + L"default_template.prj", ".tolfiles1 x\r\n");
  WriteBytes(dir_ / L"n.NC", "G0 X0\n");  // a program that the check before the launch passes
  const std::string not_started = "\nシミュレーターは起動しませんでした。";

  // The tool file: the project is written, nothing started.
  Start(kGroup, "type exe e\ntype nc_file @DIR@n.NC\ntype mch m\ntype prj @DIR@p.prjx\ntype tol " + missing + "t.tol\nclick launch\n");
  ::Run(0);
  EXPECT_EQ(testing_support::Messages(),
            std::vector<std::string>{"message: 工具ファイル「" + missing + "t.tol」を保存できませんでした。" + not_started});
  EXPECT_TRUE(FileExists(dir_ / L"p.prjx"));
  EXPECT_FALSE(TriedToStart());
  EXPECT_NE(Store().find("\r\ntol=" + platform::ToAnsi(dir_ / L"missing" + sep + L"t.tol") + "\r\n"),
            std::string::npos);

  // The project file: the tool file is written, nothing started.
  platform::RemoveFile(StoreFile());
  Start(kGroup, "type exe e\ntype nc_file @DIR@n.NC\ntype mch m\ntype prj " + missing + "p.prjx\ntype tol @DIR@t.tol\nclick launch\n");
  ::Run(0);
  EXPECT_EQ(testing_support::Messages(),
            std::vector<std::string>{"message: プロジェクトファイルを書き込めませんでした。\n" + missing + "p.prjx" +
                                     not_started});
  EXPECT_TRUE(FileExists(dir_ / L"t.tol"));
  EXPECT_FALSE(TriedToStart());
  EXPECT_TRUE(FileExists(StoreFile()));

  // Both: one message naming both.
  Start(kGroup, "type exe e\ntype nc_file @DIR@n.NC\ntype mch m\ntype prj " + missing + "p.prjx\ntype tol " + missing +
                    "t.tol\nclick launch\n");
  ::Run(0);
  EXPECT_EQ(testing_support::Messages(),
            std::vector<std::string>{"message: 工具ファイル「" + missing + "t.tol」を保存できませんでした。\n" +
                                     "プロジェクトファイルを書き込めませんでした。\n" + missing + "p.prjx" + not_started});

  // All written: the start is tried (the program "e" is not there).
  Start(kGroup, "type exe e\ntype nc_file @DIR@n.NC\ntype mch m\ntype prj @DIR@p.prjx\ntype tol @DIR@t.tol\nclick launch\n");
  ::Run(0);
  EXPECT_EQ(testing_support::Messages(), std::vector<std::string>{"message: シミュレーターを起動できません: e"});
}

// Numbers the store holds that are not finite, or beyond single precision in
// a row, read as 0: the panel shows 0, asks for no number by itself, and no
// file gets inf or nan.
TEST_F(LinkRunTest, StoredNumbersThatAreNotFiniteReadAsZero) {
  platform::MakeDirectory(StoreFolder());
  platform::MakeDirectory(dir_ / L"addins");
  WriteBytes(dir_ / L"addins" + Sep() + L"default_template.prj",
             ".setting.part0p.x\r\n.setting.a_axis_0p.y\r\n.setting.WORK5SYS[0] 1 \r\nx\r\n");
  WriteBytes(StoreFile(), "[Settings]\r\npart_x=inf\r\npart_y=-1e999\r\na_axis_y=nan\r\nc_axis_y=1e38\r\n"
                          "xyz 0=1e39 2 inf nan -1e39 3e38 0 0 0\r\nref 0=-inf 1\r\n");
  WriteBytes(dir_ / L"n.NC", "G0 X0\n");
  Start(kGroup, "show part_x\nshow a_axis_y\nshow wcs.x\nshow wcs.z\n"
                "type exe e\ntype nc_file @DIR@n.NC\ntype mch m\ntype prj @DIR@p.prjx\ntype tol @DIR@t.tol\nclick launch\n");
  ::Run(0);
  EXPECT_TRUE(Saw("shown: part_x = 0"));
  EXPECT_TRUE(Saw("shown: a_axis_y = 0"));
  EXPECT_TRUE(Saw("shown: wcs.x = 0"));
  EXPECT_TRUE(Saw("shown: wcs.z = 0"));
  auto messages = testing_support::Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "message: 数値を入力してください。"), 0);
  EXPECT_EQ(ReadBytes(dir_ / L"p.prjx"), ".setting.part0p.x 0 \r\n.setting.a_axis_0p.y 0 \r\n"
                                         ".setting.WORK5SYS[0] 1 \r\n.W5SV 0 2 0 0 0 3e+38 0 0 0 \r\n");
  std::string store = Store();
  EXPECT_NE(store.find("\r\npart_x=0\r\n"), std::string::npos);
  EXPECT_NE(store.find("\r\nc_axis_y=1e+38\r\n"), std::string::npos);  // a double: kept
  EXPECT_NE(store.find("\r\nxyz 0=0 2 0 0 0 3e+38 0 0 0\r\n"), std::string::npos);
  EXPECT_NE(store.find("\r\nref 0=0 1 0 0 0 0 0 0 0\r\n"), std::string::npos);
}

TEST_F(LinkRunTest, AScriptErrorEndsThePanelAsIfHidden) {
  Start(kGroup, "type nosuchbox 1\nclick launch\n");
  ::Run(0);
  EXPECT_TRUE(Saw("script: line 1: unknown control 'nosuchbox'"));
  EXPECT_FALSE(FileExists(StoreFile()));
}

// A long Japanese path, stored under `key`.
std::wstring StoredPath(const std::wstring& key, int variant) {
  std::wstring path = L"D:\\";
  for (int i = 0; i < 12; ++i) path += L"加工データ" + std::to_wstring(i) + L"\\";
  return path + key + std::to_wstring(variant) + L"." + key;
}

// Every key a launch stores, long Japanese paths, every value and row not zero.
void WriteFullStore(int variant) {
  StoreWrite w;
  for (const wchar_t* key : {L"mch", L"exe", L"prj", L"tol", L"wrk"}) w.Set(key, StoredPath(key, variant));
  w.Set(L"from_wrk_st", L"0");
  for (const wchar_t* key : {L"part_x", L"part_y", L"part_z", L"a_axis_y", L"a_axis_z", L"b_axis_x", L"b_axis_z",
                             L"c_axis_x", L"c_axis_y"})
    w.Set(key, std::to_wstring(variant) + L".25");
  for (const wchar_t* key : {L"ref_from_m", L"ref_num", L"wcs_num"}) w.Set(key, L"1");
  for (int n = 0; n < kWcsRows; ++n)
    w.Set(L"xyz " + std::to_wstring(n), std::to_wstring(n + variant) + L" 2 3 4 5 6 7 8 -9.5");
  for (int n = 0; n < kRefRows; ++n) w.Set(L"ref " + std::to_wstring(n), std::to_wstring(n + variant) + L" 1 1 1 1 1 1 1 1");
  ASSERT_TRUE(w.Commit());
}

TEST_F(LinkRunTest, TheRunAndThePanelReadTheStoreFileOnce) {
  Start(kGroup, "click cancel\n");
  WriteFullStore(1);
  testing_support::FileOpenCounter opens(StoreFile());
  ASSERT_EQ(opens.Count(), 0);
  ::Run(0);
  EXPECT_EQ(opens.Count(), 1);
  EXPECT_EQ(Shown(ui::kMchEdit), StoredPath(L"mch", 1));
  EXPECT_EQ(Shown(ui::kPartX), L"1.25");  // read by the panel's initialisation
  EXPECT_EQ(Shown(ui::kCAxisY), L"1.25");
  EXPECT_EQ(WcsTable[315], (AxisRow{316, 2, 3, 4, 5, 6, 7, 8, -9.5}));
  EXPECT_EQ(RefTable[4], (AxisRow{5, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(LinkRunTest, ALaunchOpensTheStoreOnceMoreOnlyToRewriteIt) {
  Start(kGroup, kFillAndLaunch);  // the launch also asks the store whether to check the NC program
  WriteFullStore(1);
  testing_support::FileOpenCounter opens(StoreFile());
  ::Run(0);
  EXPECT_EQ(opens.Count(), 2);  // the run's read, and the write's read of the store it replaces
  EXPECT_NE(Store().find("\r\nmch=m.mch\r\n"), std::string::npos);
}

bool SawNcQuestion() {
  for (const std::string& line : testing_support::Messages())
    if (line.find("NCファイル") != std::string::npos) return true;
  return false;
}

TEST_F(LinkRunTest, ASettingsFileSavedOverTheStoreIsReadAfresh) {
  platform::MakeDirectory(StoreFolder());
  WriteBytes(StoreFile(), "[Settings]\r\nnc_check=0\r\n");  // no NC program check
  Start(kGroup, kFillAndLaunch);
  ::Run(0);
  EXPECT_FALSE(SawNcQuestion());
  // The user saves a settings file over the store: it no longer switches the check off.
  WriteBytes(StoreFile(), "[Settings]\r\nnc_check=0\r\n");
  Start(kGroup, "answer-file " + platform::ToUtf8(StoreFile()) + "\nclick save\n" + kFillAndLaunch);
  ::Run(0);
  EXPECT_TRUE(SawNcQuestion());
}

TEST_F(LinkRunTest, AStoreEditedBetweenTwoRunsIsReadAfresh) {
  Start(kGroup, "click cancel\n");
  WriteFullStore(1);
  ::Run(0);
  EXPECT_EQ(Shown(ui::kPartX), L"1.25");
  // Same size, same second: only the content tells the two stores apart.
  WriteFullStore(2);
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kMchEdit), StoredPath(L"mch", 2));
  EXPECT_EQ(Shown(ui::kPartX), L"2.25");
  EXPECT_EQ(WcsTable[315][0], 317);
  // A launch stores this run's settings; the next run reads them, not the copy read before.
  Start(kGroup, std::string(kFillAndLaunch));
  ::Run(0);
  Start(kGroup, "click cancel\n");
  ::Run(0);
  EXPECT_EQ(Shown(ui::kMchEdit), L"m.mch");
  EXPECT_EQ(Shown(ui::kPartY), L"0.1");
  EXPECT_EQ(WcsTable[0][0], 12.5);
}

}  // namespace
}  // namespace quenlo
