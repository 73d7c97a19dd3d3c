// The panel as a real Win32 window under Wine (needs an X server): template
// 103 from Tarvik.dll's resources control by control, the tool tips, the
// command band's pixels and the buttons' places and pictures, before and after
// resizes, and the template missing from the current resources.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/dialog.h"
#include "host/resources.h"
#include "host_state.h"
#include "platform/ansi.h"
#include "support/test_host.h"
#include "ui/control_ids.h"
#include "ui/panel_template.h"
#include "ui/startup_dlg_bar.h"
#include "win32_window.h"

namespace quenlo::ui {
namespace {

constexpr std::uint32_t kBand = 0x5B9BD5;  // RGB(91, 155, 213) as 0x00RRGGBB

// Template 103 as the panel is laid out: control, window class, style bits
// that must be set, caption, rectangle in dialog units.
struct Expected {
  int id;
  const wchar_t* window_class;
  DWORD style;
  const wchar_t* caption;
  RECT units;  // x, y, width, height
};

std::vector<Expected> ExpectedControls() {
  const DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL;
  std::vector<Expected> e = {
      {kExeCombo, L"ComboBox", CBS_DROPDOWN | CBS_SORT | WS_VSCROLL, nullptr, {55, 40, 149, 46}},
      {kMchEdit, L"Edit", kEdit, nullptr, {55, 58, 149, 15}},
      {kPrjEdit, L"Edit", kEdit, nullptr, {55, 75, 149, 15}},
      {kTolEdit, L"Edit", kEdit, nullptr, {55, 94, 149, 15}},
      {kNcEdit, L"Edit", kEdit, nullptr, {55, 112, 149, 15}},
      {kWrkEdit, L"Edit", kEdit, nullptr, {55, 132, 149, 15}},
      {kPartX, L"Edit", kEdit, nullptr, {75, 163, 50, 15}},
      {kPartY, L"Edit", kEdit, nullptr, {126, 163, 50, 15}},
      {kPartZ, L"Edit", kEdit, nullptr, {178, 163, 50, 15}},
      {kFromWorkStock, L"Button", BS_AUTOCHECKBOX, L"ワーク設定とワーク座標系から取得", {75, 182, 150, 12}},
      {kRefCombo, L"ComboBox", CBS_DROPDOWN | WS_VSCROLL, nullptr, {5, 214, 66, 126}},
      {kRefFromMachine, L"Button", BS_AUTOCHECKBOX, L"機械原点を基準に工具初期位置を設定する", {76, 294, 165, 14}},
      {kWcsCombo, L"ComboBox", CBS_DROPDOWN | WS_VSCROLL, nullptr, {5, 330, 66, 126}},
      {kAAxisY, L"Edit", kEdit, nullptr, {88, 431, 50, 15}},
      {kAAxisZ, L"Edit", kEdit, nullptr, {139, 431, 50, 15}},
      {kBAxisX, L"Edit", kEdit, nullptr, {36, 448, 50, 15}},
      {kBAxisZ, L"Edit", kEdit, nullptr, {139, 448, 50, 15}},
      {kCAxisX, L"Edit", kEdit, nullptr, {36, 467, 50, 15}},
      {kCAxisY, L"Edit", kEdit, nullptr, {88, 467, 50, 15}},
  };
  const int browse[6][2] = {{kBrowseExe, 40},  {kBrowseMch, 58}, {kBrowsePrj, 75},
                            {kBrowseTol, 94},  {kBrowseNc, 112}, {kBrowseWrk, 132}};
  for (const auto& b : browse) e.push_back({b[0], L"Button", BS_ICON, L"...", {214, b[1], 15, 16}});
  const int xs[2][3] = {{76, 127, 178}, {75, 126, 178}};
  const int ys[2][3] = {{213, 243, 276}, {330, 361, 393}};
  for (int i = 0; i < 9; ++i) {
    e.push_back({kRefEdits[i], L"Edit", kEdit, nullptr, {xs[0][i % 3], ys[0][i / 3], 50, 15}});
    e.push_back({kWcsEdits[i], L"Edit", kEdit, nullptr, {xs[1][i % 3], ys[1][i / 3], 50, 15}});
  }
  // The command buttons: the band places them and their bitmaps size them.
  const std::pair<int, const wchar_t*> band[] = {{kLoadSettings, L"設定読込"}, {kSaveSettings, L"設定保存"},
                                                 {kSaveToolsOnly, L"工具のみ保存"}, {kLaunch, L"起動"},
                                                 {kCancel, L"キャンセル"}};
  for (const auto& [id, caption] : band) e.push_back({id, L"Button", BS_OWNERDRAW, caption, {0, 0, 0, 0}});
  return e;
}

std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

std::wstring TextOf(HWND h) {
  wchar_t text[256] = {};
  GetWindowTextW(h, text, 256);
  return text;
}

RECT InDialog(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class RealPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ClearTables();
    ASSERT_TRUE(testing_support::InstallJob(
        R"({"format":"quenlo-job/1","host":{"user_folder":"user/","addin_folder":"addins"},)"
        R"("machine_group":{"nc":{"file":"D:\\NC\\main.NC"},)"
        R"("stock":{"shape":"box","size":[100,50,20],"origin":[0,0,0],"origin_code":0}}})",
        dir_.path()));
    standin::Host().real_windows = true;
    wchar_t self[MAX_PATH];
    std::wstring folder(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    folder.resize(folder.find_last_of(L"\\/") + 1);
    tarvik_ = LoadLibraryExW((folder + L"Tarvik.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(tarvik_, nullptr);
    module_ = AddinResources();
    // A data-file module's handle carries flag bits; the resource functions take it as it is.
    module_.instance = tarvik_;
  }
  void TearDown() override {
    if (dialog) DestroyInFunctionPnl();
    AfxSetResourceHandle(nullptr);
    standin::Host().real_windows = false;
    dialog.reset();
    if (tarvik_) FreeLibrary(tarvik_);
  }
  void Open(const ResourceModule* resources) {
    AfxSetResourceHandle(resources);
    dialog = std::make_unique<CStartupDlgBar>();
    CreateInFunctionPnl(dialog.get(), L"panel");
  }
  standin::Win32Window& W() { return static_cast<standin::Win32Window&>(*standin::Host().window); }

  // Checks the band over the top 50 pixels and each button at its place
  // showing its normal bitmap.
  void CheckBand(int width) {
    W().PumpFor(300);
    std::vector<std::uint32_t> px;
    int w = 0, h = 0;
    ASSERT_TRUE(W().Capture(px, w, h));
    ASSERT_EQ(w, width);
    const std::pair<int, int> places[] = {{kCancel, 40}, {kLaunch, 100}, {kSaveToolsOnly, 160},
                                          {kSaveSettings, 220}, {kLoadSettings, 280}};
    const std::pair<int, int> normal[] = {{kCancel, 18012}, {kLaunch, 18016}, {kSaveToolsOnly, 18028},
                                          {kSaveSettings, 18024}, {kLoadSettings, 18020}};
    std::vector<RECT> buttons;
    for (const auto& [id, from_right] : places) {
      RECT r = InDialog(W().dialog(), GetDlgItem(W().dialog(), id));
      EXPECT_EQ(r.left, width - from_right) << id;
      EXPECT_EQ(r.top, 10) << id;
      EXPECT_EQ(r.right - r.left, 32) << id;
      EXPECT_EQ(r.bottom - r.top, 32) << id;
      buttons.push_back(r);
    }
    int off = 0;
    for (int y = 0; y < 50 && y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool under_button = false;
        for (const RECT& r : buttons) under_button = under_button || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
        if (!under_button && px[static_cast<size_t>(y * w + x)] != kBand) ++off;
      }
    EXPECT_EQ(off, 0) << "band pixels not in the band's colour";
    // Each button shows its normal bitmap, pixel for pixel, where it is on the client area.
    for (size_t i = 0; i < buttons.size(); ++i) {
      HBITMAP bitmap = LoadBitmapW(tarvik_, MAKEINTRESOURCEW(normal[i].second));
      ASSERT_NE(bitmap, nullptr);
      BITMAPINFO info{};
      info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      std::vector<std::uint32_t> pic(32 * 32);
      HDC dc = GetDC(nullptr);
      GetDIBits(dc, bitmap, 0, 32, pic.data(), &info, DIB_RGB_COLORS);
      ReleaseDC(nullptr, dc);
      DeleteObject(bitmap);
      int differ = 0;
      const RECT& r = buttons[i];
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          int sx = r.left + x, sy = r.top + y;
          if (sx < 0 || sx >= w || sy >= h) continue;
          if ((pic[static_cast<size_t>(y * 32 + x)] & 0xFFFFFF) != px[static_cast<size_t>(sy * w + sx)]) ++differ;
        }
      EXPECT_EQ(differ, 0) << "button " << normal[i].first;
    }
  }

  testing_support::TempDir dir_;
  HMODULE tarvik_ = nullptr;
  ResourceModule module_;
  std::unique_ptr<CStartupDlgBar> dialog;
};

TEST_F(RealPanelTest, EveryControlOfTheTemplateAsLaidOut) {
  Open(&module_);
  ASSERT_NE(standin::Host().window, nullptr);
  HWND dlg = W().dialog();
  EXPECT_FALSE(GetWindowLongW(dlg, GWL_STYLE) & (WS_CAPTION | WS_BORDER));
  EXPECT_TRUE(GetWindowLongW(dlg, GWL_STYLE) & WS_CHILD);
  RECT whole{0, 0, 247, 523};
  MapDialogRect(dlg, &whole);
  RECT client{};
  GetClientRect(dlg, &client);
  EXPECT_EQ(client.right, whole.right);
  EXPECT_EQ(client.bottom, whole.bottom);
  std::set<int> expected_ids;
  for (const Expected& e : ExpectedControls()) {
    expected_ids.insert(e.id);
    HWND h = GetDlgItem(dlg, e.id);
    ASSERT_NE(h, nullptr) << e.id;
    EXPECT_EQ(ClassOf(h), e.window_class) << e.id;
    DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
    if (std::wstring(e.window_class) == L"Button") {
      EXPECT_EQ(style & BS_TYPEMASK, e.style & BS_TYPEMASK) << e.id;
    }
    if (e.style & WS_BORDER) {
      // An edit box's border becomes the sunken client edge.
      EXPECT_TRUE((style & WS_BORDER) || (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) << e.id;
    }
    if (e.style & WS_VSCROLL) {
      // A combo box hands its vertical scroll bar to its drop-down list,
      // which shows it when its entries do not fit (the 315 work offsets).
      COMBOBOXINFO combo{};
      combo.cbSize = sizeof combo;
      ASSERT_TRUE(GetComboBoxInfo(h, &combo)) << e.id;
      if (SendMessageW(h, CB_GETCOUNT, 0, 0) > 30) {
        EXPECT_TRUE(GetWindowLongW(combo.hwndList, GWL_STYLE) & WS_VSCROLL) << e.id;
      }
    }
    const DWORD moved = WS_BORDER | WS_VSCROLL;
    EXPECT_EQ(style & e.style & ~moved, e.style & ~moved) << e.id;
    if (e.id == kExeCombo) { EXPECT_FALSE(style & CBS_AUTOHSCROLL); }
    if (e.id == kRefCombo || e.id == kWcsCombo) { EXPECT_FALSE(style & CBS_SORT) << e.id; }
    if (e.caption) { EXPECT_EQ(TextOf(h), e.caption) << e.id; }
    if (e.units.right == 0) continue;  // placed by the band
    // The dialog manager maps position and size each on its own.
    RECT mapped = e.units;
    MapDialogRect(dlg, &mapped);
    RECT want{mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
    RECT got = InDialog(dlg, h);
    if (ClassOf(h) == L"ComboBox") got.bottom = got.top + (want.bottom - want.top);  // the drop-down list's height
    EXPECT_EQ(got.left, want.left) << e.id;
    EXPECT_EQ(got.top, want.top) << e.id;
    EXPECT_EQ(got.right, want.right) << e.id;
    if (ClassOf(h) != L"ComboBox") { EXPECT_EQ(got.bottom, want.bottom) << e.id; }
  }
  // The script's table (names, kinds, captions, sorting) is the template's.
  const DialogTemplate& table = *AddinResources().FindDialog(kPanelTemplate);
  for (const DialogControl& c : table.controls) {
    HWND h = GetDlgItem(dlg, c.id);
    ASSERT_NE(h, nullptr) << c.id;
    DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
    switch (c.kind) {
      case ControlKind::kEdit: EXPECT_EQ(ClassOf(h), L"Edit") << c.id; break;
      case ControlKind::kComboBox:
        EXPECT_EQ(ClassOf(h), L"ComboBox") << c.id;
        EXPECT_EQ((style & CBS_SORT) != 0, c.sorted) << c.id;
        break;
      case ControlKind::kCheckBox:
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX)) << c.id;
        EXPECT_EQ(TextOf(h), c.caption) << c.id;
        break;
      case ControlKind::kButton:
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << c.id;
        EXPECT_EQ(TextOf(h), c.caption) << c.id;
        break;
      case ControlKind::kBitmapButton:
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW)) << c.id;
        EXPECT_EQ(TextOf(h), c.caption) << c.id;
        break;
    }
  }
  // No control with an id beyond these; the labels are static text.
  std::set<std::wstring> labels;
  for (HWND h = GetWindow(dlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(h);
    if (ClassOf(h) == L"Static") {
      labels.insert(TextOf(h));
      continue;
    }
    EXPECT_TRUE(expected_ids.count(id)) << id;
    EXPECT_NE(table.Find(id), nullptr) << id;
  }
  EXPECT_EQ(expected_ids.size(), table.controls.size());
  for (const wchar_t* label : {L"実行形式", L"機械定義", L"工具ファイル", L"NCファイル", L"素材ファイル", L"A軸", L"B軸",
                               L"C軸", L"A", L"B", L"C", L"U", L"V", L"W"})
    EXPECT_TRUE(labels.count(label)) << platform::ToUtf8(label);
  int heads = 0;
  for (const std::wstring& l : labels)
    for (const wchar_t* group : {L"ワーク原点", L"軸初期値", L"ワーク座標系", L"回転軸原点"})
      if (l.rfind(group, 0) == 0 && l.find(L"　X") != std::wstring::npos && l.find(L"　Y") != std::wstring::npos &&
          l.find(L"　Z") != std::wstring::npos)
        ++heads;
  EXPECT_EQ(heads, 4);
  // The browse buttons show the icon.
  for (int id : {kBrowseExe, kBrowseMch, kBrowsePrj, kBrowseTol, kBrowseNc, kBrowseWrk})
    EXPECT_NE(SendDlgItemMessageW(dlg, id, BM_GETIMAGE, IMAGE_ICON, 0), 0) << id;
}

TEST_F(RealPanelTest, SixToolTipsWithTheirTexts) {
  Open(&module_);
  ASSERT_NE(standin::Host().window, nullptr);
  HWND tips = W().tool_tips();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(GetParent(tips) ? GetParent(tips) : GetWindow(tips, GW_OWNER), W().frame());
  ASSERT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 6);
  std::map<int, std::wstring> texts;
  for (int i = 0; i < 6; ++i) {
    wchar_t text[128] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
    texts[GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId))] = text;
  }
  EXPECT_EQ(texts, (std::map<int, std::wstring>{{kLaunch, L"シミュレーターを起動します"},
                                                {kCancel, L"閉じる"},
                                                {kLoadSettings, L"保存済みの設定内容を読み込みます"},
                                                {kSaveSettings, L"現在の設定内容を保存します"},
                                                {kSaveToolsOnly, L"工具ファイルのみ保存します"},
                                                {kBrowseExe, L"EXEファイルを指定します"}}));
}

// The pointer resting on a command button shows that button's tip, as a
// user pausing over 起動 sees it.
TEST_F(RealPanelTest, ATipShowsWhenThePointerRestsOnItsButton) {
  Open(&module_);
  ASSERT_NE(standin::Host().window, nullptr);
  HWND tips = W().tool_tips();
  ASSERT_NE(tips, nullptr);
  W().PumpFor(200);  // the command buttons move to the band as the panel is laid out
  HWND launch = GetDlgItem(W().dialog(), kLaunch);
  RECT button{};
  GetWindowRect(launch, &button);
  // Arrive from outside the button, then rest in its middle.
  SetCursorPos(button.left - 30, button.bottom + 40);
  W().PumpFor(200);
  EXPECT_FALSE(IsWindowVisible(tips));
  SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  bool shown = false;
  for (int waited = 0; waited < 3000 && !shown; waited += 50) {
    W().PumpFor(50);
    shown = IsWindowVisible(tips);
  }
  ASSERT_TRUE(shown);
  wchar_t current[128] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.lpszText = current;
  ASSERT_TRUE(SendMessageW(tips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), launch);
  EXPECT_EQ(std::wstring(current), L"シミュレーターを起動します");
}

TEST_F(RealPanelTest, TheBandAndItsButtonsAfterOpeningAndResizing) {
  Open(&module_);
  ASSERT_NE(standin::Host().window, nullptr);
  RECT client{};
  GetClientRect(W().dialog(), &client);
  CheckBand(client.right);
  W().Resize(600, 700);
  CheckBand(600);
  // Extreme sizes are survived; the band comes back at a usual size.
  W().Resize(1, 1);
  W().PumpFor(150);
  W().Resize(4000, 4000);
  W().PumpFor(150);
  W().Resize(500, 700);
  CheckBand(500);
  EXPECT_EQ(testing_support::Messages().size(), 0u);
}

TEST_F(RealPanelTest, TypingAndReadingLongTexts) {
  Open(&module_);
  ASSERT_NE(standin::Host().window, nullptr);
  std::wstring long_text(10000, L'あ');
  W().UserType(kMchEdit, long_text);
  EXPECT_EQ(W().GetItemText(kMchEdit), long_text);
  dialog->UpdateData(true);
  EXPECT_EQ(dialog->settings.mch, long_text);
}

TEST_F(RealPanelTest, NoTemplateOutsideTheAddInsResources) {
  ResourceModule without = AddinResources();  // the table, but no module behind it
  Open(&without);
  EXPECT_EQ(standin::Host().window, nullptr);
  Open(nullptr);
  EXPECT_EQ(standin::Host().window, nullptr);
  const auto& t = testing_support::Transcript();
  EXPECT_EQ(std::count(t.begin(), t.end(), "panel: no dialog template 103 in the current resources"), 2);
  dialog.reset();
}

}  // namespace
}  // namespace quenlo::ui
