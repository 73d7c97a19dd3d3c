// The panel's window as the panel script plays the user on it: the dialog
// window interface, plus the user's own actions (each one message to the
// panel) and the queue of answers for the file dialogs and message boxes that
// the panel will open. The headless window and the real Win32 window both
// are one.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "host/dialog.h"
#include "host/resources.h"

namespace standin {

class ScriptedWindow : public DialogWindow {
 public:
  explicit ScriptedWindow(const DialogTemplate& dialog_template) : template_(dialog_template) {}

  const DialogTemplate& dialog_template() const { return template_; }

  // A combo box's list, as the script's `show` and `select` read it.
  virtual int GetCount(int id) = 0;
  virtual std::wstring GetLBText(int id, int index) = 0;

  // The user's actions on the controls.
  virtual void UserType(int id, const std::wstring& text) = 0;
  virtual void UserSelect(int id, int index) = 0;
  virtual void UserCheck(int id, bool on) = 0;
  virtual void UserClick(int id) = 0;
  // The panel's close box.
  virtual void UserClose() = 0;
  // The dialog's client area becomes width x height pixels.
  virtual void Resize(int width, int height) = 0;
  // Writes a PNG of the client area as it stands on the screen; false with
  // the reason when it cannot.
  virtual bool Snapshot(const std::wstring& path, std::string& error) = 0;
  // Lets the window do what is due between two user actions.
  virtual void Pump() = 0;
  // The host hides its function panel.
  virtual void HidePanel() {}
  virtual bool timer_running() const = 0;

  void QueueFileAnswer(std::optional<std::wstring> answer) { file_answers_.push_back(std::move(answer)); }
  void QueueYesNoAnswer(bool yes) { yes_no_answers_.push_back(yes); }

 protected:
  // The next file dialog's answer: nothing queued, a cancel, or a path.
  bool TakeFileAnswer(std::optional<std::wstring>& answer);
  // The next Yes/No box's answer, reported; with none queued the user presses
  // Enter: the default button, Yes.
  bool TakeYesNoAnswer();
  // Reports what a file dialog is asked for.
  static void ReportFileRequest(const FileDialogRequest& request);

  DialogTemplate template_;

 private:
  std::deque<std::optional<std::wstring>> file_answers_;
  std::deque<bool> yes_no_answers_;
};

}  // namespace standin
