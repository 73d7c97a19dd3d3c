// The rewrite of the project template: a line that begins with no key leaves
// the rewrite as it came (only its line end becomes CR LF), a line that begins
// with a key becomes that key's replacement, and the real rules of every stock
// shape rewrite any template without a crash.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "export/project/project_rules.h"
#include "export/project/template_rewrite.h"
#include "fuzz_check.h"
#include "fuzz_text.h"
#include "platform/ansi.h"

namespace {

using namespace quenlo;

// The first rule whose key begins a line, found another way than the
// rewrite's own index: the line's beginning of each length that a key with
// the line's first character has, looked up among the keys (each key with
// the first rule that has it).
class FirstKeys {
 public:
  explicit FirstKeys(const KeyRules& rules) : none_(rules.size()) {
    for (size_t i = 0; i < rules.size(); ++i) {
      const std::string& key = rules[i].key;
      first_.emplace(key, i);
      if (!key.empty()) lengths_[static_cast<unsigned char>(key[0])].insert(key.size());
    }
  }
  size_t operator()(std::string_view line) const {
    size_t found = none_;
    if (line.empty()) return found;
    for (size_t length : lengths_[static_cast<unsigned char>(line[0])]) {
      if (length > line.size()) break;
      auto it = first_.find(line.substr(0, length));
      if (it != first_.end()) found = std::min(found, it->second);
    }
    return found;
  }

 private:
  std::unordered_map<std::string_view, size_t> first_;  // emplace keeps the first rule of a key
  std::set<size_t> lengths_[256];                        // by the keys' first byte
  size_t none_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  platform::SetAnsiCodePage(932);
  // The rules of each stock shape and origin code, built once: building
  // them costs more than most rewrites.
  static LinkSettings settings;
  static AxisRow wcs[kWcsRows]{};
  static AxisRow ref[kRefRows]{};
  static int stl_writes = 0;
  struct RuleSet {
    KeyRules real, plain;
    std::unique_ptr<KeyIndex> real_index, plain_index;
    std::unique_ptr<FirstKeys> first;
  };
  static std::map<std::pair<int, int>, RuleSet> rule_sets;
  StockSetup stock;
  stock.shape = in.ConsumeIntegralInRange<int>(-1, 4);
  stock.origin_code = in.ConsumeIntegralInRange<short>(-1, 9);
  stock.size_x = 100.5;
  RuleSet& set = rule_sets[{stock.shape, stock.origin_code}];
  KeyRules& real = set.real;
  KeyRules& plain = set.plain;
  if (real.empty()) {
    real = BuildProjectRules({settings, wcs, ref, stock, L"/nc/job.NC.stl", [] { ++stl_writes; }});
    // The same keys as plain line keys: the output is the template line for line.
    for (const KeyRule& rule : real) plain.push_back(LineRule(rule.key, "\x01" + std::to_string(plain.size())));
    set.first = std::make_unique<FirstKeys>(plain);
    set.real_index = std::make_unique<KeyIndex>(real);
    set.plain_index = std::make_unique<KeyIndex>(plain);
  }
  stl_writes = 0;
  std::string bytes = in.ConsumeRemainingBytesAsString();
  std::string project = RewriteTemplate(bytes, real, *set.real_index);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return 0;  // read as UTF-8, written in the code page

  const std::string plain_project = RewriteTemplate(bytes, plain, *set.plain_index);
  std::vector<std::string_view> in_lines = Lines(bytes);
  std::vector<std::string_view> out_lines = Lines(plain_project);
  FUZZ_CHECK(in_lines.size() == out_lines.size());
  bool any_match = false;
  for (size_t n = 0; n < in_lines.size(); ++n) {
    size_t first = (*set.first)(in_lines[n]);
    any_match = any_match || first < plain.size();
    FUZZ_CHECK(out_lines[n] == (first < plain.size() ? std::string_view(plain[first].replacement) : in_lines[n]));
  }
  // With no key in the template, the real rules change nothing but line ends.
  if (!any_match) {
    FUZZ_CHECK(project == CrLf(bytes));
    FUZZ_CHECK(stl_writes == 0);
  }
  return 0;
}
