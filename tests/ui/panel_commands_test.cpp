// The panel's browse buttons and its load and save of settings files.
#include <gtest/gtest.h>

#include "panel_fixture.h"
#include "platform/ansi.h"
#include "settings/settings_file.h"

namespace quenlo::ui {
namespace {

using testing_support::FileExists;
using testing_support::Messages;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

class BrowseTest : public PanelTest {
 protected:
  std::wstring Sep() const { return std::wstring(1, platform::kPathSeparator); }
};

TEST_F(BrowseTest, EachButtonAsksWithItsFilterExtensionAndFolder) {
  struct Case {
    int button;
    int box;
    std::wstring LinkSettings::*field;
    const char* request;  // as the headless window reports it
    const wchar_t* added;  // what a name typed without an extension gets
  } cases[] = {
      {kBrowseExe, kExeCombo, &LinkSettings::exe,
       "filter=Tarvik/Pellast実行ファイル|*.exe|| ext=exe name= folder=C:\\Program Files\\", L".exe"},
      {kBrowseMch, kMchEdit, &LinkSettings::mch, "filter=機械定義(*.mch)|*.mch|| ext=mch name= folder=C:\\", L".mch"},
      {kBrowseNc, kNcEdit, &LinkSettings::nc_file, "filter=NCファイル(*.*)|*.*|| ext= name= folder=C:\\", L""},
      {kBrowsePrj, kPrjEdit, &LinkSettings::prj,
       "filter=プロジェクトファイル(*.prjx)|*.prjx|旧プロジェクトファイル(*.prj)|*.prj|| ext=prjx name= folder=C:\\",
       L".prjx"},
      {kBrowseTol, kTolEdit, &LinkSettings::tol, "filter=工具ファイル(*.tol)|*.tol|| ext=tol name= folder=C:\\", L".tol"},
      {kBrowseWrk, kWrkEdit, &LinkSettings::wrk, "filter=素材ファイル(*.wrk)|*.wrk|| ext=wrk name= folder=C:\\", L".wrk"},
  };
  for (const Case& c : cases) {
    Open(kBoxStock, [](LinkSettings& s) {
      s.tol.clear();
      s.nc_file.clear();
    });
    W().QueueFileAnswer(dir_ / L"部品 1");
    Click(c.button);
    EXPECT_TRUE(Saw(std::string("file dialog: save ") + c.request)) << c.request;
    std::wstring chosen = dialog->settings.*c.field;
    EXPECT_EQ(chosen, dir_ / L"部品 1" + c.added);
    EXPECT_EQ(W().GetItemText(c.box), chosen);

    // With the field set, the dialog offers it as the initial name.
    ClearTranscript();
    W().QueueFileAnswer(std::nullopt);
    Click(c.button);
    std::string request = c.request;
    request = request.substr(0, request.find(" name=")) + " name=" + platform::ToUtf8(chosen) + " folder=";
    EXPECT_TRUE(Saw("file dialog: save " + request)) << request;
    EXPECT_EQ(dialog->settings.*c.field, chosen);
  }
}

TEST_F(BrowseTest, ACancelledDialogKeepsTheFieldButTheTypedEditsAreRead) {
  Open(kBoxStock, [](LinkSettings& s) {
    s.prj = L"D:\\old.prjx";
    s.exe = L"C:\\T\\Tarvik.exe";
    s.exe_alt = L"C:\\P\\Pellast.exe";
  });
  Type(kMchEdit, L"typed.mch");
  Type(kWcsEdits[3], L"45");
  W().QueueFileAnswer(std::nullopt);
  Click(kBrowsePrj);
  EXPECT_EQ(dialog->settings.prj, L"D:\\old.prjx");
  EXPECT_EQ(dialog->settings.mch, L"typed.mch");
  EXPECT_EQ(dialog->settings.wcs_edit[3], 45);
  // A folder that does not exist is not accepted.
  W().QueueFileAnswer(dir_ / L"missing" + Sep() + L"p.prjx");
  Click(kBrowsePrj);
  EXPECT_EQ(dialog->settings.prj, L"D:\\old.prjx");
  // Browsing for the executable replaces the edit text and keeps both items.
  W().QueueFileAnswer(dir_ / L"Other.exe");
  Click(kBrowseExe);
  EXPECT_EQ(W().GetItemText(kExeCombo), dir_ / L"Other.exe");
  ASSERT_EQ(W().GetCount(kExeCombo), 2);
  EXPECT_EQ(W().GetLBText(kExeCombo, 0), L"C:\\P\\Pellast.exe");
  EXPECT_EQ(W().GetLBText(kExeCombo, 1), L"C:\\T\\Tarvik.exe");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BrowseTest, AnInitialNameLongerThan259CharactersIsNotOffered) {
  std::wstring fits = L"D:\\" + std::wstring(250, L'x') + L".wrk";  // 258
  std::wstring too_long = L"D:\\" + std::wstring(253, L'x') + L".wrk";  // 261
  Open(kBoxStock, [&](LinkSettings& s) { s.wrk = fits; });
  W().QueueFileAnswer(std::nullopt);
  Click(kBrowseWrk);
  EXPECT_TRUE(Saw("file dialog: save filter=素材ファイル(*.wrk)|*.wrk|| ext=wrk name=" + platform::ToUtf8(fits) +
                  " folder="));
  Type(kWrkEdit, too_long);
  ClearTranscript();
  W().QueueFileAnswer(std::nullopt);
  Click(kBrowseWrk);
  EXPECT_TRUE(Saw("file dialog: save filter=素材ファイル(*.wrk)|*.wrk|| ext=wrk name= folder=C:\\"));
  EXPECT_EQ(dialog->settings.wrk, too_long);  // kept unless the user confirms another path
}

class SettingsFilePanelTest : public BrowseTest {
 protected:
  void Save(const std::wstring& path) {
    W().QueueFileAnswer(path);
    Click(kSaveSettings);
  }
  void Load(const std::wstring& path) {
    W().QueueFileAnswer(path);
    Click(kLoadSettings);
  }
};

TEST_F(SettingsFilePanelTest, SaveFoldsTheShownRowsAndLoadBringsEverythingBack) {
  WcsTable[315] = Row(-9);
  Open(kBoxStock, [](LinkSettings& s) {
    s.mch = L"D:\\機械\\m c.mch";
    s.exe = L"C:\\T\\Tarvik.exe";
    s.nc_file = L"D:\\NC\\main.NC";
  });
  Select(kWcsCombo, 307);
  Type(kWcsEdits[0], L"1234.5678");
  Select(kRefCombo, 2);
  Type(kRefEdits[8], L"-7.25");
  Type(kPartX, L"1234.5678");
  Type(kCAxisY, L"1e-05");
  Check(kRefFromMachine, 1);
  Save(dir_ / L"設定");  // the extension is added
  std::wstring file = dir_ / L"設定.nvs";
  ASSERT_TRUE(FileExists(file));
  EXPECT_EQ(ReadBytes(file), FormatSettingsFile(dialog->settings, WcsTable, RefTable));
  EXPECT_EQ(WcsTable[307][0], 1234.5678);
  EXPECT_EQ(RefTable[2][8], -7.25);
  std::string bytes = ReadBytes(file);
  EXPECT_NE(bytes.find("xyz 307 1234.57 0 0 0 0 0 0 0 0 \r\n"), std::string::npos);
  EXPECT_NE(bytes.find("ref_num 2 \r\nwcs_num 307 \r\n"), std::string::npos);

  // Change everything, then load the file back.
  Select(kWcsCombo, 0);
  Select(kRefCombo, 0);
  testing_support::ClearTables();
  Type(kMchEdit, L"other.mch");
  Type(kNcEdit, L"typed.NC");
  Type(kPartX, L"0");
  Check(kRefFromMachine, 0);
  Check(kFromWorkStock, 1);
  dialog->UpdateData(true);
  Load(file);
  const LinkSettings& s = dialog->settings;
  EXPECT_EQ(s.mch, L"D:\\機械\\m c.mch");
  EXPECT_EQ(W().GetItemText(kMchEdit), L"D:\\機械\\m c.mch");
  EXPECT_EQ(W().GetItemText(kNcEdit), L"typed.NC");  // not in the file: as the record held it
  EXPECT_EQ(W().GetCheck(kFromWorkStock), 1);
  EXPECT_EQ(W().GetCheck(kRefFromMachine), 1);
  EXPECT_EQ(W().GetItemText(kWcsCombo), L"307(G54.2P01)");
  EXPECT_EQ(W().GetItemText(kRefCombo), L"第2復帰値");
  EXPECT_EQ(s.wcs_shown, 307);
  EXPECT_EQ(s.ref_shown, 2);
  EXPECT_EQ(s.wcs_edit[0], static_cast<double>(1234.57f));
  EXPECT_EQ(W().GetItemText(kRefEdits[8]), L"-7.25");
  EXPECT_EQ(s.part_x, 1234.57);
  EXPECT_EQ(W().GetItemText(kCAxisY), L"1e-05");
  EXPECT_EQ(WcsTable[315], Row(-9));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsFilePanelTest, CancelledAndFailedFileOperationsChangeNothing) {
  WcsTable[0] = Row(1);
  Open(kBoxStock, [](LinkSettings& s) { s.mch = L"m.mch"; });
  W().QueueFileAnswer(std::nullopt);
  Click(kSaveSettings);
  W().QueueFileAnswer(std::nullopt);
  Click(kLoadSettings);
  EXPECT_EQ(dialog->settings.mch, L"m.mch");
  EXPECT_TRUE(Messages().empty());

  // A folder's name is not taken by the file dialog (it opens the folder):
  // nothing is written or read, nothing reported but the dialog's refusal.
  std::wstring folder = dir_ / L"a.nvs";
  ASSERT_TRUE(platform::MakeDirectory(folder));
  Type(kMchEdit, L"typed.mch");
  Save(folder);
  Load(folder);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Saw("file dialog: a folder, not a file, cancelled: " + platform::ToUtf8(folder)));
  EXPECT_EQ(platform::GetPathKind(folder), platform::PathKind::kDirectory);
  EXPECT_EQ(dialog->settings.mch, L"m.mch");

  // Loading a missing file: reported once, nothing changes.
  std::wstring missing = dir_ / L"none.nvs";
  Load(missing);
  EXPECT_EQ(Messages(), std::vector<std::string>{"message: 設定ファイル「" + platform::ToUtf8(missing) +
                                                 "」を読み込めませんでした。"});
  EXPECT_EQ(dialog->settings.mch, L"m.mch");
  EXPECT_EQ(WcsTable[0], Row(1));

  // An existing file is replaced without a question.
  std::wstring file = dir_ / L"b.nvs";
  WriteBytes(file, "mch old\r\n");
  Save(file);
  EXPECT_EQ(ReadBytes(file).substr(0, 15), "mch typed.mch\r\n");
}

TEST_F(SettingsFilePanelTest, ARefusedBoxStopsTheSave) {
  Open();
  Type(kPartX, L"8");
  Type(kPartY, L"1,5");
  Save(dir_ / L"c.nvs");
  Type(kPartY, L"1e308");  // a number, but not one the file's rows and the simulator carry
  Save(dir_ / L"c.nvs");
  EXPECT_EQ(Messages(), std::vector<std::string>(2, "message: 数値を入力してください。"));
  EXPECT_FALSE(FileExists(dir_ / L"c.nvs"));
}

TEST_F(SettingsFilePanelTest, LoadedRowSelectionsOutsideTheListsStartOnRowZero) {
  WcsTable[0] = Row(3);
  Open();
  std::wstring file = dir_ / L"d.nvs";
  WriteBytes(file, "wcs_num 315 \r\nref_num 9 \r\nxyz 0 5 \r\nxyz 315 6\r\nref 0 7 \r\n");
  Select(kWcsCombo, 4);
  Load(file);
  EXPECT_EQ(dialog->settings.wcs_num, 0);
  EXPECT_EQ(dialog->settings.ref_num, 0);
  EXPECT_EQ(W().GetItemText(kWcsCombo), L"EXOFS");
  EXPECT_EQ(W().GetItemText(kWcsEdits[0]), L"5");
  EXPECT_EQ(W().GetItemText(kWcsEdits[1]), L"0");
  EXPECT_EQ(W().GetItemText(kRefEdits[0]), L"7");
  EXPECT_EQ(WcsTable[315][0], 6);
}

}  // namespace
}  // namespace quenlo::ui
