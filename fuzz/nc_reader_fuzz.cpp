// The NC reader behind the check before a launch: any bytes give a list of
// first uses ordered by line, each once, with numbers a control could select
// and lines within the program; reading T words adds tool uses and changes
// nothing else; and the program's sets only take uses away: without its G10
// blocks and variable assignments it uses everything it used before.
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "nc_check/nc_reader.h"

using quenlo::nc_check::NcUse;
using quenlo::nc_check::NcWord;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A line of plain addresses (a letter, then a number) holding G10.
bool IsG10Line(std::string_view line) {
  bool g10 = false;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    const char letter = static_cast<char>(line[i] & ~0x20);
    if (letter < 'A' || letter > 'Z') return false;
    size_t j = i + 1;
    if (j < line.size() && (line[j] == '-' || line[j] == '+')) ++j;
    const size_t digits = j;
    while (j < line.size() && IsDigit(line[j])) ++j;
    if (j == digits) return false;
    std::string_view number = line.substr(digits, j - digits);
    std::string_view fraction;
    if (j < line.size() && line[j] == '.') {
      const size_t from = ++j;
      while (j < line.size() && IsDigit(line[j])) ++j;
      fraction = line.substr(from, j - from);
    }
    while (number.size() > 1 && number[0] == '0') number.remove_prefix(1);
    if (letter == 'G' && digits == i + 1 && number == "10" && (fraction.empty() || fraction == "0")) g10 = true;
    i = j;
  }
  return g10;
}

// The program with the lines that are G10 blocks or variable assignments
// emptied, in the forms whose meaning needs no other rule of the reader:
// no comment, expression, name, block delete, '%' or second block on them.
std::string WithoutSets(std::string_view program) {
  std::string out;
  size_t start = 0;
  while (start < program.size()) {
    size_t end = program.find('\n', start);
    end = end == std::string_view::npos ? program.size() : end + 1;
    std::string_view line = program.substr(start, end - start);
    std::string_view text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    bool plain = !text.empty();
    for (char c : text)
      if ((c < 0x20 && c != '\t') || c >= 0x7f || std::string_view("();%[]<>/").find(c) != std::string_view::npos)
        plain = false;
    const bool set = plain && (text.find('=') != std::string_view::npos || IsG10Line(text));
    out += set ? line.substr(text.size()) : line;  // a set line keeps its line end: the others stay where they were
    start = end;
  }
  return out;
}

std::set<std::pair<int, int>> Words(const std::vector<NcUse>& uses) {
  std::set<std::pair<int, int>> words;
  for (const NcUse& use : uses) words.insert({static_cast<int>(use.word), use.number});
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view program(reinterpret_cast<const char*>(data), size);
  int breaks = 0;
  for (char c : program) breaks += c == '\n' || c == '\r';
  const std::vector<NcUse> with_tools = quenlo::nc_check::ReadNcProgram(program, true).uses;
  const std::vector<NcUse> without = quenlo::nc_check::ReadNcProgram(program, false).uses;

  std::set<std::pair<int, int>> seen;
  int last_line = 1;
  std::vector<NcUse> not_tools;
  for (const NcUse& use : with_tools) {
    FUZZ_CHECK(seen.insert({static_cast<int>(use.word), use.number}).second);
    FUZZ_CHECK(use.line >= last_line && use.line <= breaks + 1);
    last_line = use.line;
    if (use.word == NcWord::kWorkOffset)
      FUZZ_CHECK(use.number >= 1 && use.number <= 314);
    else
      FUZZ_CHECK(use.number >= 1 && use.number <= 999999999);
    if (use.word != NcWord::kTool) not_tools.push_back(use);
  }
  FUZZ_CHECK(not_tools.size() == without.size());
  for (size_t i = 0; i < without.size(); ++i)
    FUZZ_CHECK(without[i].word == not_tools[i].word && without[i].number == not_tools[i].number &&
               without[i].line == not_tools[i].line);

  const std::set<std::pair<int, int>> unset = Words(quenlo::nc_check::ReadNcProgram(WithoutSets(program), true).uses);
  for (const std::pair<int, int>& word : seen) FUZZ_CHECK(unset.count(word) == 1);
  return 0;
}
