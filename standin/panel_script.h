// The panel script: the stand-in host playing the user. One action a line;
// each pumped message carries out the next user action.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct ScriptLine {
  int number = 0;        // line number in the script, for messages
  std::wstring action;   // type, select, check, click, answer-file, answer-cancel, answer-yes, answer-no, close, hide-panel, show
  std::wstring target;   // control name or id
  std::wstring argument; // the rest of the line
};

class PanelScript {
 public:
  // Parses script text (UTF-8). Comments start with '#' at the start of a line
  // or after a blank.
  static PanelScript Parse(const std::string& text);
  void Append(const PanelScript& more);
  const std::vector<ScriptLine>& lines() const { return lines_; }

  bool done() const { return next_ >= lines_.size(); }
  // Carries out user actions until one has reached the panel (one message),
  // or the script ends. False when the script has ended.
  bool RunNext();
  bool failed() const { return failed_; }

 private:
  // Carries out one line; true when it was a message to the panel.
  bool Execute(const ScriptLine& line);
  void Fail(const ScriptLine& line, const std::string& what);

  std::vector<ScriptLine> lines_;
  size_t next_ = 0;
  bool failed_ = false;
};

}  // namespace standin
