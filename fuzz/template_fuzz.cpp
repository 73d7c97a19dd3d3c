// The rewrite of the project template: a line that begins with no key leaves
// the rewrite as it came (only its line end becomes CR LF), a line that begins
// with a key becomes that key's replacement, and the real rules of every stock
// shape rewrite any template without a crash.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "export/project/project_rules.h"
#include "export/project/template_rewrite.h"
#include "fuzz_check.h"
#include "fuzz_text.h"
#include "platform/ansi.h"

namespace {

using namespace quenlo;

// The first rule, from `from` on, whose key begins `line`.
size_t FirstKey(const KeyRules& rules, const std::string& line, size_t from) {
  for (size_t i = from; i < rules.size(); ++i)
    if (line.compare(0, rules[i].key.size(), rules[i].key) == 0) return i;
  return rules.size();
}

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
  static std::map<std::pair<int, int>, std::pair<KeyRules, KeyRules>> rule_sets;
  StockSetup stock;
  stock.shape = in.ConsumeIntegralInRange<int>(-1, 4);
  stock.origin_code = in.ConsumeIntegralInRange<short>(-1, 9);
  stock.size_x = 100.5;
  auto& [real, plain] = rule_sets[{stock.shape, stock.origin_code}];
  if (real.empty()) {
    real = BuildProjectRules({settings, wcs, ref, stock, L"/nc/job.NC.stl", [] { ++stl_writes; }});
    // The same keys as plain line keys: the output is the template line for line.
    for (const KeyRule& rule : real) plain.push_back(LineRule(rule.key, "\x01" + std::to_string(plain.size())));
  }
  stl_writes = 0;
  std::string bytes = in.ConsumeRemainingBytesAsString();
  std::string project = RewriteTemplate(bytes, real);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return 0;  // read as UTF-8, written in the code page

  std::vector<std::string> in_lines = Lines(bytes);
  std::vector<std::string> out_lines = Lines(RewriteTemplate(bytes, plain));
  FUZZ_CHECK(in_lines.size() == out_lines.size());
  bool any_match = false;
  for (size_t n = 0; n < in_lines.size(); ++n) {
    size_t first = FirstKey(plain, in_lines[n], 0);
    any_match = any_match || first < plain.size();
    FUZZ_CHECK(out_lines[n] == (first < plain.size() ? plain[first].replacement : in_lines[n]));
  }
  // With no key in the template, the real rules change nothing but line ends.
  if (!any_match) {
    FUZZ_CHECK(project == CrLf(bytes));
    FUZZ_CHECK(stl_writes == 0);
  }
  return 0;
}
