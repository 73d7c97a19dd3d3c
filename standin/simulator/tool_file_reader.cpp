#include "tool_file_reader.h"

#include "common/numbers.h"
#include "common/text_lines.h"
#include "platform/ansi.h"

namespace tarvik {
namespace {

bool IsDigits(const std::string& s) {
  if (s.empty()) return false;
  size_t i = s[0] == '-' ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

// Profile numbers: x y pairs, an arc's pair followed by its "R" radius.
bool ReadProfile(const std::vector<std::string>& pieces, size_t from, size_t to, std::vector<std::string>& out,
                 std::string& why) {
  size_t plain = 0;
  for (size_t i = from; i < to; ++i) {
    const std::string& p = pieces[i];
    if (p[0] == 'R') {
      if (plain % 2 != 0 || plain == 0 || !IsNumber(p.substr(1))) {
        why = "bad arc radius \"" + p + "\"";
        return false;
      }
    } else if (IsNumber(p)) {
      ++plain;
    } else {
      why = "bad profile number \"" + p + "\"";
      return false;
    }
    out.push_back(p);
  }
  if (plain % 2 != 0) {
    why = "a profile point without its y value";
    return false;
  }
  return true;
}

bool ReadToolRecord(const std::string& line, ToolRecord& t, std::string& why) {
  size_t tail = line.find(" /");
  size_t hash = tail == std::string::npos ? tail : line.find(" #", tail);
  if (hash == std::string::npos) {
    why = "a tool record without its \" /holder #comment\" tail";
    return false;
  }
  std::string holder = line.substr(tail + 2, hash - tail - 2);
  if (!IsDigits(holder)) {
    why = "bad holder number \"" + holder + "\"";
    return false;
  }
  t.holder = quenlo::ParseLeadingInt(holder);
  t.comment = line.substr(hash + 2);
  std::vector<std::string> pieces = SplitBlanks(line.substr(0, tail));
  if (pieces.size() < 4 || !IsDigits(pieces[0].substr(1)) || !IsNumber(pieces[2]) || !IsDigits(pieces[3])) {
    why = "a tool record head that is not \"T<number> <kind> <length> <cycle>\"";
    return false;
  }
  if (pieces[1] != "USERDEFTOOL" && pieces[1] != "USERDEFBITE") {
    why = "unknown tool kind \"" + pieces[1] + "\"";
    return false;
  }
  t.number = quenlo::ParseLeadingInt(pieces[0].substr(1));
  t.kind = pieces[1];
  t.length = pieces[2];
  t.cycle = quenlo::ParseLeadingInt(pieces[3]);
  return ReadProfile(pieces, 4, pieces.size(), t.profile, why);
}

bool ReadHolder(const std::string& line, HolderLine& h, std::string& why) {
  std::vector<std::string> pieces = SplitBlanks(line);
  if (pieces.size() < 2 || !IsDigits(pieces[0].substr(1))) {
    why = "a holder line that is not \"/<index> <kind> ...\"";
    return false;
  }
  h.index = quenlo::ParseLeadingInt(pieces[0].substr(1));
  h.kind = pieces[1];
  if (h.kind == "STD_HOLDER") {
    if (pieces.size() != 4 || !IsNumber(pieces[2]) || !IsNumber(pieces[3])) {
      why = "a standard holder without its diameter and length";
      return false;
    }
    h.numbers = {pieces[2], pieces[3]};
    return true;
  }
  if (h.kind == "USER_HOLDER") return ReadProfile(pieces, 2, pieces.size(), h.numbers, why);
  why = "unknown holder kind \"" + h.kind + "\"";
  return false;
}

bool ReadOffset(const std::string& line, OffsetValue& v, std::string& why) {
  std::vector<std::string> pieces = SplitBlanks(line);
  if (pieces.size() != 2 || !IsDigits(pieces[0].substr(1)) || !IsNumber(pieces[1])) {
    why = "an offset line that is not \"" + line.substr(0, 1) + "<number> <value>\"";
    return false;
  }
  v.number = quenlo::ParseLeadingInt(pieces[0].substr(1));
  v.value = pieces[1];
  return true;
}

}  // namespace

std::vector<std::string> SplitBlanks(const std::string& text) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    size_t end = text.find(' ', i);
    if (end == std::string::npos) end = text.size();
    if (end > i) out.push_back(text.substr(i, end - i));
    i = end;
  }
  return out;
}

bool IsNumber(const std::string& text) {
  double value = 0;
  return !text.empty() && text.find(' ') == std::string::npos &&
         quenlo::ParseWholeDouble(quenlo::platform::FromAnsi(text), value);
}

bool ReadToolFile(const std::string& bytes, ToolFile& file, std::string& error) {
  std::string_view rest = bytes;
  int number = 0;
  for (quenlo::TextLine text; quenlo::NextLine(rest, text, true);) {
    const std::string line(text.text);
    ++number;
    std::string why;
    bool ok = false;
    if (!line.empty() && line.back() == '\r') {
      why = "a carriage return (the tool file ends its lines with a line feed only)";
    } else if (line.empty()) {
      why = "an empty line";
    } else if (line[0] == 'T') {
      ToolRecord t;
      ok = ReadToolRecord(line, t, why);
      if (ok) file.tools.push_back(t);
    } else if (line[0] == 'D' || line[0] == 'H') {
      OffsetValue v;
      ok = ReadOffset(line, v, why);
      if (ok) (line[0] == 'D' ? file.d_values : file.h_values).push_back(v);
    } else if (line[0] == '/') {
      HolderLine h;
      ok = ReadHolder(line, h, why);
      if (ok) file.holders.push_back(h);
    } else {
      why = "a line that is no tool record, D or H value or holder";
    }
    if (!ok) {
      error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
  }
  return true;
}

}  // namespace tarvik
