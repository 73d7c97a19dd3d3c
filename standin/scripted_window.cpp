#include "scripted_window.h"

#include "host_state.h"

namespace standin {

bool ScriptedWindow::TakeFileAnswer(std::optional<std::wstring>& answer) {
  if (file_answers_.empty()) {
    Report("file dialog: no answer queued, cancelled");
    return false;
  }
  answer = file_answers_.front();
  file_answers_.pop_front();
  return true;
}

bool ScriptedWindow::TakeYesNoAnswer() {
  if (yes_no_answers_.empty()) {
    Report("message answer: yes (no answer queued)");
    return true;
  }
  bool yes = yes_no_answers_.front();
  yes_no_answers_.pop_front();
  Report(yes ? "message answer: yes" : "message answer: no");
  return yes;
}

void ScriptedWindow::ReportFileRequest(const FileDialogRequest& request) {
  std::wstring what = std::wstring(request.open ? L"open" : L"save") + L" filter=" + request.filter +
                      L" ext=" + request.default_extension + L" name=" + request.initial_name +
                      L" folder=" + request.initial_folder;
  Report("file dialog: ", what);
}

}  // namespace standin
