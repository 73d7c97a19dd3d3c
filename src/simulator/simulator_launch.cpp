// Starting the simulator on the project file: "-prjf" and the quoted project
// path, owned by the host's main window. The add-in does not wait for the
// simulator; a start that fails is shown to the user once.
#include "simulator/simulator_launch.h"

#include "common/messages.h"
#include "host/dialog.h"
#include "platform/files.h"
#include "platform/process.h"

namespace quenlo {

std::wstring SimulatorParameters(const std::wstring& prj) { return L"-prjf \"" + prj + L"\""; }

void LaunchSimulator(std::wstring exe, std::wstring prj) {
  HostWindow* frame = get_MainFrame();
  void* owner = frame ? frame->GetSafeHwnd() : nullptr;
  // A folder would be opened in a file browser rather than started.
  bool started = !exe.empty() && platform::GetPathKind(exe) != platform::PathKind::kDirectory &&
                 platform::StartProgram(owner, exe, SimulatorParameters(prj)) == platform::StartResult::kStarted;
  if (!started) AfxMessageBox(messages::SimulatorCannotStart(exe));
}

}  // namespace quenlo
