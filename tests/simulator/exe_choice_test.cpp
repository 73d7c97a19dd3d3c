// Which executables a run offers: the stored one and the other simulator, or
// what the registry finds when nothing is stored.
#include <gtest/gtest.h>

#include "entry/entry_points.h"
#include "headless_window.h"
#include "host_state.h"
#include "panel_script.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "registry_fixture.h"
#include "support/test_host.h"
#include "ui/control_ids.h"

namespace {

using testing_support::TempDir;

class ExeChoiceTest : public ::testing::Test {
 protected:
  // Runs the add-in up to a cancelled panel, with `stored_exe` in the store
  // (none when empty) and the registry of `fixture`.
  void OpenPanel(const std::string& fixture, const std::wstring& stored_exe) {
    ASSERT_TRUE(testing_support::InstallJob(
        R"({"format":"quenlo-job/1","host":{"user_folder":"user/"},"machine_group":{}})", dir_.path()));
    simulator_test::UseRegistryFixture(fixture);
    std::wstring sep(1, quenlo::platform::kPathSeparator);
    quenlo::platform::MakeDirectory(dir_ / L"user");
    quenlo::platform::MakeDirectory(dir_ / L"user" + sep + L"Halvorn");
    if (!stored_exe.empty())
      testing_support::WriteBytes(dir_ / L"user" + sep + L"Halvorn" + sep + L"TARVIK.ini",
                                  "[Settings]\r\nexe=" + quenlo::platform::ToAnsi(stored_exe) + "\r\n");
    standin::Host().script = std::make_unique<standin::PanelScript>(standin::PanelScript::Parse("click cancel\n"));
    ::Run(0);
  }
  std::wstring Exe() { return standin::Host().last_window->GetItemText(quenlo::ui::kExeCombo); }
  // The two list items, as the sorted list holds them.
  std::vector<std::wstring> Items() {
    auto& w = *standin::Host().last_window;
    std::vector<std::wstring> items;
    for (int i = 0; i < w.GetCount(quenlo::ui::kExeCombo); ++i) items.push_back(w.GetLBText(quenlo::ui::kExeCombo, i));
    return items;
  }
  TempDir dir_;
};

TEST_F(ExeChoiceTest, NothingStoredTakesWhatTheRegistryFinds) {
  OpenPanel("tarvik_and_pellast.reg", L"");
  EXPECT_EQ(Exe(), L"C:\\Tarvik\\Tarvik.exe");
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"C:\\Pellast\\Pellast.exe", L"C:\\Tarvik\\Tarvik.exe"}));

  OpenPanel("pellast_component.reg", L"");  // only Pellast installed
  EXPECT_EQ(Exe(), L"C:\\Varnell\\Pellast 3\\Pellast.exe");
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"", L"C:\\Varnell\\Pellast 3\\Pellast.exe"}));

  OpenPanel("clean.reg", L"");  // neither: the user must pick one
  EXPECT_EQ(Exe(), L"");
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"", L""}));
}

TEST_F(ExeChoiceTest, AStoredExecutableIsOfferedWithTheOtherSimulator) {
  OpenPanel("tarvik_and_pellast.reg", L"D:\\sim\\Pellast.exe");
  EXPECT_EQ(Exe(), L"D:\\sim\\Pellast.exe");
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"C:\\Tarvik\\Tarvik.exe", L"D:\\sim\\Pellast.exe"}));

  OpenPanel("tarvik_and_pellast.reg", L"D:\\sim\\pellast.exe");  // the name is compared exactly
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"C:\\Pellast\\Pellast.exe", L"D:\\sim\\pellast.exe"}));

  OpenPanel("tarvik_and_pellast.reg", L"D:\\シミュレータ\\Tarvik.exe");
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"C:\\Pellast\\Pellast.exe", L"D:\\シミュレータ\\Tarvik.exe"}));
}

}  // namespace
