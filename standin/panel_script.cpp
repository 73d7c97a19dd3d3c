#include "panel_script.h"

#include <cwctype>

#include "scripted_window.h"
#include "host_state.h"
#include "platform/ansi.h"

namespace standin {
namespace {

std::wstring Trim(const std::wstring& s) {
  size_t b = s.find_first_not_of(L" \t\r");
  if (b == std::wstring::npos) return L"";
  size_t e = s.find_last_not_of(L" \t\r");
  return s.substr(b, e - b + 1);
}

// A blank as the line's trimming sees it, so that what is left of a line never
// begins with '#'.
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

std::wstring StripComment(const std::wstring& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == L'#' && (i == 0 || IsBlank(line[i - 1]))) return line.substr(0, i);
  }
  return line;
}

// Splits off the first word.
std::wstring TakeWord(std::wstring& rest) {
  rest = Trim(rest);
  size_t end = rest.find_first_of(L" \t");
  std::wstring word = rest.substr(0, end);
  rest = end == std::wstring::npos ? L"" : Trim(rest.substr(end));
  return word;
}

bool ParseIndex(const std::wstring& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  return true;
}

// One control's state as the user sees it, for the transcript.
void ReportShown(ScriptedWindow& window, const DialogControl& control) {
  std::wstring name = control.name ? control.name : std::to_wstring(control.id);
  std::wstring state;
  switch (control.kind) {
    case ControlKind::kEdit:
      state = window.GetItemText(control.id);
      break;
    case ControlKind::kComboBox:
      state = window.GetItemText(control.id) + L" [entry " + std::to_wstring(window.GetCurSel(control.id)) +
              L" of " + std::to_wstring(window.GetCount(control.id)) + L"]";
      break;
    case ControlKind::kCheckBox:
      state = window.GetCheck(control.id) ? L"on" : L"off";
      break;
    default:
      return;  // buttons show nothing
  }
  Report("shown: ", name + L" = " + state);
}

}  // namespace

PanelScript PanelScript::Parse(const std::string& text) {
  PanelScript script;
  std::wstring all = quenlo::platform::FromUtf8(text);
  size_t start = 0;
  int number = 0;
  while (start <= all.size()) {
    size_t end = all.find(L'\n', start);
    std::wstring raw = all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    ++number;
    std::wstring rest = Trim(StripComment(raw));
    if (!rest.empty()) {
      ScriptLine line;
      line.number = number;
      line.action = TakeWord(rest);
      if (line.action == L"type") {
        line.target = TakeWord(rest);
        line.argument = rest;  // the rest of the line, blanks inside kept
      } else if (line.action == L"answer-file" || line.action == L"snapshot") {
        line.argument = rest;
      } else {
        line.target = TakeWord(rest);
        line.argument = rest;
      }
      script.lines_.push_back(line);
    }
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return script;
}

void PanelScript::Append(const PanelScript& more) {
  for (ScriptLine line : more.lines_) {
    line.number += static_cast<int>(lines_.size() > 0 ? lines_.back().number : 0);
    lines_.push_back(line);
  }
}

bool PanelScript::RunNext() {
  while (!done()) {
    const ScriptLine& line = lines_[next_++];
    if (Execute(line)) return true;
    if (failed_) return true;
  }
  return false;
}

void PanelScript::Fail(const ScriptLine& line, const std::string& what) {
  Report("script: line " + std::to_string(line.number) + ": " + what);
  failed_ = true;
  next_ = lines_.size();
  Host().panel_visible = false;  // the run goes on as if the panel were hidden
}

bool PanelScript::Execute(const ScriptLine& line) {
  HostState& host = Host();
  std::string action = quenlo::platform::ToUtf8(line.action);
  static const wchar_t* const kActions[] = {L"type",  L"select", L"check",         L"click",
                                            L"close", L"hide-panel", L"answer-file", L"answer-cancel",
                                            L"answer-yes", L"answer-no", L"show", L"resize", L"snapshot"};
  bool known = false;
  for (const wchar_t* a : kActions) known = known || line.action == a;
  if (!known) {
    Fail(line, "unknown action '" + action + "'");
    return false;
  }
  if (line.action == L"hide-panel") {
    Report("panel hidden");
    host.panel_visible = false;
    if (host.window) host.window->HidePanel();
    return true;
  }
  if (!host.window || !host.dialog) {
    Fail(line, "no panel is open for '" + action + "'");
    return false;
  }
  ScriptedWindow& window = *host.window;
  if (line.action == L"answer-file") {
    window.QueueFileAnswer(line.argument);
    return false;
  }
  if (line.action == L"answer-cancel") {
    window.QueueFileAnswer(std::nullopt);
    return false;
  }
  if (line.action == L"answer-yes" || line.action == L"answer-no") {
    window.QueueYesNoAnswer(line.action == L"answer-yes");
    return false;
  }
  if (line.action == L"close") {
    window.UserClose();
    return true;
  }
  if (line.action == L"resize") {
    int width = 0, height = 0;
    if (!ParseIndex(line.target, width) || !ParseIndex(line.argument, height) || width < 1 || height < 1) {
      Fail(line, "resize takes a width and a height in pixels");
      return false;
    }
    window.Resize(width, height);
    return true;
  }
  if (line.action == L"snapshot") {
    if (line.argument.empty()) {
      Fail(line, "snapshot takes a file name");
      return false;
    }
    std::string error;
    if (!window.Snapshot(line.argument, error)) Report("snapshot: " + error);
    return false;
  }
  const DialogTemplate& tpl = window.dialog_template();
  if (line.action == L"show" && line.target == L"all") {
    for (const DialogControl& c : tpl.controls) ReportShown(window, c);
    return false;
  }
  // The remaining actions name a control, by name or by id.
  const DialogControl* control = tpl.FindByName(line.target);
  int id = 0;
  if (!control && ParseIndex(line.target, id)) control = tpl.Find(id);
  if (!control) {
    Fail(line, "unknown control '" + quenlo::platform::ToUtf8(line.target) + "'");
    return false;
  }
  id = control->id;
  if (line.action == L"show") {  // reports what the control shows; no message to the panel
    ReportShown(window, *control);
    return false;
  }
  if (line.action == L"type") {
    window.UserType(id, line.argument);
    return true;
  }
  if (line.action == L"select") {
    int index = 0;
    if (!ParseIndex(line.argument, index) || index >= window.GetCount(id)) {
      Fail(line, "no entry '" + quenlo::platform::ToUtf8(line.argument) + "' in that list");
      return false;
    }
    window.UserSelect(id, index);
    return true;
  }
  if (line.action == L"check") {
    if (line.argument != L"on" && line.argument != L"off") {
      Fail(line, "check takes on or off");
      return false;
    }
    window.UserCheck(id, line.argument == L"on");
    return true;
  }
  window.UserClick(id);
  return true;
}

}  // namespace standin
