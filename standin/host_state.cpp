#include "host_state.h"

#include <cstdio>

#include "common/numbers.h"
#include "headless_window.h"
#include "host/folders.h"
#include "panel_script.h"
#include "platform/ansi.h"
#include "platform/registry.h"

namespace standin {

HostState& Host() {
  static HostState state;
  return state;
}

void InstallJob(const Job& job) {
  HostState& host = Host();
  host.job = job;
  host.tools = IndexTools(host.job);
  host.transcript.clear();
  host.dialog = nullptr;
  host.window.reset();
  host.last_window.reset();
  host.script.reset();
  host.panel_visible = false;
  host.panel_exists = job.function_panel;
  host.stl_writes = 0;
  host.has_group = job.machine_group.has_value();
  host.group = op_group{};
  if (host.has_group) {
    const Stock& s = job.machine_group->stock;
    op_group_stock& g = host.group.stock;
    g.shape = s.shape;
    for (int i = 0; i < 3; ++i) {
      g.size[i] = s.size[i];
      g.origin[i] = s.origin[i];
    }
    g.origin_code = static_cast<short>(s.origin_code);
    g.solid_id = s.solid.kind == Solid::Kind::kNone ? 0 : 1;
    g.file_path = s.file;
  }
  chook_prefix = host.job.addin_folder.c_str();
  quenlo::platform::SetAnsiCodePage(job.code_page);
  quenlo::platform::SetRegistryFile(job.registry);
}

void Report(const std::string& line) {
  HostState& host = Host();
  host.transcript.push_back(line);
  if (host.echo) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
}

void Report(const std::string& prefix, const std::wstring& text) {
  Report(prefix + quenlo::platform::ToUtf8(text));
}

void ReportPanelShown() {
  const auto& started = Host().run_started;
  if (!started) return;
  const std::chrono::duration<double, std::milli> after = std::chrono::steady_clock::now() - *started;
  Report("panel shown: " + quenlo::FormatF(after.count()) + " ms after Run");
}

}  // namespace standin
