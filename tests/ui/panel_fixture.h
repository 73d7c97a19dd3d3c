// The settings panel opened on the stand-in host's headless window, with the
// user's actions as the panel script performs them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "headless_window.h"
#include "host/dialog.h"
#include "host/resources.h"
#include "host_state.h"
#include "platform/files.h"
#include "settings/settings_store.h"
#include "support/test_host.h"
#include "ui/control_ids.h"
#include "ui/panel_template.h"
#include "ui/startup_dlg_bar.h"

namespace quenlo::ui {

inline constexpr char kBoxStock[] = R"({"shape":"box","size":[100,50,20],"origin":[0,0,0],"origin_code":0})";

// A row X..W = first, first + 1, ... first + 8.
inline AxisRow Row(double first) {
  AxisRow row;
  for (size_t i = 0; i < row.size(); ++i) row[i] = first + static_cast<double>(i);
  return row;
}

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ClearTables();
    platform::MakeDirectory(dir_ / L"user");
  }
  void TearDown() override { Close(); }

  // Installs a job with `stock`, fills the store with `store`, constructs the
  // panel (tool path t.tol in the test's folder, then `fill`) and docks it.
  void Open(const std::string& stock = kBoxStock, const std::function<void(LinkSettings&)>& fill = {},
            const std::vector<std::pair<std::wstring, std::wstring>>& store = {}) {
    Close();
    std::string job = R"({"format":"quenlo-job/1","host":{"user_folder":"user/","addin_folder":"addins"},)"
                      R"("machine_group":{"nc":{"file":"D:\\NC\\main.NC"},"stock":)" + stock + "}}";
    ASSERT_TRUE(testing_support::InstallJob(job, dir_.path()));
    if (auto path = GetStorePath()) platform::RemoveFile(*path);
    for (const auto& [key, value] : store) WriteStoreValue(key, value);
    AfxSetResourceHandle(&AddinResources());
    dialog = std::make_unique<CStartupDlgBar>();
    dialog->settings.tol = dir_ / L"t.tol";
    if (fill) fill(dialog->settings);
    CreateInFunctionPnl(dialog.get(), L"panel");
    ASSERT_NE(standin::Host().window, nullptr);
  }
  void Close() {
    if (!dialog) return;
    DestroyInFunctionPnl();
    AfxSetResourceHandle(nullptr);
    dialog.reset();
  }

  standin::HeadlessWindow& W() { return static_cast<standin::HeadlessWindow&>(*standin::Host().window); }
  void Type(int id, const std::wstring& text) { W().SetItemText(id, text); }
  void Select(int id, int index) {
    W().SetCurSel(id, index);
    dialog->OnCommand(id, kCbnSelChange);
  }
  void Check(int id, int state) {
    W().SetCheck(id, state);
    dialog->OnCommand(id, kBnClicked);
  }
  void Click(int id) { dialog->OnCommand(id, kBnClicked); }
  // Row 3 of the offsets holds 1, 2, 3; the origin typed as 1.5, 2.5, 3.5 is
  // set aside and derived from a box stock of origin code 2.
  void OpenWithTheOriginDerived() {
    WcsTable[3] = AxisRow{1, 2, 3, 0, 0, 0, 0, 0, 0};
    Open(R"({"shape":"box","size":[100,50,20],"origin":[10,5,0],"origin_code":2})");
    Type(kPartX, L"1.5");
    Type(kPartY, L"2.5");
    Type(kPartZ, L"3.5");
    Check(kFromWorkStock, 1);
  }
  // The texts of the three work-origin boxes.
  std::vector<std::wstring> Shown() {
    return {W().GetItemText(kPartX), W().GetItemText(kPartY), W().GetItemText(kPartZ)};
  }
  bool Saw(const std::string& line) const {
    const auto& t = testing_support::Transcript();
    return std::find(t.begin(), t.end(), line) != t.end();
  }
  void ClearTranscript() { standin::Host().transcript.clear(); }

  testing_support::TempDir dir_;
  std::unique_ptr<CStartupDlgBar> dialog;
};

}  // namespace quenlo::ui
