// The settings panel on the stand-in host's headless window: its opening, the
// data exchange, the row selectors, the work-origin step and the endings.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <filesystem>
#include <set>

#include "headless_window.h"
#include "host/resources.h"
#include "host_state.h"
#include "platform/files.h"
#include "settings/settings_fields.h"
#include "settings/settings_store.h"
#include "panel_fixture.h"
#include "platform/ansi.h"
#include "ui/control_ids.h"
#include "ui/panel_template.h"
#include "ui/row_labels.h"
#include "ui/work_origin.h"

namespace quenlo::ui {
namespace {

using testing_support::Messages;

// The settings table is the one description of the record: every field has
// its control in the template, and the files' places are each taken once.
TEST(SettingsTable, EveryFieldHasItsControlAndItsPlace) {
  std::set<int> places, controls;
  for (const SettingsField& f : kSettingsFields) {
    EXPECT_NE(ControlId(f.name), 0) << platform::ToUtf8(f.name);
    EXPECT_TRUE(controls.insert(ControlId(f.name)).second) << platform::ToUtf8(f.name);
    if (f.file_order == 0) continue;
    EXPECT_TRUE(places.insert(f.file_order).second) << f.key;
    EXPECT_EQ(FindSettingsField(platform::FromUtf8(f.key)), &f);
  }
  EXPECT_EQ(places.size(), static_cast<size_t>(*places.rbegin()));  // 1, 2, ... without a gap
}

TEST(RowLabels, FollowTheirRanges) {
  EXPECT_EQ(WcsRowLabel(0), L"EXOFS");
  EXPECT_EQ(WcsRowLabel(1), L"1(G54)");
  EXPECT_EQ(WcsRowLabel(6), L"6(G59)");
  EXPECT_EQ(WcsRowLabel(7), L"7(G54.1P1)");
  EXPECT_EQ(WcsRowLabel(9), L"9(G54.1P3)");
  EXPECT_EQ(WcsRowLabel(306), L"306(G54.1P300)");
  EXPECT_EQ(WcsRowLabel(307), L"307(G54.2P01)");
  EXPECT_EQ(WcsRowLabel(314), L"314(G54.2P08)");
  EXPECT_EQ(RefRowLabel(0), L"初期値");
  EXPECT_EQ(RefRowLabel(1), L"第1復帰値");
  EXPECT_EQ(RefRowLabel(4), L"第4復帰値");
}

TEST(WorkOriginFromStock, TableOfOriginCodes) {
  StockSetup stock;
  stock.size_x = 100, stock.size_y = 50, stock.size_z = 20;
  stock.origin[0] = 10, stock.origin[1] = 5, stock.origin[2] = 1;
  const double w[3] = {1, 2, 3};
  const double expected[9][3] = {{-39, -18, -16}, {11, -43, -16}, {-89, -43, -16}, {-89, 7, -16}, {11, 7, -16},
                                 {11, -43, 4},    {-89, -43, 4},  {-89, 7, 4},    {11, 7, 4}};
  for (short code = 0; code <= 8; ++code) {
    stock.origin_code = code;
    double part[3] = {};
    ASSERT_TRUE(WorkOriginFromStock(stock, w, part));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(part[i], expected[code][i]) << "code " << code << " axis " << i;
  }
  for (short code : {-1, 9, 32767}) {
    stock.origin_code = code;
    double part[3] = {7, 8, 9};
    EXPECT_FALSE(WorkOriginFromStock(stock, w, part));
    EXPECT_EQ(part[0], 7);
  }
}

TEST_F(PanelTest, ConstructionLeavesTheRecordEmpty) {
  CStartupDlgBar dialog;
  const LinkSettings& s = dialog.settings;
  EXPECT_TRUE(s.exe.empty() && s.exe_alt.empty() && s.mch.empty() && s.nc_file.empty() && s.prj.empty() &&
              s.tol.empty() && s.wrk.empty());
  EXPECT_EQ(s.wcs_num + s.wcs_shown + s.ref_num + s.ref_shown + s.ref_from_m + s.from_wrk_st, 0);
  EXPECT_EQ(s.wcs_edit, AxisRow{});
  EXPECT_EQ(s.ref_edit, AxisRow{});
  EXPECT_EQ(s.part_x + s.part_y + s.part_z + s.a_axis_y + s.c_axis_y, 0.0);
  EXPECT_EQ(dialog.template_id(), kPanelTemplate);
}

TEST_F(PanelTest, OpeningFillsTheListsAndStartsOnRowZero) {
  WcsTable[0] = Row(10);
  WcsTable[12] = Row(20);
  RefTable[0] = Row(30);
  Open(kBoxStock, [](LinkSettings& s) {
    s.exe = L"C:\\Tarvik\\Tarvik.exe";
    s.wcs_num = s.wcs_shown = 12;  // what the store held
    s.ref_num = s.ref_shown = 3;
    s.part_x = 99;
  }, {{L"part_x", L"7"}, {L"part_y", L"-8.5"}, {L"part_z", L"abc"}});
  standin::HeadlessWindow& w = W();
  ASSERT_EQ(w.GetCount(kExeCombo), 2);  // the empty exe_alt is an item too
  EXPECT_EQ(w.GetLBText(kExeCombo, 0), L"");
  EXPECT_EQ(w.GetLBText(kExeCombo, 1), L"C:\\Tarvik\\Tarvik.exe");
  EXPECT_EQ(w.GetItemText(kExeCombo), L"C:\\Tarvik\\Tarvik.exe");
  ASSERT_EQ(w.GetCount(kWcsCombo), 315);
  ASSERT_EQ(w.GetCount(kRefCombo), 5);
  std::set<std::wstring> labels;
  for (int i = 0; i < 315; ++i) {
    EXPECT_EQ(w.GetLBText(kWcsCombo, i), WcsRowLabel(i));
    labels.insert(w.GetLBText(kWcsCombo, i));
  }
  EXPECT_EQ(labels.size(), 315u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(w.GetLBText(kRefCombo, i), RefRowLabel(i));
  EXPECT_EQ(w.GetCurSel(kWcsCombo), 0);
  EXPECT_EQ(w.GetItemText(kWcsCombo), L"EXOFS");
  EXPECT_EQ(w.GetItemText(kRefCombo), L"初期値");
  const LinkSettings& s = dialog->settings;
  EXPECT_EQ(s.wcs_shown, 0);
  EXPECT_EQ(s.ref_shown, 0);
  EXPECT_EQ(w.GetItemText(kWcsEdits[8]), L"18");
  EXPECT_EQ(w.GetItemText(kRefEdits[0]), L"30");
  // The typed origin of the last run is shown (the work-origin step restores it).
  EXPECT_EQ(w.GetItemText(kPartX), L"7");
  EXPECT_EQ(w.GetItemText(kPartY), L"-8.5");
  EXPECT_EQ(w.GetItemText(kPartZ), L"0");
  EXPECT_EQ(dialog->launch_requested + dialog->dialog_done, 0);
  EXPECT_EQ(dialog->redraw_pending, 1);
  EXPECT_TRUE(w.timer_running());
  EXPECT_EQ(w.ToolTip(kLaunch), L"シミュレーターを起動します");
  EXPECT_EQ(w.ToolTip(kCancel), L"閉じる");
  EXPECT_EQ(w.ToolTip(kLoadSettings), L"保存済みの設定内容を読み込みます");
  EXPECT_EQ(w.ToolTip(kSaveSettings), L"現在の設定内容を保存します");
  EXPECT_EQ(w.ToolTip(kSaveToolsOnly), L"工具ファイルのみ保存します");
  EXPECT_EQ(w.ToolTip(kBrowseExe), L"EXEファイルを指定します");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PanelTest, NumbersAreShownInTheShortestFormOfFifteenDigits) {
  Open();
  LinkSettings& s = dialog->settings;
  s.a_axis_y = 0.1;
  s.a_axis_z = 1.0 / 3;
  s.b_axis_x = 1e-05;
  s.b_axis_z = 1e20;
  s.c_axis_x = 123456789.123456789;
  s.c_axis_y = -2.5;
  dialog->UpdateData(false);
  EXPECT_EQ(W().GetItemText(kAAxisY), L"0.1");
  EXPECT_EQ(W().GetItemText(kAAxisZ), L"0.333333333333333");
  EXPECT_EQ(W().GetItemText(kBAxisX), L"1e-05");
  EXPECT_EQ(W().GetItemText(kBAxisZ), L"1e+20");
  EXPECT_EQ(W().GetItemText(kCAxisX), L"123456789.123457");
  EXPECT_EQ(W().GetItemText(kCAxisY), L"-2.5");
  s = LinkSettings{};
  ASSERT_TRUE(dialog->UpdateData(true));
  EXPECT_EQ(s.a_axis_y, 0.1);
  EXPECT_EQ(s.b_axis_x, 1e-05);
  EXPECT_EQ(s.c_axis_y, -2.5);
}

TEST_F(PanelTest, ABoxWithoutANumberStopsTheReadingThere) {
  Open();
  for (const wchar_t* bad : {L"", L"abc", L"1,5", L"1e400", L"inf", L"nan", L"1 2", L"２"}) {
    ClearTranscript();
    LinkSettings& s = dialog->settings;
    s.part_x = s.part_y = s.part_z = s.a_axis_y = 1;
    Type(kMchEdit, L"typed.mch");
    Type(kPartX, L" 5 ");
    Type(kPartY, bad);
    Type(kPartZ, L"6");
    Type(kAAxisY, L"7");
    EXPECT_FALSE(dialog->UpdateData(true)) << bad;
    EXPECT_EQ(s.mch, L"typed.mch");
    EXPECT_EQ(s.part_x, 5);
    EXPECT_EQ(s.part_y, 1);
    EXPECT_EQ(s.part_z, 1);
    EXPECT_EQ(s.a_axis_y, 1);
    EXPECT_EQ(W().focus(), kPartY);
    EXPECT_EQ(Messages(), std::vector<std::string>{"message: 数値を入力してください。"}) << bad;
  }
}

TEST_F(PanelTest, RowChangesFoldTheBoxesIntoTheShownRow) {
  WcsTable[9] = Row(40);
  RefTable[4] = Row(50);
  Open();
  Select(kWcsCombo, 5);
  Type(kWcsEdits[0], L"1");
  Type(kWcsEdits[1], L"2");
  Type(kWcsEdits[2], L"3");
  Select(kWcsCombo, 9);
  EXPECT_EQ(WcsTable[5], (AxisRow{1, 2, 3, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(WcsTable[9], Row(40));
  EXPECT_EQ(dialog->settings.wcs_shown, 9);
  EXPECT_EQ(W().GetItemText(kWcsEdits[0]), L"40");
  EXPECT_EQ(W().GetItemText(kWcsCombo), L"9(G54.1P3)");

  Type(kRefEdits[8], L"-3");
  Select(kRefCombo, 4);
  EXPECT_EQ(RefTable[0][8], -3);
  EXPECT_EQ(dialog->settings.ref_shown, 4);
  EXPECT_EQ(W().GetItemText(kRefEdits[8]), L"58");
  // Typing without a row change reaches the table only through a fold.
  Type(kRefEdits[0], L"11");
  EXPECT_EQ(RefTable[4][0], 50);
  Click(kLaunch);
  EXPECT_EQ(RefTable[4][0], 11);
  EXPECT_EQ(WcsTable[9], Row(40));
}

// A box that holds no number and comes before the selector in the reading:
// one message, the shown row folded with what the record held (the boxes
// after the refused one were not read), and the selector back on that row,
// so the boxes and the selector never name different rows.
TEST_F(PanelTest, ARefusedBoxBeforeTheSelectorKeepsTheShownRow) {
  RefTable[0] = Row(1);
  RefTable[2] = Row(20);
  Open();
  Type(kRefEdits[0], L"55");
  Type(kWcsEdits[3], L"abc");
  Select(kRefCombo, 2);
  EXPECT_EQ(Messages(), std::vector<std::string>{"message: 数値を入力してください。"});
  EXPECT_EQ(RefTable[0], Row(1));
  EXPECT_EQ(RefTable[2], Row(20));
  EXPECT_EQ(dialog->settings.ref_shown, 0);
  EXPECT_EQ(dialog->settings.ref_num, 0);
  EXPECT_EQ(W().GetCurSel(kRefCombo), 0);
  EXPECT_EQ(W().GetItemText(kRefEdits[0]), L"1");
  // The next change goes from the shown row as usual.
  Type(kRefEdits[0], L"56");
  Select(kRefCombo, 2);
  EXPECT_EQ(RefTable[0][0], 56);
  EXPECT_EQ(W().GetItemText(kRefEdits[0]), L"20");
  EXPECT_EQ(Messages().size(), 1u);
}

// The same in a work-offset change with the origin derived from the stock: the
// refused box comes after the selector, so the new row is shown and the
// origin follows it; the typed origin set aside stays as typed.
TEST_F(PanelTest, ARefusedBoxInAWorkOffsetChangeWithTheOriginDerived) {
  OpenWithTheOriginDerived();
  ClearTranscript();
  Type(kWcsEdits[0], L"7");
  Type(kPartY, L"abc");
  Select(kWcsCombo, 3);
  EXPECT_EQ(Messages(), std::vector<std::string>{"message: 数値を入力してください。"});
  EXPECT_EQ(W().GetCurSel(kWcsCombo), 3);
  EXPECT_EQ(dialog->settings.wcs_shown, 3);
  EXPECT_EQ(WcsTable[0][0], 7);  // read before the refused box, folded into the old row
  EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"-89", L"-43", L"-17"}));
  Check(kFromWorkStock, 0);
  EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"1.5", L"2.5", L"3.5"}));
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(PanelTest, ASelectorWithoutASelectionKeepsTheShownRow) {
  Open();
  Select(kWcsCombo, 8);
  Select(kRefCombo, 3);
  W().SetCurSel(kWcsCombo, -1);
  W().SetCurSel(kRefCombo, -1);
  Type(kWcsEdits[0], L"4");
  Click(kLaunch);
  EXPECT_EQ(dialog->settings.wcs_num, 8);
  EXPECT_EQ(dialog->settings.ref_num, 3);
  EXPECT_EQ(WcsTable[8][0], 4);
}

TEST_F(PanelTest, WorkOriginFollowsTheStockAndTheShownOffset) {
  OpenWithTheOriginDerived();
  EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"-90", L"-45", L"-20"}));
  Select(kWcsCombo, 3);
  EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"-89", L"-43", L"-17"}));
  // Typed while derived: replaced at the next selection ...
  Type(kPartX, L"77");
  Select(kWcsCombo, 0);
  EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"-90", L"-45", L"-20"}));
  // ... and restored as first typed when the box is cleared.
  Check(kFromWorkStock, 0);
  EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"1.5", L"2.5", L"3.5"}));
  // A launch right after typing hands on what was typed.
  Check(kFromWorkStock, 1);
  Type(kPartX, L"77");
  Click(kLaunch);
  EXPECT_EQ(dialog->settings.part_x, 77);
}

TEST_F(PanelTest, WorkOriginOfOtherCodesAndOfAnOpeningWithTheBoxSet) {
  Open(R"({"shape":"box","size":[100,50,20],"origin":[0,0,0],"origin_code":0})",
       [](LinkSettings& s) { s.from_wrk_st = 1; }, {{L"part_x", L"4"}, {L"part_y", L"5"}, {L"part_z", L"6"}});
  EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"-50", L"-25", L"-20"}));
  EXPECT_EQ(W().GetCheck(kFromWorkStock), 1);
  // The second step of the opening read the computed origin back.
  EXPECT_EQ(dialog->settings.part_manual[0], -50);
  for (const char* stock : {R"({"origin":[1,2,3],"origin_code":8})", R"({"origin":[1,2,3],"origin_code":9})",
                            R"({"origin":[1,2,3],"origin_code":-1})"}) {
    Open(stock, {}, {{L"part_x", L"4"}, {L"part_y", L"5"}, {L"part_z", L"6"}});
    Type(kWcsEdits[0], L"10");
    Check(kFromWorkStock, 1);
    bool eight = std::string(stock).find(":8") != std::string::npos;
    EXPECT_EQ(Shown(), eight ? (std::vector<std::wstring>{L"11", L"2", L"3"})
                             : (std::vector<std::wstring>{L"4", L"5", L"6"}))
        << stock;
  }
}

void FillRequired(LinkSettings& s) {
  s.exe = L"C:\\Tarvik\\Tarvik.exe";
  s.mch = L"m.mch";
  s.nc_file = L"D:\\NC\\main.NC";
  s.prj = L"p.prjx";
}

TEST_F(PanelTest, Endings) {
  Open();
  Type(kWcsEdits[0], L"5");
  Click(kSaveToolsOnly);  // with a tool path: no file dialog
  EXPECT_EQ(dialog->dialog_done, 1);
  EXPECT_EQ(dialog->launch_requested, 0);
  EXPECT_EQ(dialog->end_result(), 2);
  EXPECT_EQ(WcsTable[0][0], 0);  // not folded
  EXPECT_EQ(dialog->settings.tol, dir_ / L"t.tol");

  Open();
  Click(kCancel);
  EXPECT_EQ(dialog->dialog_done, 1);
  EXPECT_EQ(dialog->launch_requested, 0);
  EXPECT_EQ(dialog->end_result(), 2);

  Open();
  dialog->OnClose();
  EXPECT_EQ(dialog->dialog_done, 1);
  EXPECT_EQ(dialog->launch_requested, 0);

  Open(kBoxStock, FillRequired);
  testing_support::WriteBytes(dir_ / L"n.NC", "G0 X0\n");  // passes the check before the launch
  Type(kNcEdit, dir_ / L"n.NC");
  Type(kWcsEdits[4], L"2.5");
  Click(kLaunch);
  EXPECT_EQ(dialog->dialog_done, 1);
  EXPECT_EQ(dialog->launch_requested, 1);
  EXPECT_EQ(dialog->end_result(), 1);
  EXPECT_EQ(WcsTable[0][4], 2.5);
  EXPECT_TRUE(Messages().empty());
}

// A launch without one of the paths it needs names the empty ones in one
// message and keeps the panel open with everything typed, rows folded.
TEST_F(PanelTest, LaunchWithEmptyRequiredFieldsNamesThemAndStaysOpen) {
  const std::pair<int, const wchar_t*> fields[] = {{kExeCombo, L"実行形式"},   {kMchEdit, L"機械定義"},
                                                   {kNcEdit, L"NCファイル"}, {kPrjEdit, L"プロジェクトファイル"},
                                                   {kTolEdit, L"工具ファイル"}};
  for (const auto& [id, name] : fields) {
    Open(kBoxStock, FillRequired);
    Type(id, L"");
    Type(kWcsEdits[0], L"7");
    Click(kLaunch);
    EXPECT_EQ(Messages(), std::vector<std::string>{"message: " + platform::ToUtf8(std::wstring(
                                                                   L"起動するには次の項目を入力してください：") + name)});
    EXPECT_EQ(dialog->dialog_done, 0);
    EXPECT_EQ(dialog->launch_requested, 0);
    EXPECT_EQ(dialog->end_result(), 0);
    EXPECT_EQ(W().GetItemText(kWcsEdits[0]), L"7");
    EXPECT_EQ(dialog->settings.mch, id == kMchEdit ? L"" : L"m.mch");
  }
  Open();
  Click(kLaunch);
  EXPECT_EQ(Messages(), std::vector<std::string>{"message: 起動するには次の項目を入力してください："
                                                 "実行形式、機械定義、NCファイル、プロジェクトファイル"});
  Type(kExeCombo, L"e.exe");
  Type(kMchEdit, L"m");
  testing_support::WriteBytes(dir_ / L"n.NC", "G0 X0\n");
  Type(kNcEdit, dir_ / L"n.NC");
  Type(kPrjEdit, L"p");
  Click(kLaunch);  // filled in: the launch goes ahead
  EXPECT_EQ(dialog->launch_requested, 1);
  EXPECT_EQ(dialog->end_result(), 1);
}

TEST_F(PanelTest, SaveToolsOnlyBrowsesForAnEmptyToolPath) {
  Open(kBoxStock, [](LinkSettings& s) { s.tol.clear(); });
  W().QueueFileAnswer(std::nullopt);
  testing_support::TempDir here;  // the current folder, where an empty path would land
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::path(here.path()));
  Click(kSaveToolsOnly);
  bool nothing_written = std::filesystem::is_empty(std::filesystem::current_path());
  std::filesystem::current_path(before);
  EXPECT_TRUE(Saw("file dialog: save filter=工具ファイル(*.tol)|*.tol|| ext=tol name= folder=C:\\"));
  EXPECT_EQ(dialog->dialog_done, 1);
  EXPECT_EQ(dialog->end_result(), 2);
  EXPECT_EQ(dialog->settings.tol, L"");
  // The writer was asked all the same and said that it could not write; no
  // file appeared, not even a temporary one in the current folder.
  std::vector<std::string> messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("message: 工具ファイル", 0), 0u) << messages[0];
  EXPECT_TRUE(nothing_written);
}

}  // namespace
}  // namespace quenlo::ui
