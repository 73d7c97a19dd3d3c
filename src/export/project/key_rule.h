// One key of the project template and what becomes of a line that begins with
// it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quenlo {

struct KeyRule {
  // The key, matched against the start of a line over its full length,
  // case-sensitively (a trailing blank is part of the key).
  std::string key;
  // A line key: the line becomes `replacement` (output bytes, no line end).
  std::string replacement;
  // A block key: the key line is kept, and the lines after it are taken in
  // turn, one per step: kept as they are (nullopt) or replaced. The last step
  // is always a replacement, and that line goes on to the remaining keys.
  std::vector<std::optional<std::string>> steps;
  // Done each time the key is met, before the line is replaced.
  std::function<void()> on_match;

  bool is_block() const { return !steps.empty(); }
};

using KeyRules = std::vector<KeyRule>;

// A line key.
KeyRule LineRule(std::string key, std::string replacement);

}  // namespace quenlo
