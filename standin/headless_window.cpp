#include "headless_window.h"

#include <algorithm>

#include "host_state.h"
#include "platform/files.h"

namespace standin {

std::wstring HeadlessWindow::GetItemText(int id) { return At(id).text; }
void HeadlessWindow::SetItemText(int id, const std::wstring& text) { At(id).text = text; }

int HeadlessWindow::GetCurSel(int id) { return At(id).selection; }

void HeadlessWindow::SetCurSel(int id, int index) {
  Control& c = At(id);
  if (index < 0 || index >= static_cast<int>(c.items.size())) {
    c.selection = -1;
    return;
  }
  c.selection = index;
  c.text = c.items[static_cast<size_t>(index)];  // a combo's edit field shows the chosen item
}

void HeadlessWindow::ResetContent(int id) {
  At(id).items.clear();
  At(id).selection = -1;
}

void HeadlessWindow::AddString(int id, const std::wstring& text) {
  Control& c = At(id);
  const DialogControl* spec = template_.Find(id);
  if (spec && spec->sorted) {
    c.items.insert(std::upper_bound(c.items.begin(), c.items.end(), text), text);
  } else {
    c.items.push_back(text);
  }
}

int HeadlessWindow::GetCount(int id) { return static_cast<int>(At(id).items.size()); }

std::wstring HeadlessWindow::GetLBText(int id, int index) {
  Control& c = At(id);
  if (index < 0 || index >= static_cast<int>(c.items.size())) return L"";
  return c.items[static_cast<size_t>(index)];
}

int HeadlessWindow::GetCheck(int id) { return At(id).check; }
void HeadlessWindow::SetCheck(int id, int state) { At(id).check = state; }
void HeadlessWindow::SetFocus(int id) { focus_ = id; }

void HeadlessWindow::ShowMessage(const std::wstring& text) { Report("message: ", text); }

bool HeadlessWindow::AskYesNo(const std::wstring& text) {
  Report("message: ", text);
  return TakeYesNoAnswer();
}

std::optional<std::wstring> HeadlessWindow::RunFileDialog(const FileDialogRequest& request) {
  ReportFileRequest(request);
  std::optional<std::wstring> answer;
  if (!TakeFileAnswer(answer) || !answer) return std::nullopt;
  // The dialog appends the default extension to a name typed without one.
  std::wstring chosen = *answer;
  size_t name_start = chosen.find_last_of(L"\\/");
  name_start = name_start == std::wstring::npos ? 0 : name_start + 1;
  if (!request.default_extension.empty() && chosen.find(L'.', name_start) == std::wstring::npos)
    chosen += L"." + request.default_extension;
  // OFN_PATHMUSTEXIST: the dialog does not accept a path whose folder is missing.
  if ((request.flags & kOfnPathMustExist) && name_start > 1 &&
      quenlo::platform::GetPathKind(chosen.substr(0, name_start - 1)) != quenlo::platform::PathKind::kDirectory) {
    Report("file dialog: no such folder, cancelled: ", chosen);
    return std::nullopt;
  }
  // A folder's name is not taken as a file: the dialog opens that folder, and
  // the user gives up.
  if (quenlo::platform::GetPathKind(chosen) == quenlo::platform::PathKind::kDirectory) {
    Report("file dialog: a folder, not a file, cancelled: ", chosen);
    return std::nullopt;
  }
  return chosen;
}

void HeadlessWindow::SetTimer(int, int period_ms) { timer_period_ = period_ms; }
void HeadlessWindow::AddToolTip(int id, const std::wstring& text) { tool_tips_[id] = text; }

ClientRect HeadlessWindow::GetClientRect() { return {0, 0, width_, height_}; }

bool HeadlessWindow::FillSolidRect(const ClientRect& rect, unsigned long colour) {
  if (!has_dc_) return false;
  fills_.push_back({rect, colour});
  return true;
}

bool HeadlessWindow::MoveControlToTop(int id, int x, int y) {
  if (!template_.Find(id)) return false;
  moves_.push_back({id, x, y});
  return true;
}

bool HeadlessWindow::SetButtonIcon(int id, int icon_id) {
  if (!template_.Find(id)) return false;
  At(id).icon = icon_id;
  return true;
}

bool HeadlessWindow::MakeBitmapButton(int id, const ButtonBitmaps& bitmaps) {
  if (!template_.Find(id)) return false;
  At(id).bitmaps = bitmaps;
  return true;
}

void HeadlessWindow::UserType(int id, const std::wstring& text) { SetItemText(id, text); }

void HeadlessWindow::UserSelect(int id, int index) {
  SetCurSel(id, index);
  if (Host().dialog) Host().dialog->OnCommand(id, kCbnSelChange);
}

void HeadlessWindow::UserCheck(int id, bool on) {
  SetCheck(id, on ? 1 : 0);
  if (Host().dialog) Host().dialog->OnCommand(id, kBnClicked);
}

void HeadlessWindow::UserClick(int id) {
  if (Host().dialog) Host().dialog->OnCommand(id, kBnClicked);
}

void HeadlessWindow::UserClose() {
  if (Host().dialog) Host().dialog->OnClose();
}

void HeadlessWindow::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  if (Host().dialog) Host().dialog->OnSize();
}

bool HeadlessWindow::Snapshot(const std::wstring&, std::string& error) {
  error = "a snapshot needs the Windows build";
  return false;
}

// A timer tick between two user actions.
void HeadlessWindow::Pump() {
  if (Host().dialog && timer_running()) Host().dialog->OnTimer(1);
}

int HeadlessWindow::ButtonIcon(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? 0 : it->second.icon;
}

ButtonBitmaps HeadlessWindow::Bitmaps(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? ButtonBitmaps{} : it->second.bitmaps;
}

std::wstring HeadlessWindow::ToolTip(int id) const {
  auto it = tool_tips_.find(id);
  return it == tool_tips_.end() ? L"" : it->second;
}

}  // namespace standin
