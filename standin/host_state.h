// The stand-in host's process-wide state: the loaded job, the machine group
// built from it, the transcript of what the host saw, and the panel.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/dialog.h"
#include "host/machine_group.h"
#include "job.h"
#include "tool_index.h"

namespace standin {

class ScriptedWindow;
class PanelScript;

struct HostState {
  Job job;
  ToolIndex tools;          // job's tool library by number
  op_group group;           // built from job.machine_group
  bool has_group = false;
  std::vector<std::string> transcript;  // every line the host reported
  bool echo = false;                    // also print each line on standard output
  // The docked panel.
  MCDialog* dialog = nullptr;
  std::unique_ptr<ScriptedWindow> window;
  std::unique_ptr<ScriptedWindow> last_window;  // the panel's window as it was when removed
  // Windows: the panel is a real Win32 dialog in a function-panel window (the
  // host program); otherwise, and in the unit tests, it is headless.
  bool real_windows = false;
  bool panel_visible = false;
  bool panel_exists = true;             // the host has a function panel at all
  int stl_writes = 0;                   // STL writes of the stock solid since the job was loaded
  std::unique_ptr<PanelScript> script;
  // When the host called the add-in's Run, for quenlo-host --timing.
  std::optional<std::chrono::steady_clock::time_point> run_started;
};

HostState& Host();

// Makes `job` the host's state (clears the transcript and the panel).
void InstallJob(const Job& job);
// The host reports one line of what it saw (UTF-8).
void Report(const std::string& line);
void Report(const std::string& prefix, const std::wstring& text);
// With a Run start recorded: "panel shown: N ms after Run", once the panel
// is initialised and drawn.
void ReportPanelShown();

}  // namespace standin
