// A stand-in host with a stock set-up and a project template in a temporary
// folder, and settings whose every field and table row is filled.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "export/project/project_writer.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/link_settings.h"
#include "support/test_host.h"

namespace quenlo {

class ProjectTest : public ::testing::Test {
 protected:
  // Installs a job with the given stock (JSON object text) and the template.
  void Install(const std::string& stock_json, const std::string& template_bytes) {
    std::wstring addins = dir_ / L"addins";
    if (platform::GetPathKind(addins) != platform::PathKind::kDirectory) {
      ASSERT_TRUE(platform::MakeDirectory(addins));
    }
    if (!template_bytes.empty() || write_empty_template_)
      testing_support::WriteBytes(addins + platform::kPathSeparator + L"default_template.prj", template_bytes);
    std::string job = R"({"format":"quenlo-job/1","host":{"addin_folder":"addins","code_page":932},)"
                      R"("machine_group":{"stock":)" + stock_json + "}}";
    ASSERT_TRUE(testing_support::InstallJob(job, dir_.path()));
    testing_support::ClearTables();
  }

  std::string Write() {
    WriteProjectFile(s_);
    return testing_support::ReadBytes(s_.prj);
  }

  // Every value distinct, so that a row or axis in the wrong place shows.
  void FillTables() {
    for (int n = 0; n < kWcsRows; ++n)
      for (int i = 0; i < 9; ++i) WcsTable[n][i] = n + (i + 1) * 0.125 * (i % 2 ? -1 : 1);
    WcsTable[315] = {999, 999, 999, 999, 999, 999, 999, 999, 999};
    WcsTable[1][0] = 1e-05;
    WcsTable[1][1] = 123456789;
    for (int n = 0; n < kRefRows; ++n)
      for (int i = 0; i < 9; ++i) RefTable[n][i] = n * 10 + i + 0.25;
  }

  void FillSettings() {
    s_.nc_file = dir_ / L"部品1.NC";
    s_.prj = dir_ / L"出力.prjx";
    s_.tol = L"D:\\NC\\工具 1.tol";
    s_.mch = L"C:\\Tarvik\\machines\\5軸.mch";
    s_.wrk = L"";
    s_.part_x = 12.5;
    s_.part_y = 0;
    s_.part_z = -3.25e-05;
    s_.a_axis_y = 100;
    s_.a_axis_z = -50.5;
    s_.b_axis_x = 1e7;
    s_.b_axis_z = 0.1;
    s_.c_axis_x = 2.0 / 3;
    s_.c_axis_y = 123456789;
    s_.ref_from_m = 1;
  }

  std::string DirAnsi() const { return platform::ToAnsi(dir_.path()); }

  testing_support::TempDir dir_;
  LinkSettings s_;
  bool write_empty_template_ = false;
};

// The text between `key` at a line start and the line end.
inline std::string LineAfter(const std::string& text, const std::string& key, size_t from = 0) {
  size_t at = text.find("\n" + key, from);
  if (at == std::string::npos) return "<missing " + key + ">";
  size_t end = text.find("\r\n", at + 1);
  return text.substr(at + 1, end - at - 1);
}

}  // namespace quenlo
