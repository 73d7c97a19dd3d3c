#include "project_reader.h"

#include "common/numbers.h"
#include "common/text_lines.h"
#include "tool_file_reader.h"

namespace tarvik {
namespace {

bool StartsWith(const std::string& line, const char* key) { return line.compare(0, std::string(key).size(), key) == 0; }

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string_view rest = bytes;
  for (quenlo::TextLine line; quenlo::NextLine(rest, line);) lines.emplace_back(line.text);
  return lines;
}

// The numbers after the first `skip` pieces; false when any does not read.
bool Numbers(const std::string& line, size_t skip, size_t want, std::vector<std::string>& out) {
  std::vector<std::string> pieces = SplitBlanks(line);
  if (pieces.size() < skip + want) return false;
  for (size_t i = skip; i < pieces.size(); ++i) {
    if (!IsNumber(pieces[i])) return false;
    out.push_back(pieces[i]);
  }
  return true;
}

struct SettingKey {
  const char* key;
  const char* name;
  size_t skip;   // pieces before the numbers
  size_t want;   // at least this many numbers
};

const SettingKey kSettings[] = {
    {".wrkjig.param", "stock parameters", 1, 12},
    {".wrkjig.pos", "stock position", 1, 3},
    {".setting.work_width", "stock width", 1, 1},
    {".setting.work_depth", "stock depth", 1, 1},
    {".setting.work_height", "stock height", 1, 1},
    {".setting.work_dia", "stock diameter", 1, 1},
    {".setting.work_length", "stock length", 1, 1},
    {".setting.part0p.x", "work origin x", 1, 1},
    {".setting.part0p.y", "work origin y", 1, 1},
    {".setting.part0p.z", "work origin z", 1, 1},
    {".setting.a_axis_0p.y", "a axis centre y", 1, 1},
    {".setting.a_axis_0p.z", "a axis centre z", 1, 1},
    {".setting.b_axis_0p.x", "b axis centre x", 1, 1},
    {".setting.b_axis_0p.z", "b axis centre z", 1, 1},
    {".setting.c_axis_0p.x", "c axis centre x", 1, 1},
    {".setting.c_axis_0p.y", "c axis centre y", 1, 1},
    {".setting.initial_tool_fromM", "initial position from M", 1, 1},
};

const char* const kPathKeys[] = {".ncdfile", ".tolfiles1", ".mchfile", ".wrkfile", ".wrkjig.path"};

bool ReadPath(const std::string& line, const char* key, NamedFile& file) {
  size_t open = line.find('"', std::string(key).size());
  size_t close = line.rfind('"');
  if (open == std::string::npos || close == open) return false;
  for (size_t i = std::string(key).size(); i < open; ++i)
    if (line[i] != ' ' && !(line[i] == '1' && i == std::string(key).size())) return false;
  file.key = key;
  file.path = line.substr(open + 1, close - open - 1);
  return true;
}

}  // namespace

std::string WorkOffsetName(int n) {
  if (n == 1) return "EXOFS";
  if (n >= 2 && n <= 7) return "G" + std::to_string(52 + n);
  if (n >= 8 && n <= 307) return "G54.1 P" + std::to_string(n - 7);
  if (n >= 308 && n <= 315) return std::string("G54.2 P") + (n - 307 < 10 ? "0" : "") + std::to_string(n - 307);
  return "offset " + std::to_string(n);
}

bool ReadProject(const std::string& bytes, Project& project, std::string& error) {
  std::vector<std::string> lines = SplitLines(bytes);
  auto fail = [&error](size_t index, const std::string& why) {
    error = "line " + std::to_string(index + 1) + ": " + why;
    return false;
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() || line[0] != '.') continue;
    bool done = false;
    for (const char* key : kPathKeys) {
      if (!StartsWith(line, key)) continue;
      NamedFile file;
      if (!ReadPath(line, key, file)) return fail(i, std::string("a ") + key + " line without its quoted path");
      project.files.push_back(file);
      done = true;
      break;
    }
    if (done) continue;
    if (StartsWith(line, ".setting.workform")) {
      std::vector<std::string> pieces = SplitBlanks(line);
      project.stock_kind = pieces.size() > 1 ? pieces[1] : "";
      continue;
    }
    for (const SettingKey& k : kSettings) {
      if (!StartsWith(line, k.key) || SplitBlanks(line)[0] != k.key) continue;
      Setting s{k.name, {}};
      if (!Numbers(line, k.skip, k.want, s.numbers)) return fail(i, std::string(k.key) + " without its numbers");
      project.settings.push_back(s);
      done = true;
      break;
    }
    if (done) continue;
    if (StartsWith(line, ".setting.initial_axis") || StartsWith(line, ".setting.referenc")) {
      // Nine axis lines make one row: the initial position or reference return n.
      std::vector<std::string> pieces = SplitBlanks(line);
      std::vector<std::string> value;
      if (!Numbers(line, 1, 1, value)) return fail(i, pieces[0] + " without its value");
      std::string name = pieces[0][9] == 'i' ? "initial position"
                                             : "reference return " + pieces[0].substr(17, pieces[0].find('_') - 17);
      if (project.settings.empty() || project.settings.back().name != name) project.settings.push_back({name, {}});
      project.settings.back().numbers.push_back(value[0]);
      continue;
    }
    if (StartsWith(line, ".setting.WORK5SYS[0] ")) {
      int n = quenlo::ParseLeadingInt(line.substr(21));
      Setting s{WorkOffsetName(n), {}};
      bool two_lines = n >= 308;
      std::vector<std::string> v, f;
      if (i + 1 >= lines.size() || !StartsWith(lines[i + 1], ".W5SV") || !Numbers(lines[i + 1], 1, 9, v))
        return fail(i + 1, "work offset " + s.name + " without its .W5SV line");
      if (two_lines) {
        if (i + 2 >= lines.size() || !StartsWith(lines[i + 2], ".W5SF") || !Numbers(lines[i + 2], 2, 3, f))
          return fail(i + 2, "work offset " + s.name + " without its .W5SF line");
        s.numbers = {f[0], f[1], f[2], v[3], v[4], v[5], v[6], v[7], v[8]};
      } else {
        s.numbers.assign(v.begin(), v.begin() + 9);
      }
      project.work_offsets.push_back(s);
      i += two_lines ? 2 : 1;
      continue;
    }
    if (StartsWith(line, ".setting.StockDef 0")) {
      Setting s{"stock definition", {}};
      if (i + 2 >= lines.size() || !StartsWith(lines[i + 2], ".CWJDEF-P") || !Numbers(lines[i + 2], 1, 3, s.numbers))
        return fail(i + 2, "the stock definition without its .CWJDEF-P line");
      s.numbers.resize(3);
      project.settings.push_back(s);
      i += 2;
    }
  }
  return true;
}

}  // namespace tarvik
