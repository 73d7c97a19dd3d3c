// The stand-in host's process-wide state: the loaded job, the machine group
// built from it, the transcript of what the host saw, and the panel.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/dialog.h"
#include "host/machine_group.h"
#include "job.h"
#include "tool_index.h"

namespace standin {

class HeadlessWindow;
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
  std::unique_ptr<HeadlessWindow> window;
  std::unique_ptr<HeadlessWindow> last_window;  // the panel's window as it was when removed
  bool panel_visible = false;
  bool panel_exists = true;             // the host has a function panel at all
  int stl_writes = 0;                   // STL writes of the stock solid since the job was loaded
  std::unique_ptr<PanelScript> script;
};

HostState& Host();

// Makes `job` the host's state (clears the transcript and the panel).
void InstallJob(const Job& job);
// The host reports one line of what it saw (UTF-8).
void Report(const std::string& line);
void Report(const std::string& prefix, const std::wstring& text);

}  // namespace standin
